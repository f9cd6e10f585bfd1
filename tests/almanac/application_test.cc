// The almanac run as a user runs it, on a small disc of screens written here: start-up
// with and without the introduction, the disc prompt, the database check, every main
// screen button, the section menus, the history dialog, search results, bookmarks and
// the quit confirmation.
#include <gtest/gtest.h>

#include <filesystem>

#include "almanac/app/almanac_application.h"
#include "almanac/navigation/bookmarks.h"
#include "controls/menu_table.h"
#include "framework/class_registry.h"
#include "framework/history.h"
#include "tests/almanac/almanac_fixture.h"
#include "values/convert.h"

namespace {

// The search dialog of these tests: any button ends it with its "Answer" as the text
// of the result table.
class FakeSearch : public tqvStandardDialog {
 public:
  using tqvStandardDialog::tqvStandardDialog;
  std::string_view className() const override { return "FakeSearch"; }
  tqvHandle makeInstance(const tqvHandle& definition) override {
    return tqvWrapForm(new FakeSearch(definition));
  }
  tqvHandle perform(const tqvHandle& action, const tqvHandle& data) override {
    tqvHandle result = tqvTable(4);
    tqvPut(result, "Text", property("Answer"));
    tqvPut(result, "Extra", tqvMakeInt(7));
    setResult(result);
    end();
    return tqvHandle();
  }
};

// The menu bar of every section screen.
const char* kBar = R"(
  (control ("Class" "Button") ("Name" "MainHome") ("Hot Spot" (rect 0 0 60 20)))
  (control ("Class" "Button") ("Name" "Zazuzadov") ("Hot Spot" (rect 62 0 60 20)))
  (control ("Class" "Button") ("Name" "Busca") ("Hot Spot" (rect 124 0 60 20)))
  (control ("Class" "Button") ("Name" "Historico") ("Hot Spot" (rect 186 0 60 20)))
  (control ("Class" "Button") ("Name" "Marcador") ("Hot Spot" (rect 248 0 60 20)))
  (control ("Class" "Button") ("Name" "Sair") ("Hot Spot" (rect 310 0 60 20))))";

class Almanac : public AlmanacDiscTest {
 protected:
  void SetUp() override {
    AlmanacDiscTest::SetUp();
    tqvRegisterClass(tqvHandle::wrap(new FakeSearch(), TQV_CLASS_TYPE));
    screen("MainForm", "MainForm", R"(
      (control ("Class" "Button") ("Name" "Verbetes") ("Hot Spot" (rect 0 100 60 20)))
      (control ("Class" "Button") ("Name" "Midias") ("Hot Spot" (rect 62 100 60 20)))
      (control ("Class" "Button") ("Name" "Atlas") ("Hot Spot" (rect 124 100 60 20)))
      (control ("Class" "Button") ("Name" "BancoDeDados") ("Hot Spot" (rect 186 100 60 20)))
      (control ("Class" "Button") ("Name" "LinhaDoTempo") ("Hot Spot" (rect 248 100 60 20)))
      (control ("Class" "Button") ("Name" "Retrospectiva") ("Hot Spot" (rect 310 100 60 20)))
      (control ("Class" "Button") ("Name" "Agenda") ("Hot Spot" (rect 372 100 60 20)))
      (control ("Class" "Button") ("Name" "Curiosidades") ("Hot Spot" (rect 434 100 60 20)))
      (control ("Class" "Button") ("Name" "Jogo") ("Hot Spot" (rect 496 100 60 20))))");
    const char* homes[][3] = {
        {"VerbHForm", "VerbHForm", "VerbHF"},
        {"JMidiaHForm", "JMidiaHForm", "JMidiaHF"},
        {"AtlasHForm", "AtlasHForm", "AtlasHF"},
        {"BDadosHForm", "BDadosHForm", "BDadosHF"},
        {"LinhaTempoForm", "LinhaTempoForm", "LTempoHF"},
        {"RetrospectivaHF", "RetrospectivaHF", "RetroHF"},
        {"AgenDiaForm", "AgenDiaForm", "AGDForm"},
        {"CurioHForm", "CurioHForm", "CurioHF"},
        {"Jogo0", "JogoForm", "Jogo00"},
        {"VerbeteForm", "VerbeteForm", "VrbtForm"},
        {"RetroForm", "RetroForm", "RetroFrm"},
    };
    for (const auto& h : homes) screen(h[0], h[1], "", h[2]);
    screen("IntroForm", "IntroForm", "", "IntroFrm", R"(("Duration" 2000))");
    dialog("QuitDlg", "Quit", R"(
      (control ("Class" "Button") ("Name" "OKButton") ("Hot Spot" (rect 10 10 60 20)))
      (control ("Class" "Button") ("Name" "CancelButton") ("Hot Spot" (rect 80 10 60 20))))");
    dialog("HistoryDlg", "HistDlg", R"(
      (control ("Class" "ListBox") ("Name" "History List") ("Hot Spot" (rect 10 10 280 102))))");
    dialog("PopUpMenu", "PopUpMnu", "");
    discFile("Buscadlg.frm", R"((form ("Class" "FakeSearch") ("Name" "BuscaDialog") ("Dialog" true)
      ("Width" 200) ("Height" 100) ("Control List" (list
      (control ("Class" "Button") ("Name" "Ok") ("Hot Spot" (rect 10 10 60 20)))))))");
    menus_ = R"(
      ("ZazuzadovMenuMF" (table ("Items" (list "&Atlas" "&Jogo"))))
      ("ZazuzadovMenu" (table ("Items" (list "&Verbetes" "&Mídias" "&Nada"))))
      ("MarcadorMenu" (table ("Items" (list "&Roteiros" "&Lista de Marcados"))))
      ("Lista de Marcados" (table ("Items" (list "&Um")))))";
  }

  // A section screen with the menu bar, registered under `name` in FILE.frm.
  void screen(const std::string& name, const std::string& klass, const std::string& controls,
              std::string file = "", const std::string& extra = "") {
    if (file.empty()) file = name;
    discFile(file + ".frm", "(form (\"Class\" \"" + klass + "\") (\"Name\" \"" + name + "\")" +
                                extra + " (\"Control List\" (list " + kBar + controls + ")))");
  }
  void dialog(const std::string& name, const std::string& file, const std::string& controls) {
    discFile(file + ".frm", "(form (\"Class\" \"" + name + "\") (\"Name\" \"" + name +
                                "\") (\"Dialog\" true) (\"Width\" 300) (\"Height\" 200)"
                                " (\"Control List\" (list " +
                                controls + ")))");
  }

  tqvApplication* newApplication() override { return new AlmanacApplication(arguments_); }

  // Runs the almanac on the disc with the script; true when the script's expectations
  // held and the program ended cleanly.
  bool run(const std::string& script, bool showIntro = false) {
    globalTable("(table " + menus_ + " (\"GlobalTable\" (table (\"Preferences\" (table " +
                "(\"ShowIntro\" " + (showIntro ? "true" : "false") + "))))))");
    tqvPlatform::HeadlessBackend& backend = useHeadless(script);
    app_->Run();
    return backend.exitStatus() == 0;
  }
  // The form names in the navigation record, in order.
  std::string visited() {
    std::string names;
    tqvHandle list = tqvGet(tqvNavigationRecord(), "List");
    for (TQVINT i = 0; i < tqvCount(list); ++i) {
      names += (i > 0 ? " " : "") + text(tqvGet(tqvGet(list, i), 0));
    }
    return names;
  }

  tqvHandle arguments_;
  std::string menus_;
};

TEST_F(Almanac, StartsOnTheMainScreenWithoutTheIntroduction) {
  ASSERT_TRUE(run("expect-form MainForm\nquit\nclick-control OKButton\n")) << transcript();
  EXPECT_EQ(visited(), "MainForm");
}

TEST_F(Almanac, TheIntroductionGoesOnToTheMainScreenWhichIsFirstInTheHistory) {
  ASSERT_TRUE(
      run("expect-form IntroForm\nclick 300 300\nexpect-form MainForm\n"
          "quit\nclick-control OKButton\n",
          true))
      << transcript();
  EXPECT_EQ(visited(), "MainForm IntroForm MainForm");
}

TEST_F(Almanac, EveryMainScreenButtonReachesItsSectionHome) {
  const char* buttons[][2] = {
      {"Verbetes", "VerbHForm"},
      {"Midias", "JMidiaHForm"},
      {"Atlas", "AtlasHForm"},
      {"BancoDeDados", "BDadosHForm"},
      {"LinhaDoTempo", "LinhaTempoForm"},
      {"Retrospectiva", "RetrospectivaHF"},
      {"Agenda", "AgenDiaForm"},
      {"Curiosidades", "CurioHForm"},
  };
  std::string script;
  for (const auto& b : buttons) {
    script += std::string("click-control ") + b[0] + "\nexpect-form " + b[1] +
              "\nclick-control MainHome\nexpect-form MainForm\n";
  }
  // The quiz's first screen has no menu bar (yet): it is the last stop.
  ASSERT_TRUE(run(script + "click-control Jogo\nexpect-form Jogo0\nquit\nclick-control OKButton\n"))
      << transcript();
}

TEST_F(Almanac, TheSectionMenuOfTheMainScreenDiffersFromTheOthers) {
  // The main screen's menu offers Atlas and Jogo; elsewhere Verbetes, Mídias and an item
  // that leads nowhere.
  ASSERT_TRUE(
      run("click-control Zazuzadov\nkey a\nexpect-form AtlasHForm\n"
          "click-control Zazuzadov\nkey n\nexpect-form AtlasHForm\n"
          "click-control Zazuzadov\nkey m\nexpect-form JMidiaHForm\n"
          "click-control Zazuzadov\nkey v\nexpect-form VerbHForm\n"
          "click-control MainHome\nclick-control Zazuzadov\nkey j\nexpect-form Jogo0\n"
          "quit\nclick-control OKButton\n"))
      << transcript();
}

TEST_F(Almanac, KeysAndTheHistoryDialogMoveThroughTheHistory) {
  ASSERT_TRUE(
      run("click-control Verbetes\nclick-control MainHome\nclick-control Atlas\n"
          "key Alt+Left\nexpect-form MainForm\nkey Alt+Right\nexpect-form AtlasHForm\n"
          "key Backspace\nexpect-form MainForm\nkey Alt+Right\n"
          // The history lists four screens; the first row is the first screen.
          "click-control Historico\nclick 50 14\nexpect-form MainForm\n"
          "click-control Historico\nkey Esc\nexpect-form MainForm\n"
          "quit\nclick-control OKButton\n"))
      << transcript();
  EXPECT_EQ(visited(), "MainForm VerbHForm MainForm AtlasHForm");
  EXPECT_EQ(tqvGet(tqvNavigationRecord(), "Index").intValue(), 0);
}

TEST_F(Almanac, QuitAsksFirstAndCancelGoesOn) {
  ASSERT_TRUE(
      run("quit\nclick-control CancelButton\nexpect-form MainForm\n"
          "click-control Sair\nclick-control OKButton\nexpect-form unreachable\n"))
      << transcript();
  // Leaving saved the preferences.
  EXPECT_TRUE(std::filesystem::exists(user_ / "PREFS.DAT"));
}

TEST_F(Almanac, SearchResultsOpenTheirSectionsViewer) {
  struct Case {
    const char* answer;
    const char* form;  // where the result leads ("MainForm": nowhere)
    const char* text;  // the "Text" the viewer receives
    bool month;        // whether "Mes" is false
  } cases[] = {
      {"Verbetes: Brasil", "VerbeteForm", "Brasil", false},
      {"Retrospectiva: Copa de 1998", "RetroForm", "->Copa de 1998", true},
      {"Nada: x", "MainForm", nullptr, false},
      {"sem seção", "MainForm", nullptr, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer);
    discFile("Buscadlg.frm", std::string(R"((form ("Class" "FakeSearch") ("Name" "BuscaDialog")
      ("Dialog" true) ("Width" 200) ("Height" 100) ("Answer" ")") +
                                 c.answer + R"(")
      ("Control List" (list (control ("Class" "Button") ("Name" "Ok")
      ("Hot Spot" (rect 10 10 60 20)))))))");
    ASSERT_TRUE(run(std::string("key Ctrl+F\nclick-control Ok\nexpect-form ") + c.form +
                    "\nquit\nclick-control OKButton\n"))
        << transcript();
    if (c.text != nullptr) {
      tqvHandle list = tqvGet(tqvNavigationRecord(), "List");
      tqvHandle data = tqvGet(tqvGet(list, tqvCount(list) - 1), 1);
      EXPECT_EQ(text(tqvGet(data, "Text")), c.text);
      EXPECT_EQ(tqvGet(data, "Extra").intValue(), 7);  // the rest of the table goes along
      EXPECT_EQ(tqvGet(data, "Mes").isNil(), !c.month);
    }
    restartProgram();
    app_ = newApplication();
    useDisc(".");
    setEnv("UserDataPath", user_.path().string());
    tqvRegisterClass(tqvHandle::wrap(new FakeSearch(), TQV_CLASS_TYPE));
  }
}

TEST_F(Almanac, BookmarksSurviveARestartAndEnableTheirMenuItem) {
  ASSERT_TRUE(run("quit\nclick-control OKButton\n"));
  EXPECT_TRUE(tqvIsMenuItemDisabled(S("PopUpMenu"), S("Lista de Marcados")));
  EXPECT_TRUE(lxSetBookmarked(102, true));
  EXPECT_TRUE(lxSetBookmarked(103, true));
  EXPECT_TRUE(lxSetBookmarked(102, false));
  lxForgetBookmarks();
  EXPECT_EQ(lxBookmarkCount(), 1);
  EXPECT_TRUE(lxIsBookmarked(103));
  // A damaged file counts as none and is replaced by the next save.
  user_.write("MARKLIST.DTT", "0TQV\x7f\x7f\x7f\x7fgarbage");
  lxForgetBookmarks();
  EXPECT_EQ(lxBookmarkCount(), 0);
  EXPECT_TRUE(lxSetBookmarked(101, true));
  lxForgetBookmarks();
  EXPECT_EQ(lxBookmarkCount(), 1);
}

TEST_F(Almanac, AMissingDiscIsAskedForAndCancelEndsQuietly) {
  std::filesystem::remove(discPath("VrbtForm.frm"));
  EXPECT_TRUE(run("answer ok\nanswer cancel\n")) << transcript();
  std::string prompt = "Por favor insira o CD ROM do Zazuzadov Lumbra 98 e clique OK.";
  std::string log = transcript();
  EXPECT_NE(log.find(prompt + " -> ok"), std::string::npos) << log;
  EXPECT_NE(log.find(prompt + " -> cancel"), std::string::npos) << log;
  EXPECT_FALSE(std::filesystem::exists(user_ / "PREFS.DAT"));
}

TEST_F(Almanac, AMissingCatalogueIsADatabaseError) {
  std::filesystem::remove(discPath("ATNamLst.IDX"));
  run("quit\nclick-control OKButton\n");
  ASSERT_FALSE(errors().empty());
  EXPECT_EQ(errors().front(), tqvUtf8ToCp1252("Erro ao abrir o Banco de dados!"));
}

}  // namespace
