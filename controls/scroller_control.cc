// The scroller and the protocol by which it moves its target.
#include "controls/scroller_control.h"

#include <algorithm>
#include <cmath>

#include "controls/control_painter.h"
#include "framework/events.h"
#include "framework/form_object.h"
#include "framework/perform.h"
#include "framework/runtime.h"
#include "framework/services.h"
#include "media/text_drawing.h"
#include "values/convert.h"
#include "values/list.h"
#include "values/string.h"

namespace {

constexpr TQVINT kSmallestThumb = 10;
constexpr TQVINT kFirstRepeatMs = 400;
constexpr TQVINT kRepeatMs = 60;
constexpr TQVINT kWheelStep = 3;

}  // namespace

tqvHandle tqvScrollerControl::makeInstance(const tqvHandle& definition) {
  return tqvWrapControl(new tqvScrollerControl(definition));
}

bool tqvScrollerControl::upright() {
  return hotSpotHeight() >= hotSpotWidth();
}

tqvHandle tqvScrollerControl::target() {
  tqvHandle name = property("Target");
  tqvFormObject* form = tqvAsFormObject(tqvActiveForm());
  if (!name.is(TQV_STRING_TYPE) || form == nullptr) return tqvHandle();
  tqvHandle found = form->findControl(name, tqvMakeString("Name"));
  tqvControlObject* c = tqvAsControl(found);
  if (c == nullptr || c == this) return tqvHandle();
  tqvHandle myName = property("Name");
  if (myName.is(TQV_STRING_TYPE) && !c->property("Scroller").is(TQV_STRING_TYPE)) {
    c->setProperty("Scroller", myName);
  }
  return found;
}

bool tqvScrollerControl::readInfo(Info& info) {
  tqvHandle t = target();
  if (t.isNil()) return false;
  tqvHandle held = tqvPerform(t, "getScrollInfo");
  tqvListObject* answer = tqvAsList(held);
  if (answer == nullptr || answer->count() < 3) return false;
  info.largest = std::max<TQVINT>(tqvNumberOf(answer->itemAt(1), 0), 0);
  info.position = std::clamp<TQVINT>(tqvNumberOf(answer->itemAt(0), 0), 0, info.largest);
  info.page = std::max<TQVINT>(tqvNumberOf(answer->itemAt(2), 1), 1);
  return true;
}

void tqvScrollerControl::moveTarget(TQVINT position) {
  tqvHandle t = target();
  if (t.isNil()) return;
  tqvPerform(t, "SetPos", tqvMakeInt(position));
  if (isVisible()) draw();
  tqvServices().flush();
}

void tqvScrollerControl::layout(const Info& info, TQVINT& arrow, TQVINT& trackStart,
                                TQVINT& trackEnd, TQVINT& thumbStart, TQVINT& thumbLength) {
  bool up = upright();
  TQVINT start = up ? hotSpotTop() : hotSpotLeft();
  TQVINT length = up ? hotSpotHeight() : hotSpotWidth();
  TQVINT thickness = up ? hotSpotWidth() : hotSpotHeight();
  arrow = std::min(thickness, length / 3);
  trackStart = start + arrow;
  trackEnd = tqvSaturatingAdd(start, length) - arrow;
  TQVINT track = std::max<TQVINT>(trackEnd - trackStart, 1);
  int64_t total = int64_t{info.largest} + info.page;
  thumbLength = static_cast<TQVINT>(std::clamp<int64_t>(track * int64_t{info.page} / total,
                                                        std::min(kSmallestThumb, track), track));
  TQVINT movable = track - thumbLength;
  thumbStart =
      trackStart +
      (info.largest > 0 ? static_cast<TQVINT>(int64_t{movable} * info.position / info.largest) : 0);
}

void tqvScrollerControl::draw() {
  TQVINT left = hotSpotLeft(), top = hotSpotTop();
  TQVINT right = tqvSaturatingAdd(left, hotSpotWidth());
  TQVINT bottom = tqvSaturatingAdd(top, hotSpotHeight());
  if (right - left < 4 || bottom - top < 4) return;
  Info info;
  bool live = readInfo(info) && info.largest > 0 && isEnabled();
  TQVINT arrow, trackStart, trackEnd, thumbStart, thumbLength;
  layout(info, arrow, trackStart, trackEnd, thumbStart, thumbLength);
  bool up = upright();
  tqvPainter painter;
  painter.fill(left, top, right, bottom, TQV_COLOUR_FACE);
  painter.frame(left, top, right, bottom, TQV_COLOUR_EDGE);
  // The two arrow buttons, each with a triangle pointing its way.
  for (int end = 0; end < 2; ++end) {
    TQVINT l = up ? left : end == 0 ? left : right - arrow;
    TQVINT t = up ? (end == 0 ? top : bottom - arrow) : top;
    TQVINT r = up ? right : l + arrow;
    TQVINT b = up ? t + arrow : bottom;
    painter.face(l, t, r, b, false);
    cairo_t* cr = painter.cr();
    if (cr == nullptr) continue;
    double cx = (l + r) / 2.0, cy = (t + b) / 2.0, s = std::max(2.0, (r - l) / 5.0);
    int sign = end == 0 ? -1 : 1;
    if (up) {
      cairo_move_to(cr, cx - s, cy - sign * s / 2);
      cairo_line_to(cr, cx + s, cy - sign * s / 2);
      cairo_line_to(cr, cx, cy + sign * s / 2);
    } else {
      cairo_move_to(cr, cx - sign * s / 2, cy - s);
      cairo_line_to(cr, cx - sign * s / 2, cy + s);
      cairo_line_to(cr, cx + sign * s / 2, cy);
    }
    cairo_close_path(cr);
    tqvSetCairoColour(cr, live ? TQV_COLOUR_EDGE : TQV_COLOUR_GREYED);
    cairo_fill(cr);
  }
  if (live) {
    if (up) {
      painter.face(left + 1, thumbStart, right - 1, thumbStart + thumbLength, false);
    } else {
      painter.face(thumbStart, top + 1, thumbStart + thumbLength, bottom - 1, false);
    }
  }
}

bool tqvScrollerControl::mouseDown(TQVINT x, TQVINT y, TQVINT modifiers, TQVINT clicks) {
  tqvHandle self = handle();
  Info info;
  if (!readInfo(info)) return false;
  TQVINT arrow, trackStart, trackEnd, thumbStart, thumbLength;
  layout(info, arrow, trackStart, trackEnd, thumbStart, thumbLength);
  TQVINT along = upright() ? y : x;
  tqvFormObject* form = activeFormObject();
  if (along >= thumbStart && along < thumbStart + thumbLength && info.largest > 0) {
    // Dragging the thumb: the target follows in proportion.
    TQVINT grabbed = along - thumbStart;
    TQVINT movable = std::max<TQVINT>(trackEnd - trackStart - thumbLength, 1);
    for (;;) {
      tqvEvent event = tqvGetEvent(TQV_MOUSE_DRAG_EVENT | TQV_MOUSE_UP_EVENT, -1);
      if (event.type == TQV_NULL_EVENT) break;
      TQVINT ex = event.x, ey = event.y;
      if (form != nullptr) form->toFormCoordinates(ex, ey);
      TQVINT at = std::clamp<TQVINT>(tqvSaturatingAdd(upright() ? ey : ex, -grabbed) - trackStart,
                                     0, movable);
      moveTarget(static_cast<TQVINT>(int64_t{at} * info.largest / movable));
      if (event.type == TQV_MOUSE_UP_EVENT) break;
    }
    return false;
  }
  // Arrows step by one, the track by a page; both repeat while the button is held.
  TQVINT step = along < trackStart   ? -1
                : along >= trackEnd  ? 1
                : along < thumbStart ? -info.page
                                     : info.page;
  TQVINT wait = kFirstRepeatMs;
  for (;;) {
    Info now;
    if (!readInfo(now)) break;
    moveTarget(tqvSaturatingAdd(now.position, step));
    tqvEvent event = tqvGetEvent(TQV_MOUSE_UP_EVENT, wait);
    if (event.type == TQV_MOUSE_UP_EVENT || tqvQuitFlag() || tqvCurrentEventSource() == nullptr) {
      break;
    }
    wait = kRepeatMs;
  }
  return false;
}

bool tqvScrollerControl::mouseWheel(TQVINT notches, TQVINT modifiers) {
  Info info;
  if (!readInfo(info)) return false;
  moveTarget(
      tqvSaturatingAdd(info.position, static_cast<TQVINT>(std::clamp<int64_t>(
                                          int64_t{notches} * kWheelStep, INT32_MIN, INT32_MAX))));
  return true;
}
