// Handle arrays in pool memory.
#include "values/slot_array.h"

#include <new>

#include "values/pool.h"

tqvHandle* tqvAllocateSlots(TQVINT capacity) {
  auto* slots = static_cast<tqvHandle*>(tqvPoolAlloc(sizeof(tqvHandle) * capacity));
  if (slots != nullptr) {
    for (TQVINT i = 0; i < capacity; ++i) new (&slots[i]) tqvHandle();
  }
  return slots;
}

void tqvFreeSlots(tqvHandle* slots, TQVINT capacity) {
  if (slots == nullptr) return;
  for (TQVINT i = 0; i < capacity; ++i) slots[i].~tqvHandle();
  tqvPoolFree(slots, sizeof(tqvHandle) * capacity);
}
