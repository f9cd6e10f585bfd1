// The static text.
#include "controls/static_text_control.h"

#include "controls/control_painter.h"
#include "media/text_drawing.h"
#include "values/convert.h"
#include "values/generic.h"
#include "values/region.h"
#include "values/string.h"
#include "values/text.h"

void tqvStaticTextControl::drawBounds(TQVINT& left, TQVINT& top, TQVINT& right, TQVINT& bottom) {
  if (tqvRegionEdges(property("TextRegion"), left, top, right, bottom)) return;
  tqvStandardControl::drawBounds(left, top, right, bottom);
}

TQVINT tqvStaticTextControl::alignment() {
  TQVINT flags = TQV_ALIGN_LEFT;
  tqvHandle align = property("Align");
  std::string_view word = tqvStringView(align);
  if (word == "center" || word == "centre" || word == "Center") {
    flags = TQV_ALIGN_CENTRE;
  } else if (word == "right" || word == "Right") {
    flags = TQV_ALIGN_RIGHT;
  } else {
    TQVINT n = tqvNumberOf(align, 0);
    flags = n == 1 ? TQV_ALIGN_CENTRE : n == 2 ? TQV_ALIGN_RIGHT : TQV_ALIGN_LEFT;
  }
  if (tqvNumberOf(property("VAlign"), 0) != 0) flags |= TQV_ALIGN_MIDDLE;
  return flags;
}

void tqvStaticTextControl::draw() {
  TQVINT left, top, right, bottom;
  drawBounds(left, top, right, bottom);
  tqvHandle background = property("Background Color");
  if (background.is(TQV_INT_TYPE)) {
    tqvPainter painter;
    painter.fill(left, top, right, bottom, background.intValue());
  } else {
    eraseBackground();
  }
  tqvPainter painter;
  TQVINT colour = tqvNumberOf(property("Foreground Color"), TQV_COLOUR_BLACK);
  painter.text(textProperty("Text"), left, top, right, bottom, alignment(), fontProperty(),
               isEnabled() ? colour : TQV_COLOUR_GREYED);
}

tqvHandle tqvStaticTextControl::perform(const tqvHandle& action, const tqvHandle& data) {
  std::string_view name = tqvStringView(action);
  if (name == "SetText" || name == "ClearText") {
    tqvHandle text = name == "ClearText"        ? tqvMakeString("")
                     : data.is(TQV_STRING_TYPE) ? data
                                                : tqvToText(data, false);
    setProperty("Text", text);
    if (isVisible()) draw();
    return tqvHandle();
  }
  if (name == "GetText") return property("Text");
  return tqvStandardControl::perform(action, data);
}
