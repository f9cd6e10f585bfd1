// Damaged files give errors, never crashes or endless loops; kept fuzzer inputs stay errors.
#include "fuzz/btree/ops_driver.h"
#include "fuzz/btree/scan_driver.h"
#include "tests/btree/btree_test_support.h"

using namespace btreetest;

namespace {

// A sound file: 59 ascending keys in leaves 0, 1 and 3 under root 2 (see the split tests).
class Damage : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = dir_.file("damaged.idx");
    KeyFile kf;
    ASSERT_EQ(kfCreate(kf, path_.c_str(), kKfExclusive, 1, nullptr), 0);
    kfSetWriteMode(kf, 0);
    std::string data(20, 'd');
    for (int i = 1; i <= 59; ++i) {
      char key[16];
      std::snprintf(key, sizeof key, "k%05d", 2 * i);
      ASSERT_EQ(kfAdd(kf, 1, key, 1, data.data(), 20), 0);
    }
    ASSERT_EQ(kfClose(kf), 0);
    image_ = readFile(path_);
  }
  // Writes the patched image and opens it read-only.
  void reopen(const std::vector<uint8_t>& image) {
    kfClose(kf_);
    writeFile(path_, image);
    ASSERT_EQ(kfOpen(kf_, path_.c_str(), kKfExclusive, kKfAccessRead, nullptr), 0);
  }
  // Runs a full scan both ways and returns the first error (0 when both ends were reached).
  int scanStatus() {
    int rc = kfFirst(kf_, 1, buf_, sizeof buf_);
    for (int steps = 0; rc == 0 && steps < 1000; ++steps) rc = kfNext(kf_, 1, buf_, sizeof buf_);
    if (rc != -1) return rc;
    rc = kfLast(kf_, 1, buf_, sizeof buf_);
    for (int steps = 0; rc == 0 && steps < 1000; ++steps)
      rc = kfPrevious(kf_, 1, buf_, sizeof buf_);
    return rc == -1 ? 0 : rc;
  }
  static size_t node(int n) { return 1024 * static_cast<size_t>(n + 1); }

  TempDir dir_;
  std::string path_;
  std::vector<uint8_t> image_;
  KeyFile kf_;
  char buf_[64];
};

TEST_F(Damage, SoundFilePasses) {
  reopen(image_);
  EXPECT_EQ(scanStatus(), 0);
  EXPECT_EQ(kfCheck(kf_), 0);
}

TEST_F(Damage, EntryCountAbove143) {
  std::vector<uint8_t> f = image_;
  putLe16(f, node(1) + 14, 144);
  reopen(f);
  EXPECT_EQ(kfFind(kf_, 1, "k00070", 0, buf_, sizeof buf_), kKfDamaged);
  EXPECT_EQ(kfFind(kf_, 1, "k00010", 1, buf_, sizeof buf_), 0);  // other leaves still read
  EXPECT_EQ(scanStatus(), kKfDamaged);
  EXPECT_EQ(kfCheck(kf_), kKfCheckLayout);
  EXPECT_EQ(kf_.faultNode(), 1);
}

TEST_F(Damage, EntriesRunPastThePage) {
  std::vector<uint8_t> f = image_;
  putLe16(f, node(0) + 14, 30);  // one entry more than the page holds: a zero length byte
  reopen(f);
  EXPECT_EQ(kfFind(kf_, 1, "k00004", 0, buf_, sizeof buf_), kKfDamaged);
  f = image_;
  // Leaf 3: five entries of 256 bytes, the last starting past the page.
  for (size_t i = 0; i < 4; ++i) f[node(3) + 18 + 256 * i] = 255;
  putLe16(f, node(3) + 14, 5);
  reopen(f);
  EXPECT_EQ(kfLast(kf_, 1, buf_, sizeof buf_), kKfDamaged);
  EXPECT_EQ(kfCheck(kf_), kKfCheckLayout);
  EXPECT_EQ(kf_.faultNode(), 3);
}

TEST_F(Damage, LevelMismatchAndNodesPastTheFile) {
  std::vector<uint8_t> f = image_;
  putLe16(f, node(3) + 12, 1);
  reopen(f);
  EXPECT_EQ(kfFind(kf_, 1, "k00118", 0, buf_, sizeof buf_), kKfDamaged);
  EXPECT_EQ(kfCheck(kf_), kKfCheckLevel);
  EXPECT_EQ(kf_.faultNode(), 3);

  f = image_;
  putLe32(f, node(2), 50);  // root's first child past the slots
  reopen(f);
  EXPECT_EQ(kfFind(kf_, 1, "k00002", 0, buf_, sizeof buf_), kKfDamaged);
  EXPECT_EQ(kfCheck(kf_), kKfCheckNodeRange);
  EXPECT_EQ(kf_.faultNode(), 50);

  f = image_;
  putLe32(f, 12, -7);  // negative root
  reopen(f);
  EXPECT_EQ(kfFirst(kf_, 1, buf_, sizeof buf_), kKfNegativeNode);
  EXPECT_LT(kfCheck(kf_), 0);

  f = image_;
  putLe32(f, 28, 40);  // height beyond any tree
  reopen(f);
  EXPECT_EQ(kfFirst(kf_, 1, buf_, sizeof buf_), kKfDamaged);
  EXPECT_EQ(kfCheck(kf_), kKfCheckHeader);

  f = image_;
  f.resize(4096);  // node 3 is cut off; the header still names 6 slots
  reopen(f);
  EXPECT_EQ(kfLast(kf_, 1, buf_, sizeof buf_), kKfShortRead);
}

TEST_F(Damage, CyclesInTheNextLinksAreCaught) {
  std::vector<uint8_t> f = image_;
  putLe32(f, node(3) + 4, 1);  // leaf 3 points back to leaf 1
  reopen(f);
  EXPECT_EQ(scanStatus(), kKfDamaged);
  EXPECT_EQ(kfCheck(kf_), kKfCheckCycle);
  EXPECT_EQ(kf_.faultNode(), 1);

  // A cycle of empty leaves: a search past the last key walks the chain and stops.
  f = image_;
  for (int n : {1, 3}) {
    putLe16(f, node(n) + 14, 0);
    putLe16(f, node(n) + 16, 1006);
  }
  putLe32(f, node(3) + 4, 1);
  reopen(f);
  EXPECT_EQ(kfFind(kf_, 1, "k00090", 0, buf_, sizeof buf_), kKfDamaged);
  EXPECT_EQ(kfCheck(kf_), kKfCheckCycle);
}

TEST_F(Damage, BrokenOrderAndLinks) {
  std::vector<uint8_t> f = image_;
  f[node(0) + 18 + 34 + 11] = '9';  // second key of leaf 0 becomes k00094
  reopen(f);
  EXPECT_EQ(kfCheck(kf_), kKfCheckOrder);
  EXPECT_EQ(kf_.faultNode(), 0);

  f = image_;
  putLe32(f, node(1) + 8, 3);  // wrong previous link
  reopen(f);
  EXPECT_EQ(kfCheck(kf_), kKfCheckBackLink);

  f = image_;
  putLe16(f, node(0) + 16, 30);  // free bytes disagree with the entries
  reopen(f);
  EXPECT_EQ(kfFind(kf_, 1, "k00002", 0, buf_, sizeof buf_), kKfDamaged);

  f = image_;
  f[node(1) + 18 + 2] = 0x01;  // first entry of leaf 1 claims to be piece 1 of its record
  reopen(f);
  EXPECT_EQ(kfFind(kf_, 1, "k00060", 1, buf_, sizeof buf_), kKfPieceSequence);
  EXPECT_EQ(kfCheck(kf_), kKfCheckEntry);
  EXPECT_EQ(kf_.faultNode(), 1);
}

TEST_F(Damage, UpdatesOnDamagedFilesFailCleanly) {
  struct Case {
    const char* what;
    size_t offset;  // of the header word patched
    int32_t value;
    int check;
    int add;  // status of the first add that fails
  };
  const Case cases[] = {
      {"free list names the root, an ordinary node", 60, 2, kKfCheckFreeList, kKfDamaged},
      {"free list head beyond the next fresh node", 60, 5, kKfCheckHeader, kKfNodeBeyondFresh},
      {"slots the file does not hold", 52, 1000000, kKfCheckHeader, kKfDamaged},
  };
  std::string data(20, 'd');
  for (const Case& c : cases) {
    std::vector<uint8_t> f = image_;
    putLe32(f, c.offset, c.value);
    writeFile(path_, f);
    ASSERT_EQ(kfOpen(kf_, path_.c_str(), kKfExclusive, kKfAccessReadWrite, nullptr), 0) << c.what;
    kfSetWriteMode(kf_, 0);
    EXPECT_EQ(kfCheck(kf_), c.check) << c.what;
    int rc = 0;
    for (int i = 0; i < 40 && rc == 0; ++i) {
      rc = kfAdd(kf_, 1, ("z" + std::to_string(i)).c_str(), 1, data.data(), 20);
    }
    EXPECT_EQ(rc, c.add) << c.what;
    kfClose(kf_);
    EXPECT_LT(readFile(path_).size(), 16u * 1024) << c.what << ": the file grew to its header";
  }
}

// Inputs kept from fuzzing. Scanned files: seed-* are sound and give no error; crash-* and
// timeout-* once found a fault and must now give an error; the others, kept for the
// coverage they add, must run without a sanitizer report. Operation sequences are checked
// against a model: every kept input must agree (0).
void runCorpus(const std::string& name, int (*run)(const uint8_t*, size_t), bool scanned) {
  const char* top = std::getenv("TQV_TEST_DATA");
  std::filesystem::path dir = std::filesystem::path(top ? top : "tests") / "corpus" / name;
  if (!std::filesystem::exists(dir)) GTEST_SKIP() << dir << " missing";
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    std::vector<uint8_t> bytes = readFile(entry.path().string());
    int rc = run(bytes.data(), bytes.size());
    std::string base = entry.path().filename().string();
    bool finding = base.rfind("crash-", 0) == 0 || base.rfind("timeout-", 0) == 0;
    if (!scanned || base.rfind("seed-", 0) == 0) {
      EXPECT_EQ(rc, 0) << base;
    } else if (finding) {
      EXPECT_LT(rc, 0) << base;
    }
    ++files;
  }
  EXPECT_GT(files, 0);
}

TEST(Corpus, ScanInputs) {
  runCorpus("btree_scan", kffuzz::scanBytes, true);
}
TEST(Corpus, OperationInputs) {
  runCorpus("btree_ops", kffuzz::runOperations, false);
}

}  // namespace
