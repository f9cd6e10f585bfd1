// The engine's private state of one open keyed file, and the helpers its parts share.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "btree/format.h"
#include "btree/key_file.h"
#include "btree/key_rules.h"

namespace kfdetail {

// The header fields in machine order, plus the raw image for the byte arrays and the
// words that are kept as read.
struct Header {
  uint8_t raw[kfformat::kHeaderSize] = {};
  uint32_t updateCount = 0;
  int32_t mainRoot = 0;
  int32_t mainHeight = 0;
  int32_t nextFresh = 0;
  int32_t nextRecord = 0;
  int32_t slots = 0;
  int32_t freeHead = -1;
  int32_t userValue = 0;
  int32_t userDataLength = 0;
  int32_t treeRoots[kfformat::kTrees] = {};  // index 1..20

  uint8_t keyType(int keyNumber) const { return raw[kfformat::kHdrKeyTypes + keyNumber] & 0x1F; }
  uint8_t treeOf(int keyNumber) const { return raw[kfformat::kHdrTreeOfKey + keyNumber]; }
  int32_t root(int tree) const { return tree == 0 ? mainRoot : treeRoots[tree]; }
  int32_t height(int tree) const {
    return tree == 0 ? mainHeight : raw[kfformat::kHdrTreeHeights + tree];
  }
};

// Decodes a 352-byte header image in the given order; encodes the fields back.
void decodeHeader(const uint8_t* image, bool swap, Header* header);
void encodeHeader(const Header& header, bool swap, uint8_t* image);

// A per-key-number position: the tuple of the current entry (key in file order) and where
// it was last seen. The node and position are a hint checked against the tuple before use.
struct Cursor {
  bool valid = false;
  bool justDeleted = false;  // the record at the tuple was deleted; Next gives its successor
  uint8_t keyNumber = 0;
  uint8_t key[256] = {};
  int keySize = 0;
  int32_t record = 0;
  uint8_t piece = 0;
  int32_t node = -1;
  int pos = 0;
};

struct FileState {
  KeyFile* owner = nullptr;
  std::string name;
  int fd = -1;
  // Read-only files are mapped: a page read is then a copy, not a system call.
  const uint8_t* map = nullptr;
  size_t mapSize = 0;
  // A reader's size at open, mapped after kReadsBeforeMapping page reads; 0 once done.
  off_t sizeToMap = 0;
  int32_t pageReads = 0;
  bool swap = false;
  int shareMode = kKfExclusive;
  int accessMode = kKfAccessRead;
  int writeMode = 3;
  uint64_t id = 0;  // distinguishes the file's buffers in the node cache
  // Buffers of the node cache holding pages of this file, and how many of them are dirty:
  // closing a file that has none skips the walk over the cache.
  int32_t cachedPages = 0;
  int32_t dirtyPages = 0;
  Header header;
  // Whole node pages the file holds: measured at open, raised when a write extends it.
  int32_t nodesOnDisk = 0;
  bool headerDirty = false;
  int updateDepth = 0;
  bool markerSet = false;  // write mode 4: the update-in-progress marker is on disk
  int32_t path[kfformat::kMaxHeight] = {};
  std::vector<KfSegment> segments[16];  // key numbers 1..15
  std::unique_ptr<Cursor> cursors[22];  // key numbers 1..21

  KeyRule rules[22];  // per key number, set up at open

  bool writable() const { return accessMode == kKfAccessReadWrite; }
  const KeyRule& rule(int keyNumber) const { return rules[keyNumber]; }
  // Fills `rules` from the header's key types and the segment lists.
  void setUpRules();
  KfRegisters& reg() { return owner->registers(); }
};

// Most nodes one walk of the file can visit: the slots the header claims, but no more than
// the file really holds. A walk that goes further revisits a node, so the links loop.
inline int64_t walkBound(const FileState& fs) {
  int32_t slots = fs.header.slots < fs.nodesOnDisk ? fs.header.slots : fs.nodesOnDisk;
  return slots > 0 ? slots : 0;
}

// Writes every byte at `at`, going on after short writes. The one place that writes a
// keyed file. False with errno set when a write fails.
bool writeBytes(int fd, const uint8_t* bytes, size_t size, off_t at);

// Raw page and header I/O. Reads and writes whole pages at page-aligned offsets.
// readPage: 0; -43 negative node; -30 node past the slots; -9 short read; -1 read failed.
int readPage(FileState& fs, int32_t node, uint8_t* page);
// A reader's page in its mapping (mapping the file after its first few page reads); null
// when the file is not mapped or the node lies outside what readPage would accept.
const uint8_t* mappedPage(FileState& fs, int32_t node);
// writePage / writeZeroPage: 0; -43; -8 write failed. Sets the write-mode-4 marker first.
int writePage(FileState& fs, int32_t node, const uint8_t* page);
int writeZeroPage(FileState& fs, int32_t node);
// Writes the header image (and clears the dirty flag). 0 or -4.
int writeHeader(FileState& fs);
// Asks the system to write the file through. 0 or -1.
int syncFile(FileState& fs);
// Marks the header changed: written at once (at the end of the update) in modes 1 to 3.
void headerChanged(FileState& fs);

// Update bracketing. beginUpdate: 0, -33 read-only, -40 interrupted update (mode 4).
int beginUpdate(FileState& fs);
// Ends an update; returns `status`, or the first error of the ending when status is 0.
int endUpdate(FileState& fs, int status);

// Writes the header if dirty and every dirty node of the file; then syncs. 0, -4, -8, -1.
int flushAll(FileState& fs);

// Cursor of a key number (1..21), created on first use; null when memory ran out.
Cursor* cursorOf(FileState& fs, int keyNumber);

// Common checks of every operation: the block is open (-3) and the key number is 1..20 (-2).
FileState* openState(KeyFile& file);

}  // namespace kfdetail
