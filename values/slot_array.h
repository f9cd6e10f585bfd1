// Arrays of value handles in pool memory, as lists and tables keep them.
#pragma once

#include "values/handle.h"

// `capacity` nil handles, or null when the pool refuses the memory.
tqvHandle* tqvAllocateSlots(TQVINT capacity);
// Releases every handle of the array and gives the memory back. Null is ignored.
void tqvFreeSlots(tqvHandle* slots, TQVINT capacity);

// The slots placed right after an object of type T at the start of `block` (lists and
// tables small enough to share one pool block with their slots).
template <class T>
tqvHandle* tqvSlotsAfter(void* block) {
  return reinterpret_cast<tqvHandle*>(static_cast<char*>(block) + sizeof(T));
}
