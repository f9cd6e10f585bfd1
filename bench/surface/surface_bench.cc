// The main window's drawing surface on a headless window: a full 640x480 picture drawn
// and copied to the screen, beside cairo painting the same pixels; a full-screen fade
// round; a paragraph of text.
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

tqvProgramSetup benchProgram() {
  tqvProgramSetup setup;
  setup.title = "bench";
  setup.version = "1";
  setup.abbreviation = "B";
  setup.installLibraries = tqvInstallMedia;
  return setup;
}

struct Window {
  Window() : program(benchProgram()) {
    tqvPlatform::HeadlessOptions options;
    options.transcript = std::fopen("/dev/null", "w");
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

Window& window() {
  static Window w;
  return w;
}

void FullPicture_ours(benchmark::State& state) {
  window();
  tqvDrawingSurface* s = tqvScreenSurface();
  const tqvHandle& picture = window().picture;
  for (auto _ : state) {
    s->drawImage(picture, 0, 0);
    s->flush();
  }
  state.SetItemsProcessed(state.iterations());
}

void FullPicture_cairo(benchmark::State& state) {
  cairo_surface_t* target = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 640, 480);
  cairo_surface_t* source = tqvAsSurface(window().picture)->cairoSurface();
  for (auto _ : state) {
    cairo_t* cr = cairo_create(target);
    cairo_set_source_surface(cr, source, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_flush(target);
  }
  cairo_surface_destroy(target);
  state.SetItemsProcessed(state.iterations());
}

void FadeRound(benchmark::State& state) {
  window();
  tqvDrawingSurface* s = tqvScreenSurface();
  for (auto _ : state) {
    s->fadeOut(0);
    s->fadeIn(0);
  }
}

void Paragraph(benchmark::State& state) {
  window();
  tqvDrawingSurface* s = tqvScreenSurface();
  s->selectFont(tqvMakeFont(tqvMakeString("Times New Roman"), 12, 0));
  tqvHandle text = tqvFromUtf8(
      "O Brasil é o maior país da América do Sul e ocupa quase metade do continente. "
      "Faz fronteira com todos os países sul-americanos, exceto o Chile e o Equador.");
  for (auto _ : state) s->drawText(text, 20, 20, 620, 200, 0);
}

BENCHMARK(FullPicture_ours)->Name("FullPicture640x480/ours")->Unit(benchmark::kMicrosecond);
BENCHMARK(FullPicture_cairo)->Name("FullPicture640x480/cairo")->Unit(benchmark::kMicrosecond);
BENCHMARK(FadeRound)->Name("FadeOutAndIn640x480")->Unit(benchmark::kMicrosecond);
BENCHMARK(Paragraph)->Name("Paragraph")->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  return tqvbench::runWithRatios(argc, argv);
}
