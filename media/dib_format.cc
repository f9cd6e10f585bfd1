// Reading bitmap files: header checks, colour tables, run-length data and pixel rows.
#include "media/dib_format.h"

#include <cstring>

#include "media/image_blit.h"

namespace {

constexpr const char* kPrefix = "tqvDIBImageObject::validate: ";
constexpr size_t kFileHeaderSize = 14;
constexpr size_t kInfoHeaderSize = 40;
constexpr size_t kHeadersSize = kFileHeaderSize + kInfoHeaderSize;

uint32_t u16(std::string_view f, size_t at) {
  auto b = reinterpret_cast<const unsigned char*>(f.data()) + at;
  return uint32_t{b[0]} | uint32_t{b[1]} << 8;
}
uint32_t u32(std::string_view f, size_t at) {
  return u16(f, at) | u16(f, at + 2) << 16;
}
const unsigned char* bytesAt(std::string_view f, size_t at) {
  return reinterpret_cast<const unsigned char*>(f.data()) + at;
}

std::string damaged(const std::string& what) {
  return kPrefix + what;
}

// Walks run-length data, writing indices into `out` (top row first) when not null.
std::string walkRunLength(std::string_view file, const tqvDIBLayout& layout, uint8_t* out) {
  const unsigned char* d = bytesAt(file, 0);
  size_t end = file.size();
  size_t p = layout.pixelOffset;
  int64_t width = layout.width;
  int64_t height = layout.height;
  int64_t x = 0;
  int64_t y = 0;  // from the bottom
  auto row = [&](int64_t fromBottom) {
    return out + static_cast<size_t>(height - 1 - fromBottom) * static_cast<size_t>(width);
  };
  auto offPicture = [&](size_t at) {
    return damaged("RLE data runs off the picture at offset " + std::to_string(at) + ".");
  };
  for (;;) {
    size_t at = p;
    if (end - p < 2) {
      return damaged("RLE data ends at offset " + std::to_string(at) +
                     " without an end-of-bitmap code.");
    }
    unsigned n = d[p];
    unsigned v = d[p + 1];
    p += 2;
    if (n > 0) {
      if (y >= height || x + n > width) return offPicture(at);
      if (out != nullptr) std::memset(row(y) + x, static_cast<int>(v), n);
      x += n;
      continue;
    }
    switch (v) {
      case 0:  // end of line
        x = 0;
        if (++y > height) return offPicture(at);
        break;
      case 1:  // end of bitmap
        return "";
      case 2:  // delta
        if (end - p < 2) {
          return damaged("RLE data ends at offset " + std::to_string(at) + " inside a move code.");
        }
        x += d[p];
        y += d[p + 1];
        p += 2;
        if (x > width || y > height) return offPicture(at);
        break;
      default:  // literal run
        if (y >= height || x + v > width) return offPicture(at);
        if (end - p < v) {
          return damaged("RLE data ends at offset " + std::to_string(at) +
                         " inside a literal run.");
        }
        if (out != nullptr) std::memcpy(row(y) + x, d + p, v);
        x += v;
        p += v + (v & 1);
        if (p > end) p = end;
        break;
    }
  }
}

}  // namespace

std::string tqvReadDIBLayout(std::string_view file, tqvDIBLayout& layout) {
  layout = tqvDIBLayout{};
  if (file.size() < kFileHeaderSize) return damaged("DIB data buffer size too small.");
  if (file[0] != 'B' || file[1] != 'M' || file.size() < kHeadersSize ||
      u32(file, kFileHeaderSize) != kInfoHeaderSize) {
    return damaged("DIB header not found.");
  }
  uint32_t bits = u16(file, 28);
  if (bits != 8 && bits != 24) return "Unsupported bits per pixel: " + std::to_string(bits);
  layout.bitsPerPixel = static_cast<TQVINT>(bits);

  auto width = static_cast<int32_t>(u32(file, 18));
  auto height = static_cast<int32_t>(u32(file, 22));
  int64_t rows = height < 0 ? -int64_t{height} : int64_t{height};
  if (!tqvImageSizeAllowed(width, rows)) {
    return damaged("Bad DIB size " + std::to_string(width) + " x " + std::to_string(height) +
                   " at offset 18.");
  }
  layout.width = width;
  layout.height = static_cast<TQVINT>(rows);
  layout.topDown = height < 0;

  uint32_t compression = u32(file, 30);
  if (compression == 1 && bits == 8) {
    layout.runLength = true;
  } else if (compression != 0) {
    return damaged("Unsupported DIB compression " + std::to_string(compression) + " at offset 30.");
  }
  if (layout.runLength && layout.topDown) {
    return damaged("Run-length DIB cannot be top-down (height at offset 22).");
  }

  size_t tableEnd = kHeadersSize;
  if (bits == 8) {
    uint32_t used = u32(file, 46);
    layout.paletteCount = used == 0 || used > 256 ? 256 : static_cast<TQVINT>(used);
    layout.paletteOffset = kHeadersSize;
    tableEnd += 4 * static_cast<size_t>(layout.paletteCount);
    if (tableEnd > file.size()) {
      return damaged("DIB colour table of " + std::to_string(layout.paletteCount) +
                     " entries at offset 54 runs past the end of the data (" +
                     std::to_string(file.size()) + " bytes).");
    }
  }
  uint32_t offset = u32(file, 10);
  layout.pixelOffset = offset == 0 ? tableEnd : offset;
  if (layout.pixelOffset < kHeadersSize || layout.pixelOffset > file.size()) {
    return damaged("DIB pixel data offset " + std::to_string(offset) +
                   " (at offset 10) is outside the data (" + std::to_string(file.size()) +
                   " bytes).");
  }
  if (!layout.runLength) {
    size_t rowBytes = static_cast<size_t>(layout.width) * (bits / 8);
    layout.rowStride = (rowBytes + 3) & ~size_t{3};
    // The last row may lack its padding.
    size_t needed = layout.rowStride * (static_cast<size_t>(layout.height) - 1) + rowBytes;
    if (needed > file.size() - layout.pixelOffset) {
      return damaged("DIB pixel rows from offset " + std::to_string(layout.pixelOffset) + " need " +
                     std::to_string(needed) + " bytes; the data holds " +
                     std::to_string(file.size() - layout.pixelOffset) + ".");
    }
  }
  return "";
}

std::string tqvCheckDIBRunLength(std::string_view file, const tqvDIBLayout& layout) {
  return layout.runLength ? walkRunLength(file, layout, nullptr) : "";
}

std::vector<tqvPaletteEntry> tqvDIBPalette(std::string_view file, const tqvDIBLayout& layout) {
  std::vector<tqvPaletteEntry> palette;
  if (layout.bitsPerPixel != 8) return palette;
  palette.reserve(static_cast<size_t>(layout.paletteCount));
  for (TQVINT i = 0; i < layout.paletteCount; ++i) {
    const unsigned char* q = bytesAt(file, layout.paletteOffset + 4 * static_cast<size_t>(i));
    palette.push_back({q[2], q[1], q[0]});
  }
  return palette;
}

std::string tqvDIBIndices(std::string_view file, const tqvDIBLayout& layout,
                          std::vector<uint8_t>& indices) {
  auto width = static_cast<size_t>(layout.width);
  auto height = static_cast<size_t>(layout.height);
  indices.assign(width * height, 0);
  if (layout.runLength) return walkRunLength(file, layout, indices.data());
  for (size_t r = 0; r < height; ++r) {
    size_t fileRow = layout.topDown ? r : height - 1 - r;
    std::memcpy(indices.data() + r * width,
                bytesAt(file, layout.pixelOffset + fileRow * layout.rowStride), width);
  }
  return "";
}

cairo_surface_t* tqvDecodeDIB(std::string_view file, const tqvDIBLayout& layout,
                              std::string& error) {
  std::vector<uint8_t> indices;
  if (layout.runLength) {
    error = tqvDIBIndices(file, layout, indices);
    if (!error.empty()) return nullptr;
  }
  cairo_surface_t* surface = tqvNewPixelSurface(layout.width, layout.height);
  if (surface == nullptr) {
    error = "tqvDIBImageObject: Cannot make a picture of " + std::to_string(layout.width) + " x " +
            std::to_string(layout.height) + ".";
    return nullptr;
  }
  cairo_surface_flush(surface);
  unsigned char* data = cairo_image_surface_get_data(surface);
  auto stride = static_cast<size_t>(cairo_image_surface_get_stride(surface));
  auto width = static_cast<size_t>(layout.width);
  auto height = static_cast<size_t>(layout.height);

  uint32_t colours[256] = {};  // indices past the table are black
  std::vector<tqvPaletteEntry> palette = tqvDIBPalette(file, layout);
  for (size_t i = 0; i < palette.size(); ++i) {
    colours[i] = 0xFF000000u | uint32_t{palette[i].red} << 16 | uint32_t{palette[i].green} << 8 |
                 palette[i].blue;
  }

  for (size_t r = 0; r < height; ++r) {
    auto* out = reinterpret_cast<uint32_t*>(data + r * stride);
    if (layout.runLength) {
      const uint8_t* in = indices.data() + r * width;
      for (size_t x = 0; x < width; ++x) out[x] = colours[in[x]];
      continue;
    }
    size_t fileRow = layout.topDown ? r : height - 1 - r;
    const unsigned char* in = bytesAt(file, layout.pixelOffset + fileRow * layout.rowStride);
    if (layout.bitsPerPixel == 8) {
      for (size_t x = 0; x < width; ++x) out[x] = colours[in[x]];
    } else {
      for (size_t x = 0; x < width; ++x, in += 3) {
        out[x] = 0xFF000000u | uint32_t{in[2]} << 16 | uint32_t{in[1]} << 8 | in[0];
      }
    }
  }
  cairo_surface_mark_dirty(surface);
  return surface;
}
