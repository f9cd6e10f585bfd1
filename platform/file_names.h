// Mapping of the system's file names (backslashes, drive letters, any letter case) onto
// the Linux file system. Paths on both sides of this interface are UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace tqvPlatform {

// Makes "X:" at the start of a path stand for `root` (a directory of the file system).
// An empty root removes the mapping.
void setDriveRoot(char drive, std::string_view root);

// The file-system path for a system path: backslashes become slashes, a mapped drive
// prefix becomes its root, and each component that does not exist as written is looked
// up ignoring letter case. When nothing matches, the path comes back with only the
// separators and drive translated, so a file can be created under that name.
std::string mapPath(std::string_view systemPath);

bool fileExists(std::string_view systemPath);
bool deleteFile(std::string_view systemPath);

}  // namespace tqvPlatform
