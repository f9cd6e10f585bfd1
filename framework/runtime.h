// The program's state in one place: identity, configuration, globals, navigation, the
// active form, the event queue, the cursor and the services of the libraries above the
// framework. A tqvProgram (program.h) makes it, makes it current and tears it down; the
// rest of the framework reads and writes state only through it.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "framework/event.h"
#include "platform/platform.h"
#include "values/handle.h"

class tqvEventQueue;
class tqvEventSource;
class tqvServiceSet;

// What the framework asks of the running application object: to take every event of the
// main loop and of modal loops, and to show a form (a triggered control's "Target Form").
class tqvAppInterface {
 public:
  virtual ~tqvAppInterface() = default;
  // Returns false only when the event ends the loop (an agreed Quit).
  virtual bool HandleEvent(const tqvEvent& event) = 0;
  virtual void ShowForm(const tqvHandle& target, const tqvHandle& data, bool recordHistory) = 0;
};

// State that a library above the framework keeps for the whole run (the print jobs);
// released when the program ends, before the services and the window go.
class tqvRuntimePart {
 public:
  virtual ~tqvRuntimePart() = default;
};
// Prints what a control shows (a text view's "Print"), with a table of print settings;
// installed by the print library. Returns true when the pages were printed.
using tqvControlPrinter = bool (*)(const tqvHandle& control, const tqvHandle& data);

// Environment keys and values (code page 1252) given on the command line.
using tqvSettingList = std::vector<std::pair<tqvHandle, tqvHandle>>;
// Makes a form or dialog of a class that is not registered.
using tqvFormMaker = tqvHandle (*)(const tqvHandle& definition);
// The prototype of a built-in control class by name, or nil.
using tqvPrototypeFor = tqvHandle (*)(std::string_view name);

struct tqvRuntime {
  tqvRuntime();
  ~tqvRuntime();
  tqvRuntime(const tqvRuntime&) = delete;
  tqvRuntime& operator=(const tqvRuntime&) = delete;

  // Title, version and product abbreviation of the application, and the directory of
  // the executable (code page 1252; nil until set).
  tqvHandle title;
  tqvHandle version;
  tqvHandle abbreviation;
  tqvHandle programDirectory;
  // Stored into the environment by Run after the registry and the INI file.
  tqvSettingList commandLineSettings;
  // The platform back end; null for parts that run without a window.
  tqvPlatform::Backend* backend = nullptr;

  // The configuration table (string keys, string or boolean values) and the globals
  // table ("Classes" holds the class registry); both exist from the start.
  tqvHandle environment;
  tqvHandle globals;
  // The list of visited (name, state) entries, nil until the first one, and the
  // navigation record behind GoBack and GoForward, made on first use.
  tqvHandle history;
  tqvHandle navigation;
  // The form that receives input (the top dialog while one runs), the forms under the
  // dialogs that run (bottom first), and the main window.
  tqvHandle activeForm;
  std::vector<tqvHandle> formsUnderDialogs;
  tqvHandle mainWindow;
  // The application object (owned: the program deletes it at the end).
  tqvAppInterface* application = nullptr;

  // The event queue (made by the first get event), where window input comes from, and
  // the quit flag that ends the main loop and modal loops.
  std::unique_ptr<tqvEventQueue> queue;
  tqvEventSource* eventSource = nullptr;
  bool quit = false;
  // The framework cursor shown over the window (nil: the arrow).
  tqvHandle cursor;

  // Resources, drawing, sound and help, as installed by the media library; the
  // framework's own until then.
  std::unique_ptr<tqvServiceSet> services;
  // Makers of forms and dialogs whose class is not registered (null: the plain classes).
  tqvFormMaker formMaker = nullptr;
  tqvFormMaker dialogMaker = nullptr;
  // The built-in control classes that the standard application registers (null: none).
  tqvPrototypeFor controlPrototypes = nullptr;
  // The printer choice and the job in progress (made by the print library on first use),
  // and how controls print their content (null: they cannot).
  std::unique_ptr<tqvRuntimePart> printing;
  tqvControlPrinter printControl = nullptr;
};

// The current program's state, or null outside a program.
tqvRuntime* tqvCurrentRuntime();
// Makes `runtime` current (null for none) and returns the one that was; used by
// tqvProgram only.
tqvRuntime* tqvSetCurrentRuntime(tqvRuntime* runtime);

// Reads of the current runtime; nil, "" or null outside a program.
const tqvHandle& tqvAppTitle();
const tqvHandle& tqvAppVersion();
const tqvHandle& tqvAppAbbreviation();
const tqvHandle& tqvProgramDirectory();
tqvPlatform::Backend* tqvBackend();
// The active form (the top dialog while one runs), or nil.
const tqvHandle& tqvActiveForm();

// Milliseconds from the back end's clock (virtual in headless sessions); without a back
// end, from a steady clock started at the first call.
uint32_t tqvTickCount();
