// The entries home ("VerbHForm"): "Indice" runs the alphabetical index of the entries
// ("VerbetesDlg") and "Roteiros" the itineraries ("VBDialogHF"), and the button "PopUpX"
// shows the menu of highlighted entries named by the screen's "SectionMenu" at
// "SectionNameX", "SectionNameY" over the picture "SectionName Image". What is chosen
// opens in the entry viewer.
#pragma once

#include "almanac/navigation/barra_menu_form.h"

class VerbHForm : public BarraMenuForm {
 public:
  explicit VerbHForm(const tqvHandle& definition = tqvHandle());
  tqvHandle makeInstance(const tqvHandle& definition) override;
  tqvHandle perform(const tqvHandle& action, const tqvHandle& data) override;

 private:
  void index();
  void itineraries();
  void sectionMenu();
  // Opens the viewer among all entries on the entry named `text` (with its identifier,
  // when known).
  void openEntry(const tqvHandle& text, const tqvHandle& identifier = tqvHandle());
};

// The history text of the entries home (UTF-8).
constexpr const char* kEntriesHomeHistoryText = "Tela inicial de Verbetes";

// Where a control of the entries' screens and dialogs leads (the class of the screen and
// the control's name), for the disc builder's check that every screen a user can reach is
// on the disc: the form or dialog opened, or nullptr.
const char* lxEntriesScreenLead(std::string_view klass, std::string_view control);
