// Start-up and event dispatch. Start-up of the headless program is measured to its first
// shown frame, in process and as a whole process beside the cost of starting /bin/true;
// events per second go through our queue and HandleEvent beside SDL's own event queue
// with a plain switch.
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "almanac/app/almanac_application.h"
#include "bench/common/ratio_reporter.h"
#include "controls/controls_library.h"
#include "framework/events.h"
#include "framework/process_entry.h"
#include "framework/standard_application.h"
#include "platform/headless/headless_backend.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kFrameBudgetMs = 16.0;

std::string scratch() {
  static const std::string dir = [] {
    auto path =
        std::filesystem::temp_directory_path() / ("lx98-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(path);
    ::setenv("XDG_RUNTIME_DIR", path.c_str(), 1);
    return path.string();
  }();
  return dir;
}

// The whole program in this process, headless with a script that ends at once; the
// iteration time is from entry to the first frame shown. "of_budget" is that time as a
// share of the 16 ms frame budget.
void StartupToFirstFrame(benchmark::State& state) {
  scratch();
  double totalMs = 0;
  for (auto _ : state) {
    Clock::time_point begin = Clock::now();
    Clock::time_point firstFrame{};
    tqvProcessSetup setup;
    setup.program.title = lxApplicationTitle();
    setup.program.version = lxApplicationVersion();
    setup.program.abbreviation = lxApplicationAbbreviation();
    setup.program.installLibraries = tqvInstallControls;
    // The framework's own start-up: a screen of its demo disc previewed, without the
    // almanac's (bench/almanac measures that).
    setup.program.settings = {{"SourceDisk", FRAMEWORK_DISC}, {"OpenForm", "vazio.frm"}};
    setup.headless = true;
    setup.makeBackend = [&]() -> std::unique_ptr<tqvPlatform::Backend> {
      tqvPlatform::HeadlessOptions options;
      options.transcript = nullptr;
      options.onPresent = [&] {
        if (firstFrame == Clock::time_point{}) firstFrame = Clock::now();
      };
      return std::make_unique<tqvPlatform::HeadlessBackend>(std::move(options));
    };
    setup.applicationMain = lxApplicationMain;
    tqvProcessEntry(setup);
    if (firstFrame == Clock::time_point{}) {
      state.SkipWithError("no frame was shown");
      break;
    }
    double seconds = std::chrono::duration<double>(firstFrame - begin).count();
    totalMs += seconds * 1000;
    state.SetIterationTime(seconds);
  }
  state.counters["of_budget"] =
      benchmark::Counter(totalMs / kFrameBudgetMs, benchmark::Counter::kAvgIterations);
}
BENCHMARK(StartupToFirstFrame)
    ->Name("StartupToFirstFrame/in_process")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// Starts a program and waits for it; returns its exit status.
int runProcess(std::vector<std::string> words) {
  std::vector<char*> argv;
  for (std::string& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);
  pid_t pid = -1;
  if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return -1;
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void StartupProcess_ours(benchmark::State& state) {
  std::string script = scratch() + "/empty.txt";
  std::ofstream(script) << "# ends at once\n";
  for (auto _ : state) {
    if (runProcess({LX98_PATH, "--headless", "--disc", FRAMEWORK_DISC, "--form", "vazio.frm",
                    "--script", script}) != 0) {
      state.SkipWithError("lx98 failed");
      break;
    }
  }
}
BENCHMARK(StartupProcess_ours)->Name("StartupProcess/ours")->Unit(benchmark::kMillisecond);

void StartupProcess_true(benchmark::State& state) {
  for (auto _ : state) runProcess({"/bin/true"});
}
BENCHMARK(StartupProcess_true)->Name("StartupProcess/bin_true")->Unit(benchmark::kMillisecond);

// An application whose operations do a little work, so dispatch is not optimised away.
class CountingApplication : public tqvStandardApplication {
 public:
  int64_t sum = 0;
  void MouseDown(TQVINT x, TQVINT y, TQVINT, TQVINT clicks) override { sum += x + y + clicks; }
  void KeyDown(TQVINT key, TQVINT) override { sum += key; }
  void Timer() override { ++sum; }
};

constexpr int kBatch = 40;  // below the default queue capacity of 50

void Dispatch_ours(benchmark::State& state) {
  tqvProgramSetup setup;
  setup.title = "bench";
  tqvProgram program(setup);
  auto* app = new CountingApplication();
  tqvGetEvent(TQV_ALL_EVENTS, 0);  // creates the queue
  tqvEvent key;
  key.type = TQV_KEY_DOWN_EVENT;
  key.word = 'a';
  tqvEvent down;
  down.type = TQV_MOUSE_DOWN_EVENT;
  down.x = 3;
  down.word = 1;
  for (auto _ : state) {
    for (int i = 0; i < kBatch; ++i) tqvPostEvent(i % 2 == 0 ? key : down);
    for (int i = 0; i < kBatch; ++i) app->HandleEvent(tqvGetEvent(TQV_ALL_EVENTS, -1));
  }
  benchmark::DoNotOptimize(app->sum);
  state.SetItemsProcessed(state.iterations() * kBatch);
}
BENCHMARK(Dispatch_ours)->Name("Dispatch/ours");

void Dispatch_sdl(benchmark::State& state) {
  SDL_Init(SDL_INIT_EVENTS);
  int64_t sum = 0;
  SDL_Event key{};
  key.type = SDL_KEYDOWN;
  key.key.keysym.sym = 'a';
  SDL_Event down{};
  down.type = SDL_MOUSEBUTTONDOWN;
  down.button.x = 3;
  down.button.clicks = 1;
  for (auto _ : state) {
    for (int i = 0; i < kBatch; ++i) SDL_PushEvent(i % 2 == 0 ? &key : &down);
    SDL_Event e;
    for (int i = 0; i < kBatch && SDL_PollEvent(&e) != 0; ++i) {
      switch (e.type) {
        case SDL_KEYDOWN:
          sum += e.key.keysym.sym;
          break;
        case SDL_MOUSEBUTTONDOWN:
          sum += e.button.x + e.button.y + e.button.clicks;
          break;
        default:
          break;
      }
    }
  }
  benchmark::DoNotOptimize(sum);
  state.SetItemsProcessed(state.iterations() * kBatch);
  SDL_Quit();
}
BENCHMARK(Dispatch_sdl)->Name("Dispatch/sdl");

}  // namespace

int main(int argc, char** argv) {
  int status = tqvbench::runWithRatios(argc, argv);
  std::printf("\nframe budget %.0f ms; start-up should stay under 50 ms\n", kFrameBudgetMs);
  std::filesystem::remove_all(scratch());
  return status;
}
