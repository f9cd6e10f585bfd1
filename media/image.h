// Image values (type 18): device-independent bitmaps ("dib"), JPEG pictures ("jpg", and
// "pic" for JPEG data inside the picture container) and off-screen context images
// ("context"). Every kind can be drawn into a surface, whole or stretched, optionally
// through a mask image (white keeps the destination, black paints the image).
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "media/surface.h"
#include "values/handle.h"

// A colour table entry (the 256-colour palette of an 8-bit picture).
struct tqvPaletteEntry {
  uint8_t red, green, blue;
};

// The raw pixels of an image, as an 8-bit (with palette) or 24-bit bottom-up bitmap, the
// way the clipboard and printing take them.
struct tqvImageBits {
  TQVINT width = 0;
  TQVINT height = 0;
  TQVINT bitsPerPixel = 0;               // 8 or 24
  std::vector<tqvPaletteEntry> palette;  // 8-bit images only
  std::vector<uint8_t> rows;             // bottom-up rows, each padded to 4 bytes
};

class tqvImageObject : public tqvObject {
 public:
  virtual TQVINT width() = 0;
  virtual TQVINT height() = 0;
  // Checks the data; reports the kind's message and returns false when it is refused.
  virtual bool validate() = 0;
  // The colour table of an 8-bit picture; empty for the others.
  virtual std::vector<tqvPaletteEntry> palette() { return {}; }
  // Draws the part (sourceX, sourceY, width, height) at (x, y) of `target`; a width or
  // height of 0 means the image's own. `mask`, when not nil, is an image of a kind the
  // source accepts; otherwise the kind's mask message is reported and nothing is drawn.
  virtual void render(tqvSurface& target, TQVINT x, TQVINT y, TQVINT width, TQVINT height,
                      TQVINT sourceX, TQVINT sourceY, const tqvHandle& mask) = 0;
  // Draws the whole image scaled into the rectangle (left, top, right, bottom).
  virtual void stretch(tqvSurface& target, TQVINT left, TQVINT top, TQVINT right, TQVINT bottom,
                       const tqvHandle& mask) = 0;
  // "dib", "jpg", "pic" or "context".
  virtual const char* subType() const = 0;
  // The pixels for the clipboard and printing; false after a report.
  virtual bool getBits(tqvImageBits& bits) = 0;
  // The decoded pixels (RGB24), decoded on first use; null when the data is refused.
  virtual cairo_surface_t* pixels() = 0;

  TQVINT hash() const override { return tqvObject::hash(); }
  bool opGeometry(tqvGeometry which, TQVINT& result) override;
};

tqvImageObject* tqvAsImage(const tqvHandle& h);

// Draws `source` (a drawing context or an image) into `target` (a drawing context or a
// context image) at (x, y); width or height 0 means the source's own. Reports the
// "tqvDrawImage: ..." messages for wrong types.
void tqvDrawImage(const tqvHandle& target, const tqvHandle& source, TQVINT x, TQVINT y,
                  TQVINT width, TQVINT height, TQVINT sourceX, TQVINT sourceY,
                  const tqvHandle& mask = tqvHandle());
// Draws `source` scaled into `rectangle` (a region) of `target`; "tqvStretchImage: ...".
void tqvStretchImage(const tqvHandle& target, const tqvHandle& source, const tqvHandle& rectangle,
                     const tqvHandle& mask = tqvHandle());

// Registers the binary decoder of images (tag 18); called by the media library's
// start-up, and by tests that decode images.
void tqvRegisterImageCodecs();
