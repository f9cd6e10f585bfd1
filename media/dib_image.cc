// The "dib" image kind: checks and decodes bitmap files held in a buffer.
#include "media/dib_image.h"

#include <cstring>

#include "media/dib_format.h"
#include "media/image_blit.h"
#include "storage/encoding.h"
#include "values/buffer.h"
#include "values/error.h"
#include "values/string.h"

tqvDIBImageObject::tqvDIBImageObject(const tqvHandle& fileBytes)
    : bytes_(tqvImageBytesAsBuffer(fileBytes)) {}

tqvDIBImageObject::~tqvDIBImageObject() {
  if (pixels_ != nullptr) cairo_surface_destroy(pixels_);
}

std::string_view tqvDIBImageObject::file() const {
  std::string_view bytes;
  tqvBytesOf(bytes_, bytes);
  return bytes;
}

TQVINT tqvDIBImageObject::width() {
  tqvDIBLayout layout;
  return tqvReadDIBLayout(file(), layout).empty() ? layout.width : 0;
}

TQVINT tqvDIBImageObject::height() {
  tqvDIBLayout layout;
  return tqvReadDIBLayout(file(), layout).empty() ? layout.height : 0;
}

bool tqvDIBImageObject::validate() {
  tqvDIBLayout layout;
  std::string_view bytes = file();
  std::string problem = tqvReadDIBLayout(bytes, layout);
  if (problem.empty()) problem = tqvCheckDIBRunLength(bytes, layout);
  if (problem.empty()) return true;
  tqvError(problem);
  return false;
}

std::vector<tqvPaletteEntry> tqvDIBImageObject::palette() {
  tqvDIBLayout layout;
  std::string_view bytes = file();
  if (!tqvReadDIBLayout(bytes, layout).empty()) return {};
  return tqvDIBPalette(bytes, layout);
}

void tqvDIBImageObject::render(tqvSurface& target, TQVINT x, TQVINT y, TQVINT width, TQVINT height,
                               TQVINT sourceX, TQVINT sourceY, const tqvHandle& mask) {
  tqvRenderThroughMask(*this, target, mask, false,
                       "tqvDIBImageObject::renderIntoContext: Mask image must be of type "
                       "'context' or 'dib'.",
                       x, y, width, height, sourceX, sourceY);
}

void tqvDIBImageObject::stretch(tqvSurface& target, TQVINT left, TQVINT top, TQVINT right,
                                TQVINT bottom, const tqvHandle& mask) {
  tqvStretchThroughMask(*this, target, mask, false,
                        "tqvDIBImageObject::renderIntoContext: Mask image must be of type "
                        "'context' or 'dib'.",
                        left, top, right, bottom);
}

bool tqvDIBImageObject::getBits(tqvImageBits& bits) {
  tqvDIBLayout layout;
  std::string_view bytes = file();
  std::string problem = tqvReadDIBLayout(bytes, layout);
  if (!problem.empty()) {
    // Only the depth has a message of its own here; other damage means no bits.
    tqvError(problem.rfind("Unsupported bits per pixel: ", 0) == 0 ? problem
                                                                   : "Cannot get bits from image");
    return false;
  }
  if (layout.bitsPerPixel == 24) {
    if (tqvBitsFromPixels(pixels(), bits)) return true;
    tqvError("Cannot get bits from image");
    return false;
  }
  std::vector<uint8_t> indices;
  if (!tqvDIBIndices(bytes, layout, indices).empty()) {
    tqvError("Cannot get bits from image");
    return false;
  }
  auto width = static_cast<size_t>(layout.width);
  auto height = static_cast<size_t>(layout.height);
  size_t stride = (width + 3) & ~size_t{3};
  bits.width = layout.width;
  bits.height = layout.height;
  bits.bitsPerPixel = 8;
  bits.palette = tqvDIBPalette(bytes, layout);
  bits.rows.assign(stride * height, 0);
  for (size_t r = 0; r < height; ++r) {
    std::memcpy(bits.rows.data() + r * stride, indices.data() + (height - 1 - r) * width, width);
  }
  return true;
}

cairo_surface_t* tqvDIBImageObject::pixels() {
  if (pixels_ != nullptr || failed_) return pixels_;
  tqvDIBLayout layout;
  std::string_view bytes = file();
  std::string problem = tqvReadDIBLayout(bytes, layout);
  if (problem.empty()) pixels_ = tqvDecodeDIB(bytes, layout, problem);
  if (pixels_ == nullptr) {
    failed_ = true;
    tqvError(problem);
  }
  return pixels_;
}

void tqvDIBImageObject::encodePayload(const tqvHandle& stream) const {
  tqvEncode(stream, tqvMakeString("dib"));
  tqvEncode(stream, bytes_);
}
