// The event record that the main loop hands to the application, its type bits, modifier
// flags and key codes.
#pragma once

#include <cstdint>

#include "values/handle.h"

struct tqvEvent {
  TQVINT type = 0;    // one of the event type bits below (0: the null event)
  uint32_t time = 0;  // milliseconds, from the program's clock
  TQVINT modifiers = 0;
  TQVINT x = 0;  // media-area coordinates
  TQVINT y = 0;
  TQVINT word = 0;  // key code, click count, message word or timer id
  tqvHandle data1;
  tqvHandle data2;
};

enum : TQVINT {
  TQV_NULL_EVENT = 0,
  TQV_START_EVENT = 0x1,
  TQV_QUIT_EVENT = 0x2,
  TQV_ACTIVATE_EVENT = 0x4,
  TQV_DEACTIVATE_EVENT = 0x8,
  TQV_MOUSE_MOVE_EVENT = 0x10,
  TQV_MOUSE_DOWN_EVENT = 0x20,
  TQV_MOUSE_DRAG_EVENT = 0x40,
  TQV_MOUSE_UP_EVENT = 0x80,
  TQV_KEY_DOWN_EVENT = 0x100,
  TQV_KEY_UP_EVENT = 0x200,
  TQV_TIMER_EVENT = 0x400,
  TQV_RESERVED_EVENT = 0x800,
  TQV_USER_MESSAGE_EVENT = 0x1000,
  TQV_NOTIFY_EVENT = 0x2000,
  TQV_NATIVE_MESSAGE_EVENT = 0x8000,
  TQV_WHEEL_EVENT = 0x10000,  // word: notches turned (positive: down), x, y
  TQV_INACTIVITY_EVENT = 0x40000,
  TQV_ALL_EVENTS = -1,
  TQV_MOUSE_EVENTS = 0x10 | 0x20 | 0x40 | 0x80,
};

// Modifier flags of an event.
enum : TQVINT {
  TQV_SHIFT_FLAG = 0x1,
  TQV_CONTROL_FLAG = 0x2,
  TQV_ALT_FLAG = 0x4,
  TQV_BUTTON_FLAG = 0x8,  // left mouse button held
};

// Key codes: a typed character is its code page 1252 code (0..255); a special key is its
// number shifted left by 16; a Ctrl or Alt chord with a digit or letter is the digit or
// the capital letter.
constexpr TQVINT tqvSpecialKey(TQVINT number) {
  return number << 16;
}
enum : TQVINT {
  TQV_KEY_F1 = 1 << 16,  // F2..F12 follow: tqvSpecialKey(2..12)
  TQV_KEY_F4 = 4 << 16,
  TQV_KEY_F12 = 12 << 16,
  TQV_KEY_INSERT = 13 << 16,
  TQV_KEY_DELETE = 14 << 16,
  TQV_KEY_HOME = 15 << 16,
  TQV_KEY_END = 16 << 16,
  TQV_KEY_PAGE_UP = 18 << 16,
  TQV_KEY_PAGE_DOWN = 19 << 16,
  TQV_KEY_LEFT = 20 << 16,
  TQV_KEY_RIGHT = 21 << 16,
  TQV_KEY_UP = 22 << 16,
  TQV_KEY_DOWN = 23 << 16,
  TQV_KEY_ALT_ALONE = 24 << 16,  // Alt pressed and released with no other key
};

// The application message that arrives as a UserMessage event.
constexpr TQVINT TQV_USER_MESSAGE = 0x7E8;
