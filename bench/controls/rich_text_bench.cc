// The rich text of a long entry: parsing 100 KB of RTF with hundreds of hot spots, laying
// it out in the text view's column as far as the first page (what showing it costs: the
// rest is laid out as the reader scrolls) and both, against a budget of 10 ms together;
// also laying out the whole text, what "End" or the page count cost once. The parser's
// time per byte at 1, 10 and 100 MB shows that it stays linear.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/common/ratio_reporter.h"
#include "controls/controls_library.h"
#include "controls/rich_text_layout.h"
#include "controls/rtf_parser.h"
#include "framework/program.h"
#include "values/values.h"

namespace {

constexpr double kBudgetMs = 10.0;

// A text like an entry's: headings, paragraphs with bold and italic words, a hot spot
// every few sentences, a table with tabs and a box now and then.
std::string entryText(size_t bytes) {
  static const char* const kSentences[] = {
      "O rio corre para o leste por plan\\'edcies largas, onde a floresta chega at\\'e9 a margem. ",
      "Na esta\\'e7\\'e3o das chuvas o n\\'edvel da \\'e1gua sobe {\\b mais de dez metros}. ",
      "Os barcos levam {\\i dias} entre as cidades, parando em cada comunidade do caminho. ",
      "A pesca e a coleta de frutos sustentam as fam\\'edlias que vivem \\'e0s margens. ",
  };
  std::string text = "{\\pard\\qc\\fs32\\b T\\'edtulo do verbete\\b0\\par\\pard\\fs24 ";
  for (size_t i = 0; text.size() < bytes; ++i) {
    text += kSentences[i % 4];
    if (i % 3 == 0)
      text += "{\\uldb Ver tamb\\'e9m " + std::to_string(i) + "}!\\{jump:V" + std::to_string(i) +
              "\\} ";
    if (i % 8 == 7) text += "\\par\n";
    if (i % 40 == 39) {
      text += "\\pard\\box1{\\b Quadro}\\par Um texto destacado em um quadro.\\par\\pard\n";
      text += "\\tqr\\tx5000 Comprimento\\tab 6.400 km\\par\n";
    }
  }
  return text + "}";
}

struct Setup {
  Setup() : program(setup()) {}
  static tqvProgramSetup setup() {
    tqvProgramSetup s;
    s.title = "bench";
    s.installLibraries = tqvInstallControls;
    return s;
  }
  tqvProgram program;
};

tqvHandle request(const std::string& text) {
  tqvHandle r = tqvTable(8);
  tqvPut(r, "Type", tqvMakeString("RTF"));
  tqvPut(r, "Buffer", tqvMakeString(text));
  tqvPut(r, "Font", tqvMakeFont(tqvMakeString("Verdana"), 9, 0));
  return r;
}

void budget(benchmark::State& state) {
  state.counters["of_budget"] =
      benchmark::Counter(kBudgetMs / 1000.0, benchmark::Counter::kIsIterationInvariantRate |
                                                 benchmark::Counter::kInvert);
}

void Parse(benchmark::State& state) {
  Setup s;
  tqvHandle r = request(entryText(100 * 1024));
  for (auto _ : state) benchmark::DoNotOptimize(tqvParseRTF(r));
  budget(state);
}

constexpr TQVINT kColumn = 560;
constexpr TQVINT kPage = 340;

tqvRichTextStyle verdana() {
  tqvRichTextStyle style;
  style.font = tqvMakeFont(tqvMakeString("Verdana"), 9, 0);
  return style;
}

// Lays out the first page (`all`: everything) of a parsed text.
TQVINT layOut(const tqvHandle& parsed, bool all) {
  tqvRichTextLayout layout(tqvGet(parsed, "TextRuns"), tqvGet(parsed, "ListFonts"), kColumn, kPage,
                           verdana());
  if (all) {
    layout.layOutAll();
  } else {
    layout.layOutTo(kPage);
  }
  return layout.height();
}

void LayoutFirstPage(benchmark::State& state) {
  Setup s;
  tqvHandle parsed = tqvParseRTF(request(entryText(100 * 1024)));
  for (auto _ : state) benchmark::DoNotOptimize(layOut(parsed, false));
  budget(state);
}

void LayoutAll(benchmark::State& state) {
  Setup s;
  tqvHandle parsed = tqvParseRTF(request(entryText(100 * 1024)));
  for (auto _ : state) benchmark::DoNotOptimize(layOut(parsed, true));
  budget(state);
}

void ParseAndShow(benchmark::State& state) {
  Setup s;
  tqvHandle r = request(entryText(100 * 1024));
  for (auto _ : state) benchmark::DoNotOptimize(layOut(tqvParseRTF(r), false));
  budget(state);
}

// Nanoseconds per byte should not grow with the size.
void ParseMegabytes(benchmark::State& state) {
  Setup s;
  size_t bytes = static_cast<size_t>(state.range(0)) << 20;
  tqvHandle r = request(entryText(bytes));
  for (auto _ : state) benchmark::DoNotOptimize(tqvParseRTF(r));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}

}  // namespace

BENCHMARK(Parse)->Unit(benchmark::kMillisecond);
BENCHMARK(LayoutFirstPage)->Unit(benchmark::kMillisecond);
BENCHMARK(ParseAndShow)->Unit(benchmark::kMillisecond);
BENCHMARK(LayoutAll)->Unit(benchmark::kMillisecond);
BENCHMARK(ParseMegabytes)->Arg(1)->Arg(10)->Arg(100)->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  return tqvbench::runWithRatios(argc, argv);
}
