// The input that a script's pointer, key and type commands stand for, event by event, as a
// user at the desk would produce it.
#pragma once

#include <deque>

#include "platform/headless/script.h"
#include "platform/platform.h"

namespace tqvPlatform {

// Where the scripted mouse is and which buttons it holds.
struct PointerState {
  int32_t x = 0;
  int32_t y = 0;
  bool placed = false;  // false until the first pointer command
  bool leftHeld = false;
};

// Appends the input of a click, dblclick, press, release, move, drag, key or type
// command. The mouse first moves to the command's position when it is elsewhere. Other
// commands append nothing.
void appendScriptInput(const ScriptCommand& command, PointerState& pointer,
                       std::deque<InputEvent>& out);

}  // namespace tqvPlatform
