// Benchmark reporting that sets our code beside its peer: benchmarks named "Case/ours"
// and "Case/<peer>" are paired, and after the usual table the ratio of their times is
// printed (below 1.0 means ours is faster).
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace tqvbench {

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
      std::string name = run.benchmark_name();
      size_t slash = name.find('/');
      if (slash == std::string::npos) continue;
      std::string side = name.substr(slash + 1);
      size_t more = side.find('/');
      std::string suffix = more == std::string::npos ? "" : side.substr(more);
      side = side.substr(0, more);
      times_[name.substr(0, slash) + suffix][side] = run.GetAdjustedRealTime();
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\n%-32s %-24s %10s\n", "case", "peer", "ours/peer");
    for (const auto& [name, sides] : times_) {
      auto ours = sides.find("ours");
      if (ours == sides.end()) continue;
      for (const auto& [side, time] : sides) {
        if (side == "ours" || time <= 0) continue;
        std::printf("%-32s %-24s %10.2f\n", name.c_str(), side.c_str(), ours->second / time);
      }
    }
  }

 private:
  std::map<std::string, std::map<std::string, double>> times_;
};

// main() for a benchmark program that prints the ratios.
inline int runWithRatios(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}

}  // namespace tqvbench
