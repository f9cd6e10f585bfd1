// The main window over the back end.
#include "framework/app_window.h"

#include <string>

#include "framework/environment.h"
#include "framework/events.h"
#include "framework/runtime.h"
#include "framework/services.h"
#include "platform/process.h"
#include "values/cp1252.h"
#include "values/error.h"
#include "values/string.h"

tqvAppWindow::tqvAppWindow(tqvPlatform::Backend* backend)
    : backend_(backend),
      input_([backend] { return backend->now(); },
             [backend](bool on) { backend->captureMouse(on); }) {}

tqvHandle tqvAppWindow::create(const tqvHandle& title) {
  tqvPlatform::Backend* backend = tqvBackend();
  std::string reason = "there is no display back end";
  if (backend != nullptr) {
    tqvPlatform::WindowSetup setup;
    setup.title = tqvCp1252ToUtf8(tqvStringView(title));
    setup.mediaWidth = tqvMediaWidth();
    setup.mediaHeight = tqvMediaHeight();
    setup.maximize = tqvGetEnvironmentBoolean("MaximizeWindow", false);
    if (backend->openWindow(setup, reason)) {
      auto* window = new tqvAppWindow(backend);
      tqvHandle handle = tqvHandle::wrap(window, TQV_MAIN_WINDOW_TYPE);
      window->open_ = true;
      window->mediaWidth_ = setup.mediaWidth;
      window->mediaHeight_ = setup.mediaHeight;
      tqvSetEventSource(window);
      tqvServices().windowOpened(setup.mediaWidth, setup.mediaHeight, backend->picture().scale);
      tqvPostEvent(tqvMakeEvent(TQV_START_EVENT));
      return handle;
    }
  }
  tqvPlatform::debugOutput(reason + "\n");
  tqvError("Cannot create window: " + std::string(tqvStringView(title)));
  return tqvHandle();
}

tqvAppWindow::~tqvAppWindow() {
  destroy();
}

void tqvAppWindow::show() {
  if (open_) backend_->showWindow();
}

void tqvAppWindow::destroy() {
  if (tqvCurrentEventSource() == this) tqvSetEventSource(nullptr);
  if (!open_) return;
  open_ = false;
  tqvServices().windowClosed();
  backend_->closeWindow();
}

bool tqvAppWindow::pumpInput(TQVINT maxWaitMs) {
  if (!open_) return false;
  tqvPlatform::InputEvent event;
  if (!backend_->nextInput(event, maxWaitMs)) return false;
  if (event.type == tqvPlatform::InputEvent::Type::ScaleChanged) {
    tqvServices().windowScaleChanged(backend_->picture().scale);
  } else {
    input_.handle(event);
  }
  return true;
}

tqvPlatform::Picture tqvAppWindow::picture() {
  return open_ ? backend_->picture() : tqvPlatform::Picture{};
}

void tqvAppWindow::invalidate() {
  if (open_) backend_->invalidate();
}

tqvAppWindow* tqvAsAppWindow(const tqvHandle& window) {
  return window.is(TQV_MAIN_WINDOW_TYPE) ? dynamic_cast<tqvAppWindow*>(window.object()) : nullptr;
}

tqvAppWindow* tqvMainWindow() {
  tqvRuntime* runtime = tqvCurrentRuntime();
  return runtime != nullptr ? tqvAsAppWindow(runtime->mainWindow) : nullptr;
}
