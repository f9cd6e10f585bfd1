// The bitmap control: where its image goes, its mask, the clipped part, the background
// it saves, and hiding it.
#include "controls/bitmap_control.h"

#include <gtest/gtest.h>

#include "tests/controls/controls_fixture.h"

namespace {

using Bitmap = ControlsTest;

constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kBlue = 0x0000FF;

TEST_F(Bitmap, TheImagesCornerGoesAtTheHotSpotsCorner) {
  discFile("red.bmp", solid(8, 6, kRed));
  startSession("");
  show(R"((form ("Control List" (list (control ("Class" "Bitmap")
      ("Hot Spot" (rect 100 50 40 40)) ("Image" "red.bmp"))))))");
  EXPECT_TRUE(all(100, 50, 108, 56, kRed));
  EXPECT_EQ(pixel(99, 50), kFormColour);
  EXPECT_EQ(pixel(100, 49), kFormColour);
  EXPECT_EQ(pixel(108, 50), kFormColour);  // the image's size, not the hot spot's
  EXPECT_EQ(pixel(100, 56), kFormColour);
}

TEST_F(Bitmap, TheMaskKeepsTheFormWhereItIsWhite) {
  discFile("red.bmp", solid(8, 6, kRed));
  discFile("half.bmp", bitmap(8, 6, [](int x, int) { return x < 4 ? 0x000000u : 0xFFFFFFu; }));
  startSession("");
  show(R"((form ("Control List" (list (control ("Class" "Bitmap")
      ("Hot Spot" (rect 10 10 8 6)) ("Image" "red.bmp") ("Mask" "half.bmp"))))))");
  EXPECT_TRUE(all(10, 10, 14, 16, kRed));
  EXPECT_TRUE(all(14, 10, 18, 16, kFormColour));
}

TEST_F(Bitmap, AClippedImageShowsTheHotSpotsSizeFromItsSourcePoint) {
  discFile("two.bmp", bitmap(8, 6, [](int x, int) { return x < 4 ? kRed : kBlue; }));
  startSession("");
  show(R"((form ("Control List" (list (control ("Class" "Bitmap") ("ClipImage" true)
      ("Hot Spot" (rect 30 30 2 3)) ("SrcX" 4) ("SrcY" 1) ("Image" "two.bmp"))))))");
  EXPECT_TRUE(all(30, 30, 32, 33, kBlue));
  EXPECT_EQ(pixel(32, 30), kFormColour);
  EXPECT_EQ(pixel(30, 33), kFormColour);
}

TEST_F(Bitmap, HidingPutsTheFormBackAndASavedBackgroundIsDrawnFirst) {
  discFile("red.bmp", solid(8, 6, kRed));
  discFile("blue.bmp", solid(4, 4, kBlue));
  discFile("hole.bmp",
           bitmap(4, 4, [](int x, int y) { return x == 0 && y == 0 ? 0xFFFFFFu : 0u; }));
  startSession("");
  show(R"((form ("Control List" (list
      (control ("Class" "Bitmap") ("Name" "Plain") ("Hot Spot" (rect 10 10 8 6))
               ("Image" "red.bmp"))
      (control ("Class" "Bitmap") ("Name" "Saving") ("Hot Spot" (rect 50 50 4 4))
               ("Image" "red.bmp") ("Save Background" true))))))");
  tqvPerform(control("Plain"), "Hidden", TQV_TRUE);
  EXPECT_TRUE(all(10, 10, 18, 16, kFormColour));
  EXPECT_TRUE(tqvTruth(tqvGet(control("Plain"), "Hidden")));

  // The saved background is what lay under the first drawing; a new image through a
  // mask with a hole shows it through the hole.
  auto* saving = static_cast<tqvBitmapControl*>(tqvAsControl(control("Saving")));
  ASSERT_TRUE(saving->hasSavedBackground());
  tqvPut(control("Saving"), "Mask", S("hole.bmp"));
  tqvPerform(control("Saving"), "SetImage", S("blue.bmp"));
  EXPECT_EQ(pixel(50, 50), kFormColour);
  EXPECT_EQ(pixel(51, 50), kBlue);
  tqvPerform(control("Saving"), "DiscardBK");
  EXPECT_FALSE(saving->hasSavedBackground());
}

}  // namespace
