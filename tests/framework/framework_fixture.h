// Test helper: a clean framework state for each test (no application, no queue, no back
// end), an optional headless back end with a script, and a record of reported errors.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "framework/application.h"
#include "framework/event_queue.h"
#include "framework/program_state.h"
#include "platform/headless/headless_backend.h"
#include "values/error.h"
#include "values/string.h"

class FrameworkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    errors().clear();
    previousError_ = tqvSetErrorHandler(&FrameworkTest::recordError);
    previousExit_ = tqvSetExitHandler(nullptr);
    transcript_ = std::tmpfile();
  }

  void TearDown() override {
    if (tqvApplication* app = tqvCurrentApplication()) delete app;
    tqvDiscardEventQueue();
    tqvSetEventSource(nullptr);
    tqvSetQuitFlag(false);
    tqvSetBackend(nullptr);
    backend_.reset();
    tqvResetProgramState();
    tqvSetErrorHandler(previousError_);
    tqvSetExitHandler(previousExit_);
    if (transcript_ != nullptr) std::fclose(transcript_);
  }

  // Installs a headless back end running `script`.
  tqvPlatform::HeadlessBackend& useHeadless(const std::string& script) {
    tqvPlatform::HeadlessOptions options;
    std::string error;
    EXPECT_TRUE(tqvPlatform::parseScript(script, "test", options.script, error)) << error;
    options.transcript = transcript_;
    backend_ = std::make_unique<tqvPlatform::HeadlessBackend>(std::move(options));
    tqvSetBackend(backend_.get());
    return *backend_;
  }

  std::string transcript() {
    std::fflush(transcript_);
    std::rewind(transcript_);
    std::string text;
    for (int c; (c = std::fgetc(transcript_)) != EOF;) text += static_cast<char>(c);
    return text;
  }

  static std::vector<std::string>& errors() {
    static std::vector<std::string> all;
    return all;
  }

  std::unique_ptr<tqvPlatform::HeadlessBackend> backend_;

 private:
  static TQVINT recordError(tqvHandle message) {
    errors().emplace_back(tqvStringView(message));
    return 0;
  }
  tqvErrorHandler previousError_ = nullptr;
  tqvExitHandler previousExit_ = nullptr;
  std::FILE* transcript_ = nullptr;
};
