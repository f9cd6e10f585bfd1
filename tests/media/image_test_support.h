// Helpers for image tests: bitmap files written field by field, context images filled
// with a colour, refusals and pixel reads.
#pragma once

#include <cairo.h>
#include <gtest/gtest.h>
#include <turbojpeg.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "media/context_image.h"
#include "media/image.h"
#include "media/image_factory.h"
#include "tests/values/error_capture.h"
#include "values/buffer.h"
#include "values/string.h"

namespace image_test {

// Little-endian fields.
inline void put16(std::string& out, uint32_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>(v >> 8 & 0xFF);
}
inline void put32(std::string& out, uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}

struct Colour {
  uint8_t red, green, blue;
};

// The two headers of a bitmap file. `height` is negative for top-down rows.
inline std::string headers(int32_t width, int32_t height, uint16_t bits, uint32_t compression,
                           uint32_t colours, uint32_t pixelOffset, uint32_t fileSize) {
  std::string out = "BM";
  put32(out, fileSize);
  put32(out, 0);
  put32(out, pixelOffset);
  put32(out, 40);
  put32(out, static_cast<uint32_t>(width));
  put32(out, static_cast<uint32_t>(height));
  put16(out, 1);
  put16(out, bits);
  put32(out, compression);
  put32(out, 0);
  put32(out, 2835);
  put32(out, 2835);
  put32(out, colours);
  put32(out, 0);
  return out;
}

inline std::string colourTable(const std::vector<Colour>& palette) {
  std::string out;
  for (const Colour& c : palette) {
    out += static_cast<char>(c.blue);
    out += static_cast<char>(c.green);
    out += static_cast<char>(c.red);
    out += '\0';
  }
  return out;
}

// An 8-bit bitmap; `rows` are given top row first and written in file order, each
// padded to 4 bytes.
inline std::string bitmap8(const std::vector<Colour>& palette,
                           const std::vector<std::vector<uint8_t>>& rows, bool topDown = false) {
  auto width = static_cast<int32_t>(rows.front().size());
  auto height = static_cast<int32_t>(rows.size());
  std::string pixels;
  for (size_t i = 0; i < rows.size(); ++i) {
    const auto& row = rows[topDown ? i : rows.size() - 1 - i];
    pixels.append(row.begin(), row.end());
    while (pixels.size() % 4 != 0) pixels += '\x00';
  }
  auto offset = static_cast<uint32_t>(54 + 4 * palette.size());
  std::string out =
      headers(width, topDown ? -height : height, 8, 0, static_cast<uint32_t>(palette.size()),
              offset, offset + static_cast<uint32_t>(pixels.size()));
  return out + colourTable(palette) + pixels;
}

// A 24-bit bitmap; `rows` top row first.
inline std::string bitmap24(const std::vector<std::vector<Colour>>& rows, bool topDown = false) {
  auto width = static_cast<int32_t>(rows.front().size());
  auto height = static_cast<int32_t>(rows.size());
  std::string pixels;
  for (size_t i = 0; i < rows.size(); ++i) {
    for (const Colour& c : rows[topDown ? i : rows.size() - 1 - i]) {
      pixels += static_cast<char>(c.blue);
      pixels += static_cast<char>(c.green);
      pixels += static_cast<char>(c.red);
    }
    while (pixels.size() % 4 != 0) pixels += '\x00';
  }
  std::string out = headers(width, topDown ? -height : height, 24, 0, 0, 54,
                            54 + static_cast<uint32_t>(pixels.size()));
  return out + pixels;
}

// A run-length 8-bit bitmap with the given codes.
inline std::string bitmapRle(int32_t width, int32_t height, const std::vector<Colour>& palette,
                             std::initializer_list<int> codes) {
  std::string data;
  for (int c : codes) data += static_cast<char>(c);
  auto offset = static_cast<uint32_t>(54 + 4 * palette.size());
  return headers(width, height, 8, 1, static_cast<uint32_t>(palette.size()), offset,
                 offset + static_cast<uint32_t>(data.size())) +
         colourTable(palette) + data;
}

inline tqvHandle buffer(const std::string& bytes) {
  tqvHandle b = tqvBuffer(static_cast<TQVINT>(bytes.size()));
  tqvBufferObject* o = tqvAsBuffer(b);
  std::copy(bytes.begin(), bytes.end(), o->data());
  o->setLength(static_cast<TQVINT>(bytes.size()));
  return b;
}

inline tqvHandle image(const std::string& bytes, const char* name = "picture.bmp") {
  return tqvMakeImage(buffer(bytes), tqvMakeString(name));
}

// What making an image of `bytes` reports; the image must be refused.
inline std::string refusal(const std::string& bytes, const char* name = "picture.bmp") {
  ErrorCapture errors;
  EXPECT_TRUE(image(bytes, name).isNil());
  return errors.take();
}

// The 24 colour bits of pixel (x, y) of an image's pixels or a surface.
inline uint32_t pixel(cairo_surface_t* s, int x, int y) {
  cairo_surface_flush(s);
  const unsigned char* data = cairo_image_surface_get_data(s);
  int stride = cairo_image_surface_get_stride(s);
  return reinterpret_cast<const uint32_t*>(data + y * stride)[x] & 0xFFFFFF;
}
inline uint32_t pixel(const tqvHandle& h, int x, int y) {
  return pixel(tqvAsImage(h)->pixels(), x, y);
}

// A context image of the given size filled with one colour (0xRRGGBB).
inline tqvHandle filledContext(int width, int height, uint32_t colour) {
  tqvHandle h = tqvMakeContextImage(width, height);
  cairo_surface_t* s = tqvAsImage(h)->pixels();
  cairo_surface_flush(s);
  unsigned char* data = cairo_image_surface_get_data(s);
  int stride = cairo_image_surface_get_stride(s);
  for (int y = 0; y < height; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
    for (int x = 0; x < width; ++x) row[x] = colour;
  }
  cairo_surface_mark_dirty(s);
  return h;
}

// A JPEG file of the picture `rgb` (red, green, blue per pixel, rows top first), made by
// the library itself at quality 100 without chroma subsampling (or grey).
inline std::string jpegFile(int width, int height, const std::vector<uint8_t>& rgb,
                            bool grey = false) {
  tjhandle tj = tjInitCompress();
  unsigned char* out = nullptr;
  unsigned long size = 0;
  int status = tjCompress2(tj, rgb.data(), width, width * 3, height, TJPF_RGB, &out, &size,
                           grey ? TJSAMP_GRAY : TJSAMP_444, 100, 0);
  std::string bytes = status == 0 ? std::string(reinterpret_cast<char*>(out), size) : "";
  tjFree(out);
  tjDestroy(tj);
  return bytes;
}

// Every pixel of a surface, top row first, as 0xRRGGBB.
inline std::vector<uint32_t> allPixels(const tqvHandle& h) {
  cairo_surface_t* s = tqvAsImage(h)->pixels();
  std::vector<uint32_t> out;
  for (int y = 0; y < cairo_image_surface_get_height(s); ++y) {
    for (int x = 0; x < cairo_image_surface_get_width(s); ++x) out.push_back(pixel(s, x, y));
  }
  return out;
}

}  // namespace image_test
