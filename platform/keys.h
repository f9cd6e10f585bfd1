// The keys the program knows by name, in one table: how scripts write them, which SDL
// key codes stand for them, and the number the framework's key codes give the special
// keys.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/platform.h"

namespace tqvPlatform {

struct KeyName {
  Key key;
  std::string_view name;   // as scripts write it (matched ignoring case)
  std::string_view alias;  // another accepted spelling, or empty
  int32_t special;         // the framework's special-key number (0: not a special key)
};

// The named key spelt `name` (ignoring letter case), or null.
const KeyName* findKeyNamed(std::string_view name);
// The entry of `key`, or null for keys without a name (characters, Other).
const KeyName* findKey(Key key);

}  // namespace tqvPlatform
