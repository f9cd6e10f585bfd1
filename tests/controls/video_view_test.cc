// The video view as forms use it: where it finds movies, a movie started from the form
// file alone, its poster frame, the end of its movie reaching the form, and buttons that
// send it actions or play sounds by name.
#include "controls/video_view_control.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "tests/controls/controls_fixture.h"
#include "tests/media/wave_bytes.h"

namespace {

using VideoView = ControlsTest;

constexpr uint32_t kBlack = 0x000000;

std::string demoMovies() {
  const char* top = std::getenv("TQV_TEST_DATA");
  return std::string(top != nullptr ? top : "tests") + "/e2e/disc/Media/Movies";
}

bool reddish(uint32_t p) {
  return (p >> 16 & 0xFF) > 0xC0 && (p >> 8 & 0xFF) < 0x40 && (p & 0xFF) < 0x40;
}

TEST_F(VideoView, MoviesAreFoundInVideoPathThenAltVideoPath) {
  discFile("Movies/a.mpg", "x");
  discFile("Alt/b.avi", "x");
  setEnv("AltVideoPath", discPath("Alt"));
  struct Case {
    const char* name;
    const char* extension;
    std::string path;
  };
  const Case cases[] = {
      {"a.mpg", "avi", discPath() + "\\.\\Movies\\a.mpg"},
      {"b", "avi", discPath("Alt") + "\\b.avi"},
      {"a", "mpg", discPath() + "\\.\\Movies\\a.mpg"},
      {"c", "avi", discPath() + "\\.\\Movies\\c.avi"},  // nowhere: where opening will fail
  };
  for (const Case& c : cases) {
    setEnv("VideoExtension", c.extension);
    EXPECT_EQ(tqvStringView(tqvLocateVideo(S(c.name))), c.path) << c.name;
  }
}

TEST_F(VideoView, AutoStartPlaysTheMovieAndItsEndReachesTheForm) {
  setEnv("VideoPath", demoMovies());
  startSession("key F12\nwait 2100\n");
  show(R"((form ("Name" "Filme") ("Class" "LoggingForm") ("Control List" (list
      (control ("Class" "VideoView") ("Name" "Video") ("Hot Spot" (rect 10 10 160 120))
               ("Movie" "demo.mpg") ("AutoStart" true))
      (control ("Class" "Button") ("Name" "Outro") ("Hot Spot" (rect 200 10 80 30)))))))");
  EXPECT_TRUE(tqvFlagOf(tqvPerform(control("Video"), "IsPlaying", tqvHandle()), false));
  EXPECT_EQ(tqvStringView(tqvGet(control("Video"), "Status")), "playing");
  EXPECT_TRUE(reddish(pixel(90, 70)));  // its first frames, fitted into the hot spot
  ASSERT_TRUE(runToMarker());
  runScript();
  EXPECT_EQ(tqvStringView(tqvGet(control("Video"), "Status")), "ended");
  EXPECT_NE(std::find(LoggingForm::log().begin(), LoggingForm::log().end(), "Video Video"),
            LoggingForm::log().end());
  EXPECT_FALSE(reddish(pixel(90, 70)));  // the last frame is blue
}

TEST_F(VideoView, ButtonsSendActionsToTheViewAndPlaySoundsByName) {
  setEnv("VideoPath", demoMovies());
  discFile("tom.wav", wave_bytes::pcmMs(5000));
  startSession("click 220 25\nwait 100\nclick 220 65\nwait 100\nclick 220 105\nwait 100\n");
  show(R"((form ("Name" "Sons") ("Control List" (list
      (control ("Class" "VideoView") ("Name" "Video") ("Hot Spot" (rect 10 10 160 120)))
      (control ("Class" "Button") ("Name" "Tocar") ("Hot Spot" (rect 200 10 80 30))
               ("Target Control" "Video") ("Target Action" "Play") ("Target Data" "demo.avi"))
      (control ("Class" "Button") ("Name" "Som") ("Hot Spot" (rect 200 50 80 30))
               ("Target Action" "PlaySound") ("Target Data" "tom.wav"))
      (control ("Class" "Button") ("Name" "Parar") ("Hot Spot" (rect 200 90 80 30))
               ("Target Action" "StopSound"))))))");
  EXPECT_EQ(pixel(90, 70), kBlack);  // no movie yet
  runScript();
  EXPECT_EQ(tqvStringView(tqvGet(control("Video"), "Status")), "playing");
  EXPECT_NE(pixel(90, 70), kBlack);
  EXPECT_EQ(transcript(), "audio wave 5044 bytes\naudio wave stop\n");
  tqvPerform(control("Video"), "Stop", tqvHandle());
  tqvPerform(control("Video"), "Uninitialize", tqvHandle());
  EXPECT_EQ(pixel(90, 70), kBlack);
}

}  // namespace
