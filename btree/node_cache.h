// The process-wide cache of node pages shared by every open keyed file (least recently used).
#pragma once

#include <cstdint>
#include <vector>

#include "btree/node_page.h"

namespace kfdetail {

struct FileState;

class NodeCache {
 public:
  static NodeCache& instance();

  // The parsed image of `node` of the file, read on a miss. The pointer is valid until the
  // next call into the cache. Returns 0; -30 for a damaged page (level is not checked here);
  // the statuses of readPage; -8 when an evicted dirty page could not be written.
  int fetch(FileState& fs, int32_t node, const NodeImage** image);

  // Puts the first 1024 bytes of `page` in as `node`; writes them at once when
  // `writeThrough`, else leaves them dirty. Returns 0, -8 or -43.
  int store(FileState& fs, int32_t node, const WorkPage& page, bool writeThrough);

  // Writes every dirty page of the file. 0 or the first write error.
  int flushFile(FileState& fs);
  // Forgets every page of the file (dirty pages are lost: flush first).
  void dropFile(FileState& fs);
  // Changes the number of buffers; dirty pages are written first. Returns the old size.
  int resize(int buffers);
  int size() const { return capacity_; }

 private:
  struct Slot {
    FileState* file = nullptr;
    int32_t node = -1;
    bool dirty = false;
    int newer = -1;    // recency list: toward the most recent
    int older = -1;    // toward the least recent
    uint64_t key = 0;  // (file id, node) while the slot is in use
    NodeImage image;
  };

  static uint64_t keyOf(const FileState& fs, int32_t node);
  void touch(int slot);
  void unlink(int slot);
  void pushFront(int slot);
  // A slot for a new page: a free one or the least recently used (written first if dirty).
  int takeSlot(int* status);
  void release(int slot);
  // Takes a slot's page out of its file's counts.
  static void forget(const Slot& slot);
  void allocate();
  // Open-addressing index from (file, node) to slot.
  size_t bucketOf(uint64_t key) const { return (key * 0x9E3779B97F4A7C15ull) >> shift_; }
  int lookup(uint64_t key) const;
  void indexInsert(uint64_t key, int slot);
  void indexErase(uint64_t key);

  int capacity_ = 0;
  std::vector<Slot> slots_;
  std::vector<int> free_;
  std::vector<int> table_;  // slot numbers, -1 for empty buckets
  size_t mask_ = 0;
  int shift_ = 64;
  int mostRecent_ = -1;
  int leastRecent_ = -1;
};

}  // namespace kfdetail
