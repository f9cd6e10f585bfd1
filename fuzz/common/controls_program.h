// Fuzzing support for the libraries above the framework: one program with the control
// library, made on first use and kept for the whole run, in which reports are ignored and
// execution continues, so every fallback path runs.
#pragma once

#include "controls/controls_library.h"
#include "framework/program.h"
#include "framework/standard_application.h"

namespace fuzz_support {

inline TQVINT ignoreReport(tqvHandle) {
  return 0;
}

// With `application`, a standard application is installed too (it registers the
// built-in classes).
inline void controlsProgram(bool application) {
  static tqvProgram* program = [application] {
    tqvProgramSetup setup;
    setup.title = "fuzz";
    setup.installLibraries = tqvInstallControls;
    setup.errorHandler = ignoreReport;
    setup.exitHandler = nullptr;
    auto* made = new tqvProgram(setup);
    if (application) new tqvStandardApplication();
    return made;
  }();
  (void)program;
}

}  // namespace fuzz_support
