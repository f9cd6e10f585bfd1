// Test helper for the control library: a standard application with the built-in classes
// and the media library, a main window over a headless back end, a temporary disc that
// holds forms and 24-bit bitmaps written here, and pixel reads of the screen picture.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "controls/controls_library.h"
#include "controls/standard_form.h"
#include "framework/app_window.h"
#include "framework/class_registry.h"
#include "framework/event_queue.h"
#include "framework/forms.h"
#include "framework/standard_application.h"
#include "media/media_library.h"
#include "storage/notation.h"
#include "tests/framework/framework_fixture.h"
#include "values/generic.h"
#include "values/list.h"
#include "values/string.h"
#include "values/table.h"

// A standard form class that logs the actions performed on it and the end of its video.
class LoggingForm : public tqvStandardForm {
 public:
  using tqvStandardForm::tqvStandardForm;
  std::string_view className() const override { return "LoggingForm"; }
  tqvHandle makeInstance(const tqvHandle& definition) override {
    return tqvWrapForm(new LoggingForm(definition));
  }
  tqvHandle perform(const tqvHandle& action, const tqvHandle& data) override {
    std::string line(tqvStringView(action));
    if (data.is(TQV_CONTROL_TYPE)) line += " " + std::string(tqvStringView(tqvGet(data, "Name")));
    log().push_back(line);
    return tqvStandardForm::perform(action, data);
  }
  static std::vector<std::string>& log() {
    static std::vector<std::string> lines;
    return lines;
  }

 protected:
  void videoEnded() override {
    log().push_back("video ended");
    tqvStandardForm::videoEnded();
  }
};

// A sound that logs what it is asked to do.
class FakeSound : public tqvObject {
 public:
  explicit FakeSound(std::string name) : name_(std::move(name)) {}
  bool opMedia(tqvMediaOp op, const tqvMediaArgs&, TQVINT& result) override {
    log().push_back((op == tqvMediaOp::Play   ? "play "
                     : op == tqvMediaOp::Stop ? "stop "
                                              : "? ") +
                    name_);
    result = 0;
    return true;
  }
  static std::vector<std::string>& log() {
    static std::vector<std::string> lines;
    return lines;
  }

 private:
  std::string name_;
};
inline tqvHandle fakeSound(const std::string& name) {
  return tqvHandle::wrap(new FakeSound(name), TQV_SOUND_TYPE);
}

class ControlsTest : public FrameworkTest {
 public:
  void SetUp() override {
    FrameworkTest::SetUp();
    disc_ = std::filesystem::temp_directory_path() /
            ("tqv-controls-" + std::to_string(::getpid()) + "-" + std::to_string(counter()++));
    std::filesystem::create_directories(disc_);
    tqvMediaStartup();
    tqvControlsStartup();
    tqvSetAppIdentity(tqvMakeString("Lumbra"), tqvMakeString("1.0"), tqvMakeString("LX98"));
    app_ = new tqvStandardApplication();
    tqvInstallApplication(app_);
    tqvRegisterClass(tqvHandle::wrap(new LoggingForm(), TQV_CLASS_TYPE));
    LoggingForm::log().clear();
    FakeSound::log().clear();
    setEnv("SourceDisk", disc_.string());
    setEnv("MediaPath", ".");
  }
  void TearDown() override {
    FrameworkTest::TearDown();
    std::filesystem::remove_all(disc_);
  }

  // A headless back end running `script`, the main window over it (its Start event
  // dropped) and, with `timerMs`, a timer ticking that often.
  void startSession(const std::string& script, uint32_t timerMs = 0) {
    useHeadless(script);
    app_->setMainWindow(tqvAppWindow::create(tqvMakeString("Controls")));
    tqvFlushEvents(TQV_START_EVENT);
    if (timerMs > 0) backend_->startTimer(timerMs);
  }
  // Hands every event to the application until the script has ended.
  void runScript() {
    for (;;) {
      tqvEvent event = tqvGetEvent(TQV_ALL_EVENTS, -1);
      if (event.type == TQV_QUIT_EVENT || event.type == TQV_NULL_EVENT) break;
      app_->HandleEvent(event);
    }
  }

  // Hands events to the application until the script's next "key F12" (not handed on),
  // so that a test can look at the screen halfway through its script. False when the
  // script ended first.
  bool runToMarker() {
    for (;;) {
      tqvEvent event = tqvGetEvent(TQV_ALL_EVENTS, -1);
      if (event.type == TQV_QUIT_EVENT || event.type == TQV_NULL_EVENT) return false;
      if (event.type == TQV_KEY_DOWN_EVENT && event.word == TQV_KEY_F12) return true;
      app_->HandleEvent(event);
    }
  }

  // Writes a file of the disc.
  void discFile(const std::string& name, const std::string& bytes) {
    std::ofstream(disc_ / name, std::ios::binary) << bytes;
  }
  // A 24-bit bitmap whose pixel (x, y) (y from the top) is colour(x, y) as 0xRRGGBB.
  static std::string bitmap(int width, int height,
                            const std::function<uint32_t(int, int)>& colour) {
    int rowBytes = (width * 3 + 3) & ~3;
    std::string pixels;
    for (int y = height - 1; y >= 0; --y) {
      std::string row;
      for (int x = 0; x < width; ++x) {
        uint32_t c = colour(x, y);
        row += static_cast<char>(c & 0xFF);
        row += static_cast<char>(c >> 8 & 0xFF);
        row += static_cast<char>(c >> 16 & 0xFF);
      }
      row.resize(rowBytes, '\0');
      pixels += row;
    }
    std::string out = "BM";
    auto put32 = [&out](uint32_t v) {
      for (int i = 0; i < 4; ++i) out += static_cast<char>(v >> (8 * i) & 0xFF);
    };
    auto put16 = [&out](uint32_t v) {
      for (int i = 0; i < 2; ++i) out += static_cast<char>(v >> (8 * i) & 0xFF);
    };
    put32(54 + pixels.size());
    put32(0);
    put32(54);
    put32(40);
    put32(width);
    put32(height);
    put16(1);
    put16(24);
    put32(0);
    put32(pixels.size());
    put32(2835);
    put32(2835);
    put32(0);
    put32(0);
    return out + pixels;
  }
  static std::string solid(int width, int height, uint32_t colour) {
    return bitmap(width, height, [colour](int, int) { return colour; });
  }

  // The screen picture's pixel, 0xRRGGBB.
  uint32_t pixel(int x, int y) {
    tqvPlatform::Picture picture = backend_->picture();
    const auto* row = reinterpret_cast<const uint8_t*>(picture.pixels) + y * picture.stride;
    return reinterpret_cast<const uint32_t*>(row)[x] & 0xFFFFFF;
  }
  // Whether every pixel of the rectangle equals `colour`.
  bool all(int left, int top, int right, int bottom, uint32_t colour) {
    for (int y = top; y < bottom; ++y) {
      for (int x = left; x < right; ++x) {
        if (pixel(x, y) != colour) return false;
      }
    }
    return true;
  }

  static tqvHandle read(const std::string& notation) {
    return tqvDecodeStandard(tqvMakeString(notation));
  }
  static tqvHandle S(const std::string& text) { return tqvMakeString(text); }
  // Makes the form written in the notation and shows it without fades.
  tqvHandle show(const std::string& notation) {
    tqvHandle form = read(notation);
    tqvShowForm(form, noFade(), true);
    return form;
  }
  static tqvHandle noFade() {
    tqvHandle data = tqvTable(4);
    tqvPut(data, "NoFade", TQV_TRUE);
    return data;
  }
  // The active form's control named `name`.
  tqvHandle control(const std::string& name);

  void setEnv(const char* key, const std::string& value) {
    app_->setEnvironment(key, tqvMakeString(value));
  }

  tqvApplication* app_ = nullptr;
  std::filesystem::path disc_;

 private:
  static int& counter() {
    static int n = 0;
    return n;
  }
};

// The plain colour of forms without a background image, as 0xRRGGBB.
constexpr uint32_t kFormColour = 0xC8D0D8;
