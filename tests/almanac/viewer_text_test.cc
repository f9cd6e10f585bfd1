// The text viewers' pure parts: where each kind of link leads, the parameters of an open
// target, the search terms marked in an entry's RTF, and the plain text a copy takes.
// Expected values written out by hand.
#include <gtest/gtest.h>

#include "almanac/entries/hyperlinks.h"
#include "almanac/entries/plain_copy.h"
#include "almanac/entries/search_highlight.h"
#include "tests/almanac/almanac_fixture.h"
#include "values/convert.h"
#include "values/generic.h"
#include "values/string.h"
#include "values/text.h"

namespace {

std::string cp(const std::string& utf8) {
  return tqvUtf8ToCp1252(utf8);
}

TEST(Hyperlinks, EachKindLeadsWhereItSays) {
  using Kind = lxLinkAction::Kind;
  const std::vector<std::string> infos = {"in0001", "mmeurop"};
  struct Case {
    const char* link;  // UTF-8
    bool dialog;
    Kind kind;
    const char* target;  // UTF-8
  } cases[] = {
      {"foto:Arara-azul", false, Kind::OpenTarget, "MidiasForm;Arara-azul"},
      {"video:A posse", false, Kind::OpenTarget, "MidiasForm;A posse"},
      {"bandeira:Brasil", false, Kind::OpenTarget, "MidiasForm;Brasil"},
      {"imagem:IN0001", false, Kind::GoToForm, "in0001"},
      {"imagem:mb9999", false, Kind::None, ""},
      {"imagem:Arara", false, Kind::OpenTarget, "MidiasForm;Arara"},
      {"info:In0001", false, Kind::GoToForm, "in0001"},
      {"info:arara", false, Kind::None, ""},
      {"mapa:MMEUROP", false, Kind::GoToForm, "mmeurop"},
      {"mapa:França", false, Kind::OpenTarget, "AtlasForm;frança"},
      {"audio:Hino.wav", false, Kind::PlaySound, "Hino.wav"},
      {"jump:VerbeteForm;Rio Amazonas", false, Kind::OpenTarget, "VerbeteForm;Rio Amazonas"},
      {"Foto:Arara", false, Kind::Message, "Ação deconhecida: Foto[Arara]"},
      {"som:a:b", false, Kind::Message, "Ação deconhecida: som[a:b]"},
      {"semdoispontos", false, Kind::Message, "Ação deconhecida: semdoispontos[]"},
      {"", false, Kind::None, ""},
      // Dialogs show maps and images in the media viewer.
      {"mapa:mmeurop", true, Kind::OpenTarget, "MidiasForm;mmeurop"},
      {"imagem:in0001", true, Kind::OpenTarget, "MidiasForm;in0001"},
      {"info:in0001", true, Kind::GoToForm, "in0001"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(lxLinkActionFor(cp(c.link), c.dialog, infos), (lxLinkAction{c.kind, cp(c.target)}))
        << c.link;
  }
}

class ViewerText : public AlmanacDiscTest {};

TEST_F(ViewerText, OpenTargetsTakeTheParametersOfTheirForm) {
  struct Case {
    const char* target;  // UTF-8
    const char* form;
    const char* parameters;  // notation, UTF-8
  } cases[] = {
      {"VerbeteForm; Rio Amazonas ", "VerbeteForm",
       R"((table ("Text" "rio amazonas") ("FullList" true)))"},
      {"MidiasForm;Ipê-Amarelo", "MidiasForm",
       R"((table ("Text" "ipê-amarelo") ("FullList" true)))"},
      {"VerbeteForm;a;b", "VerbeteForm", "nil"},
      {"VerbeteForm", "VerbeteForm", "nil"},
      {"AtlasForm; França ", "AtlasForm", R"("França")"},
      {"in0001;qualquer", "in0001", "nil"},
  };
  for (const Case& c : cases) {
    lxOpenTarget open = lxOpenTargetOf(cp(c.target));
    EXPECT_EQ(open.form, c.form) << c.target;
    EXPECT_EQ(tqvToStdString(open.parameters, true), tqvToStdString(read(c.parameters), true))
        << c.target;
  }
}

TEST(SearchHighlight, MarksQualifyingOccurrencesOfEachTerm) {
  struct Case {
    const char* query;  // UTF-8
    const char* text;
    const char* marked;
  } cases[] = {
      // Prefixes mark the start of every word that begins with them, not words that hold them.
      {"astro*", "A astronomia e o astro. Gastronomia",
       R"(A {\strike astro}nomia e o {\strike astro}. Gastronomia)"},
      // Whole words only, case and accents aside.
      {"sol", "O sol, solar e girassol.", R"(O {\strike sol}, solar e girassol.)"},
      {"AGUA", "Na Água (água)", R"(Na {\strike Água} ({\strike água}))"},
      {"(rio)", "rio \"rio\" -rio?", R"({\strike rio} "{\strike rio}" -{\strike rio}?)"},
      // A phrase marks its words together, one blank apart, and never a word alone.
      {"(rio amazonas)", "O rio Amazonas, o rio Negro; amazonas e rio",
       R"(O {\strike rio Amazonas}, o rio Negro; amazonas e rio)"},
      // Inside a link's visible text the whole link is marked; its target never is.
      {"também", R"(Veja {\uldb Ver também}!\{jump:VerbeteForm;Também\} aqui)",
       R"(Veja {\strike {\uldb Ver também}}!\{jump:VerbeteForm;Também\} aqui)"},
      {"brasil*", R"(O {\uldb mapa}!\{mapa:Brasil\} e a {\uldb foto}!\{foto:Foto do Brasil\}.)",
       R"(O {\uldb mapa}!\{mapa:Brasil\} e a {\uldb foto}!\{foto:Foto do Brasil\}.)"},
      {"ver também", R"({\uldb Ver também}!\{jump:x\})",
       R"({\strike {\uldb Ver também}}!\{jump:x\})"},
      // RTF words and a word already marked are left alone.
      {"par b", R"(\par {\b negrito})", R"(\par {\b negrito})"},
      {"sol sol*", "o sol", R"(o {\strike sol})"},
      {"", "texto", "texto"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(lxHighlightSearchTerms(cp(c.query), cp(c.text)), cp(c.marked)) << c.query;
  }
}

TEST_F(ViewerText, CopiesKeepTextAndLinksWithALineFeedPerParagraph) {
  tqvHandle text = S(R"({\b Estrela} do {\uldb sistema}!\{jump:VerbeteForm;Sistema Solar\}.\par
\pard\fi360 {\i Fim}\tab !)");
  EXPECT_EQ(lxPlainTextForCopy(S("Sol"), text, "Verdana"), "Sol\n\nEstrela do sistema.\n\nFim!");
  EXPECT_EQ(lxPlainTextForCopy(tqvHandle(), S("Lua"), "Arial"), "Lua");
}

}  // namespace
