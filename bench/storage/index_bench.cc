// The index layer (tqvPut, tqvGet, tqvPrefixValues over the keyed-file engine) beside
// SQLite holding the same encoded values in a WITHOUT ROWID table, on the same catalogue
// keys. Key count: TQV_BENCH_KEYS (default 1,000,000).
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "bench/btree/catalogue_keys.h"
#include "bench/common/ratio_reporter.h"
#include "storage/encoding.h"
#include "storage/index.h"
#include "storage/memory_stream.h"
#include "values/values.h"

namespace {

namespace fs = std::filesystem;

struct Data {
  CatalogueData catalogue;
  std::vector<size_t> ascending;
  std::vector<size_t> lookups;
  std::vector<std::string> prefixes;
};

size_t keyCount() {
  const char* env = std::getenv("TQV_BENCH_KEYS");
  return env != nullptr ? std::strtoul(env, nullptr, 10) : 1000000;
}

const Data& data() {
  static const Data all = [] {
    Data d;
    d.catalogue = makeCatalogue(keyCount(), 1998);
    size_t n = d.catalogue.keys.size();
    d.ascending.resize(n);
    for (size_t i = 0; i < n; ++i) d.ascending[i] = i;
    std::sort(d.ascending.begin(), d.ascending.end(),
              [&](size_t a, size_t b) { return d.catalogue.keys[a] < d.catalogue.keys[b]; });
    std::mt19937 random(5);
    for (int i = 0; i < 100000; ++i) d.lookups.push_back(random() % n);
    for (int i = 0; i < 1000; ++i) {
      const std::string& key = d.catalogue.keys[random() % n];
      d.prefixes.push_back(key.substr(0, std::min<size_t>(key.size(), 6)));
    }
    return d;
  }();
  return all;
}

std::vector<size_t> randomOrder() {
  std::vector<size_t> order(data().catalogue.keys.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  return order;  // the catalogue is generated in random key order
}

std::string scratch(const std::string& name) {
  return (fs::temp_directory_path() / ("tqv-index-bench-" + std::to_string(::getpid()) + name))
      .string();
}

std::string encode(const tqvHandle& value) {
  tqvHandle stream = tqvMemoryStream(nullptr, 0);
  tqvEncode(stream, value);
  auto* s = stream.as<tqvMemoryStreamObject>();
  return std::string(reinterpret_cast<const char*>(s->data()), static_cast<size_t>(s->position()));
}

tqvHandle decode(const void* bytes, int size) {
  tqvHandle stream = tqvMemoryStream(const_cast<void*>(bytes), size);
  return tqvDecode(stream);
}

void loadIndex(const std::string& path, const std::vector<size_t>& order) {
  tqvHandle index = tqvCreateIndex(tqvMakeString(path));
  tqvIndexObject* i = tqvAsIndex(index);
  for (size_t k : order) {
    i->put(tqvMakeString(data().catalogue.keys[k]), tqvMakeString(data().catalogue.values[k]));
  }
}

void loadSqlite(const std::string& path, const std::vector<size_t>& order) {
  sqlite3* db = nullptr;
  sqlite3_open(path.c_str(), &db);
  sqlite3_exec(db, "CREATE TABLE idx(k TEXT PRIMARY KEY, v BLOB) WITHOUT ROWID", nullptr, nullptr,
               nullptr);
  sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
  sqlite3_stmt* insert = nullptr;
  sqlite3_prepare_v2(db, "INSERT OR REPLACE INTO idx VALUES(?, ?)", -1, &insert, nullptr);
  for (size_t k : order) {
    std::string value = encode(tqvMakeString(data().catalogue.values[k]));
    sqlite3_bind_text(insert, 1, data().catalogue.keys[k].c_str(), -1, SQLITE_STATIC);
    sqlite3_bind_blob(insert, 2, value.data(), static_cast<int>(value.size()), SQLITE_TRANSIENT);
    sqlite3_step(insert);
    sqlite3_reset(insert);
  }
  sqlite3_finalize(insert);
  sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
  sqlite3_close(db);
}

void Load(benchmark::State& state, bool sqlite, bool ascending) {
  std::vector<size_t> order = ascending ? data().ascending : randomOrder();
  for (auto _ : state) {
    std::string path = scratch(sqlite ? "load.sqlite" : "load.idx");
    fs::remove(path);
    if (sqlite) {
      loadSqlite(path, order);
    } else {
      loadIndex(path, order);
    }
    state.counters["MB"] = static_cast<double>(fs::file_size(path)) / 1e6;
    fs::remove(path);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(order.size()));
}

const std::string& indexFile() {
  static const std::string path = [] {
    std::string p = scratch("find.idx");
    loadIndex(p, randomOrder());
    return p;
  }();
  return path;
}

const std::string& sqliteFile() {
  static const std::string path = [] {
    std::string p = scratch("find.sqlite");
    loadSqlite(p, randomOrder());
    return p;
  }();
  return path;
}

void Find_ours(benchmark::State& state) {
  tqvHandle index = tqvOpenIndex(tqvMakeString(indexFile()), 0, 0);
  tqvIndexObject* i = tqvAsIndex(index);
  std::vector<tqvHandle> keys;
  for (size_t k : data().lookups) keys.push_back(tqvMakeString(data().catalogue.keys[k]));
  for (auto _ : state) {
    for (const tqvHandle& key : keys) benchmark::DoNotOptimize(i->get(key));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(keys.size()));
}

// Readers map the file, as the keyed-file engine maps read-only files, and keep a cache.
sqlite3* openSqliteReader() {
  sqlite3* db = nullptr;
  sqlite3_open_v2(sqliteFile().c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_exec(db, "PRAGMA mmap_size=1073741824; PRAGMA cache_size=-65536", nullptr, nullptr,
               nullptr);
  return db;
}

void Find_sqlite(benchmark::State& state) {
  sqlite3* db = openSqliteReader();
  sqlite3_stmt* select = nullptr;
  sqlite3_prepare_v2(db, "SELECT v FROM idx WHERE k = ?", -1, &select, nullptr);
  // One read transaction per round spares SQLite its per-statement file locking.
  for (auto _ : state) {
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    for (size_t k : data().lookups) {
      sqlite3_bind_text(select, 1, data().catalogue.keys[k].c_str(), -1, SQLITE_STATIC);
      if (sqlite3_step(select) == SQLITE_ROW) {
        benchmark::DoNotOptimize(
            decode(sqlite3_column_blob(select, 0), sqlite3_column_bytes(select, 0)));
      }
      sqlite3_reset(select);
    }
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(data().lookups.size()));
  sqlite3_finalize(select);
  sqlite3_close(db);
}

void Prefix_ours(benchmark::State& state) {
  tqvHandle index = tqvOpenIndex(tqvMakeString(indexFile()), 0, 0);
  tqvIndexObject* i = tqvAsIndex(index);
  int64_t rows = 0;
  for (auto _ : state) {
    for (const std::string& p : data().prefixes) {
      tqvHandle found = i->prefixValues(tqvMakeString(p), nullptr);
      rows += found.isNil() ? 0 : tqvCount(found);
    }
  }
  state.counters["rows"] = static_cast<double>(rows) / static_cast<double>(state.iterations());
}

void Prefix_sqlite(benchmark::State& state) {
  sqlite3* db = openSqliteReader();
  sqlite3_stmt* select = nullptr;
  sqlite3_prepare_v2(db, "SELECT v FROM idx WHERE k >= ?1 AND k < ?1 || char(1114111)", -1, &select,
                     nullptr);
  int64_t rows = 0;
  for (auto _ : state) {
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    for (const std::string& p : data().prefixes) {
      tqvHandle found = tqvMakeList(4, 100);
      sqlite3_bind_text(select, 1, p.c_str(), -1, SQLITE_STATIC);
      while (sqlite3_step(select) == SQLITE_ROW) {
        tqvAddItem(found, decode(sqlite3_column_blob(select, 0), sqlite3_column_bytes(select, 0)));
      }
      rows += tqvCount(found);
      sqlite3_reset(select);
    }
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
  }
  state.counters["rows"] = static_cast<double>(rows) / static_cast<double>(state.iterations());
  sqlite3_finalize(select);
  sqlite3_close(db);
}

BENCHMARK_CAPTURE(Load, ours_ascending, false, true)
    ->Name("IndexLoadAscending/ours")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Load, sqlite_ascending, true, true)
    ->Name("IndexLoadAscending/sqlite")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Load, ours_random, false, false)
    ->Name("IndexLoadRandom/ours")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Load, sqlite_random, true, false)
    ->Name("IndexLoadRandom/sqlite")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(Find_ours)->Name("IndexFind100k/ours")->Unit(benchmark::kMillisecond);
BENCHMARK(Find_sqlite)->Name("IndexFind100k/sqlite")->Unit(benchmark::kMillisecond);
BENCHMARK(Prefix_ours)->Name("IndexPrefix1000/ours")->Unit(benchmark::kMillisecond);
BENCHMARK(Prefix_sqlite)->Name("IndexPrefix1000/sqlite")->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  int status = tqvbench::runWithRatios(argc, argv);
  fs::remove(scratch("find.idx"));
  fs::remove(scratch("find.sqlite"));
  return status;
}
