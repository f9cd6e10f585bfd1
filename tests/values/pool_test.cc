// The value pool itself, built without the sanitizer switch so its size classes run.
#include <gtest/gtest.h>

#include <algorithm>
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

TEST(Pool, BlocksNeverOverlapAcrossRefills) {
  // More blocks of each class than one chunk holds, each filled with its own byte.
  std::vector<std::pair<unsigned char*, size_t>> blocks;
  for (size_t size : {16, 32, 256, 4096}) {
    for (size_t i = 0; i <= 64 * 1024 / size; ++i) {
      auto* block = static_cast<unsigned char*>(tqvPoolAlloc(size));
      ASSERT_NE(block, nullptr);
      std::fill(block, block + size, static_cast<unsigned char>(blocks.size()));
      blocks.emplace_back(block, size);
    }
  }
  for (size_t i = 0; i < blocks.size(); ++i) {
    const auto& [block, size] = blocks[i];
    ASSERT_EQ(static_cast<size_t>(std::count(block, block + size, static_cast<unsigned char>(i))),
              size)
        << i;
  }
  for (const auto& [block, size] : blocks) tqvPoolFree(block, size);
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
