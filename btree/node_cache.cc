// Node cache: lookup by (file, node), least-recently-used replacement, deferred writes.
#include "btree/node_cache.h"

#include <cstdlib>

#include "btree/file_state.h"

namespace kfdetail {
namespace {

// Default size: enough for the upper levels of large trees and a working set of leaves.
constexpr int kDefaultBuffers = 2048;
constexpr int kMinBuffers = 4;

int initialSize() {
  if (const char* env = std::getenv("TQV_KF_CACHE")) {
    int n = std::atoi(env);
    if (n >= kMinBuffers) return n;
  }
  return kDefaultBuffers;
}

}  // namespace

NodeCache& NodeCache::instance() {
  static NodeCache cache;
  if (cache.slots_.empty()) {
    cache.capacity_ = cache.capacity_ > 0 ? cache.capacity_ : initialSize();
    cache.allocate();
  }
  return cache;
}

void NodeCache::allocate() {
  slots_.assign(static_cast<size_t>(capacity_), Slot{});
  free_.clear();
  for (int i = capacity_ - 1; i >= 0; --i) free_.push_back(i);
  size_t buckets = 16;
  int bits = 4;
  while (buckets < static_cast<size_t>(capacity_) * 2) buckets <<= 1, ++bits;
  table_.assign(buckets, -1);
  mask_ = buckets - 1;
  shift_ = 64 - bits;
  mostRecent_ = leastRecent_ = -1;
}

int NodeCache::lookup(uint64_t key) const {
  for (size_t b = bucketOf(key);; b = (b + 1) & mask_) {
    int s = table_[b];
    if (s < 0 || slots_[static_cast<size_t>(s)].key == key) return s;
  }
}

void NodeCache::indexInsert(uint64_t key, int slot) {
  size_t b = bucketOf(key);
  while (table_[b] >= 0) b = (b + 1) & mask_;
  table_[b] = slot;
  slots_[static_cast<size_t>(slot)].key = key;
}

// Removes the key and shifts later members of its probe run back into the gap.
void NodeCache::indexErase(uint64_t key) {
  size_t hole = bucketOf(key);
  while (table_[hole] >= 0 && slots_[static_cast<size_t>(table_[hole])].key != key) {
    hole = (hole + 1) & mask_;
  }
  if (table_[hole] < 0) return;
  table_[hole] = -1;
  for (size_t b = (hole + 1) & mask_; table_[b] >= 0; b = (b + 1) & mask_) {
    size_t home = bucketOf(slots_[static_cast<size_t>(table_[b])].key);
    // Move the member back when its home does not lie cyclically in (hole, b].
    bool between = hole < b ? (home > hole && home <= b) : (home > hole || home <= b);
    if (!between) {
      table_[hole] = table_[b];
      table_[b] = -1;
      hole = b;
    }
  }
}

uint64_t NodeCache::keyOf(const FileState& fs, int32_t node) {
  return (fs.id << 32) | static_cast<uint32_t>(node);
}

void NodeCache::unlink(int s) {
  Slot& slot = slots_[static_cast<size_t>(s)];
  if (slot.newer >= 0)
    slots_[static_cast<size_t>(slot.newer)].older = slot.older;
  else
    mostRecent_ = slot.older;
  if (slot.older >= 0)
    slots_[static_cast<size_t>(slot.older)].newer = slot.newer;
  else
    leastRecent_ = slot.newer;
  slot.newer = slot.older = -1;
}

void NodeCache::pushFront(int s) {
  Slot& slot = slots_[static_cast<size_t>(s)];
  slot.newer = -1;
  slot.older = mostRecent_;
  if (mostRecent_ >= 0) slots_[static_cast<size_t>(mostRecent_)].newer = s;
  mostRecent_ = s;
  if (leastRecent_ < 0) leastRecent_ = s;
}

void NodeCache::touch(int s) {
  if (mostRecent_ == s) return;
  unlink(s);
  pushFront(s);
}

void NodeCache::release(int s) {
  Slot& slot = slots_[static_cast<size_t>(s)];
  unlink(s);
  indexErase(slot.key);
  forget(slot);
  slot.file = nullptr;
  slot.node = -1;
  slot.dirty = false;
  free_.push_back(s);
}

int NodeCache::takeSlot(int* status) {
  *status = 0;
  if (!free_.empty()) {
    int s = free_.back();
    free_.pop_back();
    return s;
  }
  int s = leastRecent_;
  Slot& slot = slots_[static_cast<size_t>(s)];
  if (slot.dirty) {
    int rc = writePage(*slot.file, slot.node, slot.image.page);
    if (rc != 0) {
      *status = rc;
      return -1;
    }
  }
  unlink(s);
  indexErase(slot.key);
  forget(slot);
  slot.file = nullptr;
  slot.dirty = false;
  return s;
}

int NodeCache::fetch(FileState& fs, int32_t node, const NodeImage** image) {
  // Scans and record reads ask for the same page many times in a row.
  if (mostRecent_ >= 0) {
    Slot& recent = slots_[static_cast<size_t>(mostRecent_)];
    if (recent.file == &fs && recent.node == node) {
      *image = &recent.image;
      return 0;
    }
  }
  int found = lookup(keyOf(fs, node));
  if (found >= 0) {
    touch(found);
    *image = &slots_[static_cast<size_t>(found)].image;
    return 0;
  }
  int status;
  int s = takeSlot(&status);
  if (s < 0) return status;
  Slot& slot = slots_[static_cast<size_t>(s)];
  // A mapped file's page is parsed where it lies, without copying it into the buffer.
  // Its lines are requested together first: parsing follows the entries' length bytes one
  // after another and would otherwise wait for each line in turn.
  slot.image.mapped = mappedPage(fs, node);
  if (slot.image.mapped == nullptr) {
    status = readPage(fs, node, slot.image.page);
  } else {
    for (int at = 0; at < kfformat::kPageSize; at += 64) __builtin_prefetch(slot.image.mapped + at);
  }
  if (status == 0 && slot.image.parse(fs.swap) != 0) status = kKfDamaged;
  if (status != 0) {
    free_.push_back(s);
    return status;
  }
  slot.file = &fs;
  slot.node = node;
  slot.dirty = false;
  ++fs.cachedPages;
  indexInsert(keyOf(fs, node), s);
  pushFront(s);
  *image = &slot.image;
  return 0;
}

int NodeCache::store(FileState& fs, int32_t node, const WorkPage& page, bool writeThrough) {
  if (node < 0) return kKfNegativeNode;
  int s = lookup(keyOf(fs, node));
  if (s >= 0) {
    touch(s);
  } else {
    int status;
    s = takeSlot(&status);
    if (s < 0) return status;
    Slot& slot = slots_[static_cast<size_t>(s)];
    slot.file = &fs;
    slot.node = node;
    slot.dirty = false;
    ++fs.cachedPages;
    indexInsert(keyOf(fs, node), s);
    pushFront(s);
  }
  Slot& slot = slots_[static_cast<size_t>(s)];
  std::memcpy(slot.image.page, page.bytes, kfformat::kPageSize);
  slot.image.mapped = nullptr;
  slot.image.parse(fs.swap);
  if (!slot.dirty) ++fs.dirtyPages;
  slot.dirty = true;
  if (writeThrough) {
    int rc = writePage(fs, node, slot.image.page);
    if (rc != 0) return rc;
    slot.dirty = false;
    --fs.dirtyPages;
  }
  return 0;
}

int NodeCache::flushFile(FileState& fs) {
  int first = 0;
  if (fs.dirtyPages == 0) return 0;
  for (Slot& slot : slots_) {
    if (slot.file != &fs || !slot.dirty) continue;
    int rc = writePage(fs, slot.node, slot.image.page);
    if (rc == 0) {
      slot.dirty = false;
      --fs.dirtyPages;
    } else if (first == 0) {
      first = rc;
    }
  }
  return first;
}

// The file's pages were used last, so they are found from the most recent end of the
// recency list; the walk stops when the last one is gone.
void NodeCache::dropFile(FileState& fs) {
  for (int s = mostRecent_; s >= 0 && fs.cachedPages > 0;) {
    int older = slots_[static_cast<size_t>(s)].older;
    if (slots_[static_cast<size_t>(s)].file == &fs) release(s);
    s = older;
  }
}

void NodeCache::forget(const Slot& slot) {
  if (slot.file == nullptr) return;
  --slot.file->cachedPages;
  if (slot.dirty) --slot.file->dirtyPages;
}

int NodeCache::resize(int buffers) {
  int old = capacity_;
  if (buffers < kMinBuffers) buffers = kMinBuffers;
  for (Slot& slot : slots_) {
    if (slot.file != nullptr && slot.dirty) {
      if (writePage(*slot.file, slot.node, slot.image.page) == 0) {
        slot.dirty = false;
        --slot.file->dirtyPages;
      }
    }
    forget(slot);
  }
  capacity_ = buffers;
  allocate();
  return old;
}

}  // namespace kfdetail
