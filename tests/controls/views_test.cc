// Static texts, photo views, groups and hot spots.
#include <gtest/gtest.h>

#include "controls/photo_view_control.h"
#include "tests/controls/controls_fixture.h"

namespace {

using Views = ControlsTest;

constexpr uint32_t kRed = 0xFF0000;

TEST_F(Views, StaticTextDrawsInItsRegionAndChangesItsText) {
  startSession("");
  show(R"((form ("Control List" (list
      (control ("Class" "StaticText") ("Name" "T") ("TextRegion" (rect 10 10 200 20))
               ("Text" "Ol\xe1"))
      (control ("Class" "StaticText") ("Name" "Filled") ("TextRegion" (rect 10 50 100 20))
               ("Background Color" (rgb 255 0 0)))))))");
  tqvHandle text = control("T");
  EXPECT_GT(differing(10, 10, 210, 30, kFormColour), 10);
  EXPECT_EQ(differing(0, 0, 640, 9, kFormColour), 0);
  EXPECT_EQ(differing(211, 0, 640, 40, kFormColour), 0);
  EXPECT_EQ(tqvStringView(tqvPerform(text, "GetText")), "Ol\xe1");
  tqvPerform(text, "SetText", tqvMakeInt(42));
  EXPECT_EQ(tqvStringView(tqvPerform(text, "GetText")), "42");
  tqvPerform(text, "ClearText");
  EXPECT_EQ(differing(10, 10, 210, 30, kFormColour), 0);  // nothing left behind
  EXPECT_TRUE(all(10, 50, 110, 70, kRed));
}

TEST_F(Views, APhotoViewFitsItsPictureAndShowsItsCaption) {
  discFile("wide.bmp", solid(80, 20, kRed));
  startSession("");
  show(R"((form ("Control List" (list (control ("Class" "PhotoView") ("Name" "P")
      ("Hot Spot" (rect 100 100 60 80)) ("Image" "wide.bmp") ("Caption" "Praia"))))))");
  auto* view = static_cast<tqvPhotoViewControl*>(tqvAsControl(control("P")));
  TQVINT l, t, r, b;
  view->pictureBounds(l, t, r, b);
  // 80 x 20 into 56 x 56 (less the caption line): 56 x 14, centred.
  EXPECT_EQ(r - l, 56);
  EXPECT_EQ(b - t, 14);
  EXPECT_EQ(l, 102);
  EXPECT_EQ(pixel((l + r) / 2, (t + b) / 2), kRed);
  EXPECT_EQ(pixel(103, 103), 0xFFFFFFu);  // the frame's white inside, above the picture
  EXPECT_EQ(tqvStringView(tqvPerform(control("P"), "GetText")), "Praia");
}

TEST_F(Views, AGroupShowsHidesEnablesAndDisablesItsMembers) {
  startSession("");
  show(R"((form ("Control List" (list
      (control ("Class" "Group") ("Name" "G") ("Members" (list "A" "B" "G")))
      (control ("Class" "Button") ("Name" "A") ("Hot Spot" (rect 10 10 80 30)) ("Text" "A"))
      (control ("Class" "CheckBox") ("Name" "B") ("Hot Spot" (rect 10 50 80 20)))))))");
  tqvHandle group = control("G");
  tqvPerform(group, "Visible", TQV_FALSE);
  EXPECT_TRUE(tqvTruth(tqvGet(control("A"), "Hidden")));
  EXPECT_TRUE(tqvTruth(tqvGet(control("B"), "Hidden")));
  EXPECT_EQ(differing(0, 0, 200, 100, kFormColour), 0);
  tqvPerform(group, "Visible", TQV_TRUE);
  EXPECT_GT(differing(10, 10, 90, 40, kFormColour), 1000);
  tqvPerform(group, "Enabled", TQV_FALSE);
  EXPECT_TRUE(tqvTruth(tqvGet(control("A"), "Disabled")));
  EXPECT_FALSE(tqvAsControl(control("B"))->isEnabled());
  // "Hidden" on the group reaches the members too (the group naming itself is skipped).
  tqvPerform(group, "Hidden", TQV_FALSE);
  EXPECT_FALSE(tqvTruth(tqvGet(control("A"), "Hidden")));
  EXPECT_TRUE(errors().empty());
}

TEST_F(Views, AHotSpotDrawsNothing) {
  startSession("");
  show(R"((form ("Control List" (list (control ("Class" "HotSpot") ("Hot Spot" (rect 10 10 50 50))
      ("Image" "missing.bmp"))))))");
  EXPECT_EQ(differing(0, 0, 640, 480, kFormColour), 0);
}

}  // namespace
