// The SDL key table.
#include "platform/sdl/sdl_keys.h"

namespace tqvPlatform {

Key keyFromSdl(SDL_Keycode code) {
  switch (code) {
    case SDLK_BACKSPACE:
      return Key::Backspace;
    case SDLK_TAB:
      return Key::Tab;
    case SDLK_RETURN:
    case SDLK_RETURN2:
    case SDLK_KP_ENTER:
      return Key::Enter;
    case SDLK_ESCAPE:
      return Key::Escape;
    case SDLK_F1:
      return Key::F1;
    case SDLK_F2:
      return Key::F2;
    case SDLK_F3:
      return Key::F3;
    case SDLK_F4:
      return Key::F4;
    case SDLK_F5:
      return Key::F5;
    case SDLK_F6:
      return Key::F6;
    case SDLK_F7:
      return Key::F7;
    case SDLK_F8:
      return Key::F8;
    case SDLK_F9:
      return Key::F9;
    case SDLK_F10:
      return Key::F10;
    case SDLK_F11:
      return Key::F11;
    case SDLK_F12:
      return Key::F12;
    case SDLK_INSERT:
      return Key::Insert;
    case SDLK_DELETE:
      return Key::Delete;
    case SDLK_HOME:
      return Key::Home;
    case SDLK_END:
      return Key::End;
    case SDLK_PAGEUP:
      return Key::PageUp;
    case SDLK_PAGEDOWN:
      return Key::PageDown;
    case SDLK_LEFT:
      return Key::Left;
    case SDLK_RIGHT:
      return Key::Right;
    case SDLK_UP:
      return Key::Up;
    case SDLK_DOWN:
      return Key::Down;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
      return Key::Shift;
    case SDLK_LCTRL:
    case SDLK_RCTRL:
      return Key::Ctrl;
    case SDLK_LALT:
    case SDLK_RALT:
      return Key::Alt;
    default:
      break;
  }
  if (code >= SDLK_SPACE && code < 0x7F) {
    // SDL already gives letters in lower case.
    return static_cast<Key>(code);
  }
  return Key::Other;
}

Modifiers modifiersFromSdl(Uint16 state) {
  Modifiers modifiers;
  modifiers.shift = (state & KMOD_SHIFT) != 0;
  modifiers.ctrl = (state & KMOD_CTRL) != 0;
  modifiers.alt = (state & KMOD_ALT) != 0;
  return modifiers;
}

}  // namespace tqvPlatform
