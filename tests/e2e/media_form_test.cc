// The media demo form headless: each movie shows the frame of the moment at two moments
// (the MPEG-1 movie is red for its first second and blue for its second; the AVI movie
// green, then yellow), its end or its stop reaches the video view, and the shots say so.
#include "tests/e2e/session_fixture.h"

namespace {

using MediaForm = HeadlessSession;

// Whether two 0xRRGGBB colours differ by little in every channel (the codecs' rounding).
bool near(uint32_t a, uint32_t b) {
  for (int shift : {0, 8, 16}) {
    if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) >
        40) {
      return false;
    }
  }
  return true;
}

TEST_F(MediaForm, MoviesShowTheFrameOfTheMomentAndTheirEndReachesTheView) {
  ASSERT_EQ(session("click-control TocarMPG\nwait 500\nshot mpg-early\nwait 1000\nshot mpg-late\n"
                    "wait 600\ndump mpg.txt\n"
                    "click-control TocarAVI\nwait 500\nshot avi-early\nwait 1000\nshot avi-late\n"
                    "click-control PararVideo\ndump avi.txt\n",
                    "media.frm"),
            0)
      << output();
  struct Moment {
    const char* shot;
    uint32_t colour;
  };
  const Moment moments[] = {{"mpg-early", 0xFF0000},
                            {"mpg-late", 0x0000FF},
                            {"avi-early", 0x00FF00},
                            {"avi-late", 0xFFFF00}};
  for (const Moment& m : moments) {
    std::vector<uint32_t> pixels = shot(m.shot);
    ASSERT_EQ(pixels.size(), 640u * 480u) << m.shot;
    // The video view's hot spot is (rect 20 50 320 240): its middle and its corners.
    for (auto [x, y] : {std::pair{180, 170}, std::pair{21, 51}, std::pair{338, 288}}) {
      EXPECT_TRUE(near(at(pixels, x, y), m.colour))
          << m.shot << " at " << x << "," << y << ": " << std::hex << at(pixels, x, y);
    }
    EXPECT_EQ(at(pixels, 19, 49), 0xDED6C8u) << m.shot;  // the form around it
  }
  EXPECT_NE(file("mpg.txt").find(R"(("Name" "Video") ("Class" "VideoView") ("Status" "ended"))"),
            std::string::npos)
      << file("mpg.txt");
  EXPECT_NE(file("avi.txt").find(R"(("Status" "aborted"))"), std::string::npos) << file("avi.txt");
}

}  // namespace
