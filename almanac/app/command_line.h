// The options of the lx98 program.
#pragma once

#include <string>
#include <vector>

#include "platform/config_files.h"

struct LxOptions {
  bool headless = false;
  std::string script;              // --script FILE
  std::string shots;               // --shots DIR
  std::string printTo;             // --print-to DIR
  int scale = 1;                   // --scale N
  tqvPlatform::Settings settings;  // --disc, --user-dir, --form and every --set, in that order
  std::vector<std::string> words;  // the rest: the application's command-line words
};

// Parses argv. Returns -1 when the program should go on, else the exit status to end
// with at once (0 after --help, 2 after a usage error, both already printed).
int lxParseCommandLine(int argc, char** argv, LxOptions& options);
