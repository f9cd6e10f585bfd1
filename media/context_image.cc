// The "context" image kind: an off-screen RGB24 picture that is drawn and drawn into.
#include "media/context_image.h"

#include "media/image_blit.h"
#include "values/error.h"

tqvContextImageObject::tqvContextImageObject(cairo_surface_t* surface) : surface_(surface) {}

tqvContextImageObject::~tqvContextImageObject() {
  cairo_surface_destroy(surface_);
}

TQVINT tqvContextImageObject::width() {
  return tqvPictureWidth(surface_);
}

TQVINT tqvContextImageObject::height() {
  return tqvPictureHeight(surface_);
}

bool tqvContextImageObject::validate() {
  return cairo_surface_status(surface_) == CAIRO_STATUS_SUCCESS;
}

void tqvContextImageObject::render(tqvSurface& target, TQVINT x, TQVINT y, TQVINT width,
                                   TQVINT height, TQVINT sourceX, TQVINT sourceY,
                                   const tqvHandle& mask) {
  tqvRenderThroughMask(*this, target, mask, true,
                       "tqvContextImageObject::renderIntoContext: Mask image must be of type "
                       "'context', 'dib' or 'pic'.",
                       x, y, width, height, sourceX, sourceY);
}

void tqvContextImageObject::stretch(tqvSurface& target, TQVINT left, TQVINT top, TQVINT right,
                                    TQVINT bottom, const tqvHandle& mask) {
  tqvStretchThroughMask(*this, target, mask, true,
                        "tqvContextImageObject::stretchIntoContext: Mask image must be of type "
                        "'context', 'dib' or 'pic'.",
                        left, top, right, bottom);
}

bool tqvContextImageObject::getBits(tqvImageBits& bits) {
  if (tqvBitsFromPixels(surface_, bits)) return true;
  tqvError("Cannot get bits from image");
  return false;
}

void tqvContextImageObject::encodePayload(const tqvHandle&) const {
  tqvError("Cannot encode context images");
}
