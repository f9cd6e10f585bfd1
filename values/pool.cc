// Size-class pool with free lists; every block it hands out is zero-filled.
#include "values/pool.h"

#include <cstdlib>
#include <cstring>

namespace {

size_t chunkCount;
size_t chunkTableSize;

}  // namespace

#if defined(TQV_POOL_USE_SYSTEM)

void* tqvPoolAlloc(size_t size) noexcept {
  return std::calloc(1, size == 0 ? 1 : size);
}

void tqvPoolFree(void* block, size_t) noexcept {
  std::free(block);
}

tqvPoolStats tqvGetPoolStats() noexcept {
  return {chunkCount, chunkTableSize, true};
}

#else

namespace {

constexpr size_t kChunkSize = 64 * 1024;
constexpr size_t kClassSizes[] = {16, 32, 256, 4096};
constexpr int kClassCount = 4;
constexpr size_t kChunkTableGrowth = 256;

struct FreeBlock {
  FreeBlock* next;
};

FreeBlock* freeLists[kClassCount];
void** chunkTable;

int classOf(size_t size) {
  for (int c = 0; c < kClassCount; ++c) {
    if (size <= kClassSizes[c]) return c;
  }
  return -1;
}

bool rememberChunk(void* chunk) {
  if (chunkCount == chunkTableSize) {
    size_t grown = chunkTableSize + kChunkTableGrowth;
    void** table = static_cast<void**>(std::realloc(chunkTable, grown * sizeof(void*)));
    if (table == nullptr) return false;
    chunkTable = table;
    chunkTableSize = grown;
  }
  chunkTable[chunkCount++] = chunk;
  return true;
}

// Cuts a fresh chunk into blocks of the class size and links them in address order.
bool refill(int cls) {
  char* chunk = static_cast<char*>(std::calloc(1, kChunkSize));
  if (chunk == nullptr) return false;
  if (!rememberChunk(chunk)) {
    std::free(chunk);
    return false;
  }
  size_t size = kClassSizes[cls];
  size_t blocks = kChunkSize / size;
  FreeBlock* head = nullptr;
  for (size_t i = blocks; i-- > 0;) {
    auto* block = reinterpret_cast<FreeBlock*>(chunk + i * size);
    block->next = head;
    head = block;
  }
  freeLists[cls] = head;
  return true;
}

}  // namespace

void* tqvPoolAlloc(size_t size) noexcept {
  int cls = classOf(size);
  if (cls < 0) return std::calloc(1, size);
  if (freeLists[cls] == nullptr && !refill(cls)) return nullptr;
  FreeBlock* block = freeLists[cls];
  freeLists[cls] = block->next;
  // Blocks are cleared when taken, so a block given back dirty still comes out zeroed.
  // Only the bytes asked for: clearing the rest of a large class block would touch
  // cache lines nobody reads.
  std::memset(block, 0, size);
  return block;
}

void tqvPoolFree(void* block, size_t size) noexcept {
  if (block == nullptr) return;
  int cls = classOf(size);
  if (cls < 0) {
    std::free(block);
    return;
  }
  auto* freed = static_cast<FreeBlock*>(block);
  freed->next = freeLists[cls];
  freeLists[cls] = freed;
}

tqvPoolStats tqvGetPoolStats() noexcept {
  return {chunkCount, chunkTableSize, false};
}

#endif
