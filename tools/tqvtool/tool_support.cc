// Shared plumbing of the tqvtool commands.
#include "tools/tqvtool/tool_support.h"

#include <cstdio>
#include <cstdlib>

#include "controls/controls_library.h"
#include "storage/file_stream.h"
#include "storage/notation.h"
#include "values/cp1252.h"
#include "values/error.h"
#include "values/string.h"
#include "values/text.h"

namespace tqvtool {
namespace {

TQVINT printAndFail(tqvHandle message) {
  std::fflush(stdout);
  std::fprintf(stderr, "%s\n", tqvCp1252ToUtf8(tqvStringView(message)).c_str());
  return 1;
}

[[noreturn]] void exitWithFailure(TQVINT) {
  std::fflush(stdout);
  std::fflush(stderr);
  std::_Exit(1);
}

}  // namespace

tqvProgramSetup toolProgramSetup() {
  tqvProgramSetup setup;
  setup.title = "tqvtool";
  setup.version = "1.0";
  setup.abbreviation = "LX98";
  setup.installLibraries = tqvInstallControls;
  setup.errorHandler = printAndFail;
  setup.exitHandler = exitWithFailure;
  return setup;
}

tqvHandle pathValue(const std::string& path) {
  return tqvMakeString(tqvUtf8ToCp1252(path));
}

tqvHandle readNotationFile(const std::string& path) {
  tqvHandle text = tqvReadWholeFile(pathValue(path), false);
  return tqvDecodeStandard(text);
}

void printValue(const tqvHandle& value) {
  std::string text = tqvToStdString(value, true);
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fputc('\n', stdout);
}

void fail(const std::string& message) {
  tqvError(message);
  exitWithFailure(1);
}

}  // namespace tqvtool
