// The word index of the disc's texts and the search over it.
//
// Two files: the index "KeyWord.idx" maps each word (in comparison form) to a list of
// integers, item numbers of the archive "KeyWord.dat", whose items are ascending lists of
// result references. A result reference is a 32-bit integer: the section code in the high
// 16 bits, the item's identifier in that section in the low 16 bits.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "almanac/search/query.h"
#include "values/handle.h"

// Section codes (the high half of a reference); the filter bit of a section is
// 1 << (code - 1), and the mask 255 keeps every section.
enum : TQVINT {
  LX_SECTION_ENTRIES = 1,
  LX_SECTION_MEDIA = 2,
  LX_SECTION_ATLAS = 3,
  LX_SECTION_TIMELINE = 4,
  LX_SECTION_RETROSPECTIVE = 5,
  LX_SECTION_CURIOSITIES = 6,
  LX_SECTION_AGENDA = 7,
  LX_ALL_SECTIONS = 255,
};
constexpr int32_t lxReference(TQVINT section, TQVINT identifier) {
  return static_cast<int32_t>((static_cast<uint32_t>(section) << 16) | (identifier & 0xFFFF));
}
constexpr TQVINT lxSectionOf(int32_t reference) {
  return static_cast<TQVINT>(static_cast<uint32_t>(reference) >> 16);
}
// The section's name as result lines show it (UTF-8), or nullptr for an unknown code.
const char* lxSectionName(TQVINT section);

using lxReferenceList = std::vector<int32_t>;

class lxWordIndex {
 public:
  // Opens the disc's "KeyWord" index and archive; without them every word is absent.
  lxWordIndex();
  // Opens the pair of files at these paths (code page 1252).
  lxWordIndex(const tqvHandle& indexPath, const tqvHandle& archivePath);
  bool isOpen() const { return !index_.isNil() && !archive_.isNil(); }

  // The references of a word, ascending; empty when the word is absent.
  lxReferenceList word(const std::string& word);
  // The union of the references of every word that begins with `prefix`. `stop` (may be
  // null) is asked between words; when it answers true the walk ends early and
  // `interrupted` is set.
  lxReferenceList prefix(const std::string& prefix, int32_t (*stop)(), bool& interrupted);

 private:
  // The references of the archive items `itemNumbers` names, appended as stored.
  void appendReferences(const tqvHandle& itemNumbers, lxReferenceList& all);
  // The same, ascending and without repeats.
  lxReferenceList referencesOf(const tqvHandle& itemNumbers);

  tqvHandle index_;
  tqvHandle archive_;
};

struct lxSearchResult {
  lxReferenceList references;  // ascending
  bool interrupted = false;
};

// The references that every term finds, kept when their section's bit is in `mask`. A
// prefix finds what any of its words finds, a phrase what all of its words find; a term
// none of whose words is in the index is left out rather than emptying the result. `keyPressed`
// (may be null) is asked between steps; a press ends the search with what was found so far.
lxSearchResult lxSearch(lxWordIndex& index, const std::vector<lxQueryTerm>& terms, TQVINT mask,
                        int32_t (*keyPressed)() = nullptr);

// Writes the pair of files for `words` (comparison form → references); false after a
// report.
bool lxWriteWordIndex(const tqvHandle& indexPath, const tqvHandle& archivePath,
                      const std::map<std::string, std::set<int32_t>>& words);
