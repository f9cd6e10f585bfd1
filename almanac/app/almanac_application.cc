// The almanac's application object.
#include "almanac/app/almanac_application.h"

#include "framework/environment.h"
#include "framework/forms.h"
#include "framework/runtime.h"
#include "framework/screen_report.h"
#include "storage/file_stream.h"

namespace {

constexpr uint32_t kTimerPeriodMs = 250;

}  // namespace

std::string lxApplicationTitle() {
  return "Zazuzadov Lumbra 98";
}

std::string lxApplicationVersion() {
  return "1.0";
}

std::string lxApplicationAbbreviation() {
  return "LX98";
}

AlmanacApplication::AlmanacApplication(const tqvHandle& arguments)
    : tqvStandardApplication(arguments) {}

AlmanacApplication::~AlmanacApplication() {
  if (timer_ != 0 && tqvBackend() != nullptr) tqvBackend()->stopTimer(timer_);
}

void AlmanacApplication::Start() {
  tqvStandardApplication::Start();
  tqvHandle form = tqvGetEnvironment("OpenForm");
  if (!form.isNil()) tqvOpenFormByName(form, tqvHandle());
  if (tqvPlatform::Backend* backend = tqvBackend()) {
    if (timer_ != 0) backend->stopTimer(timer_);
    timer_ = backend->startTimer(kTimerPeriodMs);
  }
}

void AlmanacApplication::Terminate() {
  // What was on screen at the end, for tests of the desktop window and for bug reports.
  tqvHandle dumpFile = tqvGetEnvironment("DumpAtExit");
  if (dumpFile.is(TQV_STRING_TYPE)) tqvWriteWholeFile(dumpFile, tqvScreenDump());
  tqvStandardApplication::Terminate();
}

void lxApplicationMain(const tqvHandle& arguments) {
  auto* app = new AlmanacApplication(arguments);
  tqvInstallApplication(app);
  app->Run();
}
