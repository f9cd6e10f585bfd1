// The almanac's section screens.
#include "almanac/navigation/barra_menu_form.h"

#include <string>

#include "almanac/catalogue/screens.h"
#include "almanac/navigation/bookmarks.h"
#include "controls/form_keys.h"
#include "controls/menu_dialog.h"
#include "controls/menu_table.h"
#include "framework/control_object.h"
#include "framework/cursor.h"
#include "framework/environment.h"
#include "framework/events.h"
#include "framework/forms.h"
#include "framework/history.h"
#include "framework/message_box.h"
#include "framework/perform.h"
#include "framework/runtime.h"
#include "media/resources.h"
#include "storage/file_stream.h"
#include "values/convert.h"
#include "values/cp1252.h"
#include "values/generic.h"
#include "values/list.h"
#include "values/string.h"
#include "values/table.h"

namespace {

struct Destination {
  const char* label;  // UTF-8
  const char* form;
};

// The section menu's labels and the homes they open.
constexpr Destination kSections[] = {
    {"Verbetes", "VerbHForm"},
    {"Agenda", "AgenMesForm"},
    {"Atlas", "AtlasHForm"},
    {"Banco de Dados", "BDadosHForm"},
    {"Curiosidades", "CurioHForm"},
    {"Linha do Tempo", "LinhaTempoForm"},
    {"Mídias", "JMidiaHForm"},
    {"Retrospectiva", "RetrospectivaHF"},
    {"Jogo", "Jogo0"},
};

// The sections of search results and the viewers that open them.
constexpr Destination kSearchViewers[] = {
    {"Agenda", "AgenDiaForm"},      {"Atlas", "AtlasForm"},
    {"Curiosidades", "CurioHForm"}, {"Linha do Tempo", "LinhaTempoForm"},
    {"Mídias", "MidiasForm"},       {"Retrospectiva", "RetroForm"},
    {"Verbetes", "VerbeteForm"},
};

// The main screen's buttons and the homes they open.
constexpr Destination kMainButtons[] = {
    {"Verbetes", "VerbHForm"},
    {"Midias", "JMidiaHForm"},
    {"Atlas", "AtlasHForm"},
    {"BancoDeDados", "BDadosHForm"},
    {"LinhaDoTempo", "LinhaTempoForm"},
    {"Retrospectiva", "RetrospectivaHF"},
    {"Agenda", "AgenDiaForm"},
    {"Curiosidades", "CurioHForm"},
    {"Jogo", "Jogo0"},
};

template <size_t N>
const char* formFor(const Destination (&table)[N], std::string_view label) {
  for (const Destination& d : table) {
    if (tqvUtf8ToCp1252(d.label) == label) return d.form;
  }
  return nullptr;
}

tqvHandle S(std::string_view text) {
  return tqvMakeString(text);
}

tqvHandle U(const char* utf8) {
  return tqvMakeString(tqvUtf8ToCp1252(utf8));
}

// The "Text" of a menu or dialog result table, or "" when there is none.
std::string resultText(const tqvHandle& result) {
  if (!result.is(TQV_TABLE_TYPE)) return "";
  tqvHandle text = tqvGet(result, "Text");
  return text.is(TQV_STRING_TYPE) ? std::string(tqvStringView(text)) : "";
}

bool hasIndex(const tqvHandle& result) {
  return result.is(TQV_TABLE_TYPE) && tqvContainsKey(result, "Index");
}

// A menu table resource, copied so that changes made for one run stay in that run.
tqvHandle menuCopy(const char* name) {
  tqvHandle menu = tqvResolve(U(name));
  return menu.is(TQV_TABLE_TYPE) ? tqvCopy(menu) : tqvHandle();
}

tqvHandle runPopUp(const tqvHandle& menu, const char* dialog = "PopUpMenu") {
  if (menu.isNil()) return tqvHandle();
  return tqvRunMenu(menu, S(dialog));
}

tqvHandle runDialog(std::string_view name, const tqvHandle& data = tqvHandle()) {
  return lxScreenOnDisc(name) ? tqvRunDialog(S(name), data) : tqvHandle();
}

bool isTextEditor(const tqvHandle& control) {
  tqvControlObject* c = tqvAsControl(control);
  if (c == nullptr) return false;
  std::string_view name = c->className();
  return name == "TextField" || name == "ComboEdit";
}

// The help menu's labels and the screens they open.
constexpr Destination kHelpScreens[] = {
    {"Créditos", "CreditsForm"},
    {"Sobre o Zazuzadov", "SobreDlg"},
    {"Preferências", "PrefsDlg"},
};

}  // namespace

const char* lxSectionMenuTarget(std::string_view label) {
  return formFor(kSections, label);
}

const char* lxMainButtonTarget(std::string_view button) {
  return formFor(kMainButtons, button);
}

const char* lxHelpMenuTarget(std::string_view label) {
  return formFor(kHelpScreens, label);
}

BarraMenuForm::BarraMenuForm(const tqvHandle& definition, std::string_view className,
                             std::string_view historyText)
    : tqvStandardForm(definition), className_(className), historyText_(historyText) {}

tqvHandle BarraMenuForm::makeInstance(const tqvHandle& definition) {
  return tqvWrapForm(new BarraMenuForm(definition, className_, historyText_));
}

tqvHandle BarraMenuForm::historyText() {
  return U(historyText_.c_str());
}

tqvHandle BarraMenuForm::historyState() {
  tqvHandle state = tqvTable(4);
  tqvPut(state, "History Text", historyText());
  return state;
}

void BarraMenuForm::open(const tqvHandle& data) {
  tqvStandardForm::open(data);
  subMenus_ = property("SubMenus");
  tqvSetMenuItemDisabled(S("PopUpMenu"), U("Lista de Marcados"), lxBookmarkCount() < 1);
  // Only the entry viewer marks entries; it enables the item that applies.
  tqvDisableMenuItem(S("PopUpMenu"), S("Marcar"));
  tqvDisableMenuItem(S("PopUpMenu"), S("Desmarcar"));
  subMenuKey_ = property("Tern");
  currentSubMenu_ = subMenus_.is(TQV_TABLE_TYPE) && subMenuKey_.is(TQV_STRING_TYPE)
                        ? tqvGet(subMenus_, subMenuKey_)
                        : tqvHandle();
}

void BarraMenuForm::goTo(std::string_view name, const tqvHandle& parameters) {
  if (lxScreenOnDisc(name)) tqvOpenFormByName(S(name), parameters);
}

bool BarraMenuForm::performOnControl(const char* name, const char* action) {
  tqvHandle control = findControlNamed(name);
  tqvControlObject* c = tqvAsControl(control);
  if (c == nullptr || !c->isEnabled()) return false;
  perform(S(name), control);
  return true;
}

tqvHandle BarraMenuForm::perform(const tqvHandle& action, const tqvHandle& data) {
  std::string_view name = tqvStringView(action);
  if (name == "MainHome") {
    goTo("MainForm");
  } else if (name == "Zazuzadov") {
    sectionMenu();
  } else if (name == "Busca") {
    search();
  } else if (name == "Marcador") {
    bookmarksMenu();
  } else if (name == "Historico") {
    historyDialog();
  } else if (name == "Internet") {
    internetMenu();
  } else if (name == "Ajuda") {
    helpMenu();
  } else if (name == "Minimizar") {
    if (tqvPlatform::Backend* backend = tqvBackend()) backend->minimizeWindow();
  } else if (name == "Sair") {
    tqvPostQuit();
  } else if (name == "MCategName") {
    mainCategories();
  } else if (name == "SCategName") {
    subCategories();
  } else if (name == "ItemName") {
    categoryItems();
  } else {
    return tqvStandardForm::perform(action, data);
  }
  return tqvHandle();
}

void BarraMenuForm::keyDown(TQVINT key, TQVINT modifiers) {
  bool alt = (modifiers & TQV_ALT_FLAG) != 0, ctrl = (modifiers & TQV_CONTROL_FLAG) != 0;
  if ((alt && key == TQV_KEY_LEFT) ||
      (key == 8 && !ctrl && !alt && !isTextEditor(activeControl()))) {
    tqvGoBack();
  } else if (alt && key == TQV_KEY_RIGHT) {
    tqvGoForward();
  } else if (ctrl && !alt && key == 'F') {
    perform(S("Busca"), tqvHandle());
  } else if (!(ctrl && !alt && key == 'P' && performOnControl("Imprimir", "Imprimir")) &&
             !(ctrl && !alt && key == 'C' && performOnControl("Copiar", "Copiar"))) {
    tqvStandardForm::keyDown(key, modifiers);
  }
}

void BarraMenuForm::sectionMenu() {
  bool onMain = tqvStringView(this->name()) == "MainForm";
  tqvHandle result = runPopUp(menuCopy(onMain ? "ZazuzadovMenuMF" : "ZazuzadovMenu"));
  if (const char* form = formFor(kSections, resultText(result))) goTo(form);
}

void BarraMenuForm::search() {
  // The last search comes back with the dialog: its query, filter and results.
  tqvHandle result = runDialog("BuscaDialog", tqvGetGlobal("LastSearchResult"));
  if (result.is(TQV_TABLE_TYPE)) tqvSetGlobal("LastSearchResult", tqvCopy(result));
  std::string text = resultText(result);
  size_t colon = text.find(':');
  if (colon == std::string::npos) return;
  std::string section = text.substr(0, colon);
  std::string item = text.substr(std::min(colon + 2, text.size()));
  const char* form = formFor(kSearchViewers, section);
  if (form == nullptr) return;
  if (section == "Retrospectiva") {
    tqvPut(result, "Text", S("->" + item));
    tqvPut(result, "Mes", TQV_FALSE);
  } else {
    tqvPut(result, "Text", S(item));
  }
  goTo(form, result);
}

void BarraMenuForm::bookmarksMenu() {
  tqvHandle marked = menuCopy("Lista de Marcados");
  tqvHandle menu = menuCopy("MarcadorMenu");
  if (menu.isNil()) return;
  if (!marked.isNil()) {
    tqvHandle list = lxBookmarks();
    tqvPut(marked, "BrowseList", list.isNil() ? tqvHandle() : tqvCopy(list));
    tqvHandle cascade = tqvTable(4);
    tqvPut(cascade, U("Lista de Marcados"), marked);
    tqvPut(menu, "CascadeTable", cascade);
  }
  tqvHandle result = runPopUp(menu);
  if (!resultText(result).empty()) itineraries(result);
}

void BarraMenuForm::itineraries(const tqvHandle& choice) {
  if (resultText(choice) == "Roteiros") {
    tqvHandle parameters = tqvTable(4);
    tqvPut(parameters, "VerbID", tqvMakeInt(currentEntryId));
    tqvPut(parameters, "VerbTit", currentEntryTitle.isNil() ? S("") : currentEntryTitle);
    runDialog("VBCRDialog", parameters);
  } else if (resultText(choice) == "Marcar" || resultText(choice) == "Desmarcar") {
    return;
  } else if (lxBookmarkCount() >= 1) {
    goTo("VerbeteForm", choice);
  }
}

void BarraMenuForm::historyDialog() {
  tqvHandle result = runDialog("HistoryDlg");
  if (!result.is(TQV_TABLE_TYPE)) return;
  tqvHandle form = tqvGet(result, "Jump Form");
  tqvHandle record = tqvNavigationRecord();
  if (!form.is(TQV_STRING_TYPE) || record.isNil()) return;
  tqvPut(record, "Index", tqvGet(result, "Jump Index"));
  tqvShowForm(form, tqvGet(result, "Jump Table"), false);
  tqvUpdateNavigationControls();
}

bool lxOpenWebAddress(const tqvHandle& address) {
  tqvPlatform::Backend* backend = tqvBackend();
  if (address.is(TQV_STRING_TYPE) && tqvStringLength(address) > 0 && backend != nullptr &&
      backend->openDocument(tqvCp1252ToUtf8(tqvStringView(address)))) {
    tqvSetEnvironment("WebBrowser", S(""));
    return true;
  }
  tqvHandle message = tqvResolve(S("MsgNoBrowserInstalled"));
  tqvAlert(message.is(TQV_STRING_TYPE)
               ? std::string(tqvStringView(message))
               : tqvUtf8ToCp1252("Nenhum navegador de Internet foi encontrado neste computador."));
  return false;
}

void BarraMenuForm::internetMenu() {
  std::string choice = resultText(runPopUp(menuCopy("InternetMenu")));
  if (choice == "Entrar na Internet") {
    lxOpenWebAddress(tqvGetEnvironment("URLHomePage"));
  } else if (choice == tqvUtf8ToCp1252("Atualizar Conteúdo")) {
    lxOpenWebAddress(tqvGetEnvironment("URLDownLoad"));
  }
}

void BarraMenuForm::helpMenu() {
  std::string choice = resultText(runPopUp(menuCopy("AjudaMenu")));
  const char* screen = formFor(kHelpScreens, choice);
  if (choice == tqvUtf8ToCp1252("Índice")) {
    tqvOpenHelpFile();
  } else if (screen == nullptr) {
    return;
  } else if (std::string_view(screen) == "CreditsForm") {
    goTo(screen);
  } else {
    runDialog(screen);
  }
  if (screen != nullptr && std::string_view(screen) == "PrefsDlg") {
    // Video controls read the video preferences again.
    for (const char* name : {"VideoControl", "AnimControl"}) {
      tqvHandle control = findControlNamed(name);
      if (!control.isNil()) tqvPerform(control, "Initialize", tqvHandle());
    }
  }
}

void BarraMenuForm::mainCategories() {
  if (subMenus_.isNil()) return;
  tqvHandle result = runPopUp(subMenus_, "PopUpMenu1");
  if (!hasIndex(result)) return;
  tqvHandle sub = findControlNamed("SCategName");
  if (!sub.isNil()) tqvPerform(sub, "DiscardBK", tqvHandle());
  tqvHandle form = tqvGet(result, "Form Name");
  if (form.is(TQV_STRING_TYPE)) goTo(tqvStringView(form), result);
}

void BarraMenuForm::subCategories() {
  if (!subMenuKey_.is(TQV_STRING_TYPE) || !subMenus_.is(TQV_TABLE_TYPE)) return;
  tqvHandle cascade = tqvGet(subMenus_, "CascadeTable");
  tqvHandle entry = cascade.is(TQV_TABLE_TYPE) ? tqvGet(cascade, subMenuKey_) : tqvHandle();
  if (!entry.is(TQV_TABLE_TYPE)) return;
  tqvHandle copy = tqvCopy(entry);
  tqvPut(copy, "Origin X", property("SCategXPos"));
  tqvPut(copy, "Origin Y", property("SCategYPos"));
  tqvRemoveKey(copy, S("UseDefaultPosition"));
  tqvHandle dialog = tqvGet(copy, "DlgName");
  if (!dialog.is(TQV_STRING_TYPE)) return;
  tqvHandle result = tqvRunMenu(copy, dialog);
  if (!hasIndex(result)) return;
  tqvHandle form = tqvGet(result, "Form Name");
  if (form.is(TQV_STRING_TYPE)) {
    tqvHandle sub = findControlNamed("SCategName");
    if (!sub.isNil()) tqvPerform(sub, "DiscardBK", tqvHandle());
    goTo(tqvStringView(form), result);
    return;
  }
  tqvHandle screens = tqvResolve(S("ValidInfos"));
  tqvHandle target = tqvAsList(screens) != nullptr
                         ? tqvGet(screens, tqvNumberOf(tqvGet(result, "Index"), -1))
                         : tqvHandle();
  if (target.is(TQV_STRING_TYPE)) goTo(tqvStringView(target), result);
}

void BarraMenuForm::categoryItems() {
  tqvHandle item = property("Item");
  if (!item.is(TQV_TABLE_TYPE)) return;
  tqvHandle description = tqvCopy(item);
  tqvPut(description, "SCatID", tqvMakeInt(currentCategoryId));
  tqvHandle dialog = tqvGet(description, "DlgName");
  if (!dialog.is(TQV_STRING_TYPE)) return;
  tqvHandle result = tqvRunDialog(dialog, description);
  if (!hasIndex(result)) return;
  tqvHandle form = tqvGet(result, "Form Name");
  if (form.is(TQV_STRING_TYPE)) goTo(tqvStringView(form), result);
}

MainForm::MainForm(const tqvHandle& definition)
    : BarraMenuForm(definition, "MainForm", kMainScreenHistoryText) {}

tqvHandle MainForm::makeInstance(const tqvHandle& definition) {
  return tqvWrapForm(new MainForm(definition));
}

tqvHandle MainForm::perform(const tqvHandle& action, const tqvHandle& data) {
  std::string_view name = tqvStringView(action);
  if (const char* form = formFor(kMainButtons, name)) {
    tqvShowWaitCursor();
    goTo(form);
    return tqvHandle();
  }
  if (name == "AudioHelpButton") {
    return tqvStandardForm::perform(S("PlaySound"), property("AudioHelp"));
  }
  return BarraMenuForm::perform(action, data);
}
