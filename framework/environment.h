// The environment (configuration keys of the program: string keys, string or boolean
// values) and the globals table, both held by the runtime. Outside a program reads
// behave as on an empty table and writes are dropped.
#pragma once

#include <string_view>

#include "values/handle.h"

// The value under `key`, or nil / `fallback` when the key is absent.
tqvHandle tqvGetEnvironment(std::string_view key);
tqvHandle tqvGetEnvironment(std::string_view key, const tqvHandle& fallback);
// The present value through the boolean conversion (so "1" is true and "true" is false),
// else `fallback`.
bool tqvGetEnvironmentBoolean(std::string_view key, bool fallback);
// The present value through the integer conversion, else `fallback`.
TQVINT tqvGetEnvironmentInteger(std::string_view key, TQVINT fallback);
bool tqvHasEnvironment(std::string_view key);
// Stores (overwriting).
void tqvSetEnvironment(std::string_view key, const tqvHandle& value);
void tqvSetEnvironmentBoolean(std::string_view key, bool flag);

// The global value under `name`, or nil.
tqvHandle tqvGetGlobal(std::string_view name);
// Stores (overwriting).
void tqvSetGlobal(std::string_view name, const tqvHandle& value);
void tqvSetGlobal(const tqvHandle& key, const tqvHandle& value);

// The size of the media area ("MediaWidth" and "MediaHeight", 640 by 480 by default).
TQVINT tqvMediaWidth();
TQVINT tqvMediaHeight();
