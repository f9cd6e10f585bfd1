// Item texts for the search benchmark: a vocabulary of the disc's own words (from the
// entries' RTF sources) followed by made-up Portuguese-looking words, drawn with a
// Zipf-like frequency so that very common and very rare words both occur, into items of
// a title and a few sentences. Everything follows from the seed.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace lxbench {

struct CorpusItem {
  int32_t reference;   // section << 16 | identifier
  std::string cp1252;  // the text as our index reads it
  std::string utf8;    // the same text as SQLite reads it
};

// Lower-case words in code page 1252, most frequent first, `size` in all; no two share a
// comparison form, and every byte is a letter of Portuguese (so that both engines cut
// and fold the texts alike).
std::vector<std::string> makeVocabulary(const std::filesystem::path& rtfSources, size_t size,
                                        uint32_t seed);

// `perSection` items in each of the sections 1 to `sections`, 40 to 150 words of text
// each after a title of one to four words.
std::vector<CorpusItem> makeItems(const std::vector<std::string>& vocabulary, int sections,
                                  int perSection, uint32_t seed);

}  // namespace lxbench
