// SDL key codes and modifier states in the platform's own terms.
#include "platform/sdl/sdl_keys.h"

#include <string_view>

#include "platform/keys.h"

namespace tqvPlatform {

Key keyFromSdl(SDL_Keycode code) {
  // SDL already gives letters in lower case.
  if (code >= SDLK_SPACE && code < 0x7F) return static_cast<Key>(code);
  // Other keys go by SDL's own name for them, without the side or the keypad.
  std::string_view name = SDL_GetKeyName(code);
  for (std::string_view prefix : {"Left ", "Right ", "Keypad "}) {
    if (name.substr(0, prefix.size()) == prefix) name.remove_prefix(prefix.size());
  }
  const KeyName* named = findKeyNamed(name);
  return named != nullptr ? named->key : Key::Other;
}

Modifiers modifiersFromSdl(Uint16 state) {
  Modifiers modifiers;
  modifiers.shift = (state & KMOD_SHIFT) != 0;
  modifiers.ctrl = (state & KMOD_CTRL) != 0;
  modifiers.alt = (state & KMOD_ALT) != 0;
  return modifiers;
}

}  // namespace tqvPlatform
