// Page and header I/O of an open keyed file, update bracketing and the write-mode rules.
#include <sys/mman.h>
#include <unistd.h>
#include <cerrno>
#include <cstdint>

#include "btree/file_state.h"
#include "btree/node_cache.h"
#include "btree/write_faults.h"

namespace kfdetail {

using namespace kfformat;

namespace {

off_t pageOffset(int32_t node) {
  return static_cast<off_t>(node + 1) * kPageSize;
}

int failWith(FileState& fs, int status) {
  fs.reg().osError = errno;
  return status;
}

// The test switch of write_faults.h: writes numbered (failFrom, failTo] fail.
int64_t writesMade = 0;
int64_t failFrom = 0;
int64_t failTo = 0;

}  // namespace

bool writeBytes(int fd, const uint8_t* bytes, size_t size, off_t at) {
  if (++writesMade > failFrom && writesMade <= failTo) {
    errno = ENOSPC;
    return false;
  }
  while (size > 0) {
    ssize_t n = pwrite(fd, bytes, size, at);
    if (n <= 0) {
      if (n < 0 && errno == EINTR) continue;
      return false;
    }
    bytes += n, size -= static_cast<size_t>(n), at += n;
  }
  return true;
}

namespace {

// In write mode 4 the first physical write inside an update puts the marker on disk.
int beforeWrite(FileState& fs) {
  if (fs.writeMode != 4 || fs.updateDepth == 0 || fs.markerSet) return 0;
  uint8_t marker[2];
  store16(marker, static_cast<int16_t>(kUpdateMarkerValue), fs.swap);
  if (!writeBytes(fs.fd, marker, 2, kHdrUpdateMarker)) return failWith(fs, kKfWriteFailed);
  if (fsync(fs.fd) != 0) return failWith(fs, kKfNotFound);
  fs.markerSet = true;
  return 0;
}

int readMarker(FileState& fs, int* value) {
  uint8_t marker[2];
  ssize_t n = pread(fs.fd, marker, 2, kHdrUpdateMarker);
  if (n != 2) return n < 0 ? failWith(fs, kKfNotFound) : kKfShortRead;
  *value = static_cast<uint16_t>(load16(marker, fs.swap));
  return 0;
}

}  // namespace

void decodeHeader(const uint8_t* image, bool swap, Header* h) {
  std::memcpy(h->raw, image, kHeaderSize);
  h->updateCount = static_cast<uint32_t>(load32(image + kHdrUpdateCount, swap));
  h->mainRoot = load32(image + kHdrMainRoot, swap);
  h->mainHeight = load32(image + kHdrMainHeight, swap);
  h->nextFresh = load32(image + kHdrNextFresh, swap);
  h->nextRecord = load32(image + kHdrNextRecord, swap);
  h->slots = load32(image + kHdrSlots, swap);
  h->freeHead = load32(image + kHdrFreeHead, swap);
  h->userValue = load32(image + kHdrUserValue, swap);
  h->userDataLength = load32(image + kHdrUserDataLength, swap);
  if (h->userDataLength < 0 || h->userDataLength > kUserDataSize) h->userDataLength = 0;
  h->treeRoots[0] = 0;
  for (int t = 1; t < kTrees; ++t)
    h->treeRoots[t] = load32(image + kHdrTreeRoots + 4 * (t - 1), swap);
}

void encodeHeader(const Header& h, bool swap, uint8_t* image) {
  std::memcpy(image, h.raw, kHeaderSize);
  store32(image + kHdrUpdateCount, static_cast<int32_t>(h.updateCount), swap);
  for (const Signature& sig : kSignatures) store32(image + sig.offset, sig.value, swap);
  store32(image + kHdrByteOrder, 1, swap);
  store32(image + kHdrMainRoot, h.mainRoot, swap);
  store32(image + kHdrMainHeight, h.mainHeight, swap);
  store32(image + kHdrNextFresh, h.nextFresh, swap);
  store32(image + kHdrNextRecord, h.nextRecord, swap);
  store32(image + kHdrSlots, h.slots, swap);
  store32(image + kHdrFreeHead, h.freeHead, swap);
  // The reserved word at 64 is carried as read: swapping it twice is the identity.
  store32(image + kHdrUserValue, h.userValue, swap);
  store32(image + kHdrUserDataLength, h.userDataLength, swap);
  std::memset(image + 76, 0, 16);
  std::memset(image + kHdrUserData + h.userDataLength, 0,
              static_cast<size_t>(kUserDataSize - h.userDataLength));
  std::memset(image + 216, 0, 4);
  std::memset(image + 262, 0, 2);
  for (int t = 1; t < kTrees; ++t)
    store32(image + kHdrTreeRoots + 4 * (t - 1), h.treeRoots[t], swap);
}

void FileState::setUpRules() {
  for (int k = 0; k < 22; ++k) {
    KeyRule& r = rules[k];
    r = KeyRule{};
    r.type = k >= 1 && k <= kKeyNumbers ? header.keyType(k) : 0;
    r.swap = swap;
    if (k >= 1 && k <= 15 && !segments[k].empty()) {
      r.segments = segments[k].data();
      r.segmentCount = static_cast<int>(segments[k].size());
    }
  }
}

namespace {

// Page reads through pread before a reader maps its file: enough for a few single gets,
// few enough that scans and long runs of finds soon go through the mapping.
constexpr int32_t kReadsBeforeMapping = 16;

// Maps a file opened for reading; without a mapping pages are read with pread.
void mapForReading(FileState& fs) {
  off_t size = fs.sizeToMap;
  fs.sizeToMap = 0;
  if (size < kPageSize) return;
  void* p = mmap(nullptr, static_cast<size_t>(size), PROT_READ, MAP_SHARED, fs.fd, 0);
  if (p == MAP_FAILED) return;
  posix_madvise(p, static_cast<size_t>(size), POSIX_MADV_RANDOM);
  fs.map = static_cast<const uint8_t*>(p);
  fs.mapSize = static_cast<size_t>(size);
}

}  // namespace

int readPage(FileState& fs, int32_t node, uint8_t* page) {
  if (node < 0) return kKfNegativeNode;
  if (node >= fs.header.slots) return kKfDamaged;
  if (fs.map != nullptr) {
    size_t at = static_cast<size_t>(pageOffset(node));
    if (at + kPageSize > fs.mapSize) return kKfShortRead;
    std::memcpy(page, fs.map + at, kPageSize);
    return 0;
  }
  ssize_t n = pread(fs.fd, page, kPageSize, pageOffset(node));
  if (n == kPageSize) return 0;
  return n < 0 ? failWith(fs, kKfNotFound) : kKfShortRead;
}

const uint8_t* mappedPage(FileState& fs, int32_t node) {
  if (fs.sizeToMap > 0 && ++fs.pageReads > kReadsBeforeMapping) mapForReading(fs);
  if (fs.map == nullptr || node < 0 || node >= fs.header.slots) return nullptr;
  size_t at = static_cast<size_t>(pageOffset(node));
  return at + kPageSize <= fs.mapSize ? fs.map + at : nullptr;
}

int writePage(FileState& fs, int32_t node, const uint8_t* page) {
  if (node < 0) return kKfNegativeNode;
  int rc = beforeWrite(fs);
  if (rc != 0) return rc;
  if (!writeBytes(fs.fd, page, kPageSize, pageOffset(node))) return failWith(fs, kKfWriteFailed);
  if (node >= fs.nodesOnDisk) fs.nodesOnDisk = node + 1;
  return 0;
}

int writeZeroPage(FileState& fs, int32_t node) {
  static const uint8_t zero[kPageSize] = {};
  return writePage(fs, node, zero);
}

int writeHeader(FileState& fs) {
  uint8_t image[kHeaderSize];
  encodeHeader(fs.header, fs.swap, image);
  if (beforeWrite(fs) != 0 || !writeBytes(fs.fd, image, kHeaderSize, 0)) {
    return failWith(fs, kKfSeekFailed);
  }
  fs.headerDirty = false;
  return 0;
}

int syncFile(FileState& fs) {
  return fsync(fs.fd) == 0 ? 0 : failWith(fs, kKfNotFound);
}

void headerChanged(FileState& fs) {
  fs.headerDirty = true;
}

int flushAll(FileState& fs) {
  int first = 0;
  if (fs.headerDirty && fs.writable()) first = writeHeader(fs);
  int rc = NodeCache::instance().flushFile(fs);
  if (first == 0) first = rc;
  if (fs.writable() && syncFile(fs) != 0 && first == 0) first = kKfNotFound;
  return first;
}

int beginUpdate(FileState& fs) {
  if (!fs.writable()) return kKfReadOnly;
  if (fs.updateDepth++ > 0) return 0;
  if (fs.writeMode == 4) {
    int marker = 0;
    int rc = readMarker(fs, &marker);
    if (rc == 0 && marker == kUpdateMarkerValue) rc = kKfInterruptedUpdate;
    if (rc != 0) {
      fs.updateDepth = 0;
      return rc;
    }
  }
  fs.header.updateCount = fs.header.updateCount == 0 ? 1 : fs.header.updateCount + 1;
  headerChanged(fs);
  return 0;
}

int endUpdate(FileState& fs, int status) {
  if (fs.updateDepth == 0 || --fs.updateDepth > 0) return status;
  int rc = 0;
  switch (fs.writeMode) {
    case 0:
      break;
    case 4:
      rc = flushAll(fs);
      if (fs.markerSet) {
        uint8_t zero[2] = {0, 0};
        if (!writeBytes(fs.fd, zero, 2, kHdrUpdateMarker)) rc = rc != 0 ? rc : kKfWriteFailed;
        if (syncFile(fs) != 0 && rc == 0) rc = kKfNotFound;
        fs.markerSet = false;
      }
      break;
    default:
      if (fs.headerDirty) rc = writeHeader(fs);
      if (syncFile(fs) != 0 && rc == 0) rc = kKfNotFound;
      break;
  }
  return status != 0 ? status : rc;
}

Cursor* cursorOf(FileState& fs, int keyNumber) {
  auto& slot = fs.cursors[keyNumber];
  if (!slot) slot.reset(new (std::nothrow) Cursor());
  return slot.get();
}

FileState* openState(KeyFile& file) {
  return file.state();
}

}  // namespace kfdetail

int64_t kfWritesMade() {
  return kfdetail::writesMade;
}

void kfFailWrites(int64_t skip, int64_t count) {
  using kfdetail::failFrom, kfdetail::failTo;
  failFrom = count > 0 ? kfdetail::writesMade + skip : 0;
  failTo = count <= 0 ? 0 : count > INT64_MAX - failFrom ? INT64_MAX : failFrom + count;
}
