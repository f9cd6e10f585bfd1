// What the standard forms do with keys of their own: Tab and Shift+Tab move the active
// control along "TabStopList", F1 opens the help file.
#pragma once

#include "values/handle.h"

class tqvFormObject;

// Key codes of Tab and F1, and Shift in the modifiers.
constexpr TQVINT TQV_KEY_TAB = 9;

// The entries of the form's "TabStopList" as controls: references are followed and
// names are looked up among the form's controls ("Name"); other entries stay nil.
tqvHandle tqvTabStops(tqvFormObject& form);
// Makes the next (or, backwards, the previous) tab stop after the active control the
// active control, wrapping around and skipping entries that are disabled or hidden or not
// controls; tries at most as many entries as the list holds. The previous active
// control is deactivated and the new one activated. Returns whether it changed.
bool tqvMoveTabStop(tqvFormObject& form, bool backwards);
// Makes the first tab stop the active control; false without one.
bool tqvActivateFirstTabStop(tqvFormObject& form);

// The help file: the product abbreviation with ".hlp" (else ".html") in the program
// directory, else at the root "SourceDisk" names. Nil when there is none.
tqvHandle tqvHelpFilePath();
// Hands the help file to the services' help viewer. Returns whether a file was found.
bool tqvOpenHelpFile();
