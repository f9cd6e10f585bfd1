// The user's preferences: a table of eight keys kept in the global table's "Preferences"
// entry (whose own value gives the defaults), saved in "PREFS.DAT" among the user files
// and, except for the volume, copied into the environment where the rest of the program
// reads them.
#pragma once

#include "values/handle.h"

// The global table (the resource "GlobalTable"): loaded from "Global.tbl" on the disc on
// first use and kept in the globals; when the disc has none, a table whose
// "Preferences" are the built-in defaults.
tqvHandle lxGlobalTable();

// Reads "PREFS.DAT" (an empty file counts as absent; one that does not decode is
// deleted), else takes the global table's defaults with the volume at 75; applies the
// result and stores it back as the global table's "Preferences". Returns the table.
tqvHandle lxLoadPreferences();
// Sets the sound volume and copies the seven flags into the environment.
void lxApplyPreferences(const tqvHandle& preferences);
// Writes the global table's "Preferences" to "PREFS.DAT"; when that fails, warns
// "Aviso! Não foi possível salvar preferências no disco!" and answers false.
bool lxSavePreferences();
// The preferences in force (the global table's "Preferences").
tqvHandle lxPreferences();
