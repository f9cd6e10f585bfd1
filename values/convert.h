// Queries and conversions on any value: type names, equality, hashing, orderings, truth
// and the numeric conversions.
#pragma once

#include <cstdint>
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
// The order a reader looks names up in: accents and capitals set aside first ("África"
// among the A's, "abelha" before "Água", "Brasil" before "Brasília"), then deciding
// between names otherwise equal.
TQVINT tqvReaderOrder(std::string_view a, std::string_view b);

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

// Lenient reads of properties that may hold any value; they never report.
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

// a + b held to the 32-bit range (content geometry may sit near the limits).
inline TQVINT tqvSaturatingAdd(TQVINT a, TQVINT b) {
  int64_t sum = int64_t{a} + b;
  return static_cast<TQVINT>(sum > INT32_MAX ? INT32_MAX : sum < INT32_MIN ? INT32_MIN : sum);
}
// a - b held to the 32-bit range.
inline TQVINT tqvSaturatingSub(TQVINT a, TQVINT b) {
  int64_t difference = int64_t{a} - b;
  return static_cast<TQVINT>(difference > INT32_MAX   ? INT32_MAX
                             : difference < INT32_MIN ? INT32_MIN
                                                      : difference);
}
