// Writes that fail at points spread over a load with splits: the add that meets the failure
// returns an error, and the file left behind either is sound or reports its damage to the
// operations that reach it, never a lost or wrong record in silence.
#include <cstdint>
#include <string>
#include <vector>

#include "btree/write_faults.h"
#include "tests/btree/btree_test_support.h"

using namespace btreetest;

namespace {

constexpr int kKeys = 2000;
constexpr int kPoints = 200;
constexpr int kSnapshotEvery = 10;
constexpr int kAddsAfter = 40;  // adds made on the reopened file after a failure

// Key of the i-th add: 7919 is prime to 2000, so the adds land all over the tree.
std::string keyOf(int i) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "w%05d", (i * 7919) % kKeys);
  return buf;
}
int numberOf(const std::string& key) {
  return std::atoi(key.c_str() + 1);
}
// Data and record number follow from the key, so anything read can be checked by its key.
// Every seventh record takes three pieces.
std::string dataOf(int n) {
  std::string d(n % 7 == 0 ? 600 : 20 + n % 40, '\0');
  for (size_t i = 0; i < d.size(); ++i) d[i] = static_cast<char>('a' + (n + i) % 26);
  return d;
}

int add(KeyFile& kf, int i) {
  std::string key = keyOf(i), data = dataOf(numberOf(key));
  return kfAdd(kf, 1, key.c_str(), numberOf(key) + 1, data.data(),
               static_cast<int32_t>(data.size()));
}

enum class Failure { kOneWrite, kEveryWriteAfter };

class WriteFailures : public ::testing::Test {
 protected:
  // One clean load: the writes each add makes, and a copy of the file every few adds.
  static void SetUpTestSuite() {
    // Every add is synced; in memory, when the system offers it, that costs nothing, and
    // only the order of the writes matters here.
    std::error_code ec;
    dir_ = std::filesystem::is_directory("/dev/shm", ec) ? new TempDir("/dev/shm") : new TempDir;
    KeyFile kf;
    std::string path = dir_->file("clean.idx");
    ASSERT_EQ(kfCreate(kf, path.c_str(), kKfExclusive, kKfLittleEndian, nullptr), 0);
    for (int i = 0; i < kKeys; ++i) {
      if (i % kSnapshotEvery == 0) {
        ASSERT_EQ(kfFlush(kf), 0);
        std::filesystem::copy_file(path, snapshot(i / kSnapshotEvery));
      }
      writesBefore_[i] = kfWritesMade();
      ASSERT_EQ(add(kf, i), 0) << i;
    }
    writesBefore_[kKeys] = kfWritesMade();
    ASSERT_EQ(kfClose(kf), 0);
  }
  static void TearDownTestSuite() { delete dir_; }
  static std::string snapshot(int n) { return dir_->file("snap" + std::to_string(n)); }

  // Replays the load up to add `k`, makes its write `skip + 1` fail and closes the file.
  // Returns the status of the failing add.
  int failAt(int k, int64_t skip, Failure failure) {
    std::filesystem::copy_file(snapshot(k / kSnapshotEvery), path_,
                               std::filesystem::copy_options::overwrite_existing);
    KeyFile kf;
    EXPECT_EQ(kfOpen(kf, path_.c_str(), kKfExclusive, kKfAccessReadWrite, nullptr), 0);
    for (int i = k - k % kSnapshotEvery; i < k; ++i) EXPECT_EQ(add(kf, i), 0) << i;
    kfFailWrites(skip, failure == Failure::kOneWrite ? 1 : INT64_MAX);
    int rc = add(kf, k);
    kfClose(kf);
    kfFailWrites(0, 0);
    return rc;
  }

  // Checks what the file gives against the adds 0..acked-1 that succeeded and the add
  // `acked` that failed (present whole or absent). Every search and scan either gives the
  // right records or an error below -1; a sound file gives them all. Records are read whole
  // in the forward scan; the backward scan and the searches check keys and record numbers.
  void verify(int acked, const std::string& when) {
    KeyFile kf;
    ASSERT_EQ(kfOpen(kf, path_.c_str(), kKfExclusive, kKfAccessRead, nullptr), 0) << when;
    bool sound = kfCheck(kf) == 0;
    std::vector<bool> added(kKeys, false);
    for (int i = 0; i <= acked && i < kKeys; ++i)
      added[static_cast<size_t>(numberOf(keyOf(i)))] = true;
    char buf[700];
    // The key of the current record, or -1 when it is none of the keys added.
    auto current = [&]() {
      int n = numberOf(reinterpret_cast<const char*>(kf.key()));
      bool known =
          n >= 0 && n < kKeys && added[static_cast<size_t>(n)] && kf.recordNumber() == n + 1;
      return known ? n : -1;
    };
    // The check has followed the back links of a sound file: one scan is enough there.
    for (bool forward : {true, false}) {
      if (!forward && sound) break;
      char* data = forward ? buf : nullptr;
      int seen = 0, last = forward ? -1 : kKeys;
      int rc = forward ? kfFirst(kf, 1, data, sizeof buf) : kfLast(kf, 1, data, sizeof buf);
      for (; rc == 0; ++seen) {
        int n = current();
        ASSERT_NE(n, -1) << when << ": unknown record " << kf.key();
        ASSERT_TRUE(forward ? n > last : n < last) << when << ": scan order at " << n;
        if (forward) {
          ASSERT_EQ(std::string(buf, static_cast<size_t>(kf.bytesRead())), dataOf(n)) << when;
        }
        last = n;
        rc = forward ? kfNext(kf, 1, data, sizeof buf) : kfPrevious(kf, 1, data, sizeof buf);
      }
      if (rc == -1) {
        EXPECT_GE(seen, acked) << when << ": records lost in a scan that ended well";
      } else {
        EXPECT_LT(rc, -1) << when;
        EXPECT_FALSE(sound) << when << ": a sound file scans to its end";
      }
    }
    // A file that passes the check leads every search where its scan goes; a damaged one
    // may lead a search astray, which must then say so.
    for (int i = 0; i < acked && !sound; ++i) {
      std::string key = keyOf(i);
      int rc = kfFind(kf, 1, key.c_str(), numberOf(key) + 1, nullptr, 0);
      if (rc < -1) continue;  // damage met and reported
      ASSERT_EQ(rc, 0) << when << ": find " << key;
      ASSERT_EQ(current(), numberOf(key)) << when;
    }
    kfClose(kf);
  }

  static inline TempDir* dir_ = nullptr;
  static inline int64_t writesBefore_[kKeys + 1] = {};
  std::string path_ = dir_->file("run.idx");
};

// Every other point fails one write, the rest fail every write from there on, as a disk
// that fills up or goes away.
TEST_F(WriteFailures, LeaveSoundFilesOrReportedDamage) {
  int64_t total = writesBefore_[kKeys] - writesBefore_[0];
  for (int p = 0; p < kPoints; ++p) {
    Failure failure = p % 2 == 0 ? Failure::kOneWrite : Failure::kEveryWriteAfter;
    int64_t write = writesBefore_[0] + p * total / kPoints;  // the write that fails
    int k = 0;
    while (writesBefore_[k + 1] <= write) ++k;
    std::string when =
        (failure == Failure::kOneWrite ? "one write failed at add " : "writes failed from add ") +
        std::to_string(k) + " write " + std::to_string(write - writesBefore_[k]);
    int rc = failAt(k, write - writesBefore_[k], failure);
    EXPECT_LT(rc, -1) << when;
    verify(k, when + ", reopened");
    KeyFile kf;
    if (failure == Failure::kOneWrite) {
      // The writes after the failed one went through: the add took out what it had placed
      // of its record, if not all of it.
      std::string key = keyOf(k);
      char buf[700];
      ASSERT_EQ(kfOpen(kf, path_.c_str(), kKfExclusive, kKfAccessRead, nullptr), 0);
      EXPECT_NE(kfFind(kf, 1, key.c_str(), numberOf(key) + 1, buf, sizeof buf), kKfPieceSequence)
          << when;
      kfClose(kf);
    }
    // The load goes on: each add succeeds or reports damage, and what it left reads back.
    ASSERT_EQ(kfOpen(kf, path_.c_str(), kKfExclusive, kKfAccessReadWrite, nullptr), 0);
    kfSetWriteMode(kf, 0);  // written at close: these adds need not reach the disk one by one
    int acked = k, status = 0;
    for (int i = k; i < k + kAddsAfter && i < kKeys && status == 0; ++i) {
      status = add(kf, i);
      if (status == -1 && i == k) status = 0;  // the failed add had reached the file
      if (status == 0) acked = i + 1;
    }
    kfClose(kf);
    if (status != 0) {
      EXPECT_LT(status, -1) << when << ", load resumed at add " << acked;
    }
    verify(acked, when + ", load resumed");
    if (HasFailure()) return;
  }
}

}  // namespace
