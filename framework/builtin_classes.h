// The control classes that every standard application registers, in their fixed order.
#pragma once

#include <string_view>

#include "values/handle.h"

// The built-in control class names, in registration order.
extern const std::string_view tqvBuiltInClassNames[21];

// Registers, for each built-in name in order, the prototype `prototypeFor(name)` gives
// (a value of type code 5 whose class has that name). A name for which it gives nil is
// left out.
using tqvPrototypeFor = tqvHandle (*)(std::string_view name);
void tqvRegisterBuiltInClasses(tqvPrototypeFor prototypeFor);
