// Drawing-context values, and finding the surface behind a drawing target.
#include "media/drawing_context.h"

#include "media/context_image.h"
#include "media/image.h"
#include "media/image_blit.h"
#include "values/error.h"

tqvDrawingContextObject::tqvDrawingContextObject(cairo_surface_t* surface, TQVINT width,
                                                 TQVINT height, ChangedHandler changed)
    : surface_(cairo_surface_reference(surface)),
      width_(width),
      height_(height),
      changed_(std::move(changed)) {}

tqvDrawingContextObject::~tqvDrawingContextObject() {
  cairo_surface_destroy(surface_);
}

void tqvDrawingContextObject::changed(TQVINT x, TQVINT y, TQVINT width, TQVINT height) {
  if (changed_) changed_(x, y, width, height);
}

bool tqvDrawingContextObject::opGeometry(tqvGeometry which, TQVINT& result) {
  if (which == tqvGeometry::Width) {
    result = width_;
  } else if (which == tqvGeometry::Height) {
    result = height_;
  } else {
    return false;
  }
  return true;
}

tqvHandle tqvMakeDrawingContext(cairo_surface_t* surface,
                                tqvDrawingContextObject::ChangedHandler changed) {
  if (surface == nullptr || cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS ||
      cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE) {
    tqvError("tqvMakeDrawingContext: The surface is not a usable picture.");
    return TQV_NIL;
  }
  return tqvMakeDrawingContext(surface, cairo_image_surface_get_width(surface),
                               cairo_image_surface_get_height(surface), std::move(changed));
}

tqvHandle tqvMakeDrawingContext(cairo_surface_t* surface, TQVINT width, TQVINT height,
                                tqvDrawingContextObject::ChangedHandler changed) {
  if (surface == nullptr || cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS || width < 0 ||
      height < 0) {
    tqvError("tqvMakeDrawingContext: The surface is not a usable picture.");
    return TQV_NIL;
  }
  return tqvHandle::wrap(new tqvDrawingContextObject(surface, width, height, std::move(changed)),
                         TQV_CONTEXT_TYPE);
}

tqvHandle tqvMakeOffscreenContext(TQVINT width, TQVINT height) {
  cairo_surface_t* surface = tqvNewPixelSurface(width, height);
  if (surface == nullptr) {
    tqvError("tqvMakeOffscreenContext: Bad size " + std::to_string(width) + " x " +
             std::to_string(height) + ".");
    return TQV_NIL;
  }
  tqvHandle context = tqvMakeDrawingContext(surface, width, height);
  cairo_surface_destroy(surface);  // the context holds its own reference
  return context;
}

tqvDrawingContextObject* tqvAsDrawingContext(const tqvHandle& h) {
  return h.is(TQV_CONTEXT_TYPE) ? dynamic_cast<tqvDrawingContextObject*>(h.object()) : nullptr;
}

tqvSurface* tqvAsSurface(const tqvHandle& h) {
  if (tqvDrawingContextObject* context = tqvAsDrawingContext(h)) return context;
  return dynamic_cast<tqvContextImageObject*>(tqvAsImage(h));
}
