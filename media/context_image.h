// Context images ("context"): off-screen pictures that can be drawn into as well as
// drawn, used to save what lies under a dialog and for transitions.
#pragma once

#include "media/image.h"
#include "media/surface.h"
#include "storage/codecs.h"

class tqvContextImageObject : public tqvImageObject, public tqvSurface, public tqvEncodable {
 public:
  // Takes over `surface`, an RGB24 image surface.
  explicit tqvContextImageObject(cairo_surface_t* surface);
  ~tqvContextImageObject() override;

  TQVINT width() override;
  TQVINT height() override;
  bool validate() override;
  // Masks must be "context", "dib" or "pic" images, else "tqvContextImageObject::
  // renderIntoContext: ..." (or "::stretchIntoContext: ...") and nothing is drawn.
  void render(tqvSurface& target, TQVINT x, TQVINT y, TQVINT width, TQVINT height, TQVINT sourceX,
              TQVINT sourceY, const tqvHandle& mask) override;
  void stretch(tqvSurface& target, TQVINT left, TQVINT top, TQVINT right, TQVINT bottom,
               const tqvHandle& mask) override;
  const char* subType() const override { return "context"; }
  // 24 bits.
  bool getBits(tqvImageBits& bits) override;
  cairo_surface_t* pixels() override { return surface_; }

  cairo_surface_t* cairoSurface() override { return surface_; }
  TQVINT surfaceWidth() override { return width(); }
  TQVINT surfaceHeight() override { return height(); }

  // Context images have no stored form: reports "Cannot encode context images" after the
  // tag byte.
  void encodePayload(const tqvHandle& stream) const override;

 private:
  cairo_surface_t* surface_;
};
