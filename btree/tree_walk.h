// Walking a tree: entry comparison, descent from the root, stepping along the leaves and
// reading a record's pieces. Shared by searches, updates and the consistency check.
#pragma once

#include <cstdint>

#include "btree/file_state.h"
#include "btree/node_page.h"

namespace kfdetail {

// The tuple searched for. Its key is in file byte order.
struct SearchTuple {
  uint8_t keyNumber = 0;
  const uint8_t* key = nullptr;
  int keySize = 0;
  int32_t record = 0;
  uint8_t piece = 0;  // piece number, bits 0..6
  // 0: ordinary. -1: every entry of the key number counts as greater (first record).
  // +1: every entry of the key number counts as less (past the last record).
  int force = 0;
};

// Signs of (entry - tuple): on the whole tuple, on key number and key only, and on all but
// the piece number.
struct Verdict {
  int full = 1;
  int key = 1;
  int record = 1;
};

// Size K of the key value of an entry. Returns K, kKfDamaged for an entry whose key runs
// past it (or a branch entry of the wrong length, or a key number outside 1..20), or
// kKfNotFound for a key type without rule.
int entryKeySize(const FileState& fs, const uint8_t* entry, bool leaf);

// Compares an entry with the tuple. Returns 0, kKfDamaged or kKfNotFound.
int compareEntry(const FileState& fs, const uint8_t* entry, bool leaf, const SearchTuple& t,
                 Verdict* v);

// Fetches a node through the cache and checks its level. Returns 0, kKfDamaged for a level
// other than `level`, or the cache's statuses.
int loadNode(FileState& fs, int32_t node, int level, const NodeImage** image);

// A position in a leaf: entry `pos` of `node` (pos == count means past its last entry).
struct Position {
  int32_t node = -1;
  int pos = 0;
};

// Tree of a key number with its root and height. Returns 0 or kKfDamaged (tree byte above
// 20, or a height outside 0..kMaxHeight). A height of 0 means the tree has no root.
int treeOf(const FileState& fs, int keyNumber, int* tree, int32_t* root, int* height);

// Descends tree `tree` to the leaf position of the first entry not less than the tuple,
// filling fs.path. Returns 0, kKfDamaged, kKfNotFound (invalid key type) or I/O statuses.
// An empty tree gives node -1.
int descend(FileState& fs, int tree, const SearchTuple& t, Position* at);

// Moves a position that is past its leaf's last entry to the first entry of the next
// non-empty leaf. Returns 0 positioned, kKfNotFound at the end of the level, or errors.
int settleForward(FileState& fs, Position* at);
// Steps to the next entry (across leaves). 0, kKfNotFound at the end, or errors.
int stepForward(FileState& fs, Position* at);
// Steps to the previous entry (across leaves). 0, kKfNotFound at the start, or errors.
int stepBackward(FileState& fs, Position* at);

// The entry at a settled position (valid until the next cache call).
int entryAt(FileState& fs, const Position& at, const uint8_t** entry);

// Makes a tuple naming the entry (copying its key into `keyBuffer`, 256 bytes).
int tupleOfEntry(const FileState& fs, const uint8_t* entry, bool leaf, uint8_t* keyBuffer,
                 SearchTuple* t);

// Sets the registers (key number, key, record number) and the key number's cursor from the
// record whose first piece is at `at`; when `buffer` is not null, also reads its pieces into
// it (bytes read, record length). Returns 0 or kKfPieceSequence (after delivering what was
// read), or errors.
int readRecord(FileState& fs, const Position& at, uint8_t* buffer, int32_t size);

// Points the cursor of `keyNumber` at the tuple of the entry at `at`.
void setCursor(FileState& fs, int keyNumber, const Position& at);
void clearCursor(FileState& fs, int keyNumber);

}  // namespace kfdetail
