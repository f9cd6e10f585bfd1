// The almanac's classes and screen files.
#include "almanac/app/almanac_classes.h"

#include <string>

#include "almanac/app/intro_form.h"
#include "almanac/app/system_dialogs.h"
#include "almanac/catalogue/list_classes.h"
#include "almanac/catalogue/list_dialog.h"
#include "almanac/entries/item_viewer_form.h"
#include "almanac/entries/text_form.h"
#include "almanac/entries/verbete_form.h"
#include "almanac/itineraries/entries_home.h"
#include "almanac/itineraries/itineraries_dialog.h"
#include "almanac/itineraries/itinerary_browser.h"
#include "almanac/navigation/barra_menu_form.h"
#include "almanac/navigation/history_dialog.h"
#include "almanac/search/search_dialog.h"
#include "controls/menu_dialog.h"
#include "controls/standard_form.h"
#include "framework/class_registry.h"
#include "framework/environment.h"
#include "media/resources.h"
#include "storage/file_stream.h"
#include "values/string.h"

namespace {

// A class of the standard layers under a name of its own, for screens whose behaviour
// lies in their definition (or comes with a later section).
template <class Base>
class NamedClass : public Base {
 public:
  explicit NamedClass(std::string_view name, const tqvHandle& definition = tqvHandle())
      : Base(definition), name_(name) {}
  std::string_view className() const override { return name_; }
  tqvHandle makeInstance(const tqvHandle& definition) override {
    return tqvWrapForm(new NamedClass(name_, definition));
  }

 private:
  std::string name_;
};

// A section screen with the menu bar and the history text of its class.
tqvHandle barraMenu(std::string_view name, std::string_view historyText = "") {
  return tqvHandle::wrap(new BarraMenuForm(tqvHandle(), name, historyText), TQV_CLASS_TYPE);
}
template <class Base>
tqvHandle named(std::string_view name) {
  return tqvHandle::wrap(new NamedClass<Base>(name), TQV_CLASS_TYPE);
}
template <class T>
tqvHandle prototype() {
  return tqvHandle::wrap(new T(), TQV_CLASS_TYPE);
}

// The classes, in the order they are registered; those whose behaviour comes with a later
// section keep their name and base until then.
enum class Kind {
  MenuBar,
  Main,
  Intro,
  Form,
  Dialog,
  MenuDialog,
  Quit,
  History,
  Prefs,
  Search,
  Entry,
  MediaViewer,
  AtlasViewer,
  TextDialog,
  EntriesHome,
  Lists,
  Itineraries,
  ItineraryBrowser,
  ItineraryName
};
struct ClassRow {
  Kind kind;
  const char* name;
  const char* historyText;  // UTF-8; menu bar screens only
};
constexpr ClassRow kClasses[] = {
    {Kind::EntriesHome, "VerbHForm", nullptr},
    {Kind::MenuBar, "AtlasHForm", "Tela inicial do Atlas"},
    {Kind::MenuBar, "JMidiaHForm", "Tela inicial de Mídias"},
    {Kind::MenuBar, "BDadosHForm", "Tela inicial do Banco de dados"},
    {Kind::MenuBar, "LinhaTempoForm", "Linha do Tempo"},
    {Kind::MenuBar, "CurioHForm", "Curiosidades"},
    {Kind::Main, "MainForm", nullptr},
    {Kind::MenuBar, "AgenDiaForm", "Agenda"},
    {Kind::MenuBar, "AgenMesForm", "Agenda"},
    {Kind::MenuBar, "AgenSemanaForm", "Agenda"},
    {Kind::MenuBar, "RetrospectivaHF", "Tela inicial da Retrospectiva"},
    {Kind::Intro, "IntroForm", nullptr},
    {Kind::Entry, "VerbeteForm", nullptr},
    {Kind::MediaViewer, "MidiasForm", nullptr},
    {Kind::MenuBar, "BDadosForm", "Banco de dados"},
    {Kind::AtlasViewer, "AtlasForm", nullptr},
    {Kind::MenuBar, "RetroForm", "Retrospeciva"},
    {Kind::Form, "JogoForm", nullptr},
    {Kind::Form, "CreditsForm", nullptr},
    {Kind::Dialog, "BDHFDialog", nullptr},
    {Kind::Dialog, "BDRBDialog", nullptr},
    {Kind::Dialog, "CurioHFDialog", nullptr},
    {Kind::Dialog, "MidiaHFDialog", nullptr},
    {Kind::Dialog, "BDMCDialog", nullptr},
    {Kind::Lists, "ListasDlg", nullptr},
    {Kind::TextDialog, "CaptionDialog", nullptr},
    {Kind::Quit, "QuitDlg", nullptr},
    {Kind::History, "HistoryDlg", nullptr},
    {Kind::Prefs, "PrefsDlg", nullptr},
    {Kind::Dialog, "AgCalendarioDialog", nullptr},
    {Kind::Dialog, "SobreDlg", nullptr},
    {Kind::Dialog, "JogoNivelDlg", nullptr},
    {Kind::Dialog, "JogoScoreDlg", nullptr},
    {Kind::Dialog, "JogoEntrarDlg", nullptr},
    {Kind::Dialog, "JogoSairDlg", nullptr},
    {Kind::Dialog, "JogoRegrasDlg", nullptr},
    {Kind::Dialog, "JogoQuestionDlg", nullptr},
    {Kind::TextDialog, "VerbLink", nullptr},
    {Kind::Search, "BuscaDialog", nullptr},
    {Kind::Itineraries, "VBCRDialog", nullptr},
    {Kind::ItineraryBrowser, "VBDialogHF", nullptr},
    {Kind::ItineraryName, "NomeRoteiroDlg", nullptr},
    {Kind::MenuBar, "InfosForm", "Infográfico"},
    {Kind::Dialog, "MessagesDialog", nullptr},
    {Kind::Dialog, "ContinentesDlg", nullptr},
    {Kind::MenuDialog, "MenuDialog", nullptr},
    {Kind::MenuDialog, "DisplayMenu", nullptr},
    {Kind::MenuDialog, "PopUpMenu", nullptr},
    {Kind::MenuDialog, "PopUpMenu1", nullptr},
};

void addScreens(std::vector<lxScreenFile>& all, std::initializer_list<const char*> pairs) {
  for (auto it = pairs.begin(); it != pairs.end(); it += 2) all.push_back({it[0], it[0], it[1]});
}

std::vector<lxScreenFile> makeScreenFiles() {
  std::vector<lxScreenFile> all;
  addScreens(all, {"AgenDiaForm", "AGDForm", "AgenMesForm", "AGMForm", "AgenSemanaForm", "AGSForm",
                   "AgCalendarioDialog", "AgCalDlg"});
  addScreens(all, {"VerbHForm", "VerbHF", "AtlasHForm", "AtlasHF", "JMidiaHForm", "JMidiaHF",
                   "BDadosHForm", "BDadosHF", "LinhaTempoForm", "LTempoHF", "CurioHForm", "CurioHF",
                   "MainForm", "MainForm", "RetrospectivaHF", "RetroHF", "IntroForm", "IntroFrm"});
  addScreens(all, {"VerbeteForm", "VrbtForm", "MidiasForm", "MidiForm", "BDadosForm", "BDadForm",
                   "AtlasForm", "AtlasFrm", "RetroForm", "RetroFrm", "CreditsForm", "credform"});
  addScreens(all, {"BDHFDialog", "BDDlgHF", "CurioHFDialog", "CurDlgHF", "MidiaHFDialog",
                   "MidDlgHF", "BDMCDialog", "BDMCDlg", "CaptionDialog", "captdlg"});
  addScreens(
      all, {"QuitDlg", "Quit", "HistoryDlg", "HistDlg", "PrefsDlg", "Prefs", "SobreDlg", "Sobre"});
  addScreens(
      all, {"JogoNivelDlg", "JogNivel", "JogoScoreDlg", "JogScore", "JogoEntrarDlg", "JogEntra",
            "JogoSairDlg", "JogSair", "JogoRegrasDlg", "JogRegra", "JogoQuestionDlg", "JogoQstn"});
  addScreens(all,
             {"VerbLink", "VerbLink", "BuscaDialog", "Buscadlg", "VBCRDialog", "VBCRDlg",
              "VBDialogHF", "VBDlgHF", "NomeRoteiroDlg", "VBNomRot", "ContinentesDlg", "ContLst"});
  const char* others[][3] = {
      {"PopUpMenu", "PopUpMenu", "PopUpMnu"},      {"PopUpMenu1", "PopUpMenu1", "PUpMnu1"},
      {"BDBlocoDialog", "BDRBDialog", "BDBloDlg"}, {"BDRegDialog", "BDRBDialog", "BDRegDlg"},
      {"RotJEDlg", "MessagesDialog", "RotJEDlg"},  {"PsqJEDlg", "MessagesDialog", "PsqJEDlg"},
      {"VerbetesDlg", "ListasDlg", "VerbList"},    {"MidiasDlg", "ListasDlg", "MidiaLst"},
      {"AtlasDlg", "ListasDlg", "AtlasLst"},       {"RetroDlg", "ListasDlg", "RetroLst"},
  };
  for (const auto& o : others) all.push_back({o[0], o[1], o[2]});
  for (int i = 0; i < 32; ++i) {
    std::string two = (i < 10 ? "0" : "") + std::to_string(i);
    all.push_back({"Jogo" + std::to_string(i), "JogoForm", "Jogo" + two});
  }
  // The infographics keep their irregular names: some have three digits, one a letter.
  std::vector<std::string> infos = {"in0001", "in0002", "in0005", "in0007", "in0009",
                                    "in010",  "in0011", "in0012", "in013",  "in014",
                                    "in015",  "in0019", "in0016"};
  auto range = [&infos](int from, int to) {
    for (int n = from; n <= to; ++n) {
      std::string digits = std::to_string(n);
      infos.push_back("in" + std::string(4 - digits.size(), '0') + digits);
    }
  };
  range(20, 23);
  infos.push_back("in024");
  range(25, 27);
  infos.insert(infos.end(), {"in028", "in029"});
  range(30, 33);
  infos.push_back("in034");
  range(35, 37);
  infos.push_back("in038");
  range(40, 48);
  infos.insert(infos.end(), {"in050", "in050a", "in0051", "in0052", "in053"});
  range(54, 59);
  infos.push_back("in006");
  range(60, 65);
  infos.push_back("in066");
  range(67, 69);
  infos.push_back("in071");
  range(72, 80);
  range(82, 87);
  infos.insert(infos.end(), {"inmus001", "inqui001"});
  for (const std::string& info : infos) all.push_back({info, "InfosForm", info});
  // Map screens: lower-case form names; the files begin with a capital M except two.
  for (const char* map :
       {"mbclima", "mbhidro", "mbregio", "mbrelev", "mbveget2", "mbpolit", "mmantar", "mmeurop",
        "mmamnor", "mmamcen", "mmamsul", "mmafric", "mmocean", "mmasia"}) {
    std::string file = map;
    file[0] = 'M';
    all.push_back({map, "InfosForm", file});
  }
  for (const char* map : {"mdecolo", "mdmundi"}) all.push_back({map, "InfosForm", map});
  return all;
}

}  // namespace

void lxRegisterAlmanacClasses() {
  for (const ClassRow& row : kClasses) {
    switch (row.kind) {
      case Kind::MenuBar:
        tqvRegisterClass(barraMenu(row.name, row.historyText));
        break;
      case Kind::Main:
        tqvRegisterClass(prototype<MainForm>());
        break;
      case Kind::Intro:
        tqvRegisterClass(prototype<IntroForm>());
        break;
      case Kind::Quit:
        tqvRegisterClass(prototype<QuitDlg>());
        break;
      case Kind::History:
        tqvRegisterClass(prototype<HistoryDlg>());
        break;
      case Kind::Prefs:
        tqvRegisterClass(prototype<PrefsDlg>());
        break;
      case Kind::Search:
        tqvRegisterClass(prototype<BuscaDialog>());
        break;
      case Kind::Entry:
        tqvRegisterClass(prototype<VerbeteForm>());
        break;
      case Kind::MediaViewer:
      case Kind::AtlasViewer:
        tqvRegisterClass(tqvHandle::wrap(
            new LXItemViewerForm(row.kind == Kind::MediaViewer ? LXItemViewerForm::Family::Media
                                                               : LXItemViewerForm::Family::Atlas),
            TQV_CLASS_TYPE));
        break;
      case Kind::TextDialog:
        tqvRegisterClass(tqvHandle::wrap(new LXTextDialog(tqvHandle(), row.name), TQV_CLASS_TYPE));
        break;
      case Kind::EntriesHome:
        tqvRegisterClass(prototype<VerbHForm>());
        break;
      case Kind::Lists:
        tqvRegisterClass(prototype<ListasDlg>());
        break;
      case Kind::Itineraries:
        tqvRegisterClass(prototype<VBCRDialog>());
        break;
      case Kind::ItineraryBrowser:
        tqvRegisterClass(prototype<VBDialogHF>());
        break;
      case Kind::ItineraryName:
        tqvRegisterClass(prototype<NomeRoteiroDlg>());
        break;
      case Kind::Form:
        tqvRegisterClass(named<tqvStandardForm>(row.name));
        break;
      case Kind::Dialog:
        tqvRegisterClass(named<tqvStandardDialog>(row.name));
        break;
      case Kind::MenuDialog:
        tqvRegisterClass(named<tqvMenuDialogObject>(row.name));
        break;
    }
  }
  lxRegisterListClasses();
}

const std::vector<lxScreenFile>& lxScreenFiles() {
  static const std::vector<lxScreenFile> all = makeScreenFiles();
  return all;
}

void lxRegisterScreenFiles() {
  for (const lxScreenFile& screen : lxScreenFiles()) {
    tqvHandle compiled = tqvMakeString(screen.file + ".etn");
    bool hasCompiled = tqvFileExists(tqvLocateFile(compiled, tqvHandle()));
    tqvSetGlobal(screen.form, tqvMakeResourceReference(
                                  hasCompiled ? compiled : tqvMakeString(screen.file + ".frm")));
  }
}

bool lxHasMenuBar(std::string_view klass) {
  for (const ClassRow& row : kClasses) {
    bool menuBar = row.kind == Kind::MenuBar || row.kind == Kind::Main || row.kind == Kind::Entry ||
                   row.kind == Kind::MediaViewer || row.kind == Kind::AtlasViewer ||
                   row.kind == Kind::EntriesHome;
    if (menuBar && klass == row.name) return true;
  }
  return false;
}

std::string_view lxScreenFileOf(std::string_view form) {
  for (const lxScreenFile& screen : lxScreenFiles()) {
    if (screen.form == form) return screen.file;
  }
  return "";
}
