// The entry viewer opened on a small disc written here (entries Brasil 101, Cometa 102,
// Vulcão 103; category 0 holds 101 and 103, category 1 holds 102): every way of opening
// it and stepping round its list, links of each outcome, copying, bookmarks kept over a
// restart, and damaged or missing data.
#include <gtest/gtest.h>

#include "almanac/app/almanac_classes.h"
#include "almanac/navigation/bookmarks.h"
#include "controls/menu_table.h"
#include "framework/dialog_object.h"
#include "framework/forms.h"
#include "framework/perform.h"
#include "framework/runtime.h"
#include "tests/almanac/almanac_fixture.h"
#include "values/convert.h"
#include "values/generic.h"
#include "values/string.h"
#include "values/text.h"

namespace {

class EntryViewer : public AlmanacDiscTest {
 protected:
  void SetUp() override {
    AlmanacDiscTest::SetUp();
    archive(
        "Verbetes.DAT",
        {R"((list 101 "Brasil{\\i  país}" "Brasil" 0 "O {\\b Brasil}.\\par Veja {\\img arara.jpg\\}" "{\\uldb Cometa}!\\{jump:VerbeteForm;Cometa\\}" nil nil (list "arara.jpg")))",
         R"((list 102 "Cometa" "Cometa" 1 "Gelo." "" nil nil (list)))",
         R"((list 103 "Vulcão" "Vulcão" 0 "Lava." "" nil nil (list "sumida.jpg")))"},
        true);
    archive("Midias.DAT",
            {R"((list 7 "Arara-azul" 0 2 "Ave." "arara.jpg" (list "arara.jpg" 10 10) nil))",
             R"((list 8 "Ipê-amarelo" 0 2 "Flor." "ipe.jpg" (list "ipe.jpg" 10 10) nil))"},
            true);
    archive("Atlas.DAT",
            {R"((list 40 "Europa" "Europa" "noflag" "eu.bmp" "" "Ficha." "Texto." "Europa"))"},
            true);
    // As on a real disc, titles are also keyed in lower case.
    index("VDBIDLst.IDX", {{"Brasil", 0}, {"Cometa", 1}, {"Vulcão", 2}, {"vulcão", 2}});
    index("MDBIDLst.IDX", {{"Arara-azul", 0}, {"arara-azul", 0}});
    index("ATIDList.IDX", {{"Europa", 0}, {"europa", 0}});
    discFile("VrbtForm.frm", tqvUtf8ToCp1252(R"((form ("Class" "VerbeteForm") ("Name" "VerbeteForm")
      ("MCategs" (list "História" "Geografia" "" "" "" "" "Verbetes" "Roteiros" "Busca"))
      ("Cat0 TxColor" 255) ("Control List" (list
      (control ("Class" "StaticText") ("Name" "SCategName") ("TextRegion" (rect 0 0 100 20)))
      (control ("Class" "StaticText") ("Name" "ItemName") ("TextRegion" (rect 100 0 200 20)))
      (control ("Class" "TextView") ("Name" "Texto") ("Hot Spot" (rect 0 30 300 200)))
      (control ("Class" "TextView") ("Name" "VejaTambém") ("Hot Spot" (rect 0 240 300 20)))
      (control ("Class" "StaticText") ("Name" "Copiando") ("Hidden" true)
               ("TextRegion" (rect 0 0 50 20)))))))"));
    for (const char* viewer : {"MidiasForm MidiForm", "AtlasForm AtlasFrm"}) {
      std::string name(viewer, std::string_view(viewer).find(' '));
      discFile(std::string(viewer + name.size() + 1) + ".frm",
               "(form (\"Class\" \"" + name + "\") (\"Name\" \"" + name + "\") " +
                   R"(("Control List" (list
        (control ("Class" "StaticText") ("Name" "ItemName") ("TextRegion" (rect 0 0 200 20)))
        (control ("Class" "TextView") ("Name" "Texto") ("Hot Spot" (rect 0 30 300 200)))))))");
    }
    lxRegisterAlmanacClasses();
    lxRegisterScreenFiles();
    tqvSetGlobal("ValidInfos", read(R"((list "in0001"))"));
    ASSERT_TRUE(lxCatalogue().initialize());
    startSession("");
  }

  // Opens the viewer (or gives it new parameters) with the table in the notation.
  void open(const std::string& parameters) {
    tqvShowForm(S("VerbeteForm"), read(parameters), true);
  }
  void act(const std::string& action, const tqvHandle& data = tqvHandle()) {
    tqvPerform(tqvActiveForm(), action, data);
  }
  // A text property of a control of the active form, in UTF-8 ("" when it has none).
  std::string shown(const std::string& name, const char* key = "Text") {
    tqvHandle value = tqvGet(control(tqvUtf8ToCp1252(name)), key);
    return value.is(TQV_STRING_TYPE) ? text(value) : "";
  }
  void follow(const std::string& link) {
    tqvHandle data = tqvTable(4);
    tqvPut(data, "HyperLink", S(link));
    act("Texto", data);
  }
  static bool disabled(const char* item) { return tqvIsMenuItemDisabled(S("PopUpMenu"), S(item)); }
};

TEST_F(EntryViewer, OpensOnEachKindOfListAndStepsRoundIt) {
  struct Case {
    const char* parameters;
    const char* label;
    const char* first;
    const char* next;
    const char* previous;  // two steps back from `next`
  } cases[] = {
      {R"((table ("Index" 1) ("SCatID" 0)))", "História", "Vulcão", "Brasil", "Brasil"},
      {R"((table ("Index" 0)))", "História", "Brasil", "Vulcão", "Vulcão"},
      {R"((table ("FullList" true) ("Text" "vulcão")))", "Verbetes", "Vulcão", "Brasil", "Cometa"},
      {R"((table ("FullList" true) ("Index" 102)))", "Verbetes", "Cometa", "Vulcão", "Brasil"},
      {R"((table ("BrowseList" (list 65639 65638 65637)) ("Index" 2) ("SearchedText" "x")))",
       "Busca", "Brasil", "Vulcão", "Cometa"},
      {R"((table ("BrowseList" (list 102 101)) ("Index" 0) ("Roteiro" "Meu")))", "Roteiros",
       "Cometa", "Brasil", "Brasil"},
  };
  for (const Case& c : cases) {
    open(c.parameters);
    EXPECT_EQ(shown("SCategName"), c.label) << c.parameters;
    EXPECT_EQ(shown("ItemName"), c.first) << c.parameters;
    act("Next");
    EXPECT_EQ(shown("ItemName"), c.next) << c.parameters;
    act("Previous");
    act("Previous");
    EXPECT_EQ(shown("ItemName"), c.previous) << c.parameters;
  }
  EXPECT_TRUE(errors().empty()) << errors().front();
}

TEST_F(EntryViewer, ShowsTheEntryWithItsParametersThemeRelatedEntriesAndPictures) {
  tqvHandle parameters = read(R"((table ("Index" 0) ("SCatID" 0)))");
  tqvShowForm(S("VerbeteForm"), parameters, true);
  EXPECT_EQ(text(tqvGet(parameters, "Text")), "Brasil");
  EXPECT_EQ(tqvNumberOf(tqvGet(control("SCategName"), "Foreground Color"), -1), 255);
  tqvHandle picture = tqvGet(tqvGet(control("Texto"), "Images"), "arara.jpg");
  EXPECT_EQ(text(tqvGet(picture, 0)) + " " + std::to_string(tqvNumberOf(tqvGet(picture, 1), 0)),
            "arara.jpg 10");
  tqvHandle related = control(tqvUtf8ToCp1252("VejaTambém"));
  EXPECT_NE(shown("VejaTambém", "StrippedRTF").find("(Veja Também: Cometa)"), std::string::npos);
  EXPECT_FALSE(tqvFlagOf(tqvGet(related, "Hidden"), false));
  act("Next");  // Vulcão: no related entries, and a picture the media catalogue lacks
  EXPECT_EQ(tqvNumberOf(tqvGet(parameters, "Index"), -1), 1);
  EXPECT_EQ(text(tqvGet(parameters, "Text")), "Vulcão");
  EXPECT_EQ(shown("ItemName"), "Vulcão");
  EXPECT_EQ(shown("Texto", "StrippedRTF").find("Lava"), std::string::npos);
  // A record that is not there shows nothing and stepping does nothing.
  open(R"((table ("FullList" true) ("Index" 999)))");
  act("Next");
  EXPECT_TRUE(errors().empty()) << errors().front();
}

TEST_F(EntryViewer, LinksOpenTheirViewerPlayOrSayTheKindIsUnknown) {
  open(R"((table ("FullList" true) ("Text" "Brasil")))");
  follow("Foto:Arara");
  EXPECT_EQ(backend_->lastBoxText(), "Ação deconhecida: Foto[Arara]");
  follow("info:in9999");     // not a listed screen: nothing
  follow("jump:Ninguem;x");  // no such screen: nothing
  EXPECT_EQ(tqvActiveFormName(), "VerbeteForm");
  follow("jump:VerbeteForm; VULCÃO ");
  EXPECT_EQ(shown("ItemName"), "Vulcão");
  EXPECT_FALSE(disabled("Roteiros"));
  follow("foto:Arara-azul");
  EXPECT_EQ(tqvActiveFormName(), "MidiasForm");
  EXPECT_EQ(shown("ItemName"), "Arara-azul");
  follow("mapa:Europa");
  EXPECT_EQ(tqvActiveFormName(), "AtlasForm");
  EXPECT_EQ(shown("ItemName"), "Europa");
  EXPECT_TRUE(disabled("Roteiros"));  // the viewer was left
  EXPECT_TRUE(errors().empty()) << errors().front();
}

TEST_F(EntryViewer, SoundLinksPlayFromTheSoundsFolder) {
  auto le = [](uint32_t v, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
    return out;
  };
  // 8-bit mono at 8000 Hz, four samples.
  discFile("Sounds/hino.wav", "RIFF" + le(40, 4) + "WAVEfmt " + le(16, 4) + le(1, 2) + le(1, 2) +
                                  le(8000, 4) + le(8000, 4) + le(1, 2) + le(8, 2) + "data" +
                                  le(4, 4) + std::string(4, '\x80'));
  open(R"((table ("FullList" true) ("Text" "Brasil")))");
  follow("audio:hino.wav");
  EXPECT_NE(transcript().find("audio wave 48 bytes"), std::string::npos) << transcript();
}

TEST_F(EntryViewer, TextDialogsHandTheirLinksToTheScreenThatRanThem) {
  tqvHandle dialog = read(R"((form ("Class" "VerbLink") ("Dialog" true)))");
  tqvHandle data = tqvTable(4);
  tqvPut(data, "HyperLink", S("mapa:Europa"));
  tqvPerform(dialog, "Texto", data);
  tqvHandle result = tqvAsDialog(dialog)->result();
  EXPECT_EQ(text(tqvGet(result, "Jump Form")), "MidiasForm");
  EXPECT_EQ(text(tqvGet(tqvGet(result, "Jump Table"), "Text")), "europa");
  EXPECT_TRUE(tqvAsDialog(dialog)->ended());
}

TEST_F(EntryViewer, CopiesTheTitleAndPlainText) {
  open(R"((table ("FullList" true) ("Text" "Brasil")))");
  act("Copiar");
  EXPECT_EQ(backend_->clipboardText(), "Brasil país\n\nO Brasil.\nVeja ");
  EXPECT_TRUE(tqvFlagOf(tqvGet(control("Copiando"), "Hidden"), false));
}

TEST_F(EntryViewer, BookmarksAreKeptOverARestartAndSetTheMenu) {
  user_.write("MARKLIST.DTT", "damaged");
  open(R"((table ("FullList" true) ("Text" "Cometa")))");
  EXPECT_FALSE(disabled("Marcar"));
  EXPECT_TRUE(disabled("Desmarcar"));
  act("Marcar");
  EXPECT_TRUE(disabled("Marcar"));
  EXPECT_FALSE(disabled("Desmarcar"));
  EXPECT_FALSE(disabled("Lista de Marcados"));
  lxForgetBookmarks();  // as a new run: read from the file
  EXPECT_TRUE(lxIsBookmarked(102));
  act("Desmarcar");
  EXPECT_TRUE(disabled("Lista de Marcados"));
  lxForgetBookmarks();
  EXPECT_EQ(lxBookmarkCount(), 0);
  EXPECT_TRUE(errors().empty()) << errors().front();
}

}  // namespace
