// The slider.
#include "controls/slider_control.h"

#include <algorithm>
#include <cmath>

#include "controls/control_painter.h"
#include "framework/events.h"
#include "framework/form_object.h"
#include "framework/services.h"
#include "values/convert.h"
#include "values/generic.h"
#include "values/list.h"
#include "values/string.h"

namespace {

constexpr TQVINT kThumbLength = 11;
constexpr TQVINT kGroove = 4;

}  // namespace

tqvHandle tqvSliderControl::makeInstance(const tqvHandle& definition) {
  return tqvWrapControl(new tqvSliderControl(definition));
}

TQVINT tqvSliderControl::minimum() {
  return integer("Min", 0);
}

TQVINT tqvSliderControl::maximum() {
  return std::max(integer("Max", 100), minimum());
}

TQVINT tqvSliderControl::value() {
  return std::clamp(integer("Value", minimum()), minimum(), maximum());
}

bool tqvSliderControl::setValue(TQVINT wanted) {
  TQVINT before = value();
  TQVINT now = std::clamp(wanted, minimum(), maximum());
  setProperty("Value", tqvMakeInt(now));
  if (isVisible()) draw();
  return now != before;
}

bool tqvSliderControl::lying() {
  return hotSpotWidth() >= hotSpotHeight();
}

TQVINT tqvSliderControl::valueAt(TQVINT x, TQVINT y) {
  bool across = lying();
  TQVINT start = (across ? hotSpotLeft() : hotSpotTop()) + kThumbLength / 2;
  TQVINT length = std::max<TQVINT>((across ? hotSpotWidth() : hotSpotHeight()) - kThumbLength, 1);
  int64_t at = std::clamp<int64_t>(int64_t{across ? x : y} - start, 0, length);
  if (!across) at = length - at;  // upright sliders grow upward
  int64_t range = int64_t{maximum()} - minimum();
  return static_cast<TQVINT>(minimum() + (at * range + length / 2) / length);
}

void tqvSliderControl::draw() {
  TQVINT left = hotSpotLeft(), top = hotSpotTop();
  TQVINT right = tqvSaturatingAdd(left, hotSpotWidth());
  TQVINT bottom = tqvSaturatingAdd(top, hotSpotHeight());
  if (right - left < kThumbLength || bottom - top < kThumbLength) return;
  eraseBackground();
  tqvPainter painter;
  bool across = lying();
  int64_t range = std::max<int64_t>(int64_t{maximum()} - minimum(), 1);
  TQVINT length = (across ? right - left : bottom - top) - kThumbLength;
  TQVINT offset = static_cast<TQVINT>((int64_t{value()} - minimum()) * length / range);
  tqvHandle image = imageProperty("Image");
  if (!image.isNil()) {
    painter.image(image, left, top, right - left, bottom - top);
  } else if (across) {
    TQVINT middle = (top + bottom) / 2;
    painter.fill(left + kThumbLength / 2, middle - kGroove / 2, right - kThumbLength / 2,
                 middle + kGroove / 2, TQV_COLOUR_PRESSED);
    painter.frame(left + kThumbLength / 2, middle - kGroove / 2, right - kThumbLength / 2,
                  middle + kGroove / 2, TQV_COLOUR_EDGE);
  } else {
    TQVINT middle = (left + right) / 2;
    painter.fill(middle - kGroove / 2, top + kThumbLength / 2, middle + kGroove / 2,
                 bottom - kThumbLength / 2, TQV_COLOUR_PRESSED);
    painter.frame(middle - kGroove / 2, top + kThumbLength / 2, middle + kGroove / 2,
                  bottom - kThumbLength / 2, TQV_COLOUR_EDGE);
  }
  TQVINT thumbLeft = across ? left + offset : left;
  TQVINT thumbTop = across ? top : bottom - kThumbLength - offset;
  TQVINT thumbRight = across ? thumbLeft + kThumbLength : right;
  TQVINT thumbBottom = across ? bottom : thumbTop + kThumbLength;
  tqvHandle thumb = imageProperty("ThumbImage");
  if (!thumb.isNil()) {
    painter.image(thumb, thumbLeft, thumbTop, 0, 0, 0, 0, imageProperty("ThumbMask"));
  } else {
    painter.face(thumbLeft, thumbTop, thumbRight, thumbBottom, !isEnabled());
  }
  if (isActive()) painter.focusRing(left - 3, top - 3, right + 3, bottom + 3);
}

bool tqvSliderControl::keyDown(TQVINT key, TQVINT modifiers) {
  if (!isEnabled()) return false;
  TQVINT step = std::max(integer("Step", 1), 1);
  TQVINT page =
      std::max(integer("Page", static_cast<TQVINT>((int64_t{maximum()} - minimum()) / 10)), 1);
  int64_t target = value();
  switch (key) {
    case TQV_KEY_LEFT:
    case TQV_KEY_DOWN:
      target -= step;
      break;
    case TQV_KEY_RIGHT:
    case TQV_KEY_UP:
      target += step;
      break;
    case TQV_KEY_PAGE_DOWN:
      target -= page;
      break;
    case TQV_KEY_PAGE_UP:
      target += page;
      break;
    case TQV_KEY_HOME:
      target = minimum();
      break;
    case TQV_KEY_END:
      target = maximum();
      break;
    default:
      return false;
  }
  return setValue(static_cast<TQVINT>(std::clamp<int64_t>(target, INT32_MIN, INT32_MAX)));
}

bool tqvSliderControl::mouseDown(TQVINT x, TQVINT y, TQVINT modifiers, TQVINT clicks) {
  if (!isEnabled()) return false;
  TQVINT before = value();
  setValue(valueAt(x, y));
  tqvServices().flush();
  tqvFormObject* form = activeFormObject();
  for (;;) {
    tqvEvent event = tqvGetEvent(TQV_MOUSE_DRAG_EVENT | TQV_MOUSE_UP_EVENT, -1);
    if (event.type == TQV_NULL_EVENT) break;
    TQVINT ex = event.x, ey = event.y;
    if (form != nullptr) form->toFormCoordinates(ex, ey);
    setValue(valueAt(ex, ey));
    tqvServices().flush();
    if (event.type == TQV_MOUSE_UP_EVENT) break;
  }
  return value() != before;
}

bool tqvSliderControl::mouseWheel(TQVINT notches, TQVINT modifiers) {
  if (!isEnabled()) return false;
  int64_t target = int64_t{value()} - int64_t{notches} * std::max(integer("Step", 1), 1);
  setValue(static_cast<TQVINT>(std::clamp<int64_t>(target, INT32_MIN, INT32_MAX)));
  return true;
}

tqvHandle tqvSliderControl::perform(const tqvHandle& action, const tqvHandle& data) {
  std::string_view name = tqvStringView(action);
  if (name == "GetPos" || name == "GetValue") return tqvMakeInt(value());
  if (name == "SetPos" || name == "SetValue") {
    setValue(tqvIntegerOf(data, value()));
    return tqvHandle();
  }
  return tqvStandardControl::perform(action, data);
}
