// The binary encoding against MessagePack on the same nested records, and random item
// reads from an archive file against SQLite selecting a blob by integer key.
#include <benchmark/benchmark.h>
#include <msgpack.h>
#include <sqlite3.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "bench/common/ratio_reporter.h"
#include "storage/archive.h"
#include "storage/encoding.h"
#include "storage/memory_stream.h"
#include "values/values.h"

namespace {

constexpr int kRecords = 100000;

struct Record {
  int id;
  std::string name;
  std::string capital;
  int population;
};

const std::vector<Record>& records() {
  static const std::vector<Record> all = [] {
    std::vector<Record> r;
    std::mt19937 random(7);
    for (int i = 0; i < kRecords; ++i) {
      r.push_back({i, "Verbete " + std::to_string(random()), "Capital " + std::to_string(i % 977),
                   static_cast<int>(random() % 200000000)});
    }
    return r;
  }();
  return all;
}

// Each record as (list id "name" (table ("Capital" ...) ("Pop" ...))).
tqvHandle recordValue(const Record& r) {
  tqvHandle list = tqvMakeList(3);
  tqvAddItem(list, tqvMakeInt(r.id));
  tqvAddItem(list, tqvMakeString(r.name));
  tqvHandle table = tqvTable(4);
  tqvPut(table, "Capital", tqvMakeString(r.capital));
  tqvPut(table, "Pop", tqvMakeInt(r.population));
  tqvAddItem(list, table);
  return list;
}

const tqvHandle& allRecords() {
  static const tqvHandle all = [] {
    tqvHandle list = tqvMakeList(kRecords);
    for (const Record& r : records()) tqvAddItem(list, recordValue(r));
    return list;
  }();
  return all;
}

void packRecord(msgpack_packer* pk, const Record& r) {
  msgpack_pack_array(pk, 3);
  msgpack_pack_int(pk, r.id);
  msgpack_pack_str(pk, r.name.size());
  msgpack_pack_str_body(pk, r.name.data(), r.name.size());
  msgpack_pack_map(pk, 2);
  msgpack_pack_str(pk, 7);
  msgpack_pack_str_body(pk, "Capital", 7);
  msgpack_pack_str(pk, r.capital.size());
  msgpack_pack_str_body(pk, r.capital.data(), r.capital.size());
  msgpack_pack_str(pk, 3);
  msgpack_pack_str_body(pk, "Pop", 3);
  msgpack_pack_int(pk, r.population);
}

void Encode_ours(benchmark::State& state) {
  const tqvHandle& all = allRecords();
  int64_t bytes = 0;
  for (auto _ : state) {
    tqvHandle stream = tqvMemoryStream(nullptr, 1 << 20);
    tqvEncode(stream, all);
    bytes = tqvAsStream(stream)->position();
    benchmark::DoNotOptimize(bytes);
  }
  state.SetBytesProcessed(state.iterations() * bytes);
  state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(Encode_ours)->Name("Encode100kRecords/ours")->Unit(benchmark::kMillisecond);

// MessagePack packing the records straight from plain structures.
void Encode_msgpack(benchmark::State& state) {
  int64_t bytes = 0;
  for (auto _ : state) {
    msgpack_sbuffer buffer;
    msgpack_sbuffer_init(&buffer);
    msgpack_packer pk;
    msgpack_packer_init(&pk, &buffer, msgpack_sbuffer_write);
    msgpack_pack_array(&pk, kRecords);
    for (const Record& r : records()) packRecord(&pk, r);
    bytes = static_cast<int64_t>(buffer.size);
    msgpack_sbuffer_destroy(&buffer);
  }
  state.SetBytesProcessed(state.iterations() * bytes);
  state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(Encode_msgpack)->Name("Encode100kRecords/msgpack_structs")->Unit(benchmark::kMillisecond);

// MessagePack packing the very same value tree, walking the handles as our encoder does:
// this separates the cost of visiting the values from the cost of writing bytes.
void packValue(msgpack_packer* pk, const tqvHandle& v) {
  switch (v.type()) {
    case TQV_INT_TYPE:
      msgpack_pack_int(pk, v.intValue());
      return;
    case TQV_STRING_TYPE: {
      std::string_view text = tqvStringView(v);
      msgpack_pack_str(pk, text.size());
      msgpack_pack_str_body(pk, text.data(), text.size());
      return;
    }
    case TQV_LIST_TYPE: {
      tqvListObject* l = tqvAsList(v);
      msgpack_pack_array(pk, l->count());
      const tqvHandle* slots = static_cast<tqvGeneralListObject*>(l)->slots();
      for (TQVINT i = 0; i < l->count(); ++i) packValue(pk, slots[i]);
      return;
    }
    case TQV_TABLE_TYPE: {
      tqvTableObject* t = tqvAsTable(v);
      msgpack_pack_map(pk, t->count());
      for (TQVINT i = t->firstSlot(); i >= 0; i = t->nextSlot(i)) {
        packValue(pk, t->keySlot(i));
        packValue(pk, t->valueSlot(i));
      }
      return;
    }
    default:
      msgpack_pack_nil(pk);
  }
}

void EncodeWalk_msgpack(benchmark::State& state) {
  const tqvHandle& all = allRecords();
  int64_t bytes = 0;
  for (auto _ : state) {
    msgpack_sbuffer buffer;
    msgpack_sbuffer_init(&buffer);
    msgpack_packer pk;
    msgpack_packer_init(&pk, &buffer, msgpack_sbuffer_write);
    packValue(&pk, all);
    bytes = static_cast<int64_t>(buffer.size);
    msgpack_sbuffer_destroy(&buffer);
  }
  state.SetBytesProcessed(state.iterations() * bytes);
}
BENCHMARK(EncodeWalk_msgpack)
    ->Name("Encode100kRecords/msgpack_same_values")
    ->Unit(benchmark::kMillisecond);

void Decode_ours(benchmark::State& state) {
  tqvHandle stream = tqvMemoryStream(nullptr, 1 << 20);
  tqvEncode(stream, allRecords());
  TQVINT size = tqvAsStream(stream)->position();
  for (auto _ : state) {
    tqvAsStream(stream)->seek(0);
    tqvHandle back = tqvDecode(stream);
    benchmark::DoNotOptimize(back);
  }
  state.SetBytesProcessed(state.iterations() * size);
}
BENCHMARK(Decode_ours)->Name("Decode100kRecords/ours")->Unit(benchmark::kMillisecond);

void Decode_msgpack(benchmark::State& state) {
  msgpack_sbuffer buffer;
  msgpack_sbuffer_init(&buffer);
  msgpack_packer pk;
  msgpack_packer_init(&pk, &buffer, msgpack_sbuffer_write);
  msgpack_pack_array(&pk, kRecords);
  for (const Record& r : records()) packRecord(&pk, r);
  for (auto _ : state) {
    msgpack_unpacked result;
    msgpack_unpacked_init(&result);
    size_t offset = 0;
    msgpack_unpack_next(&result, buffer.data, buffer.size, &offset);
    benchmark::DoNotOptimize(result.data.via.array.size);
    msgpack_unpacked_destroy(&result);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(buffer.size));
  msgpack_sbuffer_destroy(&buffer);
}
BENCHMARK(Decode_msgpack)->Name("Decode100kRecords/msgpack")->Unit(benchmark::kMillisecond);

std::string scratchFile(const char* name) {
  return (std::filesystem::temp_directory_path() /
          ("tqv-bench-" + std::to_string(::getpid()) + "-" + name))
      .string();
}

void RandomGet_ours(benchmark::State& state) {
  std::string path = scratchFile("items.dat");
  {
    tqvHandle archive = tqvCreateArchive(tqvMakeString(path), kRecords);
    for (const Record& r : records()) tqvAddItem(archive, recordValue(r));
  }
  tqvHandle archive = tqvOpenArchive(tqvMakeString(path), 0);
  std::mt19937 random(3);
  for (auto _ : state) {
    tqvHandle item = tqvGet(archive, static_cast<TQVINT>(random() % kRecords));
    benchmark::DoNotOptimize(item);
  }
  state.SetItemsProcessed(state.iterations());
  archive = TQV_NIL;
  std::filesystem::remove(path);
}
BENCHMARK(RandomGet_ours)->Name("RandomGet100kItems/ours");

// SQLite returns the same encoded bytes as a blob, which are then decoded the same way.
void RandomGet_sqlite(benchmark::State& state) {
  std::string path = scratchFile("items.sqlite");
  sqlite3* db = nullptr;
  sqlite3_open(path.c_str(), &db);
  sqlite3_exec(db, "CREATE TABLE items(id INTEGER PRIMARY KEY, data BLOB)", nullptr, nullptr,
               nullptr);
  sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
  sqlite3_stmt* insert = nullptr;
  sqlite3_prepare_v2(db, "INSERT INTO items VALUES(?, ?)", -1, &insert, nullptr);
  for (const Record& r : records()) {
    tqvHandle stream = tqvMemoryStream(nullptr, 0);
    tqvEncode(stream, recordValue(r));
    auto* s = stream.as<tqvMemoryStreamObject>();
    sqlite3_bind_int(insert, 1, r.id);
    sqlite3_bind_blob(insert, 2, s->data(), s->position(), SQLITE_TRANSIENT);
    sqlite3_step(insert);
    sqlite3_reset(insert);
  }
  sqlite3_finalize(insert);
  sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
  sqlite3_stmt* select = nullptr;
  sqlite3_prepare_v2(db, "SELECT data FROM items WHERE id = ?", -1, &select, nullptr);
  std::mt19937 random(3);
  for (auto _ : state) {
    sqlite3_bind_int(select, 1, static_cast<int>(random() % kRecords));
    if (sqlite3_step(select) == SQLITE_ROW) {
      auto* blob = const_cast<void*>(sqlite3_column_blob(select, 0));
      tqvHandle stream = tqvMemoryStream(blob, sqlite3_column_bytes(select, 0));
      benchmark::DoNotOptimize(tqvDecode(stream));
    }
    sqlite3_reset(select);
  }
  state.SetItemsProcessed(state.iterations());
  sqlite3_finalize(select);
  sqlite3_close(db);
  std::filesystem::remove(path);
}
BENCHMARK(RandomGet_sqlite)->Name("RandomGet100kItems/sqlite");

}  // namespace

int main(int argc, char** argv) {
  return tqvbench::runWithRatios(argc, argv);
}
