// Time measures of the almanac benchmarks: per-query (or per-entry) samples summarised as
// the median and 99th percentile, and laps of wall-clock and CPU time for longer steps.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <ctime>
#include <vector>

namespace lxbench {

using Clock = std::chrono::steady_clock;

inline double microsecondsSince(Clock::time_point begin) {
  return std::chrono::duration<double, std::micro>(Clock::now() - begin).count();
}

// The process's CPU time (its other threads idle while a benchmark runs): unlike the wall
// clock, it leaves out the time other programs on a shared machine take the processor.
inline double cpuMicroseconds() {
  return static_cast<double>(std::clock()) * (1e6 / CLOCKS_PER_SEC);
}

// Seconds of wall-clock and of process CPU time.
struct Lap {
  double wall = 0, cpu = 0;
};

// Times the steps of a longer task: each lap is the time since the last one.
class Stopwatch {
 public:
  Stopwatch() : wall_(Clock::now()), cpu_(cpuSeconds()) {}
  Lap lap() {
    Clock::time_point wall = Clock::now();
    double cpu = cpuSeconds();
    Lap l{std::chrono::duration<double>(wall - wall_).count(), cpu - cpu_};
    wall_ = wall;
    cpu_ = cpu;
    return l;
  }

 private:
  static double cpuSeconds() { return cpuMicroseconds() / 1e6; }
  Clock::time_point wall_;
  double cpu_;
};

class Timings {
 public:
  void add(double microseconds) { values_.push_back(microseconds); }
  size_t count() const { return values_.size(); }
  // The value below which the fraction `q` of the samples lie (nearest rank).
  double quantile(double q) const {
    if (values_.empty()) return 0;
    std::vector<double> sorted = values_;
    std::sort(sorted.begin(), sorted.end());
    size_t rank = static_cast<size_t>(q * static_cast<double>(sorted.size() - 1) + 0.5);
    return sorted[std::min(rank, sorted.size() - 1)];
  }
  double median() const { return quantile(0.5); }
  double p99() const { return quantile(0.99); }
  double largest() const {
    return values_.empty() ? 0 : *std::max_element(values_.begin(), values_.end());
  }

 private:
  std::vector<double> values_;
};

}  // namespace lxbench
