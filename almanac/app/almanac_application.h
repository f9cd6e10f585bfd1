// The almanac's application class and the application layer's identity.
#pragma once

#include <string>

#include "framework/standard_application.h"

// "Zazuzadov Lumbra 98", "1.0" and "LX98" (UTF-8).
std::string lxApplicationTitle();
std::string lxApplicationVersion();
std::string lxApplicationAbbreviation();

class AlmanacApplication : public tqvStandardApplication {
 public:
  explicit AlmanacApplication(const tqvHandle& arguments);
  ~AlmanacApplication() override;

  // The standard start; then the form named by "OpenForm" (the --form option), when that
  // key is set, opens with no data; the 250 ms window timer starts (a running one is
  // stopped first).
  void Start() override;
  // With "DumpAtExit" naming a file, writes the forms on screen there (see
  // tqvScreenDump), then the standard ending.
  void Terminate() override;

 private:
  int timer_ = 0;
};

// The application main: creates the one application with the argument list, installs it
// and runs it. The process entry deletes it afterwards.
void lxApplicationMain(const tqvHandle& arguments);
