// What the itinerary dialogs share: the lines their list boxes show.
#pragma once

#include <string>
#include <vector>

#include "almanac/itineraries/itinerary_store.h"
#include "values/handle.h"

// The names of the itineraries, as a list of strings for a list box.
tqvHandle lxItineraryNameList(const lxItineraries& itineraries);
// The entries' names (code page 1252) in the itinerary's order; an identifier the disc does
// not know reads "(verbete N não está neste disco)".
std::vector<std::string> lxItineraryEntryNames(const std::vector<TQVINT>& entries);
// The same as a list of strings for a list box.
tqvHandle lxItineraryEntryList(const std::vector<TQVINT>& entries);
// Whether the disc knows each entry identifier (its low 16 bits), asked of one opening of
// the identifier catalogue.
std::vector<bool> lxEntriesOnDisc(const std::vector<TQVINT>& entries);
