// The itineraries of the entries home.
#include "almanac/itineraries/itinerary_browser.h"

#include "almanac/itineraries/itinerary_lists.h"
#include "framework/message_box.h"
#include "framework/perform.h"
#include "values/convert.h"
#include "values/cp1252.h"
#include "values/generic.h"
#include "values/list.h"
#include "values/string.h"
#include "values/table.h"

namespace {

tqvHandle S(std::string_view text) {
  return tqvMakeString(text);
}

}  // namespace

tqvHandle lxItineraryViewerParameters(const lxItinerary& itinerary, TQVINT index) {
  if (index < 0 || index >= static_cast<TQVINT>(itinerary.entries.size())) return tqvHandle();
  std::vector<bool> known = lxEntriesOnDisc(itinerary.entries);
  if (!known[index]) return tqvHandle();
  tqvHandle browse = tqvMakeIntList(static_cast<TQVINT>(itinerary.entries.size()) + 4);
  TQVINT position = 0;
  for (TQVINT i = 0; i < static_cast<TQVINT>(itinerary.entries.size()); ++i) {
    if (!known[i]) continue;
    if (i == index) position = tqvCount(browse);
    tqvAsList(browse)->appendInt(itinerary.entries[i]);
  }
  tqvHandle parameters = tqvTable(8);
  tqvPut(parameters, "Text", S(lxItineraryEntryNames({itinerary.entries[index]}).front()));
  tqvPut(parameters, "Index", tqvMakeInt(position));
  tqvPut(parameters, "BrowseList", browse);
  tqvPut(parameters, "Roteiro", S(itinerary.name));
  return parameters;
}

tqvHandle VBDialogHF::makeInstance(const tqvHandle& definition) {
  return tqvWrapForm(new VBDialogHF(definition));
}

void VBDialogHF::afterOpen() {
  tqvStandardDialog::afterOpen();
  itineraries_ = lxReadItineraries();
  selected_ = itineraries_.empty() ? -1 : 0;
  tqvHandle names = findControlNamed("Roteiros");
  if (!names.isNil()) {
    tqvPerform(names, "setList", lxItineraryNameList(itineraries_));
    tqvPerform(names, "setSelection", tqvMakeInt(selected_));
  }
  tqvHandle note = findControlNamed("Aviso");
  if (!note.isNil() && itineraries_.empty()) {
    tqvPerform(note, "SetText",
               S(tqvUtf8ToCp1252("Você ainda não tem roteiros. Para criar um, abra um "
                                 "verbete e escolha Roteiros no menu do Marcador.")));
  }
  showEntries();
}

void VBDialogHF::showEntries() {
  tqvHandle list = findControlNamed("VBListBox");
  if (list.isNil()) return;
  bool valid = selected_ >= 0 && selected_ < static_cast<TQVINT>(itineraries_.size());
  tqvPerform(list, "setList",
             valid ? lxItineraryEntryList(itineraries_[selected_].entries) : tqvMakeList());
  if (valid && !itineraries_[selected_].entries.empty()) {
    tqvPerform(list, "setSelection", tqvMakeInt(0));
  }
}

void VBDialogHF::openEntry(TQVINT index) {
  if (selected_ < 0 || selected_ >= static_cast<TQVINT>(itineraries_.size())) return;
  const lxItinerary& itinerary = itineraries_[selected_];
  if (index < 0 || index >= static_cast<TQVINT>(itinerary.entries.size())) return;
  tqvHandle parameters = lxItineraryViewerParameters(itinerary, index);
  if (parameters.isNil()) {
    tqvAlert(tqvUtf8ToCp1252("Este verbete não está neste disco."));
    return;
  }
  setResult(parameters);
  end();
}

tqvHandle VBDialogHF::perform(const tqvHandle& action, const tqvHandle& data) {
  std::string_view name = tqvStringView(action);
  tqvHandle list = findControlNamed("VBListBox");
  if (name == "Roteiros") {
    tqvHandle names = findControlNamed("Roteiros");
    TQVINT index =
        names.isNil() ? -1 : tqvNumberOf(tqvPerform(names, "getSelection", tqvHandle()), -1);
    if (index != selected_) {
      selected_ = index;
      showEntries();
    }
  } else if (name == "dblClicked" || name == "Ok") {
    // A double click on a name opens the itinerary's first entry.
    bool onNames = data.is(TQV_CONTROL_TYPE) && tqvEquals(tqvGet(data, "Name"), "Roteiros");
    TQVINT index = onNames || list.isNil()
                       ? 0
                       : tqvNumberOf(tqvPerform(list, "getSelection", tqvHandle()), -1);
    openEntry(index);
  } else if (name == "Cancelar" || name == "Fechar") {
    end();
  } else if (name != "VBListBox") {
    return tqvStandardDialog::perform(action, data);
  }
  return tqvHandle();
}
