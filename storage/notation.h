// The text notation reader: one value from the start of a string or buffer.
#pragma once

#include <string_view>

#include "values/handle.h"

// Reads one value with the names of `constants` (a table from lower-case names to
// values); text after the first value is ignored.
tqvHandle tqvDecodeString(const tqvHandle& stringOrBuf, const tqvHandle& constants);
// tqvDecodeString with the standard constants: nil, true, false, the font styles and
// the colour names.
tqvHandle tqvDecodeStandard(const tqvHandle& stringOrBuf);
tqvHandle tqvStandardConstants();

// Makers of the objects that the reader does not build itself: "form" and "control"
// receive the property table, "reference", "image", "sound" and "soundfile" the name.
// Until one is registered, reading its form reports "Cannot decode this type: ".
using tqvNotationFactory = tqvHandle (*)(const tqvHandle& argument);
void tqvRegisterNotationFactory(std::string_view keyword, tqvNotationFactory factory);

// The screen size that the region form starts its bounding-box search from.
void tqvSetNotationScreenSize(TQVINT width, TQVINT height);
