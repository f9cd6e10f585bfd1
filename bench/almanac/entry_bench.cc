// Opening each entry of the demo disc as the entry viewer does: its record fetched from
// the catalogue, then "SetText" on the viewer's text view, which parses the RTF, lays out
// the first page and draws it into the headless window's off-screen surface. The same
// text is also taken through each step alone (parsed, laid out to the first page in the
// view's column and style, drawn into an image surface) to show where the time goes.
// Figures: the median and 99th percentile over the entries (each entry's time is its
// median over the rounds) and the slowest entry.
//
// Option: --rounds=N (default 10).
#include <cairo.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "almanac/catalogue/content_catalogue.h"
#include "bench/almanac/headless_almanac.h"
#include "bench/almanac/timings.h"
#include "controls/rich_text_layout.h"
#include "controls/rtf_parser.h"
#include "controls/text_view_control.h"
#include "framework/form_object.h"
#include "framework/forms.h"
#include "framework/perform.h"
#include "framework/runtime.h"
#include "media/resources.h"
#include "storage/archive.h"
#include "values/values.h"

namespace {

namespace fs = std::filesystem;
using lxbench::Clock;
using lxbench::microsecondsSince;
using lxbench::Timings;

constexpr TQVINT kEntries = static_cast<TQVINT>(lxContentKind::Entries);
// Longer than a placeholder's RTF and its related entries.
constexpr size_t kPlaceholderBytes = 200;

tqvHandle S(std::string_view text) {
  return tqvMakeString(text);
}

// The text the viewer gives its text view: the entry's RTF and its related entries.
tqvHandle viewerText(const tqvHandle& record) {
  std::string text(tqvStringView(tqvGet(record, 4)));
  tqvHandle related = tqvGet(record, 5);
  if (related.is(TQV_STRING_TYPE) && tqvStringLength(related) > 0) {
    text +=
        tqvUtf8ToCp1252("\\par\\par (Veja Também: ") + std::string(tqvStringView(related)) + ")";
  }
  return S(text);
}

// The parse request the text view makes, in its style.
tqvHandle parseRequest(const tqvHandle& text, const tqvRichTextStyle& style) {
  tqvHandle request = tqvTable(8);
  tqvPut(request, "Type", S("RTF"));
  tqvPut(request, "Buffer", text);
  tqvPut(request, "Font", style.font);
  tqvPut(request, "ForeColor", tqvMakeInt(style.textColour));
  tqvPut(request, "BackColor", tqvMakeInt(0xFFFFFF));
  tqvPut(request, "HotStyle", tqvMakeInt(8));
  tqvPut(request, "HotColor", tqvMakeInt(style.hotColour));
  return request;
}

struct Entry {
  std::string title;
  size_t bytes = 0;
  Timings fetch, get, shown, parse, layout, draw;
  Timings openedCpu;  // fetch and SetText in CPU time
};

double medianOf(const std::vector<Entry>& entries, const Timings Entry::*timings, double q) {
  Timings across;
  for (const Entry& e : entries) across.add((e.*timings).median());
  return across.quantile(q);
}

int option(int argc, char** argv, const char* name, int fallback) {
  size_t length = std::strlen(name);
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], name, length) == 0 && argv[i][length] == '=')
      return std::atoi(argv[i] + length + 1);
  }
  return fallback;
}

}  // namespace

int main(int argc, char** argv) {
  int rounds = std::max(1, option(argc, argv, "--rounds", 10));
  fs::path user = fs::temp_directory_path() / ("lx-entry-bench-" + std::to_string(::getpid()));
  fs::create_directories(user);
  ::setenv("XDG_RUNTIME_DIR", user.c_str(), 1);
  HeadlessAlmanac almanac(user.string());

  tqvHandle data = tqvTable(4);
  tqvPut(data, "Index", tqvMakeInt(0));
  tqvPut(data, "NoFade", TQV_TRUE);
  tqvShowForm(S("VerbeteForm"), data, true);
  tqvFormObject* form = tqvAsFormObject(tqvActiveForm());
  tqvHandle viewHandle = form != nullptr ? form->findControl(S("Texto"), S("Name")) : tqvHandle();
  auto* view = dynamic_cast<tqvTextViewControl*>(tqvAsControl(viewHandle));
  TQVINT count = lxCatalogue().contentCount(kEntries);
  if (tqvActiveFormName() != "VerbeteForm" || view == nullptr || view->layout() == nullptr ||
      count <= 0) {
    std::printf("the entry viewer did not open on the demo disc at %s\n", DEMO_DISC);
    fs::remove_all(user);
    return 1;
  }
  const tqvRichTextStyle style = view->layout()->style();
  const TQVINT width = view->layout()->width();
  TQVINT left, top, right, bottom;
  view->columnArea(left, top, right, bottom);
  const TQVINT page = bottom - top;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, page);
  cairo_t* cr = cairo_create(surface);

  // The entries' archive kept open, to tell the record's decoding from the catalogue's
  // locating and opening of the file, which it does for every fetch.
  tqvHandle archive = tqvOpenArchive(tqvLocateFile(S("Verbetes"), S("DAT")), 0);
  if (!archive.is(TQV_ARCHIVE_TYPE) || tqvCount(archive) != count) {
    std::printf("the entries' archive did not open on its own\n");
    fs::remove_all(user);
    return 1;
  }

  std::vector<Entry> entries(static_cast<size_t>(count));
  for (int round = 0; round < rounds; ++round) {
    for (TQVINT position = 0; position < count; ++position) {
      Entry& e = entries[static_cast<size_t>(position)];
      double cpu = lxbench::cpuMicroseconds();
      Clock::time_point begin = Clock::now();
      tqvHandle record = lxCatalogue().contentItem(kEntries, position);
      e.fetch.add(microsecondsSince(begin));
      double fetchCpu = lxbench::cpuMicroseconds() - cpu;
      if (tqvAsList(record) == nullptr || tqvCount(record) < 5) continue;
      begin = Clock::now();
      tqvHandle again = tqvGet(archive, position);
      e.get.add(microsecondsSince(begin));
      if (!tqvEquals(tqvGet(again, 0), tqvGet(record, 0)))
        std::printf("!!! record %d differs\n", position);
      tqvHandle text = viewerText(record);
      cpu = lxbench::cpuMicroseconds();
      begin = Clock::now();
      tqvPerform(viewHandle, "SetText", text);
      e.shown.add(microsecondsSince(begin));
      e.openedCpu.add(fetchCpu + lxbench::cpuMicroseconds() - cpu);
      e.title = tqvCp1252ToUtf8(tqvStringView(tqvGet(record, 2)));
      e.bytes = tqvStringView(text).size();

      begin = Clock::now();
      tqvHandle parsed = tqvParseRTF(parseRequest(text, style));
      e.parse.add(microsecondsSince(begin));
      begin = Clock::now();
      tqvRichTextLayout layout(tqvGet(parsed, "TextRuns"), tqvGet(parsed, "ListFonts"), width, page,
                               style);
      layout.layOutTo(page);
      e.layout.add(microsecondsSince(begin));
      begin = Clock::now();
      layout.draw(cr, 0, 0, 0, nullptr);
      cairo_surface_flush(surface);
      e.draw.add(microsecondsSince(begin));
    }
  }
  cairo_destroy(cr);
  cairo_surface_destroy(surface);

  std::printf("Opening the %d entries of the demo disc, %d rounds (column %d x %d)\n", count,
              rounds, width, page);
  std::printf("%-44s %12s %12s\n", "step (microseconds per entry)", "median", "p99");
  const std::pair<const char*, const Timings Entry::*> rows[] = {
      {"fetch the record from the catalogue", &Entry::fetch},
      {"  alone: get it from the open archive", &Entry::get},
      {"SetText on the viewer's text view", &Entry::shown},
      {"  alone: parse the RTF", &Entry::parse},
      {"  alone: lay out the first page", &Entry::layout},
      {"  alone: draw the first page", &Entry::draw}};
  for (const auto& [name, timings] : rows) {
    std::printf("%-44s %12.1f %12.1f\n", name, medianOf(entries, timings, 0.5),
                medianOf(entries, timings, 0.99));
  }
  // Entries still waiting for their text ("Em preparação.") open faster than written
  // ones, so the written ones are also shown apart.
  Timings opened, written, cpu;
  std::vector<const Entry*> bySlowness;
  for (const Entry& e : entries) {
    double t = e.fetch.median() + e.shown.median();
    opened.add(t);
    cpu.add(e.openedCpu.median());
    if (e.bytes > kPlaceholderBytes) written.add(t);
    bySlowness.push_back(&e);
  }
  std::printf("%-44s %12.1f %12.1f\n", "opened: fetch + SetText", opened.median(), opened.p99());
  std::printf("%-44s %12.1f %12.1f\n", "  the same in CPU time", cpu.median(), cpu.p99());
  std::printf("%-44s %12.1f %12.1f\n",
              ("  the " + std::to_string(written.count()) + " entries with a text").c_str(),
              written.median(), written.p99());
  std::sort(bySlowness.begin(), bySlowness.end(), [](const Entry* a, const Entry* b) {
    return a->fetch.median() + a->shown.median() > b->fetch.median() + b->shown.median();
  });
  std::printf(
      "\nslowest entries (microseconds: opened = fetch + SetText, also in CPU time; parse, "
      "layout, draw alone)\n");
  for (size_t i = 0; i < bySlowness.size() && i < 5; ++i) {
    const Entry& e = *bySlowness[i];
    // Padded by characters, not bytes, so that accented titles line up.
    size_t shown = 0;
    for (char c : e.title) shown += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    std::string title = e.title + std::string(shown < 28 ? 28 - shown : 0, ' ');
    std::printf("  %s %6zu bytes  opened %8.1f  CPU %8.1f  parse %6.1f  layout %7.1f  draw %7.1f\n",
                title.c_str(), e.bytes, e.fetch.median() + e.shown.median(), e.openedCpu.median(),
                e.parse.median(), e.layout.median(), e.draw.median());
  }
  fs::remove_all(user);
  return 0;
}
