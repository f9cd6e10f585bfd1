// The bytes of a new keyed file, and the refusals of create and open.
#include "tests/btree/btree_test_support.h"

using namespace btreetest;

namespace {

// The header of a new little-endian file, written out field by field.
std::vector<uint8_t> expectedNewFile() {
  std::vector<uint8_t> f(4096, 0);
  const uint8_t header[] = {
      0x02, 0,    0,    0,     // update count: 1 at creation, raised by the open that ends it
      0x56, 0,    0,    0,     // 'V'
      0x01, 0,    0,    0,     // byte-order word
      0x00, 0,    0,    0,     // main root: node 0
      0x41, 0,    0,    0,     // 'A'
      0x4C, 0,    0,    0,     // 'L'
      0x49, 0,    0,    0,     // 'I'
      0x01, 0,    0,    0,     // main height
      0x44, 0,    0,    0,     // 'D'
      0x01, 0,    0,    0,     // next fresh node
      0x41, 0,    0,    0,     // 'A'
      0x01, 0,    0,    0,     // next record number
      0x54, 0,    0,    0,     // 'T'
      0x03, 0,    0,    0,     // node slots present
      0x31, 0,    0,    0,     // '1'
      0xFF, 0xFF, 0xFF, 0xFF,  // free-list head: none
  };
  std::copy(std::begin(header), std::end(header), f.begin());
  f[212] = 2;  // key type of key number 20
  for (int i = 344; i < 352; ++i) f[i] = 0xFF;
  // Node 0: an empty leaf.
  const uint8_t leaf[] = {0,    0,    0,    0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                          0xFF, 0xFF, 0xFF, 0, 0,    0,    0,    0xEE, 0x03};
  std::copy(std::begin(leaf), std::end(leaf), f.begin() + 1024);
  return f;
}

TEST(CreationImage, NewFileIsByteForByteTheEmptyImage) {
  TempDir dir;
  std::string path = dir.file("new.idx");
  KeyFile kf;
  ASSERT_EQ(kfCreate(kf, path.c_str(), kKfExclusive, kKfLittleEndian, nullptr), 0);
  EXPECT_TRUE(kf.isOpen());
  EXPECT_EQ(readFile(path), expectedNewFile()) << "image right after create";
  ASSERT_EQ(kfClose(kf), 0);
  EXPECT_EQ(readFile(path), expectedNewFile()) << "image after close";
  EXPECT_FALSE(kf.isOpen());
}

TEST(CreationImage, DescriptorTypesGoToTheKeyTypeBytes) {
  TempDir dir;
  std::string path = dir.file("typed.idx");
  KfKeyDescriptor keys[] = {{1, 3, nullptr}, {7, 1, nullptr}, {}};
  KeyFile kf;
  ASSERT_EQ(kfCreate(kf, path.c_str(), kKfExclusive, kKfLittleEndian, keys), 0);
  ASSERT_EQ(kfClose(kf), 0);
  std::vector<uint8_t> f = readFile(path);
  EXPECT_EQ(f[193], 3);
  EXPECT_EQ(f[199], 1);
  EXPECT_EQ(f[212], 2);
  // Without descriptors the typed file is refused; with other types too.
  EXPECT_EQ(kfOpen(kf, path.c_str(), kKfExclusive, kKfAccessRead, nullptr), kKfDescriptorMismatch);
  KfKeyDescriptor wrong[] = {{1, 4, nullptr}, {}};
  EXPECT_EQ(kfOpen(kf, path.c_str(), kKfExclusive, kKfAccessRead, wrong), kKfDescriptorMismatch);
  EXPECT_EQ(kfOpen(kf, path.c_str(), kKfExclusive, kKfAccessRead, keys), 0);
}

TEST(CreationImage, CreateRefusals) {
  TempDir dir;
  std::string path = dir.file("x.idx");
  KeyFile kf;
  EXPECT_EQ(kfCreate(kf, path.c_str(), kKfExclusive, 4, nullptr), kKfBadByteOrder);
  EXPECT_EQ(kfCreate(kf, path.c_str(), kKfExclusive, 0, nullptr), kKfBadByteOrder);
  KfKeyDescriptor high[] = {{16, 0, nullptr}, {}};
  EXPECT_EQ(kfCreate(kf, path.c_str(), kKfExclusive, 1, high), kKfDescriptorKeyNumber);
  KfKeyDescriptor composite[] = {{2, 8, nullptr}, {}};
  EXPECT_EQ(kfCreate(kf, path.c_str(), kKfExclusive, 1, composite), kKfBadSegments);
  KfSegment badSegments[2];
  badSegments[0].type = 21;
  KfKeyDescriptor badList[] = {{2, 8, badSegments}, {}};
  EXPECT_EQ(kfCreate(kf, path.c_str(), kKfExclusive, 1, badList), kKfBadSegments);
  EXPECT_FALSE(std::filesystem::exists(path));
  ASSERT_EQ(kfCreate(kf, path.c_str(), kKfExclusive, 1, nullptr), 0);
  kfClose(kf);
  EXPECT_EQ(kfCreate(kf, path.c_str(), kKfExclusive, 1, nullptr), kKfExists);
  EXPECT_EQ(kfCreate(kf, dir.file("no/such/dir.idx").c_str(), kKfExclusive, 1, nullptr),
            kKfNotFound);
}

TEST(CreationImage, OpenRefusals) {
  TempDir dir;
  std::string path = dir.file("h.idx");
  KeyFile kf;
  EXPECT_EQ(kfOpen(kf, path.c_str(), kKfExclusive, kKfAccessRead, nullptr), kKfNotFound);
  writeFile(path, expectedNewFile());
  for (int offset : {4, 16, 20, 24, 32, 40, 48, 56}) {
    std::vector<uint8_t> f = expectedNewFile();
    f[offset] ^= 0x01;
    writeFile(path, f);
    EXPECT_EQ(kfOpen(kf, path.c_str(), kKfExclusive, kKfAccessRead, nullptr), kKfNotKeyedFile)
        << "signature at " << offset;
    EXPECT_FALSE(kf.isOpen());
  }
  writeFile(path, std::vector<uint8_t>(100, 0));
  EXPECT_EQ(kfOpen(kf, path.c_str(), kKfExclusive, kKfAccessRead, nullptr), kKfShortRead);

  // A user data length of 101 reads as 0.
  std::vector<uint8_t> f = expectedNewFile();
  putLe32(f, 72, 101);
  f[92] = 'x';
  writeFile(path, f);
  ASSERT_EQ(kfOpen(kf, path.c_str(), kKfExclusive, kKfAccessRead, nullptr), 0);
  char buf[8] = {};
  EXPECT_EQ(kfGetUserData(kf, buf, sizeof buf), 0);
  EXPECT_EQ(kf.bytesRead(), 0);
  kfClose(kf);

  // The marker of an interrupted protected update refuses the open.
  f = expectedNewFile();
  putLe16(f, 1010, 0x33BD);
  writeFile(path, f);
  EXPECT_EQ(kfOpen(kf, path.c_str(), kKfExclusive, kKfAccessReadWrite, nullptr),
            kKfInterruptedUpdate);
  EXPECT_EQ(kfOpen(kf, path.c_str(), kKfExclusive, kKfAccessRead, nullptr), kKfInterruptedUpdate);
  EXPECT_FALSE(kf.isOpen());
  EXPECT_EQ(kfFind(kf, 1, "a", 0, nullptr, 0), kKfNotOpen);
  EXPECT_EQ(kfClose(kf), kKfNotOpen);
}

TEST(CreationImage, ExclusiveWriterKeepsOthersOut) {
  TempDir dir;
  std::string path = dir.file("lock.idx");
  KeyFile writer, other;
  ASSERT_EQ(kfCreate(writer, path.c_str(), kKfExclusive, 1, nullptr), 0);
  EXPECT_EQ(kfOpen(other, path.c_str(), kKfExclusive, kKfAccessReadWrite, nullptr), kKfNotFound);
  EXPECT_EQ(kfOpen(other, path.c_str(), kKfExclusive, kKfAccessRead, nullptr), kKfNotFound);
  kfClose(writer);
  EXPECT_EQ(kfOpen(other, path.c_str(), kKfExclusive, kKfAccessRead, nullptr), 0);
}

}  // namespace
