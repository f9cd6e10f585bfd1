// The almanac's application object.
#include "almanac/app/almanac_application.h"

#include <algorithm>

#include "almanac/app/almanac_classes.h"
#include "almanac/app/preferences.h"
#include "almanac/catalogue/content_catalogue.h"
#include "almanac/navigation/barra_menu_form.h"
#include "controls/form_keys.h"
#include "controls/standard_form.h"
#include "framework/environment.h"
#include "framework/events.h"
#include "framework/forms.h"
#include "framework/history.h"
#include "framework/message_box.h"
#include "framework/runtime.h"
#include "framework/screen_report.h"
#include "framework/services.h"
#include "media/resources.h"
#include "print/print_jobs.h"
#include "storage/file_stream.h"
#include "values/convert.h"
#include "values/cp1252.h"
#include "values/error.h"
#include "values/generic.h"
#include "values/list.h"
#include "values/string.h"
#include "values/table.h"

namespace {

constexpr uint32_t kTimerPeriodMs = 250;

tqvHandle S(std::string_view text) {
  return tqvMakeString(text);
}

// A parameter table with one flag set.
tqvHandle flagTable(const char* key) {
  tqvHandle table = tqvTable(4, 100, 75);
  tqvPut(table, key, TQV_TRUE);
  return table;
}

bool firstWordIsAgenda(const tqvHandle& arguments) {
  return tqvAsList(arguments) != nullptr && tqvCount(arguments) > 0 &&
         tqvStringView(tqvGet(arguments, 0)) == "Agenda";
}

}  // namespace

std::string lxApplicationTitle() {
  return "Zazuzadov Lumbra 98";
}

std::string lxApplicationVersion() {
  return "1.0";
}

std::string lxApplicationAbbreviation() {
  return "LX98";
}

AlmanacApplication::AlmanacApplication(const tqvHandle& arguments)
    : tqvStandardApplication(arguments), agendaOnly_(firstWordIsAgenda(arguments)) {
  for (const char* key : {"ShowIntro", "PlayNarrator", "RolloverHelp", "SoundEffects"}) {
    setEnvironment(key, TQV_TRUE);
  }
  setEnvironment("ShowFullScreen", TQV_FALSE);
  setEnvironment("TestMode", TQV_FALSE);
  lxRegisterAlmanacClasses();
}

AlmanacApplication::~AlmanacApplication() {
  if (timer_ != 0 && tqvBackend() != nullptr) tqvBackend()->stopTimer(timer_);
  lxResetCatalogue();
}

bool AlmanacApplication::checkDisc() {
  std::string prompt = "Por favor insira o CD ROM do " + lxApplicationTitle() + " e clique OK.";
  while (!tqvFileExists(tqvLocateFile(S("VrbtForm"), S("etn"))) &&
         !tqvFileExists(tqvLocateFile(S("VrbtForm"), S("frm")))) {
    if (!tqvConfirm(prompt)) return false;
  }
  return true;
}

void AlmanacApplication::Initialize() {
  previewing_ = !tqvGetEnvironment("OpenForm").isNil();
  if (!previewing_ && !agendaOnly_ && !checkDisc()) {
    tqvPostQuit();
    setSkip(true);
    return;
  }
  tqvStandardApplication::Initialize();
  lxRegisterScreenFiles();
  setEnvironment("NoPrintingAllowed", tqvNoPrintingAllowed() ? TQV_TRUE : TQV_FALSE);
  if (previewing_) return;
  if (!lxCatalogue().initialize()) tqvError(tqvUtf8ToCp1252("Erro ao abrir o Banco de dados!"));
}

void AlmanacApplication::Start() {
  tqvStandardApplication::Start();
  if (skip()) return;
  if (previewing_) {
    tqvOpenFormByName(tqvGetEnvironment("OpenForm"), tqvHandle());
  } else {
    // The window draws in true colour: it takes no palette from "indeo41.dib".
    lxLoadPreferences();
    if (agendaOnly_ && tqvFileExists(tqvLocateFile(S(lxScreenFileOf("AgenMesForm")), S("etn")))) {
      tqvOpenFormByName(S("AgenMesForm"), flagTable("StandAlone"));
    } else if (tqvGetEnvironmentBoolean("ShowIntro", true)) {
      // Going back from the introduction lands on the main screen.
      tqvHandle state = tqvTable(4, 100, 75);
      tqvPut(state, "History Text", tqvMakeString(tqvUtf8ToCp1252(kMainScreenHistoryText)));
      tqvRecordNavigation(tqvNavigationRecord(), S("MainForm"), state, state);
      tqvOpenFormByName(S("IntroForm"), flagTable("NoFade"));
    } else {
      tqvOpenFormByName(S("MainForm"), tqvHandle());
    }
  }
  if (tqvPlatform::Backend* backend = tqvBackend()) {
    if (timer_ != 0) backend->stopTimer(timer_);
    timer_ = backend->startTimer(kTimerPeriodMs);
  }
}

bool AlmanacApplication::Quit() {
  if (agendaOnly_ || skip() || previewing_) return true;
  return tqvFlagOf(tqvRunDialog(S("QuitDlg")), false);
}

void AlmanacApplication::Terminate() {
  // What was on screen at the end, for tests of the desktop window and for bug reports.
  tqvHandle dumpFile = tqvGetEnvironment("DumpAtExit");
  if (dumpFile.is(TQV_STRING_TYPE)) tqvWriteWholeFile(dumpFile, tqvScreenDump());
  tqvStandardApplication::Terminate();
  if (skip() || previewing_) return;
  TQVINT fadeTime = std::clamp<TQVINT>(tqvNumberOf(tqvServices().resolve(S("FadeTime")), 0), 0,
                                       TQV_LONGEST_FADE_MS);
  if (fadeTime > 0 && !tqvGetEnvironmentBoolean("MPEG", false)) {
    tqvServices().transition(TQV_TRANSITION_FADE_OUT, 0, 0, -1, -1, fadeTime);
  }
  lxSavePreferences();
}

void lxApplicationMain(const tqvHandle& arguments) {
  auto* app = new AlmanacApplication(arguments);
  tqvInstallApplication(app);
  app->Run();
}
