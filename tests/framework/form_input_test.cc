// Input through a form in scripted sessions: which control is hit, hovering and cursors,
// activation and the capture flag (the tracking of a press and keys reaching the active
// control are checked on real buttons in the controls tests).
#include <gtest/gtest.h>

#include "framework/cursor.h"
#include "framework/form_object.h"
#include "tests/framework/forms_fixture.h"

namespace {

using FormInput = FormsTest;

// Opens a recording form named "F" over the controls.
tqvHandle openWith(FormsTest& t, tqvApplication* app, std::initializer_list<tqvHandle> controls,
                   const std::string& extra = "") {
  tqvHandle form = t.recordingForm(FormsTest::read("(table (\"Name\" \"F\")" + extra + ")"));
  tqvPut(form, "Control List", FormsTest::listOf(controls));
  tqvShowForm(form, tqvHandle(), true);
  return form;
}

TEST_F(FormInput, HiddenControlsAreNotHitAndTheEarlierOfTwoWins) {
  startSession("click 15 15\nclick 60 60\n");
  tqvHandle hidden = recorder("Hidden", tqvMakeRect(0, 0, 40, 40));
  tqvPut(hidden, "Hidden", TQV_TRUE);
  tqvPut(hidden, "Disabled", TQV_FALSE);
  tqvHandle under = recorder("Under", tqvMakeRect(0, 0, 40, 40));
  tqvHandle first = recorder("First", tqvMakeRect(50, 50, 70, 70));
  tqvHandle second = recorder("Second", tqvMakeRect(50, 50, 70, 70));
  openWith(*this, app_, {hidden, under, first, second});
  log_.clear();
  runScript();
  Log triggered;
  for (const std::string& line : log_) {
    if (line.rfind("F triggered", 0) == 0) triggered.push_back(line);
  }
  EXPECT_EQ(triggered, (Log{"F triggered Under", "F triggered First"}));
}

TEST_F(FormInput, HoveringCallsEntersAndLeavesAndShowsTheControlsCursor) {
  startSession("move 5 5\nmove 20 20\nmove 21 21\nkey F12\nmove 200 200\n");
  app_->setGlobal("Pointing", tqvMakeCursor(tqvPlatform::Cursor::Hand, 102));
  tqvHandle area = recorder("Area", tqvMakeRect(10, 10, 30, 30));
  tqvPut(area, "Cursor", S("Pointing"));
  openWith(*this, app_, {area}, " (\"Origin X\" 2) (\"Origin Y\" 3)");
  log_.clear();
  ASSERT_TRUE(runToMarker());
  EXPECT_EQ(backend_->cursor(), tqvPlatform::Cursor::Hand);  // the one the control names
  runScript();
  // Positions reach the control in form coordinates (less the origin).
  EXPECT_EQ(log_, (Log{"Area enters 18 17", "Area leaves"}));
  EXPECT_EQ(backend_->cursor(), tqvPlatform::Cursor::Arrow);
  EXPECT_TRUE(tqvCurrentCursor().isNil());
}

TEST_F(FormInput, WithTheCaptureFlagTheActiveControlGetsEveryPress) {
  startSession("click 300 300\n");
  tqvHandle owner = recorder("Owner", tqvMakeRect(0, 0, 10, 10));
  tqvPut(owner, "Auto Activate", TQV_TRUE);
  tqvHandle form = openWith(*this, app_, {owner});
  EXPECT_EQ(tqvAsControl(owner)->setCapture(1), 0);
  EXPECT_EQ(tqvAsFormObject(form)->captureFlag(), 1);
  log_.clear();
  runScript();
  // The press far away still went to the owner. Tracking follows drags only, so a press
  // and release without a drag counts as inside.
  EXPECT_EQ(log_, (Log{"Owner highlight", "Owner draw", "F triggered Owner"}));
  // A control that is not active cannot set the flag.
  tqvHandle other = recorder("Other", tqvHandle());
  EXPECT_EQ(tqvAsControl(other)->setCapture(0), 0);
  EXPECT_EQ(tqvAsFormObject(form)->captureFlag(), 1);
}

TEST_F(FormInput, PressingAControlMakesItActiveAndNotifyReachesIt) {
  startSession("click 5 5\nclick 25 5\n");
  tqvHandle a = recorder("A", tqvMakeRect(0, 0, 10, 10));
  tqvHandle b = recorder("B", tqvMakeRect(20, 0, 30, 10));
  tqvPut(b, "Disabled", TQV_TRUE);
  tqvHandle form = openWith(*this, app_, {a, b});
  runScript();
  EXPECT_EQ(tqvAsFormObject(form)->activeControl().object(), a.object());
  log_.clear();
  app_->Notify(S("movie"), S("ended"));
  EXPECT_EQ(log_, (Log{"A notify ended"}));
}

}  // namespace
