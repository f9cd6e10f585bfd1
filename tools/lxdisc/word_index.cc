// The disc's word index.
#include "tools/lxdisc/word_index.h"

#include <map>
#include <set>

#include "almanac/search/query.h"
#include "almanac/search/visible_text.h"
#include "almanac/search/word_index.h"
#include "values/cp1252.h"
#include "values/string.h"

namespace fs = std::filesystem;

namespace lxdisc {

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
    addWords(words, lxRtfVisibleText(e.body), reference);
  }
  for (const Medium& m : disc.media) {
    int32_t reference = lxReference(LX_SECTION_MEDIA, m.id);
    addWords(words, m.title + " " + m.title2, reference);
    addWords(words, lxRtfVisibleText(m.caption), reference);
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
