// Dialogs run modally in scripted sessions: the screen under them saved and put back,
// Esc, the beep outside, "Action" "close", dragging, and a quit while one runs.
#include "framework/dialog_object.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "framework/events.h"
#include "tests/framework/forms_fixture.h"
#include "values/convert.h"

namespace {

using Dialogs = FormsTest;

// A dialog of the recording class whose result is its "Result".
class ResultDialog : public RecordingDialog {
 public:
  using RecordingDialog::RecordingDialog;
  tqvHandle result() override { return property("Result"); }
};

tqvHandle dialogOf(FormsTest& t, Log* log, const std::string& definition) {
  tqvHandle dialog = tqvWrapForm(new ResultDialog(FormsTest::read(definition), log));
  tqvAsFormObject(dialog)->setName(tqvGet(tqvAsFormObject(dialog)->properties(), "Name"));
  return dialog;
}

constexpr const char* kBox =
    "(table (\"Name\" \"Box\") (\"Width\" 200) (\"Height\" 100) (\"Origin X\" 10)"
    " (\"Origin Y\" 20) (\"Result\" \"done\") (\"Dialog Beep Sound\" \"beep.wav\"))";

TEST_F(Dialogs, EscEndsTheDialogAndItsScreenRectangleComesBack) {
  startSession("key Esc\n");
  tqvHandle main = recordingForm(read("(table (\"Name\" \"Main\"))"));
  tqvShowForm(main, tqvHandle(), true);
  tqvHandle dialog = dialogOf(*this, &log_, kBox);
  screen_->log.clear();
  tqvHandle result = tqvRunDialog(dialog, S("data"));
  EXPECT_EQ(tqvStringView(result), "done");
  // Exactly the rectangle (10, 20)-(210, 120) was kept and drawn back at its place.
  ASSERT_FALSE(screen_->log.empty());
  EXPECT_EQ(screen_->log.front(), "capture 10 20 210 120");
  EXPECT_TRUE(screen_->has("draw saved 10 20 210 120 at 10 20"));
  EXPECT_EQ(screen_->originX(), 0);  // the drawing origin is the form's again
  EXPECT_EQ(app_->activeForm().object(), main.object());
  EXPECT_EQ(log_, (Log{"Main open", "Box open data", "Box close"}));
}

TEST_F(Dialogs, AClickOutsideBeepsAndChangesNothingElse) {
  startSession("click 400 400\nclick 50 50\nkey a\nkey Esc\n");
  app_->setGlobal("beep.wav", tqvMakeInt(1));  // stands for the sound
  tqvHandle inside = recorder("Inside", tqvMakeRect(30, 20, 50, 50));
  tqvHandle dialog = dialogOf(*this, &log_, kBox);
  tqvPut(dialog, "Control List", listOf({inside}));
  tqvRunDialog(dialog);
  int beeps = 0;
  for (const std::string& line : screen_->log) beeps += line == "play" ? 1 : 0;
  EXPECT_EQ(beeps, 1);
  // The click inside reached the control (dialog coordinates 40, 30), and so did the key
  // other than Esc.
  EXPECT_NE(std::find(log_.begin(), log_.end(), "Box triggered Inside"), log_.end());
  EXPECT_NE(std::find(log_.begin(), log_.end(), "Inside key 97"), log_.end());
}

TEST_F(Dialogs, AControlWhoseActionIsCloseEndsTheDialog) {
  startSession("click 50 50\nkey x\n");
  tqvHandle ok = recorder("OK", tqvMakeRect(30, 20, 50, 50));
  tqvPut(ok, "Action", S("close"));
  tqvHandle dialog = dialogOf(*this, &log_, kBox);
  tqvPut(dialog, "Control List", listOf({ok}));
  tqvRunDialog(dialog);
  EXPECT_NE(std::find(log_.begin(), log_.end(), "Box close"), log_.end());
  // The dialog ended before the script's next key.
  tqvEvent next = tqvGetEvent(TQV_KEY_DOWN_EVENT, -1);
  EXPECT_EQ(next.word, 'x');
}

TEST_F(Dialogs, DraggingByTheDragRectMovesTheDialogWithinTheMediaArea) {
  startSession("drag 20 25 120 75\ndrag 130 80 900 900\nkey Esc\n");
  tqvHandle dialog = dialogOf(*this, &log_, kBox);
  tqvPut(dialog, "Drag Rect", tqvMakeRect(0, 0, 200, 20));
  tqvRunDialog(dialog);
  // First moved by (100, 50), then pushed into the bottom-right corner of 640 x 480.
  EXPECT_EQ(tqvAsDialog(dialog)->originX(), 440);
  EXPECT_EQ(tqvAsDialog(dialog)->originY(), 380);
  // What the dialog covered was put back before it moved, and kept at each new place.
  EXPECT_TRUE(screen_->has("draw saved 10 20 210 120 at 10 20"));
  EXPECT_TRUE(screen_->has("capture 110 70 310 170"));
  EXPECT_TRUE(screen_->has("draw saved 440 380 640 480 at 440 380"));
}

TEST_F(Dialogs, TheEndOfTheSessionEndsTheDialogAndSetsTheQuitFlag) {
  startSession("click 1 1\n");
  tqvHandle dialog = dialogOf(*this, &log_, kBox);
  tqvRunDialog(dialog);
  EXPECT_TRUE(tqvQuitFlag());
  EXPECT_EQ(log_.back(), "Box close");
}

TEST_F(Dialogs, OnlyDialogsRun) {
  tqvHandle form = recordingForm(read("(table (\"Name\" \"Plain\"))"));
  EXPECT_TRUE(tqvRunDialog(form).isNil());
  EXPECT_EQ(takeError(), "Cannot find form named 'Plain'");
}

}  // namespace
