// Screenshots: the picture's pixels come back from the PNG file as written.
#include <gtest/gtest.h>
#include <png.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <vector>

#include "platform/png_writer.h"

namespace {

namespace fs = std::filesystem;

// Reads a PNG as 8-bit RGB through libpng.
bool readRgb(const std::string& path, int& width, int& height, std::vector<unsigned char>& rgb) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_file(&image, path.c_str()) == 0) return false;
  image.format = PNG_FORMAT_RGB;
  width = static_cast<int>(image.width);
  height = static_cast<int>(image.height);
  rgb.resize(PNG_IMAGE_SIZE(image));
  return png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr) != 0;
}

TEST(PngWriter, PixelsSurviveWithRowPadding) {
  // 3x2 with a stride of 4 pixels; the padding and the X byte must not leak in.
  std::vector<uint32_t> pixels = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xDEADBEEF,
                                  0xFF123456, 0x00000000, 0x00FFFFFF, 0xDEADBEEF};
  tqvPlatform::Picture picture{pixels.data(), 3, 2, 16};
  fs::path path = fs::temp_directory_path() / ("tqv-shot-" + std::to_string(::getpid()) + ".png");
  std::string error;
  ASSERT_TRUE(tqvPlatform::writePng(picture, path.string(), error)) << error;
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rgb;
  ASSERT_TRUE(readRgb(path.string(), width, height, rgb));
  fs::remove(path);
  EXPECT_EQ(width, 3);
  EXPECT_EQ(height, 2);
  std::vector<unsigned char> expected = {255,  0,    0,    0, 255, 0, 0,   0,   255,
                                         0x12, 0x34, 0x56, 0, 0,   0, 255, 255, 255};
  EXPECT_EQ(rgb, expected);
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
