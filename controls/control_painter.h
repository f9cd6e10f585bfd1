// Drawing for controls: cairo on the main window's off-screen picture (the media
// services' drawing surface), in form coordinates (the services' drawing origin is the
// form's corner), with the plain look that controls without images have.
#pragma once

#include <cairo.h>

#include "values/handle.h"

class tqvDrawingSurface;

// Colours as the notation writes them: 0x00BBGGRR.
enum : TQVINT {
  TQV_COLOUR_BLACK = 0x000000,
  TQV_COLOUR_WHITE = 0xFFFFFF,
  TQV_COLOUR_FACE = 0xE0E0E0,     // buttons and panels
  TQV_COLOUR_PRESSED = 0xC4C4C4,  // a button held down
  TQV_COLOUR_EDGE = 0x505050,     // outlines
  TQV_COLOUR_GREYED = 0x909090,   // text of disabled controls
  TQV_COLOUR_FOCUS = 0xB06020,    // the active control's ring (blue)
  TQV_COLOUR_FORM = 0xD8D0C8,     // forms without a background image
};

// One drawing session: made at the current drawing origin; what it touched goes to the
// screen when it ends. Without a main window it draws nothing (cr() is null).
class tqvPainter {
 public:
  tqvPainter();
  ~tqvPainter();
  tqvPainter(const tqvPainter&) = delete;
  tqvPainter& operator=(const tqvPainter&) = delete;

  explicit operator bool() const { return cr_ != nullptr; }
  cairo_t* cr() const { return cr_; }

  // Adds a rectangle (form coordinates) to what goes to the screen.
  void touch(double left, double top, double right, double bottom);

  void fill(double left, double top, double right, double bottom, TQVINT colour);
  // A one-pixel outline inside the rectangle.
  void frame(double left, double top, double right, double bottom, TQVINT colour);
  // A rounded face with an outline: raised (light top) or pressed.
  void face(double left, double top, double right, double bottom, bool pressed);
  // A dotted ring just inside the rectangle, for the active control.
  void focusRing(double left, double top, double right, double bottom);
  // Text wrapped and aligned inside the rectangle (alignment flags of text_drawing.h).
  void text(const tqvHandle& text, TQVINT left, TQVINT top, TQVINT right, TQVINT bottom,
            TQVINT alignment, const tqvHandle& font, TQVINT colour);
  // An image (or context image) with its top-left corner at (x, y); part of it when
  // width and height are given (0: the image's own), through `mask` when not nil.
  void image(const tqvHandle& image, TQVINT x, TQVINT y, TQVINT width = 0, TQVINT height = 0,
             TQVINT sourceX = 0, TQVINT sourceY = 0, const tqvHandle& mask = tqvHandle());
  // An image stretched over the rectangle.
  void stretch(const tqvHandle& image, TQVINT left, TQVINT top, TQVINT right, TQVINT bottom);
  // A new context image of what the rectangle holds now; nil without a window.
  tqvHandle capture(TQVINT left, TQVINT top, TQVINT right, TQVINT bottom);

 private:
  // A point of the control's coordinates on the surface; content may put it far away.
  TQVINT atX(TQVINT x) const;
  TQVINT atY(TQVINT y) const;

  tqvDrawingSurface* surface_ = nullptr;
  TQVINT originX_ = 0;
  TQVINT originY_ = 0;
  cairo_t* cr_ = nullptr;
  bool touched_ = false;
  double left_ = 0, top_ = 0, right_ = 0, bottom_ = 0;
};

// The font controls use when they have none: Arial 10.
tqvHandle tqvDefaultControlFont();
