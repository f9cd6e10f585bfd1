// The desktop back end on SDL2: one window showing the media area at a whole-number
// scale, letterboxed; input, timers, message boxes, cursors and the text clipboard.
#pragma once

#include <memory>

#include "platform/platform.h"

namespace tqvPlatform {

// The display is opened when the window is; until then the back end only answers the
// clock and message boxes.
std::unique_ptr<Backend> makeSdlBackend();

}  // namespace tqvPlatform
