// What the standard forms do with keys of their own: Tab and Shift+Tab move the active
// control along "TabStopList", Alt chords go to the control that has them as
// accelerators, F1 opens the help file.
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

// Offers an Alt chord (a key code below 256 with Alt and without Ctrl) to the form's
// visible, enabled controls in list order through their "Accelerator" action (data: a
// list of the key code and the modifiers); the first that answers true takes it.
// Returns whether one did.
bool tqvOfferAccelerator(tqvFormObject& form, TQVINT key, TQVINT modifiers);

// The help file: the product abbreviation with ".hlp" (else ".html") in the program
// directory, else at the root "SourceDisk" names. Nil when there is none.
tqvHandle tqvHelpFilePath();
// Hands the help file to the services' help viewer. Returns whether a file was found.
bool tqvOpenHelpFile();
