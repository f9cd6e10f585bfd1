// Check boxes and radio buttons: state and look.
#include "controls/toggle_control.h"

#include <cmath>

#include "controls/control_painter.h"
#include "media/text_drawing.h"
#include "values/convert.h"
#include "values/string.h"

namespace {

constexpr TQVINT kMarkSize = 13;
constexpr TQVINT kLabelGap = 6;

}  // namespace

void tqvToggleControl::setSelected(bool selected, bool drawIt) {
  putBoolean(tqvMakeString("Selected"), selected);
  if (drawIt && isVisible()) draw();
}

tqvHandle tqvToggleControl::perform(const tqvHandle& action, const tqvHandle& data) {
  std::string_view name = tqvStringView(action);
  if (name == "Select" || name == "SetSelected") {
    setSelected(tqvFlagOf(data, true), true);
    return tqvHandle();
  }
  if (name == "SelectDontDraw") {
    setSelected(tqvFlagOf(data, true), false);
    return tqvHandle();
  }
  if (name == "IsSelected") return tqvMakeBoolean(selected());
  return tqvStandardControl::perform(action, data);
}

void tqvToggleControl::drawLook(bool pressed) {
  TQVINT left = hotSpotLeft(), top = hotSpotTop();
  TQVINT right = left + hotSpotWidth(), bottom = top + hotSpotHeight();
  bool on = selected();
  tqvHandle image = imageProperty("Image");
  eraseBackground();
  tqvPainter painter;
  if (!image.isNil()) {
    tqvHandle selectedImage = imageProperty("SelectedImage");
    painter.image(on && !selectedImage.isNil() ? selectedImage : image, left, top, 0, 0, 0, 0,
                  imageProperty("Mask"));
    return;
  }
  cairo_t* cr = painter.cr();
  if (cr == nullptr) return;
  double markTop = top + (bottom - top - kMarkSize) / 2;
  double markLeft = left;
  TQVINT ink = isEnabled() ? TQV_COLOUR_BLACK : TQV_COLOUR_GREYED;
  if (mark_ == Mark::Tick) {
    painter.fill(markLeft, markTop, markLeft + kMarkSize, markTop + kMarkSize,
                 pressed ? TQV_COLOUR_PRESSED : TQV_COLOUR_WHITE);
    painter.frame(markLeft, markTop, markLeft + kMarkSize, markTop + kMarkSize, TQV_COLOUR_EDGE);
    if (on) {
      tqvSetCairoColour(cr, ink);
      cairo_set_line_width(cr, 2);
      cairo_move_to(cr, markLeft + 3, markTop + 6.5);
      cairo_line_to(cr, markLeft + 5.5, markTop + 9.5);
      cairo_line_to(cr, markLeft + 10, markTop + 3.5);
      cairo_stroke(cr);
    }
  } else {
    double cx = markLeft + kMarkSize / 2.0, cy = markTop + kMarkSize / 2.0;
    cairo_arc(cr, cx, cy, kMarkSize / 2.0 - 0.5, 0, 2 * M_PI);
    tqvSetCairoColour(cr, pressed ? TQV_COLOUR_PRESSED : TQV_COLOUR_WHITE);
    cairo_fill_preserve(cr);
    tqvSetCairoColour(cr, TQV_COLOUR_EDGE);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    if (on) {
      cairo_arc(cr, cx, cy, 3, 0, 2 * M_PI);
      tqvSetCairoColour(cr, ink);
      cairo_fill(cr);
    }
    painter.touch(markLeft, markTop, markLeft + kMarkSize, markTop + kMarkSize);
  }
  TQVINT textLeft = left + kMarkSize + kLabelGap;
  painter.text(label(), textLeft, top, right, bottom,
               TQV_ALIGN_LEFT | TQV_ALIGN_MIDDLE | TQV_ALIGN_SINGLE_LINE, fontProperty(), ink);
  if (isActive()) painter.focusRing(textLeft - 5, top, right, bottom);
}
