// Named actions: the one entry point through which controls, forms and the almanac's
// classes ask each other to do things.
#pragma once

#include <string_view>

#include "values/handle.h"

// Performs a named action on a control or a form and returns its answer. Anything else
// reports "Bad type for argument 1 of tqvPerform(frmOrCtrl,action,data)." and gives nil.
tqvHandle tqvPerform(const tqvHandle& target, const tqvHandle& action, const tqvHandle& data);
tqvHandle tqvPerform(const tqvHandle& target, std::string_view action,
                     const tqvHandle& data = tqvHandle());
