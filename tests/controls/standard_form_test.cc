// The standard form class and its dialog twin: rollover help, Tab stops, F1, fades,
// triggered controls performed under their names, and the end of the form's video.
#include "controls/standard_form.h"

#include <gtest/gtest.h>

#include "framework/runtime.h"
#include "tests/controls/controls_fixture.h"

namespace {

using StandardForm = ControlsTest;

constexpr uint32_t kHelpColour = 0xFFFF80;  // red 255, green 255, blue 128

TEST_F(StandardForm, RolloverHelpShowsOnlyAfterTheMouseStayedASecond) {
  startSession("move 50 50\nwait 900\nkey F12\nwait 400\nkey F12\nmove 300 300\nkey F12\n", 250);
  show(R"((form ("Control List" (list (control ("Class" "HotSpot") ("Name" "Area")
      ("Hot Spot" (rect 20 20 100 100)) ("Help" "Primeira linha\nSegunda"))))))");
  auto* form = static_cast<tqvStandardForm*>(tqvAsFormObject(app_->activeForm()));
  ASSERT_TRUE(runToMarker());
  EXPECT_FALSE(form->rolloverHelp().showing());
  EXPECT_EQ(pixel(51, 71), kFormColour);
  ASSERT_TRUE(runToMarker());
  ASSERT_TRUE(form->rolloverHelp().showing());
  // Near the mouse, below it, two lines high, in the help colour with a black edge.
  EXPECT_EQ(form->rolloverHelp().left(), 50);
  EXPECT_EQ(form->rolloverHelp().top(), 70);
  EXPECT_GT(form->rolloverHelp().bottom() - form->rolloverHelp().top(), 20);
  EXPECT_EQ(pixel(51, 71), kHelpColour);
  EXPECT_EQ(pixel(50, 70), 0x000000u);
  ASSERT_TRUE(runToMarker());
  EXPECT_FALSE(form->rolloverHelp().showing());
  EXPECT_EQ(pixel(51, 71), kFormColour);
}

TEST_F(StandardForm, TheHelpBoxStaysInsideTheMediaArea) {
  startSession("move 630 470\nwait 1300\nkey F12\n", 250);
  show(R"((form ("Control List" (list (control ("Class" "HotSpot") ("Name" "Corner")
      ("Hot Spot" (rect 600 440 40 40)) ("Help" "Um texto de ajuda bastante comprido"))))))");
  auto* form = static_cast<tqvStandardForm*>(tqvAsFormObject(app_->activeForm()));
  ASSERT_TRUE(runToMarker());
  ASSERT_TRUE(form->rolloverHelp().showing());
  EXPECT_LE(form->rolloverHelp().right(), 640);
  EXPECT_LE(form->rolloverHelp().bottom(), 480);
  EXPECT_LT(form->rolloverHelp().bottom(), 470);  // above the mouse: no room below
}

TEST_F(StandardForm, HelpThatIsNotTextIsReported) {
  startSession("move 50 50\nwait 1300\n", 250);
  show(R"((form ("Control List" (list (control ("Class" "HotSpot")
      ("Hot Spot" (rect 20 20 100 100)) ("Help" 42))))))");
  runScript();
  EXPECT_EQ(takeError(), "Bad Rollover Text: 42");
}

TEST_F(StandardForm, TabSkipsDisabledAndHiddenStopsAndWraps) {
  startSession("key Tab\nkey F12\nkey Tab\nkey F12\nkey Shift+Tab\nkey F12\n");
  show(R"((form ("TabStopList" (list "A" "B" "C" "D"))
      ("Control List" (list
        (control ("Class" "Button") ("Name" "A") ("Hot Spot" (rect 10 10 80 30)))
        (control ("Class" "Button") ("Name" "B") ("Hot Spot" (rect 10 50 80 30)) ("Disabled" true))
        (control ("Class" "Button") ("Name" "C") ("Hot Spot" (rect 10 90 80 30)) ("Hidden" true))
        (control ("Class" "Button") ("Name" "D") ("Hot Spot" (rect 10 130 80 30)))))))");
  tqvFormObject* form = tqvAsFormObject(app_->activeForm());
  auto active = [&] { return std::string(tqvStringView(tqvGet(form->activeControl(), "Name"))); };
  EXPECT_EQ(active(), "A");  // the first tab stop, after opening
  ASSERT_TRUE(runToMarker());
  EXPECT_EQ(active(), "D");
  EXPECT_FALSE(tqvTruth(tqvGet(control("A"), "Active")));
  ASSERT_TRUE(runToMarker());
  EXPECT_EQ(active(), "A");
  ASSERT_TRUE(runToMarker());
  EXPECT_EQ(active(), "D");
}

TEST_F(StandardForm, F1OpensTheHelpFileWithTheDesktopProgram) {
  discFile("LX98.hlp", "help");
  runtime().programDirectory = S(disc_.path().string());
  startSession("key F1\n");
  show("(form)");
  runScript();
  EXPECT_NE(transcript().find("open " + (disc_ / "LX98.hlp").string()), std::string::npos)
      << transcript();
}

TEST_F(StandardForm, TheBackgroundImageFillsTheScreen) {
  discFile("back.bmp", bitmap(640, 480, [](int x, int) { return x < 320 ? 0xFF0000u : 0xFFu; }));
  startSession("");
  show(R"((form ("Background Image" "back.bmp")))");
  EXPECT_TRUE(all(0, 0, 320, 480, 0xFF0000));
  EXPECT_TRUE(all(320, 0, 640, 480, 0x0000FF));
}

TEST_F(StandardForm, OpeningFadesOverFadeTimeUnlessToldNot) {
  startSession("");
  tqvShowForm(read(R"((form ("Name" "Quick")))"), noFade(), true);
  EXPECT_EQ(backend_->now(), 0u);
  tqvShowForm(read(R"((form ("Name" "Slow") ("FadeTime" 300)))"), tqvHandle(), true);
  // Out and back in, each over 300 ms of the session's clock.
  EXPECT_GE(backend_->now(), 600u);
  uint32_t before = backend_->now();
  setEnv("Disable Transitions", "1");
  tqvShowForm(read(R"((form ("Name" "Still") ("FadeTime" 300)))"), tqvHandle(), true);
  EXPECT_EQ(backend_->now(), before);
  EXPECT_EQ(pixel(5, 5), kFormColour);
}

TEST_F(StandardForm, TriggeredControlsArePerformedUnderTheirNames) {
  startSession("click 30 20\ndblclick 30 60\n");
  show(R"((form ("Class" "LoggingForm") ("Control List" (list
      (control ("Class" "HotSpot") ("Name" "Mapa") ("Hot Spot" (rect 10 10 80 30)))
      (control ("Class" "Bitmap") ("Name" "Foto") ("Hot Spot" (rect 10 50 80 30)))))))");
  runScript();
  EXPECT_EQ(LoggingForm::log(),
            (std::vector<std::string>{"Mapa Mapa", "Foto Foto", "dblClicked Foto", "Foto Foto"}));
}

TEST_F(StandardForm, TheEndOfTheFormsVideoRunsItsStepThenReachesTheActiveControl) {
  startSession("");
  show(R"((form ("Class" "LoggingForm") ("Control List" (list
      (control ("Class" "Button") ("Name" "Play") ("Hot Spot" (rect 10 10 80 30))
               ("Auto Activate" true)))))))");
  auto* form = static_cast<LoggingForm*>(tqvAsFormObject(app_->activeForm()));
  tqvHandle movie = fakeSound("movie");
  form->setCurrentVideo(movie);
  app_->Notify(S("something else"), S("ended"));
  EXPECT_TRUE(LoggingForm::log().empty());
  app_->Notify(movie, S("ended"));
  EXPECT_EQ(LoggingForm::log(), (std::vector<std::string>{"video ended"}));
  EXPECT_TRUE(form->currentVideo().isNil());
}

// A standard dialog that notes whether its help box was ever up at a timer tick.
class WatchedDialog : public tqvStandardDialog {
 public:
  using tqvStandardDialog::tqvStandardDialog;
  void timer() override {
    tqvStandardDialog::timer();
    everShown = everShown || rolloverHelp().showing();
  }
  bool everShown = false;
};

// Runs a dialog with help on a hot spot while the mouse rests on it for 1.3 s; whether
// the help box came up.
bool dialogShowedHelp(ControlsTest& t) {
  t.startSession("move 50 50\nwait 1300\nkey Esc\n", 250);
  tqvHandle dialog = tqvWrapForm(new WatchedDialog(ControlsTest::read(R"((table ("Width" 200)
      ("Height" 200) ("Control List" (list (control ("Class" "HotSpot")
          ("Hot Spot" (rect 20 20 100 100)) ("Help" "Ajuda"))))))")));
  tqvRunDialog(dialog, ControlsTest::noFade());
  return static_cast<WatchedDialog*>(tqvAsFormObject(dialog))->everShown;
}

TEST_F(StandardForm, DialogsShowNoRolloverHelpByDefault) {
  EXPECT_FALSE(dialogShowedHelp(*this));
}

TEST_F(StandardForm, DialogsShowRolloverHelpWhenAskedTo) {
  setEnv("RolloverHelp", "1");
  EXPECT_TRUE(dialogShowedHelp(*this));
}

}  // namespace
