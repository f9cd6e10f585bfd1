// The start and the end of the process around the application's main.
#include "framework/process_entry.h"

#include "platform/process.h"
#include "platform/single_instance.h"
#include "values/cp1252.h"
#include "values/generic.h"
#include "values/list.h"
#include "values/string.h"

tqvHandle tqvArgumentList(std::string_view commandLine) {
  if (commandLine.empty()) return tqvMakeList();
  return tqvTokenize(tqvMakeString(commandLine), tqvMakeString(" "));
}

std::string tqvInstanceName(std::string_view title, bool headless) {
  return "TQVAppWindow-" + std::string(title) + (headless ? "-headless" : "");
}

int tqvProcessEntry(const tqvProcessSetup& setup) {
  tqvProgramSetup programSetup = setup.program;
  programSetup.programDirectory = tqvPlatform::directoryOf(tqvPlatform::executablePath());
  tqvProgram program(programSetup);

  std::string instanceName = tqvInstanceName(setup.program.title, setup.headless);
  std::unique_ptr<tqvPlatform::SingleInstance> instance =
      tqvPlatform::SingleInstance::acquire(instanceName);
  if (instance == nullptr) {
    tqvPlatform::SingleInstance::askToRaise(instanceName);
    return 0;
  }

  // The display is true colour: there is no system palette to reset.

  std::string commandLine;
  for (size_t i = 0; i < setup.words.size(); ++i) {
    if (i > 0) commandLine += ' ';
    commandLine += setup.words[i];
  }
  tqvHandle arguments = tqvArgumentList(tqvUtf8ToCp1252(commandLine));

  std::unique_ptr<tqvPlatform::Backend> backend = setup.makeBackend();
  backend->adoptInstance(std::move(instance));
  tqvPlatform::Backend* running = backend.get();
  program.setBackend(std::move(backend));

  setup.applicationMain(arguments);
  return running->exitStatus();
}
