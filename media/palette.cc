// Palette data and the cross-fade clock loop.
#include "media/palette.h"

#include <algorithm>

#include "framework/runtime.h"

namespace {

constexpr int kFirstAnimated = 10;
constexpr int kLastAnimated = 245;
// How long a round waits for the clock before looking again.
constexpr uint32_t kRoundMs = 10;

// The fixed colours of the system palette.
constexpr tqvPaletteEntry kLowSystem[10] = {
    {0, 0, 0},     {128, 0, 0},   {0, 128, 0},     {128, 128, 0},   {0, 0, 128},
    {128, 0, 128}, {0, 128, 128}, {192, 192, 192}, {192, 220, 192}, {166, 202, 240}};
constexpr tqvPaletteEntry kHighSystem[10] = {
    {255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0},   {0, 255, 0},
    {255, 255, 0},   {0, 0, 255},     {255, 0, 255},   {0, 255, 255}, {255, 255, 255}};

void pause(uint32_t ms) {
  if (tqvPlatform::Backend* backend = tqvBackend()) backend->delay(ms);
}

}  // namespace

tqvPalette tqvSystemPalette() {
  tqvPalette p{};
  for (int i = 0; i < 10; ++i) {
    p[i] = kLowSystem[i];
    p[246 + i] = kHighSystem[i];
  }
  return p;
}

tqvPalette tqvPaletteFromColours(const std::vector<tqvPaletteEntry>& colours) {
  tqvPalette p = tqvSystemPalette();
  size_t n = std::min<size_t>(colours.size(), kLastAnimated - kFirstAnimated + 1);
  for (size_t i = 0; i < n; ++i) p[kFirstAnimated + i] = colours[i];
  return p;
}

tqvPalette tqvBlendPalettes(const tqvPalette& a, const tqvPalette& b, int t) {
  tqvPalette out = a;
  for (int i = kFirstAnimated; i <= kLastAnimated; ++i) {
    out[i].red = static_cast<uint8_t>((a[i].red * (128 - t) + b[i].red * t) >> 7);
    out[i].green = static_cast<uint8_t>((a[i].green * (128 - t) + b[i].green * t) >> 7);
    out[i].blue = static_cast<uint8_t>((a[i].blue * (128 - t) + b[i].blue * t) >> 7);
  }
  return out;
}

void tqvRunCrossFade(TQVINT durationMs, const std::function<void(int t)>& round) {
  if (durationMs <= 0) {
    round(128);
    return;
  }
  uint32_t start = tqvTickCount();
  uint32_t end = start + static_cast<uint32_t>(durationMs);
  bool first = true;
  uint32_t last = start;
  for (;;) {
    uint32_t elapsed =
        std::min<uint32_t>(tqvTickCount() - start, static_cast<uint32_t>(durationMs));
    uint32_t now = start + elapsed;
    if (first || now != last) {
      round(static_cast<int>(static_cast<int64_t>(elapsed) * 128 / durationMs));
      first = false;
      last = now;
    }
    if (now == end) break;
    pause(kRoundMs);
  }
}
