// The process entry: everything between main() and the application's own main.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/config_files.h"
#include "platform/platform.h"
#include "values/handle.h"

struct tqvProgramSetup {
  // The application layer's title, version and product abbreviation (UTF-8).
  std::string title;
  std::string version;
  std::string abbreviation;
  // The command-line words (UTF-8) that become the argument list.
  std::vector<std::string> words;
  // Environment keys and values (UTF-8) given on the command line.
  tqvPlatform::Settings settings;
  // Makes the back end (desktop or headless).
  std::function<std::unique_ptr<tqvPlatform::Backend>()> makeBackend;
  // Headless sessions only meet other headless sessions in the single-instance test.
  bool headless = false;
  // The application layer's main: creates the application with the argument list,
  // installs it and calls its Run.
  std::function<void(const tqvHandle& arguments)> applicationMain;
};

// In this order: installs the standard error and exit handlers; stores the title; when
// another instance of the same title runs, asks it to come to the front and returns 0;
// stores the program directory; builds the argument list; makes the back end; runs the
// application main; then forgets the title, program directory and caches, deletes the
// application if still installed, restores the previous handlers and returns the back
// end's exit status (0 unless a headless script failed).
int tqvProcessEntry(const tqvProgramSetup& setup);

// The argument list of a command line (code page 1252): empty for an empty line, else the
// line split at every blank.
tqvHandle tqvArgumentList(std::string_view commandLine);

// The single-instance name of a program with this title (UTF-8).
std::string tqvInstanceName(std::string_view title, bool headless);
