// Word searches as the search dialog runs them (the query parsed, then lxSearch over the
// word index): on the demo disc's own index, and on a generated index of 60,000 items
// (six sections of 10,000) beside SQLite FTS5 holding the same texts and answering the
// same queries. Query kinds: one common word, one rare word, two words, a prefix "abc*".
// Each query is timed alone, every round, and its time is its median over the rounds
// (which leaves out most of what other programs on a shared machine take); the figures
// are the median and the 99th percentile of those times over the queries of a kind.
// Both engines must find the same items for every query.
//
// Options: --per-section=N (items in each of the six sections; default 10000),
// --rounds=N (default 5).
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <random>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "almanac/search/query.h"
#include "almanac/search/word_index.h"
#include "bench/almanac/fts5_peer.h"
#include "bench/almanac/generated_corpus.h"
#include "bench/almanac/timings.h"
#include "storage/index.h"
#include "values/list.h"
#include "values/string.h"
#include "values/values.h"

namespace {

namespace fs = std::filesystem;
using lxbench::Clock;
using lxbench::microsecondsSince;
using lxbench::Timings;

constexpr uint32_t kSeed = 1998;
constexpr size_t kQueriesPerKind = 200;
constexpr size_t kVocabulary = 150000;
const char* const kKinds[] = {"one word", "one common word", "one rare word", "two words",
                              "prefix abc*"};

struct Query {
  int kind;  // into kKinds
  std::vector<std::string> words;
  bool prefix = false;
  std::string ours() const {
    std::string text;
    for (const std::string& w : words) text += (text.empty() ? "" : " ") + w;
    return prefix ? text + "*" : text;
  }
};

size_t ourSearch(lxWordIndex& index, const Query& q, lxReferenceList* found = nullptr) {
  lxSearchResult result = lxSearch(index, lxParseQuery(q.ours()), LX_ALL_SECTIONS);
  if (found != nullptr) *found = result.references;
  return result.references.size();
}

tqvHandle path(const fs::path& p) {
  return tqvMakeString(p.string());
}

uintmax_t sizeOf(const fs::path& p) {
  std::error_code error;
  uintmax_t size = fs::file_size(p, error);
  return error ? 0 : size;
}

struct KindFigures {
  Timings ours, peer;
  std::vector<size_t> results;
};

size_t medianOf(std::vector<size_t> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// The demo disc: its vocabulary is the index's own keys; two-word queries take two words
// of one item, so that most find something.
void discSearches(int rounds) {
  fs::path media = fs::path(DEMO_DISC) / "Media";
  lxWordIndex index(path(media / "KeyWord.idx"), path(media / "KeyWord.dat"));
  tqvHandle raw = tqvOpenIndex(path(media / "KeyWord.idx"), 0, 0);
  if (!index.isOpen() || tqvAsIndex(raw) == nullptr) {
    std::printf("the demo disc has no word index under %s\n", media.c_str());
    return;
  }
  std::vector<std::string> words;
  tqvHandle entries = tqvAsIndex(raw)->entries();
  for (TQVINT i = 0; i < tqvCount(entries); ++i) {
    std::string key(tqvStringView(tqvAsList(tqvAsList(entries)->itemAt(i))->itemAt(0)));
    if (key != tqvIndexObject::kCountKey) words.push_back(key);
  }
  raw = tqvHandle();
  std::map<int32_t, std::vector<std::string>> itemWords;
  for (const std::string& w : words) {
    for (int32_t r : index.word(w)) itemWords[r].push_back(w);
  }
  std::vector<const std::vector<std::string>*> items;
  for (const auto& [reference, list] : itemWords) {
    if (list.size() >= 2) items.push_back(&list);
  }
  std::mt19937 random(kSeed);
  std::vector<Query> queries;
  for (size_t i = 0; i < kQueriesPerKind && !items.empty(); ++i) {
    queries.push_back({0, {words[random() % words.size()]}});
    const std::vector<std::string>& item = *items[random() % items.size()];
    size_t a = random() % item.size(), b = (a + 1 + random() % (item.size() - 1)) % item.size();
    queries.push_back({3, {item[a], item[b]}});
    std::string word;
    while (word.size() < 4) word = words[random() % words.size()];
    queries.push_back({4, {word.substr(0, 3)}, true});
  }
  std::map<int, KindFigures> figures;
  std::vector<Timings> byQuery(queries.size());
  for (int round = 0; round < rounds; ++round) {
    for (size_t i = 0; i < queries.size(); ++i) {
      Clock::time_point begin = Clock::now();
      size_t count = ourSearch(index, queries[i]);
      byQuery[i].add(microsecondsSince(begin));
      if (round == 0) figures[queries[i].kind].results.push_back(count);
    }
  }
  for (size_t i = 0; i < queries.size(); ++i)
    figures[queries[i].kind].ours.add(byQuery[i].median());
  std::printf("\nThe demo disc's word index: %zu words, %zu items, %d rounds\n", words.size(),
              itemWords.size(), rounds);
  std::printf("%-18s %8s %12s %12s %10s\n", "query", "queries", "median us", "p99 us", "results");
  for (const auto& [kind, f] : figures) {
    std::printf("%-18s %8zu %12.1f %12.1f %10zu\n", kKinds[kind], f.results.size(), f.ours.median(),
                f.ours.p99(), medianOf(f.results));
  }
}

// The queries on the generated texts, from the words' document counts.
std::vector<Query> generatedQueries(const std::map<std::string, std::set<int32_t>>& words,
                                    const std::vector<lxbench::CorpusItem>& items) {
  std::vector<std::pair<size_t, const std::string*>> byCount;
  std::vector<const std::string*> rare;
  for (const auto& [word, references] : words) {
    byCount.emplace_back(references.size(), &word);
    if (references.size() <= 5) rare.push_back(&word);
  }
  std::stable_sort(byCount.begin(), byCount.end(),
                   [](const auto& a, const auto& b) { return a.first > b.first; });
  std::set<std::string> common;
  for (size_t i = 0; i < 100 && i < byCount.size(); ++i) common.insert(*byCount[i].second);
  std::mt19937 random(kSeed + 1);
  std::vector<Query> queries;
  for (size_t i = 0; i < kQueriesPerKind; ++i) {
    queries.push_back({1, {*byCount[random() % std::min<size_t>(100, byCount.size())].second}});
    if (!rare.empty()) queries.push_back({2, {*rare[random() % rare.size()]}});
    // Two words of one item that are not among the hundred commonest, as a reader would
    // type them ("rio amazonas").
    std::vector<std::string> itemWords = lxWordsOf(items[random() % items.size()].cp1252);
    std::erase_if(itemWords, [&](const std::string& w) { return common.count(w) != 0; });
    if (itemWords.size() >= 2) {
      size_t a = random() % itemWords.size(), b = random() % itemWords.size();
      if (itemWords[a] != itemWords[b]) queries.push_back({3, {itemWords[a], itemWords[b]}});
    }
    std::string word;
    while (word.size() < 4) {
      std::vector<std::string> all = lxWordsOf(items[random() % items.size()].cp1252);
      word = all[random() % all.size()];
    }
    queries.push_back({4, {word.substr(0, 3)}, true});
  }
  return queries;
}

void generatedSearches(int perSection, int rounds) {
  fs::path dir = fs::temp_directory_path() / ("lx-search-bench-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  lxbench::Stopwatch made;
  std::vector<std::string> vocabulary =
      lxbench::makeVocabulary(fs::path(CONTENT_DIR) / "verbetes", kVocabulary, kSeed);
  std::vector<lxbench::CorpusItem> items = lxbench::makeItems(vocabulary, 6, perSection, kSeed);
  size_t textBytes = 0;
  for (const auto& item : items) textBytes += item.utf8.size();
  std::printf(
      "\nGenerated: %zu items, %.1f MB of text, %zu words in the vocabulary (made in %.1f s)\n",
      items.size(), static_cast<double>(textBytes) / 1e6, vocabulary.size(), made.lap().wall);

  // Building: the texts cut into words and the files written, for both. CPU time is
  // shown beside the wall clock, which other work on a shared machine inflates.
  lxbench::Stopwatch watch;
  // Items come in ascending reference order, so each word's list grows ascending and a
  // repeat is always its last element; the sets the writer takes are then made in one
  // pass each (a node-per-reference set filled word by word spent its time in cache misses).
  std::unordered_map<std::string, std::vector<int32_t>> gathered;
  for (const auto& item : items) {
    for (std::string& w : lxWordsOf(item.cp1252)) {
      std::vector<int32_t>& list = gathered[std::move(w)];
      if (list.empty() || list.back() != item.reference) list.push_back(item.reference);
    }
  }
  std::map<std::string, std::set<int32_t>> words;
  for (auto& [word, list] : gathered)
    words.emplace(word, std::set<int32_t>(list.begin(), list.end()));
  gathered.clear();
  lxbench::Lap cut = watch.lap();
  bool written = lxWriteWordIndex(path(dir / "KeyWord.idx"), path(dir / "KeyWord.dat"), words);
  lxbench::Lap write = watch.lap();
  lxbench::Fts5Peer peer;
  bool built = peer.build((dir / "fts5.sqlite").string(), items);
  lxbench::Lap peerBuild = watch.lap();
  if (!written || !built) {
    std::printf("the indexes could not be built (ours %d, FTS5 %d)\n", written, built);
    fs::remove_all(dir);
    return;
  }
  lxbench::Lap ours{cut.wall + write.wall, cut.cpu + write.cpu};
  uintmax_t oursSize = sizeOf(dir / "KeyWord.idx") + sizeOf(dir / "KeyWord.dat");
  uintmax_t peerSize = sizeOf(dir / "fts5.sqlite");
  std::printf("%zu distinct words\n", words.size());
  std::printf("%-34s %10s %10s %10s\n", "build", "wall s", "CPU s", "size MB");
  std::printf("%-34s %10.2f %10.2f\n", "ours: texts cut into words", cut.wall, cut.cpu);
  std::printf("%-34s %10.2f %10.2f\n", "ours: lxWriteWordIndex", write.wall, write.cpu);
  std::printf("%-34s %10.2f %10.2f %10.1f\n", "ours: in all", ours.wall, ours.cpu,
              static_cast<double>(oursSize) / 1e6);
  std::printf("%-34s %10.2f %10.2f %10.1f\n", "FTS5 (inserts, optimize)", peerBuild.wall,
              peerBuild.cpu, static_cast<double>(peerSize) / 1e6);
  std::printf("%-34s %10.2f %10.2f %10.2f\n", "ours/FTS5", ours.wall / peerBuild.wall,
              ours.cpu / peerBuild.cpu,
              static_cast<double>(oursSize) / static_cast<double>(peerSize));

  std::vector<Query> queries = generatedQueries(words, items);
  words.clear();
  lxWordIndex index(path(dir / "KeyWord.idx"), path(dir / "KeyWord.dat"));
  peer.open((dir / "fts5.sqlite").string());

  // Both must find the same items: our references are FTS5's rowids.
  std::map<int, KindFigures> figures;
  size_t mismatches = 0;
  for (const Query& q : queries) {
    lxReferenceList ours;
    ourSearch(index, q, &ours);
    std::vector<int32_t> theirs = peer.search(lxbench::fts5Query(q.words, q.prefix));
    figures[q.kind].results.push_back(ours.size());
    if (ours != theirs && ++mismatches <= 10) {
      std::printf("!!! MISMATCH on \"%s\": ours finds %zu items, FTS5 %zu\n", q.ours().c_str(),
                  ours.size(), theirs.size());
    }
  }
  size_t found = 0;  // summed, so that no search is left out as unused
  std::vector<Timings> oursByQuery(queries.size()), peerByQuery(queries.size());
  for (int round = 0; round < rounds; ++round) {
    for (size_t i = 0; i < queries.size(); ++i) {
      const Query& q = queries[i];
      std::string match = lxbench::fts5Query(q.words, q.prefix);
      // Which engine goes first alternates, so neither always finds the caches warm.
      for (int side = 0; side < 2; ++side) {
        bool oursNow = (side + round) % 2 == 0;
        Clock::time_point start = Clock::now();
        size_t count = oursNow ? ourSearch(index, q) : peer.search(match).size();
        double us = microsecondsSince(start);
        (oursNow ? oursByQuery[i] : peerByQuery[i]).add(us);
        found += count;
      }
    }
  }
  for (size_t i = 0; i < queries.size(); ++i) {
    figures[queries[i].kind].ours.add(oursByQuery[i].median());
    figures[queries[i].kind].peer.add(peerByQuery[i].median());
  }
  std::printf("\n%zu queries, %d rounds (%zu items found in all); microseconds per query\n",
              queries.size(), rounds, found);
  std::printf("%-18s %7s %9s %9s %9s %9s %9s %9s %9s\n", "query", "queries", "results", "ours med",
              "ours p99", "FTS5 med", "FTS5 p99", "ratio med", "ratio p99");
  for (const auto& [kind, f] : figures) {
    std::printf("%-18s %7zu %9zu %9.1f %9.1f %9.1f %9.1f %9.2f %9.2f\n", kKinds[kind],
                f.results.size(), medianOf(f.results), f.ours.median(), f.ours.p99(),
                f.peer.median(), f.peer.p99(), f.ours.median() / f.peer.median(),
                f.ours.p99() / f.peer.p99());
  }
  // The query each engine takes longest over (its median over the rounds), per kind.
  std::printf("\nslowest queries (median over the rounds, microseconds)\n");
  for (const auto& [kind, f] : figures) {
    for (int side = 0; side < 2; ++side) {
      const std::vector<Timings>& times = side == 0 ? oursByQuery : peerByQuery;
      size_t slowest = queries.size();
      for (size_t i = 0; i < queries.size(); ++i) {
        if (queries[i].kind == kind &&
            (slowest == queries.size() || times[i].median() > times[slowest].median())) {
          slowest = i;
        }
      }
      if (slowest == queries.size()) continue;
      std::printf("  %-16s %-5s \"%s\" (%zu items): ours %.1f, FTS5 %.1f\n", kKinds[kind],
                  side == 0 ? "ours" : "FTS5", queries[slowest].ours().c_str(),
                  ourSearch(index, queries[slowest]), oursByQuery[slowest].median(),
                  peerByQuery[slowest].median());
    }
  }
  if (mismatches != 0) {
    std::printf("!!! %zu of %zu queries found different items in the two engines\n", mismatches,
                queries.size());
  } else {
    std::printf("results agree: both engines found the same items for all %zu queries\n",
                queries.size());
  }
  fs::remove_all(dir);
}

int option(int argc, char** argv, const char* name, int fallback) {
  size_t length = std::strlen(name);
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], name, length) == 0 && argv[i][length] == '=')
      return std::atoi(argv[i] + length + 1);
  }
  return fallback;
}

}  // namespace

int main(int argc, char** argv) {
  int rounds = std::max(1, option(argc, argv, "--rounds", 5));
  int perSection = std::clamp(option(argc, argv, "--per-section", 10000), 1, 65535);
  discSearches(rounds);
  generatedSearches(perSection, rounds);
  return 0;
}
