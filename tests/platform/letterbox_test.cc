// Whole-number scaling of the media area and the way back to media pixels.
#include <gtest/gtest.h>

#include "platform/letterbox.h"

namespace {

using tqvPlatform::fitMedia;
using tqvPlatform::Letterbox;
using tqvPlatform::outputToMedia;
using tqvPlatform::windowScaleFor;

TEST(Letterbox, LargestWholeScaleCentred) {
  Letterbox exact = fitMedia(640, 480, 1280, 960);
  EXPECT_EQ(exact.scale, 2);
  EXPECT_EQ(exact.left, 0);
  EXPECT_EQ(exact.top, 0);

  // A full-HD screen: 3x would need 1440 lines, so 2x with bars on all sides.
  Letterbox wide = fitMedia(640, 480, 1920, 1080);
  EXPECT_EQ(wide.scale, 2);
  EXPECT_EQ(wide.width, 1280);
  EXPECT_EQ(wide.height, 960);
  EXPECT_EQ(wide.left, 320);
  EXPECT_EQ(wide.top, 60);

  Letterbox odd = fitMedia(640, 480, 1001, 700);
  EXPECT_EQ(odd.scale, 1);
  EXPECT_EQ(odd.left, 180);
  EXPECT_EQ(odd.top, 110);
}

TEST(Letterbox, SmallOutputKeepsScaleOne) {
  Letterbox box = fitMedia(640, 480, 600, 401);
  EXPECT_EQ(box.scale, 1);
  EXPECT_EQ(box.left, -20);
  EXPECT_EQ(box.top, -40);  // -39.5 rounds down
  Letterbox degenerate = fitMedia(0, -5, 100, 100);
  EXPECT_EQ(degenerate.scale, 100);
}

TEST(Letterbox, OutputPositionsMapBackToMediaPixels) {
  Letterbox box = fitMedia(640, 480, 1920, 1080);  // scale 2 at (320, 60)
  int32_t x = 0;
  int32_t y = 0;
  outputToMedia(box, 320, 60, x, y);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  outputToMedia(box, 321, 61, x, y);  // same media pixel
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  outputToMedia(box, 322, 63, x, y);
  EXPECT_EQ(x, 1);
  EXPECT_EQ(y, 1);
  outputToMedia(box, 1599, 1019, x, y);
  EXPECT_EQ(x, 639);
  EXPECT_EQ(y, 479);
  // Just outside the area: -1 and 640, never 0 or 639.
  outputToMedia(box, 319, 59, x, y);
  EXPECT_EQ(x, -1);
  EXPECT_EQ(y, -1);
  outputToMedia(box, 1600, 1020, x, y);
  EXPECT_EQ(x, 640);
  EXPECT_EQ(y, 480);
}

TEST(Letterbox, WindowScaleLeavesRoomForTheTitleBar) {
  EXPECT_EQ(windowScaleFor(640, 480, 1920, 1040, 48), 2);  // 992 lines free: 2x
  EXPECT_EQ(windowScaleFor(640, 480, 2560, 1440, 48), 2);  // 1392 < 1440
  EXPECT_EQ(windowScaleFor(640, 480, 2560, 1528, 48), 3);
  EXPECT_EQ(windowScaleFor(640, 480, 1366, 728, 48), 1);
  EXPECT_EQ(windowScaleFor(640, 480, 320, 200, 48), 1);  // never below 1
}

}  // namespace
