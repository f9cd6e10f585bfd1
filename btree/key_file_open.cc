// Creating, opening, flushing and closing keyed files.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdint>

#include "btree/file_state.h"
#include "btree/node_cache.h"

using namespace kfformat;
using kfdetail::FileState;
using kfdetail::NodeCache;

namespace {

uint64_t nextFileId() {
  static uint64_t counter = 0;
  return ++counter;
}

// Checks one segment list: 1 to 243 descriptors of types 0..20 before the end mark.
int checkSegments(const KfSegment* segments, std::vector<KfSegment>* out) {
  if (segments == nullptr) return kKfBadSegments;
  int n = 0;
  while (segments[n].type != kKfSegmentEnd) {
    if (segments[n].type > 20 || n >= kKfMaxSegments) return kKfBadSegments;
    ++n;
  }
  if (n == 0) return kKfBadSegments;
  if (out != nullptr) out->assign(segments, segments + n);
  return 0;
}

// Checks the shape of a descriptor table (not its agreement with a file).
int checkDescriptors(const KfKeyDescriptor* keys) {
  if (keys == nullptr) return 0;
  for (int i = 0; i < kKeyNumbers && keys[i].keyNumber != 0; ++i) {
    if (keys[i].keyNumber >= 16) return kKfDescriptorKeyNumber;
    if (keys[i].keyType > 20) return kKfDescriptorMismatch;
    if (keys[i].keyType == 8) {
      int rc = checkSegments(keys[i].segments, nullptr);
      if (rc != 0) return rc;
    }
  }
  return 0;
}

// Compares the descriptor table with the file's key types and keeps the segment lists.
int bindDescriptors(FileState& fs, const KfKeyDescriptor* keys) {
  if (keys == nullptr) {
    for (int k = 1; k <= 15; ++k) {
      if (fs.header.keyType(k) != 0) return kKfDescriptorMismatch;
    }
    return 0;
  }
  for (int i = 0; i < kKeyNumbers && keys[i].keyNumber != 0; ++i) {
    int k = keys[i].keyNumber;
    if (fs.header.keyType(k) != keys[i].keyType) return kKfDescriptorMismatch;
    if (keys[i].keyType == 8) checkSegments(keys[i].segments, &fs.segments[k]);
  }
  return 0;
}

// Writes the creation image of a new file on `fd`.
int writeCreationImage(int fd, bool swap, const KfKeyDescriptor* keys) {
  static const uint8_t zero[kPageSize] = {};
  if (!kfdetail::writeBytes(fd, zero, kPageSize, 0)) return kKfWriteFailed;
  kfdetail::Header h;
  h.updateCount = 1;
  h.mainRoot = 0;
  h.mainHeight = 1;
  h.nextFresh = 1;
  h.nextRecord = 1;
  h.slots = 0;
  h.freeHead = -1;
  if (keys != nullptr) {
    for (int i = 0; i < kKeyNumbers && keys[i].keyNumber != 0; ++i) {
      h.raw[kHdrKeyTypes + keys[i].keyNumber] = keys[i].keyType;
    }
  }
  h.raw[kHdrKeyTypes + 20] = 2;
  std::memset(h.raw + kHdrReserved344, 0xFF, 8);
  uint8_t image[kHeaderSize];
  kfdetail::encodeHeader(h, swap, image);
  if (!kfdetail::writeBytes(fd, image, kHeaderSize, 0)) return kKfWriteFailed;
  // Pre-extension for a tree of height 1: slots until two lie beyond the next fresh node.
  while (h.mainHeight + 1 > h.slots - h.nextFresh) {
    if (!kfdetail::writeBytes(fd, zero, kPageSize, static_cast<off_t>(h.slots + 1) * kPageSize)) {
      return kKfWriteFailed;
    }
    ++h.slots;
  }
  kfdetail::encodeHeader(h, swap, image);
  if (!kfdetail::writeBytes(fd, image, kHeaderSize, 0)) return kKfWriteFailed;
  kfdetail::WorkPage root;
  root.init(0, -1, -1, 0, swap);
  if (!kfdetail::writeBytes(fd, root.bytes, kPageSize, kPageSize)) return kKfWriteFailed;
  return 0;
}

void unmap(FileState& fs) {
  if (fs.map != nullptr) munmap(const_cast<uint8_t*>(fs.map), fs.mapSize);
  fs.map = nullptr;
  fs.mapSize = 0;
}

// Counts the whole node pages after the header, beyond which no walk of the file goes, and
// gives the file's size. 0, or -1 when the system cannot tell.
int measure(FileState& fs, off_t* size) {
  struct stat st;
  if (fstat(fs.fd, &st) != 0) return kKfNotFound;
  *size = st.st_size;
  off_t nodes = st.st_size / kPageSize - 1;
  fs.nodesOnDisk = static_cast<int32_t>(nodes < 0 ? 0 : nodes > INT32_MAX ? INT32_MAX : nodes);
  return 0;
}

int finishFailedOpen(KeyFile& file, int status) {
  FileState* fs = file.state();
  if (fs != nullptr) {
    unmap(*fs);
    NodeCache::instance().dropFile(*fs);
    if (fs->fd >= 0) close(fs->fd);
    file.stateSlot().reset();
  }
  file.registers().lastStatus = status;
  return status;
}

}  // namespace

KeyFile::KeyFile() = default;

KeyFile::~KeyFile() {
  if (state_) kfClose(*this);
}

int kfOpen(KeyFile& file, const char* name, int shareMode, int accessMode,
           const KfKeyDescriptor* keys) {
  if (file.isOpen()) kfClose(file);
  KfRegisters& reg = file.registers();
  if (name == nullptr || (accessMode != kKfAccessRead && accessMode != kKfAccessReadWrite)) {
    return reg.lastStatus = kKfBadArgument;
  }
  if (int rc = checkDescriptors(keys); rc != 0) return reg.lastStatus = rc;

  int fd = open(name, (accessMode == kKfAccessReadWrite ? O_RDWR : O_RDONLY) | O_CLOEXEC);
  if (fd < 0) {
    reg.osError = errno;
    return reg.lastStatus = kKfNotFound;
  }
  // An exclusive open for writing refuses a file already open elsewhere, and the reverse.
  if (flock(fd, (accessMode == kKfAccessReadWrite ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0 &&
      errno == EWOULDBLOCK) {
    reg.osError = errno;
    close(fd);
    return reg.lastStatus = kKfNotFound;
  }
  auto fs = std::make_unique<FileState>();
  fs->owner = &file;
  fs->name = name;
  fs->fd = fd;
  fs->shareMode = shareMode;
  fs->accessMode = accessMode;
  fs->id = nextFileId();
  file.stateSlot() = std::move(fs);
  FileState& st = *file.state();

  // Block 0 in one read: the header and the update marker near its end.
  uint8_t image[kPageSize];
  ssize_t n = pread(fd, image, kPageSize, 0);
  if (n < kHeaderSize) {
    reg.osError = errno;
    return finishFailedOpen(file, n < 0 ? kKfNotFound : kKfShortRead);
  }
  st.swap = kfdetail::load32(image + kHdrByteOrder, false) != 1;
  for (const Signature& sig : kSignatures) {
    if (kfdetail::load32(image + sig.offset, st.swap) != sig.value) {
      return finishFailedOpen(file, kKfNotKeyedFile);
    }
  }
  kfdetail::decodeHeader(image, st.swap, &st.header);
  st.writeMode = 3;
  if (int rc = bindDescriptors(st, keys); rc != 0) return finishFailedOpen(file, rc);
  st.setUpRules();
  off_t size = 0;
  if (measure(st, &size) != 0) {
    reg.osError = errno;
    return finishFailedOpen(file, kKfNotFound);
  }
  // A reader is mapped once it has read a few pages (see mappedPage): a file opened for one
  // get is never mapped, which spares the mapping and its teardown.
  if (st.writable())
    posix_fadvise(fd, 0, 0, POSIX_FADV_RANDOM);
  else
    st.sizeToMap = size;

  // The marker of an interrupted protected update is read inside an update.
  if (n >= kHdrUpdateMarker + 2 && static_cast<uint16_t>(kfdetail::load16(
                                       image + kHdrUpdateMarker, st.swap)) == kUpdateMarkerValue) {
    return finishFailedOpen(file, kKfInterruptedUpdate);
  }
  if (st.writable()) {
    int rc = kfdetail::beginUpdate(st);
    rc = kfdetail::endUpdate(st, rc);
    if (rc != 0) return finishFailedOpen(file, rc);
  }
  return reg.lastStatus = kKfOk;
}

int kfCreate(KeyFile& file, const char* name, int shareMode, int byteOrder,
             const KfKeyDescriptor* keys) {
  if (file.isOpen()) kfClose(file);
  KfRegisters& reg = file.registers();
  if (name == nullptr) return reg.lastStatus = kKfBadArgument;
  if (byteOrder < 1 || byteOrder > 3) return reg.lastStatus = kKfBadByteOrder;
  if (int rc = checkDescriptors(keys); rc != 0) return reg.lastStatus = rc;
  bool little = kfdetail::machineIsLittleEndian();
  bool swap = (byteOrder == kKfLittleEndian && !little) || (byteOrder == kKfBigEndian && little);

  int fd = open(name, O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) {
    reg.osError = errno;
    return reg.lastStatus = errno == EEXIST ? kKfExists : kKfNotFound;
  }
  int rc = writeCreationImage(fd, swap, keys);
  if (rc != 0) reg.osError = errno;
  if (close(fd) != 0 && rc == 0) rc = kKfNotFound;
  if (rc == 0) rc = kfOpen(file, name, shareMode, kKfAccessReadWrite, keys);
  if (rc != 0) {
    unlink(name);
    return reg.lastStatus = rc;
  }
  return reg.lastStatus = kKfOk;
}

int kfClose(KeyFile& file) {
  FileState* fs = file.state();
  if (fs == nullptr) return file.registers().lastStatus = kKfNotOpen;
  int rc = 0;
  if (fs->writable() && fs->headerDirty && kfdetail::writeHeader(*fs) != 0) rc = kKfSeekFailed;
  if (NodeCache::instance().flushFile(*fs) != 0 && rc == 0) rc = kKfSeekFailed;
  if (fs->writable() && fsync(fs->fd) != 0 && rc == 0) rc = kKfNotFound;
  NodeCache::instance().dropFile(*fs);
  unmap(*fs);
  if (close(fs->fd) != 0 && rc == 0) rc = kKfNotFound;
  file.stateSlot().reset();
  return file.registers().lastStatus = rc;
}

int kfFlush(KeyFile& file) {
  FileState* fs = file.state();
  if (fs == nullptr) return file.registers().lastStatus = kKfNotOpen;
  int rc = kfdetail::flushAll(*fs);
  if (rc == kKfWriteFailed) rc = kKfSeekFailed;
  return file.registers().lastStatus = rc;
}

int kfSetWriteMode(KeyFile& file, int mode) {
  FileState* fs = file.state();
  if (fs == nullptr) return file.registers().lastStatus = kKfNotOpen;
  if (mode < 0 || mode > 4) return file.registers().lastStatus = kKfNotFound;
  fs->writeMode = mode;
  return file.registers().lastStatus = kKfOk;
}

int kfSetCacheSize(int buffers) {
  return NodeCache::instance().resize(buffers);
}

int kfCacheSize() {
  return NodeCache::instance().size();
}
