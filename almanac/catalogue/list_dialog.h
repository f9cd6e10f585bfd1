// The list dialogs ("ListasDlg", run as "VerbetesDlg", "MidiasDlg", "AtlasDlg",
// "RetroDlg"): an alphabetical index of one family. The dialog's "LXListBox" named
// "Lista" shows every item of its family's name list (its "dbID"), sorted by display
// name, unless the screen gives a "List" of its own; letters jump to the next name that
// begins with them. A double click, Enter or "Ok" ends it with the chosen item's name
// ("Text") and identifier ("Index"); "Cancelar" and "Fechar" end it with nothing.
#pragma once

#include "controls/standard_form.h"

class ListasDlg : public tqvStandardDialog {
 public:
  using tqvStandardDialog::tqvStandardDialog;
  std::string_view className() const override { return "ListasDlg"; }
  tqvHandle makeInstance(const tqvHandle& definition) override;
  tqvHandle perform(const tqvHandle& action, const tqvHandle& data) override;

 protected:
  void afterOpen() override;

 private:
  void choose();
};

// The identifiers of the kind's name list, ordered by their display names in dictionary
// order without accents and capitals (which decide only between names otherwise equal);
// nil when the kind has no name list.
tqvHandle lxAlphabeticalItems(TQVINT kind);
