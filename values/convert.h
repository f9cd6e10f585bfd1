// Queries and conversions on any value: type names, equality, hashing, orderings, truth
// and the numeric conversions.
#pragma once

#include <string_view>

#include "values/handle.h"

// "TQV_NIL", "unique", "boolean", ... or "application-defined".
const char* tqvTypeName(TQVINT type);

// Same type and equal (floats as floats, strings byte for byte, other heap values by
// identity), or an int and a float that are numerically equal.
bool tqvEquals(const tqvHandle& a, const tqvHandle& b);
bool tqvEquals(const tqvHandle& a, TQVINT value);
bool tqvEquals(const tqvHandle& a, std::string_view text);

// Immediates: absolute value of the payload word; heap values: their hash operation.
TQVINT tqvHash(const tqvHandle& h);

// Three-way orderings. tqvCompare puts strings in byte order, tqvCollate in dictionary
// order; see the definitions for the other type pairs.
TQVINT tqvCompare(const tqvHandle& a, const tqvHandle& b);
TQVINT tqvCollate(const tqvHandle& a, const tqvHandle& b);
// Dictionary order of two byte strings (weights of the code page 1252 collation table).
TQVINT tqvCollateText(std::string_view a, std::string_view b);

bool tqvTruth(const tqvHandle& h);

// Int value of a boolean, int, float (truncated) or string (leading decimal integer).
// Other types report "tqvBool(stringOrBoolOrInt)" argument 1 and give the int 0.
tqvHandle tqvBool(const tqvHandle& h);
// As tqvBool, as a plain integer; other types report "tqvIntValue(numberOrString)".
TQVINT tqvIntValue(const tqvHandle& h);
// Number as a double; strings give their leading decimal floating-point number.
double tqvFloatValue(const tqvHandle& h);

// Conversions of text and floats that the readers share.
TQVINT tqvLeadingInt(std::string_view text);
double tqvLeadingFloat(std::string_view text);
// Truncates toward zero, saturating at the 32-bit range (NaN gives 0).
TQVINT tqvTruncate(double value);
