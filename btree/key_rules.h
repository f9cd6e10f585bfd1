// Key types of a keyed file: the size of a stored key value, its order and its byte order.
#pragma once

#include <cstdint>

#include "btree/key_file.h"

namespace kfdetail {

// How the key values of one key number are sized and compared.
struct KeyRule {
  uint8_t type = 0;                     // low five bits of the header's key type byte
  const KfSegment* segments = nullptr;  // composite keys only
  int segmentCount = 0;
  bool swap = false;  // numeric values are in the other byte order
};

// Size K of the stored key value at `p`, with `avail` bytes readable. Returns K >= 1,
// kKfDamaged when the value runs past `avail`, kKfNotFound for a type that has no rule.
int keyValueSize(const KeyRule& rule, const uint8_t* p, int avail);

// Size of a caller's key (machine order). Returns K, kKfBadArgument when it is 243 bytes
// or more (or a string has no terminator within that), kKfNotFound for a type without rule.
int callerKeySize(const KeyRule& rule, const uint8_t* key);

// Orders two stored key values (both in file order). Returns <0, 0 or >0. Sets *error to
// kKfNotFound when a type has no rule (the result is then 0).
int compareKeyValues(const KeyRule& rule, const uint8_t* a, int sizeA, const uint8_t* b, int sizeB,
                     int* error);

// Converts the numeric parts of a key value between machine and file order, in place.
void convertKeyValue(const KeyRule& rule, uint8_t* value, int size);

}  // namespace kfdetail
