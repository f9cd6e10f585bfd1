// The user's data directory.
#include "platform/user_files.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>

namespace tqvPlatform {
namespace {

std::string variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// Makes `dir` and its missing parents; true when it is a directory afterwards.
bool makeDirectories(const std::string& dir) {
  for (size_t slash = dir.find('/', 1); slash != std::string::npos;
       slash = dir.find('/', slash + 1)) {
    ::mkdir(dir.substr(0, slash).c_str(), 0700);
  }
  ::mkdir(dir.c_str(), 0700);
  struct stat info;
  return ::stat(dir.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

std::string userDataDirectory(const std::string& configured, const std::string& folder) {
  std::string dir = configured;
  if (dir.empty()) {
    std::string data = variable("XDG_DATA_HOME");
    // Relative values of XDG_DATA_HOME are invalid and ignored.
    if (!data.empty() && data[0] == '/') {
      dir = data + "/" + folder;
    } else if (std::string home = variable("HOME"); !home.empty()) {
      dir = home + "/.local/share/" + folder;
    }
  }
  while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  if (dir.empty() || !makeDirectories(dir)) return "";
  return dir;
}

}  // namespace tqvPlatform
