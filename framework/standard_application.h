// The standard application: environment defaults, cursors, start-up and shutdown steps
// shared by every program on the framework, and Alt+F4.
#pragma once

#include "framework/application.h"

class tqvStandardApplication : public tqvApplication {
 public:
  // Sets the environment defaults, registers the runtime's built-in control classes,
  // stores the cursors "HandCursor" and "KeyCursor" in the globals and shows the arrow
  // cursor.
  explicit tqvStandardApplication(const tqvHandle& arguments = tqvHandle());

  // Wait cursor; saves the output volume; with "FullInstall" true, "ResourcePath"
  // becomes the program directory joined with "MediaPath"; copies the compiled table
  // "global" into the globals; arrow cursor.
  void Initialize() override;
  // Shows the arrow cursor (unless skipping); the program's own class opens its first
  // form.
  void Start() override;
  bool Quit() override { return true; }
  // Asks the active form to close; unless skipping, closes the help viewer and puts the
  // saved wave-out volume back.
  void Terminate() override;
  // Alt+F4 posts the quit request; every key is then forwarded as usual.
  void KeyDown(TQVINT key, TQVINT modifiers) override;

  // While set, Start and Terminate leave out their optional steps.
  bool skip() const { return skip_; }
  void setSkip(bool skip) { skip_ = skip; }
  TQVINT savedVolume() const { return savedVolume_; }

 private:
  bool skip_ = false;
  TQVINT savedVolume_ = -1;  // -1: not known
};

// The cursor resource numbers of the standard cursors and of the window icon.
enum : TQVINT {
  TQV_HAND_CURSOR_RESOURCE = 102,
  TQV_KEY_CURSOR_RESOURCE = 104,
  TQV_ICON_RESOURCE = 101
};
