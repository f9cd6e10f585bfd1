// Device-independent bitmap images ("dib"): the whole file image of a bitmap file,
// decoded into pixels on first use.
#pragma once

#include <string_view>

#include "media/image.h"
#include "storage/codecs.h"

class tqvDIBImageObject : public tqvImageObject, public tqvEncodable {
 public:
  // `fileBytes` is a buffer (kept, not copied) or a string (copied into a buffer).
  explicit tqvDIBImageObject(const tqvHandle& fileBytes);
  ~tqvDIBImageObject() override;

  // The size from the headers; 0 when they cannot be read.
  TQVINT width() override;
  TQVINT height() override;
  // Reports "tqvDIBImageObject::validate: DIB data buffer size too small.", "...: DIB
  // header not found.", "Unsupported bits per pixel: " N, or a message naming the offset
  // of a damaged size, colour table, pixel data or run-length code; false after a report.
  bool validate() override;
  std::vector<tqvPaletteEntry> palette() override;
  // Masks must be "context" or "dib" images, else "tqvDIBImageObject::renderIntoContext:
  // Mask image must be of type 'context' or 'dib'." and nothing is drawn.
  void render(tqvSurface& target, TQVINT x, TQVINT y, TQVINT width, TQVINT height, TQVINT sourceX,
              TQVINT sourceY, const tqvHandle& mask) override;
  void stretch(tqvSurface& target, TQVINT left, TQVINT top, TQVINT right, TQVINT bottom,
               const tqvHandle& mask) override;
  const char* subType() const override { return "dib"; }
  // 8 bits with the colour table, or 24 bits.
  bool getBits(tqvImageBits& bits) override;
  cairo_surface_t* pixels() override;

  // Kind "dib", then the file bytes as a buffer.
  void encodePayload(const tqvHandle& stream) const override;

  const tqvHandle& fileBytes() const { return bytes_; }

 private:
  std::string_view file() const;

  tqvHandle bytes_;
  cairo_surface_t* pixels_ = nullptr;
  bool failed_ = false;  // decoding was refused and reported once
};
