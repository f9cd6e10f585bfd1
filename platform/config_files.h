// The configuration files the program reads: key=value sections of INI files, and the
// file that stands for the machine-wide registry key of the application.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tqvPlatform {

using Settings = std::vector<std::pair<std::string, std::string>>;

// A setting written KEY=VALUE (as on the command line): false when there is no "=" or
// nothing before it. The value may be empty and may hold more "=".
bool parseSetting(std::string_view text, std::pair<std::string, std::string>& setting);

// The key=value pairs of `section` (matched ignoring letter case) in the INI file at
// `path`, in file order; a key given twice keeps its first value. A missing or unreadable
// file gives nothing; a line that is not key=value is skipped. Lines longer than 199
// bytes are cut there by the INI library.
Settings readIniSection(const std::string& path, std::string_view section);

// The files that hold the registry key <vendor>\<title>\<version>\Preferences: the file
// "<vendor>/<title>/<version>/Preferences.ini" under each directory of $XDG_CONFIG_DIRS
// ("/etc/xdg" when unset), most important first.
std::vector<std::string> registryFiles(std::string_view vendor, std::string_view title,
                                       std::string_view version);

// The values of the registry key: section "Preferences" of those files, where a more
// important file wins over a less important one.
Settings readRegistry(std::string_view vendor, std::string_view title, std::string_view version);

}  // namespace tqvPlatform
