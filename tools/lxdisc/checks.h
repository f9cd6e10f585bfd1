// The consistency checks a disc must pass before anything is written.
#pragma once

#include "tools/lxdisc/disc_model.h"

namespace lxdisc {

// Throws DiscError naming the first source that breaks a rule: identifiers outside
// 1..65535 or given twice in a family, titles given twice (ignoring case), media file
// names given twice or not plain lower-case names, a picture, related entry or link
// target that names nothing on the disc.
void checkDisc(const Disc& disc);

}  // namespace lxdisc
