// Test helper for the control library: a standard application with the built-in classes
// and the media library, a main window over a headless back end, a temporary disc that
// holds forms and 24-bit bitmaps written here, and pixel reads of the screen picture.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "controls/controls_library.h"
#include "controls/standard_form.h"
#include "framework/app_window.h"
#include "framework/class_registry.h"
#include "framework/events.h"
#include "framework/forms.h"
#include "framework/standard_application.h"
#include "media/media_services.h"
#include "storage/notation.h"
#include "tests/media/image_test_support.h"
#include "tests/media/media_fixture.h"
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

class ControlsTest : public MediaTest {
 public:
  void SetUp() override {
    MediaTest::SetUp();
    tqvRegisterClass(tqvHandle::wrap(new LoggingForm(), TQV_CLASS_TYPE));
    LoggingForm::log().clear();
    FakeSound::log().clear();
    useDisc(".");
  }
  tqvProgramSetup programSetup() override {
    tqvProgramSetup setup = MediaTest::programSetup();
    setup.installLibraries = tqvInstallControls;
    return setup;
  }
  // The standard application, with the built-in classes registered.
  tqvApplication* newApplication() override { return new tqvStandardApplication(); }

  // A headless back end running `script`, the main window over it (its Start event
  // dropped) and, with `timerMs`, a timer ticking that often.
  void startSession(const std::string& script, uint32_t timerMs = 0) {
    FrameworkTest::startSession(script);
    if (timerMs > 0) backend_->startTimer(timerMs);
  }

  // A 24-bit bitmap whose pixel (x, y) (y from the top) is colour(x, y) as 0xRRGGBB.
  static std::string bitmap(int width, int height,
                            const std::function<uint32_t(int, int)>& colour) {
    std::vector<std::vector<image_test::Colour>> rows(height);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        uint32_t c = colour(x, y);
        rows[y].push_back(
            {static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8), static_cast<uint8_t>(c)});
      }
    }
    return image_test::bitmap24(rows);
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
  // How many pixels of the rectangle differ from `colour`.
  int differing(int left, int top, int right, int bottom, uint32_t colour) {
    int count = 0;
    for (int y = top; y < bottom; ++y) {
      for (int x = left; x < right; ++x) count += pixel(x, y) != colour ? 1 : 0;
    }
    return count;
  }
  bool all(int left, int top, int right, int bottom, uint32_t colour) {
    return differing(left, top, right, bottom, colour) == 0;
  }

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
};

// The plain colour of forms without a background image, as 0xRRGGBB.
constexpr uint32_t kFormColour = 0xC8D0D8;
