// Whole-number scaling of the media area and the way back to media pixels.
#include <gtest/gtest.h>

#include "platform/letterbox.h"

namespace {

using tqvPlatform::fitMedia;
using tqvPlatform::Letterbox;
using tqvPlatform::outputToMedia;
using tqvPlatform::windowScaleFor;

TEST(Letterbox, LargestWholeScaleCentred) {
  const struct {
    int32_t mediaWidth, mediaHeight, outputWidth, outputHeight, scale, left, top;
  } cases[] = {
      {640, 480, 1280, 960, 2, 0, 0},
      {640, 480, 1920, 1080, 2, 320, 60},  // 3x would need 1440 lines: bars on all sides
      {640, 480, 1001, 700, 1, 180, 110},
      {640, 480, 600, 401, 1, -20, -40},  // smaller than the media area; -39.5 rounds down
      {0, -5, 100, 100, 100, 0, 0},       // media sizes below 1 count as 1
  };
  for (const auto& c : cases) {
    Letterbox box = fitMedia(c.mediaWidth, c.mediaHeight, c.outputWidth, c.outputHeight);
    EXPECT_EQ(box.scale, c.scale) << c.outputWidth << "x" << c.outputHeight;
    EXPECT_EQ(box.left, c.left) << c.outputWidth << "x" << c.outputHeight;
    EXPECT_EQ(box.top, c.top) << c.outputWidth << "x" << c.outputHeight;
  }
  Letterbox wide = fitMedia(640, 480, 1920, 1080);
  EXPECT_EQ(wide.width, 1280);
  EXPECT_EQ(wide.height, 960);
}

TEST(Letterbox, OutputPositionsMapBackToMediaPixels) {
  Letterbox box = fitMedia(640, 480, 1920, 1080);  // scale 2 at (320, 60)
  const int32_t cases[][4] = {
      {320, 60, 0, 0},        {321, 61, 0, 0},  // the same media pixel
      {322, 63, 1, 1},        {1599, 1019, 639, 479},
      {319, 59, -1, -1},  // just outside the area: -1 and 640, never 0 or 639
      {1600, 1020, 640, 480},
  };
  for (const auto& c : cases) {
    int32_t x = 0, y = 0;
    outputToMedia(box, c[0], c[1], x, y);
    EXPECT_EQ(x, c[2]) << c[0];
    EXPECT_EQ(y, c[3]) << c[1];
  }
}

TEST(Letterbox, WindowScaleLeavesRoomForTheTitleBar) {
  EXPECT_EQ(windowScaleFor(640, 480, 1920, 1040, 48), 2);  // 992 lines free: 2x
  EXPECT_EQ(windowScaleFor(640, 480, 2560, 1440, 48), 2);  // 1392 < 1440
  EXPECT_EQ(windowScaleFor(640, 480, 2560, 1528, 48), 3);
  EXPECT_EQ(windowScaleFor(640, 480, 1366, 728, 48), 1);
  EXPECT_EQ(windowScaleFor(640, 480, 320, 200, 48), 1);  // never below 1
}

}  // namespace
