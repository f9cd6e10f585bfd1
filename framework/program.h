// One run of the framework: the program's state set up in one place and torn down in
// reverse. The program (through the process entry), the tools and the tests all run
// inside a tqvProgram.
#pragma once

#include <memory>
#include <string>

#include "framework/runtime.h"
#include "framework/standard_handlers.h"
#include "platform/config_files.h"
#include "platform/platform.h"
#include "values/error.h"

struct tqvProgramSetup {
  // The application layer's title, version and product abbreviation (UTF-8).
  std::string title;
  std::string version;
  std::string abbreviation;
  // The directory of the executable (UTF-8, no trailing separator).
  std::string programDirectory;
  // Environment keys and values (UTF-8) given on the command line.
  tqvPlatform::Settings settings;
  // Installs the libraries above the framework in the runtime: their codecs, services,
  // form makers and control classes (see the libraries' own install functions).
  void (*installLibraries)(tqvRuntime& runtime) = nullptr;
  // The error and exit handlers while the program runs: by default the standard ones,
  // which show the message in a box and end the process.
  tqvErrorHandler errorHandler = tqvStandardErrorHandler;
  tqvExitHandler exitHandler = tqvStandardExitHandler;
};

class tqvProgram {
 public:
  // In order: installs the error and exit handlers; makes a new runtime current with the
  // identity and settings of `setup`; registers the framework's codecs; installs the
  // libraries.
  explicit tqvProgram(const tqvProgramSetup& setup);
  // In order: abandons an open print job, deletes the application (which destroys its window),
  // destroys a window left without one, shows the arrow cursor, drops the services, the event queue
  // and the back end, forgets the codecs, puts the previous runtime and handlers back.
  ~tqvProgram();
  tqvProgram(const tqvProgram&) = delete;
  tqvProgram& operator=(const tqvProgram&) = delete;

  tqvRuntime& runtime() { return runtime_; }
  // Hands the program its back end (replacing any earlier one).
  void setBackend(std::unique_ptr<tqvPlatform::Backend> backend);
  tqvPlatform::Backend* backend() { return backend_.get(); }

 private:
  tqvRuntime runtime_;
  std::unique_ptr<tqvPlatform::Backend> backend_;
  tqvRuntime* previousRuntime_ = nullptr;
  tqvErrorHandler previousError_ = nullptr;
  tqvExitHandler previousExit_ = nullptr;
  tqvProgram* previousProgram_ = nullptr;
};

// The program running now (the innermost), or null.
tqvProgram* tqvCurrentProgram();
