// The value memory pool: zero-filled blocks for every heap value, text and array.
#pragma once

#include <cstddef>

// Returns a zero-filled block of at least `size` bytes, or null when the system refuses
// memory. Requests of at most 16, 32, 256 and 4096 bytes come from four size classes
// refilled in 64 KiB chunks that live for the whole run; larger ones go to the system.
void* tqvPoolAlloc(size_t size) noexcept;

// Gives back a block obtained from tqvPoolAlloc with the same `size`. Null is ignored.
void tqvPoolFree(void* block, size_t size) noexcept;

// Counters for tests and diagnostics.
struct tqvPoolStats {
  size_t chunks;          // 64 KiB chunks obtained so far
  size_t chunkTableSize;  // slots of the chunk table (grows by 256)
  bool usesSystem;        // built to hand every block to the system allocator
};
tqvPoolStats tqvGetPoolStats() noexcept;
