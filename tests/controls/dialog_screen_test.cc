// Standard dialogs on the real screen picture: the rectangle under a dialog comes back
// exactly, dragging leaves no trace, the beep outside, and forms with wrong parts.
#include <gtest/gtest.h>

#include <vector>

#include "framework/dialog_object.h"
#include "tests/controls/controls_fixture.h"

namespace {

using DialogScreen = ControlsTest;

// A picture where every pixel differs from its neighbours.
uint32_t pattern(int x, int y) {
  return static_cast<uint32_t>((x * 7 + y * 13) & 0xFF) << 16 | (x & 0xFF) << 8 | (y & 0xFF);
}

std::vector<uint32_t> screen(ControlsTest& t) {
  std::vector<uint32_t> all;
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 640; ++x) all.push_back(t.pixel(x, y));
  }
  return all;
}

TEST_F(DialogScreen, TheScreenUnderADialogComesBackExactly) {
  discFile("back.bmp", bitmap(640, 480, pattern));
  startSession("key F12\nkey Esc\n");
  show(R"((form ("Background Image" "back.bmp")))");
  std::vector<uint32_t> before = screen(*this);
  tqvHandle dialog = read(R"((form ("Dialog" true) ("Name" "D") ("Width" 200) ("Height" 100)
      ("Origin X" 10) ("Origin Y" 20) ("Background Color" (rgb 0 0 255))))");
  tqvRunDialog(dialog, noFade());
  EXPECT_EQ(screen(*this), before);
  EXPECT_EQ(tqvActiveFormName(), "tqvFormObject");
}

// A dialog that looks at the screen while it runs, on the marker key.
class LookingDialog : public tqvStandardDialog {
 public:
  using tqvStandardDialog::tqvStandardDialog;
  void keyDown(TQVINT key, TQVINT modifiers) override {
    if (key == TQV_KEY_F12) {
      inside = test->pixel(originX() + 1, originY() + 1);
      outside = test->pixel(originX() - 1, originY());
      return;
    }
    tqvStandardDialog::keyDown(key, modifiers);
  }
  static inline ControlsTest* test = nullptr;
  uint32_t inside = 0, outside = 0;
};

TEST_F(DialogScreen, ADraggedDialogLeavesNoTraceAndBeepsOutside) {
  discFile("back.bmp", bitmap(640, 480, pattern));
  app_->setGlobal("beep.wav", fakeSound("beep"));
  startSession("drag 100 105 300 255\nkey F12\nclick 5 5\nkey Esc\n");
  show(R"((form ("Background Image" "back.bmp")))");
  std::vector<uint32_t> before = screen(*this);
  LookingDialog::test = this;
  tqvHandle dialog = tqvWrapForm(new LookingDialog(read(R"((table ("Width" 120) ("Height" 80)
      ("Origin X" 90) ("Origin Y" 100) ("Drag Rect" (rect 0 0 120 20))
      ("Background Color" (rgb 0 0 255)) ("Dialog Beep Sound" "beep.wav")))")));
  tqvRunDialog(dialog, noFade());
  auto* d = static_cast<LookingDialog*>(tqvAsFormObject(dialog));
  EXPECT_EQ(d->originX(), 290);
  EXPECT_EQ(d->originY(), 250);
  EXPECT_EQ(d->inside, 0x0000FFu);  // the dialog drawn at its new place
  EXPECT_EQ(d->outside, pattern(289, 250));
  EXPECT_EQ(screen(*this), before);
  EXPECT_EQ(FakeSound::log(), (std::vector<std::string>{"play beep"}));
}

TEST_F(DialogScreen, AFormFileWithWrongTypesOpensWithoutThem) {
  discFile("bad.frm", R"((form ("Name" "Bad") ("Origin X" "ten") ("Control List" 5)
      ("Background Image" (list 1 2)) ("TabStopList" "A")))");
  discFile("worse.frm", R"((form ("Name" "worse.frm") ("Control List" (list 1 "two"
      (control ("Class" "Button") ("Name" "B") ("Hot Spot" "everywhere") ("Text" "B"))
      (control ("Class" "Button") ("Name" "Me") ("Hot Spot" (rect 10 100 80 30))
               ("Target Form" "worse.frm"))))))");
  startSession("key Tab\nkey F12\nclick 20 20\nclick 30 110\n");
  tqvOpenFormByName(S("bad.frm"), tqvHandle());
  EXPECT_EQ(tqvActiveFormName(), "Bad");
  EXPECT_EQ(tqvAsFormObject(app_->activeForm())->originX(), 0);
  ASSERT_TRUE(runToMarker());
  tqvOpenFormByName(S("worse.frm"), tqvHandle());
  EXPECT_EQ(tqvActiveFormName(), "worse.frm");
  tqvHandle worse = app_->activeForm();
  runScript();
  // The button without a usable hot spot is never hit; the one naming its own form
  // reopens it instead of loading it again.
  EXPECT_EQ(app_->activeForm().object(), worse.object());
  EXPECT_TRUE(errors().empty());
}

}  // namespace
