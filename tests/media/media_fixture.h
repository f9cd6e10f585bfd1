// Test helper for the media library: a fresh application with its own environment, an
// optional headless back end with a window, a temporary disc directory, and a record of
// reported errors.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "framework/app_window.h"
#include "framework/application.h"
#include "framework/event_queue.h"
#include "framework/program_state.h"
#include "media/media_library.h"
#include "platform/file_names.h"
#include "platform/headless/headless_backend.h"
#include "values/error.h"
#include "values/string.h"

class MediaTest : public ::testing::Test {
 protected:
  void SetUp() override {
    errors().clear();
    previousError_ = tqvSetErrorHandler(&MediaTest::recordError);
    previousExit_ = tqvSetExitHandler(nullptr);
    transcript_ = std::tmpfile();
    disc_ = std::filesystem::temp_directory_path() /
            ("tqv-media-" + std::to_string(::getpid()) + "-" + std::to_string(counter()++));
    std::filesystem::create_directories(disc_);
    tqvMediaStartup();
    tqvSetAppIdentity(tqvMakeString("Lumbra"), tqvMakeString("1.0"), tqvMakeString("LX98"));
    app_ = new tqvApplication();
    tqvInstallApplication(app_);
  }

  void TearDown() override {
    if (tqvApplication* app = tqvCurrentApplication()) delete app;
    tqvDiscardEventQueue();
    tqvSetEventSource(nullptr);
    tqvSetBackend(nullptr);
    backend_.reset();
    tqvResetProgramState();
    tqvSetErrorHandler(previousError_);
    tqvSetExitHandler(previousExit_);
    if (transcript_ != nullptr) std::fclose(transcript_);
    std::filesystem::remove_all(disc_);
  }

  // A headless back end running `script`, and the application's main window over it.
  tqvPlatform::HeadlessBackend& useWindow(const std::string& script = "") {
    tqvPlatform::HeadlessOptions options;
    std::string error;
    EXPECT_TRUE(tqvPlatform::parseScript(script, "test", options.script, error)) << error;
    options.transcript = transcript_;
    backend_ = std::make_unique<tqvPlatform::HeadlessBackend>(std::move(options));
    tqvSetBackend(backend_.get());
    app_->setMainWindow(tqvAppWindow::create(tqvAppTitle()));
    return *backend_;
  }

  std::string transcript() {
    std::fflush(transcript_);
    std::rewind(transcript_);
    std::string text;
    for (int c; (c = std::fgetc(transcript_)) != EOF;) text += static_cast<char>(c);
    return text;
  }

  // A file under the temporary disc directory (created with its directories).
  std::string discFile(const std::string& relative, const std::string& bytes) {
    std::filesystem::path path = disc_ / relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
  }
  std::string discPath(const std::string& relative = "") const {
    return (disc_ / relative).string();
  }
  void setEnv(const char* key, const std::string& value) {
    app_->setEnvironment(key, tqvMakeString(value));
  }

  static std::vector<std::string>& errors() {
    static std::vector<std::string> all;
    return all;
  }
  std::string takeError() {
    std::string result = errors().size() == 1 ? errors().front()
                         : errors().empty()   ? "<no error>"
                                              : "<" + std::to_string(errors().size()) + " errors>";
    errors().clear();
    return result;
  }

  tqvApplication* app_ = nullptr;
  std::unique_ptr<tqvPlatform::HeadlessBackend> backend_;
  std::filesystem::path disc_;

 private:
  static int& counter() {
    static int n = 0;
    return n;
  }
  static TQVINT recordError(tqvHandle message) {
    errors().emplace_back(tqvStringView(message));
    return 0;
  }
  tqvErrorHandler previousError_ = nullptr;
  tqvExitHandler previousExit_ = nullptr;
  std::FILE* transcript_ = nullptr;
};
