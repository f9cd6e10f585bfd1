// Movie values on the virtual clock of a headless session, playing the demo disc's movies
// (MPEG-1: 50 frames at 25 a second, red then blue from frame 25; AVI: 20 frames at 10 a
// second, green then yellow from frame 10; both 320x240): shared decoders, "ended" after
// the movie's length, "aborted" on stop, seeking, placing, drawing and device errors.
#include "media/movie.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "framework/event_queue.h"
#include "media/drawing_surface.h"
#include "media/image_factory.h"
#include "media/movie_player.h"
#include "media/surface.h"
#include "tests/media/media_fixture.h"
#include "values/values.h"

namespace {

constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kBlue = 0x0000FF;

std::string testData(const std::string& relative) {
  const char* top = std::getenv("TQV_TEST_DATA");
  return std::string(top != nullptr ? top : "tests") + "/" + relative;
}

std::string demoMovie(const char* name) {
  return testData(std::string("e2e/disc/Media/Movies/") + name);
}

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

class Movies : public MediaTest {
 protected:
  void SetUp() override {
    MediaTest::SetUp();
    useWindow();
  }
  tqvHandle movie(const std::string& path, bool fullScreen = false) {
    return tqvMakeMovie(tqvMakeString(path), fullScreen);
  }
  tqvMoviePlayer& player() { return tqvMedia()->movies(); }
  void pass(uint32_t ms) {
    backend_->delay(ms);
    tqvServices().idleTurn();
  }
  // The media notifications queued since the last call, as "alias word".
  std::vector<std::string> notifications() {
    std::vector<std::string> seen;
    tqvEvent event;
    while (tqvCurrentEventQueue()->take(TQV_NOTIFY_EVENT, event)) {
      tqvMovieObject* m = tqvAsMovie(tqvGet(event.data1, 0));
      seen.push_back((m != nullptr ? m->alias() : "?") + " " +
                     std::string(tqvStringView(tqvGet(event.data1, 1))));
    }
    return seen;
  }
  uint32_t pixel(int x, int y) {
    tqvPlatform::Picture picture = backend_->picture();
    const auto* row = reinterpret_cast<const uint8_t*>(picture.pixels) + y * picture.stride;
    return reinterpret_cast<const uint32_t*>(row)[x] & 0xFFFFFF;
  }
  // The colour of the current frame, drawn into an image.
  uint32_t frameColour(const tqvHandle& m) {
    tqvHandle image = tqvMakeContextImage(8, 8);
    if (!tqvDrawMovieFrame(m, image)) return 0x123456;
    cairo_surface_t* pixels = tqvAsSurface(image)->cairoSurface();
    cairo_surface_flush(pixels);
    return *reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(pixels)) & 0xFFFFFF;
  }
  using Lines = std::vector<std::string>;
};

TEST_F(Movies, TheKindComesFromTheExtensionAndEachMovieHasItsAlias) {
  EXPECT_TRUE(movie("clip.mov").isNil());
  EXPECT_EQ(takeError(), "Unrecognized movie type: clip.mov");
  tqvHandle avi = movie("A.AVI");
  tqvHandle mpg = movie("b.mpg");
  EXPECT_EQ(tqvAsMovie(avi)->kind(), "AVI");
  EXPECT_EQ(tqvAsMovie(mpg)->kind(), "MPG");
  EXPECT_EQ(std::stoi(tqvAsMovie(mpg)->alias()), std::stoi(tqvAsMovie(avi)->alias()) + 1);
  EXPECT_EQ(tqvLeft(avi), tqvMovieObject::kUnplaced);
}

TEST_F(Movies, OpeningGivesTheNaturalSizeAndTheFrameCount) {
  struct Case {
    const char* file;
    TQVINT frames;
  };
  for (const Case& c : {Case{"demo.mpg", 50}, Case{"demo.avi", 20}}) {
    tqvHandle m = movie(demoMovie(c.file));
    EXPECT_EQ(tqvCount(m), c.frames) << c.file;
    EXPECT_EQ(tqvWidth(m), 320) << c.file;
    EXPECT_EQ(tqvHeight(m), 240) << c.file;
  }
}

TEST_F(Movies, TwoMoviesShareADecoderAndClosingOneKeepsTheOtherPlaying) {
  tqvHandle first = movie(demoMovie("demo.mpg"));
  tqvHandle second = movie(demoMovie("demo.mpg"));
  std::string secondAlias = tqvAsMovie(second)->alias();
  EXPECT_EQ(tqvPlay(first), 1);
  EXPECT_EQ(tqvPlay(second), 1);
  EXPECT_EQ(player().decoderUses("MPG"), 2);
  EXPECT_EQ(player().decoderUses("AVI"), 0);
  pass(500);
  tqvCloseMovie(first);
  EXPECT_EQ(player().decoderUses("MPG"), 1);
  EXPECT_EQ(notifications(), Lines{tqvAsMovie(first)->alias() + " aborted"});
  EXPECT_EQ(tqvIsPlaying(second), 1);
  pass(1499);
  EXPECT_EQ(notifications(), Lines{});
  pass(1);
  EXPECT_EQ(notifications(), Lines{secondAlias + " ended"});
  EXPECT_NE(player().decoderUses("MPG"), 0);  // still open, though it ended
  tqvCloseMovie(second);
  EXPECT_EQ(player().decoderUses("MPG"), 0);
}

TEST_F(Movies, StopQueuesAbortedAndARepeatingMovieGoesOnUntilStopped) {
  tqvHandle m = movie(demoMovie("demo.avi"));
  std::string alias = tqvAsMovie(m)->alias();
  EXPECT_EQ(tqvStop(m), 0);  // not playing: nothing queued
  EXPECT_EQ(tqvPlay(m, 0, -1, 1), 1);
  pass(5000);
  EXPECT_EQ(tqvIsPlaying(m), 1);
  EXPECT_EQ(notifications(), Lines{});
  EXPECT_EQ(tqvStop(m), 1);
  EXPECT_EQ(notifications(), Lines{alias + " aborted"});
  // A range plays for its own length: frames 5 to 14 of ten a second, one second.
  EXPECT_EQ(tqvPlay(m, 5, 14), 1);
  pass(999);
  EXPECT_EQ(notifications(), Lines{});
  pass(1);
  EXPECT_EQ(notifications(), Lines{alias + " ended"});
}

TEST_F(Movies, SeekingClampsToTheFramesThereAre) {
  tqvHandle m = movie(demoMovie("demo.mpg"));
  struct Case {
    TQVINT seek;
    uint32_t colour;
  };
  for (const Case& c : {Case{1000, kBlue}, Case{-5, kRed}, Case{30, kBlue}, Case{24, kRed},
                        Case{50, kBlue}, Case{0, kRed}}) {
    EXPECT_TRUE(tqvSeekMovie(m, c.seek)) << c.seek;
    EXPECT_TRUE(near(frameColour(m), c.colour)) << c.seek << ": " << std::hex << frameColour(m);
  }
  tqvPlay(m);
  EXPECT_TRUE(tqvSeekMovie(m, 49));  // seeking stops playback
  EXPECT_EQ(tqvIsPlaying(m), 0);
  EXPECT_EQ(notifications(), Lines{tqvAsMovie(m)->alias() + " aborted"});
}

TEST_F(Movies, ShownAtItsPlaceOrOverTheMediaAreaAndHiddenLeavesWhatWasThere) {
  struct Case {
    bool allowed;
    const char* fullScreenVideo;
    const char* maximize;
    const char* file;
    TQVINT left, top, width, height;
  };
  const Case cases[] = {
      {false, "1", "0", "demo.mpg", 100, 60, 160, 120},
      {true, "0", "1", "demo.mpg", 100, 60, 160, 120},
      {true, "1", "0", "demo.avi", 0, 0, 640, 480},
      {true, "1", "1", "demo.mpg", 0, 0, 640, 480},
      {true, "1", "1", "demo.avi", 0, 0, 640, 480},  // double size, centred
  };
  for (const Case& c : cases) {
    setEnv("FullScreenVideo", c.fullScreenVideo);
    setEnv("MaximizeWindow", c.maximize);
    tqvScreenSurface()->fillRect(0, 0, 640, 480, 0xFF00FF);  // magenta, in no movie
    tqvHandle m = movie(demoMovie(c.file), c.allowed);
    tqvMove(m, 100, 60);
    tqvSetSize(m, 160, 0);
    tqvSetSize(m, 0, 120);
    ASSERT_EQ(tqvShow(m), 1) << c.file;
    const tqvMovieObject::State& s = tqvAsMovie(m)->state();
    EXPECT_EQ((std::vector<TQVINT>{s.left, s.top, s.drawnWidth, s.drawnHeight}),
              (std::vector<TQVINT>{c.left, c.top, c.width, c.height}))
        << c.file << " " << c.allowed << c.fullScreenVideo << c.maximize;
    EXPECT_FALSE(near(pixel(c.left + 5, c.top + 5), 0xFF00FF)) << c.file;  // its first frame
    tqvHide(m);
    EXPECT_EQ(pixel(c.left + 5, c.top + 5), 0xFF00FFu) << c.file;
    tqvCloseMovie(m);
  }
}

TEST_F(Movies, DeviceErrorsAreShownOnlyWithShowVideoErrors) {
  std::string avi = demoMovie("demo.avi");
  std::string bytes;
  {
    std::ifstream in(avi, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), {});
  }
  for (size_t at = bytes.find("MSVC"); at != std::string::npos; at = bytes.find("MSVC", at)) {
    bytes.replace(at, 4, "ZZZZ");
  }
  struct Case {
    std::string path;
    const char* error;
  };
  const Case cases[] = {
      {discFile("wave.avi", "RIFF\x04\0\0\0WAVE"), "MCI error (1): cannot read the movie"},
      {discFile("missing.mpg", "") + ".gone.mpg", "MCI error (1): cannot read the movie"},
      {testData("corpus/movie/no-video.mpg"), "MCI error (2): the movie has no pictures"},
      {discFile("unknown.avi", bytes), "MCI error (3): no decoder for pictures coded as none"},
  };
  for (const char* show : {"0", "1"}) {
    setEnv("ShowVideoErrors", show);
    for (const Case& c : cases) {
      std::string before = transcript();
      tqvHandle m = movie(c.path);
      EXPECT_EQ(tqvPlay(m), 0) << c.path;
      EXPECT_EQ(tqvCount(m), 0) << c.path;
      std::string boxes = transcript().substr(before.size());
      if (*show == '0') {
        EXPECT_EQ(boxes, "") << c.path;
      } else {
        EXPECT_NE(boxes.find(c.error), std::string::npos) << boxes;
        EXPECT_NE(boxes.find("Cannot instantiate movie: " + c.path), std::string::npos) << boxes;
      }
    }
  }
  EXPECT_EQ(player().decoderUses("AVI") + player().decoderUses("MPG"), 0);
}

// The movie fuzzer's kept inputs, as AVI and as MPEG files: seed-* files are whole
// movies; any other is refused or plays, never crashes.
TEST_F(Movies, KeptFuzzerInputs) {
  std::filesystem::path dir = testData("corpus/movie");
  ASSERT_TRUE(std::filesystem::exists(dir)) << dir;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    std::ifstream in(entry.path(), std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(in), {}};
    std::string name = entry.path().filename().string();
    bool seed = name.rfind("seed-", 0) == 0;
    for (const char* extension : {".avi", ".mpg"}) {
      if (seed && !name.ends_with(extension)) continue;
      tqvHandle m = movie(discFile(name + extension, bytes));
      if (seed) {
        EXPECT_GT(tqvCount(m), 0) << name;
        EXPECT_EQ(tqvPlay(m), 1) << name;
      } else if (tqvPlay(m) != 0) {
        pass(100000);
      }
      tqvCloseMovie(m);
    }
  }
}

}  // namespace
