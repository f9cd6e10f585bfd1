// The value model against the standard library: table store and find, handle copies,
// and sorting strings in dictionary order.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

#include "bench/common/ratio_reporter.h"
#include "values/values.h"

namespace {

// Keys like those of a catalogue: a word and a number.
std::vector<std::string> makeKeys(size_t n) {
  static const char* const kWords[] = {"Brasil",   "Portugal", "Angola", "Moçambique", "Goiás",
                                       "Amazonas", "Paraná",   "Bahia",  "Ceará",      "Timor"};
  std::vector<std::string> keys;
  keys.reserve(n);
  std::mt19937 random(42);
  for (size_t i = 0; i < n; ++i) {
    keys.push_back(tqvUtf8ToCp1252(kWords[random() % 10]) + " " + std::to_string(random()));
  }
  return keys;
}

const std::vector<std::string>& keys() {
  static const std::vector<std::string> all = makeKeys(100000);
  return all;
}

void TableStore_ours(benchmark::State& state) {
  std::vector<tqvHandle> handles;
  for (const std::string& k : keys()) handles.push_back(tqvMakeString(k));
  for (auto _ : state) {
    tqvHandle table = tqvTable(static_cast<TQVINT>(handles.size() * 2));
    tqvTableObject* t = tqvAsTable(table);
    for (size_t i = 0; i < handles.size(); ++i)
      t->store(handles[i], tqvMakeInt(static_cast<TQVINT>(i)));
    benchmark::DoNotOptimize(t->count());
  }
  state.SetItemsProcessed(state.iterations() * handles.size());
}
BENCHMARK(TableStore_ours)->Name("TableStore/ours")->Unit(benchmark::kMillisecond);

void TableStore_std(benchmark::State& state) {
  for (auto _ : state) {
    std::unordered_map<std::string, int> map;
    map.reserve(keys().size() * 2);
    for (size_t i = 0; i < keys().size(); ++i) map[keys()[i]] = static_cast<int>(i);
    benchmark::DoNotOptimize(map.size());
  }
  state.SetItemsProcessed(state.iterations() * keys().size());
}
BENCHMARK(TableStore_std)->Name("TableStore/unordered_map")->Unit(benchmark::kMillisecond);

void TableFind_ours(benchmark::State& state) {
  std::vector<tqvHandle> handles;
  for (const std::string& k : keys()) handles.push_back(tqvMakeString(k));
  tqvHandle table = tqvTable(static_cast<TQVINT>(handles.size() * 2));
  tqvTableObject* t = tqvAsTable(table);
  for (size_t i = 0; i < handles.size(); ++i)
    t->store(handles[i], tqvMakeInt(static_cast<TQVINT>(i)));
  for (auto _ : state) {
    int64_t sum = 0;
    for (const tqvHandle& k : handles) sum += t->valueOf(k).intValue();
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * handles.size());
}
BENCHMARK(TableFind_ours)->Name("TableFind/ours")->Unit(benchmark::kMillisecond);

void TableFind_std(benchmark::State& state) {
  std::unordered_map<std::string, int> map;
  map.reserve(keys().size() * 2);
  for (size_t i = 0; i < keys().size(); ++i) map[keys()[i]] = static_cast<int>(i);
  for (auto _ : state) {
    int64_t sum = 0;
    for (const std::string& k : keys()) sum += map.find(k)->second;
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * keys().size());
}
BENCHMARK(TableFind_std)->Name("TableFind/unordered_map")->Unit(benchmark::kMillisecond);

void HandleCopy_ours(benchmark::State& state) {
  tqvHandle s = tqvMakeString("shared");
  for (auto _ : state) {
    for (int i = 0; i < 1000; ++i) {
      tqvHandle copy = s;
      benchmark::DoNotOptimize(copy);
    }
  }
  state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(HandleCopy_ours)->Name("HandleCopyRelease/ours");

void HandleCopy_shared(benchmark::State& state) {
  auto s = std::make_shared<std::string>("shared");
  for (auto _ : state) {
    for (int i = 0; i < 1000; ++i) {
      std::shared_ptr<std::string> copy = s;
      benchmark::DoNotOptimize(copy);
    }
  }
  state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(HandleCopy_shared)->Name("HandleCopyRelease/shared_ptr");

void SortCollated_ours(benchmark::State& state) {
  tqvHandle list = tqvMakeList(static_cast<TQVINT>(keys().size()));
  for (const std::string& k : keys()) tqvAddItem(list, tqvMakeString(k));
  for (auto _ : state) benchmark::DoNotOptimize(tqvSort(list, TQV_ASCENDING));
  state.SetItemsProcessed(state.iterations() * keys().size());
}
BENCHMARK(SortCollated_ours)->Name("SortCollated/ours")->Unit(benchmark::kMillisecond);

// The same order through std::sort on std::string, to separate the sort from the lists.
void SortCollated_std(benchmark::State& state) {
  for (auto _ : state) {
    std::vector<std::string> copy = keys();
    std::sort(copy.begin(), copy.end(),
              [](const std::string& a, const std::string& b) { return tqvCollateText(a, b) < 0; });
    benchmark::DoNotOptimize(copy.data());
  }
  state.SetItemsProcessed(state.iterations() * keys().size());
}
BENCHMARK(SortCollated_std)->Name("SortCollated/std_sort")->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return tqvbench::runWithRatios(argc, argv);
}
