// The main window's drawing surface on a headless window, at 1x, 2x and 3x: a full
// 640x480 picture drawn and copied to the screen (beside cairo painting the same pixels
// at 1x), a full-screen fade round, and a page of text. Each prints its share of the
// 16 ms frame budget.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

#include "bench/common/ratio_reporter.h"
#include "framework/app_window.h"
#include "framework/application.h"
#include "framework/program.h"
#include "media/drawing_surface.h"
#include "media/image.h"
#include "media/image_factory.h"
#include "media/media_services.h"
#include "platform/headless/headless_backend.h"
#include "values/values.h"

namespace {

constexpr double kFrameBudgetMs = 16.0;

tqvProgramSetup benchProgram() {
  tqvProgramSetup setup;
  setup.title = "bench";
  setup.version = "1";
  setup.abbreviation = "B";
  setup.installLibraries = tqvInstallMedia;
  return setup;
}

// A program with a headless window whose picture has `scale` device pixels per media
// pixel, and a 640x480 gradient picture to draw.
struct Window {
  explicit Window(int scale) : program(benchProgram()) {
    tqvPlatform::HeadlessOptions options;
    options.transcript = std::fopen("/dev/null", "w");
    options.scale = scale;
    program.setBackend(std::make_unique<tqvPlatform::HeadlessBackend>(std::move(options)));
    app = new tqvApplication();
    app->setMainWindow(tqvAppWindow::create(tqvAppTitle()));
    picture = tqvMakeContextImage(640, 480);
    cairo_t* cr = cairo_create(tqvAsSurface(picture)->cairoSurface());
    cairo_pattern_t* gradient = cairo_pattern_create_linear(0, 0, 640, 480);
    cairo_pattern_add_color_stop_rgb(gradient, 0, 0.1, 0.3, 0.8);
    cairo_pattern_add_color_stop_rgb(gradient, 1, 0.9, 0.6, 0.1);
    cairo_set_source(cr, gradient);
    cairo_paint(cr);
    cairo_pattern_destroy(gradient);
    cairo_destroy(cr);
  }
  tqvProgram program;
  tqvApplication* app = nullptr;
  tqvHandle picture;
};

std::unique_ptr<Window> current;
int currentScale = 0;

// The window of the benchmark's scale (range 0), made anew when the scale changes.
Window& window(const benchmark::State& state) {
  int scale = static_cast<int>(state.range(0));
  if (scale != currentScale) {
    current.reset();
    current = std::make_unique<Window>(scale);
    currentScale = scale;
  }
  return *current;
}

// The time of one iteration as a share of the frame budget.
void reportBudget(benchmark::State& state) {
  state.counters["of_budget"] =
      benchmark::Counter(kFrameBudgetMs / 1000.0, benchmark::Counter::kIsIterationInvariantRate |
                                                      benchmark::Counter::kInvert);
}

void FullPicture_ours(benchmark::State& state) {
  Window& w = window(state);
  tqvDrawingSurface* s = tqvScreenSurface();
  for (auto _ : state) {
    s->drawImage(w.picture, 0, 0);
    s->flush();
  }
  reportBudget(state);
}

void FullPicture_cairo(benchmark::State& state) {
  Window& w = window(state);
  cairo_surface_t* target = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 640, 480);
  cairo_surface_t* source = tqvAsSurface(w.picture)->cairoSurface();
  for (auto _ : state) {
    cairo_t* cr = cairo_create(target);
    cairo_set_source_surface(cr, source, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_flush(target);
  }
  cairo_surface_destroy(target);
}

void FadeRound(benchmark::State& state) {
  window(state);
  tqvDrawingSurface* s = tqvScreenSurface();
  for (auto _ : state) {
    s->fadeOut(0);
    s->fadeIn(0);
  }
  reportBudget(state);
}

void PageOfText(benchmark::State& state) {
  window(state);
  tqvDrawingSurface* s = tqvScreenSurface();
  s->selectFont(tqvMakeFont(tqvMakeString("Times New Roman"), 12, 0));
  std::string page;
  for (int i = 0; i < 12; ++i) {
    page +=
        "O Brasil é o maior país da América do Sul e ocupa quase metade do continente. "
        "Faz fronteira com todos os países sul-americanos, exceto o Chile e o Equador. ";
  }
  tqvHandle text = tqvFromUtf8(page);
  for (auto _ : state) s->drawText(text, 20, 20, 620, 460, 0);
  reportBudget(state);
}

BENCHMARK(FullPicture_ours)
    ->Name("FullPicture640x480/ours")
    ->ArgName("scale")
    ->DenseRange(1, 3)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(FullPicture_cairo)
    ->Name("FullPicture640x480/cairo")
    ->ArgName("scale")
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(FadeRound)
    ->Name("FadeOutAndIn640x480")
    ->ArgName("scale")
    ->DenseRange(1, 3)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(PageOfText)->ArgName("scale")->DenseRange(1, 3)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  int status = tqvbench::runWithRatios(argc, argv);
  current.reset();  // the program ends before the statics it uses
  return status;
}
