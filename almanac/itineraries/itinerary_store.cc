// The itineraries file.
#include "almanac/itineraries/itinerary_store.h"

#include "almanac/catalogue/user_files.h"
#include "storage/archive.h"
#include "storage/file_stream.h"
#include "storage/memory_stream.h"
#include "values/error.h"
#include "values/generic.h"
#include "values/list.h"
#include "values/string.h"
#include "values/table.h"

namespace {

constexpr const char* kItineraryFile = "RotPesq.DTT";

// Item 0 of the file, when the file opens as an archive; nil otherwise.
tqvHandle readTable(bool& damaged) {
  damaged = false;
  tqvHandle path = lxUserFile(kItineraryFile);
  if (path.isNil() || !tqvFileExists(path)) return tqvHandle();
  tqvQuietErrors quiet;
  tqvHandle archive = tqvOpenArchive(path, 0);
  tqvHandle table;
  if (archive.is(TQV_ARCHIVE_TYPE) && tqvCount(archive) >= 1) table = tqvGet(archive, 0);
  if (quiet.count() != 0 || !table.is(TQV_TABLE_TYPE)) {
    damaged = true;
    return tqvHandle();
  }
  return table;
}

std::string foldCase(std::string_view text) {
  return std::string(tqvStringView(tqvLower(tqvMakeString(text))));
}

}  // namespace

lxItineraries lxReadItineraries(bool* damaged) {
  bool unreadable = false;
  tqvHandle table = readTable(unreadable);
  lxItineraries result;
  tqvHandle names = table.isNil() ? tqvHandle() : tqvGet(table, kItineraryNamesKey);
  if (!table.isNil() && tqvAsList(names) == nullptr) unreadable = true;
  if (damaged != nullptr) *damaged = unreadable;
  if (unreadable || table.isNil()) return result;
  for (TQVINT i = 0; i < tqvCount(names); ++i) {
    tqvHandle name = tqvGet(names, i);
    if (!name.is(TQV_STRING_TYPE)) continue;
    lxItinerary itinerary{std::string(tqvStringView(name)), {}};
    if (lxItineraryNameProblem(itinerary.name, result) != lxNameProblem::None) continue;
    tqvHandle entries = tqvGet(table, name);
    if (tqvAsList(entries) != nullptr) {
      for (TQVINT j = 0; j < tqvCount(entries); ++j) {
        tqvHandle entry = tqvGet(entries, j);
        if (entry.is(TQV_INT_TYPE)) itinerary.entries.push_back(entry.intValue());
      }
    }
    result.push_back(std::move(itinerary));
  }
  return result;
}

bool lxWriteItineraries(const lxItineraries& itineraries) {
  tqvHandle path = lxUserFile(kItineraryFile);
  if (path.isNil()) return false;
  tqvHandle table = tqvTable(static_cast<TQVINT>(itineraries.size()) * 2 + 4);
  tqvHandle names = tqvMakeList(static_cast<TQVINT>(itineraries.size()));
  for (const lxItinerary& itinerary : itineraries) {
    tqvHandle name = tqvMakeString(itinerary.name);
    tqvAddItem(names, name);
    tqvHandle entries = tqvMakeIntList(static_cast<TQVINT>(itinerary.entries.size()) + 4);
    for (TQVINT entry : itinerary.entries) tqvAsList(entries)->appendInt(entry);
    tqvPut(table, name, entries);
  }
  tqvPut(table, kItineraryNamesKey, names);
  tqvHandle stream = tqvMemoryStream(nullptr, 0);
  {
    tqvHandle archive = tqvCreateArchive(stream, 1);
    tqvAddItem(archive, table);
  }  // the archive writes its item table as it is released
  return tqvWriteWholeFile(path, stream.as<tqvMemoryStreamObject>()->writtenBytes(), true);
}

std::string lxTrimmedName(std::string_view typed) {
  constexpr std::string_view kBlanks = " \t\r\n\xA0";
  size_t first = typed.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return "";
  size_t last = typed.find_last_not_of(kBlanks);
  return std::string(typed.substr(first, last - first + 1));
}

lxNameProblem lxItineraryNameProblem(std::string_view typed, const lxItineraries& existing) {
  std::string name = lxTrimmedName(typed);
  if (name.empty()) return lxNameProblem::Empty;
  std::string folded = foldCase(name);
  if (folded == foldCase(kItineraryNamesKey)) return lxNameProblem::Taken;
  for (const lxItinerary& itinerary : existing) {
    if (foldCase(itinerary.name) == folded) return lxNameProblem::Taken;
  }
  return lxNameProblem::None;
}
