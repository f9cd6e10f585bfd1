// Where the user's own files (preferences, bookmarks, itineraries, saved searches, games,
// the agenda) live: never beside the program or on the disc, so rebuilding or cleaning
// the program loses nothing.
#pragma once

#include <string>

namespace tqvPlatform {

// `configured` when it is not empty, else $XDG_DATA_HOME/`folder`, else
// $HOME/.local/share/`folder`; the directory and its missing parents are made (readable by
// the user only). Empty when there is no such place or it cannot be made.
std::string userDataDirectory(const std::string& configured, const std::string& folder);

}  // namespace tqvPlatform
