// lx98: the almanac program, on the desktop or headless.
#include <cstdio>
#include <fstream>
#include <sstream>

#include "almanac/app/almanac_application.h"
#include "almanac/app/command_line.h"
#include "framework/forms.h"
#include "framework/process_entry.h"
#include "framework/screen_report.h"
#include "platform/headless/headless_backend.h"
#include "platform/sdl/sdl_backend.h"
#include "print/print_library.h"
#include "values/cp1252.h"

namespace {

// Reads and checks the script before anything starts; false after printing why.
bool loadScript(const LxOptions& options, tqvPlatform::HeadlessOptions& headless) {
  headless.shotsDirectory = options.shots;
  headless.printDirectory = options.printTo;
  headless.scale = options.scale;
  if (options.script.empty()) return true;
  headless.scriptName = options.script;
  std::ifstream file(options.script, std::ios::binary);
  if (!file) {
    std::fprintf(stderr, "lx98: cannot read the script %s\n", options.script.c_str());
    return false;
  }
  std::stringstream text;
  text << file.rdbuf();
  std::string error;
  if (!tqvPlatform::parseScript(text.str(), options.script, headless.script, error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  LxOptions options;
  if (int status = lxParseCommandLine(argc, argv, options); status >= 0) return status;

  tqvPlatform::HeadlessOptions headless;
  if (options.headless && !loadScript(options, headless)) return 2;
  headless.activeFormName = [] { return tqvCp1252ToUtf8(tqvActiveFormName()); };
  headless.controlCentre = [](const std::string& name, int32_t& x, int32_t& y) {
    return tqvControlCentre(tqvUtf8ToCp1252(name), x, y);
  };
  headless.screenDump = [] { return tqvCp1252ToUtf8(tqvScreenDump()); };

  tqvProcessSetup setup;
  setup.program.title = lxApplicationTitle();
  setup.program.version = lxApplicationVersion();
  setup.program.abbreviation = lxApplicationAbbreviation();
  setup.program.settings = options.settings;
  setup.program.installLibraries = tqvInstallPrinting;
  setup.words = options.words;
  setup.headless = options.headless;
  setup.makeBackend = [&]() -> std::unique_ptr<tqvPlatform::Backend> {
    if (options.headless)
      return std::make_unique<tqvPlatform::HeadlessBackend>(std::move(headless));
    return tqvPlatform::makeSdlBackend();
  };
  setup.applicationMain = lxApplicationMain;
  return tqvProcessEntry(setup);
}
