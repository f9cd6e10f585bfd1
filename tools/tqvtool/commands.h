// The command groups of tqvtool; each adds its subcommands to the application.
#pragma once

#include <CLI/CLI.hpp>

namespace tqvtool {

// print, encode, sort
void addValueCommands(CLI::App& app);
// archive list, archive build
void addArchiveCommands(CLI::App& app);
// index dump|build|get|prefix, kf check
void addIndexCommands(CLI::App& app);
// render
void addFormCommands(CLI::App& app);
// compile (tables and forms of a disc)
void addCompileCommands(CLI::App& app);
// rtf
void addRtfCommands(CLI::App& app);

}  // namespace tqvtool
