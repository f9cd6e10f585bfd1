// SQLite FTS5 as the search benchmark's peer: a contentless table whose rowids are our
// result references, cut by the unicode61 tokenizer with diacritics removed (so it
// folds case and accents as our comparison form does) and with detail=none, since our
// index too keeps which items hold a word and not where.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <vector>

#include "bench/almanac/generated_corpus.h"

namespace lxbench {

class Fts5Peer {
 public:
  ~Fts5Peer();
  // Writes the items into a new database file, merged into one segment; false on failure.
  bool build(const std::string& path, const std::vector<CorpusItem>& items);
  // Opens the file for reading (mapped, as our index reads its file).
  bool open(const std::string& path);
  // The rowids that a query in FTS5's syntax matches, ascending.
  std::vector<int32_t> search(const std::string& match);

 private:
  void close();

  sqlite3* db_ = nullptr;
  sqlite3_stmt* select_ = nullptr;
};

// A query of ours written in FTS5's syntax: each word quoted, a prefix "abc*" as "abc"*;
// words side by side must all match, as ours.
std::string fts5Query(const std::vector<std::string>& words, bool prefix);

}  // namespace lxbench
