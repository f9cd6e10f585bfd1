// The history of visited forms and the navigation record behind "GoBack" and
// "GoForward", as values in the runtime (stepping shows forms: see forms.h).
//
// History: the application's list of (form name, state) entries, appended when a form
// is left. Navigation record: a table with "List", entries (form name, data, third
// value), and "Index", the current position (0 in a new record); recording drops the
// entries after the current position and keeps the newest TQV_NAVIGATION_LIMIT.
#pragma once

#include "values/handle.h"

constexpr TQVINT TQV_NAVIGATION_LIMIT = 200;

// Appends (name, state) to the program's history, made on first use,
// unless its last entry has the same name and an equal state.
void tqvPushHistory(const tqvHandle& name, const tqvHandle& state);

// A new, empty navigation record.
tqvHandle tqvMakeNavigationRecord();
// The program's navigation record, made on first use; nil outside a program.
tqvHandle tqvNavigationRecord();
// Records (name, data, a copy of third) after the current position; does nothing (and
// returns false) when the current entry has the same name and equal data.
bool tqvRecordNavigation(const tqvHandle& record, const tqvHandle& name, const tqvHandle& data,
                         const tqvHandle& third);
// Moves the position one step back (-1) or forward (+1) when that is possible and gives
// the entry there; false (entry untouched) when not.
bool tqvStepNavigation(const tqvHandle& record, TQVINT step, tqvHandle& entry);
// Whether a step in that direction is possible.
bool tqvCanStepNavigation(const tqvHandle& record, TQVINT step);
