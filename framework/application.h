// The application object: the life cycle (Run) and the dispatch of events to its
// operations, over the program's state in the runtime (environment, globals, main
// window, active form, history).
#pragma once

#include <string_view>

#include "framework/event.h"
#include "framework/form_object.h"
#include "framework/runtime.h"
#include "values/handle.h"

class tqvApplication : public tqvAppInterface {
 public:
  // Becomes the runtime's application, which the program deletes at its end. Needs a
  // current runtime. `arguments` is the list of command-line words.
  explicit tqvApplication(const tqvHandle& arguments = tqvHandle());
  ~tqvApplication() override;
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
  bool HandleEvent(const tqvEvent& event) override;
  // Shows the form through the framework's show form (forms.h).
  void ShowForm(const tqvHandle& target, const tqvHandle& data, bool recordHistory) override;

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
  // The mouse wheel turned `notches` (positive: toward the user) with the mouse at (x, y).
  virtual void MouseWheel(TQVINT x, TQVINT y, TQVINT notches, TQVINT modifiers);
  virtual void KeyDown(TQVINT key, TQVINT modifiers);
  virtual void KeyUp(TQVINT key, TQVINT modifiers);
  virtual void Timer();
  virtual void Inactivity();
  virtual void Notify(const tqvHandle& target, const tqvHandle& word);
  virtual void Reserved(TQVINT modifiers);
  // Ignored by the base class.
  virtual void UserMessage(TQVINT word, const tqvHandle& data) {}
  virtual void NativeMessage(const tqvHandle& data) {}

  // The program's state, held by the runtime.
  const tqvHandle& globals() const { return runtime_.globals; }
  const tqvHandle& environment() const { return runtime_.environment; }
  const tqvHandle& mainWindow() const { return runtime_.mainWindow; }
  const tqvHandle& activeForm() const { return runtime_.activeForm; }
  void setActiveForm(const tqvHandle& form) { runtime_.activeForm = form; }
  // Run makes the window itself; tools and tests that draw without running set one.
  void setMainWindow(const tqvHandle& window) { runtime_.mainWindow = window; }
  // The active form's object, or null.
  tqvFormObject* form() const { return tqvAsFormObject(runtime_.activeForm); }
  const tqvHandle& history() const { return runtime_.history; }

  const tqvHandle& arguments() const { return arguments_; }

  // Store into the environment and the globals.
  void setEnvironment(std::string_view key, const tqvHandle& value);
  void setGlobal(std::string_view name, const tqvHandle& value);
  void setGlobal(const tqvHandle& key, const tqvHandle& value);

 private:
  void readRegistry();
  void readIniFile();
  void applyCommandLineSettings();
  void mirrorDiscKeys();

  tqvRuntime& runtime_;
  tqvHandle arguments_;
};

// Makes `app` the runtime's application.
void tqvInstallApplication(tqvApplication* app);
// The runtime's application, or null.
tqvApplication* tqvCurrentApplication();
