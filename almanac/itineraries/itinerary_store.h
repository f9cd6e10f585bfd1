// The itineraries: personal lists of entries the user names and keeps, stored in the user
// file "RotPesq.DTT". The file is an archive with one item, a table: "ListaDeRoteiros"
// holds the names in display order, and each name is a key whose value is the integer
// list of its entry identifiers in the order they were added. A missing file holds no
// itineraries; an unreadable one counts as holding none and is replaced at the next save.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "values/handle.h"

struct lxItinerary {
  std::string name;  // code page 1252
  std::vector<TQVINT> entries;
  bool operator==(const lxItinerary&) const = default;
};
using lxItineraries = std::vector<lxItinerary>;

// The key of the names in the file's table; no itinerary may take it as its name.
constexpr std::string_view kItineraryNamesKey = "ListaDeRoteiros";

// Reads the file. `damaged` (when given) tells whether the file was there but unreadable.
// Names that are not strings, repeat an earlier name or take the names key are left out;
// a name without a list of its own is an empty itinerary, and elements that are not
// integers are dropped.
lxItineraries lxReadItineraries(bool* damaged = nullptr);
// Replaces the file with the itineraries, in one step; false when it cannot be written.
bool lxWriteItineraries(const lxItineraries& itineraries);

// Why a typed name cannot name a new itinerary.
enum class lxNameProblem { None, Empty, Taken };
// The name as it will be kept: without leading and trailing blanks.
std::string lxTrimmedName(std::string_view typed);
// Empty once trimmed; Taken when it equals an existing name or the names key, ignoring
// case (two itineraries a user tells apart only by capitals would be confusing).
lxNameProblem lxItineraryNameProblem(std::string_view typed, const lxItineraries& existing);
