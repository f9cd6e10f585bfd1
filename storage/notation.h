// The text notation reader: one value from the start of a string or buffer.
#pragma once

#include <string_view>

#include "storage/codecs.h"
#include "values/handle.h"

// Reads one value with the names of `constants` (a table from lower-case names to
// values); text after the first value is ignored.
tqvHandle tqvDecodeString(const tqvHandle& stringOrBuf, const tqvHandle& constants);
// tqvDecodeString with the standard constants: nil, true, false, the font styles and
// the colour names.
tqvHandle tqvDecodeStandard(const tqvHandle& stringOrBuf);
tqvHandle tqvStandardConstants();

// The screen size that the region form starts its bounding-box search from.
void tqvSetNotationScreenSize(TQVINT width, TQVINT height);
