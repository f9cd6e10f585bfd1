// The bookmarks: the identifiers of the entries the user marked, kept in the user file
// "MARKLIST.DTT" (an archive whose item 0 is the list) and, while the program runs, in one
// list read on first use. An empty list is held as nil; an unreadable file counts as no
// bookmarks and is replaced at the next save.
#pragma once

#include "values/handle.h"

// The integer list of marked identifiers, or nil when there are none.
tqvHandle lxBookmarks();
TQVINT lxBookmarkCount();
bool lxIsBookmarked(TQVINT identifier);
// Adds or removes an identifier and saves the list; false when the file could not be
// written (the list in memory changes anyway).
bool lxSetBookmarked(TQVINT identifier, bool marked);
// Writes the list as the file's only item, replacing the file in one step.
bool lxSaveBookmarks();
// Forgets the list in memory (the next use reads the file again).
void lxForgetBookmarks();
