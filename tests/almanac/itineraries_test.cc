// The itineraries file and what the itinerary dialogs and the index show, over the small
// disc of the fixture (entries 101 "Brasil", 102 "Cometa", 103 "Vulcão"); expected files
// and orders written out by hand.
#include <gtest/gtest.h>

#include "almanac/catalogue/list_dialog.h"
#include "almanac/itineraries/itinerary_browser.h"
#include "almanac/itineraries/itinerary_lists.h"
#include "almanac/itineraries/itinerary_store.h"
#include "tests/almanac/almanac_fixture.h"

namespace {

class Itineraries : public AlmanacDiscTest {
 protected:
  void SetUp() override {
    AlmanacDiscTest::SetUp();
    ASSERT_TRUE(lxCatalogue().initialize());
  }
  std::string file() const { return (user_.path() / "RotPesq.DTT").string(); }
  // The file as an archive whose only item is the table written in the notation.
  void writeFile(const std::string& notation) {
    tqvHandle archive = tqvCreateArchive(tqvMakeString(file()), 1);
    tqvAddItem(archive, read(notation));
  }
  static lxItineraries parse(const char* utf8Names) {
    lxItineraries all;
    std::string names = tqvUtf8ToCp1252(utf8Names);
    for (size_t start = 0; start < names.size();) {
      size_t bar = names.find('|', start);
      if (bar == std::string::npos) bar = names.size();
      all.push_back({names.substr(start, bar - start), {}});
      start = bar + 1;
    }
    return all;
  }
  // The value in the notation on one line.
  static std::string notation(const tqvHandle& value) {
    std::string flat;
    for (char c : tqvToStdString(value, true)) {
      bool blank = c == ' ' || c == '\n';
      if (blank && (flat.empty() || flat.back() == ' ')) continue;
      if (c == ')' && !flat.empty() && flat.back() == ' ') flat.pop_back();
      flat += blank ? ' ' : c;
    }
    return flat;
  }
};

TEST_F(Itineraries, WrittenAsOneTableAndReadBack) {
  bool damaged = true;
  EXPECT_TRUE(lxReadItineraries(&damaged).empty());  // no file: no itineraries
  EXPECT_FALSE(damaged);
  lxItineraries kept = {{tqvUtf8ToCp1252("Viagem à Lua"), {103, 101}}, {"Vazio", {}}};
  ASSERT_TRUE(lxWriteItineraries(kept));
  tqvHandle archive = tqvOpenArchive(tqvMakeString(file()), 0);
  ASSERT_EQ(tqvCount(archive), 1);
  tqvHandle table = tqvGet(archive, 0);
  EXPECT_EQ(tqvCount(table), 3);
  EXPECT_EQ(notation(tqvGet(table, "ListaDeRoteiros")), "(list \"Viagem \\xe0 Lua\" \"Vazio\")");
  EXPECT_EQ(notation(tqvGet(table, tqvUtf8ToCp1252("Viagem à Lua"))), "(intlist 103 101)");
  EXPECT_EQ(notation(tqvGet(table, "Vazio")), "(intlist)");
  EXPECT_EQ(lxReadItineraries(&damaged), kept);
  EXPECT_FALSE(damaged);
}

TEST_F(Itineraries, NamesAndEntriesOfAnotherWriterAreSifted) {
  // Names that are not strings, repeat a name in other capitals or take the names key are
  // left out; a name without a list is empty; elements other than integers are dropped.
  writeFile(R"((table ("ListaDeRoteiros" (list "A" 7 "B" "a" "listaderoteiros" "C"))
                      ("A" (list 101 "x" 102)) ("a" (list 103)) ("C" 5)))");
  bool damaged = true;
  lxItineraries expected = {{"A", {101, 102}}, {"B", {}}, {"C", {}}};
  EXPECT_EQ(lxReadItineraries(&damaged), expected);
  EXPECT_FALSE(damaged);
}

TEST_F(Itineraries, ADamagedFileCountsAsEmptyAndIsReplacedAtTheNextSave) {
  const char* bad[] = {"(list 1 2)", "(table (\"Outra\" (list)))",
                       "(table (\"ListaDeRoteiros\" \"A\"))", nullptr};
  for (const char* item : bad) {
    SCOPED_TRACE(item != nullptr ? item : "not an archive");
    if (item != nullptr) {
      writeFile(item);
    } else {
      user_.write("RotPesq.DTT", "0TQV\x7f\x7f\x7f\x7fgarbage");
    }
    bool damaged = false;
    EXPECT_TRUE(lxReadItineraries(&damaged).empty());
    EXPECT_TRUE(damaged);
    lxItineraries kept = {{"Novo", {102}}};
    ASSERT_TRUE(lxWriteItineraries(kept));
    EXPECT_EQ(lxReadItineraries(&damaged), kept);
    EXPECT_FALSE(damaged);
  }
}

TEST_F(Itineraries, EmptyNamesAndNamesInUseAreRefused) {
  lxItineraries existing = parse("Viagem|Ciências");
  struct Case {
    const char* typed;  // UTF-8
    lxNameProblem problem;
    const char* kept;
  } cases[] = {
      {"", lxNameProblem::Empty, ""},
      {" \t ", lxNameProblem::Empty, ""},
      {"Viagem", lxNameProblem::Taken, "Viagem"},
      {"  VIAGEM ", lxNameProblem::Taken, "VIAGEM"},
      {"ciÊncias", lxNameProblem::Taken, "ciÊncias"},
      {"listaDeRoteiros", lxNameProblem::Taken, "listaDeRoteiros"},
      {" Viagem 2 ", lxNameProblem::None, "Viagem 2"},
      {"Ciencias", lxNameProblem::None, "Ciencias"},
  };
  for (const Case& c : cases) {
    std::string typed = tqvUtf8ToCp1252(c.typed);
    EXPECT_EQ(lxItineraryNameProblem(typed, existing), c.problem) << c.typed;
    EXPECT_EQ(lxTrimmedName(typed), tqvUtf8ToCp1252(c.kept)) << c.typed;
  }
}

TEST_F(Itineraries, EntriesTheDiscLacksAreListedButNotBrowsed) {
  lxItinerary itinerary{"R", {101, 999, 103}};
  std::vector<std::string> names = lxItineraryEntryNames(itinerary.entries);
  std::vector<std::string> expected = {
      "Brasil", tqvUtf8ToCp1252("(verbete 999 não está neste disco)"), tqvUtf8ToCp1252("Vulcão")};
  EXPECT_EQ(names, expected);
  tqvHandle last = lxItineraryViewerParameters(itinerary, 2);
  ASSERT_TRUE(last.is(TQV_TABLE_TYPE));
  EXPECT_EQ(text(tqvGet(last, "Text")), "Vulcão");
  EXPECT_EQ(tqvGet(last, "Index").intValue(), 1);
  EXPECT_EQ(notation(tqvGet(last, "BrowseList")), "(intlist 101 103)");
  EXPECT_EQ(text(tqvGet(last, "Roteiro")), "R");
  EXPECT_TRUE(lxItineraryViewerParameters(itinerary, 1).isNil());
  EXPECT_TRUE(lxItineraryViewerParameters(itinerary, 3).isNil());
}

TEST_F(Itineraries, TheIndexOrdersNamesAsADictionaryDoes) {
  lxResetCatalogue();
  index("VDBNList.IDX", {{"1", "Zebra"},
                         {"2", "Água"},
                         {"3", "abelha"},
                         {"4", "Ábaco"},
                         {"5", "Abaco"},
                         {"6", "10 anos"}});
  ASSERT_TRUE(lxCatalogue().initialize());
  // Accents count only between names otherwise equal; digits come before letters.
  EXPECT_EQ(notation(lxAlphabeticalItems(0)), "(intlist 6 5 4 3 2 1)");
  EXPECT_TRUE(lxAlphabeticalItems(3).isNil());  // a kind without a name list
}

}  // namespace
