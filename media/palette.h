// Palettes as data (the screen is true colour) and the timing of palette cross-fades,
// which the transitions show as blends of the presented picture.
#pragma once

#include <array>
#include <functional>

#include "media/image.h"

using tqvPalette = std::array<tqvPaletteEntry, 256>;

// The system's twenty fixed colours in entries 0-9 and 246-255, black elsewhere.
tqvPalette tqvSystemPalette();
// A palette whose animated entries (10-245) come from an image's colour table (its
// first 236 colours), the fixed entries from the system.
tqvPalette tqvPaletteFromColours(const std::vector<tqvPaletteEntry>& colours);
// Entries 10-245 blended: (a * (128 - t) + b * t) >> 7 per component; the others from a.
tqvPalette tqvBlendPalettes(const tqvPalette& a, const tqvPalette& b, int t);

// Runs a cross-fade of `durationMs` on the framework clock: calls `round(t)` with t from 0
// to 128, (now - start) * 128 / duration, skipping rounds in which the clock has not
// moved, and last with 128. A duration of 0 or less calls round(128) at once. Between
// rounds it lets the clock run (really, or virtually in headless sessions).
void tqvRunCrossFade(TQVINT durationMs, const std::function<void(int t)>& round);
