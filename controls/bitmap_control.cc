// The bitmap control.
#include "controls/bitmap_control.h"

#include <algorithm>

#include "controls/control_painter.h"
#include "framework/forms.h"
#include "framework/runtime.h"
#include "values/generic.h"
#include "values/string.h"

tqvHandle tqvBitmapControl::makeInstance(const tqvHandle& definition) {
  return tqvWrapControl(new tqvBitmapControl(definition));
}

void tqvBitmapControl::drawBounds(TQVINT& left, TQVINT& top, TQVINT& right, TQVINT& bottom) {
  left = hotSpotLeft();
  top = hotSpotTop();
  tqvHandle image = imageProperty("Image");
  TQVINT width = 0, height = 0;
  if (flag("ClipImage")) {
    width = hotSpotWidth();
    height = hotSpotHeight();
  } else if (!image.isNil()) {
    width = std::max<TQVINT>(tqvWidth(image) - integer("SrcX"), 0);
    height = std::max<TQVINT>(tqvHeight(image) - integer("SrcY"), 0);
  }
  right = left + width;
  bottom = top + height;
}

void tqvBitmapControl::draw() {
  tqvHandle image = imageProperty("Image");
  if (image.isNil()) return;
  TQVINT left, top, right, bottom;
  drawBounds(left, top, right, bottom);
  tqvPainter painter;
  if (flag("Save Background")) {
    if (saved_.isNil()) {
      saved_ = painter.capture(left, top, right, bottom);
    } else {
      painter.image(saved_, left, top);
    }
  }
  painter.image(image, left, top, right - left, bottom - top, integer("SrcX"), integer("SrcY"),
                imageProperty("Mask"));
}

tqvHandle tqvBitmapControl::perform(const tqvHandle& action, const tqvHandle& data) {
  std::string_view name = tqvStringView(action);
  if (name == "DiscardBK") {
    saved_ = tqvHandle();
    return tqvHandle();
  }
  if (name == "SetImage") {
    eraseBackground();
    setProperty("Image", data);
    if (isVisible()) draw();
    return tqvHandle();
  }
  return tqvStandardControl::perform(action, data);
}

void tqvBitmapControl::eraseBackground() {
  if (saved_.isNil()) {
    tqvStandardControl::eraseBackground();
    return;
  }
  tqvPainter painter;
  painter.image(saved_, hotSpotLeft(), hotSpotTop());
}

bool tqvBitmapControl::mouseDown(TQVINT x, TQVINT y, TQVINT modifiers, TQVINT clicks) {
  tqvHandle self = handle();
  bool triggered = tqvStandardControl::mouseDown(x, y, modifiers, clicks);
  if (triggered && clicks >= 2) {
    tqvHandle form = tqvActiveForm();
    if (form.is(TQV_FORM_TYPE)) tqvPerform(form, "dblClicked", self);
  }
  return triggered;
}
