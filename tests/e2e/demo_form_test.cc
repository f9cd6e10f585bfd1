// The demo form as the program shows it: a headless session's screenshot read back as
// pixels.
#include "tests/e2e/session_fixture.h"

namespace {

using DemoForm = HeadlessSession;

constexpr uint32_t kDemoBackground = 0xDED6C8;  // (rgb 222 214 200) of demo.frm

TEST_F(DemoForm, TheScreenshotShowsTheFormAndItsControls) {
  ASSERT_EQ(session("shot start\nclick 60 163\nshot unticked\n"), 0);
  std::vector<uint32_t> start = shot("start");
  ASSERT_EQ(start.size(), 640u * 480u);
  EXPECT_EQ(at(start, 5, 5), kDemoBackground);
  // The logo is drawn through its mask: its middle shows, its corner keeps the form.
  EXPECT_NE(at(start, 24 + 32, 60 + 24), kDemoBackground);
  EXPECT_EQ(at(start, 24, 60), kDemoBackground);
  // The photo view's white frame, the selected check box's tick and a button's face.
  EXPECT_EQ(at(start, 424, 244), 0xFFFFFFu);
  EXPECT_NE(at(start, 80, 435), kDemoBackground);
  std::vector<uint32_t> unticked = shot("unticked");
  ASSERT_EQ(unticked.size(), start.size());
  int changed = 0;
  for (int y = 150; y < 176; ++y) {
    for (int x = 30; x < 50; ++x) changed += at(start, x, y) != at(unticked, x, y) ? 1 : 0;
  }
  EXPECT_GT(changed, 5);  // the click took the tick away
}

}  // namespace
