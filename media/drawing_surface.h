// The drawing surface of the main window: everything is drawn into one off-screen
// picture of the media area, and each change is copied to the window's screen picture
// (unless a fade holds the screen), with the current font and colours. Coordinates are
// media-area pixels; the drawing origin of forms is the services' business.
#pragma once

#include <cairo.h>

#include "media/palette.h"
#include "media/surface.h"
#include "media/text_drawing.h"
#include "values/handle.h"

class tqvDrawingSurface : public tqvSurface {
 public:
  // A picture of width x height media pixels at `scale` device pixels per media pixel
  // (1 to 4: the screen picture's scale).
  tqvDrawingSurface(TQVINT width, TQVINT height, TQVINT scale = 1);
  ~tqvDrawingSurface() override;
  tqvDrawingSurface(const tqvDrawingSurface&) = delete;
  tqvDrawingSurface& operator=(const tqvDrawingSurface&) = delete;

  // The picture, or the drawing target while one is set.
  cairo_surface_t* cairoSurface() override;
  TQVINT surfaceWidth() override;
  TQVINT surfaceHeight() override;
  // Sends every drawing operation to another drawing context (a printed page) until
  // set back to nil; captures, fades and the screen keep to the picture meanwhile.
  void setTarget(const tqvHandle& context);
  const tqvHandle& target() const { return target_; }
  TQVINT scale() const { return scale_; }
  // Makes the picture anew at another scale, keeping what it shows (enlarged or reduced
  // until drawn again).
  void rescale(TQVINT scale);
  // Copies the rectangle (in picture coordinates) to the screen, unless held.
  void changed(TQVINT x, TQVINT y, TQVINT width, TQVINT height) override;

  // Draws the image (or the image resource of that name) over the whole picture and
  // makes its colours the window palette.
  void setBackdrop(const tqvHandle& imageOrName);
  const tqvHandle& backdrop() const { return backdrop_; }
  // An image, an image resource name, a context image or a drawing context; width and
  // height 0 mean the source's own.
  void drawImage(const tqvHandle& imageOrName, TQVINT x, TQVINT y, TQVINT width = 0,
                 TQVINT height = 0, TQVINT sourceX = 0, TQVINT sourceY = 0,
                 const tqvHandle& mask = tqvHandle());
  void stretchImage(const tqvHandle& imageOrName, TQVINT left, TQVINT top, TQVINT right,
                    TQVINT bottom, const tqvHandle& mask = tqvHandle());

  // "Cannot select font: " for a value that is not a font.
  bool selectFont(const tqvHandle& font);
  const tqvHandle& font() const { return style_.font; }
  void setTextColour(TQVINT colour) { style_.colour = colour; }
  void setBackgroundMode(TQVINT mode) { style_.backgroundMode = mode; }
  void setBackgroundColour(TQVINT colour) { style_.backgroundColour = colour; }
  const tqvTextStyle& textStyle() const { return style_; }
  // Text wrapped and aligned in a rectangle (see text_drawing.h for the alignment).
  void drawText(const tqvHandle& text, TQVINT left, TQVINT top, TQVINT right, TQVINT bottom,
                TQVINT alignment);
  // One run of text at (x, y), top-left; returns its extent.
  tqvTextExtent drawTextAt(const tqvHandle& text, TQVINT x, TQVINT y);
  // "Cannot measure size of string: " + text when it cannot be measured.
  bool measure(const tqvHandle& text, tqvTextExtent& extent);

  void fillRect(TQVINT left, TQVINT top, TQVINT right, TQVINT bottom, TQVINT colour);
  void frameRect(TQVINT left, TQVINT top, TQVINT right, TQVINT bottom, TQVINT colour);
  void line(TQVINT x1, TQVINT y1, TQVINT x2, TQVINT y2, TQVINT colour);

  // A new context image holding what lies in the rectangle now.
  tqvHandle capture(TQVINT left, TQVINT top, TQVINT right, TQVINT bottom);
  // Shows the rectangle on the screen at once (everything when the rectangle is empty).
  void flush(TQVINT left = 0, TQVINT top = 0, TQVINT right = 0, TQVINT bottom = 0);

  // Screen transitions: 13 fade out, 12 fade in, 1 zoom from the rectangle, others wipe
  // the rectangle in. `parameter` is the duration in milliseconds (the step count for
  // the zoom). Nothing happens while "Disable Transitions" is true. A negative width or
  // height reaches the edge of the media area.
  void transition(TQVINT code, TQVINT x, TQVINT y, TQVINT width, TQVINT height, TQVINT parameter);
  void fadeOut(TQVINT durationMs);
  void fadeIn(TQVINT durationMs);
  // True between a fade out and the next fade in: changes stay off the screen.
  bool held() const { return held_; }
  // The window palette: what is realised now.
  const tqvPalette& palette() const { return palette_; }

 private:
  cairo_t* begin();
  void end(cairo_t* cr, TQVINT left, TQVINT top, TQVINT right, TQVINT bottom);
  void copyToScreen(TQVINT left, TQVINT top, TQVINT right, TQVINT bottom);
  // Screen = offscreen (or the saved screen) scaled by t/128, over the whole picture.
  void blendToScreen(const uint32_t* source, int sourceStride, int t);
  void present();
  void zoom(TQVINT left, TQVINT top, TQVINT right, TQVINT bottom, TQVINT steps);
  void wipe(TQVINT code, TQVINT left, TQVINT top, TQVINT right, TQVINT bottom, TQVINT durationMs);

  TQVINT width_;
  TQVINT height_;
  TQVINT scale_;
  cairo_surface_t* offscreen_;
  tqvTextStyle style_;
  tqvPalette palette_ = tqvSystemPalette();
  tqvHandle backdrop_;
  tqvHandle target_;
  bool held_ = false;
};
