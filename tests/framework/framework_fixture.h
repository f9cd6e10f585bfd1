// Test helper: each test runs inside its own program (the one set-up and teardown that
// lx98 and tqvtool use), with reported errors recorded instead of shown, an optional
// headless back end running a script, and its transcript.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "framework/events.h"
#include "framework/program.h"
#include "platform/headless/headless_backend.h"
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
    setup.errorHandler = &FrameworkTest::recordError;
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
    auto backend = std::make_unique<tqvPlatform::HeadlessBackend>(std::move(options));
    backend_ = backend.get();
    program_->setBackend(std::move(backend));
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

  std::unique_ptr<tqvProgram> program_;
  tqvPlatform::HeadlessBackend* backend_ = nullptr;

 private:
  static TQVINT recordError(tqvHandle message) {
    errors().emplace_back(tqvStringView(message));
    return 0;
  }
  std::FILE* transcript_ = nullptr;
};
