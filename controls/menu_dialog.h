// The menu dialog: a pop-up that runs a menu table modally through a "Menu" control,
// with sub-menus as nested pop-ups of its own class; and the functions that run one.
#pragma once

#include "controls/standard_form.h"

class tqvMenuControl;

// Who opened a pop-up menu: a menu bar or menu on a form, or the menu of the pop-up
// under it.
class tqvMenuOpener {
 public:
  virtual ~tqvMenuOpener() = default;
  // Whether the pointer at (x, y) (media coordinates), outside the pop-up, is over
  // another item of the opener or of the openers below it: the pop-up then closes and
  // hands the pointer back.
  virtual bool claimsPointer(TQVINT x, TQVINT y) = 0;
};

// How a pop-up menu ended.
struct tqvMenuOutcome {
  enum class End {
    Cancelled,  // Esc, or the dialog ended without a choice
    Chosen,     // `result` holds the choice
    Left,       // Left in a sub-menu or in a menu of a bar
    Right,      // Right on an item without sub-menu in a menu of a bar
    Pointer,    // the mouse outside at (x, y): a click, or a move onto the opener
  };
  End end = End::Cancelled;
  tqvHandle result;
  TQVINT x = 0;
  TQVINT y = 0;
  bool clicked = false;
};

// Where and how a pop-up opens (media coordinates).
struct tqvMenuPlacement {
  enum class Side {
    Default,  // the menu table's "Origin X" and "Origin Y", else at the mouse
    At,       // top-left corner at (left, top)
    Below,    // under the rectangle, else above it
    Beside,   // right of the rectangle, else left of it
  };
  Side side = Side::Default;
  TQVINT left = 0;
  TQVINT top = 0;
  TQVINT right = 0;
  TQVINT bottom = 0;
  bool keyboard = false;  // opened by a key: the first usable item is highlighted
  bool fromBar = false;   // Left and Right step across the menu bar under it
  TQVINT depth = 0;       // 0 for a menu, 1 for its sub-menu, ...
  tqvMenuOpener* opener = nullptr;
  // The font and colours of the opener (a table of the menu style keys), for the keys
  // the dialog's own definition does not give.
  tqvHandle style;
};

// Sub-menus open at most this deep.
constexpr TQVINT TQV_MENU_MAX_DEPTH = 16;

// The dialog class of pop-up menus ("tqvMenuDialogObject"). Opened with a menu table (a
// table, a reference or a resource name) as its data, it sizes itself to the menu's items
// and sets its own "Width", "Height", "Origin X" and "Origin Y", keeps inside the media
// area, shows one "Menu" control (named "Menu") that fills it, and ends with the result
// table of the choice, or nil. Its definition may give the menu's "Font", "Bold",
// "Background Color", "Foreground Color", "Highlight Color" and "Highlight Text Color";
// the menu table's "Image" is drawn under the items. Application menu dialogs derive
// from it.
class tqvMenuDialogObject : public tqvStandardDialog {
 public:
  explicit tqvMenuDialogObject(const tqvHandle& definition = tqvHandle());
  ~tqvMenuDialogObject() override;

  std::string_view className() const override { return "tqvMenuDialogObject"; }
  tqvHandle makeInstance(const tqvHandle& definition) override;

  // Opens without the standard forms' fade.
  void open(const tqvHandle& data) override;
  // Forgets the placement: the next opening without one is placed by its menu table.
  void close() override;
  // The control list is the menu control alone.
  void buildControls() override;
  // A click outside ends the menu with the pointer outcome.
  void mouseDown(TQVINT x, TQVINT y, TQVINT modifiers, TQVINT clicks) override;
  // The pointer highlights the item under it; outside, over another item of the opener,
  // it ends the menu.
  void mouseMove(TQVINT x, TQVINT y, TQVINT modifiers) override;
  // Esc ends the menu without a choice; other keys go to the menu control.
  void keyDown(TQVINT key, TQVINT modifiers) override;

  // Set before opening; kept until the dialog closes.
  void setPlacement(const tqvMenuPlacement& placement) { placement_ = placement; }
  const tqvMenuPlacement& placement() const { return placement_; }
  // Ends the menu with `outcome` (its result becomes the dialog's result).
  void finish(const tqvMenuOutcome& outcome);
  // How the last run ended.
  const tqvMenuOutcome& outcome() const { return outcome_; }
  // The menu table being run (nil when the data named none) and its control.
  const tqvHandle& menu() const { return menu_; }
  const tqvHandle& menuControl() const { return control_; }

 private:
  // The top-left corner for a pop-up of that size.
  void place(TQVINT width, TQVINT height, TQVINT& x, TQVINT& y);

  tqvMenuPlacement placement_;
  tqvMenuOutcome outcome_;
  tqvHandle menu_;
  tqvHandle control_;
};

// The menu dialog of a form value, or null.
tqvMenuDialogObject* tqvAsMenuDialog(const tqvHandle& form);

// Runs a menu table (a table, a reference or a resource name) as a modal pop-up in the
// dialog named `dialogName` (code page 1252), else in the one the table's "DlgName"
// names, else in a new tqvMenuDialogObject (named "tqvMenuDialogObject"). It opens at the
// table's "Origin X" and "Origin Y" (unless its "UseDefaultPosition" is true), else at
// the mouse. Returns the result table of the choice, or nil. A dialog name that finds
// no form reports "Cannot find menu dialog named '" + name + "'" and gives nil; a dialog
// that is not a menu dialog is run with the table as its data and its result returned.
tqvHandle tqvRunMenu(const tqvHandle& menu, const tqvHandle& dialogName = tqvHandle());
// tqvRunMenu with the pop-up's top-left corner at (x, y), moved to keep it inside the
// media area.
tqvHandle tqvRunMenuAt(const tqvHandle& menu, const tqvHandle& dialogName, TQVINT x, TQVINT y);

// Runs a pop-up as tqvRunMenu does, with a placement, and tells how it ended. `dialog`
// is a form value, a dialog name or nil; a dialog already open runs as a new one of its
// class on a copy of its definition.
tqvMenuOutcome tqvRunPopUpMenu(const tqvHandle& menu, const tqvHandle& dialog,
                               const tqvMenuPlacement& placement);
