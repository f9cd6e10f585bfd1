// Scroll bar geometry, drawing and mouse tracking.
#include "controls/scroll_bar.h"

#include <algorithm>

#include "controls/control_painter.h"
#include "framework/events.h"
#include "framework/form_object.h"
#include "framework/runtime.h"
#include "framework/services.h"
#include "media/text_drawing.h"
#include "values/convert.h"

namespace {

constexpr TQVINT kSmallestThumb = 10;
constexpr TQVINT kFirstRepeatMs = 400;
constexpr TQVINT kRepeatMs = 60;

}  // namespace

tqvScrollBar::tqvScrollBar(TQVINT left, TQVINT top, TQVINT right, TQVINT bottom, bool arrows,
                           TQVINT arrowLength, TQVINT thumbLength)
    : left_(left),
      top_(top),
      right_(std::max(left, right)),
      bottom_(std::max(top, bottom)),
      arrows_(arrows),
      arrowLength_(arrowLength),
      thumbLength_(thumbLength) {}

tqvScrollBar::Parts tqvScrollBar::parts(const tqvScrollState& state) const {
  bool up = upright();
  TQVINT start = up ? top_ : left_;
  TQVINT length = up ? bottom_ - top_ : right_ - left_;
  TQVINT thickness = up ? right_ - left_ : bottom_ - top_;
  Parts p;
  if (arrows_) p.arrow = std::min(arrowLength_ > 0 ? arrowLength_ : thickness, length / 3);
  p.trackStart = start + p.arrow;
  p.trackEnd = start + length - p.arrow;
  TQVINT track = std::max<TQVINT>(p.trackEnd - p.trackStart, 1);
  int64_t total = int64_t{std::max<TQVINT>(state.largest, 0)} + std::max<TQVINT>(state.page, 1);
  p.thumbLength =
      thumbLength_ > 0
          ? std::min(thumbLength_, track)
          : static_cast<TQVINT>(std::clamp<int64_t>(track * int64_t{state.page} / total,
                                                    std::min(kSmallestThumb, track), track));
  TQVINT movable = track - p.thumbLength;
  TQVINT position = std::clamp<TQVINT>(state.position, 0, std::max<TQVINT>(state.largest, 0));
  p.thumbStart =
      p.trackStart +
      (state.largest > 0 ? static_cast<TQVINT>(int64_t{movable} * position / state.largest) : 0);
  return p;
}

tqvScrollBar::Part tqvScrollBar::partAt(TQVINT x, TQVINT y, const tqvScrollState& state) const {
  Parts p = parts(state);
  TQVINT along = upright() ? y : x;
  if (along < p.trackStart) return Part::BackArrow;
  if (along >= p.trackEnd) return Part::ForwardArrow;
  if (along < p.thumbStart) return Part::PageBack;
  if (along >= p.thumbStart + p.thumbLength) return Part::PageForward;
  return Part::Thumb;
}

void tqvScrollBar::draw(tqvPainter& painter, const tqvScrollState& state, bool live) const {
  if (right_ - left_ < 4 || bottom_ - top_ < 4) return;
  Parts p = parts(state);
  bool up = upright();
  painter.fill(left_, top_, right_, bottom_, TQV_COLOUR_FACE);
  painter.frame(left_, top_, right_, bottom_, TQV_COLOUR_EDGE);
  // The two arrow buttons, each with a triangle pointing its way.
  for (int end = 0; end < 2 && p.arrow > 0; ++end) {
    TQVINT l = up ? left_ : end == 0 ? left_ : right_ - p.arrow;
    TQVINT t = up ? (end == 0 ? top_ : bottom_ - p.arrow) : top_;
    TQVINT r = up ? right_ : l + p.arrow;
    TQVINT b = up ? t + p.arrow : bottom_;
    painter.face(l, t, r, b, false);
    cairo_t* cr = painter.cr();
    if (cr == nullptr) continue;
    double cx = (l + r) / 2.0, cy = (t + b) / 2.0;
    double s = std::max(2.0, (up ? r - l : b - t) / 5.0);
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
  if (!live) return;
  if (up) {
    painter.face(left_ + 1, p.thumbStart, right_ - 1, p.thumbStart + p.thumbLength, false);
  } else {
    painter.face(p.thumbStart, top_ + 1, p.thumbStart + p.thumbLength, bottom_ - 1, false);
  }
}

void tqvScrollBar::track(TQVINT x, TQVINT y, TQVINT step,
                         const std::function<bool(tqvScrollState&)>& read,
                         const std::function<void(TQVINT)>& move,
                         const std::function<void(Part, bool)>& pressed) const {
  tqvScrollState state;
  if (!read(state)) return;
  Part part = partAt(x, y, state);
  Parts p = parts(state);
  tqvFormObject* form = tqvAsFormObject(tqvActiveForm());
  if (pressed) pressed(part, true);
  if (part == Part::Thumb) {
    if (state.largest > 0) {
      TQVINT grabbed = (upright() ? y : x) - p.thumbStart;
      TQVINT movable = std::max<TQVINT>(p.trackEnd - p.trackStart - p.thumbLength, 1);
      for (;;) {
        tqvEvent event = tqvGetEvent(TQV_MOUSE_DRAG_EVENT | TQV_MOUSE_UP_EVENT, -1);
        if (event.type == TQV_NULL_EVENT) break;
        TQVINT ex = event.x, ey = event.y;
        if (form != nullptr) form->toFormCoordinates(ex, ey);
        TQVINT at = std::clamp<TQVINT>(
            tqvSaturatingAdd(upright() ? ey : ex, -grabbed) - p.trackStart, 0, movable);
        move(static_cast<TQVINT>(int64_t{at} * state.largest / movable));
        tqvServices().flush();
        if (event.type == TQV_MOUSE_UP_EVENT) break;
      }
    }
  } else {
    TQVINT delta = part == Part::BackArrow      ? -step
                   : part == Part::ForwardArrow ? step
                   : part == Part::PageBack     ? -state.page
                                                : state.page;
    TQVINT wait = kFirstRepeatMs;
    for (;;) {
      tqvScrollState now;
      if (!read(now)) break;
      move(tqvSaturatingAdd(now.position, delta));
      tqvServices().flush();
      tqvEvent event = tqvGetEvent(TQV_MOUSE_UP_EVENT, wait);
      if (event.type == TQV_MOUSE_UP_EVENT || tqvQuitFlag() || tqvCurrentEventSource() == nullptr) {
        break;
      }
      wait = kRepeatMs;
    }
  }
  if (pressed) pressed(part, false);
}
