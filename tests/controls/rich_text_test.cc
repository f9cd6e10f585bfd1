// The RTF parser's runs written out by hand, its messages and hostile inputs; the text view
// as a user and a form drive it: pages, scrolling, markers, hot spots under clicks, links
// followed, pictures and boxes on screen, and the layout value it hands out.
#include <gtest/gtest.h>

#include <string>

#include "controls/rich_text_layout.h"
#include "controls/rtf_parser.h"
#include "controls/text_layout_value.h"
#include "framework/perform.h"
#include "storage/encoding.h"
#include "storage/memory_stream.h"
#include "storage/stream.h"
#include "tests/controls/controls_fixture.h"
#include "values/buffer.h"
#include "values/convert.h"
#include "values/font.h"
#include "values/text.h"

namespace {

// A value as the notation prints it, on one line.
std::string printed(const tqvHandle& value) {
  std::string out;
  bool space = false;
  for (char c : tqvToStdString(value, true)) {
    if (c == '\n' || (c == ' ' && space)) {
      if (!space) out += ' ';
      space = true;
      continue;
    }
    space = c == ' ';
    out += c;
  }
  return out;
}

class RichText : public ControlsTest {
 protected:
  static tqvHandle request(const std::string& rtf) {
    tqvHandle r = tqvTable(8);
    tqvPut(r, "Type", S("RTF"));
    tqvPut(r, "Buffer", S(rtf));
    tqvPut(r, "Font", tqvMakeFont(S("Arial"), 10, 0));
    tqvPut(r, "HotColor", tqvMakeInt(0xFF0000));
    return r;
  }
  // The runs as the notation prints them, one after another.
  static std::string runs(const std::string& rtf) {
    tqvHandle result = tqvParseRTF(request(rtf));
    std::string out;
    tqvListObject* list = tqvAsList(tqvGet(result, "TextRuns"));
    for (TQVINT i = 0; list != nullptr && i < list->count(); ++i) {
      out += (i > 0 ? " " : "") + printed(list->itemAt(i));
    }
    return out;
  }
  static std::string fonts(const std::string& rtf) {
    return printed(tqvGet(tqvParseRTF(request(rtf)), "ListFonts"));
  }

  // A form with a text view `T` whose hot spot is (20, 20)-(420, 220): the column starts
  // 6 pixels in and 4 down, and is 16 pixels narrower than the view with its bar.
  tqvHandle view(const std::string& extra = "") {
    show(R"((form ("Class" "LoggingForm") ("Control List" (list
           (control ("Class" "TextView") ("Name" "T") ("Hot Spot" (rect 20 20 400 200))
                    ("Font" (font "Arial" 10 0)) ("HotSpotColor" 16711680) )" +
         extra + ")))))");
    return control("T");
  }
  // Sets the text as a buffer, which the view takes without wrapping it.
  static void setText(const tqvHandle& view, const std::string& rtf) {
    tqvPerform(view, "SetText", tqvBufferFromString(S(rtf)));
  }
  static TQVINT act(const tqvHandle& view, const char* action,
                    const tqvHandle& data = tqvHandle()) {
    return tqvNumberOf(tqvPerform(view, action, data), -1);
  }
  static std::string lines(int count) {
    std::string text = "{";
    for (int i = 0; i < count; ++i) text += "linha " + std::to_string(i) + "\\par ";
    return text + "}";
  }
};

constexpr const char* kBase = "(list 1 0 0 16777215 0)";

TEST_F(RichText, TheParserGivesTheseRuns) {
  struct Case {
    const char* rtf;
    std::string expected;  // after the base format run
  } cases[] = {
      {"{\\b bold}\\par", "(list 1 1 0 16777215 0) (list 2 \"bold\") (list 1 0 0 16777215 0) 5"},
      {"\\'e9", "(list 4 233)"},
      {"a\\'E9b", "(list 2 \"a\") (list 4 233) (list 2 \"b\")"},
      {"\\emdash x\\endash", "(list 2 \"\\x97x\\x96\")"},
      {"\\lquote\\rquote\\ldblquote\\rdblquote\\bullet ", "(list 2 \"\\x91\\x92\\x93\\x94\\x95\")"},
      // Two changes with nothing between make one format run.
      {"\\b\\i x", "(list 1 1 0 16777215 0) (list 2 \"x\")"},
      {"line one\nline two\ttab\r", "(list 2 \"line one\\nline twotab\\r\")"},
      {"\\fs36 big", "(list 1 1 0 16777215 0) (list 2 \"big\")"},
      {"\\b x\\plain y",
       "(list 1 1 0 16777215 0) (list 2 \"x\") (list 1 0 0 16777215 0) (list 2 \"y\")"},
      {"\\qc x", "6 (list 1 0 0 16777215 1) (list 2 \"x\")"},
      {"\\page\\pard\\fi-240\\li480\\box1 ", "3 16 (list 18 -240) (list 19 480) (list 22 1)"},
      {"\\tx720\\tqr\\tx1440\\tx2000\\tab", "(list 14 720) (list 15 1440) (list 14 2000) 9"},
      // Hot spots: the target after "!" in braces or up to a space; none without "!".
      {"{\\uldb Ver tamb\\'e9m}!\\{jump:Index\\}",
       "(list 1 1 16711680 16777215 0) (list 12 \"Ver tamb\\xe9m\" \"jump:Index\") "
       "(list 1 0 0 16777215 0)"},
      {"{\\uldb Ver}! alvo fim",
       "(list 1 1 16711680 16777215 0) (list 12 \"Ver\" \"alvo\") (list 1 0 0 16777215 0) "
       "(list 2 \" fim\")"},
      {"{\\uldb Ver}", "(list 1 1 16711680 16777215 0) (list 12 \"Ver\") (list 1 0 0 16777215 0)"},
      {"\\uldb a\\uldb0 !\\{t\\}",
       "(list 1 1 16711680 16777215 0) (list 12 \"a\" \"t\") (list 1 0 0 16777215 0)"},
      {"{\\uldb marker}!\\{fim\\}",
       "(list 1 1 16711680 16777215 0) (list 17 \"MARKER\" \"fim\") (list 1 0 0 16777215 0)"},
      {"{\\uldb}x", "(list 1 0 0 16777215 0) (list 2 \"x\")"},
      // Struck text, and a hot spot inside it.
      {"a {\\strike hit} b",
       "(list 2 \"a \") (list 1 1 16711680 16777215 0) (list 20 \"hit\") "
       "(list 1 0 0 16777215 0) (list 2 \" b\")"},
      {"{\\strike {\\uldb x}!\\{t\\}}y",
       "(list 1 1 16711680 16777215 0) (list 21 \"x\" \"t\") (list 1 0 0 16777215 0) "
       "(list 2 \"y\")"},
      // Images, plain and as hot spots, with the name after an escaped brace too.
      {"{\\img pic.bmp\\}", "(list 10 \"pic.bmp\")"},
      {"{\\uldb {\\img pic.bmp\\}}!\\{open\\}",
       "(list 1 1 16711680 16777215 0) (list 10 \"pic.bmp\") (list 13 \"pic.bmp\" \"open\") "
       "(list 1 0 0 16777215 0)"},
      {"{\\uldb \\{img pic.bmp\\}}!\\{open\\}",
       "(list 1 1 16711680 16777215 0) (list 10 \"pic.bmp\") (list 13 \"pic.bmp\" \"open\") "
       "(list 1 0 0 16777215 0)"},
      // Skipped words and groups; more closing braces than opening ones.
      {"{\\height99 skipped}x\\foo123 y", "(list 2 \"xy\")"},
      {"}}x{", "(list 2 \"x\")"},
      {"\\\\\\{\\}", "(list 2 \"\\\\{}\")"},
  };
  for (const Case& c : cases) {
    std::string expected = kBase + std::string(c.expected.empty() ? "" : " ") + c.expected;
    EXPECT_EQ(runs(c.rtf), expected) << c.rtf;
  }
  EXPECT_EQ(fonts("{\\b x}{\\fs36 y}"),
            R"((list (font "Arial" 10 0) (font "Arial" 10 2) (font "Arial" 18 0)))");
  EXPECT_EQ(runs("Plain text, no words."),
            std::string(kBase) + R"( (list 2 "Plain text, no words."))");
  EXPECT_TRUE(errors().empty());
}

TEST_F(RichText, TheParserReportsWhatItRefuses) {
  useWindow();
  tqvHandle r = request("x");
  tqvPut(r, "Type", S("HTML"));
  EXPECT_TRUE(tqvParseRTF(r).isNil());
  tqvPut(r, "Type", S("RTF"));
  tqvPut(r, "Buffer", tqvMakeInt(3));
  EXPECT_TRUE(tqvParseRTF(r).isNil());
  EXPECT_EQ(runs("a\\'zzb"), std::string(kBase) + R"( (list 2 "a") (list 2 "b"))");
  EXPECT_EQ(errors(), (std::vector<std::string>{"Invalid parse type: HTML",
                                                "Bad buffer or string passed to parseRTF::init()",
                                                "Bad hex character while parsing rtf"}));
  // A font without a name is a warning in a box; the text is parsed all the same.
  tqvPut(r, "Buffer", S("x"));
  tqvPut(r, "Font", tqvMakeFont(tqvHandle(), 10, 0));
  EXPECT_FALSE(tqvParseRTF(r).isNil());
  EXPECT_NE(transcript().find("Warning: font problem"), std::string::npos);
}

TEST_F(RichText, HostileTextsEndQuicklyAndLayOutWithinTheirCap) {
  const std::string deep = std::string(1000000, '{') + "x" + std::string(1000000, '}');
  const std::string texts[] = {
      deep,
      "{\\uldb never closed",
      "{\\img no closing escape",
      "{\\uldb x}!\\{no end",
      "\\fs999999999999999999999999 huge \\fi-99999999999999 \\li99999999999 \\tx-5\\tab x",
      std::string(3000, '\\') + "'",
      "\\'",
  };
  for (const std::string& text : texts) {
    tqvHandle parsed = tqvParseRTF(request(text));
    ASSERT_FALSE(parsed.isNil());
    tqvRichTextLayout layout(tqvGet(parsed, "TextRuns"), tqvGet(parsed, "ListFonts"), 300, 200, {});
    layout.layOutAll();
    EXPECT_GE(layout.height(), 0);
  }
  // A text longer than the cap is cut with a note that says so.
  tqvRichTextStyle small;
  small.largestText = 100;
  tqvHandle parsed = tqvParseRTF(request(std::string(500, 'a')));
  tqvRichTextLayout cut(tqvGet(parsed, "TextRuns"), tqvGet(parsed, "ListFonts"), 300, 200, small);
  EXPECT_TRUE(cut.cut());
  EXPECT_EQ(cut.plainText().substr(0, 101), std::string(100, 'a') + "\n");
  EXPECT_NE(cut.plainText().find("longo demais"), std::string::npos);
}

TEST_F(RichText, PagesScrollingAndMarkers) {
  startSession("");
  tqvHandle t = view();
  setText(t, lines(40) + "{\\uldb marker}!\\{m\\}" + lines(60));
  EXPECT_EQ(act(t, "GetValue"), 0);
  TQVINT line = act(t, "LineDown");
  EXPECT_GT(line, 8);
  EXPECT_EQ(act(t, "LineUp"), 0);
  // The marker's paragraph comes after 40 lines of the base font.
  EXPECT_EQ(act(t, "GotoMarker", S("m")), 40 * line);
  EXPECT_TRUE(tqvPerform(t, "GotoMarker", S("nenhum")).isNil());
  EXPECT_EQ(act(t, "SetTextRun", tqvMakeInt(3)), line);  // run 3 is the second line's text
  EXPECT_EQ(act(t, "Home"), 0);
  TQVINT end = act(t, "End");
  EXPECT_EQ(end, tqvNumberOf(tqvGet(t, "Max"), -2));
  EXPECT_GT(end, 80 * line);
  EXPECT_EQ(act(t, "SetValue", tqvMakeInt(end + 500)), end);
  EXPECT_EQ(act(t, "SetValue", tqvMakeInt(-5)), 0);
  tqvPut(t, "PageInc", tqvMakeInt(50));
  EXPECT_EQ(act(t, "PageDown"), 50);
  EXPECT_EQ(act(t, "PageUp"), 0);
  // Pages: every line that would cross the view's height starts one; \page forces one.
  TQVINT pages = act(t, "TotalPages");
  EXPECT_GE(pages, 101 * line / 192);
  EXPECT_EQ(act(t, "NextPage"), 2);
  EXPECT_EQ(act(t, "CurrentPage"), 2);
  EXPECT_EQ(act(t, "PrevPage"), 1);
  setText(t, "{um\\page dois\\page tr\\'eas}");
  EXPECT_EQ(act(t, "TotalPages"), 3);
  EXPECT_EQ(act(t, "NextPage"), 2);
  EXPECT_EQ(act(t, "NextPage"), 3);
  EXPECT_EQ(act(t, "NextPage"), 3);
  EXPECT_EQ(tqvStringView(tqvGet(t, "StrippedRTF")), "um\ndois\ntr\xeas\n");
  tqvPerform(t, "ClearText");
  EXPECT_EQ(act(t, "TotalPages"), 1);
  EXPECT_TRUE(errors().empty());
}

TEST_F(RichText, TheWheelAndTheKeysScrollTheActiveView) {
  startSession("wheel 100 100 2\nkey F12\nclick 100 100\nkey Down\nkey F12\nkey End\nkey F12\n");
  tqvHandle t = view();
  setText(t, lines(80));
  TQVINT line = act(t, "LineDown");
  act(t, "Home");
  ASSERT_TRUE(runToMarker());
  EXPECT_EQ(act(t, "GetValue"), 6 * line);  // three lines a notch
  ASSERT_TRUE(runToMarker());
  EXPECT_EQ(act(t, "GetValue"), 7 * line);
  ASSERT_TRUE(runToMarker());
  EXPECT_EQ(act(t, "GetValue"), tqvNumberOf(tqvGet(t, "Max"), -2));
}

TEST_F(RichText, AClickOnAHotSpotTellsTheFormAndFollowsPlainLinks) {
  // "Ver" starts the column's first line; "Centro" is centred on the second, so its
  // left end is far from the column's.
  startSession(
      "click 30 28\nkey F12\nclick 200 28\nkey F12\nclick 30 46\nkey F12\nclick 220 46\nkey F12\n"
      "click 30 64\nkey F12\n");
  tqvHandle t = view();
  setText(t,
          "{{\\uldb Ver}!\\{jump:Index\\}\\par\\qc{\\uldb Centro}!\\{c\\}\\par\\pard"
          "{\\uldb Fim}!\\{#fim\\}\\par" +
              lines(60) + "{\\uldb marker}!\\{fim\\}}");
  struct Step {
    const char* context;  // "" for none
    size_t actions;       // what the form has been told so far
  } steps[] = {{"jump:Index", 1}, {"jump:Index", 1}, {"jump:Index", 1}, {"c", 2}, {"#fim", 3}};
  for (const Step& step : steps) {
    ASSERT_TRUE(runToMarker());
    EXPECT_EQ(tqvToStdString(tqvPerform(t, "GetContext"), false), step.context);
    EXPECT_EQ(LoggingForm::log().size(), step.actions);
  }
  EXPECT_EQ(LoggingForm::log().back(), "T");
  // The form followed the link to the marker itself.
  EXPECT_EQ(act(t, "GetValue"), act(t, "GotoMarker", S("fim")));
  tqvHandle spots = tqvPerform(t, "hotspotList");
  EXPECT_EQ(printed(spots),
            R"((list (list "Ver" "jump:Index") (list "Centro" "c") (list "Fim" "#fim")))");
}

TEST_F(RichText, PicturesBoxesAndStruckTextShow) {
  // A boxed paragraph from the column's top (screen y 24), an empty one, a picture of
  // 80 x 60 that is a hot spot (from about y 68), then struck text.
  startSession("click 60 100\nkey F12\n");
  discFile("azul.bmp", solid(8, 8, 0x0000FF));
  tqvHandle t = view(R"(("BoxColor" 65280))");  // green boxes
  tqvHandle images = tqvTable(2);
  tqvPut(images, "azul", read(R"((list "azul.bmp" 80 60))"));
  tqvPerform(t, "SetImageList", images);
  setText(t,
          "{\\box1 Quadro\\par\\pard\\par{\\uldb {\\img azul\\}}!\\{open\\}\\par "
          "{\\strike achado}}");
  runScript();
  EXPECT_EQ(tqvToStdString(tqvPerform(t, "GetContext"), false), "open");
  EXPECT_EQ(pixel(30, 28), 0x00FF00u);           // inside the box, left of its text
  EXPECT_TRUE(all(40, 80, 90, 120, 0x0000FFu));  // inside the picture
  // Struck text lies on the search-hit colour (#FFF080).
  EXPECT_GT((400 - 26) * (220 - 20) - differing(26, 20, 400, 220, 0xFFF080), 20);
  EXPECT_TRUE(errors().empty());
}

TEST_F(RichText, ALayoutValueShowsWithoutParsingAndEncodesItsSize) {
  startSession("");
  tqvHandle t = view();
  setText(t, "{\\b Negrito} e {\\uldb link}!\\{alvo\\}\\par");
  tqvHandle layout = tqvPerform(t, "GetLayout");
  ASSERT_TRUE(layout.is(TQV_LAYOUT_TYPE));
  tqvPerform(t, "ClearText");
  tqvPerform(t, "SetText", layout);
  EXPECT_EQ(printed(tqvPerform(t, "hotspotList")), R"((list (list "link" "alvo")))");
  // Tag 17, then the width and the height as little-endian TQVINTs.
  tqvHandle stream = tqvMemoryStream(nullptr, 0);
  tqvEncode(stream, layout);
  auto* memory = static_cast<tqvMemoryStreamObject*>(tqvAsStream(stream));
  std::string bytes(memory->writtenBytes());
  TQVINT width = tqvWidth(layout), height = tqvHeight(layout);
  auto little = [](TQVINT v) {
    return std::string{static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
                       static_cast<char>(v >> 24)};
  };
  EXPECT_EQ(bytes.substr(0, 9), "\x11" + little(width) + little(height));
  EXPECT_GT(height, 0);
  memory->seek(0);
  tqvHandle back = tqvDecode(stream);
  ASSERT_TRUE(back.is(TQV_LAYOUT_TYPE));
  EXPECT_EQ(printed(tqvAsTextLayout(back)->runs()), printed(tqvAsTextLayout(layout)->runs()));
}

}  // namespace
