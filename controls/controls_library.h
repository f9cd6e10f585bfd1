// Start-up of the control library: the built-in control classes, the standard form and
// dialog classes for forms whose class is not registered, and the codecs of forms and
// controls.
#pragma once

#include <string_view>

#include "values/handle.h"

// Registers the form and control codecs, makes standard forms and dialogs the default,
// and installs the registration of the built-in classes that the standard application
// runs when it is constructed. Safe to call again.
void tqvControlsStartup();

// The prototype (a value of type code 5) of the built-in control class `name`, or nil
// for a name that is not built in. Classes whose behaviour comes later answer their
// name and draw their "Image".
tqvHandle tqvControlPrototype(std::string_view name);
