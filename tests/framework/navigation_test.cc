// The navigation record: recording after the current position, the cap on its length,
// steps back and forward, and the controls that show whether a step is possible.
#include "framework/history.h"

#include <gtest/gtest.h>

#include "tests/framework/forms_fixture.h"
#include "values/convert.h"
#include "values/text.h"

namespace {

using Navigation = FormsTest;

std::string entryName(const tqvHandle& record, TQVINT i) {
  return std::string(tqvStringView(tqvGet(tqvGet(tqvGet(record, "List"), i), 0)));
}

TEST_F(Navigation, ANewRecordIsEmptyAtPositionZero) {
  tqvHandle record = tqvMakeNavigationRecord();
  EXPECT_EQ(tqvToStdString(record, true).find("(\"Index\" 0)") != std::string::npos, true);
  EXPECT_EQ(tqvCount(tqvGet(record, "List")), 0);
  tqvHandle entry;
  EXPECT_FALSE(tqvStepNavigation(record, -1, entry));
  EXPECT_FALSE(tqvStepNavigation(record, 1, entry));
}

TEST_F(Navigation, RecordingKeepsTheNewest200AndSkipsARepeat) {
  tqvHandle record = tqvMakeNavigationRecord();
  for (int i = 0; i < 205; ++i) {
    EXPECT_TRUE(tqvRecordNavigation(record, S("F" + std::to_string(i)), read("(table (\"n\" 1))"),
                                    tqvHandle()));
  }
  EXPECT_EQ(tqvCount(tqvGet(record, "List")), 200);
  EXPECT_EQ(entryName(record, 0), "F5");
  EXPECT_EQ(entryName(record, 199), "F204");
  EXPECT_EQ(tqvGet(record, "Index").intValue(), 199);
  // The same name with equal data as the last entry records nothing.
  EXPECT_FALSE(tqvRecordNavigation(record, S("F204"), read("(table (\"n\" 1))"), tqvHandle()));
  EXPECT_TRUE(tqvRecordNavigation(record, S("F204"), read("(table (\"n\" 2))"), tqvHandle()));
  EXPECT_EQ(tqvCount(tqvGet(record, "List")), 200);
}

TEST_F(Navigation, EntriesHoldNameDataAndACopyOfTheThirdValue) {
  tqvHandle record = tqvMakeNavigationRecord();
  tqvHandle third = read("(list 1 2)");
  tqvRecordNavigation(record, S("A"), S("data"), third);
  tqvHandle entry = tqvGet(tqvGet(record, "List"), 0);
  EXPECT_EQ(tqvToStdString(entry, true),
            "(list \"A\"\n      \"data\"\n      (list 1\n            2))");
  EXPECT_NE(tqvGet(entry, 2).object(), third.object());
}

TEST_F(Navigation, RecordingAfterAStepBackDropsTheEntriesAhead) {
  tqvHandle record = tqvMakeNavigationRecord();
  for (const char* name : {"A", "B", "C"})
    tqvRecordNavigation(record, S(name), tqvHandle(), tqvHandle());
  tqvHandle entry;
  ASSERT_TRUE(tqvStepNavigation(record, -1, entry));
  ASSERT_TRUE(tqvStepNavigation(record, -1, entry));
  EXPECT_EQ(tqvStringView(tqvGet(entry, 0)), "A");
  EXPECT_FALSE(tqvStepNavigation(record, -1, entry));
  tqvRecordNavigation(record, S("D"), tqvHandle(), tqvHandle());
  EXPECT_EQ(tqvCount(tqvGet(record, "List")), 2);
  EXPECT_EQ(entryName(record, 1), "D");
  EXPECT_EQ(tqvGet(record, "Index").intValue(), 1);
  // Back at A, coming to D again by a link moves the position there, as a new entry.
  ASSERT_TRUE(tqvStepNavigation(record, -1, entry));
  EXPECT_TRUE(tqvRecordNavigation(record, S("D"), tqvHandle(), tqvHandle()));
  EXPECT_EQ(tqvCount(tqvGet(record, "List")), 2);
  EXPECT_EQ(tqvGet(record, "Index").intValue(), 1);
  EXPECT_FALSE(tqvRecordNavigation(record, S("D"), tqvHandle(), tqvHandle()));
}

TEST_F(Navigation, GoingBackShowsTheFormWithoutRecordingAndUpdatesTheButtons) {
  tqvHandle back = recorder("GoBack", tqvMakeRect(0, 0, 10, 10));
  tqvHandle forward = recorder("GoForward", tqvMakeRect(20, 0, 30, 10));
  for (const char* name : {"One", "Two"}) {
    tqvHandle form = recordingForm(read("(table (\"Name\" \"" + std::string(name) + "\"))"));
    tqvPut(form, "Control List", listOf({back, forward}));
    app_->setGlobal(name, form);
  }
  tqvShowForm(S("One"), S("d1"), true);
  tqvShowForm(S("Two"), S("d2"), true);
  EXPECT_FALSE(tqvTruth(tqvGet(back, "Disabled")));
  EXPECT_TRUE(tqvTruth(tqvGet(forward, "Disabled")));
  log_.clear();
  EXPECT_TRUE(tqvGoBack());
  EXPECT_EQ(tqvActiveFormName(), "One");
  EXPECT_TRUE(tqvTruth(tqvGet(back, "Disabled")));
  EXPECT_FALSE(tqvTruth(tqvGet(forward, "Disabled")));
  // The form came back with its data, the buttons were drawn, nothing new was recorded.
  EXPECT_EQ(log_[1], "One open d1");
  EXPECT_EQ(log_[log_.size() - 2], "GoBack draw");
  EXPECT_EQ(log_.back(), "GoForward draw");
  EXPECT_EQ(tqvCount(tqvGet(tqvNavigationRecord(), "List")), 2);
  EXPECT_FALSE(tqvGoBack());
  EXPECT_TRUE(tqvGoForward());
  EXPECT_EQ(tqvActiveFormName(), "Two");
}

}  // namespace
