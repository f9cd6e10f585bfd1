// Updates: inserting records with node splits, deleting records, record numbers, user data.
#include <climits>

#include "btree/node_cache.h"
#include "btree/search_support.h"

using namespace kfformat;
using namespace kfdetail;

namespace {

int finish(KeyFile& file, int status) {
  return file.registers().lastStatus = status;
}

bool writesAtOnce(const FileState& fs, int level) {
  return fs.writeMode == 3 || (fs.writeMode == 2 && level == 0);
}

int storeNode(FileState& fs, int32_t node, const WorkPage& page) {
  return NodeCache::instance().store(fs, node, page, writesAtOnce(fs, page.level()));
}

void setTreeRoot(FileState& fs, int tree, int32_t root, int height) {
  if (tree == 0) {
    fs.header.mainRoot = root;
    fs.header.mainHeight = height;
  } else {
    fs.header.treeRoots[tree] = root;
    fs.header.raw[kHdrTreeHeights + tree] = static_cast<uint8_t>(height);
  }
  headerChanged(fs);
}

// Writes zero pages until height + 1 slots lie beyond the next fresh node.
int preExtend(FileState& fs, int height) {
  Header& h = fs.header;
  // Slots the file does not hold mean a cut-off file or a damaged header: writing past
  // them would grow the file to whatever the header claims.
  if (h.nextFresh < 0 || h.nextFresh > h.slots || h.slots > fs.nodesOnDisk) return kKfDamaged;
  while (height + 1 > h.slots - h.nextFresh) {
    if (h.slots >= INT_MAX / kPageSize - 1) return kKfDamaged;
    int rc = writeZeroPage(fs, h.slots);
    if (rc != 0) return rc;
    ++h.slots;
    headerChanged(fs);
  }
  return 0;
}

// Takes a node from the free list, or the next fresh node. Returns 0, -43, -31 (a node
// beyond the next fresh one), -30 (a free node that is not free), read statuses or -4.
int allocateNode(FileState& fs, int32_t* node) {
  Header& h = fs.header;
  if (h.freeHead != -1) {
    int32_t n = h.freeHead;
    if (n < 0) return kKfNegativeNode;
    if (n >= h.nextFresh) return kKfNodeBeyondFresh;
    uint8_t page[kPageSize];
    int rc = readPage(fs, n, page);
    if (rc != 0) return rc;
    if (load16(page + kNodeLevel, fs.swap) != -1) return kKfDamaged;
    h.freeHead = load32(page + kNodeNext, fs.swap);
    *node = n;
  } else {
    if (h.nextFresh >= h.slots) return kKfNodeBeyondFresh;
    *node = h.nextFresh++;
  }
  headerChanged(fs);
  // Where nodes are written at once, the header that hands the node out goes first: were
  // the node on disk and the header not, a later update would hand it out a second time.
  return fs.writeMode == 2 || fs.writeMode == 3 ? writeHeader(fs) : 0;
}

// Splits the overflowing `work` (node `*node` at `*level`). On return `work` holds the node
// that receives the separator (the parent), or `*done` is set when a new root was made.
int splitOnce(FileState& fs, int tree, WorkPage* work, int32_t* node, int* level, bool* done) {
  int height = fs.header.height(tree);
  int rc = preExtend(fs, height);
  if (rc != 0) return rc;
  int32_t fresh;
  rc = allocateNode(fs, &fresh);
  if (rc != 0) return rc;

  int limit = work->next() < 0 ? kEntryArea : kHalfEntryArea;
  int keep = 0, used = 0;
  while (keep < work->count && used + entrySize(work->entry(keep)) <= limit) {
    used += entrySize(work->entry(keep));
    ++keep;
  }
  if (keep == 0 || keep == work->count) return kKfDamaged;
  const uint8_t* last = work->entry(keep - 1);
  int keySize = entryKeySize(fs, last, *level == 0);
  if (keySize < 0) return keySize;
  uint8_t separator[256];
  separator[0] = static_cast<uint8_t>(keySize + kBranchExtra);
  std::memcpy(separator + 1, last + 1, static_cast<size_t>(kEntFixed + keySize));
  store32(separator + 1 + kEntFixed + keySize, fresh, fs.swap);

  WorkPage right;
  right.init(*level > 0 ? branchChild(last, fs.swap) : 0, work->next(), *node, *level, fs.swap);
  work->moveTail(keep, &right);
  if (right.next() >= 0) {
    const NodeImage* neighbour;
    rc = loadNode(fs, right.next(), *level, &neighbour);
    if (rc != 0) return rc;
    WorkPage n;
    n.load(*neighbour, fs.swap);
    n.setPrevious(fresh);
    rc = storeNode(fs, right.next(), n);
    if (rc != 0) return rc;
  }
  work->setNext(fresh);
  rc = storeNode(fs, fresh, right);
  if (rc == 0) rc = storeNode(fs, *node, *work);
  if (rc != 0) return rc;

  if (*node == fs.header.root(tree)) {
    if (height + 1 > kMaxHeight) return kKfDamaged;
    int32_t newRoot;
    rc = allocateNode(fs, &newRoot);
    if (rc != 0) return rc;
    WorkPage root;
    root.init(*node, -1, -1, height, fs.swap);
    root.insert(0, separator, entrySize(separator));
    rc = storeNode(fs, newRoot, root);
    if (rc != 0) return rc;
    setTreeRoot(fs, tree, newRoot, height + 1);
    *done = true;
    return 0;
  }
  if (*level + 1 >= height) return kKfDamaged;
  int32_t parent = fs.path[*level + 1];
  const NodeImage* p;
  rc = loadNode(fs, parent, *level + 1, &p);
  if (rc != 0) return rc;
  work->load(*p, fs.swap);
  int pos = -1;
  if (work->firstChild() == *node) {
    pos = 0;
  } else {
    for (int i = 0; i < work->count && pos < 0; ++i) {
      if (branchChild(work->entry(i), fs.swap) == *node) pos = i + 1;
    }
  }
  if (pos < 0) return kKfDamaged;
  work->insert(pos, separator, entrySize(separator));
  *node = parent;
  ++*level;
  return 0;
}

// Gives a tree without a root an empty leaf as its root.
int plantRoot(FileState& fs, int tree) {
  int rc = preExtend(fs, 0);
  int32_t node;
  if (rc == 0) rc = allocateNode(fs, &node);
  if (rc != 0) return rc;
  WorkPage leaf;
  leaf.init(0, -1, -1, 0, fs.swap);
  rc = storeNode(fs, node, leaf);
  if (rc == 0) setTreeRoot(fs, tree, node, 1);
  return rc;
}

// Inserts one leaf entry whose tuple is `t`. `known`, when given, is the leaf position of
// the tuple from a descent made just before (fs.path still holds its nodes).
int insertEntry(FileState& fs, int tree, const uint8_t* entry, const SearchTuple& t,
                const Position* known) {
  Position at;
  int rc = 0;
  if (known != nullptr && known->node >= 0)
    at = *known;
  else
    rc = descend(fs, tree, t, &at);
  if (rc == 0 && at.node < 0) {
    rc = plantRoot(fs, tree);
    if (rc == 0) rc = descend(fs, tree, t, &at);
  }
  if (rc != 0) return rc;
  const NodeImage* leaf;
  rc = loadNode(fs, at.node, 0, &leaf);
  if (rc != 0) return rc;
  if (at.pos < leaf->count) {
    Verdict v;
    rc = compareEntry(fs, leaf->entry(at.pos), true, t, &v);
    if (rc != 0) return rc;
    if (v.full == 0) return kKfNotFound;
  }
  WorkPage work;
  work.load(*leaf, fs.swap);
  work.insert(at.pos, entry, entrySize(entry));
  int32_t node = at.node;
  int level = 0;
  while (work.freeBytes() < 0) {
    bool done = false;
    rc = splitOnce(fs, tree, &work, &node, &level, &done);
    if (rc != 0 || done) return rc;
  }
  return storeNode(fs, node, work);
}

// Removes every piece of the record named by `t` (piece 0). kKfNotFound when absent.
int removeRecord(FileState& fs, int tree, const SearchTuple& t) {
  Position at;
  int rc = descend(fs, tree, t, &at);
  if (rc == 0) rc = settleForward(fs, &at);
  if (rc != 0) return rc;
  bool first = true;
  int64_t budget = walkBound(fs);
  while (--budget >= 0) {
    const NodeImage* leaf;
    rc = loadNode(fs, at.node, 0, &leaf);
    if (rc != 0) return rc;
    int n = 0;
    bool lastPiece = false;
    for (int i = at.pos; i < leaf->count && !lastPiece; ++i) {
      Verdict v;
      rc = compareEntry(fs, leaf->entry(i), true, t, &v);
      if (rc != 0) return rc;
      if (v.record != 0 || (first && n == 0 && v.full != 0)) break;
      lastPiece = (entryPiece(leaf->entry(i)) & kLastPieceBit) != 0;
      ++n;
    }
    if (n == 0) return first ? kKfNotFound : 0;
    bool reachedEnd = at.pos + n == leaf->count;
    WorkPage work;
    work.load(*leaf, fs.swap);
    work.remove(at.pos, n);
    rc = storeNode(fs, at.node, work);
    if (rc != 0 || lastPiece || !reachedEnd || work.next() < 0) return rc;
    first = false;
    at.node = work.next();
    at.pos = 0;
    rc = settleForward(fs, &at);
    if (rc != 0) return rc == kKfNotFound ? 0 : rc;
  }
  return kKfDamaged;
}

// Cuts the data into pieces and inserts them in order. `known` as for insertEntry, for
// the first piece.
int insertRecord(FileState& fs, int tree, SearchTuple t, const uint8_t* data, int32_t length,
                 const Position* known) {
  int pieceSize = kPieceLimit - t.keySize;
  int pieces = length == 0 ? 1 : static_cast<int>((length + pieceSize - 1) / pieceSize);
  uint8_t entry[256];
  for (int i = 0; i < pieces; ++i) {
    int32_t offset = static_cast<int32_t>(i) * pieceSize;
    int dataSize = static_cast<int>(length - offset < pieceSize ? length - offset : pieceSize);
    entry[0] = static_cast<uint8_t>(kEntFixed + t.keySize + dataSize);
    entry[kEntKeyNumber] = t.keyNumber;
    entry[kEntPiece] = static_cast<uint8_t>(i | (i == pieces - 1 ? kLastPieceBit : 0));
    store32(entry + kEntRecord, t.record, fs.swap);
    std::memcpy(entry + kEntKey, t.key, static_cast<size_t>(t.keySize));
    if (dataSize > 0)
      std::memcpy(entry + kEntKey + t.keySize, data + offset, static_cast<size_t>(dataSize));
    t.piece = static_cast<uint8_t>(i);
    int rc = insertEntry(fs, tree, entry, t, i == 0 ? known : nullptr);
    if (rc != 0) {
      // Half a record reads as a broken piece sequence: take out the pieces placed. A piece
      // whose write failed is in the cache all the same, and would be written later.
      if (i > 0 || rc == kKfWriteFailed || rc == kKfSeekFailed) {
        t.piece = 0;
        removeRecord(fs, tree, t);
      }
      return rc;
    }
  }
  return 0;
}

// Common checks of updating operations.
FileState* beginChange(KeyFile& file, int* status) {
  FileState* fs = file.state();
  *status = fs == nullptr ? kKfNotOpen : !fs->writable() ? kKfReadOnly : 0;
  return *status == 0 ? fs : nullptr;
}

// After an insert or delete the key number's cursor names the record.
void pointCursorAt(FileState& fs, const SearchTuple& t, bool deleted) {
  Cursor* c = cursorOf(fs, t.keyNumber);
  KfRegisters& reg = fs.reg();
  reg.keyNumber = t.keyNumber;
  std::memcpy(reg.key, t.key, static_cast<size_t>(t.keySize));
  reg.keySize = t.keySize;
  if (fs.swap) convertKeyValue(fs.rule(t.keyNumber), reg.key, t.keySize);
  reg.recordNumber = t.record;
  if (c == nullptr) return;
  c->valid = true;
  c->justDeleted = deleted;
  c->keyNumber = t.keyNumber;
  std::memcpy(c->key, t.key, static_cast<size_t>(t.keySize));
  c->keySize = t.keySize;
  c->record = t.record;
  c->piece = 0;
  c->node = -1;
}

enum class Insert { kAdd, kDuplicate, kReplace, kStore };

int insertOperation(KeyFile& file, Insert kind, int keyNumber, const void* key,
                    int32_t recordNumber, const void* data, int32_t length) {
  int status;
  FileState* fs = beginChange(file, &status);
  if (fs == nullptr) return finish(file, status);
  if (keyNumber < 1 || keyNumber > kKeyNumbers || length < 0 || (length > 0 && data == nullptr)) {
    return finish(file, kKfBadArgument);
  }
  uint8_t fileKey[256];
  SearchTuple t;
  t.keyNumber = static_cast<uint8_t>(keyNumber);
  t.key = fileKey;
  t.record = recordNumber;
  status = prepareKey(*fs, keyNumber, key, fileKey, &t.keySize);
  if (status != 0) return finish(file, status);
  int pieceSize = kPieceLimit - t.keySize;
  if (length > static_cast<int64_t>(kMaxPieces) * pieceSize) return finish(file, kKfBadArgument);
  int tree;
  int32_t root;
  int height;
  status = treeOf(*fs, keyNumber, &tree, &root, &height);
  if (status != 0) return finish(file, status);

  // Look before changing anything: a refused operation leaves the file as it was.
  // An add asks whether any record has the key: the entries next to the new record's
  // place (the one at it and the one before it) tell.
  SearchTuple probe = t;
  Position raw, at;
  Verdict v;
  status = seek(*fs, probe, &raw, &at, &v);
  bool keyExists = status == 0 && v.key == 0;
  bool exact = status == 0 && v.full == 0;
  if (status != 0 && status != kKfNotFound) return finish(file, status);
  if (kind == Insert::kAdd && !keyExists && raw.node >= 0) {
    Position before = raw;
    const uint8_t* e;
    Verdict b;
    int rc = stepBackward(*fs, &before);
    if (rc == 0) rc = entryAt(*fs, before, &e);
    if (rc == 0) rc = compareEntry(*fs, e, true, t, &b);
    if (rc != 0 && rc != kKfNotFound) return finish(file, rc);
    keyExists = rc == 0 && b.key == 0;
  }
  if ((kind == Insert::kAdd && keyExists) || (kind == Insert::kDuplicate && exact) ||
      (kind == Insert::kReplace && !exact)) {
    return finish(file, kKfNotFound);
  }
  status = beginUpdate(*fs);
  if (status != 0) return finish(file, status);
  // Without an exact match the probe's descent found the first piece's place when the probe
  // searched the same tuple. (An add probes record number 0: separators left by deleted
  // records may send another record number of the same key down another branch.)
  bool reuse = !exact && probe.record == t.record;
  if (exact) status = removeRecord(*fs, tree, t);
  if (status == 0) {
    status = insertRecord(*fs, tree, t, static_cast<const uint8_t*>(data), length,
                          reuse ? &raw : nullptr);
  }
  status = endUpdate(*fs, status);
  if (status == 0) pointCursorAt(*fs, t, false);
  return finish(file, status);
}

}  // namespace

int kfAdd(KeyFile& file, int keyNumber, const void* key, int32_t recordNumber, const void* data,
          int32_t length) {
  return insertOperation(file, Insert::kAdd, keyNumber, key, recordNumber, data, length);
}

int kfAddDuplicate(KeyFile& file, int keyNumber, const void* key, int32_t recordNumber,
                   const void* data, int32_t length) {
  return insertOperation(file, Insert::kDuplicate, keyNumber, key, recordNumber, data, length);
}

int kfReplace(KeyFile& file, int keyNumber, const void* key, int32_t recordNumber, const void* data,
              int32_t length) {
  return insertOperation(file, Insert::kReplace, keyNumber, key, recordNumber, data, length);
}

int kfStore(KeyFile& file, int keyNumber, const void* key, int32_t recordNumber, const void* data,
            int32_t length) {
  return insertOperation(file, Insert::kStore, keyNumber, key, recordNumber, data, length);
}

int kfDelete(KeyFile& file, int keyNumber, const void* key, int32_t recordNumber) {
  int status;
  FileState* fs = beginChange(file, &status);
  if (fs == nullptr) return finish(file, status);
  if (keyNumber < 1 || keyNumber > kKeyNumbers) return finish(file, kKfBadArgument);
  uint8_t fileKey[256];
  SearchTuple t;
  t.keyNumber = static_cast<uint8_t>(keyNumber);
  t.key = fileKey;
  t.record = recordNumber;
  status = prepareKey(*fs, keyNumber, key, fileKey, &t.keySize);
  int tree;
  int32_t root;
  int height;
  if (status == 0) status = treeOf(*fs, keyNumber, &tree, &root, &height);
  Position raw, at;
  Verdict v;
  if (status == 0) status = seek(*fs, t, &raw, &at, &v);
  if (status == 0 && v.full != 0) status = kKfNotFound;
  if (status != 0) return finish(file, status);
  status = beginUpdate(*fs);
  if (status != 0) return finish(file, status);
  status = endUpdate(*fs, removeRecord(*fs, tree, t));
  if (status == 0) pointCursorAt(*fs, t, true);
  return finish(file, status);
}

int kfNewRecordNumber(KeyFile& file) {
  int status;
  FileState* fs = beginChange(file, &status);
  if (fs == nullptr) return finish(file, status);
  status = beginUpdate(*fs);
  if (status != 0) return finish(file, status);
  file.registers().recordNumber = fs->header.nextRecord++;
  headerChanged(*fs);
  return finish(file, endUpdate(*fs, 0));
}

int kfSetRecordNumber(KeyFile& file, int32_t value) {
  int status;
  FileState* fs = beginChange(file, &status);
  if (fs == nullptr) return finish(file, status);
  status = beginUpdate(*fs);
  if (status != 0) return finish(file, status);
  fs->header.nextRecord = value;
  headerChanged(*fs);
  return finish(file, endUpdate(*fs, 0));
}

int kfGetUserValue(KeyFile& file, int32_t* value) {
  FileState* fs = file.state();
  if (fs == nullptr) return finish(file, kKfNotOpen);
  if (value != nullptr) *value = fs->header.userValue;
  return finish(file, kKfOk);
}

int kfSetUserValue(KeyFile& file, int32_t value) {
  int status;
  FileState* fs = beginChange(file, &status);
  if (fs == nullptr) return finish(file, status);
  status = beginUpdate(*fs);
  if (status != 0) return finish(file, status);
  fs->header.userValue = value;
  headerChanged(*fs);
  return finish(file, endUpdate(*fs, 0));
}

int kfGetUserData(KeyFile& file, void* buffer, int32_t size) {
  FileState* fs = file.state();
  if (fs == nullptr) return finish(file, kKfNotOpen);
  int32_t length = fs->header.userDataLength;
  int32_t n = size < 0 || buffer == nullptr ? 0 : (length < size ? length : size);
  if (n > 0) std::memcpy(buffer, fs->header.raw + kHdrUserData, static_cast<size_t>(n));
  file.registers().bytesRead = n;
  return finish(file, length > n ? kKfUserDataTooLong : kKfOk);
}

int kfSetUserData(KeyFile& file, const void* bytes, int32_t length) {
  int status;
  FileState* fs = beginChange(file, &status);
  if (fs == nullptr) return finish(file, status);
  if (length < 0 || length > kUserDataSize || (length > 0 && bytes == nullptr)) {
    return finish(file, kKfBadArgument);
  }
  status = beginUpdate(*fs);
  if (status != 0) return finish(file, status);
  std::memset(fs->header.raw + kHdrUserData, 0, kUserDataSize);
  if (length > 0) std::memcpy(fs->header.raw + kHdrUserData, bytes, static_cast<size_t>(length));
  fs->header.userDataLength = length;
  headerChanged(*fs);
  return finish(file, endUpdate(*fs, 0));
}
