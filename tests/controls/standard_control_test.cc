// The standard control layer: every built-in class registered, reads that follow
// references, integer reads, help, the hand cursor, rollover images and sounds ending.
#include "controls/standard_control.h"

#include <gtest/gtest.h>

#include "framework/builtin_classes.h"
#include "framework/class_registry.h"
#include "framework/cursor.h"
#include "media/resources.h"
#include "tests/controls/controls_fixture.h"

namespace {

using StandardControl = ControlsTest;

constexpr uint32_t kGreen = 0x00FF00;

TEST_F(StandardControl, EveryBuiltInClassIsRegisteredUnderItsName) {
  for (std::string_view name : tqvBuiltInClassNames) {
    tqvHandle control = tqvMakeControl(read("(table (\"Class\" \"" + std::string(name) + "\"))"));
    ASSERT_NE(tqvAsControl(control), nullptr) << name;
    EXPECT_EQ(tqvAsControl(control)->className(), name);
    EXPECT_NE(dynamic_cast<tqvStandardControl*>(tqvAsControl(control)), nullptr) << name;
  }
}

TEST_F(StandardControl, ReadsFollowReferencesAndIntegersAreLenient) {
  app_->setGlobal("Shared Text", S("partilhado"));
  tqvHandle c = tqvMakeControl(read(R"((table ("Class" "StaticText") ("N" "7 dias") ("F" 2.9)
      ("Help" "ajuda"))))"));
  tqvPut(c, "Text", tqvMakeResourceReference(S("Shared Text")));
  tqvStandardControl* control = dynamic_cast<tqvStandardControl*>(tqvAsControl(c));
  EXPECT_EQ(tqvStringView(tqvGet(c, "Text")), "partilhado");
  EXPECT_EQ(control->integer("N"), 7);
  EXPECT_EQ(control->integer("F"), 2);
  EXPECT_EQ(tqvStringView(tqvPerform(c, "getHelpString")), "ajuda");
}

TEST_F(StandardControl, StandardControlsShowTheHandCursor) {
  startSession("move 20 20\nkey F12\nmove 300 300\n");
  show(R"((form ("Control List" (list (control ("Class" "HotSpot")
      ("Hot Spot" (rect 10 10 50 50)) ("Cursor" "Ignored"))))))");
  ASSERT_TRUE(runToMarker());
  EXPECT_EQ(backend_->cursor(), tqvPlatform::Cursor::Hand);
  runScript();
  EXPECT_EQ(backend_->cursor(), tqvPlatform::Cursor::Arrow);
}

TEST_F(StandardControl, ARolloverImageShowsWhileTheMouseIsOverAndLeavesNoTrace) {
  discFile("glow.bmp", solid(10, 6, kGreen));
  startSession("move 20 20\nkey F12\nmove 300 300\nkey F12\n");
  show(R"((form ("Control List" (list (control ("Class" "HotSpot")
      ("Hot Spot" (rect 10 10 50 50)) ("RolloverImage" "glow.bmp") ("RolloverX" 5)
      ("RolloverY" 7))))))");
  EXPECT_TRUE(all(15, 17, 25, 23, kFormColour));
  ASSERT_TRUE(runToMarker());
  EXPECT_TRUE(all(15, 17, 25, 23, kGreen));
  EXPECT_EQ(pixel(14, 17), kFormColour);
  ASSERT_TRUE(runToMarker());
  EXPECT_TRUE(all(15, 17, 25, 23, kFormColour));
}

TEST_F(StandardControl, TheEndOfTheCurrentSoundStopsAndForgetsIt) {
  app_->setGlobal("bell.wav", fakeSound("bell"));
  tqvHandle c = tqvMakeControl(read(R"((table ("Class" "Button")))"));
  auto* control = dynamic_cast<tqvStandardControl*>(tqvAsControl(c));
  control->playSound(S("bell"), false);
  ASSERT_TRUE(control->hasCurrentSound());
  control->notify(S("other"), S("ended"));
  EXPECT_TRUE(control->hasCurrentSound());
  control->notify(control->currentSound(), S("aborted"));
  EXPECT_FALSE(control->hasCurrentSound());
  EXPECT_EQ(FakeSound::log(), (std::vector<std::string>{"play bell", "stop bell"}));
}

}  // namespace
