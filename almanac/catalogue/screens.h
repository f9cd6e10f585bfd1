// Screens that a disc may not have yet.
#pragma once

#include <string_view>

// Whether the screen registered as `name` is on the disc. When it is not (a section that
// a later disc brings), the user is told so ("MsgNotOnThisDisc") and the answer is false;
// a name registered some other way counts as present.
bool lxScreenOnDisc(std::string_view name);
