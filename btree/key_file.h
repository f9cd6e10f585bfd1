// The keyed-file engine's public interface: the KeyFile control block and the kf* operations.
//
// Every operation returns an int status: 0 success, 1 or 2 a search outcome, negative an
// error (the KfStatus values below). Results of searches and scans are left in the KeyFile's
// registers (keyNumber(), key(), recordNumber(), bytesRead(), recordLength()).
// The engine is not thread-safe: the node cache is shared by every open file of the process.
#pragma once

#include <cstdint>
#include <memory>

// Status codes.
enum KfStatus : int {
  kKfOk = 0,
  kKfSameKey = 1,     // the key exists with another record number
  kKfGreaterKey = 2,  // positioned on the next greater key
  kKfNotFound = -1,   // also: duplicate on add, system call failed, invalid key type
  kKfBadArgument = -2,
  kKfNotOpen = -3,
  kKfSeekFailed = -4,  // also: the header or a node could not be written at close
  kKfNotKeyedFile = -5,
  kKfWriteFailed = -8,
  kKfShortRead = -9,
  kKfPieceSequence = -12,
  kKfLockKeyNumber = -16,
  kKfDescriptorKeyNumber = -27,
  kKfUserDataTooLong = -28,
  kKfExists = -29,
  kKfDamaged = -30,
  kKfNodeBeyondFresh = -31,
  kKfBadByteOrder = -32,
  kKfReadOnly = -33,
  kKfNoMemory = -34,
  kKfDescriptorMismatch = -35,
  kKfBadSegments = -37,
  kKfInterruptedUpdate = -40,
  kKfNegativeNode = -43,
  kKfCannotOpen = -101,
  kKfNoUserSlot = -109,
};

// Faults reported by kfCheck; faultNode() names the node (or -1 for the header).
enum KfCheckFault : int {
  kKfCheckHeader = -201,      // header fields out of range (height, root, fresh, slots,
                              // also slots past the end of the file)
  kKfCheckNodeRange = -202,   // a node number past the slots or the next fresh node
  kKfCheckRead = -203,        // a node could not be read
  kKfCheckLevel = -204,       // a node's level is not the level being walked
  kKfCheckLayout = -205,      // count above 143, entries past the page, free bytes wrong
  kKfCheckEntry = -206,       // an entry is malformed (key number, key size, length), or a
                              // record's pieces do not run 0, 1, ... to the last-piece bit
  kKfCheckOrder = -207,       // entries of a node are not in ascending order
  kKfCheckChainOrder = -208,  // a node's first entry is not above its left neighbour's last
  kKfCheckBackLink = -209,    // previous link does not name the left neighbour
  kKfCheckCycle = -210,       // the next links revisit a node
  kKfCheckChildLevel = -211,  // a leaf has a first child, or a child is missing
  kKfCheckUnreached = -212,   // a node of a level is not referenced by the level above
  kKfCheckChildRange = -213,  // a child's entries lie outside its separators
  kKfCheckFreeList = -214,    // the free list is malformed
};

// Share modes, access modes and byte orders of kfOpen and kfCreate.
inline constexpr int kKfExclusive = 69;  // 'E'; any other value asks for a shared open
inline constexpr int kKfShared = 83;     // 'S'; behaves as exclusive in this engine
inline constexpr int kKfAccessRead = 1;
inline constexpr int kKfAccessReadWrite = 2;
inline constexpr int kKfLittleEndian = 1;
inline constexpr int kKfBigEndian = 2;
inline constexpr int kKfMachineOrder = 3;

// One segment of a composite key (16 bytes). Only `type` and `descending` are interpreted.
struct KfSegment {
  uint8_t type = 31;  // 0..20; 31 ends the list
  uint8_t spare1[8] = {};
  uint8_t descending = 0;  // nonzero: the segment sorts in descending order
  uint8_t spare2[6] = {};
};
static_assert(sizeof(KfSegment) == 16);
inline constexpr int kKfMaxSegments = 243;
inline constexpr uint8_t kKfSegmentEnd = 31;

// One item of the key descriptor table; a keyNumber of 0 ends the table (at most 20 items).
struct KfKeyDescriptor {
  uint8_t keyNumber = 0;                // 1..15
  uint8_t keyType = 0;                  // 0..20
  const KfSegment* segments = nullptr;  // the segment list of a composite (type 8) key
};

namespace kfdetail {
struct FileState;
}

// The operation registers of a KeyFile.
struct KfRegisters {
  int keyNumber = 0;
  uint8_t key[256] = {};
  int keySize = 0;
  int32_t recordNumber = 0;
  int32_t bytesRead = 0;
  int32_t recordLength = 0;
  int lastStatus = 0;
  int osError = 0;
  int32_t faultNode = -1;
};

// The control block of one keyed file: closed until kfOpen or kfCreate succeeds.
class KeyFile {
 public:
  KeyFile();
  ~KeyFile();  // closes the file if it is still open
  KeyFile(const KeyFile&) = delete;
  KeyFile& operator=(const KeyFile&) = delete;

  bool isOpen() const { return state_ != nullptr; }

  // Registers set by the last search, scan or record-number operation.
  int keyNumber() const { return reg_.keyNumber; }
  const uint8_t* key() const { return reg_.key; }  // current key value, machine byte order
  int keySize() const { return reg_.keySize; }
  int32_t recordNumber() const { return reg_.recordNumber; }
  int32_t bytesRead() const { return reg_.bytesRead; }        // bytes copied into the buffer
  int32_t recordLength() const { return reg_.recordLength; }  // full length of the record
  int lastStatus() const { return reg_.lastStatus; }
  int osError() const { return reg_.osError; }          // errno of the last failed call
  int32_t faultNode() const { return reg_.faultNode; }  // node at fault in the last kfCheck

  // The engine's own access to the open file and to the registers.
  kfdetail::FileState* state() { return state_.get(); }
  std::unique_ptr<kfdetail::FileState>& stateSlot() { return state_; }
  KfRegisters& registers() { return reg_; }

 private:
  KfRegisters reg_;
  std::unique_ptr<kfdetail::FileState> state_;
};

// Creates `name` (which must not exist), writes the empty file and leaves it open for
// reading and writing. byteOrder: 1 little-endian, 2 big-endian, 3 machine order.
// Returns 0; -29 the file exists; -32 bad byte order; -27, -35, -37 bad descriptors;
// -1 cannot create; -8 write failed. On failure after the file was made it is deleted.
int kfCreate(KeyFile& file, const char* name, int shareMode, int byteOrder,
             const KfKeyDescriptor* keys);

// Opens an existing keyed file. accessMode: 1 read-only, 2 read and write.
// Returns 0; -1 cannot open (missing, or already open elsewhere for writing); -5 not a
// keyed file; -9 short header; -35 descriptors missing or not matching the file; -27 a
// descriptor key number of 16 or more; -37 bad segment list; -40 interrupted update.
int kfOpen(KeyFile& file, const char* name, int shareMode, int accessMode,
           const KfKeyDescriptor* keys);

// Writes the dirty header and nodes, flushes and closes. Returns 0, -1 (close failed),
// -4 (the header or a node could not be written) or -3 (not open). The block is closed
// in every case.
int kfClose(KeyFile& file);

// Writes the dirty header and nodes and asks the system to flush. 0, -3, -4.
int kfFlush(KeyFile& file);

// Sets the write mode 0..4 (see format.h). 0; -1 mode out of range; -3.
int kfSetWriteMode(KeyFile& file, int mode);

// Searches (keyNumber, key, recordNumber). 0 exact, 1 same key other record number, 2 on the
// next greater key, -1 nothing at or after it under this key number. When `buffer` is not
// null the record is read into it (bytesRead, recordLength); -12 pieces out of sequence.
// -2 key number outside 1..20; -30 damaged tree; -3.
int kfFind(KeyFile& file, int keyNumber, const void* key, int32_t recordNumber, void* buffer,
           int32_t bufferSize);

// Positions on the first / last record of the key number and reads it. 0; -1 none.
int kfFirst(KeyFile& file, int keyNumber, void* buffer, int32_t bufferSize);
int kfLast(KeyFile& file, int keyNumber, void* buffer, int32_t bufferSize);

// Steps to the next / previous record of the key number and reads it. 0; -1 none (the
// cursor is cleared); -12; -30.
int kfNext(KeyFile& file, int keyNumber, void* buffer, int32_t bufferSize);
int kfPrevious(KeyFile& file, int keyNumber, void* buffer, int32_t bufferSize);

// Record updates. All return -33 on a read-only file, -2 for an argument out of range (key
// number, negative length, key of 243 bytes or more, more than 128 pieces), -30 damage,
// -31 a node number beyond the next fresh node, -8 a write failed (-4 for the header),
// -40 interrupted update. An add or store whose writing failed takes out the pieces of the
// record it had placed, as far as the disk still takes writes; when only the header write
// at the end failed, the record stays whole.
// kfAdd: -1 if any record with this key exists under the key number (nothing is written).
int kfAdd(KeyFile& file, int keyNumber, const void* key, int32_t recordNumber, const void* data,
          int32_t length);
// kfAddDuplicate: -1 only if this key and record number exist.
int kfAddDuplicate(KeyFile& file, int keyNumber, const void* key, int32_t recordNumber,
                   const void* data, int32_t length);
// kfReplace: -1 if this key and record number do not exist.
int kfReplace(KeyFile& file, int keyNumber, const void* key, int32_t recordNumber, const void* data,
              int32_t length);
// kfStore: replaces the record if it exists, adds it otherwise.
int kfStore(KeyFile& file, int keyNumber, const void* key, int32_t recordNumber, const void* data,
            int32_t length);
// kfDelete: removes every piece of the record; -1 if there is no such record.
int kfDelete(KeyFile& file, int keyNumber, const void* key, int32_t recordNumber);

// Puts the header's next record number into recordNumber() and increments it. 0; -33; -3.
int kfNewRecordNumber(KeyFile& file);
int kfSetRecordNumber(KeyFile& file, int32_t value);

int kfGetUserValue(KeyFile& file, int32_t* value);
int kfSetUserValue(KeyFile& file, int32_t value);
// Copies min(length, size) bytes of the user data (bytesRead()); -28 if it is longer than
// the buffer.
int kfGetUserData(KeyFile& file, void* buffer, int32_t size);
// -2 if length is negative or above 100.
int kfSetUserData(KeyFile& file, const void* bytes, int32_t length);

// Walks every tree level by level and verifies nodes, links, order, children and the
// pieces of each record, and the free list. 0 when sound, else the first fault
// (KfCheckFault, or -9/-30) with faultNode() set. `progress`, when given, receives a
// running count of the nodes visited.
using KfProgress = void (*)(int32_t nodesVisited, void* context);
int kfCheck(KeyFile& file, KfProgress progress = nullptr, void* context = nullptr);

// Number of 1024-byte buffers of the process-wide node cache (at least 4). It changes how
// often pages are read and written, never the bytes of a file. Dirty buffers of open files
// are written before the cache shrinks. Returns the previous size.
int kfSetCacheSize(int buffers);
int kfCacheSize();
