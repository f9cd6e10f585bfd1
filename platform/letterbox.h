// Placement of the media area in a window of any size: the largest whole-number scale
// that fits, centred, with black bars around it; and the way back from window to media
// coordinates.
#pragma once

#include <cstdint>

namespace tqvPlatform {

struct Letterbox {
  int32_t scale = 1;
  int32_t left = 0;  // offset of the media area in the output, output pixels
  int32_t top = 0;
  int32_t width = 0;  // size of the scaled media area, output pixels
  int32_t height = 0;
};

// Fits a media area of mediaWidth x mediaHeight into an output of outputWidth x
// outputHeight. The scale is at least 1, so an output smaller than the media area gets
// negative offsets and shows the middle of it. Media sizes below 1 count as 1.
Letterbox fitMedia(int32_t mediaWidth, int32_t mediaHeight, int32_t outputWidth,
                   int32_t outputHeight);

// The media pixel under an output position. Positions outside the media area give
// coordinates outside 0..size-1 (negative to the left and above), rounded toward minus
// infinity so that the pixel just left of the area is -1.
void outputToMedia(const Letterbox& box, int32_t outputX, int32_t outputY, int32_t& mediaX,
                   int32_t& mediaY);

// The whole-number scale for a new window on a screen whose usable area is
// screenWidth x screenHeight, leaving `reserveHeight` pixels for the window's title bar.
int32_t windowScaleFor(int32_t mediaWidth, int32_t mediaHeight, int32_t screenWidth,
                       int32_t screenHeight, int32_t reserveHeight);

}  // namespace tqvPlatform
