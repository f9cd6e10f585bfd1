// The query language and the search over a word index written here: expected terms and
// results written out by hand.
#include <gtest/gtest.h>

#include "almanac/search/query.h"
#include "almanac/search/search_dialog.h"
#include "almanac/search/word_index.h"
#include "tests/almanac/almanac_fixture.h"

namespace {

using Kind = lxQueryTerm::Kind;
using Terms = std::vector<lxQueryTerm>;

TEST(Query, TermsOfQueries) {
  struct Case {
    const char* query;  // UTF-8
    Terms terms;
  } cases[] = {
      {"", {}},
      {"  ,;. ", {}},
      {"*", {{Kind::Word, {"all"}}}},
      {"Astro*", {{Kind::Prefix, {"astro"}}}},
      {"(Sol)", {{Kind::Word, {"sol"}}}},
      {"ÁGUA-viva", {{Kind::Word, {"agua"}}, {Kind::Word, {"viva"}}}},
      {"São Paulo", {{Kind::Word, {"sao"}}, {Kind::Word, {"paulo"}}}},
      {"(Rio Amazonas) peixe*", {{Kind::Phrase, {"rio", "amazonas"}}, {Kind::Prefix, {"peixe"}}}},
      {"(sem fim", {{Kind::Phrase, {"sem", "fim"}}}},
      {"() ( ) ((", {{Kind::Phrase, {"("}}}},
      {"a\"b{c}d|e%f/g'h+i!j#k<l>m=n\\o:p",
       {{Kind::Word, {"a"}},
        {Kind::Word, {"b"}},
        {Kind::Word, {"c"}},
        {Kind::Word, {"d"}},
        {Kind::Word, {"e"}},
        {Kind::Word, {"f"}},
        {Kind::Word, {"g"}},
        {Kind::Word, {"h"}},
        {Kind::Word, {"i"}},
        {Kind::Word, {"j"}},
        {Kind::Word, {"k"}},
        {Kind::Word, {"l"}},
        {Kind::Word, {"m"}},
        {Kind::Word, {"n"}},
        {Kind::Word, {"o"}},
        {Kind::Word, {"p"}}}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(lxParseQuery(tqvUtf8ToCp1252(c.query)), c.terms) << c.query;
  }
  // A long query is only long.
  EXPECT_EQ(lxParseQuery(std::string(10000, '(')).size(), 1u);
  EXPECT_EQ(lxParseQuery(std::string(10000, 'x')).front().words.front().size(), 10000u);
}

TEST(Query, WordsOfTextsDropPunctuationCaseAndAccents) {
  EXPECT_EQ(lxWordsOf(tqvUtf8ToCp1252("Ele disse: \"Ação!\" (e saiu*).")),
            (std::vector<std::string>{"ele", "disse", "acao", "e", "saiu"}));
}

class Search : public AlmanacDiscTest {
 protected:
  static constexpr int32_t E(int id) { return lxReference(LX_SECTION_ENTRIES, id); }
  static constexpr int32_t M(int id) { return lxReference(LX_SECTION_MEDIA, id); }
  static constexpr int32_t A(int id) { return lxReference(LX_SECTION_ATLAS, id); }

  void SetUp() override {
    AlmanacDiscTest::SetUp();
    ASSERT_TRUE(lxWriteWordIndex(S(discPath("KeyWord.idx")), S(discPath("KeyWord.dat")),
                                 {{"brasil", {E(1), E(2)}},
                                  {"brasileiro", {E(0), E(2)}},
                                  {"bandeira", {E(2), M(5)}},
                                  {"astronomia", {E(3)}},
                                  {"astros", {E(4), A(7)}},
                                  {"sol", {E(3), E(4)}}}));
  }
  lxReferenceList search(const char* query, TQVINT mask = LX_ALL_SECTIONS) {
    lxWordIndex index;
    return lxSearch(index, lxParseQuery(tqvUtf8ToCp1252(query)), mask).references;
  }
};

TEST_F(Search, TermsIntersectPrefixesUniteAndTheFilterKeepsSections) {
  struct Case {
    const char* query;
    TQVINT mask;
    lxReferenceList found;
  } cases[] = {
      {"BRASIL", LX_ALL_SECTIONS, {E(1), E(2)}},
      {"brasil bandeira", LX_ALL_SECTIONS, {E(2)}},
      {"astro*", LX_ALL_SECTIONS, {E(3), E(4), A(7)}},
      {"brasil*", LX_ALL_SECTIONS, {E(0), E(1), E(2)}},
      {"astro* sol", LX_ALL_SECTIONS, {E(3), E(4)}},
      {"(sol astros)", LX_ALL_SECTIONS, {E(4)}},
      {"brasil xyzzy", LX_ALL_SECTIONS, {E(1), E(2)}},
      {"xyzzy", LX_ALL_SECTIONS, {}},
      {"bandeira", 1 << (LX_SECTION_ENTRIES - 1), {E(2)}},
      {"bandeira", 1 << (LX_SECTION_MEDIA - 1), {M(5)}},
      {"astros", (1 << (LX_SECTION_MEDIA - 1)) | (1 << (LX_SECTION_ATLAS - 1)), {A(7)}},
  };
  for (const Case& c : cases) EXPECT_EQ(search(c.query, c.mask), c.found) << c.query;
}

TEST_F(Search, AKeyPressStopsTheSearchAndAMissingIndexFindsNothing) {
  lxWordIndex index;
  lxSearchResult stopped =
      lxSearch(index, lxParseQuery("brasil"), LX_ALL_SECTIONS, [] { return 1; });
  EXPECT_TRUE(stopped.interrupted);
  EXPECT_TRUE(stopped.references.empty());
  discFile("KeyWord.dat", "damaged");
  lxWordIndex damaged;
  EXPECT_FALSE(damaged.isOpen());
  EXPECT_TRUE(search("brasil").empty());
  EXPECT_TRUE(errors().empty());
}

TEST_F(Search, ResultLinesAreSortedByNameCharacterByCharacterAndCounted) {
  ASSERT_TRUE(lxCatalogue().initialize());
  std::vector<int32_t> references;
  std::vector<std::string> lines;
  // 999 has no name on the disc and gives no line.
  lxResultLines({E(101), E(103), E(999), M(7), A(41)}, references, lines);
  std::vector<std::string> expected = {"Mídias: Arara-azul", "Verbetes: Brasil", "Verbetes: Vulcão",
                                       "Atlas: Ásia"};
  for (std::string& line : expected) line = tqvUtf8ToCp1252(line);
  EXPECT_EQ(lines, expected);
  EXPECT_EQ(references, (std::vector<int32_t>{M(7), E(101), E(103), A(41)}));
  EXPECT_EQ(lxResultCountText(0), "Nenhum item encontrado");
  EXPECT_EQ(lxResultCountText(1), "1 item encontrados");
  EXPECT_EQ(lxResultCountText(12), "12 itens encontrados");
}

}  // namespace
