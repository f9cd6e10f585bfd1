// Writing the content archives, the catalogue indexes and the category lists.
#pragma once

#include <filesystem>

#include "tools/lxdisc/disc_model.h"

namespace lxdisc {

// Section codes of result references (high 16 bits) in the general name list.
enum SectionCode { kEntriesSection = 1, kMediaSection = 2, kAtlasSection = 3 };

// The names of every catalogue file the disc holds, archives first.
const std::vector<std::string>& catalogueFiles();

// Writes every file of catalogueFiles() into `media` (the pictures must be there
// already: media records carry them). The storage layer reports its own failures.
void writeCatalogues(const Disc& disc, const std::filesystem::path& media);

}  // namespace lxdisc
