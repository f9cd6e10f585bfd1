// What every tqvtool command shares: error reporting that ends the tool with status 1,
// reading values from files, and printing results.
#pragma once

#include <string>

#include "framework/program.h"
#include "values/handle.h"

namespace tqvtool {

// The tool's program: the framework with the media and control libraries, where a
// reported error prints its message on standard error and ends the tool with 1.
tqvProgramSetup toolProgramSetup();

// A command-line path (UTF-8) as a system path string value.
tqvHandle pathValue(const std::string& path);

// The one value written in the text notation in `path`.
tqvHandle readNotationFile(const std::string& path);

// Prints a value in the notation form followed by one line feed.
void printValue(const tqvHandle& value);

// Reports `message` through the error handler (and so ends the tool).
[[noreturn]] void fail(const std::string& message);

}  // namespace tqvtool
