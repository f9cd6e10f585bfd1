// A node page in memory: its entry offsets, header fields and the working copy used to change it.
#pragma once

#include <cstdint>
#include <cstring>

#include "btree/byte_order.h"
#include "btree/format.h"

namespace kfdetail {

// Room past the page for one more entry before the node is split.
inline constexpr int kOverflowRoom = 275;
// Most entries a page plus its overflow room can hold (entries are at least 2 bytes).
inline constexpr int kMaxWorkEntries = (kfformat::kPageSize + kOverflowRoom) / 2;

// Finds the entries of a page of `limit` bytes (1024, or more for a working copy) and
// fills `off`. Returns the entry count, or -1 when the count is above `maxCount`, an entry
// has length 0 or runs past `limit`, or the free-bytes field disagrees with the entries.
int parseLayout(const uint8_t* page, bool swap, int limit, int maxCount, uint16_t* off);

// A parsed node page in file byte order with its header fields in machine order. The bytes
// are the image's own copy, or for a file mapped for reading the page in the mapping.
struct NodeImage {
  uint8_t page[kfformat::kPageSize];
  const uint8_t* mapped = nullptr;  // the page in a read-only mapping, or null: `page`
  uint16_t off[kfformat::kMaxEntries + 1];
  int count = 0;
  int level = 0;
  int32_t firstChild = 0;
  int32_t next = -1;
  int32_t previous = -1;

  const uint8_t* bytes() const { return mapped != nullptr ? mapped : page; }
  const uint8_t* entry(int i) const { return bytes() + off[i]; }
  // Parses the bytes (already copied in or mapped). Returns 0 or -1 for a damaged layout.
  int parse(bool swap);
};

// Entry fields.
inline int entrySize(const uint8_t* e) {
  return e[0] + 1;
}
inline uint8_t entryKeyNumber(const uint8_t* e) {
  return e[kfformat::kEntKeyNumber];
}
inline uint8_t entryPiece(const uint8_t* e) {
  return e[kfformat::kEntPiece];
}
inline int32_t entryRecord(const uint8_t* e, bool swap) {
  return load32(e + kfformat::kEntRecord, swap);
}
inline int32_t branchChild(const uint8_t* e, bool swap) {
  return load32(e + e[0] - 3, swap);
}

// A working copy of one node that may overflow by one entry before it is split.
struct WorkPage {
  uint8_t bytes[kfformat::kPageSize + kOverflowRoom];
  uint16_t off[kMaxWorkEntries];
  int count = 0;
  bool swap = false;

  void load(const NodeImage& image, bool fileSwap);
  // Makes an empty node with the given links and level.
  void init(int32_t firstChild, int32_t next, int32_t previous, int level, bool fileSwap);

  int32_t firstChild() const { return load32(bytes + kfformat::kNodeFirstChild, swap); }
  int32_t next() const { return load32(bytes + kfformat::kNodeNext, swap); }
  int32_t previous() const { return load32(bytes + kfformat::kNodePrevious, swap); }
  int level() const { return load16(bytes + kfformat::kNodeLevel, swap); }
  int freeBytes() const { return load16(bytes + kfformat::kNodeFree, swap); }
  void setFirstChild(int32_t v) { store32(bytes + kfformat::kNodeFirstChild, v, swap); }
  void setNext(int32_t v) { store32(bytes + kfformat::kNodeNext, v, swap); }
  void setPrevious(int32_t v) { store32(bytes + kfformat::kNodePrevious, v, swap); }

  const uint8_t* entry(int i) const { return bytes + off[i]; }
  int end() const {
    return count == 0 ? kfformat::kNodeHeaderSize : off[count - 1] + bytes[off[count - 1]] + 1;
  }

  // Inserts the entry of `size` bytes before entry `pos`.
  void insert(int pos, const uint8_t* entry, int size);
  // Removes `n` entries starting at `pos`.
  void remove(int pos, int n);
  // Keeps the first `keep` entries and appends the rest to `other` (which must be empty).
  void moveTail(int keep, WorkPage* other);

 private:
  void updateCounts();
  void reindex();
};

}  // namespace kfdetail
