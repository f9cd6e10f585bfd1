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
  index_.clear();
  index_.reserve(static_cast<size_t>(capacity_) * 2);
  mostRecent_ = leastRecent_ = -1;
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
  index_.erase(keyOf(*slot.file, slot.node));
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
  index_.erase(keyOf(*slot.file, slot.node));
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
  auto it = index_.find(keyOf(fs, node));
  if (it != index_.end()) {
    touch(it->second);
    *image = &slots_[static_cast<size_t>(it->second)].image;
    return 0;
  }
  int status;
  int s = takeSlot(&status);
  if (s < 0) return status;
  Slot& slot = slots_[static_cast<size_t>(s)];
  status = readPage(fs, node, slot.image.page);
  if (status == 0 && slot.image.parse(fs.swap) != 0) status = kKfDamaged;
  if (status != 0) {
    free_.push_back(s);
    return status;
  }
  slot.file = &fs;
  slot.node = node;
  slot.dirty = false;
  index_.emplace(keyOf(fs, node), s);
  pushFront(s);
  *image = &slot.image;
  return 0;
}

int NodeCache::store(FileState& fs, int32_t node, const WorkPage& page, bool writeThrough) {
  if (node < 0) return kKfNegativeNode;
  int s;
  auto it = index_.find(keyOf(fs, node));
  if (it != index_.end()) {
    s = it->second;
    touch(s);
  } else {
    int status;
    s = takeSlot(&status);
    if (s < 0) return status;
    Slot& slot = slots_[static_cast<size_t>(s)];
    slot.file = &fs;
    slot.node = node;
    index_.emplace(keyOf(fs, node), s);
    pushFront(s);
  }
  Slot& slot = slots_[static_cast<size_t>(s)];
  std::memcpy(slot.image.page, page.bytes, kfformat::kPageSize);
  slot.image.parse(fs.swap);
  slot.dirty = true;
  if (writeThrough) {
    int rc = writePage(fs, node, slot.image.page);
    if (rc != 0) return rc;
    slot.dirty = false;
  }
  return 0;
}

int NodeCache::flushFile(FileState& fs) {
  int first = 0;
  for (Slot& slot : slots_) {
    if (slot.file != &fs || !slot.dirty) continue;
    int rc = writePage(fs, slot.node, slot.image.page);
    if (rc == 0)
      slot.dirty = false;
    else if (first == 0)
      first = rc;
  }
  return first;
}

void NodeCache::dropFile(FileState& fs) {
  for (int s = 0; s < capacity_; ++s) {
    if (slots_[static_cast<size_t>(s)].file == &fs) release(s);
  }
}

int NodeCache::resize(int buffers) {
  int old = capacity_;
  if (buffers < kMinBuffers) buffers = kMinBuffers;
  for (Slot& slot : slots_) {
    if (slot.file != nullptr && slot.dirty) {
      if (writePage(*slot.file, slot.node, slot.image.page) == 0) slot.dirty = false;
    }
  }
  capacity_ = buffers;
  allocate();
  return old;
}

}  // namespace kfdetail
