// Whole-number scaling of the media area and the mapping back to media pixels.
#include "platform/letterbox.h"

#include <algorithm>

namespace tqvPlatform {
namespace {

int32_t floorDiv(int32_t a, int32_t b) {
  int32_t q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}

}  // namespace

Letterbox fitMedia(int32_t mediaWidth, int32_t mediaHeight, int32_t outputWidth,
                   int32_t outputHeight) {
  mediaWidth = std::max(mediaWidth, 1);
  mediaHeight = std::max(mediaHeight, 1);
  Letterbox box;
  box.scale = std::max(1, std::min(outputWidth / mediaWidth, outputHeight / mediaHeight));
  box.width = mediaWidth * box.scale;
  box.height = mediaHeight * box.scale;
  box.left = floorDiv(outputWidth - box.width, 2);
  box.top = floorDiv(outputHeight - box.height, 2);
  return box;
}

void outputToMedia(const Letterbox& box, int32_t outputX, int32_t outputY, int32_t& mediaX,
                   int32_t& mediaY) {
  int32_t scale = std::max(box.scale, 1);
  mediaX = floorDiv(outputX - box.left, scale);
  mediaY = floorDiv(outputY - box.top, scale);
}

int32_t windowScaleFor(int32_t mediaWidth, int32_t mediaHeight, int32_t screenWidth,
                       int32_t screenHeight, int32_t reserveHeight) {
  mediaWidth = std::max(mediaWidth, 1);
  mediaHeight = std::max(mediaHeight, 1);
  return std::max(1,
                  std::min(screenWidth / mediaWidth, (screenHeight - reserveHeight) / mediaHeight));
}

}  // namespace tqvPlatform
