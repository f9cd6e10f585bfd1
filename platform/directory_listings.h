// Directory listings kept in memory with their names folded to one letter case, so that a
// name given in any case is matched without reading the directory again.
#pragma once

#include <sys/stat.h>

#include <string>
#include <string_view>

namespace tqvPlatform {

// Lower case for ASCII letters and for the two-byte UTF-8 forms of À..Þ (C3 80..9E),
// which map to à..þ (C3 A0..BE), except × (C3 97).
std::string foldCase(std::string_view name);

// The entry of `directory` ("" is the working directory) whose name equals `name` ignoring
// letter case, or empty when there is none or the directory cannot be read. When several
// entries match, the first in the directory's own order is the answer. `info` is what
// stat gave for the directory just now.
//
// A kept listing is used again only while the directory's device, inode, modification and
// change times are those it was read with, and only when it was read some seconds after
// the directory last changed: a change made within the same tick of the file system's
// clock may leave the times as they were, so such a listing is read again next time.
std::string findIgnoringCase(const std::string& directory, const struct stat& info,
                             std::string_view name);

// The same, with the directory's stat taken here.
std::string findIgnoringCase(const std::string& directory, std::string_view name);

// Drops the kept listing of the directory that holds `path` (a file-system path), after
// this program has added, replaced or removed an entry there.
void forgetListingOf(const std::string& path);

}  // namespace tqvPlatform
