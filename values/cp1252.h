// Conversion between code page 1252, used for all text inside the system, and UTF-8,
// used in source files and at the platform boundary.
#pragma once

#include <string>
#include <string_view>

// Characters with no code page 1252 form, and malformed UTF-8 bytes, become '?'.
std::string tqvUtf8ToCp1252(std::string_view utf8);
std::string tqvCp1252ToUtf8(std::string_view cp1252);
