// The almanac on its demo disc: start-up to the first drawn frame of the main screen, and
// a change between two section homes with and without the fade. Headless, so fades take
// virtual time: the figures are what the changes cost, not how long they are shown.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "almanac/app/almanac_application.h"
#include "almanac/catalogue/user_files.h"
#include "bench/almanac/headless_almanac.h"
#include "framework/app_window.h"
#include "framework/forms.h"
#include "framework/process_entry.h"
#include "framework/program.h"
#include "framework/screen_report.h"
#include "framework/services.h"
#include "platform/headless/headless_backend.h"
#include "print/print_jobs.h"
#include "print/print_library.h"
#include "values/generic.h"
#include "values/string.h"
#include "values/table.h"

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

// Every iteration's milliseconds, by benchmark, for the medians printed at the end.
std::map<std::string, std::vector<double>>& samples() {
  static std::map<std::string, std::vector<double>> all;
  return all;
}
void record(const std::string& name, double ms) {
  samples()[name].push_back(ms);
}

// A user directory whose preferences skip the introduction, so that start-up goes
// straight to the main screen.
std::string userDirectory() {
  static const std::string dir = [] {
    fs::path path =
        fs::temp_directory_path() / ("lx98-almanac-bench-" + std::to_string(::getpid()));
    fs::create_directories(path);
    ::setenv("XDG_RUNTIME_DIR", path.c_str(), 1);
    tqvProgramSetup setup;
    tqvProgram program(setup);
    auto* app = new tqvStandardApplication();
    app->setEnvironment("UserDataPath", tqvMakeString(path.string()));
    tqvHandle preferences = tqvTable(8);
    tqvPut(preferences, "ShowIntro", TQV_FALSE);
    tqvPut(preferences, "Volume", tqvMakeInt(75));
    lxWriteUserValue("PREFS.DAT", preferences);
    return path.string();
  }();
  return dir;
}

std::string script(const char* text) {
  std::string path = userDirectory() + "/script.txt";
  std::ofstream(path) << text;
  return path;
}

// The whole program in this process; the iteration time runs from entry to the first
// frame presented while the main screen is the active form.
void StartToMainScreen(benchmark::State& state) {
  std::string user = userDirectory();
  for (auto _ : state) {
    Clock::time_point begin = Clock::now(), shown{};
    tqvProcessSetup setup;
    setup.program.title = lxApplicationTitle();
    setup.program.version = lxApplicationVersion();
    setup.program.abbreviation = lxApplicationAbbreviation();
    setup.program.installLibraries = tqvInstallPrinting;
    setup.program.settings = {{"SourceDisk", DEMO_DISC}, {"UserDataPath", user}};
    setup.headless = true;
    setup.makeBackend = [&]() -> std::unique_ptr<tqvPlatform::Backend> {
      tqvPlatform::HeadlessOptions options;
      std::string error;
      tqvPlatform::parseScript("quit\nclick-control OKButton\n", "bench", options.script, error);
      options.controlCentre = [](const std::string& name, int32_t& x, int32_t& y) {
        return tqvControlCentre(name, x, y);
      };
      options.onPresent = [&] {
        if (shown == Clock::time_point{} && tqvActiveFormName() == "MainForm") shown = Clock::now();
      };
      return std::make_unique<tqvPlatform::HeadlessBackend>(std::move(options));
    };
    setup.applicationMain = lxApplicationMain;
    tqvProcessEntry(setup);
    if (shown == Clock::time_point{}) {
      state.SkipWithError("the main screen was never shown");
      break;
    }
    double seconds = std::chrono::duration<double>(shown - begin).count();
    state.SetIterationTime(seconds);
    record("start to the main screen's first frame (in process)", seconds * 1000);
  }
}
BENCHMARK(StartToMainScreen)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(50);

// The lx98 process from its start to its end, on a script that quits at once.
void WholeProcess(benchmark::State& state) {
  std::string path = script("quit\nclick-control OKButton\n");
  std::string user = userDirectory();
  for (auto _ : state) {
    Clock::time_point begin = Clock::now();
    std::vector<std::string> words = {LX98_PATH,    "--headless", "--disc",   DEMO_DISC,
                                      "--user-dir", user,         "--script", path};
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
      state.SkipWithError("lx98 did not start");
      break;
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("lx98 failed");
      break;
    }
    record("whole lx98 process, start to end",
           std::chrono::duration<double>(Clock::now() - begin).count() * 1000);
  }
}
BENCHMARK(WholeProcess)->Unit(benchmark::kMillisecond)->Iterations(50);

// Changes between the entries' and the atlas' homes, in a started almanac.
void FormChange(benchmark::State& state) {
  bool fade = state.range(0) != 0;
  HeadlessAlmanac almanac(userDirectory());  // made by a program of its own, before this one
  tqvHandle data;
  if (!fade) {
    data = tqvTable(4);
    tqvPut(data, "NoFade", TQV_TRUE);
  }
  const char* homes[] = {"VerbHForm", "AtlasHForm"};
  int next = 0;
  for (auto _ : state) {
    Clock::time_point begin = Clock::now();
    tqvShowForm(tqvMakeString(homes[next]), data, true);
    record(fade ? "form change with the fade" : "form change without a fade",
           std::chrono::duration<double>(Clock::now() - begin).count() * 1000);
    next ^= 1;
    if (tqvActiveFormName() != homes[next ^ 1]) {
      state.SkipWithError("the screen did not open");
      break;
    }
  }
}
BENCHMARK(FormChange)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("fade")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(50);

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  size_t n = values.size();
  return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::printf("\nmedians over the iterations (budget):\n");
  const std::map<std::string, const char*> budgets = {
      {"start to the main screen's first frame (in process)", "300 ms"},
      {"form change without a fade", "16 ms"},
      {"form change with the fade", "the fade's 200 ms + 16 ms on a desktop"}};
  for (const auto& [name, values] : samples()) {
    auto budget = budgets.find(name);
    std::printf("  %-45s %8.2f ms  (%s)\n", name.c_str(), median(values),
                budget != budgets.end() ? budget->second : "-");
  }
  fs::remove_all(userDirectory());
  return 0;
}
