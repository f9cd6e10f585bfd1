// Writing the off-screen picture as a PNG file.
#pragma once

#include <string>

#include "platform/platform.h"

namespace tqvPlatform {

// Writes the picture as an 8-bit RGB PNG at `path` (a file-system path). Returns false
// with a reason in `error` when the file cannot be written.
bool writePng(const Picture& picture, const std::string& path, std::string& error);

}  // namespace tqvPlatform
