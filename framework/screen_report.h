// What headless scripts and bug reports ask of the screen: where a control is, and the
// forms on screen written out in the text notation.
#pragma once

#include <string>
#include <string_view>

#include "values/handle.h"

// The centre of the hot spot of the visible control named `name` (code page 1252) on the
// active form (the top dialog while one runs), in media coordinates. False when there is
// no such control or it has no hot spot.
bool tqvControlCentre(std::string_view name, TQVINT& x, TQVINT& y);

// The forms on screen, bottom first (the form under any dialogs, then each dialog), in
// the text notation, one line each: the form's properties (without its control list),
// then one indented line for each of its controls; "Name" comes first on every line.
// Empty when no form is on screen.
std::string tqvScreenDump();
