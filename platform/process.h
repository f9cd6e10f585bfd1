// Facts about the running process: where its executable lives, and its debugging output.
#pragma once

#include <string>
#include <string_view>

namespace tqvPlatform {

// The full path of the running executable (from /proc/self/exe), or empty when the
// system does not tell.
std::string executablePath();

// The directory part of `path`: everything before the last '/', without that separator
// ("/" for a file at the root); empty when the path holds no separator.
std::string directoryOf(std::string_view path);

// Writes text to the debugging output (standard error) as it stands and flushes it.
void debugOutput(std::string_view text);

}  // namespace tqvPlatform
