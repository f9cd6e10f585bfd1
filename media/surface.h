// Something images can be drawn into: the off-screen picture of the main window, a
// context image, or a printed page. Pixels are cairo image surfaces of format RGB24
// (0x00RRGGBB, native byte order).
#pragma once

#include <cairo.h>

#include "values/handle.h"

class tqvSurface {
 public:
  virtual ~tqvSurface() = default;
  // The cairo surface to draw into; valid while the owner lives.
  virtual cairo_surface_t* cairoSurface() = 0;
  virtual TQVINT surfaceWidth() = 0;
  virtual TQVINT surfaceHeight() = 0;
  // Called after drawing changed the rectangle (x, y, width, height); the main window's
  // picture remembers it as invalid, others ignore it.
  virtual void changed(TQVINT x, TQVINT y, TQVINT width, TQVINT height) {}
};

// The surface behind a drawing context (type 14) or a context image (type 18, sub-type
// "context"); null for anything else.
tqvSurface* tqvAsSurface(const tqvHandle& h);
