// The value pool itself, built without the sanitizer switch so its size classes run.
#include <gtest/gtest.h>

#include <vector>

#include "values/pool.h"

namespace {

TEST(Pool, BlocksComeBackZeroFilledAndAreReused) {
  auto* block = static_cast<unsigned char*>(tqvPoolAlloc(24));
  ASSERT_NE(block, nullptr);
  for (int i = 0; i < 24; ++i) ASSERT_EQ(block[i], 0) << i;
  for (int i = 0; i < 24; ++i) block[i] = 0xAB;
  tqvPoolFree(block, 24);
  auto* again = static_cast<unsigned char*>(tqvPoolAlloc(30));
  ASSERT_NE(again, nullptr);
  for (int i = 0; i < 30; ++i) ASSERT_EQ(again[i], 0) << i;
  EXPECT_EQ(again, block);  // the 32-byte class hands out the block just given back
  tqvPoolFree(again, 30);
}

TEST(Pool, SizeClassesRefillInWholeChunks) {
  size_t before = tqvGetPoolStats().chunks;
  // 16 blocks of 4096 bytes fill one 64 KiB chunk exactly; the 17th needs a new chunk.
  std::vector<void*> blocks;
  for (int i = 0; i < 17; ++i) blocks.push_back(tqvPoolAlloc(4000));
  size_t after = tqvGetPoolStats().chunks;
  EXPECT_EQ(after - before, 2u);
  for (void* b : blocks) tqvPoolFree(b, 4000);
  EXPECT_EQ(tqvGetPoolStats().chunkTableSize % 256, 0u);
}

TEST(Pool, LargeRequestsGoToTheSystemAndAreZeroed) {
  auto* block = static_cast<unsigned char*>(tqvPoolAlloc(100000));
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(block[0], 0);
  EXPECT_EQ(block[99999], 0);
  tqvPoolFree(block, 100000);
}

TEST(Pool, ClassesAreSeparate) {
  EXPECT_FALSE(tqvGetPoolStats().usesSystem);
  void* small = tqvPoolAlloc(8);
  tqvPoolFree(small, 8);
  void* medium = tqvPoolAlloc(200);
  EXPECT_NE(medium, small);  // a 16-byte block never serves a 256-byte request
  void* again = tqvPoolAlloc(16);
  EXPECT_EQ(again, small);
  tqvPoolFree(medium, 200);
  tqvPoolFree(again, 16);
}

}  // namespace
