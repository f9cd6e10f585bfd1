// The disc's word index ("KeyWord.idx" and "KeyWord.dat"): every word of the entries'
// titles and texts, of the media's titles and captions and of the maps' titles and data
// sheets, in comparison form, with the result references of the items that hold it.
#pragma once

#include <filesystem>

#include "tools/lxdisc/disc_model.h"

namespace lxdisc {

void writeWordIndex(const Disc& disc, const std::filesystem::path& media);

}  // namespace lxdisc
