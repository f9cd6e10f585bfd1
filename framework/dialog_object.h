// Dialogs: forms drawn over the screen and run modally. A dialog saves what lies under
// its rectangle and puts it back when it closes; it can be dragged by its "Drag Rect",
// ends on Esc or on a control whose "Action" is "close", and beeps at clicks outside.
#pragma once

#include "framework/form_object.h"

class tqvDialogObject : public tqvFormObject {
 public:
  explicit tqvDialogObject(const tqvHandle& definition = tqvHandle());
  ~tqvDialogObject() override;

  std::string_view className() const override { return "tqvDialogObject"; }
  tqvHandle makeInstance(const tqvHandle& definition) override;

  // What run dialog returns: the value given to setResult, nil by default.
  virtual tqvHandle result() { return result_; }
  // Sets the ended flag: the dialog's loop stops after the current event.
  void end() { ended_ = true; }
  // Moves the dialog with the mouse until the button is released, keeping it inside
  // the media area; (x, y) is where the press was, in media coordinates.
  void drag(TQVINT x, TQVINT y);

  // Loads resources and controls, takes its size from the background image (else
  // "Width" and "Height") and its origin, makes its origin the drawing origin, saves
  // the part of the screen under it that lies in the media area, drops pending mouse
  // input, draws and activates.
  void open(const tqvHandle& data) override;
  // Deactivates, puts the saved screen back, unloads resources and restores the
  // previous drawing origin. Closing a dialog that is not open does nothing.
  void close() override;
  void draw() override;
  // Inside: drags by "Drag Rect", else as a form. Outside: plays "Dialog Beep Sound".
  void mouseDown(TQVINT x, TQVINT y, TQVINT modifiers, TQVINT clicks) override;
  // Esc ends the dialog; other keys as a form.
  void keyDown(TQVINT key, TQVINT modifiers) override;
  // A control whose "Action" is "close" ends the dialog.
  void controlTriggered(const tqvHandle& control) override;

  // Saves what lies under the dialog once more (after the screen was drawn again).
  void saveScreenAgain() { saveScreen(originX_, originY_); }

  bool ended() const { return ended_; }
  void setResult(const tqvHandle& value) { result_ = value; }
  const tqvHandle& savedScreen() const { return savedScreen_; }

 protected:
  // The dialog rectangle contains the point (media coordinates).
  bool containsPoint(TQVINT x, TQVINT y);

 private:
  // Saves what lies under the dialog at (left, top), clipped to the media area.
  void saveScreen(TQVINT left, TQVINT top);
  // Draws the saved screen back where it was taken.
  void restoreScreen();

  tqvHandle savedScreen_;
  TQVINT savedLeft_ = 0;
  TQVINT savedTop_ = 0;
  TQVINT savedOriginX_ = 0;
  TQVINT savedOriginY_ = 0;
  bool ended_ = false;
  tqvHandle result_;
};

// The dialog object of a value of type code 23 when it is a dialog, else null.
tqvDialogObject* tqvAsDialog(const tqvHandle& form);

// Key code of Esc.
constexpr TQVINT TQV_KEY_ESCAPE = 27;
