// The demo form drawn at 1x, 2x and 3x by headless sessions with --scale: text gains
// resolution, pictures and masks keep their media-area places, a dialog puts back
// exactly what it covered, and the fade in ends on the same picture at every scale.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <string>

#include "tests/support/png_reading.h"
#include "tests/support/temp_dir.h"

namespace {

// Opens the demo form (with its fade), shows and closes its dialog.
constexpr const char* kScript =
    "wait 1000\n"
    "shot opened\n"
    "click 200 435\n"
    "shot dialog\n"
    "key Esc\n"
    "shot closed\n";

// The same at 1x, the window then moving to a screen of twice the density.
constexpr const char* kRescaleScript =
    "wait 1000\n"
    "click 200 435\n"
    "scale 2\n"
    "shot rescaled\n"
    "key Esc\n"
    "shot closed\n";

class Scales : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    work_ = new TempDir();
    std::ofstream(*work_ / "lsan.supp") << "leak:libfontconfig.so\n";
    for (int scale = 1; scale <= 3; ++scale) {
      status_[scale] = session("x" + std::to_string(scale), scale, kScript);
    }
    status_[0] = session("rescaled", 1, kRescaleScript);
  }
  // Runs lx98 headless on the demo form at `scale`, shots into `name`; the exit status.
  static int session(const std::string& name, int scale, const char* script) {
    std::string shots = (*work_ / name).string();
    std::filesystem::create_directories(shots);
    std::ofstream(*work_ / name / "script.txt") << script;
    std::string command = "XDG_RUNTIME_DIR=" + (*work_ / "run").string() +
                          " LSAN_OPTIONS=suppressions=" + (*work_ / "lsan.supp").string() +
                          ":print_suppressions=0 " + LX98_PATH + " --headless --disc " + DEMO_DISC +
                          " --form demo.frm --scale " + std::to_string(scale) + " --user-dir " +
                          shots + " --shots " + shots + " --script " + shots +
                          "/script.txt >/dev/null 2>&1";
    int raw = std::system(command.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  }
  static void TearDownTestSuite() {
    delete work_;
    work_ = nullptr;
  }

  // A shot of the session at `scale` (0: the session that changed its scale).
  static RgbPicture shot(int scale, const std::string& name) {
    RgbPicture picture;
    std::string folder = scale == 0 ? "rescaled" : "x" + std::to_string(scale);
    EXPECT_EQ(status_[scale], 0) << folder;
    EXPECT_TRUE(readPng((*work_ / folder / (name + ".png")).string(), picture))
        << folder << "/" << name;
    return picture;
  }

  static TempDir* work_;
  static int status_[4];
};

TempDir* Scales::work_ = nullptr;
int Scales::status_[4] = {};

TEST_F(Scales, ShotsHaveTheScaledSize) {
  for (int scale = 1; scale <= 3; ++scale) {
    RgbPicture opened = shot(scale, "opened");
    EXPECT_EQ(opened.width, 640 * scale);
    EXPECT_EQ(opened.height, 480 * scale);
  }
}

// The title "Demonstração dos controles" (StaticText at 20,14 600x30, Arial 16 bold).
int greyLevelsOfTheTitle(const RgbPicture& picture, int scale) {
  std::set<long> levels;
  for (int y = 14 * scale; y < 44 * scale; ++y) {
    for (int x = 20 * scale; x < 320 * scale; ++x) levels.insert(picture.pixel(x, y));
  }
  return static_cast<int>(levels.size());
}

TEST_F(Scales, TextEdgesAreAntialiasedAtTheHigherResolution) {
  int one = greyLevelsOfTheTitle(shot(1, "opened"), 1);
  int two = greyLevelsOfTheTitle(shot(2, "opened"), 2);
  int three = greyLevelsOfTheTitle(shot(3, "opened"), 3);
  EXPECT_GT(one, 4);  // antialiased even at 1x
  EXPECT_GT(two, one);
  EXPECT_GT(three, one);
}

TEST_F(Scales, TheMaskedLogoLandsOnTheSameMediaRectangle) {
  // Logo: Bitmap at (24, 60), 64 x 48, drawn through a mask; interface bitmaps and masks
  // scale sharply, so every device pixel of a media pixel shows that media pixel's colour.
  RgbPicture one = shot(1, "opened");
  for (int scale = 2; scale <= 3; ++scale) {
    RgbPicture scaled = shot(scale, "opened");
    int differing = 0;
    for (int y = 60; y < 108; ++y) {
      for (int x = 24; x < 88; ++x) {
        for (int dy = 0; dy < scale; ++dy) {
          for (int dx = 0; dx < scale; ++dx) {
            differing += scaled.pixel(x * scale + dx, y * scale + dy) != one.pixel(x, y);
          }
        }
      }
    }
    EXPECT_EQ(differing, 0) << scale << "x";
  }
}

TEST_F(Scales, ADialogPutsBackExactlyWhatItCovered) {
  // The dialog "Sobre" covers (170, 140) to (470, 300); the button that opened it keeps
  // its focus ring afterwards, so only the covered rectangle is compared.
  for (int scale = 1; scale <= 3; ++scale) {
    RgbPicture opened = shot(scale, "opened");
    RgbPicture dialog = shot(scale, "dialog");
    RgbPicture closed = shot(scale, "closed");
    int covered = 0, differing = 0;
    for (int y = 140 * scale; y < 300 * scale; ++y) {
      for (int x = 170 * scale; x < 470 * scale; ++x) {
        covered += dialog.pixel(x, y) != opened.pixel(x, y);
        differing += closed.pixel(x, y) != opened.pixel(x, y);
      }
    }
    EXPECT_GT(covered, 1000 * scale * scale) << scale << "x: the dialog showed";
    EXPECT_EQ(differing, 0) << scale << "x";
  }
}

TEST_F(Scales, TheFadeInEndsOnTheSamePictureAtEveryScale) {
  // Plain areas away from text and lines: the form's colour, the photo view's white
  // frame, the logo's middle, a button's face below its label.
  const int points[][2] = {{5, 5},   {600, 200}, {300, 330}, {424, 244},
                           {56, 84}, {30, 425},  {630, 470}, {610, 250}};
  RgbPicture one = shot(1, "opened");
  for (int scale = 2; scale <= 3; ++scale) {
    RgbPicture scaled = shot(scale, "opened");
    for (const auto& point : points) {
      EXPECT_EQ(scaled.pixel(point[0] * scale + scale / 2, point[1] * scale + scale / 2),
                one.pixel(point[0], point[1]))
          << scale << "x at " << point[0] << "," << point[1];
    }
  }
}

TEST_F(Scales, AChangeOfScaleDrawsFormAndDialogAgainAtTheNewScale) {
  RgbPicture rescaled = shot(0, "rescaled");
  RgbPicture direct = shot(2, "dialog");
  ASSERT_EQ(rescaled.width, direct.width);
  EXPECT_TRUE(rescaled.rgb == direct.rgb);
  // The dialog saved the screen under it again, at the new scale.
  RgbPicture closed = shot(0, "closed");
  EXPECT_TRUE(closed.rgb == shot(2, "closed").rgb);
}

}  // namespace
