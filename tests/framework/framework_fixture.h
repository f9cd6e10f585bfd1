// Test helper: each test runs inside its own program (the one set-up and teardown that
// lx98 and tqvtool use), with reported errors recorded instead of shown, an optional
// headless back end running a script with the application's window over it, and its
// transcript.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "framework/app_window.h"
#include "framework/application.h"
#include "framework/events.h"
#include "framework/forms.h"
#include "framework/program.h"
#include "framework/screen_report.h"
#include "platform/headless/headless_backend.h"
#include "storage/notation.h"
#include "tests/values/error_capture.h"
#include "values/cp1252.h"
#include "values/error.h"
#include "values/string.h"

class FrameworkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    errors().clear();
    transcript_ = std::tmpfile();
    program_ = std::make_unique<tqvProgram>(programSetup());
  }

  void TearDown() override {
    program_.reset();
    if (transcript_ != nullptr) std::fclose(transcript_);
  }

  // The program the tests run in: errors are recorded and never end the run. Fixtures of
  // later libraries install their libraries here.
  virtual tqvProgramSetup programSetup() {
    tqvProgramSetup setup;
    setup.title = "Lumbra";
    setup.version = "1.0";
    setup.abbreviation = "LX98";
    setup.errorHandler = &ErrorCapture::record;
    setup.exitHandler = nullptr;
    return setup;
  }

  tqvRuntime& runtime() { return program_->runtime(); }
  // Ends the test's program and starts a fresh one (for tests of several runs).
  void restartProgram() {
    backend_ = nullptr;
    program_.reset();
    program_ = std::make_unique<tqvProgram>(programSetup());
  }

  // Gives the program a headless back end running `script`.
  tqvPlatform::HeadlessBackend& useHeadless(const std::string& script) {
    tqvPlatform::HeadlessOptions options;
    std::string error;
    EXPECT_TRUE(tqvPlatform::parseScript(script, "test", options.script, error)) << error;
    options.transcript = transcript_;
    // As lx98 does, so that "expect-form" and "click-control" work in tests' scripts.
    options.activeFormName = [] { return tqvCp1252ToUtf8(tqvActiveFormName()); };
    options.controlCentre = [](const std::string& name, int32_t& x, int32_t& y) {
      return tqvControlCentre(tqvUtf8ToCp1252(name), x, y);
    };
    auto backend = std::make_unique<tqvPlatform::HeadlessBackend>(std::move(options));
    backend_ = backend.get();
    program_->setBackend(std::move(backend));
    return *backend_;
  }

 public:  // also for the free helper functions of the tests
  // A headless back end running `script` and the running application's main window over
  // it (its Start event is dropped: tests open their own forms).
  void startSession(const std::string& script) {
    useHeadless(script);
    tqvCurrentApplication()->setMainWindow(tqvAppWindow::create(tqvMakeString("Test")));
    tqvFlushEvents(TQV_START_EVENT);
  }
  // Hands every event to the running application until the script has ended.
  static void runScript() {
    for (;;) {
      tqvEvent event = tqvGetEvent(TQV_ALL_EVENTS, -1);
      if (event.type == TQV_QUIT_EVENT || event.type == TQV_NULL_EVENT) break;
      tqvCurrentApplication()->HandleEvent(event);
    }
  }
  // Hands events to the running application until the script's next "key F12" (not
  // handed on), so that a test can look halfway through its script. False when the script
  // ended first.
  static bool runToMarker() {
    for (;;) {
      tqvEvent event = tqvGetEvent(TQV_ALL_EVENTS, -1);
      if (event.type == TQV_QUIT_EVENT || event.type == TQV_NULL_EVENT) return false;
      if (event.type == TQV_KEY_DOWN_EVENT && event.word == TQV_KEY_F12) return true;
      tqvCurrentApplication()->HandleEvent(event);
    }
  }

  static tqvHandle read(const std::string& notation) {
    return tqvDecodeStandard(tqvMakeString(notation));
  }
  static tqvHandle S(const std::string& text) { return tqvMakeString(text); }

 protected:
  std::string transcript() {
    std::fflush(transcript_);
    std::rewind(transcript_);
    std::string text;
    for (int c; (c = std::fgetc(transcript_)) != EOF;) text += static_cast<char>(c);
    return text;
  }

  static std::vector<std::string>& errors() { return ErrorCapture::messages(); }
  // The one error reported since the last call (or a note of none or several).
  static std::string takeError() { return ErrorCapture::take(); }

  std::unique_ptr<tqvProgram> program_;
  tqvPlatform::HeadlessBackend* backend_ = nullptr;

 private:
  std::FILE* transcript_ = nullptr;
};
