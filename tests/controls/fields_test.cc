// Text fields, combo boxes and sliders used as a user would: typing, editing keys, the
// clipboard, formats, the drop-down list (and the screen it covered), dragging and keys.
#include <gtest/gtest.h>

#include "controls/text_field_control.h"
#include "tests/controls/controls_fixture.h"
#include "values/cp1252.h"

namespace {

using Fields = ControlsTest;

std::string fieldForm(const std::string& extra) {
  return R"((form ("Class" "LoggingForm") ("Control List" (list (control ("Class" "TextField")
      ("Name" "F") ("Hot Spot" (rect 10 10 200 24)) ("Auto Activate" true) )" +
         extra + ")))))";
}

std::string text(const tqvHandle& control) {
  return std::string(tqvStringView(tqvPerform(control, "getText")));
}

TEST_F(Fields, TypingAndEditingKeys) {
  // Each step: script lines, then the field's text and selection range.
  struct Step {
    const char* lines;
    const char* text;
    TQVINT from, to;
  } steps[] = {
      {"type Olá mundo", "Ol\xE1 mundo", 9, 9},  // typed in UTF-8, held in code page 1252
      {"key Backspace\nkey Backspace", "Ol\xE1 mun", 7, 7},
      {"key Home\nkey Delete", "l\xE1 mun", 0, 0},
      {"key Shift+End", "l\xE1 mun", 0, 6},
      {"type O", "O", 1, 1},  // typing replaces the selection
      {"key Left\nkey Shift+Right\nkey Ctrl+C\nkey End\nkey Ctrl+V\nkey Ctrl+V", "OOO", 3, 3},
      {"key Ctrl+A\nkey Ctrl+X", "", 0, 0},
  };
  std::string script;
  for (const Step& step : steps) script += std::string(step.lines) + "\nkey F12\n";
  startSession(script);
  show(fieldForm(""));
  tqvHandle field = control("F");
  for (const Step& step : steps) {
    ASSERT_TRUE(runToMarker()) << step.lines;
    EXPECT_EQ(text(field), step.text) << step.lines;
    tqvHandle range = tqvPerform(field, "getSelectionRange");
    EXPECT_EQ(tqvGet(range, 0).intValue(), step.from) << step.lines;
    EXPECT_EQ(tqvGet(range, 1).intValue(), step.to) << step.lines;
  }
  EXPECT_EQ(backend_->clipboardText(), "OOO");  // cut last
  EXPECT_TRUE(LoggingForm::log().empty());      // no notices asked for
}

TEST_F(Fields, FormatsLengthsAndNotices) {
  struct Case {
    const char* extra;
    const char* typed;
    const char* expected;
    std::vector<std::string> log;
  } cases[] = {
      {R"(("Format" "integer"))", "-12a-3.4", "-1234", {"F F"}},
      {R"(("Format" "number"))", "3,14.15x", "3,1415", {"F F"}},
      {R"(("Format" "Date"))", "01/02/2026 ", "01/02/2026", {"F F"}},
      {R"(("Format" "upper"))", "São", "S\xC3O", {"F F"}},
      {R"(("MaxLength" 4))", "abcdef", "abcd", {"F F"}},
      {R"(("NotifyOnEachKey" true))", "ab", "ab", {"F F", "F F", "F F"}},  // a, b, Enter
  };
  for (const Case& c : cases) {
    restartProgram();
    app_ = newApplication();
    tqvRegisterClass(tqvHandle::wrap(new LoggingForm(), TQV_CLASS_TYPE));
    LoggingForm::log().clear();
    setEnv("SourceDisk", discPath());
    startSession("type " + std::string(c.typed) + "\nkey Enter\n");
    show(fieldForm(c.extra));
    runScript();
    EXPECT_EQ(text(control("F")), c.expected) << c.extra;
    EXPECT_EQ(LoggingForm::log(), c.log) << c.extra;
  }
  EXPECT_TRUE(errors().empty());
  show(fieldForm(R"(("Format" "hex"))"));
  EXPECT_EQ(errors(), (std::vector<std::string>{"Format type not allowed: hex"}));
}

TEST_F(Fields, ClicksPlaceTheCaretAndLongTextScrolls) {
  startSession("click 12 22\nkey F12\nclick 205 22\nkey F12\n");
  show(fieldForm(R"(("Text" ")" + std::string(80, 'm') + R"("))"));
  tqvHandle field = control("F");
  ASSERT_TRUE(runToMarker());
  EXPECT_EQ(tqvGet(tqvPerform(field, "getSelectionRange"), 0).intValue(), 0);
  ASSERT_TRUE(runToMarker());
  TQVINT caret = tqvGet(tqvPerform(field, "getSelectionRange"), 0).intValue();
  EXPECT_GT(caret, 10);  // the right edge of the field is well into the text
  EXPECT_LT(caret, 80);
  // Everything drawn stays inside the field.
  for (int x = 5; x < 220; ++x) EXPECT_EQ(pixel(x, 36), kFormColour) << x;
}

TEST_F(Fields, AComboDropsItsListChoosesAndPutsTheScreenBack) {
  // The open list takes every event until it closes: markers come after it.
  startSession(
      "click 100 20\nclick 100 62\nkey F12\n"  // opens, chooses the second item
      "click 100 20\nkey Esc\nkey F12\n"       // opens, closes without a choice
      "key Down\nkey F12\n");                  // the next item while closed
  show(R"((form ("Class" "LoggingForm") ("Control List" (list (control ("Class" "ComboBox")
      ("Name" "C") ("Hot Spot" (rect 10 10 200 21)) ("Font" (font "Arial" 10))
      ("List" (list "Norte" "Nordeste" "Sul")) ("Selection" 0))))))");
  // The drop-down shows while the script waits: compare the screen before and after.
  std::vector<uint32_t> before;
  for (int y = 32; y < 100; ++y) before.push_back(pixel(100, y));
  tqvHandle combo = control("C");
  ASSERT_TRUE(runToMarker());
  EXPECT_EQ(tqvStringView(tqvPerform(combo, "getSelectionStr")), "Nordeste");
  EXPECT_EQ(LoggingForm::log(), (std::vector<std::string>{"C C"}));
  std::vector<uint32_t> after;
  for (int y = 32; y < 100; ++y) after.push_back(pixel(100, y));
  EXPECT_EQ(after, before);  // what the list covered came back
  ASSERT_TRUE(runToMarker());
  EXPECT_EQ(tqvPerform(combo, "getSelection").intValue(), 1);
  ASSERT_TRUE(runToMarker());
  EXPECT_EQ(tqvPerform(combo, "getSelection").intValue(), 2);
  EXPECT_FALSE(tqvTruth(tqvPerform(combo, "isDown")));
}

TEST_F(Fields, EditableCombosTakeAChoiceAndKnowDuplicates) {
  startSession("click 200 20\nkey Enter\nkey F12\n");
  show(R"((form ("Class" "LoggingForm") ("Control List" (list (control ("Class" "TextCombo")
      ("Name" "T") ("Hot Spot" (rect 10 10 200 21)) ("Auto Activate" true) ("Text" "po")
      ("List" (list "Espanhol" "Portugu\xeas" "polon\xeas"))))))))");
  tqvHandle combo = control("T");
  // The list offers only what begins with "po", in any case; Enter chose the first.
  ASSERT_TRUE(runToMarker());
  EXPECT_EQ(text(combo), "Portugu\xEAs");
  EXPECT_EQ(tqvPerform(combo, "getSelection").intValue(), 1);
  EXPECT_TRUE(tqvTruth(tqvPerform(combo, "isDuplicate")));
  tqvPerform(combo, "setText", tqvFromUtf8("Espanha"));
  EXPECT_FALSE(tqvTruth(tqvPerform(combo, "isDuplicate")));
  tqvPerform(combo, "setText", tqvFromUtf8("POLONÊS"));
  EXPECT_TRUE(tqvTruth(tqvPerform(combo, "isDuplicate")));  // case does not count
}

TEST_F(Fields, SlidersFollowTheMouseKeysAndWheel) {
  startSession(
      "click 10 20\nkey F12\n"            // the left end
      "drag 15 20 110 20\nkey F12\n"      // to the middle (the groove is 189 long)
      "key Right\nkey PageUp\nkey F12\n"  // a step and a page
      "wheel 100 20 2\nkey F12\nkey End\nkey F12\n");
  show(R"((form ("Class" "LoggingForm") ("Control List" (list (control ("Class" "Slider")
      ("Name" "S") ("Hot Spot" (rect 10 10 200 20)) ("Min" 0) ("Max" 200) ("Value" 50)
      ("Step" 5) ("Page" 20))))))");
  tqvHandle slider = control("S");
  const TQVINT values[] = {0, 101, 126, 116, 200};
  for (TQVINT expected : values) {
    ASSERT_TRUE(runToMarker());
    EXPECT_NEAR(tqvPerform(slider, "GetPos").intValue(), expected, 1);
  }
  tqvPerform(slider, "SetPos", tqvMakeInt(-50));
  EXPECT_EQ(tqvPerform(slider, "GetValue").intValue(), 0);
  EXPECT_EQ(LoggingForm::log().size(), 5u);  // click, drag, two keys, End; not the wheel
}

}  // namespace
