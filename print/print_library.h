// Installs the control library with printing: text views print through tqvPrintTextView.
#pragma once

#include "framework/runtime.h"

void tqvInstallPrinting(tqvRuntime& runtime);
