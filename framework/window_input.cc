// The window procedure's handling of keyboard, mouse, focus and timer input.
#include "framework/window_input.h"

#include <cstdlib>
#include <string>

#include "framework/events.h"
#include "platform/keys.h"
#include "values/cp1252.h"

using tqvPlatform::InputEvent;
using tqvPlatform::Key;

namespace {

constexpr uint32_t kDoubleClickMs = 400;
constexpr TQVINT kDoubleClickSlop = 5;

// The special-key number of a key, or 0.
TQVINT specialNumber(Key key) {
  const tqvPlatform::KeyName* named = tqvPlatform::findKey(key);
  return named != nullptr ? named->special : 0;
}

bool isModifierKey(Key key) {
  return key == Key::Shift || key == Key::Ctrl || key == Key::Alt;
}

}  // namespace

tqvWindowInput::tqvWindowInput(Clock clock, Capture capture)
    : clock_(std::move(clock)), capture_(std::move(capture)) {}

void tqvWindowInput::post(TQVINT type, TQVINT word, TQVINT x, TQVINT y) {
  tqvEvent event;
  event.type = type;
  event.time = clock_();
  event.modifiers = modifiers_;
  event.x = x;
  event.y = y;
  event.word = word;
  tqvPostEvent(event);
}

void tqvWindowInput::postKeyDown(TQVINT code) {
  post(TQV_KEY_DOWN_EVENT, code);
  pendingKey_ = code;
  hasPendingKey_ = true;
}

void tqvWindowInput::setModifiers(const InputEvent& input) {
  bool down = input.type == InputEvent::Type::KeyDown;
  bool shift = input.modifiers.shift;
  bool ctrl = input.modifiers.ctrl;
  bool alt = input.modifiers.alt;
  // A modifier key's own event settles its flag whatever the toolkit reports with it.
  if (input.key == Key::Shift) shift = down;
  if (input.key == Key::Ctrl) ctrl = down;
  if (input.key == Key::Alt) alt = down;
  modifiers_ = (modifiers_ & TQV_BUTTON_FLAG) | (shift ? TQV_SHIFT_FLAG : 0) |
               (ctrl ? TQV_CONTROL_FLAG : 0) | (alt ? TQV_ALT_FLAG : 0);
}

void tqvWindowInput::handle(const InputEvent& input) {
  switch (input.type) {
    case InputEvent::Type::KeyDown:
      keyDown(input);
      break;
    case InputEvent::Type::KeyUp:
      keyUp(input);
      break;
    case InputEvent::Type::Text:
      text(input);
      break;
    case InputEvent::Type::MouseMove:
      mouseMove(input);
      break;
    case InputEvent::Type::ButtonDown:
      buttonDown(input);
      break;
    case InputEvent::Type::ButtonUp:
      buttonUp(input);
      break;
    case InputEvent::Type::FocusGained:
      post(TQV_ACTIVATE_EVENT);
      break;
    case InputEvent::Type::FocusLost:
      lastKey_ = Key::None;
      post(TQV_DEACTIVATE_EVENT);
      break;
    case InputEvent::Type::Timer:
      post(TQV_TIMER_EVENT, input.timer);
      break;
    case InputEvent::Type::UserMessage: {
      tqvEvent event;
      event.type = TQV_USER_MESSAGE_EVENT;
      event.time = clock_();
      event.modifiers = modifiers_;
      event.word = input.word;
      event.data1 = tqvMakeInt(input.param);
      tqvPostEvent(event);
      break;
    }
    case InputEvent::Type::CloseRequested:
      tqvPostQuit();
      break;
    case InputEvent::Type::EndSession:
      tqvSetQuitFlag(true);
      tqvPostQuit();
      break;
    case InputEvent::Type::Wheel:
      post(TQV_WHEEL_EVENT, input.word, input.x, input.y);
      break;
    case InputEvent::Type::ScaleChanged:  // the main window's own business
    case InputEvent::Type::None:
      break;
  }
}

void tqvWindowInput::keyDown(const InputEvent& input) {
  setModifiers(input);
  lastKey_ = input.key;
  if (isModifierKey(input.key)) return;
  if (TQVINT number = specialNumber(input.key)) {
    postKeyDown(tqvSpecialKey(number));
    return;
  }
  bool ctrl = (modifiers_ & TQV_CONTROL_FLAG) != 0;
  bool alt = (modifiers_ & TQV_ALT_FLAG) != 0;
  bool shift = (modifiers_ & TQV_SHIFT_FLAG) != 0;
  auto code = static_cast<TQVINT>(input.key);
  bool letter = code >= 'a' && code <= 'z';
  bool digit = code >= '0' && code <= '9';
  if ((ctrl || alt) && (letter || digit)) {
    postKeyDown(letter ? code - ('a' - 'A') : code);
    return;
  }
  // Keys that type a control character; the toolkit reports no text for them.
  if (alt) return;
  switch (input.key) {
    case Key::Enter:
      postKeyDown(ctrl ? 10 : 13);
      break;
    case Key::Backspace:
      postKeyDown(ctrl ? 127 : 8);
      break;
    case Key::Tab:
      postKeyDown(9);
      break;
    case Key::Escape:
      if (!(ctrl && !shift)) postKeyDown(27);  // Ctrl+Esc belongs to the desktop
      break;
    default:
      break;
  }
}

void tqvWindowInput::keyUp(const InputEvent& input) {
  setModifiers(input);
  if (input.key == Key::Alt && lastKey_ == Key::Alt) {
    lastKey_ = Key::None;
    post(TQV_KEY_UP_EVENT, TQV_KEY_ALT_ALONE);
    return;
  }
  if (hasPendingKey_) {
    hasPendingKey_ = false;
    post(TQV_KEY_UP_EVENT, pendingKey_);
  }
}

void tqvWindowInput::text(const InputEvent& input) {
  if (input.modifiers.alt || (modifiers_ & TQV_ALT_FLAG) != 0) return;
  for (char c : tqvUtf8ToCp1252(input.text)) postKeyDown(static_cast<unsigned char>(c));
}

void tqvWindowInput::mouseMove(const InputEvent& input) {
  if (input.x == lastX_ && input.y == lastY_) return;
  lastX_ = input.x;
  lastY_ = input.y;
  if (input.leftHeld || input.rightHeld) {
    buttonHeld_ = true;
    post(TQV_MOUSE_DRAG_EVENT, 0, input.x, input.y);
  } else {
    post(TQV_MOUSE_MOVE_EVENT, 0, input.x, input.y);
  }
}

void tqvWindowInput::buttonDown(const InputEvent& input) {
  if (input.button != tqvPlatform::MouseButton::Left) return;
  if (capture_) capture_(true);
  modifiers_ |= TQV_BUTTON_FLAG;
  uint32_t now = clock_();
  bool again = clicked_ && now - lastClickTime_ < kDoubleClickMs &&
               std::llabs(int64_t{input.x} - lastClickX_) <= kDoubleClickSlop &&
               std::llabs(int64_t{input.y} - lastClickY_) <= kDoubleClickSlop;
  clickCount_ = again ? clickCount_ + 1 : 1;
  clicked_ = true;
  lastClickTime_ = now;
  lastClickX_ = input.x;
  lastClickY_ = input.y;
  post(TQV_MOUSE_DOWN_EVENT, clickCount_, input.x, input.y);
  buttonHeld_ = true;
}

void tqvWindowInput::buttonUp(const InputEvent& input) {
  if (input.button != tqvPlatform::MouseButton::Left) return;
  modifiers_ &= ~TQV_BUTTON_FLAG;
  lastX_ = input.x;
  lastY_ = input.y;
  if (!buttonHeld_) return;
  buttonHeld_ = false;
  if (capture_) capture_(false);
  post(TQV_MOUSE_UP_EVENT, 0, input.x, input.y);
}
