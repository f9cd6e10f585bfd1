// The keyed-file engine beside SQLite (WITHOUT ROWID table) and LMDB on the same catalogue
// keys: bulk loads in ascending and random order, random finds, prefix scans, opening the
// file for one get and closing it again, file sizes.
// Key count: --keys=N or TQV_BENCH_KEYS (default 1,000,000).
#include <benchmark/benchmark.h>
#include <lmdb.h>
#include <sqlite3.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <random>
#include <string>

#include "bench/btree/catalogue_keys.h"
#include "btree/key_file.h"

namespace {

size_t gKeyCount = 1000000;
CatalogueData gData;
std::vector<size_t> gAscending;  // indexes of gData in key order
std::vector<size_t> gFindOrder;  // indexes to look up
std::vector<std::string> gPrefixes;
std::filesystem::path gDir;
// seconds[operation][engine]
std::map<std::string, std::map<std::string, double>> gSeconds;
std::map<std::string, std::map<std::string, double>> gBytes;

const char* const kEngines[] = {"keyfile", "sqlite", "lmdb"};

std::string fileOf(const std::string& engine, const std::string& order) {
  return (gDir / (engine + "_" + order + ".db")).string();
}

double fileSize(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 ? static_cast<double>(st.st_size) : 0;
}

void die(const char* what) {
  std::fprintf(stderr, "bench_btree: %s\n", what);
  std::exit(1);
}

// ---- loads ----

void loadKeyFile(const std::string& path, const std::vector<size_t>& order) {
  KeyFile kf;
  if (kfCreate(kf, path.c_str(), kKfExclusive, kKfLittleEndian, nullptr) != 0) die("kfCreate");
  kfSetWriteMode(kf, 0);
  int32_t record = 1;
  for (size_t i : order) {
    const std::string& v = gData.values[i];
    if (kfAdd(kf, 1, gData.keys[i].c_str(), record++, v.data(), static_cast<int32_t>(v.size())) !=
        0) {
      die("kfAdd");
    }
  }
  if (kfClose(kf) != 0) die("kfClose");
}

void loadSqlite(const std::string& path, const std::vector<size_t>& order) {
  sqlite3* db;
  if (sqlite3_open(path.c_str(), &db) != SQLITE_OK) die("sqlite3_open");
  sqlite3_exec(db, "CREATE TABLE t(k BLOB PRIMARY KEY, v BLOB) WITHOUT ROWID", nullptr, nullptr,
               nullptr);
  sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
  sqlite3_stmt* put;
  sqlite3_prepare_v2(db, "INSERT INTO t(k, v) VALUES(?, ?)", -1, &put, nullptr);
  for (size_t i : order) {
    sqlite3_bind_blob(put, 1, gData.keys[i].data(), static_cast<int>(gData.keys[i].size()),
                      SQLITE_STATIC);
    sqlite3_bind_blob(put, 2, gData.values[i].data(), static_cast<int>(gData.values[i].size()),
                      SQLITE_STATIC);
    if (sqlite3_step(put) != SQLITE_DONE) die("sqlite insert");
    sqlite3_reset(put);
  }
  sqlite3_finalize(put);
  if (sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) die("sqlite commit");
  sqlite3_close(db);
}

struct Lmdb {
  MDB_env* env = nullptr;
  MDB_dbi dbi = 0;
  explicit Lmdb(const std::string& path, bool readOnly) {
    mdb_env_create(&env);
    mdb_env_set_mapsize(env, size_t{8} << 30);
    unsigned flags = MDB_NOSUBDIR | (readOnly ? MDB_RDONLY : 0);
    if (mdb_env_open(env, path.c_str(), flags, 0644) != 0) die("mdb_env_open");
  }
  ~Lmdb() { mdb_env_close(env); }
};

void loadLmdb(const std::string& path, const std::vector<size_t>& order) {
  Lmdb db(path, false);
  MDB_txn* txn;
  mdb_txn_begin(db.env, nullptr, 0, &txn);
  mdb_dbi_open(txn, nullptr, 0, &db.dbi);
  for (size_t i : order) {
    MDB_val k{gData.keys[i].size(), gData.keys[i].data()};
    MDB_val v{gData.values[i].size(), gData.values[i].data()};
    if (mdb_put(txn, db.dbi, &k, &v, 0) != 0) die("mdb_put");
  }
  if (mdb_txn_commit(txn) != 0) die("mdb_txn_commit");
}

void load(const std::string& engine, const std::string& order) {
  std::string path = fileOf(engine, order);
  std::filesystem::remove(path);
  std::filesystem::remove(path + "-lock");
  std::vector<size_t> random(gData.keys.size());
  for (size_t i = 0; i < random.size(); ++i) random[i] = i;
  const std::vector<size_t>& sequence = order == "asc" ? gAscending : random;
  if (engine == "keyfile")
    loadKeyFile(path, sequence);
  else if (engine == "sqlite")
    loadSqlite(path, sequence);
  else
    loadLmdb(path, sequence);
}

void ensureLoaded(const std::string& engine) {
  if (!std::filesystem::exists(fileOf(engine, "rand"))) load(engine, "rand");
}

// ---- reads ----

size_t findKeyFile() {
  KeyFile kf;
  if (kfOpen(kf, fileOf("keyfile", "rand").c_str(), kKfExclusive, kKfAccessRead, nullptr) != 0)
    die("kfOpen");
  char buf[256];
  size_t found = 0;
  for (size_t i : gFindOrder)
    found += kfFind(kf, 1, gData.keys[i].c_str(), 0, buf, sizeof buf) == 1;
  kfClose(kf);
  return found;
}

size_t findSqlite() {
  sqlite3* db;
  sqlite3_open_v2(fileOf("sqlite", "rand").c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);  // one read transaction, no per-row locks
  sqlite3_stmt* get;
  sqlite3_prepare_v2(db, "SELECT v FROM t WHERE k = ?", -1, &get, nullptr);
  char buf[256];
  size_t found = 0;
  for (size_t i : gFindOrder) {
    sqlite3_bind_blob(get, 1, gData.keys[i].data(), static_cast<int>(gData.keys[i].size()),
                      SQLITE_STATIC);
    if (sqlite3_step(get) == SQLITE_ROW) {
      std::memcpy(buf, sqlite3_column_blob(get, 0),
                  static_cast<size_t>(sqlite3_column_bytes(get, 0)));
      ++found;
    }
    sqlite3_reset(get);
  }
  benchmark::DoNotOptimize(buf);
  sqlite3_finalize(get);
  sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
  sqlite3_close(db);
  return found;
}

size_t findLmdb() {
  Lmdb db(fileOf("lmdb", "rand"), true);
  MDB_txn* txn;
  mdb_txn_begin(db.env, nullptr, MDB_RDONLY, &txn);
  mdb_dbi_open(txn, nullptr, 0, &db.dbi);
  char buf[256];
  size_t found = 0;
  for (size_t i : gFindOrder) {
    MDB_val k{gData.keys[i].size(), gData.keys[i].data()}, v;
    if (mdb_get(txn, db.dbi, &k, &v) == 0) {
      std::memcpy(buf, v.mv_data, v.mv_size);
      ++found;
    }
  }
  benchmark::DoNotOptimize(buf);
  mdb_txn_abort(txn);
  return found;
}

size_t scanKeyFile() {
  KeyFile kf;
  if (kfOpen(kf, fileOf("keyfile", "rand").c_str(), kKfExclusive, kKfAccessRead, nullptr) != 0)
    die("kfOpen");
  char buf[256];
  size_t rows = 0;
  for (const std::string& p : gPrefixes) {
    int rc = kfFind(kf, 1, p.c_str(), 0, buf, sizeof buf);
    while (rc >= 0 &&
           std::strncmp(reinterpret_cast<const char*>(kf.key()), p.c_str(), p.size()) == 0) {
      ++rows;
      rc = kfNext(kf, 1, buf, sizeof buf);
    }
  }
  kfClose(kf);
  return rows;
}

size_t scanSqlite() {
  sqlite3* db;
  sqlite3_open_v2(fileOf("sqlite", "rand").c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
  sqlite3_stmt* range;
  sqlite3_prepare_v2(db, "SELECT k, v FROM t WHERE k >= ?1 AND k < ?2 ORDER BY k", -1, &range,
                     nullptr);
  size_t rows = 0;
  char buf[256];
  for (const std::string& p : gPrefixes) {
    std::string high = p;
    high.back() = static_cast<char>(high.back() + 1);
    sqlite3_bind_blob(range, 1, p.data(), static_cast<int>(p.size()), SQLITE_STATIC);
    sqlite3_bind_blob(range, 2, high.data(), static_cast<int>(high.size()), SQLITE_TRANSIENT);
    while (sqlite3_step(range) == SQLITE_ROW) {
      std::memcpy(buf, sqlite3_column_blob(range, 1),
                  static_cast<size_t>(sqlite3_column_bytes(range, 1)));
      ++rows;
    }
    sqlite3_reset(range);
  }
  benchmark::DoNotOptimize(buf);
  sqlite3_finalize(range);
  sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
  sqlite3_close(db);
  return rows;
}

size_t scanLmdb() {
  Lmdb db(fileOf("lmdb", "rand"), true);
  MDB_txn* txn;
  mdb_txn_begin(db.env, nullptr, MDB_RDONLY, &txn);
  mdb_dbi_open(txn, nullptr, 0, &db.dbi);
  MDB_cursor* cur;
  mdb_cursor_open(txn, db.dbi, &cur);
  size_t rows = 0;
  char buf[256];
  for (const std::string& p : gPrefixes) {
    MDB_val k{p.size(), const_cast<char*>(p.data())}, v;
    int rc = mdb_cursor_get(cur, &k, &v, MDB_SET_RANGE);
    while (rc == 0 && k.mv_size >= p.size() && std::memcmp(k.mv_data, p.data(), p.size()) == 0) {
      std::memcpy(buf, v.mv_data, v.mv_size);
      ++rows;
      rc = mdb_cursor_get(cur, &k, &v, MDB_NEXT);
    }
  }
  benchmark::DoNotOptimize(buf);
  mdb_cursor_close(cur);
  mdb_txn_abort(txn);
  return rows;
}

// ---- open, get one key, close ----
// How the almanac reads a catalogue: every lookup opens the file, finds one key and closes
// it again. LMDB keeps its environment open and begins a read transaction per lookup.

constexpr size_t kOpenGets = 20000;
size_t openGets() {
  return std::min(kOpenGets, gFindOrder.size());
}

size_t openGetKeyFile() {
  std::string path = fileOf("keyfile", "rand");
  char buf[256];
  size_t found = 0;
  for (size_t n = 0; n < openGets(); ++n) {
    KeyFile kf;
    if (kfOpen(kf, path.c_str(), kKfExclusive, kKfAccessRead, nullptr) != 0) die("kfOpen");
    found += kfFind(kf, 1, gData.keys[gFindOrder[n]].c_str(), 0, buf, sizeof buf) == 1;
    kfClose(kf);
  }
  return found;
}

size_t openGetSqlite() {
  std::string path = fileOf("sqlite", "rand");
  size_t found = 0;
  char buf[256];
  for (size_t n = 0; n < openGets(); ++n) {
    const std::string& key = gData.keys[gFindOrder[n]];
    sqlite3* db;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
      die("sqlite3_open");
    sqlite3_stmt* get;
    sqlite3_prepare_v2(db, "SELECT v FROM t WHERE k = ?", -1, &get, nullptr);
    sqlite3_bind_blob(get, 1, key.data(), static_cast<int>(key.size()), SQLITE_STATIC);
    if (sqlite3_step(get) == SQLITE_ROW) {
      std::memcpy(buf, sqlite3_column_blob(get, 0),
                  static_cast<size_t>(sqlite3_column_bytes(get, 0)));
      ++found;
    }
    sqlite3_finalize(get);
    sqlite3_close(db);
  }
  benchmark::DoNotOptimize(buf);
  return found;
}

size_t openGetLmdb() {
  Lmdb db(fileOf("lmdb", "rand"), true);
  MDB_txn* txn;
  mdb_txn_begin(db.env, nullptr, MDB_RDONLY, &txn);
  mdb_dbi_open(txn, nullptr, 0, &db.dbi);
  mdb_txn_abort(txn);
  char buf[256];
  size_t found = 0;
  for (size_t n = 0; n < openGets(); ++n) {
    const std::string& key = gData.keys[gFindOrder[n]];
    if (mdb_txn_begin(db.env, nullptr, MDB_RDONLY, &txn) != 0) die("mdb_txn_begin");
    MDB_val k{key.size(), const_cast<char*>(key.data())}, v;
    if (mdb_get(txn, db.dbi, &k, &v) == 0) {
      std::memcpy(buf, v.mv_data, v.mv_size);
      ++found;
    }
    mdb_txn_abort(txn);
  }
  benchmark::DoNotOptimize(buf);
  return found;
}

// ---- benchmark bodies ----

template <typename F>
double timed(F&& f) {
  auto start = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void benchLoad(benchmark::State& state, std::string engine, std::string order) {
  for (auto _ : state) {
    double s = timed([&] { load(engine, order); });
    state.SetIterationTime(s);
    gSeconds["load " + order][engine] = s;
  }
  double bytes = fileSize(fileOf(engine, order));
  gBytes["file " + order][engine] = bytes;
  state.counters["keys"] = static_cast<double>(gData.keys.size());
  state.counters["file_MB"] = bytes / 1e6;
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * gData.keys.size()));
}

void benchFind(benchmark::State& state, std::string engine) {
  ensureLoaded(engine);
  size_t found = 0;
  for (auto _ : state) {
    double s = timed([&] {
      found = engine == "keyfile" ? findKeyFile() : engine == "sqlite" ? findSqlite() : findLmdb();
    });
    state.SetIterationTime(s);
    gSeconds["random find"][engine] = s;
  }
  if (found != gFindOrder.size()) die("a find missed");
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * gFindOrder.size()));
}

void benchOpenGet(benchmark::State& state, std::string engine) {
  ensureLoaded(engine);
  size_t found = 0;
  for (auto _ : state) {
    double s = timed([&] {
      found = engine == "keyfile"  ? openGetKeyFile()
              : engine == "sqlite" ? openGetSqlite()
                                   : openGetLmdb();
    });
    state.SetIterationTime(s);
    gSeconds["open-get-close"][engine] = s;
  }
  if (found != openGets()) die("an open-get missed");
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * found));
}

size_t gScanRows = 0;

void benchScan(benchmark::State& state, std::string engine) {
  ensureLoaded(engine);
  size_t rows = 0;
  for (auto _ : state) {
    double s = timed([&] {
      rows = engine == "keyfile" ? scanKeyFile() : engine == "sqlite" ? scanSqlite() : scanLmdb();
    });
    state.SetIterationTime(s);
    gSeconds["prefix scan"][engine] = s;
  }
  if (gScanRows != 0 && rows != gScanRows) die("prefix scans disagree");
  gScanRows = rows;
  state.counters["rows"] = static_cast<double>(rows);
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * rows));
}

void printSummary() {
  std::printf(
      "\nKeyed file vs peers, %zu keys (times in ms; ratio = peer time / keyed-file time,"
      " above 1 means the keyed file is faster)\n",
      gData.keys.size());
  std::printf("%-14s %12s %12s %12s %14s %12s\n", "operation", "keyfile", "sqlite", "lmdb",
              "sqlite/keyfile", "lmdb/keyfile");
  for (auto& [op, byEngine] : gSeconds) {
    double ours = byEngine["keyfile"];
    std::printf("%-14s %12.1f %12.1f %12.1f %14.2f %12.2f\n", op.c_str(), ours * 1e3,
                byEngine["sqlite"] * 1e3, byEngine["lmdb"] * 1e3,
                ours > 0 ? byEngine["sqlite"] / ours : 0, ours > 0 ? byEngine["lmdb"] / ours : 0);
  }
  for (auto& [op, byEngine] : gBytes) {
    double ours = byEngine["keyfile"];
    std::printf(
        "%-14s %11.1fM %11.1fM %11.1fM %14.2f %12.2f   (size ratio, above 1: ours smaller)\n",
        op.c_str(), ours / 1e6, byEngine["sqlite"] / 1e6, byEngine["lmdb"] / 1e6,
        ours > 0 ? byEngine["sqlite"] / ours : 0, ours > 0 ? byEngine["lmdb"] / ours : 0);
  }
}

void prepare() {
  gData = makeCatalogue(gKeyCount, 1998);
  gAscending.resize(gData.keys.size());
  for (size_t i = 0; i < gAscending.size(); ++i) gAscending[i] = i;
  std::sort(gAscending.begin(), gAscending.end(),
            [](size_t a, size_t b) { return gData.keys[a] < gData.keys[b]; });
  std::mt19937 rng(77);
  size_t finds = std::min<size_t>(gData.keys.size(), 200000);
  for (size_t i = 0; i < finds; ++i) gFindOrder.push_back(rng() % gData.keys.size());
  for (int i = 0; i < 2000; ++i)
    gPrefixes.push_back(gData.keys[rng() % gData.keys.size()].substr(0, 4));
  char pattern[] = "/tmp/bench_btree-XXXXXX";
  if (mkdtemp(pattern) == nullptr) die("mkdtemp");
  gDir = pattern;
}

}  // namespace

int main(int argc, char** argv) {
  if (const char* env = std::getenv("TQV_BENCH_KEYS")) gKeyCount = std::strtoul(env, nullptr, 10);
  std::vector<char*> args;
  for (int i = 0; i < argc; ++i) {
    if (std::strncmp(argv[i], "--keys=", 7) == 0)
      gKeyCount = std::strtoul(argv[i] + 7, nullptr, 10);
    else
      args.push_back(argv[i]);
  }
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());
  prepare();
  for (const char* order : {"asc", "rand"}) {
    for (const char* engine : kEngines) {
      benchmark::RegisterBenchmark((std::string("load_") + order + "/" + engine).c_str(), benchLoad,
                                   std::string(engine), std::string(order))
          ->Iterations(1)
          ->UseManualTime()
          ->Unit(benchmark::kMillisecond);
    }
  }
  for (const char* engine : kEngines) {
    benchmark::RegisterBenchmark((std::string("find_random/") + engine).c_str(), benchFind,
                                 std::string(engine))
        ->Iterations(1)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
  }
  for (const char* engine : kEngines) {
    benchmark::RegisterBenchmark((std::string("prefix_scan/") + engine).c_str(), benchScan,
                                 std::string(engine))
        ->Iterations(1)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
  }
  for (const char* engine : kEngines) {
    benchmark::RegisterBenchmark((std::string("open_get_close/") + engine).c_str(), benchOpenGet,
                                 std::string(engine))
        ->Iterations(1)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  printSummary();
  std::error_code ec;
  std::filesystem::remove_all(gDir, ec);
  return 0;
}
