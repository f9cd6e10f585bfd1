// The rollover help box of standard forms: the help text of the control under the
// mouse, shown in a small yellow box once the mouse has stayed on the control for a
// second, and taken away when it leaves.
#pragma once

#include <cstdint>

#include "values/handle.h"

class tqvRolloverHelp {
 public:
  // How long the mouse stays on a control before its help shows.
  static constexpr uint32_t kDelayMs = 1000;

  tqvRolloverHelp() = default;
  ~tqvRolloverHelp();
  tqvRolloverHelp(const tqvRolloverHelp&) = delete;
  tqvRolloverHelp& operator=(const tqvRolloverHelp&) = delete;

  // The mouse entered a control whose help is `help` (nil, a string, or anything else,
  // which is reported when its time comes).
  void enter(const tqvHandle& help, uint32_t now);
  // The mouse left: the box goes and the help is forgotten.
  void leave();
  // The mouse is at (x, y), media coordinates: the box opens near it.
  void mouseAt(TQVINT x, TQVINT y) {
    mouseX_ = x;
    mouseY_ = y;
  }
  // A timer tick: shows the box once the delay has passed. A remembered value that is
  // neither nil nor a string reports "Bad Rollover Text: " and the value, once.
  void tick(uint32_t now);
  // Takes the box off the screen (the help stays remembered).
  void hide();
  bool showing() const { return !saved_.isNil(); }
  // Where the box is (media coordinates), while it shows.
  TQVINT left() const { return left_; }
  TQVINT top() const { return top_; }
  TQVINT right() const { return right_; }
  TQVINT bottom() const { return bottom_; }

 private:
  void show();

  tqvHandle help_;
  uint32_t since_ = 0;
  TQVINT mouseX_ = 0;
  TQVINT mouseY_ = 0;
  tqvHandle saved_;
  TQVINT left_ = 0, top_ = 0, right_ = 0, bottom_ = 0;
};

// The box's background: red 255, green 255, blue 128 (0x00BBGGRR).
constexpr TQVINT TQV_ROLLOVER_HELP_COLOUR = 0x80FFFF;
