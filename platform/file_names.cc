// Case-insensitive resolution of system paths, component by component.
#include "platform/file_names.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <map>
#include <vector>

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

// Lower case for ASCII letters and for the two-byte UTF-8 forms of À..Þ (C3 80..9E),
// which map to à..þ (C3 A0..BE), except × (C3 97).
std::string foldCase(std::string_view name) {
  std::string folded(name);
  for (size_t i = 0; i < folded.size(); ++i) {
    auto c = static_cast<unsigned char>(folded[i]);
    if (c < 0x80) {
      folded[i] = static_cast<char>(std::tolower(c));
    } else if (c == 0xC3 && i + 1 < folded.size()) {
      auto next = static_cast<unsigned char>(folded[i + 1]);
      if (next >= 0x80 && next <= 0x9E && next != 0x97)
        folded[i + 1] = static_cast<char>(next + 0x20);
      ++i;
    }
  }
  return folded;
}

// The entry of `directory` whose name equals `name` ignoring case, or empty.
std::string findIgnoringCase(const std::string& directory, std::string_view name) {
  DIR* dir = ::opendir(directory.empty() ? "." : directory.c_str());
  if (dir == nullptr) return {};
  std::string wanted = foldCase(name);
  std::string found;
  while (dirent* entry = ::readdir(dir)) {
    if (foldCase(entry->d_name) == wanted) {
      found = entry->d_name;
      break;
    }
  }
  ::closedir(dir);
  return found;
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
  return ::unlink(mapPath(systemPath).c_str()) == 0;
}

}  // namespace tqvPlatform
