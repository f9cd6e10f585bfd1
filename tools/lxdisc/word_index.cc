// The disc's word index.
#include "tools/lxdisc/word_index.h"

#include <cctype>
#include <map>
#include <set>

#include "almanac/search/query.h"
#include "almanac/search/word_index.h"
#include "values/cp1252.h"
#include "values/string.h"

namespace fs = std::filesystem;

namespace lxdisc {

std::string rtfVisibleText(const std::string& rtf) {
  std::string text;
  for (size_t i = 0; i < rtf.size(); ++i) {
    char c = rtf[i];
    if (c == '{' || c == '}') {
      text += ' ';
    } else if (c != '\\') {
      text += c;
    } else if (i + 1 < rtf.size() && rtf[i + 1] == '{') {
      // A link's target runs to "\}" and is not shown.
      size_t end = rtf.find("\\}", i + 2);
      i = end == std::string::npos ? rtf.size() : end + 1;
      text += ' ';
    } else if (i + 1 < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[i + 1]))) {
      size_t j = i + 1;
      while (j < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[j]))) ++j;
      if (j < rtf.size() && rtf[j] == '-') ++j;
      while (j < rtf.size() && std::isdigit(static_cast<unsigned char>(rtf[j]))) ++j;
      if (j < rtf.size() && rtf[j] == ' ') ++j;
      i = j - 1;
      text += ' ';
    } else if (i + 1 < rtf.size()) {
      ++i;  // an escaped character stands for itself
      text += rtf[i] == '\\' ? '\\' : ' ';
    }
  }
  return text;
}

namespace {

void addWords(std::map<std::string, std::set<int32_t>>& words, const std::string& utf8,
              int32_t reference) {
  for (const std::string& word : lxWordsOf(tqvUtf8ToCp1252(utf8))) words[word].insert(reference);
}

}  // namespace

void writeWordIndex(const Disc& disc, const fs::path& media) {
  std::map<std::string, std::set<int32_t>> words;
  for (const Entry& e : disc.entries) {
    int32_t reference = lxReference(LX_SECTION_ENTRIES, e.id);
    addWords(words, e.title, reference);
    addWords(words, rtfVisibleText(e.body), reference);
  }
  for (const Medium& m : disc.media) {
    int32_t reference = lxReference(LX_SECTION_MEDIA, m.id);
    addWords(words, m.title + " " + m.title2, reference);
    addWords(words, rtfVisibleText(m.caption), reference);
  }
  for (const Map& m : disc.maps) {
    addWords(words, m.title + " " + m.capital + " " + m.language + " " + m.currency,
             lxReference(LX_SECTION_ATLAS, m.id));
  }
  auto path = [&media](const char* name) {
    return tqvMakeString(tqvUtf8ToCp1252((media / name).string()));
  };
  if (!lxWriteWordIndex(path("KeyWord.idx"), path("KeyWord.dat"), words)) {
    throw DiscError(media / "KeyWord.idx", "cannot be written");
  }
}

}  // namespace lxdisc
