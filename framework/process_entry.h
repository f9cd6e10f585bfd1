// The process entry: everything between main() and the application's own main.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/program.h"
#include "platform/platform.h"
#include "values/handle.h"

struct tqvProcessSetup {
  // Identity, command-line settings and libraries of the program.
  tqvProgramSetup program;
  // The command-line words (UTF-8) that become the argument list.
  std::vector<std::string> words;
  // Makes the back end (desktop or headless).
  std::function<std::unique_ptr<tqvPlatform::Backend>()> makeBackend;
  // Headless sessions only meet other headless sessions in the single-instance test.
  bool headless = false;
  // The application layer's main: creates the application with the argument list,
  // installs it and calls its Run.
  std::function<void(const tqvHandle& arguments)> applicationMain;
};

// In this order, inside one tqvProgram (which installs the standard error and exit
// handlers and the libraries, and knows the program directory): when another instance of
// the same title runs, asks it to come to the front and returns 0; builds the argument
// list; makes the back end; runs the application main; then the program's teardown, and
// returns the back end's exit status (0 unless a headless script failed).
int tqvProcessEntry(const tqvProcessSetup& setup);

// The argument list of a command line (code page 1252): empty for an empty line, else the
// line split at every blank.
tqvHandle tqvArgumentList(std::string_view commandLine);

// The single-instance name of a program with this title (UTF-8).
std::string tqvInstanceName(std::string_view title, bool headless);
