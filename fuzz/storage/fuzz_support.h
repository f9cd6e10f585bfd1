// Fuzzing support: errors are counted and execution continues, as with a caller that
// survives reports, so every fallback path runs.
#pragma once

#include "values/error.h"

namespace fuzz_support {

inline TQVINT ignoreError(tqvHandle) {
  return 0;
}

inline void continueAfterErrors() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  tqvSetErrorHandler(ignoreError);
  tqvSetExitHandler(nullptr);
}

}  // namespace fuzz_support
