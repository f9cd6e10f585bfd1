// A scroll bar's parts, its plain look and the way it follows the mouse; shared by the
// scroller control and the controls that carry a bar of their own (lists, text views).
// A bar taller than wide is upright, else lying; its parts are measured along its length.
#pragma once

#include <functional>

#include "values/handle.h"

class tqvPainter;

// Where a scrolled control stands: the position (0 to largest) and how much one page
// shows, in the control's own units (rows, lines).
struct tqvScrollState {
  TQVINT position = 0;
  TQVINT largest = 0;
  TQVINT page = 1;
};

class tqvScrollBar {
 public:
  enum class Part { BackArrow, ForwardArrow, PageBack, PageForward, Thumb };
  struct Parts {
    TQVINT arrow = 0;  // the length of each arrow button (0: none)
    TQVINT trackStart = 0, trackEnd = 0;
    TQVINT thumbStart = 0, thumbLength = 0;
  };

  // The bar's rectangle in form coordinates. `arrows`: arrow buttons at both ends, as
  // long as `arrowLength` (0: as long as the bar is thick, at most a third of it).
  // `thumbLength` 0 sizes the thumb by the share of the whole that a page shows.
  tqvScrollBar(TQVINT left, TQVINT top, TQVINT right, TQVINT bottom, bool arrows,
               TQVINT arrowLength = 0, TQVINT thumbLength = 0);

  bool upright() const { return bottom_ - top_ >= right_ - left_; }
  Parts parts(const tqvScrollState& state) const;
  Part partAt(TQVINT x, TQVINT y, const tqvScrollState& state) const;
  // The plain look: face, arrow buttons with their triangles, the thumb when `live`.
  void draw(tqvPainter& painter, const tqvScrollState& state, bool live) const;

  // Follows the mouse from a press at (x, y) until the button is released: the thumb
  // drags the position in proportion; the arrows step by `step` and the track by a page,
  // repeating while held. `read` gives the current state (false: stop); `move` asks
  // for a new position; `pressed` (may be empty) hears when a part is held and let go.
  void track(TQVINT x, TQVINT y, TQVINT step, const std::function<bool(tqvScrollState&)>& read,
             const std::function<void(TQVINT)>& move,
             const std::function<void(Part, bool)>& pressed = {}) const;

  TQVINT left() const { return left_; }
  TQVINT top() const { return top_; }
  TQVINT right() const { return right_; }
  TQVINT bottom() const { return bottom_; }

 private:
  TQVINT left_, top_, right_, bottom_;
  bool arrows_;
  TQVINT arrowLength_;
  TQVINT thumbLength_;
};
