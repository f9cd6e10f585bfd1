// Forms: making them from definitions, their properties, showing them (reopening,
// history, missing forms), loading and unloading resources, and definitions with wrong
// types in them.
#include "framework/form_object.h"

#include <gtest/gtest.h>

#include "framework/class_registry.h"
#include "framework/environment.h"
#include "framework/forms.h"
#include "framework/history.h"
#include "tests/framework/forms_fixture.h"
#include "values/convert.h"
#include "values/text.h"

namespace {

using Forms = FormsTest;

TEST_F(Forms, MakeFormUsesTheRegisteredClassElseThePlainClasses) {
  tqvRegisterClass(tqvHandle::wrap(new RecordingForm(tqvHandle(), &log_), TQV_CLASS_TYPE));
  tqvHandle recorded = tqvMakeForm(read(R"((table ("Class" "RecordingForm") ("Name" "Main")))"));
  ASSERT_NE(tqvAsFormObject(recorded), nullptr);
  EXPECT_EQ(tqvAsFormObject(recorded)->className(), "RecordingForm");
  EXPECT_EQ(tqvStringView(tqvAsFormObject(recorded)->name()), "Main");

  // No class, or a class nobody registered: a plain form named after its class.
  tqvHandle plain = tqvMakeForm(read(R"((table ("Class" "Unknown")))"));
  EXPECT_EQ(tqvAsFormObject(plain)->className(), "tqvFormObject");
  EXPECT_EQ(tqvStringView(tqvAsFormObject(plain)->name()), "tqvFormObject");
  EXPECT_EQ(tqvAsDialog(plain), nullptr);

  tqvHandle dialog = tqvMakeForm(read(R"((table ("Dialog" true) ("Name" "Box")))"));
  ASSERT_NE(tqvAsDialog(dialog), nullptr);
  EXPECT_EQ(tqvStringView(tqvAsFormObject(dialog)->name()), "Box");

  // A name given as a reference is followed.
  tqvHandle definition = tqvTable(4);
  app_->setGlobal("Form Name", S("Indirect"));
  tqvPut(definition, "Name", namedReference("Form Name"));
  EXPECT_EQ(tqvStringView(tqvAsFormObject(tqvMakeForm(definition))->name()), "Indirect");
  // A definition that is not a table gives an empty form.
  EXPECT_EQ(tqvCount(tqvAsFormObject(tqvMakeForm(tqvMakeInt(3)))->properties()), 0);
}

TEST_F(Forms, GenericOperationsSeePropertiesThenLoadedResources) {
  tqvHandle form = tqvMakeForm(read(R"((table ("A" 1)
      ("Resource Table" (table ("A" 2) ("B" 3)))))"));
  EXPECT_TRUE(tqvGet(form, "B").isNil());
  tqvAsFormObject(form)->loadResources();
  EXPECT_EQ(tqvGet(form, "A").intValue(), 1);  // the property hides the resource
  EXPECT_EQ(tqvGet(form, "B").intValue(), 3);
  EXPECT_TRUE(tqvContainsKey(form, "B"));
  tqvPut(form, "B", tqvMakeInt(4));
  EXPECT_EQ(tqvGet(tqvAsFormObject(form)->properties(), "B").intValue(), 4);
  EXPECT_EQ(tqvGet(tqvAsFormObject(form)->loadedResources(), "B").intValue(), 3);
  tqvRemoveKey(form, S("B"));
  EXPECT_EQ(tqvGet(form, "B").intValue(), 3);
  EXPECT_TRUE(tqvContainsKey(form, "LoadedResourceTable"));
}

TEST_F(Forms, PerformReachesFormsAndControlsAndRefusesOtherValues) {
  tqvHandle button = recorder("Button", tqvHandle());
  tqvHandle form = tqvMakeForm(tqvTable(4));
  tqvAsFormObject(form)->setControlList(listOf({button}));
  EXPECT_TRUE(tqvPerform(form, "Draw").isNil());
  EXPECT_TRUE(tqvPerform(form, "DrawControls").isNil());
  EXPECT_EQ(log_, (Log{"Button draw", "Button draw"}));

  // "Key" and "Track" answer booleans; (13 0) is Enter without modifiers.
  tqvHandle key = listOf({tqvMakeInt(13), tqvMakeInt(0)});
  tqvHandle answer = tqvPerform(button, "Key", key);
  ASSERT_TRUE(answer.is(TQV_BOOLEAN_TYPE));
  EXPECT_TRUE(tqvTruth(answer));
  EXPECT_EQ(log_.back(), "Button key 13");
  EXPECT_TRUE(tqvPerform(button, "Unheard of").isNil());

  EXPECT_TRUE(tqvPerform(tqvMakeInt(1), "Draw").isNil());
  EXPECT_EQ(takeError(), "Bad type for argument 1 of tqvPerform(frmOrCtrl,action,data).");
}

TEST_F(Forms, ShowingTheActiveFormAgainReopensIt) {
  tqvHandle main = recordingForm(read(R"((table ("Name" "Main")))"));
  app_->setGlobal("Main", main);
  tqvShowForm(S("Main"), S("first"), true);
  tqvShowForm(S("Main"), S("second"), true);
  EXPECT_EQ(log_, (Log{"Main open first", "Main reopen second"}));
  EXPECT_EQ(app_->activeForm().object(), main.object());
}

TEST_F(Forms, LeavingAFormRecordsItUnlessItAsksNotTo) {
  app_->setGlobal("A", recordingForm(read(R"((table ("Name" "A") ("State" 1)))")));
  app_->setGlobal("B", recordingForm(read(R"((table ("Name" "B") ("Include In History" false)))")));
  app_->setGlobal("C", recordingForm(read(R"((table ("Name" "C")))")));
  tqvShowForm(S("A"), tqvHandle(), true);
  tqvShowForm(S("B"), tqvHandle(), true);   // A is left: recorded with its state
  tqvShowForm(S("C"), tqvHandle(), true);   // B is left: not recorded
  tqvShowForm(S("A"), tqvHandle(), false);  // C is left without recording
  ASSERT_EQ(tqvCount(app_->history()), 1);
  tqvHandle entry = tqvGet(app_->history(), 0);
  EXPECT_EQ(tqvStringView(tqvGet(entry, 0)), "A");
  EXPECT_EQ(tqvGet(entry, 1).intValue(), 1);
  EXPECT_EQ(log_, (Log{"A open", "A close", "B open", "B close", "C open", "C close", "A open"}));

  // The same name with an equal state is recorded once.
  tqvPushHistory(S("X"), read(R"((table ("k" (list 1 2))))"));
  tqvPushHistory(S("X"), read(R"((table ("k" (list 1 2))))"));
  tqvPushHistory(S("X"), read(R"((table ("k" (list 1 3))))"));
  EXPECT_EQ(tqvCount(app_->history()), 3);
}

TEST_F(Forms, AFormIsFoundThroughANameThatNamesItsResource) {
  tqvHandle real = recordingForm(read(R"((table ("Name" "Real")))"));
  app_->setGlobal("Real", real);
  app_->setGlobal("Alias", S("Real"));
  tqvShowForm(S("Alias"), tqvHandle(), true);
  EXPECT_EQ(app_->activeForm().object(), real.object());
  EXPECT_EQ(tqvActiveFormName(), "Real");
}

TEST_F(Forms, AMissingFormIsReportedAndLeavesNoFormActive) {
  tqvHandle main = recordingForm(read(R"((table ("Name" "Main")))"));
  app_->setGlobal("Main", main);
  tqvShowForm(S("Main"), tqvHandle(), true);
  tqvShowForm(S("nothing.frm"), tqvHandle(), true);
  EXPECT_EQ(takeError(), "Cannot find form named 'nothing.frm'");
  EXPECT_TRUE(app_->activeForm().isNil());
  EXPECT_EQ(log_.back(), "Main close");
}

TEST_F(Forms, OpeningLoadsResourcesBuildsControlsAndClosingUnloadsThem) {
  tqvHandle first = recorder("First", tqvMakeRect(0, 0, 10, 10));
  tqvHandle second = recorder("Second", tqvMakeRect(0, 0, 10, 10));
  tqvPut(first, "Auto Activate", TQV_TRUE);
  tqvPut(second, "Auto Activate", TQV_TRUE);
  tqvHandle table = tqvTable(4);
  tqvPut(table, "Control List", listOf({first, second}));
  app_->setGlobal("tables.etn", table);
  tqvHandle form = recordingForm(read(R"((table ("Name" "F") ("Resource Table" "tables.etn")
      ("Origin X" 5) ("Origin Y" 7)))"));
  tqvShowForm(form, tqvHandle(), true);
  tqvFormObject* f = tqvAsFormObject(form);
  EXPECT_EQ(tqvGet(f->properties(), "LoadedResourceTable").object(), table.object());
  EXPECT_EQ(f->originX(), 5);
  EXPECT_EQ(f->originY(), 7);
  EXPECT_EQ(f->width(), 640);  // no background image: the media area
  // The last control that asks to be active becomes the active control.
  EXPECT_EQ(f->activeControl().object(), second.object());
  EXPECT_EQ(log_,
            (Log{"F open", "First attach", "First activate", "Second attach", "First deactivate",
                 "Second activate", "First draw", "Second draw", "Second activate"}));
  f->close();
  EXPECT_TRUE(f->controlList().isNil());
  EXPECT_FALSE(tqvContainsKey(f->properties(), "LoadedResourceTable"));

  // "Retain Resources" keeps the table and the controls over a close.
  tqvPut(form, "Retain Resources", TQV_TRUE);
  f->open(tqvHandle());
  f->close();
  EXPECT_EQ(f->loadedResources().object(), table.object());
  EXPECT_EQ(tqvCount(f->controlList()), 2);
}

TEST_F(Forms, TheBackgroundImageSizesTheFormAndBecomesTheBackdrop) {
  app_->setGlobal("back.bmp", fakeImage(300, 200));
  app_->setGlobal("mask.bmp", fakeImage(300, 200));
  tqvHandle form = tqvMakeForm(read(R"((table ("Background Image" "back.bmp")))"));
  tqvShowForm(form, tqvHandle(), true);
  EXPECT_EQ(tqvWidth(form), 300);
  EXPECT_EQ(tqvHeight(form), 200);
  EXPECT_TRUE(screen_->has("backdrop"));

  // A form drawn as a dialog goes over the screen at its origin, through its mask.
  screen_->log.clear();
  tqvHandle over = tqvWrapForm(new tqvFormObject(read(R"((table ("Background Image" "back.bmp")
      ("Dialog" 1) ("Background Mask Image" "mask.bmp") ("Origin X" 30) ("Origin Y" 40)))")));
  tqvAsFormObject(over)->open(tqvHandle());
  EXPECT_EQ(screen_->log, (Log{"draw image at 30 40 masked"}));
}

TEST_F(Forms, DefinitionsWithWrongTypesOpenWithoutTheWrongParts) {
  tqvHandle hit = recorder("Hit", tqvMakeRect(0, 0, 50, 50));
  tqvHandle bad = recorder("Bad", tqvHandle());
  tqvPut(bad, "Hot Spot", S("not a region"));
  tqvHandle definition = read(R"((table ("Origin X" "12") ("Origin Y" (list 1))
      ("Background Image" 7) ("Resource Table" 3.5) ("Width" "wide")))");
  tqvPut(definition, "Control List", S("not a list"));
  tqvHandle form = tqvMakeForm(definition);
  tqvShowForm(form, tqvHandle(), true);
  tqvFormObject* f = tqvAsFormObject(form);
  EXPECT_EQ(f->originX(), 0);
  EXPECT_EQ(f->originY(), 0);
  EXPECT_TRUE(f->controlList().isNil());
  EXPECT_TRUE(f->background().isNil());

  // A control list that holds a reference to itself keeps only its controls.
  tqvHandle list = listOf({bad, namedReference("Nothing"), hit});
  tqvHandle table = tqvTable(4);
  tqvPut(table, "Control List", list);
  tqvAddItem(list, namedReference("Control List"));  // resolves to the list itself
  tqvHandle looping = tqvMakeForm(tqvHandle());
  tqvPut(looping, "Resource Table", table);
  tqvShowForm(looping, tqvHandle(), true);
  tqvFormObject* l = tqvAsFormObject(looping);
  EXPECT_EQ(tqvCount(l->controlList()), 2);
  EXPECT_EQ(l->controlAt(10, 10).object(), hit.object());  // "Bad" is never hit
  EXPECT_TRUE(errors().empty());
}

TEST_F(Forms, AControlWhoseTargetFormIsItsOwnFormReopensIt) {
  tqvHandle button = recorder("Again", tqvMakeRect(0, 0, 40, 40));
  tqvPut(button, "Target Form", S("Self"));
  tqvHandle form = recordingForm(read(R"((table ("Name" "Self")))"));
  tqvPut(form, "Control List", listOf({button}));
  app_->setGlobal("Self", form);
  tqvShowForm(S("Self"), tqvHandle(), true);
  tqvAsFormObject(form)->controlTriggered(button);
  EXPECT_EQ(log_.back(), "Self reopen");
  EXPECT_EQ(app_->activeForm().object(), form.object());
}

}  // namespace
