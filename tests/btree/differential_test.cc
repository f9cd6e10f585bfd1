// Random operation sequences checked against an ordered map, with a fixed seed.
#include <random>

#include "fuzz/btree/ops_driver.h"
#include "tests/btree/btree_test_support.h"

namespace {

TEST(Differential, RandomOperationsAgreeWithAMap) {
  for (unsigned seed : {1u, 2u, 3u}) {
    std::mt19937 rng(seed);
    std::vector<uint8_t> bytes(4 * 2500);  // about 2500 operations per seed
    for (auto& b : bytes) b = static_cast<uint8_t>(rng());
    // Mostly short records: large ones only in one byte of 16.
    for (size_t i = 3; i < bytes.size(); i += 4) {
      if (bytes[i] >= 240 && (rng() & 3) != 0) bytes[i] = static_cast<uint8_t>(bytes[i] % 160);
    }
    EXPECT_EQ(kffuzz::runOperations(bytes.data(), bytes.size()), 0) << "seed " << seed;
  }
}

}  // namespace
