// The itineraries editor and its name dialog.
#include "almanac/itineraries/itineraries_dialog.h"

#include <algorithm>
#include <string>

#include "almanac/catalogue/screens.h"
#include "almanac/itineraries/itinerary_lists.h"
#include "framework/forms.h"
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

void setDisabled(const tqvHandle& control, bool disabled) {
  if (!control.isNil()) tqvPerform(control, "Disabled", disabled ? TQV_TRUE : TQV_FALSE);
}

}  // namespace

const char* lxNameProblemMessage(lxNameProblem problem) {
  switch (problem) {
    case lxNameProblem::Empty:
      return "Digite um nome para o roteiro.";
    case lxNameProblem::Taken:
      return "Já existe um roteiro com esse nome. Escolha outro nome.";
    case lxNameProblem::None:
      break;
  }
  return nullptr;
}

tqvHandle VBCRDialog::makeInstance(const tqvHandle& definition) {
  return tqvWrapForm(new VBCRDialog(definition));
}

void VBCRDialog::open(const tqvHandle& data) {
  itineraries_ = lxReadItineraries(&damaged_);
  selected_ = -1;
  entryId_ = 0;
  newEntries_.clear();
  entryTitle_.clear();
  namedSearch_.clear();
  if (data.is(TQV_TABLE_TYPE)) {
    entryId_ = tqvNumberOf(tqvGet(data, "VerbID"), 0) & 0xFFFF;
    tqvHandle title = tqvGet(data, "VerbTit");
    if (title.is(TQV_STRING_TYPE)) entryTitle_ = std::string(tqvStringView(title));
    tqvHandle found = tqvGet(data, "NewRoteiro");
    TQVINT count = tqvAsList(found) != nullptr ? tqvCount(found) : 0;
    for (TQVINT i = 0; i < count; ++i) {
      tqvHandle entry = tqvGet(found, i);
      if (entry.is(TQV_INT_TYPE)) newEntries_.push_back(entry.intValue() & 0xFFFF);
    }
  }
  tqvStandardDialog::open(data);
}

void VBCRDialog::afterOpen() {
  tqvStandardDialog::afterOpen();
  tqvHandle names = findControlNamed("Roteiros");
  if (!names.isNil()) tqvPerform(names, "setList", lxItineraryNameList(itineraries_));
  select(itineraries_.empty() ? -1 : 0);
  showNote();
  // A search's results came to be kept: their name is asked for at once.
  if (!newEntries_.empty()) addItinerary();
}

lxItinerary* VBCRDialog::selected() {
  if (selected_ < 0 || selected_ >= static_cast<TQVINT>(itineraries_.size())) return nullptr;
  return &itineraries_[selected_];
}

void VBCRDialog::select(TQVINT index) {
  selected_ = index;
  tqvHandle names = findControlNamed("Roteiros");
  if (!names.isNil()) tqvPerform(names, "setSelection", tqvMakeInt(index));
  showEntries();
}

void VBCRDialog::showEntries() {
  tqvHandle list = findControlNamed("Verbetes");
  lxItinerary* itinerary = selected();
  if (!list.isNil()) {
    tqvPerform(list, "setList",
               itinerary != nullptr ? lxItineraryEntryList(itinerary->entries) : tqvMakeList());
    if (itinerary != nullptr && !itinerary->entries.empty()) {
      tqvPerform(list, "setSelection", tqvMakeInt(0));
    }
  }
  refreshButtons();
}

void VBCRDialog::refreshButtons() {
  lxItinerary* itinerary = selected();
  bool holdsEntry = itinerary != nullptr &&
                    std::find(itinerary->entries.begin(), itinerary->entries.end(), entryId_) !=
                        itinerary->entries.end();
  setDisabled(findControlNamed("Excluir Roteiro"), itinerary == nullptr);
  setDisabled(findControlNamed("Incluir Verbete"),
              itinerary == nullptr || entryId_ == 0 || holdsEntry);
  setDisabled(findControlNamed("Excluir Verbete"),
              itinerary == nullptr || itinerary->entries.empty());
}

void VBCRDialog::showNote() {
  tqvHandle note = findControlNamed("Aviso");
  if (note.isNil()) return;
  std::string text;
  if (newEntries_.size() == 1) {
    text = tqvUtf8ToCp1252(
        "Para guardar o verbete encontrado, clique em Novo roteiro e dê um "
        "nome ao roteiro.");
  } else if (!newEntries_.empty()) {
    text = tqvUtf8ToCp1252("Para guardar os ") + std::to_string(newEntries_.size()) +
           tqvUtf8ToCp1252(
               " verbetes encontrados, clique em Novo roteiro e dê um nome ao "
               "roteiro.");
  } else if (!namedSearch_.empty()) {
    text = tqvUtf8ToCp1252("O roteiro \"") + namedSearch_ +
           tqvUtf8ToCp1252("\" guarda os verbetes encontrados. Clique em OK para mantê-lo.");
  } else if (entryId_ != 0) {
    text = tqvUtf8ToCp1252("Verbete atual: ") + entryTitle_;
  } else {
    text = tqvUtf8ToCp1252("Abra um verbete para incluí-lo num roteiro.");
  }
  if (damaged_) {
    text += tqvUtf8ToCp1252(" (O arquivo de roteiros estava danificado e foi esvaziado.)");
  }
  tqvPerform(note, "SetText", S(text));
}

void VBCRDialog::addItinerary() {
  tqvHandle ask = tqvTable(4);
  tqvPut(ask, "Roteiros", lxItineraryNameList(itineraries_));
  tqvHandle name =
      lxScreenOnDisc("NomeRoteiroDlg") ? tqvRunDialog(S("NomeRoteiroDlg"), ask) : tqvHandle();
  if (!name.is(TQV_STRING_TYPE)) return;
  // The name dialog refused empty and used names; a dialog of another disc may not have.
  if (lxItineraryNameProblem(tqvStringView(name), itineraries_) != lxNameProblem::None) return;
  itineraries_.push_back({lxTrimmedName(tqvStringView(name)), newEntries_});
  if (!newEntries_.empty()) namedSearch_ = itineraries_.back().name;
  newEntries_.clear();
  tqvHandle names = findControlNamed("Roteiros");
  if (!names.isNil()) tqvPerform(names, "setList", lxItineraryNameList(itineraries_));
  select(static_cast<TQVINT>(itineraries_.size()) - 1);
  showNote();
}

void VBCRDialog::removeItinerary() {
  if (selected() == nullptr) return;
  itineraries_.erase(itineraries_.begin() + selected_);
  tqvHandle names = findControlNamed("Roteiros");
  if (!names.isNil()) tqvPerform(names, "setList", lxItineraryNameList(itineraries_));
  select(std::min<TQVINT>(selected_, static_cast<TQVINT>(itineraries_.size()) - 1));
}

void VBCRDialog::addEntry() {
  lxItinerary* itinerary = selected();
  if (itinerary == nullptr || entryId_ == 0) return;
  if (std::find(itinerary->entries.begin(), itinerary->entries.end(), entryId_) !=
      itinerary->entries.end()) {
    return;
  }
  itinerary->entries.push_back(entryId_);
  tqvHandle list = findControlNamed("Verbetes");
  if (!list.isNil()) {
    tqvPerform(list, "addItem", S(lxItineraryEntryNames({entryId_}).front()));
    tqvPerform(list, "setSelection",
               tqvMakeInt(static_cast<TQVINT>(itinerary->entries.size()) - 1));
  }
  refreshButtons();
}

void VBCRDialog::removeEntry() {
  lxItinerary* itinerary = selected();
  tqvHandle list = findControlNamed("Verbetes");
  if (itinerary == nullptr || list.isNil()) return;
  TQVINT index = tqvNumberOf(tqvPerform(list, "getSelection", tqvHandle()), -1);
  if (index < 0 || index >= static_cast<TQVINT>(itinerary->entries.size())) return;
  itinerary->entries.erase(itinerary->entries.begin() + index);
  tqvPerform(list, "deleteItem", tqvMakeInt(index));
  TQVINT left = static_cast<TQVINT>(itinerary->entries.size());
  if (left > 0) tqvPerform(list, "setSelection", tqvMakeInt(std::min(index, left - 1)));
  refreshButtons();
}

void VBCRDialog::save() {
  if (!lxWriteItineraries(itineraries_)) {
    tqvAlert(tqvUtf8ToCp1252("Não foi possível gravar os roteiros."));
    return;
  }
  end();
}

tqvHandle VBCRDialog::perform(const tqvHandle& action, const tqvHandle& data) {
  std::string_view name = tqvStringView(action);
  if (name == "Ok") {
    save();
  } else if (name == "Incluir Roteiro") {
    addItinerary();
  } else if (name == "Excluir Roteiro") {
    removeItinerary();
  } else if (name == "Incluir Verbete") {
    addEntry();
  } else if (name == "Excluir Verbete") {
    removeEntry();
  } else if (name == "Roteiros") {
    tqvHandle names = findControlNamed("Roteiros");
    TQVINT index =
        names.isNil() ? -1 : tqvNumberOf(tqvPerform(names, "getSelection", tqvHandle()), -1);
    if (index != selected_) {
      selected_ = index;
      showEntries();
    }
  } else if (name == "Cancelar" || name == "Fechar") {
    end();
  } else {
    return tqvStandardDialog::perform(action, data);
  }
  return tqvHandle();
}

tqvHandle NomeRoteiroDlg::makeInstance(const tqvHandle& definition) {
  return tqvWrapForm(new NomeRoteiroDlg(definition));
}

void NomeRoteiroDlg::open(const tqvHandle& data) {
  inUse_.clear();
  tqvHandle names = data.is(TQV_TABLE_TYPE) ? tqvGet(data, "Roteiros") : tqvHandle();
  TQVINT count = tqvAsList(names) != nullptr ? tqvCount(names) : 0;
  for (TQVINT i = 0; i < count; ++i) {
    tqvHandle name = tqvGet(names, i);
    if (name.is(TQV_STRING_TYPE)) inUse_.push_back({std::string(tqvStringView(name)), {}});
  }
  tqvStandardDialog::open(data);
}

void NomeRoteiroDlg::accept() {
  tqvHandle field = findControlNamed("Nome");
  tqvHandle typed = field.isNil() ? tqvHandle() : tqvPerform(field, "getText", tqvHandle());
  std::string name = typed.is(TQV_STRING_TYPE) ? std::string(tqvStringView(typed)) : "";
  if (const char* message = lxNameProblemMessage(lxItineraryNameProblem(name, inUse_))) {
    tqvAlert(tqvUtf8ToCp1252(message));
    if (!field.isNil()) setActiveControl(field, true);  // back to typing the name
    return;
  }
  setResult(S(lxTrimmedName(name)));
  end();
}

tqvHandle NomeRoteiroDlg::perform(const tqvHandle& action, const tqvHandle& data) {
  std::string_view name = tqvStringView(action);
  if (name == "Fechar" || name == "Nome") {
    accept();
  } else if (name == "Cancelar") {
    end();
  } else {
    return tqvStandardDialog::perform(action, data);
  }
  return tqvHandle();
}
