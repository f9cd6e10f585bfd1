// The entries home.
#include "almanac/itineraries/entries_home.h"

#include "almanac/catalogue/screens.h"
#include "controls/menu_dialog.h"
#include "framework/forms.h"
#include "media/resources.h"
#include "values/convert.h"
#include "values/generic.h"
#include "values/string.h"
#include "values/table.h"

namespace {

tqvHandle S(std::string_view text) {
  return tqvMakeString(text);
}

// The "Text" of a result table, or nil.
tqvHandle chosenText(const tqvHandle& result) {
  tqvHandle text = result.is(TQV_TABLE_TYPE) ? tqvGet(result, "Text") : tqvHandle();
  return text.is(TQV_STRING_TYPE) ? text : tqvHandle();
}

}  // namespace

VerbHForm::VerbHForm(const tqvHandle& definition)
    : BarraMenuForm(definition, "VerbHForm", kEntriesHomeHistoryText) {}

tqvHandle VerbHForm::makeInstance(const tqvHandle& definition) {
  return tqvWrapForm(new VerbHForm(definition));
}

void VerbHForm::openEntry(const tqvHandle& text, const tqvHandle& identifier) {
  if (text.isNil()) return;
  tqvHandle parameters = tqvTable(4);
  tqvPut(parameters, "Text", text);
  if (identifier.is(TQV_INT_TYPE)) tqvPut(parameters, "Index", identifier);
  tqvPut(parameters, "FullList", TQV_TRUE);
  goTo("VerbeteForm", parameters);
}

void VerbHForm::index() {
  if (!lxScreenOnDisc("VerbetesDlg")) return;
  tqvHandle result = tqvRunDialog(S("VerbetesDlg"));
  if (result.is(TQV_TABLE_TYPE)) openEntry(chosenText(result), tqvGet(result, "Index"));
}

void VerbHForm::itineraries() {
  if (!lxScreenOnDisc("VBDialogHF")) return;
  tqvHandle result = tqvRunDialog(S("VBDialogHF"));
  if (result.is(TQV_TABLE_TYPE) && tqvContainsKey(result, "BrowseList")) {
    goTo("VerbeteForm", result);
  }
}

void VerbHForm::sectionMenu() {
  tqvHandle menu = tqvResolve(property("SectionMenu"));
  if (!menu.is(TQV_TABLE_TYPE)) return;
  menu = tqvCopy(menu);
  tqvPut(menu, "Origin X", property("SectionNameX"));
  tqvPut(menu, "Origin Y", property("SectionNameY"));
  tqvHandle image = property("SectionName Image");
  if (!image.isNil()) tqvPut(menu, "Image", image);
  tqvRemoveKey(menu, S("UseDefaultPosition"));
  openEntry(chosenText(tqvRunMenu(menu, S("PopUpMenu"))));
}

tqvHandle VerbHForm::perform(const tqvHandle& action, const tqvHandle& data) {
  std::string_view name = tqvStringView(action);
  if (name == "Indice") {
    index();
  } else if (name == "Roteiros") {
    itineraries();
  } else if (name == "PopUpX") {
    sectionMenu();
  } else {
    return BarraMenuForm::perform(action, data);
  }
  return tqvHandle();
}

const char* lxEntriesScreenLead(std::string_view klass, std::string_view control) {
  static constexpr struct {
    const char* klass;
    const char* control;
    const char* screen;
  } kLeads[] = {
      {"VerbHForm", "Indice", "VerbetesDlg"},  {"VerbHForm", "Roteiros", "VBDialogHF"},
      {"VerbHForm", "PopUpX", "PopUpMenu"},    {"VBCRDialog", "Incluir Roteiro", "NomeRoteiroDlg"},
      {"BuscaDialog", "Salvar", "VBCRDialog"},
  };
  for (const auto& lead : kLeads) {
    if (klass == lead.klass && control == lead.control) return lead.screen;
  }
  return nullptr;
}
