// Screenshots: the picture's pixels come back from the PNG file as written.
#include <gtest/gtest.h>

#include <vector>

#include "platform/png_writer.h"
#include "tests/support/png_reading.h"
#include "tests/support/temp_dir.h"

namespace {

TEST(PngWriter, PixelsSurviveWithRowPadding) {
  // 3x2 with a stride of 4 pixels; the padding and the X byte must not leak in.
  std::vector<uint32_t> pixels = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xDEADBEEF,
                                  0xFF123456, 0x00000000, 0x00FFFFFF, 0xDEADBEEF};
  tqvPlatform::Picture picture{pixels.data(), 3, 2, 16};
  TempDir dir;
  std::string error;
  ASSERT_TRUE(tqvPlatform::writePng(picture, dir.file("shot.png"), error)) << error;
  RgbPicture read;
  ASSERT_TRUE(readPng(dir.file("shot.png"), read));
  EXPECT_EQ(read.width, 3);
  EXPECT_EQ(read.height, 2);
  std::vector<unsigned char> expected = {255,  0,    0,    0, 255, 0, 0,   0,   255,
                                         0x12, 0x34, 0x56, 0, 0,   0, 255, 255, 255};
  EXPECT_EQ(read.rgb, expected);
}

TEST(PngWriter, FailuresAreReported) {
  uint32_t pixel = 0;
  tqvPlatform::Picture picture{&pixel, 1, 1, 4};
  std::string error;
  EXPECT_FALSE(tqvPlatform::writePng(picture, "/nonexistent-dir/x.png", error));
  EXPECT_FALSE(error.empty());
  error.clear();
  EXPECT_FALSE(tqvPlatform::writePng(tqvPlatform::Picture{}, "/tmp/never.png", error));
  EXPECT_FALSE(error.empty());
}

}  // namespace
