// The almanac's classes and screen files.
#include "almanac/app/almanac_classes.h"

#include <string>

#include "almanac/app/intro_form.h"
#include "almanac/app/system_dialogs.h"
#include "almanac/catalogue/list_classes.h"
#include "almanac/navigation/barra_menu_form.h"
#include "almanac/navigation/history_dialog.h"
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
  const tqvHandle classes[] = {
      barraMenu("VerbHForm", "Tela inicial de Verbetes"),
      barraMenu("AtlasHForm", "Tela inicial do Atlas"),
      barraMenu("JMidiaHForm", "Tela inicial de Mídias"),
      barraMenu("BDadosHForm", "Tela inicial do Banco de dados"),
      barraMenu("LinhaTempoForm", "Linha do Tempo"),
      barraMenu("CurioHForm", "Curiosidades"),
      prototype<MainForm>(),
      barraMenu("AgenDiaForm", "Agenda"),
      barraMenu("AgenMesForm", "Agenda"),
      barraMenu("AgenSemanaForm", "Agenda"),
      barraMenu("RetrospectivaHF", "Tela inicial da Retrospectiva"),
      prototype<IntroForm>(),
      barraMenu("VerbeteForm", "Verbete"),
      barraMenu("MidiasForm", "Mídias"),
      barraMenu("BDadosForm", "Banco de dados"),
      barraMenu("AtlasForm", "Atlas"),
      barraMenu("RetroForm", "Retrospeciva"),
      named<tqvStandardForm>("JogoForm"),
      named<tqvStandardForm>("CreditsForm"),
      named<tqvStandardDialog>("BDHFDialog"),
      named<tqvStandardDialog>("BDRBDialog"),
      named<tqvStandardDialog>("CurioHFDialog"),
      named<tqvStandardDialog>("MidiaHFDialog"),
      named<tqvStandardDialog>("BDMCDialog"),
      named<tqvStandardDialog>("ListasDlg"),
      named<tqvStandardDialog>("CaptionDialog"),
      prototype<QuitDlg>(),
      prototype<HistoryDlg>(),
      prototype<PrefsDlg>(),
      named<tqvStandardDialog>("AgCalendarioDialog"),
      named<tqvStandardDialog>("SobreDlg"),
      named<tqvStandardDialog>("JogoNivelDlg"),
      named<tqvStandardDialog>("JogoScoreDlg"),
      named<tqvStandardDialog>("JogoEntrarDlg"),
      named<tqvStandardDialog>("JogoSairDlg"),
      named<tqvStandardDialog>("JogoRegrasDlg"),
      named<tqvStandardDialog>("JogoQuestionDlg"),
      named<tqvStandardDialog>("VerbLink"),
      named<tqvStandardDialog>("BuscaDialog"),
      named<tqvStandardDialog>("VBCRDialog"),
      named<tqvStandardDialog>("VBDialogHF"),
      named<tqvStandardDialog>("NomeRoteiroDlg"),
      barraMenu("InfosForm", "Infográfico"),
      named<tqvStandardDialog>("MessagesDialog"),
      named<tqvStandardDialog>("ContinentesDlg"),
      named<tqvMenuDialogObject>("MenuDialog"),
      named<tqvMenuDialogObject>("DisplayMenu"),
      named<tqvMenuDialogObject>("PopUpMenu"),
      named<tqvMenuDialogObject>("PopUpMenu1"),
  };
  for (const tqvHandle& c : classes) tqvRegisterClass(c);
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

std::string_view lxScreenFileOf(std::string_view form) {
  for (const lxScreenFile& screen : lxScreenFiles()) {
    if (screen.form == form) return screen.file;
  }
  return "";
}
