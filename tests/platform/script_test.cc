// Headless scripts: parsing, key names, and the input each command stands for.
#include <gtest/gtest.h>

#include "platform/headless/script.h"
#include "platform/headless/script_input.h"

namespace {

using tqvPlatform::InputEvent;
using tqvPlatform::Key;
using tqvPlatform::KeyChord;
using tqvPlatform::ScriptCommand;
using Kind = ScriptCommand::Kind;
using Type = InputEvent::Type;

std::vector<ScriptCommand> parse(const std::string& text) {
  std::vector<ScriptCommand> commands;
  std::string error;
  EXPECT_TRUE(tqvPlatform::parseScript(text, "s.txt", commands, error)) << error;
  return commands;
}

std::string parseError(const std::string& text) {
  std::vector<ScriptCommand> commands;
  std::string error;
  EXPECT_FALSE(tqvPlatform::parseScript(text, "s.txt", commands, error));
  return error;
}

TEST(Script, EveryCommandWithItsArguments) {
  auto commands = parse(
      "# a session\n"
      "\n"
      "click 10 20\r\n"
      "  dblclick -3 4  \n"
      "press 1 2\nrelease 3 4\nmove 5 6\ndrag 1 2 30 40\n"
      "key Alt+F4\n"
      "type Olá, mundo  ok\n"
      "wait 250\n"
      "answer cancel\n"
      "expect-box Erro ao abrir\n"
      "shot main screen\n"
      "quit\n");
  ASSERT_EQ(commands.size(), 13u);
  EXPECT_EQ(commands[0].kind, Kind::Click);
  EXPECT_EQ(commands[0].line, 3);
  EXPECT_EQ(commands[0].numbers[0], 10);
  EXPECT_EQ(commands[0].numbers[1], 20);
  EXPECT_EQ(commands[1].kind, Kind::DoubleClick);
  EXPECT_EQ(commands[1].numbers[0], -3);
  EXPECT_EQ(commands[1].source, "dblclick -3 4");
  EXPECT_EQ(commands[5].kind, Kind::Drag);
  EXPECT_EQ(commands[5].numbers[3], 40);
  EXPECT_EQ(commands[6].kind, Kind::KeyPress);
  EXPECT_TRUE(commands[6].chord.modifiers.alt);
  EXPECT_EQ(commands[6].chord.key, Key::F4);
  EXPECT_EQ(commands[7].text, "Olá, mundo  ok");
  EXPECT_EQ(commands[8].numbers[0], 250);
  EXPECT_EQ(commands[9].answer, tqvPlatform::BoxAnswer::Cancel);
  EXPECT_EQ(commands[10].text, "Erro ao abrir");
  EXPECT_EQ(commands[11].text, "main screen");
  EXPECT_EQ(commands[12].kind, Kind::Quit);
  EXPECT_EQ(commands[12].line, 15);
}

TEST(Script, BadLinesAreNamedWithTheirNumber) {
  EXPECT_EQ(parseError("click 1 2\n\njump 3 4\n"), "s.txt:3: not a command: jump 3 4");
  EXPECT_EQ(parseError("click 1\n"), "s.txt:1: click needs X Y: click 1");
  EXPECT_EQ(parseError("click 1 2 3\n"), "s.txt:1: click needs X Y: click 1 2 3");
  EXPECT_EQ(parseError("drag 1 2 x 4\n"), "s.txt:1: drag needs X1 Y1 X2 Y2: drag 1 2 x 4");
  EXPECT_EQ(parseError("wait -5\n"), "s.txt:1: wait needs a number of milliseconds: wait -5");
  EXPECT_EQ(parseError("wait 99999999999\n"),
            "s.txt:1: wait needs a number of milliseconds: wait 99999999999");
  EXPECT_EQ(parseError("key Hyper+x\n"), "s.txt:1: no such key: key Hyper+x");
  EXPECT_EQ(parseError("key\n"), "s.txt:1: no such key: key");
  EXPECT_EQ(parseError("answer maybe\n"), "s.txt:1: answer needs ok or cancel: answer maybe");
  EXPECT_EQ(parseError("shot a/b\n"), "s.txt:1: shot needs a file name: shot a/b");
  EXPECT_EQ(parseError("quit now\n"), "s.txt:1: quit takes nothing: quit now");
  EXPECT_EQ(parseError("type\n"), "s.txt:1: type needs some text: type");
  EXPECT_EQ(parseError("expect-form\n"), "s.txt:1: expect-form needs a name: expect-form");
}

TEST(Script, KeyNames) {
  KeyChord chord;
  ASSERT_TRUE(tqvPlatform::parseKeyChord("ctrl+c", chord));
  EXPECT_TRUE(chord.modifiers.ctrl);
  EXPECT_EQ(chord.key, static_cast<Key>('c'));
  EXPECT_EQ(chord.character, "");  // chords type nothing
  ASSERT_TRUE(tqvPlatform::parseKeyChord("Ctrl++", chord));
  EXPECT_EQ(chord.key, static_cast<Key>('+'));
  ASSERT_TRUE(tqvPlatform::parseKeyChord("Shift+a", chord));
  EXPECT_EQ(chord.character, "A");
  ASSERT_TRUE(tqvPlatform::parseKeyChord("Q", chord));
  EXPECT_EQ(chord.key, static_cast<Key>('q'));
  EXPECT_EQ(chord.character, "Q");
  ASSERT_TRUE(tqvPlatform::parseKeyChord("ç", chord));
  EXPECT_EQ(chord.key, Key::Other);
  EXPECT_EQ(chord.character, "ç");
  ASSERT_TRUE(tqvPlatform::parseKeyChord("PageDown", chord));
  EXPECT_EQ(chord.key, Key::PageDown);
  ASSERT_TRUE(tqvPlatform::parseKeyChord("esc", chord));
  EXPECT_EQ(chord.key, Key::Escape);
  ASSERT_TRUE(tqvPlatform::parseKeyChord("F12", chord));
  EXPECT_EQ(chord.key, Key::F12);
  ASSERT_TRUE(tqvPlatform::parseKeyChord("Space", chord));
  EXPECT_EQ(chord.character, " ");
  EXPECT_FALSE(tqvPlatform::parseKeyChord("F13", chord));
  EXPECT_FALSE(tqvPlatform::parseKeyChord("ab", chord));
}

std::deque<InputEvent> inputOf(const std::string& script, tqvPlatform::PointerState& pointer) {
  std::deque<InputEvent> out;
  for (const ScriptCommand& command : parse(script))
    tqvPlatform::appendScriptInput(command, pointer, out);
  return out;
}

TEST(ScriptInput, ClicksMoveFirstOnlyWhenElsewhere) {
  tqvPlatform::PointerState pointer;
  auto events = inputOf("click 0 0\nclick 0 0\ndblclick 7 8\n", pointer);
  std::vector<Type> types;
  for (const InputEvent& e : events) types.push_back(e.type);
  std::vector<Type> expected = {
      Type::MouseMove, Type::ButtonDown, Type::ButtonUp, Type::ButtonDown, Type::ButtonUp,
      Type::MouseMove, Type::ButtonDown, Type::ButtonUp, Type::ButtonDown, Type::ButtonUp};
  EXPECT_EQ(types, expected);
  EXPECT_EQ(events[5].x, 7);
  EXPECT_EQ(events[5].y, 8);
  EXPECT_TRUE(events[6].leftHeld);
  EXPECT_FALSE(events[7].leftHeld);
}

TEST(ScriptInput, DragMovesWithTheButtonHeldToTheExactEnd) {
  tqvPlatform::PointerState pointer;
  auto events = inputOf("drag 10 10 30 14\n", pointer);
  ASSERT_GE(events.size(), 4u);
  EXPECT_EQ(events.front().type, Type::MouseMove);
  EXPECT_EQ(events[1].type, Type::ButtonDown);
  for (size_t i = 2; i + 1 < events.size(); ++i) {
    EXPECT_EQ(events[i].type, Type::MouseMove);
    EXPECT_TRUE(events[i].leftHeld);
  }
  EXPECT_EQ(events[events.size() - 2].x, 30);
  EXPECT_EQ(events[events.size() - 2].y, 14);
  EXPECT_EQ(events.back().type, Type::ButtonUp);
  EXPECT_EQ(events.back().x, 30);
  EXPECT_GE(events.size(), 6u);  // 20 pixels: more than one step
}

TEST(ScriptInput, KeysAndTyping) {
  tqvPlatform::PointerState pointer;
  auto chord = inputOf("key Alt+F4\n", pointer);
  ASSERT_EQ(chord.size(), 4u);
  EXPECT_EQ(chord[0].type, Type::KeyDown);
  EXPECT_EQ(chord[0].key, Key::Alt);
  EXPECT_EQ(chord[1].key, Key::F4);
  EXPECT_TRUE(chord[1].modifiers.alt);
  EXPECT_EQ(chord[2].type, Type::KeyUp);
  EXPECT_EQ(chord[2].key, Key::F4);
  EXPECT_EQ(chord[3].type, Type::KeyUp);
  EXPECT_EQ(chord[3].key, Key::Alt);
  EXPECT_FALSE(chord[3].modifiers.alt);

  auto typed = inputOf("type aé\n", pointer);
  ASSERT_EQ(typed.size(), 6u);
  EXPECT_EQ(typed[0].key, static_cast<Key>('a'));
  EXPECT_EQ(typed[1].type, Type::Text);
  EXPECT_EQ(typed[1].text, "a");
  EXPECT_EQ(typed[4].text, "é");
  EXPECT_EQ(typed[3].key, Key::Other);
}

}  // namespace
