// The almanac's section screens: the form class with the menu bar (main screen, section
// menu, search, bookmarks, back, history, Internet, help, minimise, quit), the two-level
// category navigation, the keyboard of every section screen, and the history text each
// screen enters the history with.
#pragma once

#include <string>

#include "controls/standard_form.h"

class BarraMenuForm : public tqvStandardForm {
 public:
  // `historyText` (UTF-8) is what the history list shows for screens of this class.
  explicit BarraMenuForm(const tqvHandle& definition = tqvHandle(),
                         std::string_view className = "BarraMenuForm",
                         std::string_view historyText = "");
  std::string_view className() const override { return className_; }
  tqvHandle makeInstance(const tqvHandle& definition) override;

  // The menu bar's actions, by the name of the control; the rest go to the standard form.
  tqvHandle perform(const tqvHandle& action, const tqvHandle& data) override;
  // Reads the sub-menu tree and this screen's entry in it, and enables "Lista de
  // Marcados" in the pop-up menu only when there are bookmarks.
  void open(const tqvHandle& data) override;
  // Alt+Left or Backspace back, Alt+Right forward, Ctrl+F search, Ctrl+P and Ctrl+C the
  // screen's "Imprimir" and "Copiar"; the rest as a standard form.
  void keyDown(TQVINT key, TQVINT modifiers) override;
  // A table with "History Text".
  tqvHandle historyState() override;

  // Filled by the entry viewer; the itineraries item of the bookmarks menu sends them.
  TQVINT currentEntryId = 0;
  tqvHandle currentEntryTitle;
  // Sent as "SCatID" by the category navigation.
  TQVINT currentCategoryId = 0;

 protected:
  // The text this screen enters the history with (code page 1252).
  virtual tqvHandle historyText();
  // Goes to the form `name` with `parameters` (nil for none).
  void goTo(std::string_view name, const tqvHandle& parameters = tqvHandle());
  // Performs `action` on the control named `name` when the form has one; false otherwise.
  bool performOnControl(const char* name, const char* action);
  // A choice from the bookmarks menu: "Roteiros" runs the itineraries dialog; a choice
  // of the marked entries opens the entry viewer on them. "Marcar" and "Desmarcar"
  // belong to the entry viewer and do nothing elsewhere.
  virtual void itineraries(const tqvHandle& choice);

 private:
  void sectionMenu();
  void search();
  void bookmarksMenu();
  void historyDialog();
  void internetMenu();
  void helpMenu();
  void mainCategories();
  void subCategories();
  void categoryItems();

  std::string className_;
  std::string historyText_;
  tqvHandle subMenus_;
  tqvHandle subMenuKey_;
  tqvHandle currentSubMenu_;
};

// The main screen: its buttons open the section homes.
class MainForm : public BarraMenuForm {
 public:
  explicit MainForm(const tqvHandle& definition = tqvHandle());
  tqvHandle makeInstance(const tqvHandle& definition) override;
  tqvHandle perform(const tqvHandle& action, const tqvHandle& data) override;
};

// The history text of the main screen (UTF-8), which start-up also puts first in the
// history when the introduction plays.
constexpr const char* kMainScreenHistoryText = "Tela inicial do Zazuzadov Lumbra";

// Where the menu bar leads, for the disc builder's check that every screen a user can
// reach is on the disc: the form a section menu label (code page 1252), a main screen
// button or a help menu label opens, or nullptr.
const char* lxSectionMenuTarget(std::string_view label);
const char* lxMainButtonTarget(std::string_view button);
const char* lxHelpMenuTarget(std::string_view label);

// Opens `address` in the desktop's web browser; without one, shows the resource string
// "MsgNoBrowserInstalled". Returns whether a browser took it.
bool lxOpenWebAddress(const tqvHandle& address);
