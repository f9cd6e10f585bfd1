// Searches and scans: kfFind, kfFirst, kfLast, kfNext, kfPrevious.
#include "btree/node_cache.h"
#include "btree/search_support.h"

using namespace kfformat;
using namespace kfdetail;

namespace kfdetail {

int prepareKey(FileState& fs, int keyNumber, const void* key, uint8_t* buffer, int* size) {
  if (key == nullptr) return kKfBadArgument;
  const KeyRule& r = fs.rule(keyNumber);
  int k = callerKeySize(r, static_cast<const uint8_t*>(key));
  if (k < 0) return k;
  std::memcpy(buffer, key, static_cast<size_t>(k));
  if (fs.swap) convertKeyValue(r, buffer, k);
  *size = k;
  return 0;
}

int seek(FileState& fs, const SearchTuple& t, Position* raw, Position* settled, Verdict* v) {
  int tree;
  int32_t root;
  int height;
  int rc = treeOf(fs, t.keyNumber, &tree, &root, &height);
  if (rc == 0) rc = descend(fs, tree, t, raw);
  if (rc != 0) return rc;
  *settled = *raw;
  rc = settleForward(fs, settled);
  if (rc != 0) return rc;
  const uint8_t* e;
  rc = entryAt(fs, *settled, &e);
  if (rc == 0) rc = compareEntry(fs, e, true, t, v);
  // An entry past the leaf the descent chose lies above the tuple, unless the leaves were
  // split and the separator that would have led there never reached the parent.
  if (rc == 0 && settled->node != raw->node && v->full < 0) rc = kKfDamaged;
  if (rc == 0 && entryKeyNumber(e) != t.keyNumber) rc = kKfNotFound;
  return rc;
}

}  // namespace kfdetail

namespace {

int finish(KeyFile& file, int status) {
  return file.registers().lastStatus = status;
}

// Checks the block and the key number. Returns the state or null with *status set.
FileState* begin(KeyFile& file, int keyNumber, int* status) {
  FileState* fs = file.state();
  *status = 0;
  if (fs == nullptr)
    *status = kKfNotOpen;
  else if (keyNumber < 1 || keyNumber > kKeyNumbers)
    *status = kKfBadArgument;
  return *status == 0 ? fs : nullptr;
}

// Where the cursor's record is: `raw` is the descent position of its tuple (possibly past
// a leaf's end), `exact` tells whether the record is still there.
int locateCursor(FileState& fs, Cursor& c, Position* raw, bool* exact) {
  SearchTuple t;
  t.keyNumber = c.keyNumber;
  t.key = c.key;
  t.keySize = c.keySize;
  t.record = c.record;
  t.piece = c.piece;
  if (!c.justDeleted && c.node >= 0) {
    const NodeImage* n;
    if (NodeCache::instance().fetch(fs, c.node, &n) == 0 && n->level == 0 && c.pos < n->count) {
      Verdict v;
      if (compareEntry(fs, n->entry(c.pos), true, t, &v) == 0 && v.full == 0) {
        raw->node = c.node;
        raw->pos = c.pos;
        *exact = true;
        return 0;
      }
    }
  }
  Position settled;
  Verdict v;
  int rc = seek(fs, t, raw, &settled, &v);
  *exact = rc == 0 && v.full == 0 && !c.justDeleted;
  if (*exact) *raw = settled;
  return rc == kKfNotFound ? 0 : rc;
}

// Steps back from `from` to the first piece of the preceding record and reads it. The
// record found must lie below `bound` (when given): anything else means the links loop.
int readPreceding(FileState& fs, int keyNumber, Position from, uint8_t* buffer, int32_t size,
                  const SearchTuple* bound) {
  Position at = from;
  int rc = stepBackward(fs, &at);
  const uint8_t* e;
  if (rc == 0) rc = entryAt(fs, at, &e);
  if (rc == 0 && bound != nullptr) {
    Verdict v;
    rc = compareEntry(fs, e, true, *bound, &v);
    if (rc == 0 && v.record >= 0) rc = kKfDamaged;
  }
  if (rc == 0 && entryKeyNumber(e) != keyNumber) rc = kKfNotFound;
  uint8_t key[256];
  SearchTuple t;
  if (rc == 0) rc = tupleOfEntry(fs, e, true, key, &t);
  // Back to piece 0: the piece numbers fall at every step, else the links loop.
  for (int piece = t.piece; rc == 0; piece = entryPiece(e) & 0x7F) {
    Position back = at;
    int step = stepBackward(fs, &back);
    if (step == kKfNotFound) break;
    if (step == 0) step = entryAt(fs, back, &e);
    Verdict v;
    if (step == 0) step = compareEntry(fs, e, true, t, &v);
    if (step != 0) return step;
    if (v.record != 0) break;
    if ((entryPiece(e) & 0x7F) >= piece) return kKfDamaged;
    at = back;
  }
  if (rc != 0) {
    if (rc == kKfNotFound) clearCursor(fs, keyNumber);
    return rc;
  }
  return readRecord(fs, at, buffer, size);
}

}  // namespace

int kfFind(KeyFile& file, int keyNumber, const void* key, int32_t recordNumber, void* buffer,
           int32_t bufferSize) {
  int status;
  FileState* fs = begin(file, keyNumber, &status);
  if (fs == nullptr) return finish(file, status);
  uint8_t fileKey[256];
  SearchTuple t;
  t.keyNumber = static_cast<uint8_t>(keyNumber);
  t.key = fileKey;
  t.record = recordNumber;
  status = prepareKey(*fs, keyNumber, key, fileKey, &t.keySize);
  if (status != 0) return finish(file, status);
  Position raw, at;
  Verdict v;
  status = seek(*fs, t, &raw, &at, &v);
  if (status != 0) {
    if (status == kKfNotFound) clearCursor(*fs, keyNumber);
    return finish(file, status);
  }
  int result = v.full == 0 ? kKfOk : v.key == 0 ? kKfSameKey : kKfGreaterKey;
  status = readRecord(*fs, at, static_cast<uint8_t*>(buffer), buffer ? bufferSize : 0);
  return finish(file, status != 0 ? status : result);
}

int kfFirst(KeyFile& file, int keyNumber, void* buffer, int32_t bufferSize) {
  int status;
  FileState* fs = begin(file, keyNumber, &status);
  if (fs == nullptr) return finish(file, status);
  SearchTuple t;
  t.keyNumber = static_cast<uint8_t>(keyNumber);
  t.force = -1;
  Position raw, at;
  Verdict v;
  status = seek(*fs, t, &raw, &at, &v);
  if (status == 0) status = readRecord(*fs, at, static_cast<uint8_t*>(buffer), bufferSize);
  if (status == kKfNotFound) clearCursor(*fs, keyNumber);
  return finish(file, status);
}

int kfLast(KeyFile& file, int keyNumber, void* buffer, int32_t bufferSize) {
  int status;
  FileState* fs = begin(file, keyNumber, &status);
  if (fs == nullptr) return finish(file, status);
  SearchTuple t;
  t.keyNumber = static_cast<uint8_t>(keyNumber);
  t.force = 1;
  int tree;
  int32_t root;
  int height;
  Position raw;
  status = treeOf(*fs, keyNumber, &tree, &root, &height);
  if (status == 0) status = descend(*fs, tree, t, &raw);
  if (status == 0) {
    status = readPreceding(*fs, keyNumber, raw, static_cast<uint8_t*>(buffer), bufferSize, nullptr);
  }
  return finish(file, status);
}

int kfNext(KeyFile& file, int keyNumber, void* buffer, int32_t bufferSize) {
  int status;
  FileState* fs = begin(file, keyNumber, &status);
  if (fs == nullptr) return finish(file, status);
  Cursor* c = fs->cursors[keyNumber].get();
  if (c == nullptr || !c->valid) return finish(file, kKfNotFound);
  SearchTuple t;
  t.keyNumber = c->keyNumber;
  t.key = c->key;
  t.keySize = c->keySize;
  t.record = c->record;
  // Fast path: a one-piece record followed by another entry in the same leaf.
  if (!c->justDeleted && c->node >= 0) {
    const NodeImage* n;
    Verdict v, w;
    // Nothing changes a file opened for reading, so there the cursor's place needs no
    // check against its tuple.
    if (NodeCache::instance().fetch(*fs, c->node, &n) == 0 && n->level == 0 &&
        c->pos + 1 < n->count && (entryPiece(n->entry(c->pos)) & kLastPieceBit) &&
        (!fs->writable() ||
         (compareEntry(*fs, n->entry(c->pos), true, t, &v) == 0 && v.full == 0)) &&
        compareEntry(*fs, n->entry(c->pos + 1), true, t, &w) == 0 && w.record > 0) {
      Position next{c->node, c->pos + 1};
      if (entryKeyNumber(n->entry(c->pos + 1)) != keyNumber) {
        clearCursor(*fs, keyNumber);
        return finish(file, kKfNotFound);
      }
      return finish(file, readRecord(*fs, next, static_cast<uint8_t*>(buffer), bufferSize));
    }
  }
  Position at;
  bool exact;
  status = locateCursor(*fs, *c, &at, &exact);
  if (status == 0) status = settleForward(*fs, &at);
  // Skip the remaining pieces of the current record. The next record lies above the
  // current one and the piece numbers rise at every step, else the links loop back.
  for (int last = -1; status == 0;) {
    const uint8_t* e;
    Verdict v;
    status = entryAt(*fs, at, &e);
    if (status == 0) status = compareEntry(*fs, e, true, t, &v);
    if (status != 0 || v.record > 0) break;
    int piece = entryPiece(e) & 0x7F;
    if (v.record < 0 || piece <= last) {
      status = kKfDamaged;
      break;
    }
    last = piece;
    status = stepForward(*fs, &at);
  }
  if (status == 0) {
    const uint8_t* e;
    status = entryAt(*fs, at, &e);
    if (status == 0 && entryKeyNumber(e) != keyNumber) status = kKfNotFound;
  }
  if (status == 0) status = readRecord(*fs, at, static_cast<uint8_t*>(buffer), bufferSize);
  if (status == kKfNotFound) clearCursor(*fs, keyNumber);
  return finish(file, status);
}

int kfPrevious(KeyFile& file, int keyNumber, void* buffer, int32_t bufferSize) {
  int status;
  FileState* fs = begin(file, keyNumber, &status);
  if (fs == nullptr) return finish(file, status);
  Cursor* c = fs->cursors[keyNumber].get();
  if (c == nullptr || !c->valid) return finish(file, kKfNotFound);
  Position at;
  bool exact;
  status = locateCursor(*fs, *c, &at, &exact);
  SearchTuple t;
  t.keyNumber = c->keyNumber;
  t.key = c->key;
  t.keySize = c->keySize;
  t.record = c->record;
  if (status == 0) {
    status = readPreceding(*fs, keyNumber, at, static_cast<uint8_t*>(buffer), bufferSize, &t);
  }
  return finish(file, status);
}
