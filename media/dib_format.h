// The bitmap file format read by "dib" images, and its checked decoding.
//
//   offset  size  field (little-endian)
//   0       2     "BM"
//   2       4     file size (not trusted)
//   6       4     reserved
//   10      4     offset of the pixel data from the start of the file (0: right after
//                 the colour table)
//   14      4     information header size: 40
//   18      4     width (positive)
//   22      4     height: positive for bottom-up rows, negative for top-down rows
//   26      2     planes (ignored)
//   28      2     bits per pixel: 8 or 24
//   30      4     compression: 0 none, 1 run-length encoded 8-bit (bottom-up only)
//   34      4     size of the pixel data (not trusted)
//   38      8     resolution (ignored)
//   46      4     colours used: 0 means 256 for 8 bits; at most 256 are taken
//   50      4     important colours (ignored)
//   54            colour table: blue, green, red, reserved per entry (8 bits only)
//
// Uncompressed rows hold width pixels (one index byte, or blue, green, red) padded to a
// multiple of 4 bytes. Run-length data is a series of byte pairs (n, v): n > 0 repeats
// index v n times; n = 0 is an escape: v = 0 ends the line, 1 ends the bitmap, 2 moves
// right and up by the next two bytes, v >= 3 copies the next v indices literally (padded
// to an even count). Pixels no code sets keep colour index 0.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "media/image.h"

struct tqvDIBLayout {
  TQVINT width = 0;
  TQVINT height = 0;  // always positive
  bool topDown = false;
  TQVINT bitsPerPixel = 0;
  bool runLength = false;
  size_t paletteOffset = 0;
  TQVINT paletteCount = 0;
  size_t pixelOffset = 0;
  size_t rowStride = 0;  // uncompressed rows only
};

// Checks the headers of `file` against its size. Returns "" and fills `layout` when
// the picture can be decoded; otherwise the message to report: "...: DIB data buffer
// size too small.", "...: DIB header not found.", "Unsupported bits per pixel: " N, or
// a message naming the offset of what is damaged (size, compression, colour table,
// pixel data). Run-length data is checked only by tqvCheckDIBRunLength.
std::string tqvReadDIBLayout(std::string_view file, tqvDIBLayout& layout);

// Walks the run-length data of a checked layout; "" when it stays inside the picture and
// the data and ends with the end-of-bitmap code, else the message with the offset of the
// code at fault.
std::string tqvCheckDIBRunLength(std::string_view file, const tqvDIBLayout& layout);

// The colour table of an 8-bit layout (empty for 24 bits).
std::vector<tqvPaletteEntry> tqvDIBPalette(std::string_view file, const tqvDIBLayout& layout);

// The colour indices of an 8-bit layout, top row first, `width` bytes a row. Returns ""
// or the run-length message.
std::string tqvDIBIndices(std::string_view file, const tqvDIBLayout& layout,
                          std::vector<uint8_t>& indices);

// Decodes a checked layout into a new RGB24 surface. Null, with the message in `error`,
// when the run-length data is damaged or the surface cannot be made.
cairo_surface_t* tqvDecodeDIB(std::string_view file, const tqvDIBLayout& layout,
                              std::string& error);
