// Test helper for forms and controls without the media library: an application with the
// framework's codecs, a screen that records what forms ask of it, stand-ins for images,
// references and sounds, and forms and controls that record what happens to them.
#pragma once

#include <string>
#include <vector>

#include "framework/app_window.h"
#include "framework/application.h"
#include "framework/control_object.h"
#include "framework/dialog_object.h"
#include "framework/events.h"
#include "framework/forms.h"
#include "framework/services.h"
#include "storage/notation.h"
#include "tests/framework/framework_fixture.h"
#include "values/generic.h"
#include "values/list.h"
#include "values/region.h"
#include "values/string.h"
#include "values/table.h"

using Log = std::vector<std::string>;

// An image of a given size (only its size is ever asked for).
class FakeImage : public tqvObject {
 public:
  FakeImage(TQVINT width, TQVINT height) : width_(width), height_(height) {}
  bool opGeometry(tqvGeometry which, TQVINT& result) override {
    result = which == tqvGeometry::Width ? width_ : which == tqvGeometry::Height ? height_ : 0;
    return true;
  }

 private:
  TQVINT width_, height_;
};
inline tqvHandle fakeImage(TQVINT width, TQVINT height) {
  return tqvHandle::wrap(new FakeImage(width, height), TQV_IMAGE_TYPE);
}

// A resource reference by name, looked up when it is followed.
class NamedReference : public tqvObject {
 public:
  explicit NamedReference(tqvHandle name) : name_(std::move(name)) {}
  tqvHandle referenceTarget() override { return tqvServices().resolve(name_); }

 private:
  tqvHandle name_;
};
inline tqvHandle namedReference(const std::string& name) {
  return tqvHandle::wrap(new NamedReference(tqvMakeString(name)), TQV_REFERENCE_TYPE);
}

// A screen that writes every request into a log. A capture is a rectangle region
// standing for the saved pixels, so that drawing it back names where it came from.
class RecordingScreen : public tqvServiceSet {
 public:
  Log log;
  void setBackdrop(const tqvHandle& image) override { log.push_back("backdrop"); }
  void drawImage(const tqvHandle& image, TQVINT x, TQVINT y, const tqvHandle& mask) override {
    std::string what = "image";
    if (tqvRegionObject* r = tqvAsRegion(image)) {
      what = "saved " + rect(r->left(), r->top(), r->right(), r->bottom());
    }
    log.push_back("draw " + what + " at " + std::to_string(x) + " " + std::to_string(y) +
                  (mask.isNil() ? "" : " masked"));
  }
  tqvHandle capture(TQVINT left, TQVINT top, TQVINT right, TQVINT bottom) override {
    log.push_back("capture " + rect(left, top, right, bottom));
    return tqvMakeRect(left, top, right, bottom);
  }
  void playSound(const tqvHandle& sound) override { log.push_back("play"); }
  bool has(const std::string& entry) const {
    for (const std::string& e : log) {
      if (e == entry) return true;
    }
    return false;
  }
  static std::string rect(TQVINT l, TQVINT t, TQVINT r, TQVINT b) {
    return std::to_string(l) + " " + std::to_string(t) + " " + std::to_string(r) + " " +
           std::to_string(b);
  }
};

// A control class that logs its operations under its "Name".
class RecordingControl : public tqvControlObject {
 public:
  explicit RecordingControl(const tqvHandle& definition, Log* log = nullptr)
      : tqvControlObject(definition), log_(log) {}
  std::string_view className() const override { return "Recorder"; }
  tqvHandle makeInstance(const tqvHandle& definition) override {
    return tqvWrapControl(new RecordingControl(definition, log_));
  }
  void attach() override { note("attach"); }
  void draw() override { note("draw"); }
  void drawHighlighted() override { note("highlight"); }
  void activate() override {
    tqvControlObject::activate();
    note("activate");
  }
  void deactivate() override {
    tqvControlObject::deactivate();
    note("deactivate");
  }
  bool keyDown(TQVINT key, TQVINT modifiers) override {
    note("key " + std::to_string(key));
    return key == '\r';
  }
  void mouseEnters(TQVINT x, TQVINT y, TQVINT) override {
    note("enters " + std::to_string(x) + " " + std::to_string(y));
  }
  void mouseLeaves(TQVINT x, TQVINT y, TQVINT) override { note("leaves"); }
  void notify(const tqvHandle& target, const tqvHandle& word) override {
    note("notify " + std::string(tqvStringView(word)));
  }

 private:
  void note(const std::string& what) {
    if (log_ != nullptr) log_->push_back(std::string(tqvStringView(property("Name"))) + " " + what);
  }
  Log* log_;
};

// A form class that logs opening, reopening, closing and triggered controls.
template <class Base>
class RecordingFormOf : public Base {
 public:
  RecordingFormOf(const tqvHandle& definition, Log* log) : Base(definition), log_(log) {}
  std::string_view className() const override { return "RecordingForm"; }
  tqvHandle makeInstance(const tqvHandle& definition) override {
    return tqvWrapForm(new RecordingFormOf(definition, log_));
  }
  void open(const tqvHandle& data) override {
    note("open", data);
    Base::open(data);
  }
  void reopen(const tqvHandle& data) override { note("reopen", data); }
  void close() override {
    if (this->isOpen()) note("close", tqvHandle());
    Base::close();
  }
  void controlTriggered(const tqvHandle& control) override {
    note("triggered " + std::string(tqvStringView(tqvGet(control, "Name"))), tqvHandle());
    Base::controlTriggered(control);
  }
  tqvHandle historyState() override { return this->property("State"); }

 private:
  void note(const std::string& what, const tqvHandle& data) {
    std::string line = std::string(tqvStringView(this->name())) + " " + what;
    if (data.is(TQV_STRING_TYPE)) line += " " + std::string(tqvStringView(data));
    if (log_ != nullptr) log_->push_back(line);
  }
  Log* log_;
};
using RecordingForm = RecordingFormOf<tqvFormObject>;
using RecordingDialog = RecordingFormOf<tqvDialogObject>;

class FormsTest : public FrameworkTest {
 public:
  void SetUp() override {
    FrameworkTest::SetUp();
    auto screen = std::make_unique<RecordingScreen>();
    screen_ = screen.get();
    runtime().services = std::move(screen);
    app_ = new tqvApplication();
  }

  // A control of the recording class, logging into `log`.
  tqvHandle recorder(const std::string& name, const tqvHandle& hotSpot) {
    tqvHandle definition = tqvTable(4);
    tqvPut(definition, "Class", S("Recorder"));
    tqvPut(definition, "Name", S(name));
    if (!hotSpot.isNil()) tqvPut(definition, "Hot Spot", hotSpot);
    return tqvWrapControl(new RecordingControl(definition, &log_));
  }
  // A form of the recording class over `definition`, named by its "Name".
  tqvHandle recordingForm(const tqvHandle& definition) {
    tqvHandle form = tqvWrapForm(new RecordingForm(definition, &log_));
    tqvAsFormObject(form)->setName(tqvGet(definition, "Name"));
    return form;
  }
  static tqvHandle listOf(std::initializer_list<tqvHandle> items) {
    tqvHandle list = tqvMakeList();
    for (const tqvHandle& item : items) tqvAddItem(list, item);
    return list;
  }

  tqvApplication* app_ = nullptr;
  RecordingScreen* screen_ = nullptr;
  Log log_;
};
