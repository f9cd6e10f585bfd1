// Making images: from file bytes by kind or by name, context images, copies.
#include "media/image_factory.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "media/context_image.h"
#include "media/dib_image.h"
#include "media/image_blit.h"
#include "media/jpeg_image.h"
#include "values/buffer.h"
#include "values/error.h"
#include "values/string.h"

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

tqvHandle tqvMakeContextImage(TQVINT width, TQVINT height, TQVINT scale) {
  if (width < 0 || height < 0 || width > tqvMaxImageSide || height > tqvMaxImageSide ||
      int64_t{width} * height > tqvMaxImagePixels) {
    tqvError("tqvMakeContextImage: Bad size " + std::to_string(width) + " x " +
             std::to_string(height) + ".");
    return TQV_NIL;
  }
  // A picture taken from a finer screen keeps its device pixels: it is drawn back exactly.
  scale = std::clamp<TQVINT>(scale, 1, 4);
  cairo_surface_t* s =
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, width * scale, height * scale);
  if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(s);
    tqvError("tqvMakeContextImage: Cannot make a picture of " + std::to_string(width) + " x " +
             std::to_string(height) + ".");
    return TQV_NIL;
  }
  cairo_surface_set_device_scale(s, scale, scale);
  auto* image = new tqvContextImageObject(s);
  if (image == nullptr) cairo_surface_destroy(s);
  return tqvHandle::wrap(image, TQV_IMAGE_TYPE);
}

tqvHandle tqvImageFromImage(const tqvHandle& image) {
  tqvImageObject* i = tqvAsImage(image);
  std::string_view kind = i != nullptr ? i->subType() : "";
  if (kind == "context") {
    tqvHandle copy = tqvMakeContextImage(i->width(), i->height(), tqvDeviceScale(i->pixels()));
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
