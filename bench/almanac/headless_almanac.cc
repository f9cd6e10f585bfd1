// The almanac started headless for the benchmarks.
#include "bench/almanac/headless_almanac.h"

#include <memory>

#include "almanac/app/almanac_application.h"
#include "framework/app_window.h"
#include "framework/services.h"
#include "platform/headless/headless_backend.h"
#include "print/print_library.h"
#include "values/string.h"

tqvProgramSetup HeadlessAlmanac::setup() {
  tqvProgramSetup s;
  s.title = lxApplicationTitle();
  s.version = lxApplicationVersion();
  s.abbreviation = lxApplicationAbbreviation();
  s.installLibraries = tqvInstallPrinting;
  return s;
}

HeadlessAlmanac::HeadlessAlmanac(const std::string& userDirectory) : program_(setup()) {
  program_.setBackend(
      std::make_unique<tqvPlatform::HeadlessBackend>(tqvPlatform::HeadlessOptions{}));
  auto* app = new AlmanacApplication(tqvHandle());  // the program owns it
  app->setEnvironment("SourceDisk", tqvMakeString(DEMO_DISC));
  app->setEnvironment("MediaPath", tqvMakeString("Media"));
  app->setEnvironment("UserDataPath", tqvMakeString(userDirectory));
  tqvServices().initResourceTypes();
  app->setMainWindow(tqvAppWindow::create(tqvMakeString("bench")));
  app->Initialize();
}
