// tqvtool: inspects and builds the data files of the framework (encoded values, archives,
// indexes, keyed files) from the command line.
#include <CLI/CLI.hpp>

#include "framework/program.h"
#include "tools/tqvtool/commands.h"
#include "tools/tqvtool/tool_support.h"

int main(int argc, char** argv) {
  // Forms, controls, images and references decode and print like every other value.
  tqvProgram program(tqvtool::toolProgramSetup());
  CLI::App app{"tqvtool: inspect and build the framework's data files"};
  app.require_subcommand(1);
  tqvtool::addValueCommands(app);
  tqvtool::addArchiveCommands(app);
  tqvtool::addIndexCommands(app);
  tqvtool::addFormCommands(app);
  tqvtool::addCompileCommands(app);
  tqvtool::addRtfCommands(app);
  CLI11_PARSE(app, argc, argv);
  return 0;
}
