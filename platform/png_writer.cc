// PNG output through libpng's simplified interface, encoded in memory and then put in
// place in one step.
#include "platform/png_writer.h"

#include <png.h>

#include <cstring>
#include <vector>

#include "platform/replace_file.h"

namespace tqvPlatform {

bool writePng(const Picture& picture, const std::string& path, std::string& error) {
  if (picture.pixels == nullptr || picture.width <= 0 || picture.height <= 0) {
    error = "there is no picture";
    return false;
  }
  // The X byte of each pixel is not alpha: repack as plain RGB.
  std::vector<unsigned char> rgb(static_cast<size_t>(picture.width) * picture.height * 3);
  unsigned char* out = rgb.data();
  for (int32_t y = 0; y < picture.height; ++y) {
    const auto* row =
        reinterpret_cast<const uint32_t*>(reinterpret_cast<const unsigned char*>(picture.pixels) +
                                          static_cast<size_t>(y) * picture.stride);
    for (int32_t x = 0; x < picture.width; ++x) {
      uint32_t p = row[x];
      *out++ = static_cast<unsigned char>(p >> 16);
      *out++ = static_cast<unsigned char>(p >> 8);
      *out++ = static_cast<unsigned char>(p);
    }
  }
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(picture.width);
  image.height = static_cast<png_uint_32>(picture.height);
  image.format = PNG_FORMAT_RGB;
  // The first call only measures the encoded size.
  png_alloc_size_t size = 0;
  std::vector<unsigned char> encoded;
  int stride = picture.width * 3;
  bool ok = png_image_write_to_memory(&image, nullptr, &size, 0, rgb.data(), stride, nullptr) != 0;
  if (ok) {
    encoded.resize(size);
    ok = png_image_write_to_memory(&image, encoded.data(), &size, 0, rgb.data(), stride, nullptr) !=
         0;
  }
  if (!ok) {
    error = image.message[0] != '\0' ? image.message : "cannot encode the picture";
    png_image_free(&image);
    return false;
  }
  return replaceFile(path, std::string_view(reinterpret_cast<const char*>(encoded.data()), size),
                     error);
}

}  // namespace tqvPlatform
