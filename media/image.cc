// Image values in general: making them from file bytes, copying them, their geometry,
// and the mask handling and drawing shared by every kind.
#include <cstring>

#include "media/image_blit.h"
#include "values/buffer.h"
#include "values/error.h"
#include "values/string.h"

bool tqvImageObject::opGeometry(tqvGeometry which, TQVINT& result) {
  switch (which) {
    case tqvGeometry::Width:
      result = width();
      return true;
    case tqvGeometry::Height:
      result = height();
      return true;
    default:
      return false;
  }
}

tqvImageObject* tqvAsImage(const tqvHandle& h) {
  return h.is(TQV_IMAGE_TYPE) ? dynamic_cast<tqvImageObject*>(h.object()) : nullptr;
}

tqvHandle tqvImageBytesAsBuffer(const tqvHandle& bytesOrBuffer) {
  if (tqvAsBuffer(bytesOrBuffer) != nullptr) return bytesOrBuffer;
  std::string_view bytes;
  if (!tqvBytesOf(bytesOrBuffer, bytes)) return TQV_NIL;
  tqvHandle buffer = tqvBuffer(static_cast<TQVINT>(bytes.size()));
  tqvBufferObject* b = tqvAsBuffer(buffer);
  if (b == nullptr || b->capacity() < static_cast<TQVINT>(bytes.size())) return TQV_NIL;
  if (!bytes.empty()) std::memcpy(b->data(), bytes.data(), bytes.size());
  b->setLength(static_cast<TQVINT>(bytes.size()));
  return buffer;
}

bool tqvMaskPixels(const tqvHandle& mask, bool allowPic, const char* message,
                   cairo_surface_t*& pixels) {
  pixels = nullptr;
  if (mask.isNil()) return true;
  tqvImageObject* m = tqvAsImage(mask);
  std::string_view kind = m != nullptr ? m->subType() : "";
  if (kind != "context" && kind != "dib" && !(allowPic && kind == "pic")) {
    tqvError(message);
    return false;
  }
  pixels = m->pixels();
  return pixels != nullptr;
}

namespace {

// Photographs (JPEG pictures) and large pictures are scaled smoothly: nearest pixels would
// show blocks in continuous tones. Smaller bitmaps are interface art made for whole pixels
// (button faces, icons, lettering), which interpolation would blur: they stay sharp, as do
// saved screens (context images), whose pixels are redrawn at the scale they came from.
constexpr int64_t kLargePicturePixels = 256 * 192;

tqvScaling scalingFor(tqvImageObject& image) {
  std::string_view kind = image.subType();
  if (kind == "jpg" || kind == "pic") return tqvScaling::Smooth;
  if (kind == "context") return tqvScaling::Sharp;
  return int64_t{image.width()} * image.height() >= kLargePicturePixels ? tqvScaling::Smooth
                                                                        : tqvScaling::Sharp;
}

}  // namespace

void tqvRenderThroughMask(tqvImageObject& image, tqvSurface& target, const tqvHandle& mask,
                          bool allowPic, const char* maskMessage, TQVINT x, TQVINT y, TQVINT width,
                          TQVINT height, TQVINT sourceX, TQVINT sourceY) {
  cairo_surface_t* maskPixels = nullptr;
  if (!tqvMaskPixels(mask, allowPic, maskMessage, maskPixels)) return;
  cairo_surface_t* pixels = image.pixels();
  if (pixels == nullptr) return;
  int64_t w = width == 0 ? tqvPictureWidth(pixels) : width;
  int64_t h = height == 0 ? tqvPictureHeight(pixels) : height;
  tqvBlit(target, pixels, maskPixels, {x, y, w, h}, {sourceX, sourceY, w, h}, scalingFor(image));
}

void tqvStretchThroughMask(tqvImageObject& image, tqvSurface& target, const tqvHandle& mask,
                           bool allowPic, const char* maskMessage, TQVINT left, TQVINT top,
                           TQVINT right, TQVINT bottom) {
  cairo_surface_t* maskPixels = nullptr;
  if (!tqvMaskPixels(mask, allowPic, maskMessage, maskPixels)) return;
  cairo_surface_t* pixels = image.pixels();
  if (pixels == nullptr) return;
  tqvBlit(target, pixels, maskPixels, {left, top, int64_t{right} - left, int64_t{bottom} - top},
          {0, 0, tqvPictureWidth(pixels), tqvPictureHeight(pixels)}, scalingFor(image));
}
