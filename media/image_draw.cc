// Drawing an image or a drawing context into a drawing context or a context image.
#include <string>
#include <string_view>

#include "media/image.h"
#include "media/image_blit.h"
#include "values/error.h"
#include "values/region.h"

namespace {

// The surface to draw into, after the type checks of `operation` ("tqvDrawImage" or
// "tqvStretchImage"); null after a report.
tqvSurface* checkedTarget(std::string_view operation, const tqvHandle& target,
                          const tqvHandle& source) {
  std::string name(operation);
  if (!source.is(TQV_CONTEXT_TYPE) && !source.is(TQV_IMAGE_TYPE)) {
    tqvError(name + ": imgSrc type must be TQV_CONTEXT_TYPE or TQV_IMAGE_TYPE.");
    return nullptr;
  }
  if (target.is(TQV_IMAGE_TYPE)) {
    tqvImageObject* image = tqvAsImage(target);
    if (image == nullptr || std::string_view(image->subType()) != "context") {
      tqvError(name + ": context sub-type must be 'context'.");
      return nullptr;
    }
  }
  tqvSurface* surface = tqvAsSurface(target);
  if (surface == nullptr) {
    tqvError(name + ": context type must be TQV_CONTEXT_TYPE or TQV_IMAGE_TYPE.");
  }
  return surface;
}

// A drawing-context source: its surface, or null after the source type message.
tqvSurface* contextSource(std::string_view operation, const tqvHandle& source) {
  tqvSurface* surface = tqvAsSurface(source);
  if (surface == nullptr) {
    tqvError(std::string(operation) + ": imgSrc type must be TQV_CONTEXT_TYPE or TQV_IMAGE_TYPE.");
  }
  return surface;
}

}  // namespace

void tqvDrawImage(const tqvHandle& target, const tqvHandle& source, TQVINT x, TQVINT y,
                  TQVINT width, TQVINT height, TQVINT sourceX, TQVINT sourceY,
                  const tqvHandle& mask) {
  tqvSurface* into = checkedTarget("tqvDrawImage", target, source);
  if (into == nullptr) return;
  if (source.is(TQV_IMAGE_TYPE)) {
    if (tqvImageObject* image = tqvAsImage(source)) {
      image->render(*into, x, y, width, height, sourceX, sourceY, mask);
    }
    return;
  }
  tqvSurface* from = contextSource("tqvDrawImage", source);
  if (from == nullptr) return;
  int64_t w = width == 0 ? from->surfaceWidth() : width;
  int64_t h = height == 0 ? from->surfaceHeight() : height;
  tqvBlit(*into, from->cairoSurface(), nullptr, {x, y, w, h}, {sourceX, sourceY, w, h});
}

void tqvStretchImage(const tqvHandle& target, const tqvHandle& source, const tqvHandle& rectangle,
                     const tqvHandle& mask) {
  tqvSurface* into = checkedTarget("tqvStretchImage", target, source);
  if (into == nullptr) return;
  tqvRegionObject* r = tqvAsRegion(rectangle);
  if (r == nullptr) {
    tqvArgError("tqvStretchImage(context,imgSrc,region)", 3);
    return;
  }
  if (source.is(TQV_IMAGE_TYPE)) {
    if (tqvImageObject* image = tqvAsImage(source)) {
      image->stretch(*into, r->left(), r->top(), r->right(), r->bottom(), mask);
    }
    return;
  }
  tqvSurface* from = contextSource("tqvStretchImage", source);
  if (from == nullptr) return;
  tqvBlit(*into, from->cairoSurface(), nullptr,
          {r->left(), r->top(), int64_t{r->right()} - r->left(), int64_t{r->bottom()} - r->top()},
          {0, 0, from->surfaceWidth(), from->surfaceHeight()});
}
