// Descent, stepping along leaves and record reading.
#include "btree/tree_walk.h"

#include <algorithm>
#include <cstring>

#include "btree/node_cache.h"

namespace kfdetail {

using namespace kfformat;

namespace {

int sign(int64_t v) {
  return (v > 0) - (v < 0);
}

}  // namespace

int entryKeySize(const FileState& fs, const uint8_t* e, bool leaf) {
  int length = e[0];
  int kn = e[kEntKeyNumber];
  int fixed = leaf ? kEntFixed : kBranchExtra;
  if (kn < 1 || kn > kKeyNumbers || length < fixed) return kKfDamaged;
  const KeyRule& r = fs.rule(kn);
  int k = keyValueSize(r, e + kEntKey, length - fixed);
  if (k < 0) return k;
  if (!leaf && k != length - kBranchExtra) return kKfDamaged;
  return k;
}

int compareEntry(const FileState& fs, const uint8_t* e, bool leaf, const SearchTuple& t,
                 Verdict* v) {
  int kn = e[kEntKeyNumber];
  if (kn != t.keyNumber) {
    v->full = v->key = v->record = kn < t.keyNumber ? -1 : 1;
    return 0;
  }
  if (t.force != 0) {
    v->full = v->key = v->record = -t.force;
    return 0;
  }
  const KeyRule& r = fs.rule(kn);
  int c = 0;
  if (r.type == 0) {
    // Zero-terminated text, the common case: one pass, bounded by the entry.
    int avail = e[0] - (leaf ? kEntFixed : kBranchExtra);
    const uint8_t* a = e + kEntKey;
    // Eight bytes at a time while both keys have them, they agree and hold no terminator;
    // the byte loop then finds the difference or the end.
    int i = 0;
    for (int whole = std::min(avail, t.keySize) - 8; i <= whole; i += 8) {
      uint64_t x, y;
      std::memcpy(&x, a + i, 8);
      std::memcpy(&y, t.key + i, 8);
      bool hasZero = ((x - 0x0101010101010101ull) & ~x & 0x8080808080808080ull) != 0;
      if (x != y || hasZero) break;
    }
    for (;; ++i) {
      if (i >= avail || i >= t.keySize) return kKfDamaged;
      if (a[i] != t.key[i]) {
        c = a[i] < t.key[i] ? -1 : 1;
        break;
      }
      if (a[i] == 0) break;
    }
    if (!leaf && c == 0 && t.keySize != avail) return kKfDamaged;
  } else {
    int k = entryKeySize(fs, e, leaf);
    if (k < 0) return k;
    int error = 0;
    c = compareKeyValues(r, e + kEntKey, k, t.key, t.keySize, &error);
    if (error != 0) return error;
  }
  v->key = c;
  if (c == 0) c = sign(static_cast<int64_t>(entryRecord(e, fs.swap)) - t.record);
  v->record = c;
  if (c == 0) c = sign((entryPiece(e) & 0x7F) - (t.piece & 0x7F));
  v->full = c;
  return 0;
}

int loadNode(FileState& fs, int32_t node, int level, const NodeImage** image) {
  int rc = NodeCache::instance().fetch(fs, node, image);
  if (rc != 0) return rc;
  return (*image)->level == level ? 0 : kKfDamaged;
}

int treeOf(const FileState& fs, int keyNumber, int* tree, int32_t* root, int* height) {
  int t = fs.header.treeOf(keyNumber);
  if (t >= kTrees) return kKfDamaged;
  int h = fs.header.height(t);
  if (h < 0 || h > kMaxHeight) return kKfDamaged;
  *tree = t;
  *root = fs.header.root(t);
  *height = h;
  return 0;
}

// First entry of the node not less than the tuple (count when none).
static int lowerBound(const FileState& fs, const NodeImage& n, bool leaf, const SearchTuple& t,
                      int* pos) {
  int lo = 0, hi = n.count;
  while (lo < hi) {
    int mid = (lo + hi) / 2;
    Verdict v;
    int rc = compareEntry(fs, n.entry(mid), leaf, t, &v);
    if (rc != 0) return rc;
    if (v.full < 0)
      lo = mid + 1;
    else
      hi = mid;
  }
  *pos = lo;
  return 0;
}

int descend(FileState& fs, int tree, const SearchTuple& t, Position* at) {
  int32_t node = fs.header.root(tree);
  int height = fs.header.height(tree);
  if (height == 0) {
    at->node = -1;
    at->pos = 0;
    return 0;
  }
  if (height < 0 || height > kMaxHeight) return kKfDamaged;
  int level = height - 1;
  int64_t budget = walkBound(fs);
  while (true) {
    if (--budget < 0) return kKfDamaged;
    const NodeImage* n;
    int rc = loadNode(fs, node, level, &n);
    if (rc != 0) return rc;
    fs.path[level] = node;
    int pos;
    rc = lowerBound(fs, *n, level == 0, t, &pos);
    if (rc != 0) return rc;
    if (level == 0) {
      at->node = node;
      at->pos = pos;
      return 0;
    }
    if (pos == n->count && n->next >= 0) {
      node = n->next;  // every entry is less: the tuple lies further right
      continue;
    }
    node = pos == 0 ? n->firstChild : branchChild(n->entry(pos - 1), fs.swap);
    if (node < 0) return kKfDamaged;
    --level;
  }
}

int settleForward(FileState& fs, Position* at) {
  if (at->node < 0) return kKfNotFound;
  int64_t budget = walkBound(fs);
  const NodeImage* n;
  int rc = loadNode(fs, at->node, 0, &n);
  if (rc != 0) return rc;
  while (at->pos >= n->count) {
    if (--budget < 0) return kKfDamaged;
    if (n->next < 0) return kKfNotFound;
    at->node = n->next;
    at->pos = 0;
    rc = loadNode(fs, at->node, 0, &n);
    if (rc != 0) return rc;
  }
  return 0;
}

int stepForward(FileState& fs, Position* at) {
  ++at->pos;
  return settleForward(fs, at);
}

int stepBackward(FileState& fs, Position* at) {
  if (at->node < 0) return kKfNotFound;
  int64_t budget = walkBound(fs);
  const NodeImage* n;
  int rc = loadNode(fs, at->node, 0, &n);
  if (rc != 0) return rc;
  if (at->pos > n->count) at->pos = n->count;
  while (at->pos == 0) {
    if (--budget < 0) return kKfDamaged;
    if (n->previous < 0) return kKfNotFound;
    at->node = n->previous;
    rc = loadNode(fs, at->node, 0, &n);
    if (rc != 0) return rc;
    at->pos = n->count;
  }
  --at->pos;
  return 0;
}

int entryAt(FileState& fs, const Position& at, const uint8_t** entry) {
  const NodeImage* n;
  int rc = loadNode(fs, at.node, 0, &n);
  if (rc != 0) return rc;
  if (at.pos < 0 || at.pos >= n->count) return kKfDamaged;
  *entry = n->entry(at.pos);
  return 0;
}

int tupleOfEntry(const FileState& fs, const uint8_t* e, bool leaf, uint8_t* keyBuffer,
                 SearchTuple* t) {
  int k = entryKeySize(fs, e, leaf);
  if (k < 0) return k;
  std::memcpy(keyBuffer, e + kEntKey, static_cast<size_t>(k));
  t->keyNumber = e[kEntKeyNumber];
  t->key = keyBuffer;
  t->keySize = k;
  t->record = entryRecord(e, fs.swap);
  t->piece = entryPiece(e) & 0x7F;
  t->force = 0;
  return 0;
}

int readRecord(FileState& fs, const Position& start, uint8_t* buffer, int32_t size) {
  KfRegisters& reg = fs.reg();
  const uint8_t* e;
  int rc = entryAt(fs, start, &e);
  if (rc != 0) return rc;
  uint8_t key[256];
  SearchTuple rec;
  rc = tupleOfEntry(fs, e, true, key, &rec);
  if (rc != 0) return rc;
  if (Cursor* c = cursorOf(fs, rec.keyNumber)) {
    c->valid = true;
    c->justDeleted = false;
    c->keyNumber = rec.keyNumber;
    std::memcpy(c->key, key, static_cast<size_t>(rec.keySize));
    c->keySize = rec.keySize;
    c->record = rec.record;
    c->piece = rec.piece;
    c->node = start.node;
    c->pos = start.pos;
  }
  reg.keyNumber = rec.keyNumber;
  std::memcpy(reg.key, key, static_cast<size_t>(rec.keySize));
  reg.keySize = rec.keySize;
  if (fs.swap) convertKeyValue(fs.rule(rec.keyNumber), reg.key, rec.keySize);
  reg.recordNumber = rec.record;
  reg.bytesRead = 0;
  reg.recordLength = 0;
  if (buffer == nullptr) return 0;

  int32_t copied = 0, total = 0;
  int expected = 0;
  Position at = start;
  int status = 0;
  while (true) {
    // The first piece is the entry `rec` was made from: only later ones need comparing.
    Verdict v;
    v.record = 0;
    rc = expected > 0 ? compareEntry(fs, e, true, rec, &v) : 0;
    if (rc != 0) {
      status = rc;
      break;
    }
    if (v.record != 0 || (entryPiece(e) & 0x7F) != expected) {
      status = kKfPieceSequence;
      break;
    }
    int dataSize = e[0] - kEntFixed - rec.keySize;
    const uint8_t* data = e + 1 + kEntFixed + rec.keySize;
    if (copied < size) {
      int32_t n = dataSize < size - copied ? dataSize : size - copied;
      std::memcpy(buffer + copied, data, static_cast<size_t>(n));
      copied += n;
    }
    total += dataSize;
    if (entryPiece(e) & kLastPieceBit) break;
    ++expected;
    rc = stepForward(fs, &at);
    if (rc == 0) rc = entryAt(fs, at, &e);
    if (rc != 0) {
      status = rc == kKfNotFound ? kKfPieceSequence : rc;
      break;
    }
  }
  reg.bytesRead = copied;
  reg.recordLength = total;
  return status;
}

void setCursor(FileState& fs, int keyNumber, const Position& at) {
  Cursor* c = cursorOf(fs, keyNumber);
  if (c == nullptr) return;
  const uint8_t* e;
  SearchTuple t;
  if (entryAt(fs, at, &e) != 0 || tupleOfEntry(fs, e, true, c->key, &t) != 0) {
    c->valid = false;
    return;
  }
  c->valid = true;
  c->justDeleted = false;
  c->keyNumber = t.keyNumber;
  c->keySize = t.keySize;
  c->record = t.record;
  c->piece = t.piece;
  c->node = at.node;
  c->pos = at.pos;
}

void clearCursor(FileState& fs, int keyNumber) {
  if (fs.cursors[keyNumber]) fs.cursors[keyNumber]->valid = false;
}

}  // namespace kfdetail
