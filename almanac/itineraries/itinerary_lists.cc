// The lines of the itinerary dialogs' list boxes.
#include "almanac/itineraries/itinerary_lists.h"

#include "almanac/catalogue/content_catalogue.h"
#include "values/cp1252.h"
#include "values/generic.h"
#include "values/list.h"
#include "values/string.h"

namespace {

tqvHandle decimal(TQVINT identifier) {
  return tqvMakeString(std::to_string(identifier & 0xFFFF));
}

}  // namespace

tqvHandle lxItineraryNameList(const lxItineraries& itineraries) {
  tqvHandle names = tqvMakeList(static_cast<TQVINT>(itineraries.size()) + 4);
  for (const lxItinerary& itinerary : itineraries) tqvAddItem(names, tqvMakeString(itinerary.name));
  return names;
}

std::vector<std::string> lxItineraryEntryNames(const std::vector<TQVINT>& entries) {
  // One opening of the name list for all lines; the current name list may be another
  // family's, so it is not used.
  tqvHandle names = lxCatalogue().openCatalogue("VDB_NAMELIST");
  std::vector<std::string> lines;
  for (TQVINT entry : entries) {
    tqvHandle name = names.isNil() ? tqvHandle() : tqvGet(names, decimal(entry));
    lines.push_back(name.is(TQV_STRING_TYPE)
                        ? std::string(tqvStringView(name))
                        : tqvUtf8ToCp1252("(verbete ") + std::to_string(entry & 0xFFFF) +
                              tqvUtf8ToCp1252(" não está neste disco)"));
  }
  return lines;
}

tqvHandle lxItineraryEntryList(const std::vector<TQVINT>& entries) {
  tqvHandle list = tqvMakeList(static_cast<TQVINT>(entries.size()) + 4);
  for (const std::string& line : lxItineraryEntryNames(entries))
    tqvAddItem(list, tqvMakeString(line));
  return list;
}

std::vector<bool> lxEntriesOnDisc(const std::vector<TQVINT>& entries) {
  tqvHandle positions = lxCatalogue().openCatalogue("VDB_LISTID");
  std::vector<bool> known;
  for (TQVINT entry : entries) {
    known.push_back(!positions.isNil() && !tqvGet(positions, decimal(entry)).isNil());
  }
  return known;
}
