// Script commands as sequences of input events.
#include "platform/headless/script_input.h"

#include <algorithm>
#include <cstdlib>

namespace tqvPlatform {
namespace {

InputEvent mouseEvent(InputEvent::Type type, const PointerState& pointer) {
  InputEvent event;
  event.type = type;
  event.x = pointer.x;
  event.y = pointer.y;
  event.button = MouseButton::Left;
  event.leftHeld = pointer.leftHeld;
  return event;
}

void moveTo(int32_t x, int32_t y, PointerState& pointer, std::deque<InputEvent>& out) {
  if (pointer.placed && pointer.x == x && pointer.y == y) return;
  pointer.x = x;
  pointer.y = y;
  pointer.placed = true;
  out.push_back(mouseEvent(InputEvent::Type::MouseMove, pointer));
}

void press(PointerState& pointer, std::deque<InputEvent>& out) {
  pointer.leftHeld = true;
  out.push_back(mouseEvent(InputEvent::Type::ButtonDown, pointer));
}

void release(PointerState& pointer, std::deque<InputEvent>& out) {
  pointer.leftHeld = false;
  out.push_back(mouseEvent(InputEvent::Type::ButtonUp, pointer));
}

InputEvent keyEvent(InputEvent::Type type, Key key, Modifiers modifiers) {
  InputEvent event;
  event.type = type;
  event.key = key;
  event.modifiers = modifiers;
  return event;
}

// Holds the chord's modifiers down, strikes the key (typing its character when it types
// one), and lets go in reverse order.
void strike(const KeyChord& chord, std::deque<InputEvent>& out) {
  Modifiers held;
  auto hold = [&](bool wanted, Key key, bool Modifiers::*flag) {
    if (!wanted) return;
    held.*flag = true;
    out.push_back(keyEvent(InputEvent::Type::KeyDown, key, held));
  };
  hold(chord.modifiers.ctrl, Key::Ctrl, &Modifiers::ctrl);
  hold(chord.modifiers.alt, Key::Alt, &Modifiers::alt);
  hold(chord.modifiers.shift, Key::Shift, &Modifiers::shift);

  // A modifier named as the key itself is pressed and released with its own flag.
  Modifiers during = held;
  if (chord.key == Key::Ctrl) during.ctrl = true;
  if (chord.key == Key::Alt) during.alt = true;
  if (chord.key == Key::Shift) during.shift = true;
  out.push_back(keyEvent(InputEvent::Type::KeyDown, chord.key, during));
  if (!chord.character.empty()) {
    InputEvent text;
    text.type = InputEvent::Type::Text;
    text.text = chord.character;
    text.modifiers = during;
    out.push_back(text);
  }
  out.push_back(keyEvent(InputEvent::Type::KeyUp, chord.key, held));

  auto let = [&](bool wanted, Key key, bool Modifiers::*flag) {
    if (!wanted) return;
    held.*flag = false;
    out.push_back(keyEvent(InputEvent::Type::KeyUp, key, held));
  };
  let(chord.modifiers.shift, Key::Shift, &Modifiers::shift);
  let(chord.modifiers.alt, Key::Alt, &Modifiers::alt);
  let(chord.modifiers.ctrl, Key::Ctrl, &Modifiers::ctrl);
}

}  // namespace

void appendScriptInput(const ScriptCommand& command, PointerState& pointer,
                       std::deque<InputEvent>& out) {
  using Kind = ScriptCommand::Kind;
  const int32_t* n = command.numbers;
  switch (command.kind) {
    case Kind::Click:
      moveTo(n[0], n[1], pointer, out);
      press(pointer, out);
      release(pointer, out);
      break;
    case Kind::DoubleClick:
      moveTo(n[0], n[1], pointer, out);
      for (int i = 0; i < 2; ++i) {
        press(pointer, out);
        release(pointer, out);
      }
      break;
    case Kind::Press:
      moveTo(n[0], n[1], pointer, out);
      press(pointer, out);
      break;
    case Kind::Release:
      moveTo(n[0], n[1], pointer, out);
      release(pointer, out);
      break;
    case Kind::Move:
      moveTo(n[0], n[1], pointer, out);
      break;
    case Kind::Drag: {
      moveTo(n[0], n[1], pointer, out);
      press(pointer, out);
      // Steps of about eight pixels, ending exactly at the target.
      int64_t dx = static_cast<int64_t>(n[2]) - n[0];
      int64_t dy = static_cast<int64_t>(n[3]) - n[1];
      int64_t steps = std::max<int64_t>(std::llabs(dx), std::llabs(dy)) / 8 + 1;
      steps = std::min<int64_t>(steps, 1000);
      for (int64_t i = 1; i <= steps; ++i) {
        moveTo(static_cast<int32_t>(n[0] + dx * i / steps),
               static_cast<int32_t>(n[1] + dy * i / steps), pointer, out);
      }
      release(pointer, out);
      break;
    }
    case Kind::Wheel: {
      moveTo(n[0], n[1], pointer, out);
      InputEvent wheel = mouseEvent(InputEvent::Type::Wheel, pointer);
      wheel.word = n[2];
      out.push_back(wheel);
      break;
    }
    case Kind::KeyPress:
      strike(command.chord, out);
      break;
    case Kind::Type:
      for (const std::string& character : splitCharacters(command.text)) {
        KeyChord chord;
        unsigned char c = static_cast<unsigned char>(character[0]);
        chord.key =
            c < 0x80 ? static_cast<Key>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c) : Key::Other;
        chord.character = character;
        strike(chord, out);
      }
      break;
    default:
      break;
  }
}

}  // namespace tqvPlatform
