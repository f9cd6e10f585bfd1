// Case-insensitive resolution of system paths, component by component.
#include "platform/file_names.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <map>
#include <vector>

#include "platform/directory_listings.h"

namespace tqvPlatform {
namespace {

std::map<char, std::string>& driveRoots() {
  static std::map<char, std::string> roots;
  return roots;
}

bool exists(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0;
}

std::vector<std::string_view> splitComponents(std::string_view path) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  while (start <= path.size()) {
    size_t slash = path.find('/', start);
    if (slash == std::string_view::npos) slash = path.size();
    if (slash > start) parts.push_back(path.substr(start, slash - start));
    start = slash + 1;
  }
  return parts;
}

}  // namespace

void setDriveRoot(char drive, std::string_view root) {
  char key = static_cast<char>(std::toupper(static_cast<unsigned char>(drive)));
  if (root.empty()) {
    driveRoots().erase(key);
  } else {
    driveRoots()[key] = std::string(root);
  }
}

std::string mapPath(std::string_view systemPath) {
  std::string path(systemPath);
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  if (path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]))) {
    char drive = static_cast<char>(std::toupper(static_cast<unsigned char>(path[0])));
    auto root = driveRoots().find(drive);
    std::string rest = path.substr(2);
    if (root != driveRoots().end()) {
      path = root->second + (rest.empty() || rest[0] != '/' ? "/" : "") + rest;
    } else {
      path = rest.empty() || rest[0] != '/' ? "/" + rest : rest;
    }
  }
  if (path.empty() || exists(path)) return path;

  bool absolute = path[0] == '/';
  std::string resolved = absolute ? "/" : "";
  std::vector<std::string_view> parts = splitComponents(path);
  // Most often only the last name differs in case. When its directory exists as written,
  // so does every part before it, and the walk below can start at the last name.
  if (parts.size() > 1 && parts.back() != "." && parts.back() != "..") {
    std::string directory = resolved;
    for (size_t i = 0; i + 1 < parts.size(); ++i) {
      directory += std::string(parts[i]);
      directory += '/';
    }
    struct stat info;
    if (::stat(directory.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
      // The path as written was tried above; a differently spelt one ("a//b", "a/b/") may
      // still name an existing file.
      std::string written = directory + std::string(parts.back());
      if (written != path && exists(written)) return written;
      std::string match = findIgnoringCase(directory, info, parts.back());
      return match.empty() ? written : directory + match;
    }
  }
  for (size_t i = 0; i < parts.size(); ++i) {
    std::string candidate = resolved + std::string(parts[i]);
    if (parts[i] == "." || parts[i] == ".." || exists(candidate)) {
      resolved = candidate;
    } else {
      std::string match = findIgnoringCase(resolved, parts[i]);
      if (match.empty()) {
        // Nothing further can exist: keep the rest as written.
        for (size_t j = i; j < parts.size(); ++j) {
          resolved += std::string(parts[j]);
          if (j + 1 < parts.size()) resolved += '/';
        }
        return resolved;
      }
      resolved += match;
    }
    if (i + 1 < parts.size()) resolved += '/';
  }
  return resolved;
}

bool fileExists(std::string_view systemPath) {
  return exists(mapPath(systemPath));
}

bool deleteFile(std::string_view systemPath) {
  std::string path = mapPath(systemPath);
  bool deleted = ::unlink(path.c_str()) == 0;
  if (deleted) forgetListingOf(path);
  return deleted;
}

}  // namespace tqvPlatform
