// The application base class: life cycle, configuration layers and event dispatch.
#include "framework/application.h"

#include <string>

#include "framework/app_window.h"
#include "framework/cursor.h"
#include "framework/environment.h"
#include "framework/events.h"
#include "framework/forms.h"
#include "framework/services.h"
#include "platform/config_files.h"
#include "platform/file_names.h"
#include "values/cp1252.h"
#include "values/generic.h"
#include "values/list.h"
#include "values/string.h"
#include "values/table.h"

namespace {

constexpr const char* kRegistryVendor = "Editora Lumbra";
constexpr const char* kIniSection = "TQVENVIRONMENT";

std::string utf8(const tqvHandle& text) {
  return tqvCp1252ToUtf8(tqvStringView(text));
}

tqvHandle fromUtf8(const std::string& text) {
  return tqvMakeString(tqvUtf8ToCp1252(text));
}

}  // namespace

void tqvInstallApplication(tqvApplication* app) {
  if (tqvRuntime* runtime = tqvCurrentRuntime()) runtime->application = app;
}

tqvApplication* tqvCurrentApplication() {
  tqvRuntime* runtime = tqvCurrentRuntime();
  return runtime != nullptr ? dynamic_cast<tqvApplication*>(runtime->application) : nullptr;
}

// Construction already needs the environment and globals (defaults, class
// registrations), so the newest application is the runtime's from the start.
tqvApplication::tqvApplication(const tqvHandle& arguments)
    : runtime_(*tqvCurrentRuntime()), arguments_(arguments) {
  runtime_.application = this;
}

tqvApplication::~tqvApplication() {
  if (tqvAppWindow* window = tqvAsAppWindow(runtime_.mainWindow)) window->destroy();
  runtime_.mainWindow = tqvHandle();
  if (runtime_.application == this) runtime_.application = nullptr;
}

void tqvApplication::setEnvironment(std::string_view key, const tqvHandle& value) {
  tqvPut(runtime_.environment, key, value);
}

void tqvApplication::setGlobal(std::string_view name, const tqvHandle& value) {
  tqvPut(runtime_.globals, name, value);
}

void tqvApplication::setGlobal(const tqvHandle& key, const tqvHandle& value) {
  tqvPut(runtime_.globals, key, value);
}

void tqvApplication::readRegistry() {
  std::string title = utf8(tqvAppTitle());
  std::string version = utf8(tqvAppVersion());
  if (title.empty()) return;
  for (const auto& [key, value] : tqvPlatform::readRegistry(kRegistryVendor, title, version)) {
    setEnvironment(tqvUtf8ToCp1252(key), fromUtf8(value));
  }
}

void tqvApplication::readIniFile() {
  if (tqvStringLength(tqvAppAbbreviation()) == 0) return;
  tqvHandle name = tqvConcat(tqvAppAbbreviation(), tqvMakeString(".ini"));
  tqvHandle path = tqvPathJoin(tqvProgramDirectory(), name);
  for (const auto& [key, value] :
       tqvPlatform::readIniSection(tqvPlatform::mapPath(utf8(path)), kIniSection)) {
    if (!value.empty()) setEnvironment(tqvUtf8ToCp1252(key), fromUtf8(value));
  }
}

void tqvApplication::applyCommandLineSettings() {
  for (const auto& [key, value] : runtime_.commandLineSettings) {
    setEnvironment(tqvStringView(key), value);
  }
}

void tqvApplication::mirrorDiscKeys() {
  bool cdrom = tqvHasEnvironment("CDROMPATH");
  bool source = tqvHasEnvironment("SourceDisk");
  if (!cdrom && source) {
    setEnvironment("CDROMPATH", tqvGetEnvironment("SourceDisk"));
  } else if (cdrom && !source) {
    setEnvironment("SourceDisk", tqvGetEnvironment("CDROMPATH"));
  }
}

void tqvApplication::Run() {
  tqvSetQuitFlag(false);
  readRegistry();
  readIniFile();
  applyCommandLineSettings();
  mirrorDiscKeys();
  runtime_.services->initResourceTypes();

  runtime_.mainWindow = tqvAppWindow::create(tqvAppTitle());
  tqvAppWindow* window = tqvAsAppWindow(runtime_.mainWindow);
  if (window == nullptr) return;  // reported; there is nothing to run
  Initialize();
  window->show();

  while (!tqvQuitFlag()) {
    if (!HandleEvent(tqvGetEvent(TQV_ALL_EVENTS, -1))) break;
  }

  Terminate();
  runtime_.services->releaseMedia();
  tqvResetCursor();
  window->destroy();
  runtime_.mainWindow = tqvHandle();
}

bool tqvApplication::HandleEvent(const tqvEvent& event) {
  switch (event.type) {
    case TQV_START_EVENT:
      Start();
      break;
    case TQV_QUIT_EVENT:
      if (Quit()) return false;
      break;
    case TQV_ACTIVATE_EVENT:
      Activate();
      break;
    case TQV_DEACTIVATE_EVENT:
      Deactivate();
      break;
    case TQV_MOUSE_MOVE_EVENT:
      MouseMove(event.x, event.y, event.modifiers);
      break;
    case TQV_MOUSE_DOWN_EVENT:
      MouseDown(event.x, event.y, event.modifiers, event.word);
      break;
    case TQV_MOUSE_DRAG_EVENT:
      MouseDrag(event.x, event.y, event.modifiers);
      break;
    case TQV_MOUSE_UP_EVENT:
      MouseUp(event.x, event.y, event.modifiers);
      break;
    case TQV_WHEEL_EVENT:
      MouseWheel(event.x, event.y, event.word, event.modifiers);
      break;
    case TQV_KEY_DOWN_EVENT:
      KeyDown(event.word, event.modifiers);
      break;
    case TQV_KEY_UP_EVENT:
      KeyUp(event.word, event.modifiers);
      break;
    case TQV_TIMER_EVENT:
      Timer();
      break;
    case TQV_INACTIVITY_EVENT:
      Inactivity();
      break;
    case TQV_NOTIFY_EVENT: {
      // data1 is the list (target word); anything shorter gives nil arguments.
      tqvListObject* list = tqvAsList(event.data1);
      tqvHandle target = list != nullptr && list->count() > 0 ? list->itemAt(0) : tqvHandle();
      tqvHandle word = list != nullptr && list->count() > 1 ? list->itemAt(1) : tqvHandle();
      Notify(target, word);
      break;
    }
    case TQV_RESERVED_EVENT:
      Reserved(event.modifiers);
      break;
    case TQV_USER_MESSAGE_EVENT:
      UserMessage(event.word, event.data1);
      break;
    case TQV_NATIVE_MESSAGE_EVENT:
      NativeMessage(event.data1);
      break;
    default:
      break;
  }
  return true;
}

void tqvApplication::ShowForm(const tqvHandle& target, const tqvHandle& data, bool recordHistory) {
  tqvShowForm(target, data, recordHistory);
}

void tqvApplication::Start() {
  tqvHandle name = tqvGetEnvironment("StartupForm", tqvMakeString("startup.frm"));
  tqvOpenFormByName(name, tqvHandle());
}

bool tqvApplication::Quit() {
  if (tqvFormObject* f = form()) f->close();
  return true;
}

void tqvApplication::Activate() {
  tqvResetCursor();
  if (tqvFormObject* f = form()) f->activate();
}

void tqvApplication::Deactivate() {
  if (tqvFormObject* f = form()) f->deactivate();
}

void tqvApplication::MouseMove(TQVINT x, TQVINT y, TQVINT modifiers) {
  if (tqvFormObject* f = form()) {
    f->mouseMove(x, y, modifiers);
  } else {
    tqvResetCursor();
  }
}

void tqvApplication::MouseDown(TQVINT x, TQVINT y, TQVINT modifiers, TQVINT clicks) {
  if (tqvFormObject* f = form()) f->mouseDown(x, y, modifiers, clicks);
}

void tqvApplication::MouseDrag(TQVINT x, TQVINT y, TQVINT modifiers) {
  if (tqvFormObject* f = form()) f->mouseDrag(x, y, modifiers);
}

void tqvApplication::MouseUp(TQVINT x, TQVINT y, TQVINT modifiers) {
  if (tqvFormObject* f = form()) f->mouseUp(x, y, modifiers);
}

void tqvApplication::MouseWheel(TQVINT x, TQVINT y, TQVINT notches, TQVINT modifiers) {
  if (tqvFormObject* f = form()) f->mouseWheel(x, y, notches, modifiers);
}

void tqvApplication::KeyDown(TQVINT key, TQVINT modifiers) {
  if (tqvFormObject* f = form()) f->keyDown(key, modifiers);
}

void tqvApplication::KeyUp(TQVINT key, TQVINT modifiers) {
  if (tqvFormObject* f = form()) f->keyUp(key, modifiers);
}

void tqvApplication::Timer() {
  if (tqvFormObject* f = form()) f->timer();
}

void tqvApplication::Inactivity() {
  if (tqvFormObject* f = form()) f->inactivity();
}

void tqvApplication::Notify(const tqvHandle& target, const tqvHandle& word) {
  if (tqvFormObject* f = form()) f->notify(target, word);
}

void tqvApplication::Reserved(TQVINT modifiers) {
  if (tqvFormObject* f = form()) f->reserved(modifiers);
}
