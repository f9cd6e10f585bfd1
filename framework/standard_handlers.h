// The error and exit handlers every program installs first: an error is shown in a
// message box and ends the process.
#pragma once

#include "values/handle.h"

// Writes the message to the debugging output, shows it in a message box captioned
// "ERROR" with an OK button, and returns 1 (the error is fatal).
TQVINT tqvStandardErrorHandler(tqvHandle message);
// Deletes the current application if there is one, writes "\n[Exiting abnormally...]\n"
// to the debugging output and ends the process with exit code -1.
[[noreturn]] void tqvStandardExitHandler(TQVINT code);
