// The media library's side of forms: resources, drawing and sound for the framework's
// forms, dialogs and controls, and the loading of a form's resources for compiling.
#pragma once

// Installs the screen services and the compile-form hook. Safe to call again.
void tqvInstallFormServices();
