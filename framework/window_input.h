// Translation of the window's input into events: the keyboard and mouse state of the main
// window, key codes, chords, Alt alone, click counting, drags and capture.
#pragma once

#include <cstdint>
#include <functional>

#include "framework/event.h"
#include "platform/platform.h"

class tqvWindowInput {
 public:
  using Clock = std::function<uint32_t()>;
  using Capture = std::function<void(bool)>;

  // `clock` stamps events and times clicks; `capture` turns mouse capture on and off
  // (may be empty).
  explicit tqvWindowInput(Clock clock, Capture capture = {});

  // Posts the events that one piece of input stands for (possibly none):
  // - special keys: KeyDown with their code; Ctrl or Alt with a digit or letter: KeyDown
  //   with the digit or capital; typed text: KeyDown per code page 1252 character unless
  //   Alt is held; Enter, Backspace, Tab and Esc type 13 (10 with Ctrl), 8 (127 with
  //   Ctrl), 9 and 27, except Tab with Alt and Esc with only Ctrl;
  // - key release: KeyUp with the code of the last KeyDown, once; Alt released right
  //   after being pressed alone: KeyUp with TQV_KEY_ALT_ALONE;
  // - mouse: MouseMove or, with a button held, MouseDrag (nothing when the position did
  //   not change); left press: capture, MouseDown with the click count (one more than the
  //   last when within 400 ms and 5 pixels of it, else 1); left release after a press or
  //   drag: MouseUp and release of the capture;
  // - focus: Activate, Deactivate; timer: Timer; user message: UserMessage with the
  //   parameter as an integer in data1; close request: the quit request; end of session:
  //   the quit flag and the quit request.
  void handle(const tqvPlatform::InputEvent& input);

  // Modifier flags as they stand now.
  TQVINT modifiers() const { return modifiers_; }
  // Where the mouse was last seen (media coordinates).
  TQVINT pointerX() const { return lastX_; }
  TQVINT pointerY() const { return lastY_; }

 private:
  void post(TQVINT type, TQVINT word = 0, TQVINT x = 0, TQVINT y = 0);
  void postKeyDown(TQVINT code);
  void setModifiers(const tqvPlatform::InputEvent& input);
  void keyDown(const tqvPlatform::InputEvent& input);
  void keyUp(const tqvPlatform::InputEvent& input);
  void text(const tqvPlatform::InputEvent& input);
  void mouseMove(const tqvPlatform::InputEvent& input);
  void buttonDown(const tqvPlatform::InputEvent& input);
  void buttonUp(const tqvPlatform::InputEvent& input);

  Clock clock_;
  Capture capture_;
  TQVINT modifiers_ = 0;
  tqvPlatform::Key lastKey_ = tqvPlatform::Key::None;
  bool hasPendingKey_ = false;
  TQVINT pendingKey_ = 0;
  TQVINT lastX_ = 0;
  TQVINT lastY_ = 0;
  bool buttonHeld_ = false;
  bool clicked_ = false;  // no click yet: the first one always counts 1
  uint32_t lastClickTime_ = 0;
  TQVINT lastClickX_ = 0;
  TQVINT lastClickY_ = 0;
  TQVINT clickCount_ = 1;
};
