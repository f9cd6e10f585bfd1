// Test helper: PNG files read back as 8-bit RGB through libpng, to check screenshots.
#pragma once

#include <png.h>

#include <cstring>
#include <string>
#include <vector>

struct RgbPicture {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rgb;  // rows top first, three bytes a pixel
  // 0xRRGGBB at (x, y), or -1 outside the picture.
  long pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return -1;
    const unsigned char* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
    return p[0] << 16 | p[1] << 8 | p[2];
  }
};

// False when the file cannot be read as a PNG.
inline bool readPng(const std::string& path, RgbPicture& picture) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_file(&image, path.c_str()) == 0) return false;
  image.format = PNG_FORMAT_RGB;
  picture.width = static_cast<int>(image.width);
  picture.height = static_cast<int>(image.height);
  picture.rgb.resize(PNG_IMAGE_SIZE(image));
  return png_image_finish_read(&image, nullptr, picture.rgb.data(), 0, nullptr) != 0;
}
