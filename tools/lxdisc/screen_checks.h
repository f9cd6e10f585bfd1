// The checks of the disc's screens (content/disco/*.frm): a file registered as a screen
// carries the registered name and class; the screens a user can reach from the start,
// through the menu bar, the menus of the global table, the main screen's buttons and the
// controls' "Target Form" and "Target Dialog", are all on the disc. Screens whose sections
// come later (the itineraries, the viewers the search opens) may be absent: the program
// tells the user so.
#pragma once

#include <filesystem>

namespace lxdisc {

// Throws DiscError naming the file at fault.
void checkScreens(const std::filesystem::path& content);

}  // namespace lxdisc
