// The word index and the search over it.
#include "almanac/search/word_index.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <iterator>

#include "media/resources.h"
#include "storage/archive.h"
#include "storage/file_stream.h"
#include "storage/index.h"
#include "values/convert.h"
#include "values/cp1252.h"
#include "values/error.h"
#include "values/generic.h"
#include "values/list.h"
#include "values/string.h"

namespace {

lxReferenceList intersect(const lxReferenceList& a, const lxReferenceList& b) {
  lxReferenceList out;
  std::set_intersection(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(out));
  return out;
}

// An ascending list without repeats, whatever the file held. References crowd into a
// few sections, so a prefix's tens of thousands of them usually span less than a bitmap
// of a few times their number: marking and reading it back is then one pass where a
// sort takes many.
lxReferenceList tidy(lxReferenceList list) {
  if (list.empty()) return list;
  auto [low, high] = std::minmax_element(list.begin(), list.end());
  int64_t base = *low;
  uint64_t span = static_cast<uint64_t>(int64_t{*high} - base) + 1;
  if (span / 64 > 4 * list.size()) {
    std::sort(list.begin(), list.end());
    list.erase(std::unique(list.begin(), list.end()), list.end());
    return list;
  }
  std::vector<uint64_t> bits(span / 64 + 1);
  for (int32_t reference : list) {
    uint64_t offset = static_cast<uint64_t>(reference - base);
    bits[offset / 64] |= uint64_t{1} << (offset % 64);
  }
  list.clear();
  for (size_t word = 0; word < bits.size(); ++word) {
    for (uint64_t b = bits[word]; b != 0; b &= b - 1) {
      list.push_back(
          static_cast<int32_t>(base + static_cast<int64_t>(word * 64) + std::countr_zero(b)));
    }
  }
  return list;
}

bool pressed(int32_t (*keyPressed)()) {
  return keyPressed != nullptr && keyPressed() != 0;
}

}  // namespace

const char* lxSectionName(TQVINT section) {
  switch (section) {
    case LX_SECTION_ENTRIES:
      return "Verbetes";
    case LX_SECTION_MEDIA:
      return "Mídias";
    case LX_SECTION_ATLAS:
      return "Atlas";
    case LX_SECTION_TIMELINE:
      return "Linha do Tempo";
    case LX_SECTION_RETROSPECTIVE:
      return "Retrospectiva";
    case LX_SECTION_CURIOSITIES:
      return "Curiosidades";
    case LX_SECTION_AGENDA:
      return "Agenda";
    default:
      return nullptr;
  }
}

lxWordIndex::lxWordIndex()
    : lxWordIndex(tqvLocateFile(tqvMakeString("KeyWord"), tqvMakeString("idx")),
                  tqvLocateFile(tqvMakeString("KeyWord"), tqvMakeString("dat"))) {}

lxWordIndex::lxWordIndex(const tqvHandle& indexPath, const tqvHandle& archivePath) {
  if (!tqvFileExists(indexPath) || !tqvFileExists(archivePath)) return;
  // A damaged pair is a disc without a word index, not a fatal error.
  tqvQuietErrors quiet;
  tqvHandle index = tqvOpenIndex(indexPath, 0, 0);
  tqvHandle archive = tqvOpenArchive(archivePath, 0);
  tqvIndexObject* i = tqvAsIndex(index);
  if (i == nullptr || !i->isOpen() || !archive.is(TQV_ARCHIVE_TYPE) || quiet.count() != 0) return;
  index_ = index;
  archive_ = archive;
}

void lxWordIndex::appendReferences(const tqvHandle& itemNumbers, lxReferenceList& all) {
  tqvListObject* numbers = tqvAsList(itemNumbers);
  if (numbers == nullptr) return;
  TQVINT items = tqvCount(archive_);
  for (TQVINT n = 0; n < numbers->count(); ++n) {
    TQVINT item = tqvIntValue(numbers->itemAt(n));
    if (item < 0 || item >= items) continue;  // a damaged index points nowhere
    tqvHandle list = tqvGet(archive_, item);
    tqvListObject* references = tqvAsList(list);
    if (references == nullptr) continue;
    for (TQVINT r = 0; r < references->count(); ++r) {
      all.push_back(tqvIntValue(references->itemAt(r)));
    }
  }
}

lxReferenceList lxWordIndex::referencesOf(const tqvHandle& itemNumbers) {
  lxReferenceList all;
  appendReferences(itemNumbers, all);
  return tidy(std::move(all));
}

lxReferenceList lxWordIndex::word(const std::string& word) {
  if (!isOpen() || word.empty()) return {};
  tqvQuietErrors quiet;
  return referencesOf(tqvGet(index_, tqvMakeString(word)));
}

lxReferenceList lxWordIndex::prefix(const std::string& prefix, int32_t (*stop)(),
                                    bool& interrupted) {
  if (!isOpen() || prefix.empty()) return {};
  tqvQuietErrors quiet;
  tqvHandle values = tqvPrefixValues(index_, tqvMakeString(prefix), stop);
  if (stop != nullptr && stop() != 0) interrupted = true;
  // Gathered whole and sorted once: uniting word by word copied the growing union once
  // per word, which a short prefix of thousands of words paid dearly.
  lxReferenceList all;
  tqvListObject* lists = tqvAsList(values);
  for (TQVINT i = 0; lists != nullptr && i < lists->count(); ++i) {
    appendReferences(lists->itemAt(i), all);
  }
  return tidy(std::move(all));
}

lxSearchResult lxSearch(lxWordIndex& index, const std::vector<lxQueryTerm>& terms, TQVINT mask,
                        int32_t (*keyPressed)()) {
  lxSearchResult result;
  bool first = true;
  for (const lxQueryTerm& term : terms) {
    if (pressed(keyPressed)) {
      result.interrupted = true;
      break;
    }
    lxReferenceList found;
    bool known = false;
    if (term.kind == lxQueryTerm::Kind::Prefix) {
      found = index.prefix(term.words.front(), keyPressed, result.interrupted);
      known = !found.empty();
    } else {
      bool firstWord = true;
      for (const std::string& word : term.words) {
        lxReferenceList list = index.word(word);
        if (list.empty()) continue;  // a word the index lacks contributes nothing
        found = firstWord ? list : intersect(found, list);
        firstWord = false;
        known = true;
      }
    }
    if (!known) continue;
    result.references = first ? found : intersect(result.references, found);
    first = false;
    if (result.interrupted) break;
  }
  if (mask != LX_ALL_SECTIONS) {
    std::erase_if(result.references, [mask](int32_t reference) {
      TQVINT section = lxSectionOf(reference);
      return section < 1 || section > 8 || (mask & (1 << (section - 1))) == 0;
    });
  }
  return result;
}

bool lxWriteWordIndex(const tqvHandle& indexPath, const tqvHandle& archivePath,
                      const std::map<std::string, std::set<int32_t>>& words) {
  tqvHandle archive = tqvCreateArchive(archivePath, static_cast<TQVINT>(words.size()));
  tqvHandle index = tqvCreateIndex(indexPath);
  if (!archive.is(TQV_ARCHIVE_TYPE) || tqvAsIndex(index) == nullptr) return false;
  TQVINT item = 0;
  for (const auto& [word, references] : words) {
    tqvHandle list = tqvMakeIntList(static_cast<TQVINT>(references.size()));
    for (int32_t reference : references) tqvAsList(list)->appendInt(reference);
    tqvAddItem(archive, list);
    tqvHandle numbers = tqvMakeIntList(1);
    tqvAsList(numbers)->appendInt(item++);
    tqvPut(index, tqvMakeString(word), numbers);
  }
  return true;
}
