// Files of the other byte order: a big-endian file built by hand is read, searched and
// updated, and big-endian files are created.
#include "tests/btree/btree_test_support.h"

using namespace btreetest;

namespace {

void bigEntry(std::vector<uint8_t>& f, size_t& at, int32_t key, int32_t record, char data) {
  const uint8_t e[] = {11, 1, 0x80, 0, 0, 0, 0, 0, 0, 0, 0, static_cast<uint8_t>(data)};
  std::copy(std::begin(e), std::end(e), f.begin() + static_cast<long>(at));
  putBe32(f, at + 3, record);
  putBe32(f, at + 7, key);
  at += sizeof e;
}

void bigNodeHeader(std::vector<uint8_t>& f, int node, int32_t firstChild, int32_t next,
                   int32_t previous, int16_t level, int16_t count, int16_t freeBytes) {
  size_t base = 1024 * static_cast<size_t>(node + 1);
  putBe32(f, base, firstChild);
  putBe32(f, base + 4, next);
  putBe32(f, base + 8, previous);
  putBe16(f, base + 12, level);
  putBe16(f, base + 14, count);
  putBe16(f, base + 16, freeBytes);
}

// Two leaves (10, 20) and (30, 40) under a root whose one separator is (20, record 2).
std::vector<uint8_t> bigEndianFile() {
  std::vector<uint8_t> f(4 * 1024, 0);
  const int32_t words[][2] = {{0, 5},     {4, 0x56},  {12, 2},    {16, 0x41}, {20, 0x4C},
                              {24, 0x49}, {28, 2},    {32, 0x44}, {36, 3},    {40, 0x41},
                              {44, 5},    {48, 0x54}, {52, 3},    {56, 0x31}, {60, -1}};
  for (const auto& w : words) putBe32(f, static_cast<size_t>(w[0]), w[1]);
  f[8] = 0, f[9] = 0, f[10] = 0, f[11] = 1;  // byte-order word of a big-endian file
  f[193] = 3;                                // key number 1: 32-bit integers
  f[212] = 2;
  for (int i = 344; i < 352; ++i) f[i] = 0xFF;
  size_t at = 1024 + 18;
  bigEntry(f, at, 10, 1, 'a');
  bigEntry(f, at, 20, 2, 'b');
  bigNodeHeader(f, 0, 0, 1, -1, 0, 2, 982);
  at = 2048 + 18;
  bigEntry(f, at, 30, 3, 'c');
  bigEntry(f, at, 40, 4, 'd');
  bigNodeHeader(f, 1, 0, -1, 0, 0, 2, 982);
  const uint8_t separator[] = {14, 1, 0x80, 0, 0, 0, 2, 0, 0, 0, 20, 0, 0, 0, 1};
  std::copy(std::begin(separator), std::end(separator), f.begin() + 3072 + 18);
  bigNodeHeader(f, 2, 0, -1, -1, 1, 1, 991);
  return f;
}

const KfKeyDescriptor kIntKeys[] = {{1, 3, nullptr}, {}};

TEST(ByteOrder, BigEndianFileIsSearchedAndScanned) {
  TempDir dir;
  std::string path = dir.file("big.idx");
  writeFile(path, bigEndianFile());
  KeyFile kf;
  ASSERT_EQ(kfOpen(kf, path.c_str(), kKfExclusive, kKfAccessRead, kIntKeys), 0);
  ASSERT_EQ(kfCheck(kf), 0);
  char data[4] = {};
  int32_t key = 30;
  EXPECT_EQ(kfFind(kf, 1, &key, 3, data, sizeof data), 0);
  EXPECT_EQ(data[0], 'c');
  key = 25;
  EXPECT_EQ(kfFind(kf, 1, &key, 0, data, sizeof data), 2);
  int32_t current;
  std::memcpy(&current, kf.key(), 4);
  EXPECT_EQ(current, 30);
  EXPECT_EQ(kf.recordNumber(), 3);
  key = 20;
  EXPECT_EQ(kfFind(kf, 1, &key, 0, data, sizeof data), 1);
  EXPECT_EQ(data[0], 'b');
  key = 41;
  EXPECT_EQ(kfFind(kf, 1, &key, 0, data, sizeof data), -1);

  std::string forward;
  for (int rc = kfFirst(kf, 1, data, 4); rc == 0; rc = kfNext(kf, 1, data, 4)) forward += data[0];
  EXPECT_EQ(forward, "abcd");
  std::string backward;
  for (int rc = kfLast(kf, 1, data, 4); rc == 0; rc = kfPrevious(kf, 1, data, 4))
    backward += data[0];
  EXPECT_EQ(backward, "dcba");
}

TEST(ByteOrder, BigEndianFileIsUpdatedInItsOwnOrder) {
  TempDir dir;
  std::string path = dir.file("big.idx");
  writeFile(path, bigEndianFile());
  KeyFile kf;
  ASSERT_EQ(kfOpen(kf, path.c_str(), kKfExclusive, kKfAccessReadWrite, kIntKeys), 0);
  kfSetWriteMode(kf, 0);
  int32_t key = 25;
  ASSERT_EQ(kfAdd(kf, 1, &key, 7, "e", 1), 0);
  ASSERT_EQ(kfSetUserValue(kf, 0x01020304), 0);
  ASSERT_EQ(kfClose(kf), 0);
  std::vector<uint8_t> f = readFile(path);
  ASSERT_EQ(f.size(), 4096u);
  // update count 5, +1 for the open, +1 for the add, +1 for the user value
  EXPECT_EQ(std::vector<uint8_t>(f.begin(), f.begin() + 4), (std::vector<uint8_t>{0, 0, 0, 8}));
  EXPECT_EQ(std::vector<uint8_t>(f.begin() + 68, f.begin() + 72),
            (std::vector<uint8_t>{1, 2, 3, 4}));
  // Node 1 now starts with the new entry; count 3 and free bytes 970 (0x03CA), big-endian.
  const uint8_t expectedHead[] = {0,  0,   0,    0,    0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0,  0,
                                  0,  3,   0x03, 0xCA, 11,   1,    0x80, 0,    0, 0, 7, 0, 0,  0,
                                  25, 'e', 11,   1,    0x80, 0,    0,    0,    3, 0, 0, 0, 30, 'c'};
  EXPECT_EQ(std::vector<uint8_t>(f.begin() + 2048, f.begin() + 2048 + sizeof expectedHead),
            std::vector<uint8_t>(std::begin(expectedHead), std::end(expectedHead)));
}

TEST(ByteOrder, CreatedBigEndianFileKeepsSignedOrder) {
  TempDir dir;
  std::string path = dir.file("newbig.idx");
  KeyFile kf;
  ASSERT_EQ(kfCreate(kf, path.c_str(), kKfExclusive, kKfBigEndian, kIntKeys), 0);
  kfSetWriteMode(kf, 0);
  const int32_t keys[] = {300, -5, 70000, 0, -70000, 2};
  for (int32_t k : keys) ASSERT_EQ(kfAdd(kf, 1, &k, 1, nullptr, 0), 0);
  ASSERT_EQ(kfClose(kf), 0);
  std::vector<uint8_t> f = readFile(path);
  EXPECT_EQ(std::vector<uint8_t>(f.begin() + 4, f.begin() + 12),
            (std::vector<uint8_t>{0, 0, 0, 0x56, 0, 0, 0, 1}));
  EXPECT_EQ(f[1024 + 15], 6);  // entry count, low byte last
  ASSERT_EQ(kfOpen(kf, path.c_str(), kKfExclusive, kKfAccessRead, kIntKeys), 0);
  std::vector<int32_t> seen;
  for (int rc = kfFirst(kf, 1, nullptr, 0); rc == 0; rc = kfNext(kf, 1, nullptr, 0)) {
    int32_t k;
    std::memcpy(&k, kf.key(), 4);
    seen.push_back(k);
  }
  EXPECT_EQ(seen, (std::vector<int32_t>{-70000, -5, 0, 2, 300, 70000}));
}

}  // namespace
