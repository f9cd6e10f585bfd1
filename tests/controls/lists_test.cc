// List boxes, multiple-selection lists, tables and scrollers driven as a user would:
// clicks, keys, the wheel and the scroller, with the actions their form receives and the
// values they answer; long and damaged lists.
#include <gtest/gtest.h>

#include "controls/list_control.h"
#include "tests/controls/controls_fixture.h"
#include "values/text.h"

namespace {

using Lists = ControlsTest;

// The items of a list value, as text.
std::vector<std::string> texts(const tqvHandle& list) {
  std::vector<std::string> all;
  for (TQVINT i = 0; i < tqvCount(list); ++i) all.push_back(tqvToStdString(tqvGet(list, i), false));
  return all;
}
using Texts = std::vector<std::string>;

std::string items(int count, const std::string& prefix = "Item") {
  std::string list = "(list";
  for (int i = 0; i < count; ++i) list += " \"" + prefix + std::to_string(i) + "\"";
  return list + ")";
}

std::string listForm(const std::string& extra, const std::string& list) {
  return R"((form ("Class" "LoggingForm") ("Control List" (list (control ("Class" "ListBox")
      ("Name" "L") ("Hot Spot" (rect 10 10 200 102)) ("Row Height" 20) ("Auto Activate" true)
      ("List" )" +
         list + ")" + extra + ")))))";
}

TEST_F(Lists, ClicksKeysAndLettersChooseAndTheFormIsTold) {
  // Each step: a script line, the selection after it, the form's last action. Five rows
  // of 20 pixels show, from y = 11.
  struct Step {
    const char* line;
    TQVINT selection;
    const char* action;
  } steps[] = {
      {"click 50 51", 2, "L L"},  // the third row
      {"key Down", 3, "L L"},
      {"key PageDown", 7, "L L"},  // a page is one row less than shows
      {"key End", 9, "L L"},
      {"key Home", 0, "L L"},
      {"key c", 2, "L L"},  // the first item after the selection beginning with c
      {"dblclick 50 51", 2, "dblClicked L"},
      {"key c", 7, "L L"},  // and the next one
      {"key Enter", 7, "dblClicked L"},
  };
  std::string script;
  for (const Step& step : steps) script += std::string(step.line) + "\nkey F12\n";
  startSession(script);
  show(
      listForm("", R"((list "Ana" "Bia" "Caio" "Dora" "Eva" "Fabio" "Gil" "Carla" "Hugo" "Ivo"))"));
  tqvHandle list = control("L");
  for (const Step& step : steps) {
    LoggingForm::log().clear();
    ASSERT_TRUE(runToMarker()) << step.line;
    EXPECT_EQ(tqvPerform(list, "getSelection").intValue(), step.selection) << step.line;
    ASSERT_FALSE(LoggingForm::log().empty()) << step.line;
    EXPECT_EQ(LoggingForm::log().back(), step.action) << step.line;
  }
  EXPECT_EQ(tqvStringView(tqvPerform(list, "getSelectionStr")), "Carla");
}

TEST_F(Lists, TheWheelTheOwnBarAndAScrollerScroll) {
  startSession(
      "wheel 50 50 2\nkey F12\n"      // L: six rows down
      "click 515 100\nkey F12\n"      // B's bar below its thumb: a page down
      "click 250 20\nkey F12\n"       // L's scroller's up arrow: one row up
      "wheel 250 60 -1\nkey F12\n");  // the wheel on the scroller: three rows up
  show(R"((form ("Class" "LoggingForm") ("Control List" (list
      (control ("Class" "ListBox") ("Name" "L") ("Hot Spot" (rect 10 10 200 102))
               ("Row Height" 20) ("List" )" +
       items(40) + R"())
      (control ("Class" "Scroller") ("Name" "S") ("Target" "L")
               ("Hot Spot" (rect 240 10 20 102)))
      (control ("Class" "ListBox") ("Name" "B") ("Hot Spot" (rect 320 10 200 102))
               ("Row Height" 20) ("List" )" +
       items(40) + "))))))");
  tqvHandle list = control("L");
  tqvHandle own = control("B");
  const TQVINT positions[][2] = {{6, 0}, {6, 5}, {5, 5}, {2, 5}};
  for (const auto& expected : positions) {
    ASSERT_TRUE(runToMarker());
    EXPECT_EQ(tqvPerform(list, "GetPos").intValue(), expected[0]);
    EXPECT_EQ(tqvPerform(own, "GetPos").intValue(), expected[1]);
  }
  EXPECT_EQ(tqvPerform(list, "getSelection").intValue(), -1);  // scrolling chose nothing
  EXPECT_EQ(tqvPerform(own, "getSelection").intValue(), -1);
  EXPECT_TRUE(LoggingForm::log().empty());
}

TEST_F(Lists, AHundredThousandItemsOpenAndReachTheEnd) {
  startSession("key End\nkey F12\nkey PageUp\nkey F12\n");
  show(listForm("", "(list)"));
  tqvHandle many = tqvMakeList(100000);
  for (int i = 0; i < 100000; ++i) tqvAddItem(many, tqvMakeInt(i));
  tqvHandle list = control("L");
  tqvPerform(list, "setList", many);
  ASSERT_TRUE(runToMarker());
  EXPECT_EQ(tqvPerform(list, "getSelection").intValue(), 99999);
  EXPECT_EQ(tqvPerform(list, "GetPos").intValue(), 99995);
  EXPECT_EQ(tqvStringView(tqvPerform(list, "getText")), "99999");
  ASSERT_TRUE(runToMarker());
  EXPECT_EQ(tqvPerform(list, "getSelection").intValue(), 99995);
}

TEST_F(Lists, ActionsChangeTheItemsAndRefuseWhatMakesNoSense) {
  startSession("");
  show(listForm(R"(("Selection" 1))", R"((list "a" "b" "c"))"));
  tqvHandle list = control("L");
  EXPECT_EQ(tqvPerform(list, "getSelection").intValue(), 1);
  EXPECT_EQ(tqvPerform(list, "addItem", S("d")).intValue(), 3);
  tqvPerform(list, "deleteItem", tqvMakeInt(0));
  EXPECT_EQ(texts(tqvPerform(list, "getList")), (Texts{"b", "c", "d"}));
  EXPECT_EQ(tqvPerform(list, "getSelection").intValue(), 0);  // "b" is still chosen
  EXPECT_TRUE(tqvTruth(tqvPerform(list, "setSelectionStr", S("d"))));
  EXPECT_EQ(tqvPerform(list, "getSelection").intValue(), 2);
  EXPECT_FALSE(tqvTruth(tqvPerform(list, "setSelectionStr", S("zz"))));
  // Rows show their first element; integers and other values as printed.
  tqvPerform(list, "setList", read(R"((list (list "Brasil" 55) 7 2.5))"));
  EXPECT_EQ(tqvPerform(list, "getSelection").intValue(), -1);
  tqvPerform(list, "setSelection", tqvMakeInt(0));
  EXPECT_EQ(tqvStringView(tqvPerform(list, "getSelectionStr")), "Brasil");
  // Out of range, wrong types and nil: clamped or ignored, never a crash.
  for (const char* data : {"-5", "99", "\"x\"", "(list 1)", "nil"}) {
    tqvPerform(list, "setSelection", read(data));
    tqvPerform(list, "deleteItem", read(data));
    tqvPerform(list, "SetPos", read(data));
  }
  tqvPerform(list, "setList", S("not a list"));
  EXPECT_EQ(tqvPerform(list, "getSelection").intValue(), -1);
  EXPECT_TRUE(errors().empty());
}

TEST_F(Lists, DrawingStaysInsideTheList) {
  startSession("");
  std::string longItem(3000, 'W');
  show(R"((form ("Control List" (list (control ("Class" "ListBox") ("Name" "L")
      ("Hot Spot" (rect 100 100 120 61)) ("Row Height" 20) ("Selection" 0)
      ("List" (list ")" +
       longItem + R"(" "\x01\x02\x7f" "" ")" + longItem + R"("))))))))");
  // Everything outside the list keeps the form's colour.
  for (int x = 90; x < 230; ++x) {
    EXPECT_EQ(pixel(x, 99), kFormColour) << x;
    EXPECT_EQ(pixel(x, 161), kFormColour) << x;
  }
  for (int y = 99; y < 162; ++y) {
    EXPECT_EQ(pixel(99, y), kFormColour) << y;
    EXPECT_EQ(pixel(220, y), kFormColour) << y;
  }
}

TEST_F(Lists, MultipleSelectionWithCtrlShiftAndActions) {
  startSession(
      "click 50 31\nkey F12\n"     // row 1 alone
      "key Space\nkey F12\n"       // takes it out
      "click 50 71\nkey F12\n"     // row 3 alone
      "key Shift+Down\nkey F12\n"  // 3 and 4
      "click 50 31\nkey F12\n");   // row 1 alone again
  show(R"((form ("Class" "LoggingForm") ("Control List" (list (control ("Class" "MultiListBox")
      ("Name" "M") ("Hot Spot" (rect 10 10 200 102)) ("Row Height" 20) ("List" )" +
       items(8) + "))))))");
  tqvHandle list = control("M");
  const Texts expected[] = {{"1"}, {}, {"3"}, {"3", "4"}, {"1"}};
  for (const Texts& selections : expected) {
    ASSERT_TRUE(runToMarker());
    EXPECT_EQ(texts(tqvPerform(list, "getSelections")), selections);
  }
  EXPECT_FALSE(tqvTruth(tqvPerform(list, "wereMultipleSelectionsMade")));
  tqvPerform(list, "setSelections", read("(list 0 5 99 -1)"));
  EXPECT_EQ(texts(tqvPerform(list, "getSelections")), (Texts{"0", "5"}));
  EXPECT_TRUE(tqvTruth(tqvPerform(list, "wereMultipleSelectionsMade")));
  tqvPerform(list, "selectAll");
  EXPECT_EQ(tqvCount(tqvPerform(list, "getSelections")), 8);
  tqvPerform(list, "clearAllSelections");
  EXPECT_EQ(tqvCount(tqvPerform(list, "getSelections")), 0);
}

TEST_F(Lists, TablesShowCellsUnderAFixedHeader) {
  startSession("click 60 51\nkey F12\nwheel 60 60 1\nkey F12\n");
  show(R"((form ("Class" "LoggingForm") ("Control List" (list (control ("Class" "Table")
      ("Name" "T") ("Hot Spot" (rect 10 10 200 102)) ("Row Height" 20)
      ("Header" (list "Pais" "Capital")) ("Columns" (list 80 120)) ("BoxColor" (rgb 255 0 0))
      ("List" (list (list "Brasil" "Brasilia") (list "Chile" "Santiago") (list "Peru" "Lima")
                    (list "Cuba" "Havana") (list "Mali" "Bamako") (list "Fiji" "Suva"))))))))");
  tqvHandle table = control("T");
  ASSERT_TRUE(runToMarker());
  EXPECT_EQ(tqvPerform(table, "getSelection").intValue(), 1);  // the header is row -1
  EXPECT_EQ(tqvStringView(tqvPerform(table, "getSelectionStr")), "Chile");
  EXPECT_EQ(tqvStringView(tqvPerform(table, "getCell", read("(list 2 1)"))), "Lima");
  EXPECT_TRUE(tqvPerform(table, "getCell", read("(list 2 9)")).isNil());
  EXPECT_EQ(pixel(11 + 80, 75), 0xFF0000u);  // the line between the columns
  ASSERT_TRUE(runToMarker());
  EXPECT_EQ(tqvPerform(table, "GetPos").intValue(), 2);  // the rows scrolled
  EXPECT_EQ(LoggingForm::log(), (std::vector<std::string>{"T T"}));
}

}  // namespace
