// The itineraries of the entries home ("VBDialogHF"): the list box "Roteiros" shows the
// names of the itineraries kept in "RotPesq.DTT", the list box "VBListBox" the entries of
// the selected one. A double click on an entry (or "Ok") ends the dialog with what opens
// the viewer on it: "Text" (the entry's name), "Index" (its place), "BrowseList" (the
// itinerary's identifiers) and "Roteiro" (the itinerary's name). Entries the disc does not
// know are listed but left out of the browse list; choosing one opens nothing.
#pragma once

#include "almanac/itineraries/itinerary_store.h"
#include "controls/standard_form.h"

class VBDialogHF : public tqvStandardDialog {
 public:
  using tqvStandardDialog::tqvStandardDialog;
  std::string_view className() const override { return "VBDialogHF"; }
  tqvHandle makeInstance(const tqvHandle& definition) override;
  tqvHandle perform(const tqvHandle& action, const tqvHandle& data) override;

 protected:
  void afterOpen() override;

 private:
  void showEntries();
  // Ends with the viewer's parameters for entry `index` of the selected itinerary.
  void openEntry(TQVINT index);

  lxItineraries itineraries_;
  TQVINT selected_ = -1;
};

// The viewer's parameters for entry `index` of the itinerary, or nil when that entry is
// not on the disc. Entries the disc lacks are left out of the browse list.
tqvHandle lxItineraryViewerParameters(const lxItinerary& itinerary, TQVINT index);
