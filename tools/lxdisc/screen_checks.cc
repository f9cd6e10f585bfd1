// The checks of the disc's screens.
#include "tools/lxdisc/screen_checks.h"

#include <deque>
#include <map>
#include <set>
#include <string>

#include "almanac/app/almanac_classes.h"
#include "almanac/itineraries/entries_home.h"
#include "almanac/navigation/barra_menu_form.h"
#include "controls/menu_table.h"
#include "storage/notation.h"
#include "tools/lxdisc/disc_model.h"
#include "tools/lxdisc/sources.h"
#include "values/cp1252.h"
#include "values/generic.h"
#include "values/list.h"
#include "values/string.h"

namespace fs = std::filesystem;

namespace lxdisc {
namespace {

std::string lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string textOf(const tqvHandle& value) {
  return value.is(TQV_STRING_TYPE) ? std::string(tqvStringView(value)) : "";
}

// A notation file of the disc, read as the program reads it.
tqvHandle readNotation(const fs::path& file) {
  return tqvDecodeStandard(tqvMakeString(tqvUtf8ToCp1252(readText(file))));
}

struct Screen {
  fs::path file;
  tqvHandle form;
};

// The forms the menu bar's menus lead to: section menus, the help menu.
std::vector<std::string> menuTargets(const tqvHandle& globals, const char* menu, bool help) {
  std::vector<std::string> targets;
  tqvHandle table = globals.is(TQV_TABLE_TYPE) ? tqvGet(globals, menu) : tqvHandle();
  for (const tqvMenuItem& item : tqvMenuItems(table)) {
    std::string label = textOf(item.label);
    const char* target = help ? lxHelpMenuTarget(label) : lxSectionMenuTarget(label);
    if (target != nullptr) targets.push_back(target);
  }
  return targets;
}

}  // namespace

void checkScreens(const fs::path& content) {
  fs::path folder = content / "disco";
  // The registered screens by file name (lower case), and the screens found.
  std::map<std::string, const lxScreenFile*> byFile;
  for (const lxScreenFile& screen : lxScreenFiles()) byFile[lower(screen.file)] = &screen;
  std::map<std::string, Screen> screens;
  std::set<std::string> frmFiles;
  if (fs::is_directory(folder)) {
    for (const auto& item : fs::directory_iterator(folder)) {
      const fs::path& file = item.path();
      if (lower(file.extension().string()) != ".frm") continue;
      frmFiles.insert(lower(file.filename().string()));
      auto registered = byFile.find(lower(file.stem().string()));
      if (registered == byFile.end()) continue;
      const lxScreenFile& r = *registered->second;
      tqvHandle form = readNotation(file);
      if (!form.is(TQV_FORM_TYPE)) throw DiscError(file, "is not a form");
      if (textOf(tqvGet(form, "Name")) != r.form) {
        throw DiscError(file, "must be named \"" + r.form + "\" (its \"Name\")");
      }
      if (textOf(tqvGet(form, "Class")) != r.klass) {
        throw DiscError(file, "must be of the class \"" + r.klass + "\" (its \"Class\")");
      }
      screens[r.form] = {file, form};
    }
  }
  fs::path globalFile = folder / "global.tbl";
  tqvHandle globals = fs::exists(globalFile) ? readNotation(globalFile) : tqvHandle();

  // From the start: the introduction, the main screen and the quit confirmation.
  std::deque<std::string> toVisit = {"IntroForm", "MainForm", "QuitDlg"};
  std::set<std::string> seen(toVisit.begin(), toVisit.end());
  for (const std::string& start : toVisit) {
    if (!screens.contains(start)) {
      throw DiscError(folder / (std::string(lxScreenFileOf(start)) + ".frm"),
                      "is missing: the program starts with the screen " + start);
    }
  }
  while (!toVisit.empty()) {
    std::string name = toVisit.front();
    toVisit.pop_front();
    const Screen& screen = screens.at(name);
    std::string klass = textOf(tqvGet(screen.form, "Class"));
    std::vector<std::string> leads;
    tqvHandle controls = tqvGet(screen.form, "Control List");
    TQVINT count = tqvAsList(controls) != nullptr ? tqvCount(controls) : 0;
    for (TQVINT i = 0; i < count; ++i) {
      tqvHandle control = tqvGet(controls, i);
      std::string control_name = textOf(tqvGet(control, "Name"));
      for (const char* key : {"Target Form", "Target Dialog"}) {
        std::string target = textOf(tqvGet(control, key));
        if (!target.empty()) leads.push_back(target);
      }
      if (klass == "MainForm") {
        if (const char* home = lxMainButtonTarget(control_name)) leads.push_back(home);
      }
      if (const char* lead = lxEntriesScreenLead(klass, control_name)) leads.push_back(lead);
      if (!lxHasMenuBar(klass)) continue;
      if (control_name == "MainHome") leads.push_back("MainForm");
      if (control_name == "Historico") leads.push_back("HistoryDlg");
      if (control_name == "Sair") leads.push_back("QuitDlg");
      if (control_name == "Busca") leads.push_back("BuscaDialog");
      // The bookmarks menu's "Roteiros" runs the itineraries editor.
      if (control_name == "Marcador") leads.push_back("VBCRDialog");
      if (control_name == "Zazuzadov" || control_name == "Ajuda") {
        leads.push_back("PopUpMenu");
        const char* menu = control_name == "Ajuda" ? "AjudaMenu"
                           : klass == "MainForm"   ? "ZazuzadovMenuMF"
                                                   : "ZazuzadovMenu";
        for (const std::string& target : menuTargets(globals, menu, control_name == "Ajuda")) {
          leads.push_back(target);
        }
      }
    }
    for (const std::string& target : leads) {
      bool isFile = lower(target).ends_with(".frm");
      bool present = isFile ? frmFiles.contains(lower(target)) : screens.contains(target);
      if (!present) {
        throw DiscError(screen.file,
                        "leads to the screen " + target + ", which is not on the disc");
      }
      if (!isFile && seen.insert(target).second) toVisit.push_back(target);
    }
  }
}

}  // namespace lxdisc
