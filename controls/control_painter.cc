// The painter of control looks.
#include "controls/control_painter.h"

#include <algorithm>
#include <cmath>

#include "framework/services.h"
#include "media/drawing_surface.h"
#include "media/media_services.h"
#include "media/text_drawing.h"
#include "values/convert.h"
#include "values/font.h"
#include "values/string.h"

tqvHandle tqvDefaultControlFont() {
  return tqvMakeFont(tqvMakeString("Arial"), 10, 0);
}

tqvPainter::tqvPainter()
    : surface_(tqvScreenSurface()),
      originX_(tqvServices().originX()),
      originY_(tqvServices().originY()) {
  if (surface_ == nullptr) return;
  cr_ = cairo_create(surface_->cairoSurface());
  cairo_translate(cr_, originX_, originY_);
}

tqvPainter::~tqvPainter() {
  if (cr_ == nullptr) return;
  cairo_destroy(cr_);
  cairo_surface_flush(surface_->cairoSurface());
  if (!touched_) return;
  // What was drawn may reach past the 32-bit range when its geometry came from content.
  TQVINT left = tqvSaturatingAdd(tqvTruncate(std::floor(left_)), -1);
  TQVINT top = tqvSaturatingAdd(tqvTruncate(std::floor(top_)), -1);
  TQVINT right = tqvSaturatingAdd(tqvTruncate(std::ceil(right_)), 1);
  TQVINT bottom = tqvSaturatingAdd(tqvTruncate(std::ceil(bottom_)), 1);
  surface_->changed(atX(left), atY(top), tqvSaturatingSub(right, left),
                    tqvSaturatingSub(bottom, top));
}

TQVINT tqvPainter::atX(TQVINT x) const {
  return tqvSaturatingAdd(x, originX_);
}

TQVINT tqvPainter::atY(TQVINT y) const {
  return tqvSaturatingAdd(y, originY_);
}

void tqvPainter::touch(double left, double top, double right, double bottom) {
  if (!touched_) {
    left_ = left, top_ = top, right_ = right, bottom_ = bottom;
    touched_ = true;
    return;
  }
  left_ = std::min(left_, left);
  top_ = std::min(top_, top);
  right_ = std::max(right_, right);
  bottom_ = std::max(bottom_, bottom);
}

void tqvPainter::fill(double left, double top, double right, double bottom, TQVINT colour) {
  if (cr_ == nullptr) return;
  tqvSetCairoColour(cr_, colour);
  cairo_rectangle(cr_, left, top, right - left, bottom - top);
  cairo_fill(cr_);
  touch(left, top, right, bottom);
}

void tqvPainter::frame(double left, double top, double right, double bottom, TQVINT colour) {
  if (cr_ == nullptr) return;
  tqvSetCairoColour(cr_, colour);
  cairo_set_line_width(cr_, 1);
  cairo_rectangle(cr_, left + 0.5, top + 0.5, right - left - 1, bottom - top - 1);
  cairo_stroke(cr_);
  touch(left, top, right, bottom);
}

namespace {

void roundedPath(cairo_t* cr, double left, double top, double right, double bottom, double r) {
  r = std::min({r, (right - left) / 2, (bottom - top) / 2});
  cairo_new_sub_path(cr);
  cairo_arc(cr, right - r, top + r, r, -M_PI / 2, 0);
  cairo_arc(cr, right - r, bottom - r, r, 0, M_PI / 2);
  cairo_arc(cr, left + r, bottom - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, left + r, top + r, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

}  // namespace

void tqvPainter::face(double left, double top, double right, double bottom, bool pressed) {
  if (cr_ == nullptr) return;
  cairo_pattern_t* shade = cairo_pattern_create_linear(0, top, 0, bottom);
  if (pressed) {
    cairo_pattern_add_color_stop_rgb(shade, 0, 0.70, 0.70, 0.72);
    cairo_pattern_add_color_stop_rgb(shade, 1, 0.82, 0.82, 0.84);
  } else {
    cairo_pattern_add_color_stop_rgb(shade, 0, 0.98, 0.98, 0.98);
    cairo_pattern_add_color_stop_rgb(shade, 1, 0.84, 0.84, 0.86);
  }
  roundedPath(cr_, left + 0.5, top + 0.5, right - 0.5, bottom - 0.5, 4);
  cairo_set_source(cr_, shade);
  cairo_fill_preserve(cr_);
  cairo_pattern_destroy(shade);
  tqvSetCairoColour(cr_, TQV_COLOUR_EDGE);
  cairo_set_line_width(cr_, 1);
  cairo_stroke(cr_);
  touch(left, top, right, bottom);
}

void tqvPainter::focusRing(double left, double top, double right, double bottom) {
  if (cr_ == nullptr) return;
  static const double dash[] = {1.0, 1.0};
  cairo_save(cr_);
  cairo_set_dash(cr_, dash, 2, 0);
  tqvSetCairoColour(cr_, TQV_COLOUR_FOCUS);
  cairo_set_line_width(cr_, 1);
  cairo_rectangle(cr_, left + 3.5, top + 3.5, right - left - 7, bottom - top - 7);
  cairo_stroke(cr_);
  cairo_restore(cr_);
  touch(left, top, right, bottom);
}

void tqvPainter::text(const tqvHandle& text, TQVINT left, TQVINT top, TQVINT right, TQVINT bottom,
                      TQVINT alignment, const tqvHandle& font, TQVINT colour) {
  if (cr_ == nullptr || !text.is(TQV_STRING_TYPE) || right <= left || bottom <= top) return;
  tqvTextStyle style;
  style.font = tqvIsUsableFont(font) && !font.isNil() ? font : tqvDefaultControlFont();
  style.colour = colour;
  tqvDrawTextIn(cr_, text, left, top, right, bottom, alignment, style);
  touch(left, top, right, bottom);
}

void tqvPainter::image(const tqvHandle& image, TQVINT x, TQVINT y, TQVINT width, TQVINT height,
                       TQVINT sourceX, TQVINT sourceY, const tqvHandle& mask) {
  if (surface_ == nullptr) return;
  // Images draw through the surface, which sends their rectangle to the screen itself.
  surface_->drawImage(image, atX(x), atY(y), width, height, sourceX, sourceY, mask);
}

void tqvPainter::stretch(const tqvHandle& image, TQVINT left, TQVINT top, TQVINT right,
                         TQVINT bottom) {
  if (surface_ == nullptr) return;
  surface_->stretchImage(image, atX(left), atY(top), atX(right), atY(bottom));
}

tqvHandle tqvPainter::capture(TQVINT left, TQVINT top, TQVINT right, TQVINT bottom) {
  if (surface_ == nullptr) return tqvHandle();
  return surface_->capture(atX(left), atY(top), atX(right), atY(bottom));
}
