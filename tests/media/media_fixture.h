// Test helper for the media library: the framework test state plus an installed
// application, a main window over a headless back end when asked for, and a temporary
// directory laid out like a disc.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "framework/app_window.h"
#include "framework/application.h"
#include "media/media_services.h"
#include "platform/file_names.h"
#include "tests/framework/framework_fixture.h"

class MediaTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    disc_ = std::filesystem::temp_directory_path() /
            ("tqv-media-" + std::to_string(::getpid()) + "-" + std::to_string(counter()++));
    std::filesystem::create_directories(disc_);
    app_ = newApplication();
  }

  tqvProgramSetup programSetup() override {
    tqvProgramSetup setup = FrameworkTest::programSetup();
    setup.installLibraries = tqvInstallMedia;
    return setup;
  }

  // The application the tests run in; fixtures of later libraries make their own.
  virtual tqvApplication* newApplication() { return new tqvApplication(); }

  void TearDown() override {
    FrameworkTest::TearDown();
    std::filesystem::remove_all(disc_);
  }

  // A headless back end running `script`, and the application's main window over it.
  tqvPlatform::HeadlessBackend& useWindow(const std::string& script = "") {
    tqvPlatform::HeadlessBackend& backend = useHeadless(script);
    app_->setMainWindow(tqvAppWindow::create(tqvAppTitle()));
    return backend;
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

  // The one error reported since the last call (or a note of none or several).
  std::string takeError() {
    std::string result = errors().size() == 1 ? errors().front()
                         : errors().empty()   ? "<no error>"
                                              : "<" + std::to_string(errors().size()) + " errors>";
    errors().clear();
    return result;
  }

  tqvApplication* app_ = nullptr;
  std::filesystem::path disc_;

 private:
  static int& counter() {
    static int n = 0;
    return n;
  }
};
