// Window input into events: special keys, chords, typed characters, key releases, Alt
// alone, Alt+F4, click counting, drags, capture, focus, timers and messages.
#include <gtest/gtest.h>

#include "framework/window_input.h"
#include "tests/framework/framework_fixture.h"

namespace {

using tqvPlatform::InputEvent;
using tqvPlatform::Key;
using Type = InputEvent::Type;

class WindowInput : public FrameworkTest {
 protected:
  WindowInput() : input_([this] { return now_; }, [this](bool on) { captures_.push_back(on); }) {}

  void SetUp() override {
    FrameworkTest::SetUp();
    tqvGetEvent(TQV_ALL_EVENTS, 0);  // the queue exists from here on
  }

  void send(Type type, Key key = Key::None, tqvPlatform::Modifiers modifiers = {}) {
    InputEvent e;
    e.type = type;
    e.key = key;
    e.modifiers = modifiers;
    input_.handle(e);
  }
  void text(const std::string& utf8, tqvPlatform::Modifiers modifiers = {}) {
    InputEvent e;
    e.type = Type::Text;
    e.text = utf8;
    e.modifiers = modifiers;
    input_.handle(e);
  }
  void mouse(Type type, int32_t x, int32_t y, bool held = false) {
    InputEvent e;
    e.type = type;
    e.x = x;
    e.y = y;
    e.leftHeld = held;
    input_.handle(e);
  }
  void click(int32_t x, int32_t y) {
    mouse(Type::ButtonDown, x, y, true);
    mouse(Type::ButtonUp, x, y);
  }
  // Everything posted so far, in order.
  std::vector<tqvEvent> posted() {
    std::vector<tqvEvent> all;
    tqvEvent e;
    while (tqvCurrentEventQueue()->take(TQV_ALL_EVENTS, e)) all.push_back(e);
    return all;
  }
  // The codes of the posted key events, KeyUp codes negated.
  std::vector<TQVINT> keys() {
    std::vector<TQVINT> codes;
    for (const tqvEvent& e : posted()) {
      if (e.type == TQV_KEY_DOWN_EVENT) codes.push_back(e.word);
      if (e.type == TQV_KEY_UP_EVENT) codes.push_back(-e.word);
    }
    return codes;
  }

  uint32_t now_ = 1000;
  std::vector<bool> captures_;
  tqvWindowInput input_;
  static constexpr tqvPlatform::Modifiers kCtrl{false, true, false};
  static constexpr tqvPlatform::Modifiers kAlt{false, false, true};
  static constexpr tqvPlatform::Modifiers kShift{true, false, false};
};

TEST_F(WindowInput, SpecialKeysCarryTheirNumberShiftedBySixteen) {
  // The first and last special keys, and those on either side of the unused number 17.
  const std::pair<Key, TQVINT> cases[] = {
      {Key::F1, 1}, {Key::End, 16}, {Key::PageUp, 18}, {Key::Down, 23}};
  for (const auto& [key, number] : cases) {
    send(Type::KeyDown, key);
    send(Type::KeyUp, key);
    EXPECT_EQ(keys(), (std::vector<TQVINT>{number * 65536, -number * 65536})) << number;
  }
}

TEST_F(WindowInput, CtrlAndAltChordsGiveTheVirtualKeyCode) {
  send(Type::KeyDown, Key::Ctrl, kCtrl);
  send(Type::KeyDown, static_cast<Key>('c'), kCtrl);
  send(Type::KeyUp, static_cast<Key>('c'), kCtrl);
  send(Type::KeyUp, Key::Ctrl);
  send(Type::KeyDown, Key::Alt, kAlt);
  send(Type::KeyDown, static_cast<Key>('7'), kAlt);
  send(Type::KeyUp, static_cast<Key>('7'), kAlt);
  send(Type::KeyUp, Key::Alt);
  // Ctrl with a key that is neither digit nor letter: nothing.
  send(Type::KeyDown, static_cast<Key>(';'), kCtrl);
  send(Type::KeyUp, static_cast<Key>(';'), kCtrl);
  EXPECT_EQ(keys(), (std::vector<TQVINT>{'C', -'C', '7', -'7'}));
}

TEST_F(WindowInput, TypedTextIsCodePage1252AndPairsWithItsRelease) {
  send(Type::KeyDown, Key::Other);
  text("é");
  send(Type::KeyUp, Key::Other);
  send(Type::KeyDown, static_cast<Key>('a'));
  text("€a");
  send(Type::KeyUp, static_cast<Key>('a'));
  send(Type::KeyUp, static_cast<Key>('a'));  // a second release reports nothing
  EXPECT_EQ(keys(), (std::vector<TQVINT>{0xE9, -0xE9, 0x80, 'a', -'a'}));
  // Typed text while Alt is held is dropped.
  text("x", kAlt);
  EXPECT_TRUE(keys().empty());
}

TEST_F(WindowInput, KeysThatTypeControlCharacters) {
  send(Type::KeyDown, Key::Enter);
  send(Type::KeyDown, Key::Enter, kCtrl);
  send(Type::KeyDown, Key::Backspace);
  send(Type::KeyDown, Key::Backspace, kCtrl);
  send(Type::KeyDown, Key::Tab);
  send(Type::KeyDown, Key::Tab, kShift);
  send(Type::KeyDown, Key::Escape);
  send(Type::KeyDown, Key::Escape, {true, true, false});  // Ctrl+Shift+Esc types Esc
  EXPECT_EQ(keys(), (std::vector<TQVINT>{13, 10, 8, 127, 9, 9, 27, 27}));
  send(Type::KeyDown, Key::Tab, kAlt);      // the desktop's window switch
  send(Type::KeyDown, Key::Escape, kCtrl);  // the desktop's menu
  EXPECT_TRUE(keys().empty());
}

TEST_F(WindowInput, AltAloneGivesKeyUp24) {
  send(Type::KeyDown, Key::Alt, kAlt);
  send(Type::KeyDown, Key::Alt, kAlt);  // auto-repeat
  send(Type::KeyUp, Key::Alt);
  EXPECT_EQ(keys(), (std::vector<TQVINT>{-24 * 65536}));
}

TEST_F(WindowInput, AltWithAnotherKeyOrLostFocusIsNotAlone) {
  send(Type::KeyDown, Key::Alt, kAlt);
  send(Type::KeyDown, Key::F4, kAlt);
  send(Type::KeyUp, Key::F4, kAlt);
  send(Type::KeyUp, Key::Alt);
  EXPECT_EQ(keys(), (std::vector<TQVINT>{TQV_KEY_F4, -TQV_KEY_F4}));  // and no Alt release

  send(Type::KeyDown, Key::Alt, kAlt);
  send(Type::FocusLost);
  send(Type::KeyUp, Key::Alt);
  std::vector<tqvEvent> events = posted();
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].type, TQV_DEACTIVATE_EVENT);
}

TEST_F(WindowInput, ClicksCountBelow400MillisecondsAndWithinFivePixels) {
  now_ = 0;
  click(0, 0);  // the first click counts one, even at time zero and at the origin
  now_ += 399;
  click(0, 0);
  now_ += 399;
  click(5, 5);  // still within 5 pixels of the last click
  now_ += 400;
  click(5, 5);  // 400 ms is too slow
  now_ += 100;
  click(11, 5);  // 6 pixels away
  std::vector<TQVINT> counts;
  for (const tqvEvent& e : posted()) {
    if (e.type == TQV_MOUSE_DOWN_EVENT) counts.push_back(e.word);
  }
  EXPECT_EQ(counts, (std::vector<TQVINT>{1, 2, 3, 1, 1}));
}

TEST_F(WindowInput, MovesDragsAndCapture) {
  mouse(Type::MouseMove, 5, 6);
  mouse(Type::MouseMove, 5, 6);  // same place: nothing
  mouse(Type::ButtonDown, 5, 6, true);
  mouse(Type::MouseMove, 9, 6, true);
  mouse(Type::ButtonUp, 9, 6);
  mouse(Type::ButtonUp, 9, 6);  // no press before it: nothing
  std::vector<tqvEvent> events = posted();
  ASSERT_EQ(events.size(), 4u);
  EXPECT_EQ(events[0].type, TQV_MOUSE_MOVE_EVENT);
  EXPECT_EQ(events[0].modifiers, 0);
  EXPECT_EQ(events[1].type, TQV_MOUSE_DOWN_EVENT);
  EXPECT_EQ(events[1].modifiers, TQV_BUTTON_FLAG);
  EXPECT_EQ(events[2].type, TQV_MOUSE_DRAG_EVENT);
  EXPECT_EQ(events[2].x, 9);
  EXPECT_EQ(events[2].modifiers, TQV_BUTTON_FLAG);
  EXPECT_EQ(events[3].type, TQV_MOUSE_UP_EVENT);
  EXPECT_EQ(events[3].modifiers, 0);
  EXPECT_EQ(captures_, (std::vector<bool>{true, false}));
  // Moving with only the right button held drags too, and its release still ends it.
  InputEvent right;
  right.type = Type::MouseMove;
  right.x = 20;
  right.rightHeld = true;
  input_.handle(right);
  mouse(Type::ButtonUp, 20, 0);
  events = posted();
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].type, TQV_MOUSE_DRAG_EVENT);
  EXPECT_EQ(events[1].type, TQV_MOUSE_UP_EVENT);
}

TEST_F(WindowInput, ModifiersTravelWithMouseEvents) {
  send(Type::KeyDown, Key::Shift, kShift);
  mouse(Type::MouseMove, 1, 1);
  std::vector<tqvEvent> events = posted();
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].modifiers, TQV_SHIFT_FLAG);
  EXPECT_EQ(events[0].time, 1000u);
}

TEST_F(WindowInput, FocusTimersMessagesAndClosing) {
  send(Type::FocusGained);
  InputEvent tick;
  tick.type = Type::Timer;
  tick.timer = 3;
  input_.handle(tick);
  InputEvent message;
  message.type = Type::UserMessage;
  message.word = 12;
  message.param = -7;
  input_.handle(message);
  send(Type::CloseRequested);
  std::vector<tqvEvent> events = posted();
  ASSERT_EQ(events.size(), 4u);
  EXPECT_EQ(events[0].type, TQV_ACTIVATE_EVENT);
  EXPECT_EQ(events[1].type, TQV_TIMER_EVENT);
  EXPECT_EQ(events[1].word, 3);
  EXPECT_EQ(events[2].type, TQV_USER_MESSAGE_EVENT);
  EXPECT_EQ(events[2].word, 12);
  EXPECT_TRUE(events[2].data1.is(TQV_INT_TYPE));
  EXPECT_EQ(events[2].data1.intValue(), -7);
  EXPECT_EQ(events[3].type, TQV_QUIT_EVENT);
  EXPECT_FALSE(tqvQuitFlag());
  send(Type::EndSession);
  EXPECT_TRUE(tqvQuitFlag());
  EXPECT_EQ(posted().size(), 1u);
}

}  // namespace
