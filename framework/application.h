// The application object: its environment, globals, main window and active form, the
// life cycle (Run) and the dispatch of events to its operations.
#pragma once

#include <string_view>

#include "framework/event.h"
#include "framework/form_interface.h"
#include "values/handle.h"

class tqvApplication {
 public:
  // Becomes the current application (see tqvInstallApplication). `arguments` is the
  // list of command-line words.
  explicit tqvApplication(const tqvHandle& arguments = tqvHandle());
  virtual ~tqvApplication();
  tqvApplication(const tqvApplication&) = delete;
  tqvApplication& operator=(const tqvApplication&) = delete;

  // The whole life cycle: clears the quit flag; reads the registry key and the
  // "TQVENVIRONMENT" section of "<abbreviation>.ini" in the program directory into the
  // environment, then the command-line settings; fills whichever of "CDROMPATH" and
  // "SourceDisk" is missing from the other; builds the resource types; creates the main
  // window (which posts Start); Initialize; shows the window; runs the main loop until
  // HandleEvent returns false or the quit flag is set; Terminate; releases media, resets
  // the cursor and destroys the window. When the window cannot be made, Run reports it
  // and returns.
  virtual void Run();
  // Calls the operation that the event's type names; returns false only for a Quit
  // event whose Quit returned true.
  virtual bool HandleEvent(const tqvEvent& event);

  virtual void Initialize() {}
  // Opens the form named by "StartupForm" ("startup.frm" when absent) with nil data.
  virtual void Start();
  // Asks the active form to close; returns true (quitting is agreed).
  virtual bool Quit();
  virtual void Terminate() {}
  // Resets the cursor to the default cursor, then forwards to the active form.
  virtual void Activate();
  virtual void Deactivate();
  // Forwards; without an active form, resets the cursor to the default cursor.
  virtual void MouseMove(TQVINT x, TQVINT y, TQVINT modifiers);
  virtual void MouseDown(TQVINT x, TQVINT y, TQVINT modifiers, TQVINT clicks);
  virtual void MouseDrag(TQVINT x, TQVINT y, TQVINT modifiers);
  virtual void MouseUp(TQVINT x, TQVINT y, TQVINT modifiers);
  virtual void KeyDown(TQVINT key, TQVINT modifiers);
  virtual void KeyUp(TQVINT key, TQVINT modifiers);
  virtual void Timer();
  virtual void Inactivity();
  virtual void Notify(const tqvHandle& target, const tqvHandle& word);
  virtual void Reserved(TQVINT modifiers);
  // Ignored by the base class.
  virtual void UserMessage(TQVINT word, const tqvHandle& data) {}
  virtual void NativeMessage(const tqvHandle& data) {}

  // The four fields the rest of the framework relies on.
  const tqvHandle& globals() const { return globals_; }
  const tqvHandle& environment() const { return environment_; }
  const tqvHandle& mainWindow() const { return mainWindow_; }
  const tqvHandle& activeForm() const { return activeForm_; }
  void setActiveForm(const tqvHandle& form) { activeForm_ = form; }
  // Run makes the window itself; tools and tests that draw without running set one.
  void setMainWindow(const tqvHandle& window) { mainWindow_ = window; }
  // The active form's object, or null.
  tqvFormInterface* form() const { return tqvAsForm(activeForm_); }

  const tqvHandle& arguments() const { return arguments_; }

  // The history of visited forms (a list of (name, state) entries, nil until the first
  // entry) and the navigation record behind GoBack and GoForward (made on first use).
  const tqvHandle& history() const { return history_; }
  void setHistory(const tqvHandle& history) { history_ = history; }
  const tqvHandle& navigationRecord();
  void setNavigationRecord(const tqvHandle& record) { navigation_ = record; }

  // Store into this application's tables, creating them on first use.
  void setEnvironment(std::string_view key, const tqvHandle& value);
  void setGlobal(std::string_view name, const tqvHandle& value);
  void setGlobal(const tqvHandle& key, const tqvHandle& value);
  // Creates the environment table when there is none yet.
  void ensureEnvironment();

 private:
  void readRegistry();
  void readIniFile();
  void applyCommandLineSettings();
  void mirrorDiscKeys();

  tqvHandle globals_;
  tqvHandle environment_;
  tqvHandle mainWindow_;
  tqvHandle activeForm_;
  tqvHandle arguments_;
  tqvHandle history_;
  tqvHandle navigation_;
};

// Makes `app` the current application and gives it an environment if it has none.
void tqvInstallApplication(tqvApplication* app);
// The current application, or null.
tqvApplication* tqvCurrentApplication();
