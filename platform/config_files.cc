// INI sections through inih, and the registry key as files under the XDG config dirs.
#include "platform/config_files.h"

#include <ini.h>
#include <strings.h>

#include <cstdlib>
#include <set>

namespace tqvPlatform {
namespace {

struct SectionReader {
  std::string_view section;
  Settings* out;
  std::set<std::string> seen;
};

int takeLine(void* user, const char* section, const char* name, const char* value) {
  auto* reader = static_cast<SectionReader*>(user);
  std::string wanted(reader->section);
  if (::strcasecmp(section, wanted.c_str()) != 0) return 1;
  // inih reports an indented line as a continuation of the previous key; keeping the
  // first value of each key drops those continuations.
  if (!reader->seen.insert(name).second) return 1;
  reader->out->emplace_back(name, value);
  return 1;
}

}  // namespace

Settings readIniSection(const std::string& path, std::string_view section) {
  Settings result;
  SectionReader reader{section, &result, {}};
  ::ini_parse(path.c_str(), takeLine, &reader);  // errors (missing file, bad lines): skip
  return result;
}

std::vector<std::string> registryFiles(std::string_view vendor, std::string_view title,
                                       std::string_view version) {
  const char* dirs = std::getenv("XDG_CONFIG_DIRS");
  std::string list = dirs != nullptr && *dirs != '\0' ? dirs : "/etc/xdg";
  std::string tail = "/" + std::string(vendor) + "/" + std::string(title) + "/" +
                     std::string(version) + "/Preferences.ini";
  std::vector<std::string> files;
  size_t start = 0;
  while (start <= list.size()) {
    size_t colon = list.find(':', start);
    if (colon == std::string::npos) colon = list.size();
    if (colon > start) files.push_back(list.substr(start, colon - start) + tail);
    start = colon + 1;
  }
  return files;
}

Settings readRegistry(std::string_view vendor, std::string_view title, std::string_view version) {
  std::vector<std::string> files = registryFiles(vendor, title, version);
  Settings merged;
  std::set<std::string> taken;
  for (const std::string& file : files) {
    for (auto& [key, value] : readIniSection(file, "Preferences")) {
      if (taken.insert(key).second) merged.emplace_back(key, value);
    }
  }
  return merged;
}

bool parseSetting(std::string_view text, std::pair<std::string, std::string>& setting) {
  size_t equals = text.find('=');
  if (equals == std::string_view::npos || equals == 0) return false;
  setting = {std::string(text.substr(0, equals)), std::string(text.substr(equals + 1))};
  return true;
}

}  // namespace tqvPlatform
