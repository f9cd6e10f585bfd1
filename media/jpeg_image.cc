// The "jpg" and "pic" image kinds: JPEG data held in a buffer, decoded on first use.
#include "media/jpeg_image.h"

#include "media/image_blit.h"
#include "media/jpeg_decoder.h"
#include "storage/encoding.h"
#include "values/buffer.h"
#include "values/error.h"
#include "values/string.h"

namespace {
constexpr const char* kMaskMessage = "Mask image must be of type 'context' or 'dib'";
}

tqvJPEGImageObject::tqvJPEGImageObject(const tqvHandle& fileBytes, bool container)
    : bytes_(tqvImageBytesAsBuffer(fileBytes)), container_(container) {}

tqvJPEGImageObject::~tqvJPEGImageObject() {
  if (pixels_ != nullptr) cairo_surface_destroy(pixels_);
}

std::string_view tqvJPEGImageObject::stream() const {
  std::string_view bytes;
  tqvBytesOf(bytes_, bytes);
  return tqvFindJPEGStream(bytes, container_);
}

bool tqvJPEGImageObject::readHeader(bool report) {
  if (!headerRead_) {
    if (!tqvReadJPEGHeader(stream(), width_, height_)) {
      if (report) tqvError("Invalid JPEG file");
      return false;
    }
    headerRead_ = true;
  }
  if (!tqvImageSizeAllowed(width_, height_)) {
    if (report) {
      tqvError("JPEG picture too large: " + std::to_string(width_) + " x " +
               std::to_string(height_));
    }
    return false;
  }
  return true;
}

TQVINT tqvJPEGImageObject::width() {
  readHeader(false);
  return width_;
}

TQVINT tqvJPEGImageObject::height() {
  readHeader(false);
  return height_;
}

bool tqvJPEGImageObject::validate() {
  return readHeader(true);
}

void tqvJPEGImageObject::render(tqvSurface& target, TQVINT x, TQVINT y, TQVINT width, TQVINT height,
                                TQVINT sourceX, TQVINT sourceY, const tqvHandle& mask) {
  tqvRenderThroughMask(*this, target, mask, false, kMaskMessage, x, y, width, height, sourceX,
                       sourceY);
}

void tqvJPEGImageObject::stretch(tqvSurface& target, TQVINT left, TQVINT top, TQVINT right,
                                 TQVINT bottom, const tqvHandle& mask) {
  tqvStretchThroughMask(*this, target, mask, false, kMaskMessage, left, top, right, bottom);
}

bool tqvJPEGImageObject::getBits(tqvImageBits& bits) {
  if (tqvBitsFromPixels(pixels(), bits)) return true;
  tqvError("Cannot get bits from image");
  return false;
}

cairo_surface_t* tqvJPEGImageObject::pixels() {
  if (pixels_ != nullptr || failed_) return pixels_;
  if (!readHeader(true)) {
    failed_ = true;
    return nullptr;
  }
  int code = 0;
  pixels_ = tqvDecodeJPEG(stream(), width_, height_, code);
  if (pixels_ == nullptr) {
    failed_ = true;
    tqvError("Error " + std::to_string(code) + " in Pegasus");
  }
  return pixels_;
}

void tqvJPEGImageObject::encodePayload(const tqvHandle& stream) const {
  tqvEncode(stream, tqvMakeString(subType()));
  tqvEncode(stream, bytes_);
}
