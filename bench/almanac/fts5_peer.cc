// The FTS5 peer of the search benchmark.
#include "bench/almanac/fts5_peer.h"

namespace lxbench {

Fts5Peer::~Fts5Peer() {
  close();
}

void Fts5Peer::close() {
  sqlite3_finalize(select_);
  select_ = nullptr;
  sqlite3_close(db_);
  db_ = nullptr;
}

bool Fts5Peer::build(const std::string& path, const std::vector<CorpusItem>& items) {
  close();
  if (sqlite3_open(path.c_str(), &db_) != SQLITE_OK) return false;
  const char* create =
      "CREATE VIRTUAL TABLE words USING fts5(body, content='', detail=none, "
      "tokenize='unicode61 remove_diacritics 2')";
  if (sqlite3_exec(db_, create, nullptr, nullptr, nullptr) != SQLITE_OK) return false;
  sqlite3_exec(db_, "BEGIN", nullptr, nullptr, nullptr);
  sqlite3_stmt* insert = nullptr;
  sqlite3_prepare_v2(db_, "INSERT INTO words(rowid, body) VALUES(?, ?)", -1, &insert, nullptr);
  bool ok = insert != nullptr;
  for (const CorpusItem& item : items) {
    if (!ok) break;
    sqlite3_bind_int64(insert, 1, item.reference);
    sqlite3_bind_text(insert, 2, item.utf8.data(), static_cast<int>(item.utf8.size()),
                      SQLITE_STATIC);
    ok = sqlite3_step(insert) == SQLITE_DONE;
    sqlite3_reset(insert);
  }
  sqlite3_finalize(insert);
  ok = ok && sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
  // One merged segment, as our index is one sorted file.
  ok = ok && sqlite3_exec(db_, "INSERT INTO words(words) VALUES('optimize')", nullptr, nullptr,
                          nullptr) == SQLITE_OK;
  close();
  return ok;
}

bool Fts5Peer::open(const std::string& path) {
  close();
  if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) return false;
  sqlite3_exec(db_, "PRAGMA mmap_size=1073741824; PRAGMA cache_size=-65536", nullptr, nullptr,
               nullptr);
  if (sqlite3_prepare_v2(db_, "SELECT rowid FROM words WHERE words MATCH ?", -1, &select_,
                         nullptr) != SQLITE_OK) {
    return false;
  }
  // One read transaction for the reader's life spares SQLite its per-statement locking of
  // the file, which our reader does not do either.
  return sqlite3_exec(db_, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK;
}

std::vector<int32_t> Fts5Peer::search(const std::string& match) {
  std::vector<int32_t> rows;
  if (select_ == nullptr) return rows;
  sqlite3_bind_text(select_, 1, match.data(), static_cast<int>(match.size()), SQLITE_STATIC);
  while (sqlite3_step(select_) == SQLITE_ROW) {
    rows.push_back(static_cast<int32_t>(sqlite3_column_int64(select_, 0)));
  }
  sqlite3_reset(select_);
  return rows;
}

std::string fts5Query(const std::vector<std::string>& words, bool prefix) {
  std::string query;
  for (const std::string& word : words) {
    if (!query.empty()) query += ' ';
    query += '"' + word + '"';
  }
  return prefix ? query + '*' : query;
}

}  // namespace lxbench
