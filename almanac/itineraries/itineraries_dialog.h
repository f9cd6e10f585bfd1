// The itineraries editor ("VBCRDialog"), opened from the viewer's bookmarks menu with the
// entry on show ("VerbID", "VerbTit") or from the search dialog with the identifiers of
// its results ("NewRoteiro"). The list box "Roteiros" shows the itineraries' names, the
// list box "Verbetes" the entries of the selected one; "Incluir Roteiro" asks for a name
// (NomeRoteiroDlg) and adds a new itinerary, holding the search's results when the dialog
// was opened with some (their name is asked for as soon as the dialog opens); "Excluir Roteiro"
// removes the selected one; "Incluir Verbete" adds the entry on show, "Excluir Verbete" removes the
// selected entry. "Ok" writes "RotPesq.DTT" and closes; "Cancelar" and "Fechar" close and keep the
// file as it was.
//
// The name dialog ("NomeRoteiroDlg") has the edit field "Nome"; "Fechar" (or Enter in
// the field) ends it with the trimmed name, "Cancelar" with nil. Opened with the names
// in use ("Roteiros"), it refuses an empty name or one already in use with a message
// and stays open.
#pragma once

#include <string>
#include <vector>

#include "almanac/itineraries/itinerary_store.h"
#include "controls/standard_form.h"

class VBCRDialog : public tqvStandardDialog {
 public:
  using tqvStandardDialog::tqvStandardDialog;
  std::string_view className() const override { return "VBCRDialog"; }
  tqvHandle makeInstance(const tqvHandle& definition) override;
  void open(const tqvHandle& data) override;
  tqvHandle perform(const tqvHandle& action, const tqvHandle& data) override;

 protected:
  void afterOpen() override;

 private:
  // The selected itinerary, or null.
  lxItinerary* selected();
  void select(TQVINT index);
  void showEntries();
  void refreshButtons();
  void showNote();
  void addItinerary();
  void removeItinerary();
  void addEntry();
  void removeEntry();
  void save();

  lxItineraries itineraries_;
  TQVINT selected_ = -1;
  TQVINT entryId_ = 0;  // the entry on show (low 16 bits), 0 for none
  std::string entryTitle_;
  std::vector<TQVINT> newEntries_;  // a search's results, waiting for a name
  std::string namedSearch_;         // the name they were given
  bool damaged_ = false;
};

class NomeRoteiroDlg : public tqvStandardDialog {
 public:
  using tqvStandardDialog::tqvStandardDialog;
  std::string_view className() const override { return "NomeRoteiroDlg"; }
  tqvHandle makeInstance(const tqvHandle& definition) override;
  void open(const tqvHandle& data) override;
  tqvHandle perform(const tqvHandle& action, const tqvHandle& data) override;

 private:
  void accept();

  lxItineraries inUse_;  // names only
};

// The message shown for a refused name (UTF-8), or nullptr when the name is fine.
const char* lxNameProblemMessage(lxNameProblem problem);
