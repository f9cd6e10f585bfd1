// Buttons, check boxes, radio buttons and radio groups: their looks without images and
// with them, triggering, keys, states and sound effects.
#include <gtest/gtest.h>

#include "controls/button_control.h"
#include "controls/toggle_control.h"
#include "tests/controls/controls_fixture.h"

namespace {

using Buttons = ControlsTest;

constexpr uint32_t kGreen = 0x00FF00;
constexpr uint32_t kBlue = 0x0000FF;

// Dark pixels of the rectangle (outlines and ink).
int darkPixels(ControlsTest& t, int left, int top, int right, int bottom) {
  int count = 0;
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      uint32_t p = t.pixel(x, y);
      count += (p >> 16 & 0xFF) < 0x80 && (p >> 8 & 0xFF) < 0x80 && (p & 0xFF) < 0x80 ? 1 : 0;
    }
  }
  return count;
}

TEST_F(Buttons, APlainButtonDrawsAFaceWithItsLabelAndOpensItsTargetForm) {
  discFile("other.frm", R"((form ("Name" "Other")))");
  startSession("key F12\nclick 60 25\n");
  show(R"((form ("Name" "First") ("Control List" (list (control ("Class" "Button")
      ("Name" "Go") ("Hot Spot" (rect 10 10 100 30)) ("Text" "Seguinte")
      ("Target Form" "other.frm"))))))");
  // A face over the whole hot spot, with dark text in the middle.
  EXPECT_GT(differing(10, 10, 110, 40, kFormColour), 2500);
  EXPECT_EQ(pixel(9, 9), kFormColour);
  int dark = 0;
  for (int x = 30; x < 90; ++x) dark += (pixel(x, 25) & 0xFF) < 0x60 ? 1 : 0;
  EXPECT_GT(dark, 5);
  ASSERT_TRUE(runToMarker());
  runScript();
  EXPECT_EQ(tqvActiveFormName(), "Other");
}

// A button that notes, each time the mouse comes back inside while it is held, whether
// its hot spot shows the pressed image.
class WatchedButton : public tqvButtonControl {
 public:
  using tqvButtonControl::tqvButtonControl;
  void trackingStateChanged(bool inside) override {
    if (inside) pressedLook.push_back(test->all(10, 10, 30, 20, kBlue));
  }
  static inline ControlsTest* test = nullptr;
  static inline std::vector<bool> pressedLook;
};

TEST_F(Buttons, ImagesDrawTheButtonAndItsPressedStateAndOnlyAReleaseInsideTriggers) {
  discFile("up.bmp", solid(20, 10, kGreen));
  discFile("down.bmp", solid(20, 10, kBlue));
  startSession(
      "press 15 15\nmove 100 100\nrelease 100 100\n"
      "press 15 15\nmove 100 100\nmove 16 16\nrelease 16 16\n");
  tqvHandle definition = read(R"((table ("Class" "Button") ("Name" "B")
      ("Hot Spot" (rect 10 10 20 10)) ("Image" "up.bmp") ("PressedImage" "down.bmp")))");
  WatchedButton::test = this;
  WatchedButton::pressedLook.clear();
  tqvHandle form = read(R"((form ("Class" "LoggingForm")))");
  tqvHandle list = tqvMakeList();
  tqvAddItem(list, tqvWrapControl(new WatchedButton(definition)));
  tqvPut(form, "Control List", list);
  tqvShowForm(form, noFade(), true);
  EXPECT_TRUE(all(10, 10, 30, 20, kGreen));
  runScript();
  EXPECT_EQ(WatchedButton::pressedLook, (std::vector<bool>{true}));
  EXPECT_TRUE(all(10, 10, 30, 20, kGreen));  // released inside: drawn up again
  EXPECT_EQ(LoggingForm::log(), (std::vector<std::string>{"B B"}));
}

TEST_F(Buttons, EnterOrSpaceTriggersTheActiveButton) {
  startSession("key Enter\nkey Space\nkey x\n");
  show(R"((form ("Class" "LoggingForm") ("Control List" (list (control ("Class" "Button")
      ("Name" "OK") ("Hot Spot" (rect 10 10 100 30)) ("Auto Activate" true))))))");
  runScript();
  EXPECT_EQ(LoggingForm::log(), (std::vector<std::string>{"OK OK", "OK OK"}));
}

TEST_F(Buttons, ATriggeredButtonPlaysItsSoundUnlessEffectsAreOff) {
  app_->setGlobal("click.wav", fakeSound("click.wav"));
  app_->setGlobal("click.mid", fakeSound("click.mid"));
  startSession("click 20 20\nkey F12\nclick 20 20\nkey F12\nclick 20 20\n");
  show(R"((form ("Control List" (list (control ("Class" "Button") ("Name" "B")
      ("Hot Spot" (rect 10 10 100 30)) ("Sound" "click"))))))");
  ASSERT_TRUE(runToMarker());
  EXPECT_EQ(FakeSound::log(), (std::vector<std::string>{"play click.wav"}));
  setEnv("AudioExtension", "mid");
  ASSERT_TRUE(runToMarker());
  // The new effect stops the one before it.
  EXPECT_EQ(FakeSound::log(),
            (std::vector<std::string>{"play click.wav", "stop click.wav", "play click.mid"}));
  app_->setEnvironment("SoundEffects", TQV_FALSE);
  runScript();
  EXPECT_EQ(FakeSound::log().size(), 3u);
}

TEST_F(Buttons, ACheckBoxFlipsOnClicksAndSpace) {
  startSession("click 15 20\nkey F12\nkey Space\nkey F12\n");
  show(R"((form ("Control List" (list (control ("Class" "CheckBox") ("Name" "C")
      ("Hot Spot" (rect 10 10 150 20)) ("Text" "Legendas"))))))");
  tqvHandle box = control("C");
  EXPECT_FALSE(tqvTruth(tqvPerform(box, "IsSelected")));
  int emptyInk = darkPixels(*this, 10, 10, 24, 30);
  ASSERT_TRUE(runToMarker());
  EXPECT_TRUE(tqvTruth(tqvPerform(box, "IsSelected")));
  EXPECT_GT(darkPixels(*this, 10, 10, 24, 30), emptyInk);  // the tick
  ASSERT_TRUE(runToMarker());
  EXPECT_FALSE(tqvTruth(tqvGet(box, "Selected")));
  // "SelectDontDraw" changes the state and leaves the screen alone.
  int before = darkPixels(*this, 10, 10, 24, 30);
  tqvPerform(box, "SelectDontDraw", TQV_TRUE);
  EXPECT_TRUE(tqvTruth(tqvGet(box, "Selected")));
  EXPECT_EQ(darkPixels(*this, 10, 10, 24, 30), before);
  tqvPerform(box, "Draw");
  EXPECT_GT(darkPixels(*this, 10, 10, 24, 30), before);
}

TEST_F(Buttons, RadioButtonsOfAGroupKeepOneSelected) {
  startSession("click 15 40\n");
  show(R"((form ("Control List" (list
      (control ("Class" "RadioGroup") ("Name" "Size"))
      (control ("Class" "RadioButton") ("Name" "Small") ("Group" "Size")
               ("Hot Spot" (rect 10 10 100 20)) ("Selected" true))
      (control ("Class" "RadioButton") ("Name" "Large") ("Group" "Size")
               ("Hot Spot" (rect 10 30 100 20)))
      (control ("Class" "RadioButton") ("Name" "Alone") ("Hot Spot" (rect 10 60 100 20))
               ("Selected" true))))))");
  runScript();
  EXPECT_FALSE(tqvTruth(tqvGet(control("Small"), "Selected")));
  EXPECT_TRUE(tqvTruth(tqvGet(control("Large"), "Selected")));
  EXPECT_TRUE(tqvTruth(tqvGet(control("Alone"), "Selected")));  // not in the group
  tqvHandle group = control("Size");
  EXPECT_EQ(tqvPerform(group, "getSelection").intValue(), 1);
  EXPECT_EQ(tqvStringView(tqvPerform(group, "getSelectionStr")), "Large");
  tqvPerform(group, "SetSelected", tqvMakeInt(0));
  EXPECT_TRUE(tqvTruth(tqvGet(control("Small"), "Selected")));
  EXPECT_FALSE(tqvTruth(tqvGet(control("Large"), "Selected")));
  tqvPerform(group, "SetSelected", S("Large"));
  EXPECT_EQ(tqvStringView(tqvGet(group, "Selection")), "Large");
  // Selecting a member by its own action tells the group as well.
  tqvPerform(control("Small"), "Select", TQV_TRUE);
  EXPECT_FALSE(tqvTruth(tqvGet(control("Large"), "Selected")));
}

}  // namespace
