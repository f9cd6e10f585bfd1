// The almanac's user files (preferences, bookmarks, itineraries, saved searches, games,
// the agenda): kept in the user's data directory, "UserDataPath" when set, else the
// desktop's data directory; written whole and atomically, so a crash never leaves half
// a file.
#pragma once

#include <string_view>

#include "values/handle.h"

// The path of the user file `name` (code page 1252), or nil when there is no place for
// user files.
tqvHandle lxUserFile(std::string_view name);
// The one value a user file holds, decoded; nil when the file is absent or empty. A file
// whose bytes do not decode is reported to `damaged` (when given) and answers nil.
tqvHandle lxReadUserValue(std::string_view name, bool* damaged = nullptr);
// Replaces the user file with the encoding of `value`; false when it cannot be written.
bool lxWriteUserValue(std::string_view name, const tqvHandle& value);
