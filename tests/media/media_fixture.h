// Test helper for the media library: the framework test state plus an installed
// application, a main window over a headless back end when asked for, and a temporary
// directory laid out like a disc.
#pragma once

#include <string>

#include "framework/app_window.h"
#include "framework/application.h"
#include "media/media_services.h"
#include "platform/file_names.h"
#include "tests/framework/framework_fixture.h"
#include "tests/support/temp_dir.h"

class MediaTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    app_ = newApplication();
  }

  tqvProgramSetup programSetup() override {
    tqvProgramSetup setup = FrameworkTest::programSetup();
    setup.installLibraries = tqvInstallMedia;
    return setup;
  }

  // The application the tests run in; fixtures of later libraries make their own.
  virtual tqvApplication* newApplication() { return new tqvApplication(); }

  // A headless back end running `script`, and the application's main window over it.
  tqvPlatform::HeadlessBackend& useWindow(const std::string& script = "") {
    tqvPlatform::HeadlessBackend& backend = useHeadless(script);
    app_->setMainWindow(tqvAppWindow::create(tqvAppTitle()));
    return backend;
  }

  // A file under the temporary disc directory (created with its directories).
  std::string discFile(const std::string& relative, const std::string& bytes) {
    return disc_.write(relative, bytes);
  }
  std::string discPath(const std::string& relative = "") const { return disc_.file(relative); }
  void setEnv(const char* key, const std::string& value) {
    app_->setEnvironment(key, tqvMakeString(value));
  }
  // Makes the temporary directory the disc, with its media under `mediaPath`.
  void useDisc(const std::string& mediaPath = "Media") {
    setEnv("SourceDisk", discPath());
    setEnv("MediaPath", mediaPath);
  }

  tqvApplication* app_ = nullptr;
  TempDir disc_;
};
