// Every class of the control library given properties of the wrong type, extreme numbers
// and odd data for its actions, then drawn and used: no crash, no hang, no sanitizer
// report, and no error reported for what is merely odd.
#include <gtest/gtest.h>

#include "tests/controls/controls_fixture.h"

namespace {

using Robustness = ControlsTest;

constexpr const char* kClasses[] = {"ListBox",   "MultiListBox", "ComboBox", "ComboEdit",
                                    "TextCombo", "TextField",    "Slider",   "Scroller",
                                    "Table",     "TextView"};

// Values of every kind, for every property a class reads.
constexpr const char* kOddValues[] = {
    "\"text\"",    "-2147483648",       "2147483647", "(list)", "(list 1 (list) \"x\")",
    "(rgb 1 2 3)", "(table (\"a\" 1))", "2.5e9",      "true",
};

constexpr const char* kProperties[] = {
    "List",
    "Selection",
    "Row Height",
    "Font",
    "Text",
    "Min",
    "Max",
    "Value",
    "Step",
    "Page",
    "Columns",
    "Header",
    "Alignments",
    "BoxColor",
    "MaxLength",
    "Format",
    "Target",
    "Scroller",
    "DropRows",
    "Image",
    "Background Color",
    "Foreground Color",
    "DrawFlag",
    "NoScrollBar",
    "TextRegion",
    "ScrollRegion",
    "ScrollWidth",
    "ThumbHeight",
    "ButtonHeight",
    "ScrollBit",
    "PageInc",
    "SometimesShowScroll",
    "DefaultDraw",
    "HotSpotColor",
    "ThumbImage",
};

constexpr const char* kActions[] = {
    "setList",         "getList",       "getSelection",  "setSelection",  "getSelectionStr",
    "setSelectionStr", "addItem",       "deleteItem",    "GetPos",        "SetPos",
    "IsSelected",      "Select",        "getSelections", "setSelections", "moveTo",
    "selectAll",       "replaceSel",    "stringValue",   "getText",       "setText",
    "ClearText",       "onKey",         "drawFlag",      "isDuplicate",   "getCell",
    "getRow",          "getScrollInfo", "SetText",       "SetImageList",  "GotoMarker",
    "SetTextRun",      "SetValue",      "NextPage",      "PrevPage",      "End",
    "PageDown",        "hotspotList",   "GetLayout",
};

TEST_F(Robustness, OddPropertiesAndActionDataNeverBreakAControl) {
  startSession(
      "click 60 40\nkey Down\nkey End\nkey a\nkey Backspace\nwheel 60 40 99999\n"
      "drag 20 20 300 300\nkey Esc\n");
  for (const char* cls : kClasses) {
    for (const char* value : kOddValues) {
      // The last odd value also puts the control at the far edge of the integer range.
      const char* where = value == kOddValues[std::size(kOddValues) - 1]
                              ? "(rect 2147483600 -2147483600 2147483647 2147483647)"
                              : "(rect 10 10 150 100)";
      std::string definition = std::string(R"((control ("Class" ")") + cls +
                               R"(") ("Name" "X") ("Hot Spot" )" + where + ")";
      for (const char* property : kProperties) {
        definition += std::string(" (\"") + property + "\" " + value + ")";
      }
      definition += ")";
      tqvHandle form = show("(form (\"Control List\" (list " + definition + ")))");
      tqvHandle x = control("X");
      ASSERT_FALSE(x.isNil()) << cls;
      for (const char* action : kActions) tqvPerform(x, action, read(value));
      tqvPerform(x, "Draw");
    }
  }
  runScript();  // the last form, used with the mouse and the keys
  // "Format" with an odd value is the one thing reported.
  for (const std::string& error : errors()) {
    EXPECT_EQ(error.rfind("Format type not allowed: ", 0), 0u) << error;
  }
}

}  // namespace
