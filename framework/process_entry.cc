// The start and the end of the process around the application's main.
#include "framework/process_entry.h"

#include "framework/application.h"
#include "framework/cursor.h"
#include "framework/event_queue.h"
#include "framework/program_state.h"
#include "framework/standard_handlers.h"
#include "platform/process.h"
#include "platform/single_instance.h"
#include "values/cp1252.h"
#include "values/error.h"
#include "values/generic.h"
#include "values/list.h"
#include "values/string.h"

namespace {

tqvHandle cp1252(std::string_view utf8) {
  return tqvMakeString(tqvUtf8ToCp1252(utf8));
}

}  // namespace

tqvHandle tqvArgumentList(std::string_view commandLine) {
  if (commandLine.empty()) return tqvMakeList();
  return tqvTokenize(tqvMakeString(commandLine), tqvMakeString(" "));
}

std::string tqvInstanceName(std::string_view title, bool headless) {
  return "TQVAppWindow-" + std::string(title) + (headless ? "-headless" : "");
}

int tqvProcessEntry(const tqvProgramSetup& setup) {
  tqvErrorHandler previousError = tqvSetErrorHandler(tqvStandardErrorHandler);
  tqvExitHandler previousExit = tqvSetExitHandler(tqvStandardExitHandler);
  auto restoreHandlers = [&] {
    tqvSetErrorHandler(previousError);
    tqvSetExitHandler(previousExit);
  };

  tqvSetAppIdentity(cp1252(setup.title), cp1252(setup.version), cp1252(setup.abbreviation));

  std::string instanceName = tqvInstanceName(setup.title, setup.headless);
  std::unique_ptr<tqvPlatform::SingleInstance> instance =
      tqvPlatform::SingleInstance::acquire(instanceName);
  if (instance == nullptr) {
    tqvPlatform::SingleInstance::askToRaise(instanceName);
    tqvResetProgramState();
    restoreHandlers();
    return 0;
  }

  tqvSetProgramDirectory(cp1252(tqvPlatform::directoryOf(tqvPlatform::executablePath())));
  // The display is true colour: there is no system palette to reset.

  std::string commandLine;
  for (size_t i = 0; i < setup.words.size(); ++i) {
    if (i > 0) commandLine += ' ';
    commandLine += setup.words[i];
  }
  tqvHandle arguments = tqvArgumentList(tqvUtf8ToCp1252(commandLine));

  tqvSettingList settings;
  for (const auto& [key, value] : setup.settings) settings.emplace_back(cp1252(key), cp1252(value));
  tqvSetCommandLineSettings(std::move(settings));

  std::unique_ptr<tqvPlatform::Backend> backend = setup.makeBackend();
  backend->adoptInstance(std::move(instance));
  tqvSetBackend(backend.get());

  setup.applicationMain(arguments);

  int status = backend->exitStatus();
  if (tqvApplication* app = tqvCurrentApplication()) delete app;
  tqvResetCursor();
  tqvDiscardEventQueue();
  tqvSetEventSource(nullptr);
  tqvSetBackend(nullptr);
  backend.reset();
  tqvResetProgramState();
  restoreHandlers();
  return status;
}
