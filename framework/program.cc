// Setting up and tearing down one run of the framework.
#include "framework/program.h"

#include "framework/app_window.h"
#include "framework/application.h"
#include "framework/cursor.h"
#include "framework/events.h"
#include "framework/forms.h"
#include "framework/services.h"
#include "storage/codecs.h"
#include "values/cp1252.h"
#include "values/string.h"

namespace {

tqvHandle cp1252(std::string_view utf8) {
  return tqvMakeString(tqvUtf8ToCp1252(utf8));
}

tqvProgram* currentProgram = nullptr;

}  // namespace

tqvProgram* tqvCurrentProgram() {
  return currentProgram;
}

tqvProgram::tqvProgram(const tqvProgramSetup& setup) {
  previousError_ = tqvSetErrorHandler(setup.errorHandler);
  previousExit_ = tqvSetExitHandler(setup.exitHandler);
  previousRuntime_ = tqvSetCurrentRuntime(&runtime_);
  previousProgram_ = currentProgram;
  currentProgram = this;
  runtime_.title = cp1252(setup.title);
  runtime_.version = cp1252(setup.version);
  runtime_.abbreviation = cp1252(setup.abbreviation);
  runtime_.programDirectory = cp1252(setup.programDirectory);
  for (const auto& [key, value] : setup.settings) {
    runtime_.commandLineSettings.emplace_back(cp1252(key), cp1252(value));
  }
  tqvRegisterFormCodecs();
  if (setup.installLibraries != nullptr) setup.installLibraries(runtime_);
}

tqvProgram::~tqvProgram() {
  runtime_.printing.reset();  // a job still open is abandoned while its window lives
  delete runtime_.application;
  runtime_.application = nullptr;
  if (tqvAppWindow* window = tqvAsAppWindow(runtime_.mainWindow)) window->destroy();
  runtime_.mainWindow = tqvHandle();
  runtime_.activeForm = tqvHandle();
  tqvResetCursor();
  runtime_.services = std::make_unique<tqvServiceSet>();  // drops the media library's
  runtime_.queue.reset();
  runtime_.eventSource = nullptr;
  runtime_.backend = nullptr;
  backend_.reset();
  tqvForgetCodecs();
  tqvSetCurrentRuntime(previousRuntime_);
  currentProgram = previousProgram_;
  tqvSetErrorHandler(previousError_);
  tqvSetExitHandler(previousExit_);
}

void tqvProgram::setBackend(std::unique_ptr<tqvPlatform::Backend> backend) {
  backend_ = std::move(backend);
  runtime_.backend = backend_.get();
}
