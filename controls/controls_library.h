// The control library in the runtime: the built-in control classes and the standard
// form and dialog classes for forms whose class is not registered.
#pragma once

#include <string_view>

#include "framework/runtime.h"
#include "values/handle.h"

// Installs the media library, then makes standard forms and dialogs the makers of forms
// whose class is not registered and hands the runtime the built-in control classes,
// which the standard application registers when it is constructed.
void tqvInstallControls(tqvRuntime& runtime);

// The prototype (a value of type code 5) of the built-in control class `name`, or nil
// for a name that is not built in. Classes whose behaviour comes later answer their
// name and draw their "Image".
tqvHandle tqvControlPrototype(std::string_view name);
