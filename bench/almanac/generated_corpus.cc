// The generated texts of the search benchmark.
#include "bench/almanac/generated_corpus.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <sstream>

#include "almanac/search/query.h"
#include "almanac/search/visible_text.h"
#include "values/charmaps.h"
#include "values/cp1252.h"

namespace lxbench {
namespace {

bool isLetter(unsigned char c) {
  // The accented letters of Portuguese, which SQLite's diacritics folding and our
  // plain-text table both take to their base letter; other accents are left out.
  static const std::string accented = tqvUtf8ToCp1252("àáâãçéêíóôõúüÀÁÂÃÇÉÊÍÓÔÕÚÜ");
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
         accented.find(static_cast<char>(c)) != std::string::npos;
}

std::string lowered(std::string word) {
  for (char& c : word) c = static_cast<char>(tqvCharmaps::lower[static_cast<unsigned char>(c)]);
  return word;
}

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The words of the RTF sources by comparison form: a written form and its count.
void countSourceWords(const std::filesystem::path& dir,
                      std::map<std::string, std::pair<std::string, size_t>>& counts) {
  std::vector<std::filesystem::path> files;
  for (const auto& e : std::filesystem::directory_iterator(dir)) {
    if (e.path().extension() == ".rtf") files.push_back(e.path());
  }
  std::sort(files.begin(), files.end());  // the same order, so the same vocabulary
  for (const auto& file : files) {
    std::string text = tqvUtf8ToCp1252(lxRtfVisibleText(readFile(file)));
    std::string word;
    for (size_t i = 0; i <= text.size(); ++i) {
      if (i < text.size() && isLetter(static_cast<unsigned char>(text[i]))) {
        word += text[i];
        continue;
      }
      if (word.size() >= 2) {
        auto& [form, count] = counts[lxComparisonForm(word)];
        if (form.empty()) form = lowered(word);
        ++count;
      }
      word.clear();
    }
  }
}

std::string madeUpWord(std::mt19937& random) {
  static const std::vector<std::string> syllables = [] {
    std::vector<std::string> all;
    for (const char* s :
         {"ba",  "be", "bi",  "bo",  "bu",  "ca",  "co",  "cu",  "da",  "de",  "di",  "do",
          "du",  "fa", "fe",  "fi",  "fo",  "ga",  "go",  "gu",  "ja",  "la",  "le",  "li",
          "lo",  "lu", "ma",  "me",  "mi",  "mo",  "mu",  "na",  "ne",  "ni",  "no",  "nu",
          "pa",  "pe", "pi",  "po",  "pu",  "ra",  "re",  "ri",  "ro",  "ru",  "sa",  "se",
          "si",  "so", "su",  "ta",  "te",  "ti",  "to",  "tu",  "va",  "ve",  "vi",  "vo",
          "xa",  "za", "lha", "nho", "que", "gua", "tra", "pro", "bra", "cri", "ção", "ções",
          "são", "tã", "mé",  "lá",  "pó",  "rê",  "çu",  "cí",  "ão"}) {
      all.push_back(tqvUtf8ToCp1252(s));
    }
    return all;
  }();
  static const char* const endings[] = {"", "", "", "r", "s", "l", "m", "z"};
  std::string word;
  int count = 2 + static_cast<int>(random() % 4);
  for (int i = 0; i < count; ++i) word += syllables[random() % syllables.size()];
  return word + endings[random() % 8];
}

// Draws vocabulary ranks with weight 1 / (rank + 1).
class Zipf {
 public:
  explicit Zipf(size_t size) : cumulative_(size) {
    double total = 0;
    for (size_t r = 0; r < size; ++r) cumulative_[r] = total += 1.0 / static_cast<double>(r + 1);
  }
  size_t operator()(std::mt19937& random) const {
    double u = std::uniform_real_distribution<double>(0, cumulative_.back())(random);
    auto at = std::upper_bound(cumulative_.begin(), cumulative_.end(), u);
    return std::min<size_t>(static_cast<size_t>(at - cumulative_.begin()), cumulative_.size() - 1);
  }

 private:
  std::vector<double> cumulative_;
};

std::string capitalised(std::string word) {
  word[0] = static_cast<char>(tqvCharmaps::upper[static_cast<unsigned char>(word[0])]);
  return word;
}

}  // namespace

std::vector<std::string> makeVocabulary(const std::filesystem::path& rtfSources, size_t size,
                                        uint32_t seed) {
  std::map<std::string, std::pair<std::string, size_t>> counts;
  countSourceWords(rtfSources, counts);
  std::vector<std::pair<size_t, std::string>> ranked;
  for (const auto& [form, written] : counts) ranked.emplace_back(written.second, written.first);
  std::stable_sort(ranked.begin(), ranked.end(),
                   [](const auto& a, const auto& b) { return a.first > b.first; });
  std::vector<std::string> vocabulary;
  std::set<std::string> forms;
  for (const auto& [count, word] : ranked) {
    if (vocabulary.size() == size) break;
    vocabulary.push_back(word);
    forms.insert(lxComparisonForm(word));
  }
  std::mt19937 random(seed);
  while (vocabulary.size() < size) {
    std::string word = madeUpWord(random);
    if (forms.insert(lxComparisonForm(word)).second) vocabulary.push_back(word);
  }
  return vocabulary;
}

std::vector<CorpusItem> makeItems(const std::vector<std::string>& vocabulary, int sections,
                                  int perSection, uint32_t seed) {
  std::mt19937 random(seed);
  Zipf zipf(vocabulary.size());
  std::vector<CorpusItem> items;
  items.reserve(static_cast<size_t>(sections) * static_cast<size_t>(perSection));
  for (int section = 1; section <= sections; ++section) {
    for (int id = 1; id <= perSection; ++id) {
      std::string text;
      int titleWords = 1 + static_cast<int>(random() % 4);
      for (int w = 0; w < titleWords; ++w) {
        text += (w == 0 ? "" : " ") + capitalised(vocabulary[zipf(random)]);
      }
      text += ". ";
      int words = 40 + static_cast<int>(random() % 111);
      int sentenceLeft = 0;
      for (int w = 0; w < words; ++w) {
        std::string word = vocabulary[zipf(random)];
        if (sentenceLeft == 0) {
          sentenceLeft = 6 + static_cast<int>(random() % 10);
          word = capitalised(word);
        }
        text += word;
        --sentenceLeft;
        text += sentenceLeft == 0 || w + 1 == words ? ". " : random() % 10 == 0 ? ", " : " ";
      }
      text.pop_back();
      int32_t reference = static_cast<int32_t>((section << 16) | id);
      items.push_back({reference, text, tqvCp1252ToUtf8(text)});
    }
  }
  return items;
}

}  // namespace lxbench
