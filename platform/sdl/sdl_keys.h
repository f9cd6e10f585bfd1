// SDL key codes and modifier states in the platform's own terms.
#pragma once

#include <SDL.h>

#include "platform/platform.h"

namespace tqvPlatform {

// Named keys map to their names; printable ASCII keys to their (lower-case) code;
// everything else to Key::Other.
Key keyFromSdl(SDL_Keycode code);
Modifiers modifiersFromSdl(Uint16 state);

}  // namespace tqvPlatform
