// Where entries land: the fill of ascending inserts, the half split, the separators and the
// node numbers and header fields that follow, checked on the raw file.
#include <random>

#include "tests/btree/btree_test_support.h"

using namespace btreetest;

namespace {

// Key "k" + 5 digits (size 7) with 20 data bytes: entries of 6 + 7 + 20 = 33, 34 bytes each.
std::string keyOf(int i) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "k%05d", i);
  return buf;
}
const std::string kData(20, 'd');

void addKey(KeyFile& kf, int i) {
  ASSERT_EQ(kfAdd(kf, 1, keyOf(i).c_str(), i, kData.data(), 20), 0) << i;
}

TEST(SplitLayout, AscendingInsertsFillEachLeafBeforeStartingTheNext) {
  TempDir dir;
  std::string path = dir.file("asc.idx");
  KeyFile kf;
  ASSERT_EQ(kfCreate(kf, path.c_str(), kKfExclusive, 1, nullptr), 0);
  kfSetWriteMode(kf, 0);
  for (int i = 1; i <= 60; ++i) addKey(kf, 2 * i);
  ASSERT_EQ(kfClose(kf), 0);
  std::vector<uint8_t> f = readFile(path);
  // 29 entries (986 bytes) fill a leaf: the 30th would pass 1006.
  // Splits at the 30th insert (leaf 1, root 2) and the 59th (pre-extension to 6, leaf 3).
  EXPECT_EQ(f.size(), 7u * 1024);
  EXPECT_EQ(le32(f, 12), 2);  // main root
  EXPECT_EQ(le32(f, 28), 2);  // height
  EXPECT_EQ(le32(f, 36), 4);  // next fresh
  EXPECT_EQ(le32(f, 52), 6);  // slots
  RawNode leaf0 = rawNode(f, 0), leaf1 = rawNode(f, 1), leaf3 = rawNode(f, 3), root = rawNode(f, 2);
  EXPECT_EQ(leaf0.count, 29);
  EXPECT_EQ(leaf0.freeBytes, 20);
  EXPECT_EQ(leaf1.count, 29);
  EXPECT_EQ(leaf3.count, 2);
  EXPECT_EQ(leaf3.freeBytes, 1006 - 68);
  EXPECT_EQ(entryText(leaf0.entries.back()), keyOf(58));
  EXPECT_EQ(entryText(leaf1.entries.front()), keyOf(60));
  EXPECT_EQ(entryText(leaf3.entries.front()), keyOf(118));
  // Chain 0 -> 1 -> 3.
  EXPECT_EQ(leaf0.next, 1);
  EXPECT_EQ(leaf0.previous, -1);
  EXPECT_EQ(leaf1.next, 3);
  EXPECT_EQ(leaf1.previous, 0);
  EXPECT_EQ(leaf3.next, -1);
  EXPECT_EQ(leaf3.previous, 1);
  // The root: first child 0, separators = last kept entries (58 -> 1, 116 -> 3).
  EXPECT_EQ(root.level, 1);
  EXPECT_EQ(root.firstChild, 0);
  ASSERT_EQ(root.count, 2);
  const uint8_t sep58[] = {17, 1, 0x80, 58, 0, 0, 0, 'k', '0', '0', '0', '5', '8', 0, 1, 0, 0, 0};
  EXPECT_EQ(root.entries[0], std::vector<uint8_t>(std::begin(sep58), std::end(sep58)));
  EXPECT_EQ(entryText(root.entries[1]), keyOf(116));
  EXPECT_EQ(le32(root.entries[1], 14), 3);
  EXPECT_EQ(root.freeBytes, 1006 - 36);
  // A full leaf entry, byte by byte.
  std::vector<uint8_t> first = {33, 1, 0x80, 2, 0, 0, 0, 'k', '0', '0', '0', '0', '2', 0};
  first.insert(first.end(), 20, 'd');
  EXPECT_EQ(leaf0.entries[0], first);
}

TEST(SplitLayout, InsertIntoAFullInnerLeafSplitsAtHalf) {
  TempDir dir;
  std::string path = dir.file("half.idx");
  KeyFile kf;
  ASSERT_EQ(kfCreate(kf, path.c_str(), kKfExclusive, 1, nullptr), 0);
  kfSetWriteMode(kf, 0);
  for (int i = 1; i <= 59; ++i) addKey(kf, 2 * i);
  addKey(kf, 3);  // into full leaf 0, which has a right neighbour
  ASSERT_EQ(kfCheck(kf), 0);
  ASSERT_EQ(kfClose(kf), 0);
  std::vector<uint8_t> f = readFile(path);
  // Pre-extension: height 2 needs 3 spare slots beyond next fresh 4: slots 6 -> 7.
  EXPECT_EQ(le32(f, 52), 7);
  EXPECT_EQ(le32(f, 36), 5);
  RawNode leaf0 = rawNode(f, 0), fresh = rawNode(f, 4), root = rawNode(f, 2);
  // 14 entries end within 503 bytes (476); the other 16 move to node 4.
  EXPECT_EQ(leaf0.count, 14);
  EXPECT_EQ(leaf0.freeBytes, 1006 - 14 * 34);
  EXPECT_EQ(fresh.count, 16);
  EXPECT_EQ(entryText(leaf0.entries.back()), keyOf(26));
  EXPECT_EQ(entryText(fresh.entries.front()), keyOf(28));
  EXPECT_EQ(leaf0.next, 4);
  EXPECT_EQ(fresh.previous, 0);
  EXPECT_EQ(fresh.next, 1);
  EXPECT_EQ(rawNode(f, 1).previous, 4);
  // The separator goes in front: the old node was the root's first child.
  ASSERT_EQ(root.count, 3);
  EXPECT_EQ(entryText(root.entries[0]), keyOf(26));
  EXPECT_EQ(le32(root.entries[0], 14), 4);
  EXPECT_EQ(entryText(root.entries[1]), keyOf(58));
}

TEST(SplitLayout, RandomInsertsLeaveLeavesAboutHalfToFullAndDeepTreesCheck) {
  TempDir dir;
  std::string path = dir.file("rand.idx");
  KeyFile kf;
  ASSERT_EQ(kfCreate(kf, path.c_str(), kKfExclusive, 1, nullptr), 0);
  kfSetWriteMode(kf, 0);
  std::vector<int> order(6000);
  for (int i = 0; i < 6000; ++i) order[static_cast<size_t>(i)] = i;
  std::shuffle(order.begin(), order.end(), std::mt19937(11));
  for (int i : order) addKey(kf, i);
  ASSERT_EQ(kfCheck(kf), 0);
  ASSERT_EQ(kfClose(kf), 0);
  std::vector<uint8_t> f = readFile(path);
  EXPECT_EQ(le32(f, 28), 3);
  double used = 0;
  int leaves = 0, count = 0;
  for (int32_t n = 0; n < le32(f, 36); ++n) {
    RawNode node = rawNode(f, n);
    if (node.level != 0) continue;
    ++leaves;
    count += node.count;
    used += 1006 - node.freeBytes;
    // Every leaf but the rightmost holds at least the 14 entries kept by a half split.
    if (node.next != -1) {
      EXPECT_GE(1006 - node.freeBytes, 476) << "node " << n;
    }
  }
  EXPECT_EQ(count, 6000);
  double fill = used / (1006.0 * leaves);
  EXPECT_GT(fill, 0.6);
  EXPECT_LT(fill, 0.8);
}

}  // namespace
