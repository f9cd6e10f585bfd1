// A list box of 100,000 items beside one of 100 on a headless window: setting the list,
// drawing a page, a thousand Page Downs, and the jump to the end. The ratios ("ours" is
// the long list, the peer the short one) should stay near 1: only visible rows cost.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>
#include <utility>

#include "bench/common/ratio_reporter.h"
#include "controls/controls_library.h"
#include "controls/list_control.h"
#include "framework/app_window.h"
#include "framework/events.h"
#include "framework/forms.h"
#include "framework/program.h"
#include "framework/standard_application.h"
#include "platform/headless/headless_backend.h"
#include "storage/notation.h"
#include "values/values.h"

namespace {

struct Screen {
  Screen() : program(setup()) {
    tqvPlatform::HeadlessOptions options;
    options.transcript = std::fopen("/dev/null", "w");
    program.setBackend(std::make_unique<tqvPlatform::HeadlessBackend>(std::move(options)));
    auto* app = new tqvStandardApplication();
    app->setMainWindow(tqvAppWindow::create(tqvAppTitle()));
    tqvFlushEvents(TQV_ALL_EVENTS);
    tqvHandle form = tqvDecodeStandard(tqvMakeString(
        "(form (\"Control List\" (list (control (\"Class\" \"ListBox\") (\"Name\" \"L\")"
        " (\"Hot Spot\" (rect 20 20 300 400))))))"));
    tqvHandle noFade = tqvTable(2);
    tqvPut(noFade, "NoFade", TQV_TRUE);
    tqvShowForm(form, noFade, false);
    list = tqvAsFormObject(form)->findControl(tqvMakeString("L"), tqvMakeString("Name"));
  }
  static tqvProgramSetup setup() {
    tqvProgramSetup s;
    s.title = "bench";
    s.installLibraries = tqvInstallControls;
    return s;
  }
  tqvProgram program;
  tqvHandle list;
};

std::unique_ptr<Screen> screen;

tqvHandle itemsOf(int count) {
  tqvHandle items = tqvMakeList(count);
  for (int i = 0; i < count; ++i) tqvAddItem(items, tqvMakeString("Verbete " + std::to_string(i)));
  return items;
}

tqvListControl& list() {
  if (!screen) screen = std::make_unique<Screen>();
  return *tqvAsListControl(screen->list);
}

void SetList(benchmark::State& state, int count) {
  tqvHandle items = itemsOf(count);
  tqvListControl& l = list();
  for (auto _ : state) tqvPerform(l.handle(), "setList", items);
}

void DrawPage(benchmark::State& state, int count) {
  tqvListControl& l = list();
  tqvPerform(l.handle(), "setList", itemsOf(count));
  for (auto _ : state) l.draw();
}

void PageDownThousand(benchmark::State& state, int count) {
  tqvListControl& l = list();
  tqvPerform(l.handle(), "setList", itemsOf(count));
  for (auto _ : state) {
    l.select(0);
    for (int i = 0; i < 1000; ++i) l.keyDown(TQV_KEY_PAGE_DOWN, 0);
  }
}

void JumpToEnd(benchmark::State& state, int count) {
  tqvListControl& l = list();
  tqvPerform(l.handle(), "setList", itemsOf(count));
  for (auto _ : state) {
    l.keyDown(TQV_KEY_HOME, 0);
    l.keyDown(TQV_KEY_END, 0);
  }
}

}  // namespace

int main(int argc, char** argv) {
  // "ours" holds 100,000 items, "hundred" 100.
  const std::pair<const char*, void (*)(benchmark::State&, int)> cases[] = {
      {"SetList", SetList},
      {"DrawPage", DrawPage},
      {"PageDownThousand", PageDownThousand},
      {"JumpToEnd", JumpToEnd},
  };
  for (const auto& [name, fn] : cases) {
    benchmark::RegisterBenchmark((std::string(name) + "/ours").c_str(), fn, 100000)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark((std::string(name) + "/hundred").c_str(), fn, 100)
        ->Unit(benchmark::kMicrosecond);
  }
  int status = tqvbench::runWithRatios(argc, argv);
  screen.reset();
  return status;
}
