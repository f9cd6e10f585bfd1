// Arrays of value handles in pool memory, as lists and tables keep them.
#pragma once

#include "values/handle.h"

// `capacity` nil handles, or null when the pool refuses the memory.
tqvHandle* tqvAllocateSlots(TQVINT capacity);
// Releases every handle of the array and gives the memory back. Null is ignored.
void tqvFreeSlots(tqvHandle* slots, TQVINT capacity);
