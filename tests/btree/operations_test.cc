// Searches, scans and updates through the public operations.
#include <cstdio>
#include <random>

#include "tests/btree/btree_test_support.h"

using namespace btreetest;

namespace {

class Operations : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = dir_.file("ops.idx");
    ASSERT_EQ(kfCreate(kf_, path_.c_str(), kKfExclusive, kKfLittleEndian, keys_), 0);
    ASSERT_EQ(kfSetWriteMode(kf_, 0), 0);
  }
  int add(const char* key, int32_t record, const std::string& data, int keyNumber = 1) {
    return kfAdd(kf_, keyNumber, key, record, data.data(), static_cast<int32_t>(data.size()));
  }
  std::string current() const { return reinterpret_cast<const char*>(kf_.key()); }
  std::string scan(int keyNumber, bool forward) {
    std::string out;
    int rc = forward ? kfFirst(kf_, keyNumber, nullptr, 0) : kfLast(kf_, keyNumber, nullptr, 0);
    while (rc == 0) {
      out += current() + ";";
      rc = forward ? kfNext(kf_, keyNumber, nullptr, 0) : kfPrevious(kf_, keyNumber, nullptr, 0);
    }
    return out;
  }

  TempDir dir_;
  std::string path_;
  KfKeyDescriptor keys_[2] = {{2, 1, nullptr}, {}};  // key number 2 ignores case
  KeyFile kf_;
};

TEST_F(Operations, FindOutcomes) {
  ASSERT_EQ(add("abc", 1, "one"), 0);
  ASSERT_EQ(add("abd", 2, "two"), 0);
  char buf[16] = {};
  EXPECT_EQ(kfFind(kf_, 1, "aaa", 0, buf, sizeof buf), 2);  // smaller than every key
  EXPECT_EQ(current(), "abc");
  EXPECT_EQ(kfFind(kf_, 1, "abc", 1, buf, sizeof buf), 0);
  EXPECT_EQ(std::string(buf, 3), "one");
  EXPECT_EQ(kf_.recordLength(), 3);
  EXPECT_EQ(kfFind(kf_, 1, "abc", 0, buf, sizeof buf), 1);  // record numbers start at 1
  EXPECT_EQ(kfFind(kf_, 1, "ab", 0, buf, sizeof buf), 2);   // prefix search lands on abc
  EXPECT_EQ(current(), "abc");
  EXPECT_EQ(kfNext(kf_, 1, buf, sizeof buf), 0);
  EXPECT_EQ(current(), "abd");
  EXPECT_EQ(kfNext(kf_, 1, buf, sizeof buf), -1);
  EXPECT_EQ(kfFind(kf_, 1, "abe", 0, buf, sizeof buf), -1);  // greater than every key
  EXPECT_EQ(kfFind(kf_, 2, "abc", 0, buf, sizeof buf), -1);  // another key number is empty
  EXPECT_EQ(kfFind(kf_, 0, "abc", 0, buf, sizeof buf), kKfBadArgument);
  EXPECT_EQ(kfFind(kf_, 21, "abc", 0, buf, sizeof buf), kKfBadArgument);
  EXPECT_EQ(kfAdd(kf_, 21, "abc", 1, nullptr, 0), kKfBadArgument);
}

TEST_F(Operations, KeyOrderByType) {
  for (const char* k : {"abc", "ab", "a", "B"}) {
    ASSERT_EQ(add(k, 1, ""), 0);
    ASSERT_EQ(add(k, 1, "", 2), 0);
  }
  EXPECT_EQ(scan(1, true), "B;a;ab;abc;");  // case-sensitive: B before a
  EXPECT_EQ(scan(2, true), "a;ab;abc;B;");  // folded: a before B
  EXPECT_EQ(scan(2, false), "B;abc;ab;a;");
  EXPECT_EQ(add("b", 1, "", 2), -1);  // b equals B under key type 1
  EXPECT_EQ(scan(1, false), "abc;ab;a;B;");
}

TEST_F(Operations, AddDuplicateReplaceStore) {
  ASSERT_EQ(add("key", 5, "five"), 0);
  EXPECT_EQ(add("key", 6, "six"), -1);  // the key exists under another number
  EXPECT_EQ(kfAddDuplicate(kf_, 1, "key", 5, "x", 1), -1);
  ASSERT_EQ(kfAddDuplicate(kf_, 1, "key", 3, "three", 5), 0);
  EXPECT_EQ(kfReplace(kf_, 1, "key", 4, "y", 1), -1);
  ASSERT_EQ(kfReplace(kf_, 1, "key", 5, "FIVE!", 5), 0);
  ASSERT_EQ(kfStore(kf_, 1, "key", 9, "nine", 4), 0);
  ASSERT_EQ(kfStore(kf_, 1, "key", 9, "NINE", 4), 0);
  char buf[16];
  std::string seen;
  for (int rc = kfFind(kf_, 1, "key", 0, buf, sizeof buf); rc >= 0 && rc <= 1;
       rc = kfNext(kf_, 1, buf, sizeof buf)) {
    seen += std::to_string(kf_.recordNumber()) + "=" +
            std::string(buf, static_cast<size_t>(kf_.bytesRead())) + ";";
  }
  EXPECT_EQ(seen, "3=three;5=FIVE!;9=NINE;");
  EXPECT_EQ(kfDelete(kf_, 1, "key", 4), -1);
  EXPECT_EQ(kfDelete(kf_, 1, "key", 5), 0);
  EXPECT_EQ(kfFind(kf_, 1, "key", 5, buf, sizeof buf), 1);
  EXPECT_EQ(kf_.recordNumber(), 9);
  EXPECT_EQ(kfPrevious(kf_, 1, buf, sizeof buf), 0);
  EXPECT_EQ(kf_.recordNumber(), 3);
}

TEST_F(Operations, RefusedAddLeavesTheFileUnchanged) {
  ASSERT_EQ(add("same", 1, "data"), 0);
  ASSERT_EQ(kfFlush(kf_), 0);
  std::vector<uint8_t> before = readFile(path_);
  EXPECT_EQ(add("same", 2, "other"), -1);
  EXPECT_EQ(kfReplace(kf_, 1, "none", 1, "x", 1), -1);
  EXPECT_EQ(kfDelete(kf_, 1, "none", 1), -1);
  ASSERT_EQ(kfClose(kf_), 0);
  EXPECT_EQ(readFile(path_), before);
}

TEST_F(Operations, PiecesAndLongRecords) {
  // Key "A" has size 2: pieces of 242 bytes.
  std::string exact(242, 'p');
  ASSERT_EQ(add("A", 1, exact), 0);
  ASSERT_EQ(add("B", 1, exact + "q"), 0);
  std::string big(30000, '\0');
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>('a' + i % 23);
  ASSERT_EQ(add("C", 1, big), 0);
  EXPECT_EQ(add("D", 1, std::string(128 * 242 + 1, 'x')), kKfBadArgument);
  ASSERT_EQ(add("D", 1, std::string(128 * 242, 'x')), 0);

  std::vector<char> small(1000);
  EXPECT_EQ(kfFind(kf_, 1, "C", 1, small.data(), 1000), 0);
  EXPECT_EQ(kf_.bytesRead(), 1000);
  EXPECT_EQ(kf_.recordLength(), 30000);
  EXPECT_EQ(std::string(small.data(), 1000), big.substr(0, 1000));
  std::vector<char> whole(40000);
  EXPECT_EQ(kfFind(kf_, 1, "C", 1, whole.data(), 40000), 0);
  EXPECT_EQ(std::string(whole.data(), 30000), big);
  EXPECT_EQ(kfNext(kf_, 1, whole.data(), 40000), 0);
  EXPECT_EQ(current(), "D");
  EXPECT_EQ(kfPrevious(kf_, 1, whole.data(), 40000), 0);
  EXPECT_EQ(current(), "C");
  EXPECT_EQ(kf_.recordLength(), 30000);
  ASSERT_EQ(kfClose(kf_), 0);

  // Count the pieces in the leaves: A one piece 0x80, B 0x00 and 0x81, C 124 pieces.
  std::vector<uint8_t> f = readFile(path_);
  std::map<std::string, std::vector<int>> pieces;
  for (int32_t n = 0; n < le32(f, 36); ++n) {
    RawNode node = rawNode(f, n);
    if (node.level != 0) continue;
    for (const auto& e : node.entries) pieces[entryText(e)].push_back(e[2]);
  }
  EXPECT_EQ(pieces["A"], (std::vector<int>{0x80}));
  EXPECT_EQ(pieces["B"], (std::vector<int>{0x00, 0x81}));
  ASSERT_EQ(pieces["C"].size(), 124u);
  EXPECT_EQ(pieces["C"][122], 122);
  EXPECT_EQ(pieces["C"][123], 123 | 0x80);
  EXPECT_EQ(pieces["D"].size(), 128u);
}

TEST_F(Operations, DeletingEverythingLeavesEmptyLeavesThatScansSkip) {
  std::vector<std::string> keys;
  for (int i = 0; i < 400; ++i) keys.push_back("k" + std::to_string(1000 + i));
  for (const auto& k : keys) ASSERT_EQ(add(k.c_str(), 1, std::string(40, 'd')), 0);
  // Delete all but every 50th key: most leaves become empty.
  for (int i = 0; i < 400; ++i) {
    if (i % 50 != 7) {
      ASSERT_EQ(kfDelete(kf_, 1, keys[i].c_str(), 1), 0);
    }
  }
  EXPECT_EQ(scan(1, true), "k1007;k1057;k1107;k1157;k1207;k1257;k1307;k1357;");
  EXPECT_EQ(scan(1, false), "k1357;k1307;k1257;k1207;k1157;k1107;k1057;k1007;");
  EXPECT_EQ(kfCheck(kf_), 0);
  for (int i = 7; i < 400; i += 50) ASSERT_EQ(kfDelete(kf_, 1, keys[i].c_str(), 1), 0);
  EXPECT_EQ(kfFind(kf_, 1, "k1200", 0, nullptr, 0), -1);
  EXPECT_EQ(kfFirst(kf_, 1, nullptr, 0), -1);
  EXPECT_EQ(kfLast(kf_, 1, nullptr, 0), -1);
  EXPECT_EQ(kfCheck(kf_), 0);
  ASSERT_EQ(kfClose(kf_), 0);
  // The emptied leaves are still in the file, chained: nothing was freed.
  std::vector<uint8_t> f = readFile(path_);
  EXPECT_EQ(le32(f, 60), -1);
  int leaves = 0;
  for (int32_t n = 0; n < le32(f, 36); ++n) {
    RawNode node = rawNode(f, n);
    if (node.level == 0) {
      ++leaves;
      EXPECT_EQ(node.count, 0);
      EXPECT_EQ(node.freeBytes, 1006);
    }
  }
  EXPECT_GT(leaves, 10);
}

TEST_F(Operations, ReadOnlyFileRefusesEveryUpdate) {
  ASSERT_EQ(add("k", 1, "v"), 0);
  ASSERT_EQ(kfClose(kf_), 0);
  std::vector<uint8_t> before = readFile(path_);
  ASSERT_EQ(kfOpen(kf_, path_.c_str(), kKfExclusive, kKfAccessRead, keys_), 0);
  EXPECT_EQ(add("j", 1, "v"), kKfReadOnly);
  EXPECT_EQ(kfAddDuplicate(kf_, 1, "k", 2, "v", 1), kKfReadOnly);
  EXPECT_EQ(kfReplace(kf_, 1, "k", 1, "w", 1), kKfReadOnly);
  EXPECT_EQ(kfStore(kf_, 1, "k", 1, "w", 1), kKfReadOnly);
  EXPECT_EQ(kfDelete(kf_, 1, "k", 1), kKfReadOnly);
  EXPECT_EQ(kfNewRecordNumber(kf_), kKfReadOnly);
  EXPECT_EQ(kfSetRecordNumber(kf_, 7), kKfReadOnly);
  EXPECT_EQ(kfSetUserValue(kf_, 7), kKfReadOnly);
  EXPECT_EQ(kfSetUserData(kf_, "x", 1), kKfReadOnly);
  char buf[4];
  EXPECT_EQ(kfFind(kf_, 1, "k", 1, buf, 4), 0);
  ASSERT_EQ(kfClose(kf_), 0);
  EXPECT_EQ(readFile(path_), before);
}

// A reader first reads pages with pread and maps its file after a few; with a tiny cache
// the pages of one walk come both ways, and every record must read the same.
TEST_F(Operations, ReaderGetsTheSameRecordsBeforeAndAfterMapping) {
  auto data = [](int i) { return "record " + std::to_string(i) + std::string(i % 300, '*'); };
  char key[16];
  for (int i = 0; i < 3000; ++i) {
    std::snprintf(key, sizeof key, "k%05d", i);
    ASSERT_EQ(add(key, i + 1, data(i)), 0);
  }
  ASSERT_EQ(kfClose(kf_), 0);
  int oldCache = kfSetCacheSize(4);
  ASSERT_EQ(kfOpen(kf_, path_.c_str(), kKfExclusive, kKfAccessRead, keys_), 0);
  std::vector<char> buf(1000);
  for (int i = 2999; i >= 0; i -= 7) {
    std::snprintf(key, sizeof key, "k%05d", i);
    ASSERT_EQ(kfFind(kf_, 1, key, i + 1, buf.data(), 1000), 0) << key;
    ASSERT_EQ(std::string(buf.data(), static_cast<size_t>(kf_.bytesRead())), data(i)) << key;
  }
  int seen = 0;
  for (int rc = kfFirst(kf_, 1, buf.data(), 1000); rc == 0; rc = kfNext(kf_, 1, buf.data(), 1000)) {
    std::snprintf(key, sizeof key, "k%05d", seen);
    ASSERT_EQ(current(), key);
    ASSERT_EQ(std::string(buf.data(), static_cast<size_t>(kf_.bytesRead())), data(seen));
    ++seen;
  }
  EXPECT_EQ(seen, 3000);
  EXPECT_EQ(kfClose(kf_), 0);
  kfSetCacheSize(oldCache);
}

TEST_F(Operations, HeaderValues) {
  EXPECT_EQ(kfNewRecordNumber(kf_), 0);
  EXPECT_EQ(kf_.recordNumber(), 1);
  EXPECT_EQ(kfNewRecordNumber(kf_), 0);
  EXPECT_EQ(kf_.recordNumber(), 2);
  ASSERT_EQ(kfSetRecordNumber(kf_, 100), 0);
  ASSERT_EQ(kfSetUserValue(kf_, -77), 0);
  EXPECT_EQ(kfSetUserData(kf_, "x", 101), kKfBadArgument);
  ASSERT_EQ(kfSetUserData(kf_, "hello", 5), 0);
  ASSERT_EQ(kfClose(kf_), 0);
  std::vector<uint8_t> f = readFile(path_);
  EXPECT_EQ(le32(f, 44), 100);
  EXPECT_EQ(le32(f, 68), -77);
  EXPECT_EQ(le32(f, 72), 5);
  EXPECT_EQ(std::string(f.begin() + 92, f.begin() + 97), "hello");
  EXPECT_EQ(f[97], 0);
  ASSERT_EQ(kfOpen(kf_, path_.c_str(), kKfExclusive, kKfAccessRead, keys_), 0);
  int32_t value = 0;
  EXPECT_EQ(kfGetUserValue(kf_, &value), 0);
  EXPECT_EQ(value, -77);
  char small[3];
  EXPECT_EQ(kfGetUserData(kf_, small, 3), kKfUserDataTooLong);
  EXPECT_EQ(std::string(small, 3), "hel");
  char whole[100];
  EXPECT_EQ(kfGetUserData(kf_, whole, 100), 0);
  EXPECT_EQ(kf_.bytesRead(), 5);
}

// The same operations give the same file in every write mode and with any cache size.
TEST(WriteModes, FileBytesDoNotDependOnModeOrCache) {
  TempDir dir;
  std::vector<std::vector<uint8_t>> images;
  int oldCache = kfCacheSize();
  for (int variant = 0; variant < 6; ++variant) {
    int mode = variant < 5 ? variant : 0;
    kfSetCacheSize(variant == 5 ? 4 : oldCache);
    std::string path = dir.file("mode" + std::to_string(variant) + ".idx");
    KeyFile kf;
    ASSERT_EQ(kfCreate(kf, path.c_str(), kKfExclusive, 1, nullptr), 0);
    ASSERT_EQ(kfSetWriteMode(kf, mode), 0);
    std::mt19937 rng(5);
    for (int i = 0; i < 300; ++i) {
      std::string key = "w" + std::to_string(rng() % 1000);
      std::string data(rng() % 300, static_cast<char>('a' + i % 26));
      ASSERT_EQ(kfStore(kf, 1, key.c_str(), 1, data.data(), static_cast<int32_t>(data.size())), 0);
      if (i % 7 == 0) kfDelete(kf, 1, key.c_str(), 1);
    }
    ASSERT_EQ(kfCheck(kf), 0);
    ASSERT_EQ(kfClose(kf), 0);
    std::vector<uint8_t> f = readFile(path);
    EXPECT_EQ(f[1010], 0);
    EXPECT_EQ(f[1011], 0);
    images.push_back(f);
  }
  kfSetCacheSize(oldCache);
  for (size_t i = 1; i < images.size(); ++i) EXPECT_EQ(images[i], images[0]) << "variant " << i;
  EXPECT_EQ(kfSetWriteMode(*std::make_unique<KeyFile>(), 0), kKfNotOpen);
}

}  // namespace

namespace {

// Composite key: a text segment ascending, then a 32-bit integer descending.
std::vector<uint8_t> compositeKey(const std::string& text, int32_t number) {
  std::vector<uint8_t> key(1, 0);
  key.insert(key.end(), text.begin(), text.end());
  key.push_back(0);
  uint8_t raw[4];
  std::memcpy(raw, &number, 4);
  key.insert(key.end(), raw, raw + 4);
  key[0] = static_cast<uint8_t>(key.size() - 1);
  return key;
}

TEST(CompositeKeys, SegmentsOrderInTurnAndDescendingInverts) {
  TempDir dir;
  std::string path = dir.file("composite.idx");
  KfSegment segments[3];
  segments[0].type = 0;
  segments[1].type = 3;
  segments[1].descending = 1;
  segments[2].type = kKfSegmentEnd;
  KfKeyDescriptor keys[] = {{3, 8, segments}, {}};
  for (int order : {kKfLittleEndian, kKfBigEndian}) {
    std::string file = path + std::to_string(order);
    KeyFile kf;
    ASSERT_EQ(kfCreate(kf, file.c_str(), kKfExclusive, order, keys), 0);
    const std::pair<const char*, int32_t> items[] = {
        {"b", 1}, {"a", -3}, {"b", 300}, {"a", 7}, {"ab", 0}};
    for (const auto& [text, number] : items) {
      std::vector<uint8_t> k = compositeKey(text, number);
      ASSERT_EQ(kfAdd(kf, 3, k.data(), 1, nullptr, 0), 0);
    }
    std::vector<uint8_t> dup = compositeKey("b", 300);
    EXPECT_EQ(kfAdd(kf, 3, dup.data(), 2, nullptr, 0), -1);
    ASSERT_EQ(kfClose(kf), 0);
    ASSERT_EQ(kfOpen(kf, file.c_str(), kKfExclusive, kKfAccessRead, keys), 0);
    std::string seen;
    for (int rc = kfFirst(kf, 3, nullptr, 0); rc == 0; rc = kfNext(kf, 3, nullptr, 0)) {
      const uint8_t* k = kf.key();
      std::string text(reinterpret_cast<const char*>(k + 1));
      int32_t number;
      std::memcpy(&number, k + 1 + text.size() + 1, 4);
      seen += text + std::to_string(number) + ";";
    }
    EXPECT_EQ(seen, "a7;a-3;ab0;b300;b1;") << "byte order " << order;
    // A composite descriptor without its segment list is refused.
    KfKeyDescriptor bare[] = {{3, 8, nullptr}, {}};
    EXPECT_EQ(kfOpen(kf, file.c_str(), kKfExclusive, kKfAccessRead, bare), kKfBadSegments);
  }
}

}  // namespace
