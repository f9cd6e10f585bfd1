// Generates Portuguese-like catalogue keys and their values.
#include "bench/btree/catalogue_keys.h"

#include <random>
#include <unordered_set>

namespace {

// Syllables written in code page 1252 (0xE3 a-tilde, 0xE7 c-cedilla, 0xE9 e-acute).
const char* const kSyllables[] = {"ba",    "ca",  "da",  "fe", "go", "lha",   "ma",  "nho",
                                  "pa",    "que", "ra",  "sa", "ta", "vi",    "zu",  "\xE7\xE3o",
                                  "t\xE9", "ri",  "lo",  "ne", "mu", "co",    "bra", "sil",
                                  "por",   "tu",  "gal", "be", "le", "m\xE3", "ri",  "dor"};
const char* const kLinks[] = {" ", " de ", " do ", " da ", " dos ", " e "};

std::string word(std::mt19937& rng, bool capital) {
  std::string w;
  int syllables = 2 + static_cast<int>(rng() % 3);
  for (int i = 0; i < syllables; ++i)
    w += kSyllables[rng() % (sizeof kSyllables / sizeof *kSyllables)];
  if (capital && w[0] >= 'a' && w[0] <= 'z') w[0] = static_cast<char>(w[0] - 32);
  return w;
}

}  // namespace

CatalogueData makeCatalogue(size_t count, uint32_t seed) {
  std::mt19937 rng(seed);
  CatalogueData data;
  data.keys.reserve(count);
  data.values.reserve(count);
  std::unordered_set<std::string> seen;
  seen.reserve(count * 2);
  while (data.keys.size() < count) {
    std::string key = word(rng, true);
    if (rng() % 3 != 0) key += kLinks[rng() % 6] + word(rng, rng() % 2 == 0);
    if (rng() % 2 == 0) key += " " + std::to_string(rng() % 100000);
    if (!seen.insert(key).second) continue;
    std::string value(20 + rng() % 81, '\0');
    for (char& c : value) c = static_cast<char>(rng());
    data.keys.push_back(std::move(key));
    data.values.push_back(std::move(value));
  }
  return data;
}
