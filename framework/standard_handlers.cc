// The standard error and exit handlers.
#include "framework/standard_handlers.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "framework/application.h"
#include "framework/message_box.h"
#include "platform/process.h"
#include "values/cp1252.h"
#include "values/string.h"

TQVINT tqvStandardErrorHandler(tqvHandle message) {
  std::string_view text = tqvStringView(message);
  tqvPlatform::debugOutput(tqvCp1252ToUtf8(text) + "\n");
  tqvMessageBox(text, "ERROR", tqvPlatform::BoxKind::Ok);
  return 1;
}

void tqvStandardExitHandler(TQVINT) {
  // Deleting the application closes its window; a second error while it goes must not
  // come back here.
  static bool exiting = false;
  if (!exiting) {
    exiting = true;
    if (tqvApplication* app = tqvCurrentApplication()) delete app;
  }
  tqvPlatform::debugOutput("\n[Exiting abnormally...]\n");
  std::fflush(stdout);
  std::_Exit(-1);
}
