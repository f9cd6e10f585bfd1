// Reading form and control properties that may hold any value: numbers and flags read
// without reporting errors, and structural equality of states and data tables.
#pragma once

#include "values/handle.h"

// An int, a float (truncated) or a boolean (0 or 1); anything else gives `fallback`.
TQVINT tqvNumberOf(const tqvHandle& value, TQVINT fallback);
// As tqvNumberOf, and a string gives its leading decimal integer (0 when it has none).
TQVINT tqvIntegerOf(const tqvHandle& value, TQVINT fallback);
// A boolean; an int or float is true when non-zero; a string by its leading integer
// ("1" is true, "true" is false); nil and any other value give `fallback`.
bool tqvFlagOf(const tqvHandle& value, bool fallback);
// Lists and tables compare item by item and key by key; everything else as tqvEquals.
// Structures nested deeper than a few hundred levels count as different.
bool tqvSameValue(const tqvHandle& a, const tqvHandle& b);
