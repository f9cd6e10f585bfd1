// JPEG pictures ("jpg"), and "pic" files that carry a JPEG stream inside their own
// container; decoded into pixels on first use.
#pragma once

#include <string_view>

#include "media/image.h"
#include "storage/codecs.h"

class tqvJPEGImageObject : public tqvImageObject, public tqvEncodable {
 public:
  // `fileBytes` is a buffer (kept) or a string (copied). With `container`, the JPEG
  // stream starts at the first start-of-image marker found in the bytes.
  tqvJPEGImageObject(const tqvHandle& fileBytes, bool container);
  ~tqvJPEGImageObject() override;

  // The size from the JPEG header; 0 when it cannot be read.
  TQVINT width() override;
  TQVINT height() override;
  // Reads the header: "Invalid JPEG file" when the decoder refuses it, or a message of
  // its own for a picture too large to decode; false after a report.
  bool validate() override;
  // Masks must be "context" or "dib" images, else "Mask image must be of type 'context'
  // or 'dib'" and nothing is drawn.
  void render(tqvSurface& target, TQVINT x, TQVINT y, TQVINT width, TQVINT height, TQVINT sourceX,
              TQVINT sourceY, const tqvHandle& mask) override;
  void stretch(tqvSurface& target, TQVINT left, TQVINT top, TQVINT right, TQVINT bottom,
               const tqvHandle& mask) override;
  const char* subType() const override { return container_ ? "pic" : "jpg"; }
  // 24 bits.
  bool getBits(tqvImageBits& bits) override;
  // Decodes on first use; a decoder failure reports "Error " + its code + " in Pegasus".
  cairo_surface_t* pixels() override;

  // Kind "jpg" or "pic", then the file bytes as a buffer.
  void encodePayload(const tqvHandle& stream) const override;

  const tqvHandle& fileBytes() const { return bytes_; }
  bool container() const { return container_; }

 private:
  std::string_view stream() const;
  bool readHeader(bool report);

  tqvHandle bytes_;
  bool container_;
  bool headerRead_ = false;
  TQVINT width_ = 0;
  TQVINT height_ = 0;
  cairo_surface_t* pixels_ = nullptr;
  bool failed_ = false;
};
