// The headless back end: virtual time, timers, answered message boxes, the end of the
// script, failed expectations and screenshots.
#include <gtest/gtest.h>

#include <cstdio>

#include "platform/headless/headless_backend.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using tqvPlatform::BoxAnswer;
using tqvPlatform::BoxKind;
using tqvPlatform::HeadlessBackend;
using tqvPlatform::InputEvent;
using Type = InputEvent::Type;

class Headless : public ::testing::Test {
 protected:
  void start(const std::string& script) {
    tqvPlatform::HeadlessOptions options;
    std::string error;
    ASSERT_TRUE(tqvPlatform::parseScript(script, "t.txt", options.script, error)) << error;
    options.scriptName = "t.txt";
    backend_.reset();  // a test may start several sessions
    if (transcript_ != nullptr) std::fclose(transcript_);
    transcript_ = std::tmpfile();
    options.transcript = transcript_;
    options.shotsDirectory = shots_.path().string();
    backend_ = std::make_unique<HeadlessBackend>(std::move(options));
    tqvPlatform::WindowSetup setup;
    setup.mediaWidth = 4;
    setup.mediaHeight = 3;
    ASSERT_TRUE(backend_->openWindow(setup, error));
  }
  void TearDown() override {
    backend_.reset();
    if (transcript_ != nullptr) std::fclose(transcript_);
  }
  std::string transcript() {
    std::fflush(transcript_);
    std::rewind(transcript_);
    std::string text;
    int c;
    while ((c = std::fgetc(transcript_)) != EOF) text += static_cast<char>(c);
    return text;
  }
  // The next input, pumping with the given cap; Type::None when there was none.
  InputEvent next(int32_t cap = 10) {
    InputEvent event;
    if (!backend_->nextInput(event, cap)) event.type = Type::None;
    return event;
  }
  TempDir shots_;
  std::unique_ptr<HeadlessBackend> backend_;
  std::FILE* transcript_ = nullptr;
};

TEST_F(Headless, ClockMovesOnlyWhileTheScriptWaitsAndTimersTickOnIt) {
  start("wait 250\nclick 1 1\n");
  EXPECT_EQ(backend_->now(), 0u);
  int32_t timer = backend_->startTimer(100);
  std::vector<uint32_t> ticks;
  InputEvent event;
  while ((event = next()).type != Type::MouseMove) {
    if (event.type == Type::Timer) {
      EXPECT_EQ(event.timer, timer);
      ticks.push_back(backend_->now());
    }
  }
  EXPECT_EQ(ticks, (std::vector<uint32_t>{100, 200}));
  EXPECT_EQ(backend_->now(), 250u);
  backend_->stopTimer(timer);
  // Input takes no time.
  EXPECT_EQ(next().type, Type::ButtonDown);
  EXPECT_EQ(backend_->now(), 250u);
}

TEST_F(Headless, WaitAdvancesByAtMostTheCap) {
  start("wait 25\n");
  EXPECT_EQ(next(10).type, Type::None);
  EXPECT_EQ(backend_->now(), 10u);
  EXPECT_EQ(next(0).type, Type::None);  // a poll lets no time pass
  EXPECT_EQ(backend_->now(), 10u);
  next(10);
  next(10);
  EXPECT_EQ(backend_->now(), 25u);
}

TEST_F(Headless, EndOfScriptAsksToCloseThenEnds) {
  start("move 2 2\n");
  EXPECT_EQ(next().type, Type::MouseMove);
  EXPECT_EQ(next().type, Type::CloseRequested);
  EXPECT_EQ(next().type, Type::EndSession);
  EXPECT_EQ(next().type, Type::None);
  EXPECT_EQ(backend_->exitStatus(), 0);
}

TEST_F(Headless, AnswersAndExpectationsApplyToTheBoxesShown) {
  start("answer cancel\nanswer cancel\nwait 10\nexpect-box Sair?\n");
  // A box shown before the program pumps (at start-up) takes the next answer line.
  EXPECT_EQ(backend_->messageBox("x", "C", BoxKind::OkCancel), BoxAnswer::Cancel);
  next();  // the second answer, then the wait starts
  // The answer is for the next OK/Cancel box only.
  EXPECT_EQ(backend_->messageBox("Sair?\nSim", "Lumbra", BoxKind::Ok), BoxAnswer::Ok);
  EXPECT_EQ(backend_->messageBox("Sair?", "Lumbra", BoxKind::OkCancel), BoxAnswer::Cancel);
  EXPECT_EQ(backend_->messageBox("Sair?", "Lumbra", BoxKind::OkCancel), BoxAnswer::Ok);
  EXPECT_EQ(backend_->lastBoxText(), "Sair?");
  for (int i = 0; i < 10 && next().type != Type::CloseRequested; ++i) {
  }
  EXPECT_EQ(backend_->exitStatus(), 0);  // the expectation met the last box
  EXPECT_EQ(transcript(),
            "box C: x -> cancel\nbox Lumbra: Sair?\\nSim -> ok\nbox Lumbra: Sair? -> cancel\n"
            "box Lumbra: Sair? -> ok\n");
}

TEST_F(Headless, FailedExpectationEndsTheSessionWithStatusOne) {
  // With no box shown, and with a box that said something else.
  for (bool box : {false, true}) {
    start("expect-box nada\nclick 1 1\n");
    if (box) backend_->messageBox("Sair?", "Lumbra", BoxKind::Ok);
    EXPECT_EQ(next().type, Type::EndSession) << box;
    EXPECT_EQ(backend_->exitStatus(), 1);
    EXPECT_EQ(next().type, Type::None);  // the click never runs
  }
}

TEST_F(Headless, ShotsWriteThePicture) {
  start("shot main\n");
  tqvPlatform::Picture picture = backend_->picture();
  ASSERT_NE(picture.pixels, nullptr);
  EXPECT_EQ(picture.width, 4);
  EXPECT_EQ(picture.stride, 16);
  EXPECT_EQ(picture.pixels[11], 0u);  // black until drawn
  next();
  EXPECT_TRUE(fs::exists(shots_ / "main.png"));
  EXPECT_EQ(transcript(), "shot " + shots_.file("main.png") + "\n");
}

TEST_F(Headless, RefusesUnusableMediaSizes) {
  start("");
  tqvPlatform::WindowSetup setup;
  setup.mediaWidth = 0;
  std::string error;
  EXPECT_FALSE(backend_->openWindow(setup, error));
  EXPECT_EQ(error, "the media area 0x480 is not a usable size");
}

TEST_F(Headless, PresentsOnceShownAndChanged) {
  start("wait 30\n");
  next();
  EXPECT_EQ(backend_->presentCount(), 0);  // not shown yet
  backend_->showWindow();
  next();
  EXPECT_EQ(backend_->presentCount(), 1);
  next();
  EXPECT_EQ(backend_->presentCount(), 1);
  backend_->invalidate();
  next();
  EXPECT_EQ(backend_->presentCount(), 2);
}

TEST_F(Headless, UserMessagesComeBackAsInput) {
  start("");
  backend_->postUserMessage(7, -9);
  InputEvent event = next();
  EXPECT_EQ(event.type, Type::UserMessage);
  EXPECT_EQ(event.word, 7);
  EXPECT_EQ(event.param, -9);
}

}  // namespace
