// Image values in general: making them from file bytes, copying them, their geometry,
// and the mask handling and drawing shared by every kind.
#include <cstring>

#include "media/context_image.h"
#include "media/dib_image.h"
#include "media/image_blit.h"
#include "media/jpeg_image.h"
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

tqvHandle tqvMakeImageOfKind(std::string_view kind, const tqvHandle& fileBytes) {
  std::string_view bytes;
  if (!tqvBytesOf(fileBytes, bytes)) return TQV_NIL;
  if (kind == "dib") return tqvHandle::wrap(new tqvDIBImageObject(fileBytes), TQV_IMAGE_TYPE);
  if (kind == "jpg" || kind == "pic") {
    return tqvHandle::wrap(new tqvJPEGImageObject(fileBytes, kind == "pic"), TQV_IMAGE_TYPE);
  }
  return TQV_NIL;
}

tqvHandle tqvMakeImage(const tqvHandle& fileBytes, const tqvHandle& name) {
  std::string_view bytes;
  if (!tqvBytesOf(fileBytes, bytes)) {
    tqvArgError("tqvMakeImage(bufOrString,string)", 1);
    return TQV_NIL;
  }
  if (!name.is(TQV_STRING_TYPE)) {
    tqvArgError("tqvMakeImage(bufOrString,string)", 2);
    return TQV_NIL;
  }
  tqvHandle lower = tqvLower(tqvPathExtension(name));
  std::string_view extension = tqvStringView(lower);
  const char* kind = extension == "jpg" ? "jpg" : extension == "pic" ? "pic" : "dib";
  tqvHandle image = tqvMakeImageOfKind(kind, fileBytes);
  tqvImageObject* i = tqvAsImage(image);
  if (i == nullptr || !i->validate()) return TQV_NIL;
  return image;
}

tqvHandle tqvMakeContextImage(TQVINT width, TQVINT height) {
  if (width < 0 || height < 0 || width > tqvMaxImageSide || height > tqvMaxImageSide ||
      int64_t{width} * height > tqvMaxImagePixels) {
    tqvError("tqvMakeContextImage: Bad size " + std::to_string(width) + " x " +
             std::to_string(height) + ".");
    return TQV_NIL;
  }
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(s);
    tqvError("tqvMakeContextImage: Cannot make a picture of " + std::to_string(width) + " x " +
             std::to_string(height) + ".");
    return TQV_NIL;
  }
  auto* image = new tqvContextImageObject(s);
  if (image == nullptr) cairo_surface_destroy(s);
  return tqvHandle::wrap(image, TQV_IMAGE_TYPE);
}

tqvHandle tqvImageFromImage(const tqvHandle& image) {
  tqvImageObject* i = tqvAsImage(image);
  std::string_view kind = i != nullptr ? i->subType() : "";
  if (kind == "context") {
    tqvHandle copy = tqvMakeContextImage(i->width(), i->height());
    if (auto* c = dynamic_cast<tqvContextImageObject*>(tqvAsImage(copy))) {
      tqvBlit(*c, i->pixels(), nullptr, {0, 0, i->width(), i->height()},
              {0, 0, i->width(), i->height()});
    }
    return copy;
  }
  if (auto* dib = dynamic_cast<tqvDIBImageObject*>(i)) {
    return tqvMakeImageOfKind("dib", dib->fileBytes());
  }
  if (auto* jpeg = dynamic_cast<tqvJPEGImageObject*>(i)) {
    return tqvMakeImageOfKind(jpeg->subType(), jpeg->fileBytes());
  }
  tqvError("tqvImageFromImage: Unknown image type.");
  return TQV_NIL;
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

void tqvRenderThroughMask(tqvImageObject& image, tqvSurface& target, const tqvHandle& mask,
                          bool allowPic, const char* maskMessage, TQVINT x, TQVINT y, TQVINT width,
                          TQVINT height, TQVINT sourceX, TQVINT sourceY) {
  cairo_surface_t* maskPixels = nullptr;
  if (!tqvMaskPixels(mask, allowPic, maskMessage, maskPixels)) return;
  cairo_surface_t* pixels = image.pixels();
  if (pixels == nullptr) return;
  int64_t w = width == 0 ? tqvPixelWidth(pixels) : width;
  int64_t h = height == 0 ? tqvPixelHeight(pixels) : height;
  tqvBlit(target, pixels, maskPixels, {x, y, w, h}, {sourceX, sourceY, w, h});
}

void tqvStretchThroughMask(tqvImageObject& image, tqvSurface& target, const tqvHandle& mask,
                           bool allowPic, const char* maskMessage, TQVINT left, TQVINT top,
                           TQVINT right, TQVINT bottom) {
  cairo_surface_t* maskPixels = nullptr;
  if (!tqvMaskPixels(mask, allowPic, maskMessage, maskPixels)) return;
  cairo_surface_t* pixels = image.pixels();
  if (pixels == nullptr) return;
  tqvBlit(target, pixels, maskPixels, {left, top, int64_t{right} - left, int64_t{bottom} - top},
          {0, 0, tqvPixelWidth(pixels), tqvPixelHeight(pixels)});
}
