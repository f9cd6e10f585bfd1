// Reading the sources of a demo disc from a content directory.
#pragma once

#include <filesystem>

#include "tools/lxdisc/disc_model.h"

namespace lxdisc {

// Reads categories, entries, media, maps and the country table under `content`, adds the
// map and flag media every map implies, and sorts each family by title. Throws
// DiscError for a source that cannot be read or lacks a required field.
Disc readDisc(const std::filesystem::path& content);

// Keys and values of a header file: "Key: value" lines, "#" comments and blank lines
// skipped. Throws DiscError on any other line.
std::vector<std::pair<std::string, std::string>> readHeader(const std::filesystem::path& file);

std::string readText(const std::filesystem::path& file);

}  // namespace lxdisc
