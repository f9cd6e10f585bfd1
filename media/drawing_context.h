// Drawing-context values (type code 14): a cairo surface to draw into, such as the
// off-screen picture of the main window or a printed page, with an optional handler
// told of every rectangle that drawing changed.
#pragma once

#include <cairo.h>

#include <functional>

#include "media/surface.h"
#include "values/handle.h"

class tqvDrawingContextObject : public tqvObject, public tqvSurface {
 public:
  using ChangedHandler = std::function<void(TQVINT x, TQVINT y, TQVINT width, TQVINT height)>;

  // Holds its own cairo reference on `surface` for as long as it lives.
  tqvDrawingContextObject(cairo_surface_t* surface, TQVINT width, TQVINT height,
                          ChangedHandler changed);
  ~tqvDrawingContextObject() override;

  cairo_surface_t* cairoSurface() override { return surface_; }
  TQVINT surfaceWidth() override { return width_; }
  TQVINT surfaceHeight() override { return height_; }
  void changed(TQVINT x, TQVINT y, TQVINT width, TQVINT height) override;

  // Replaces the handler; an empty one stops the notices (an owner going away calls this).
  void setChangedHandler(ChangedHandler changed) { changed_ = std::move(changed); }

  bool opGeometry(tqvGeometry which, TQVINT& result) override;

 private:
  cairo_surface_t* surface_;
  TQVINT width_;
  TQVINT height_;
  ChangedHandler changed_;
};

// A drawing context over an image surface, of the surface's size. Nil, after a report,
// when `surface` is null, in error or not an image surface.
tqvHandle tqvMakeDrawingContext(cairo_surface_t* surface,
                                tqvDrawingContextObject::ChangedHandler changed = {});
// A drawing context over any surface (a PDF page) of the given size in pixels.
tqvHandle tqvMakeDrawingContext(cairo_surface_t* surface, TQVINT width, TQVINT height,
                                tqvDrawingContextObject::ChangedHandler changed = {});
// A drawing context over a new black RGB24 picture; nil after a report for a size out of
// range.
tqvHandle tqvMakeOffscreenContext(TQVINT width, TQVINT height);

tqvDrawingContextObject* tqvAsDrawingContext(const tqvHandle& h);
