// Hash tables: home slots, probing, deleted slots, growth and copying.
#include <gtest/gtest.h>

#include <vector>

#include "tests/values/error_capture.h"
#include "values/values.h"

namespace {

tqvHandle I(int v) {
  return tqvMakeInt(v);
}

// Keys in enumeration (slot) order.
std::vector<int> keysInOrder(const tqvHandle& table) {
  std::vector<int> keys;
  for (TQVINT i = tqvFirstIndex(table); i >= 0; i = tqvNextIndex(table, i)) {
    keys.push_back(tqvIntValue(tqvGetKey(table, i)));
  }
  return keys;
}

TEST(Table, IntKeysProbeForwardFromTheirHomeSlot) {
  tqvHandle t = tqvTable(4);
  tqvPut(t, I(5), I(50));  // home 1
  tqvPut(t, I(9), I(90));  // home 1, taken: slot 2
  tqvPut(t, I(2), I(20));  // home 2, taken: slot 3
  EXPECT_EQ(keysInOrder(t), (std::vector<int>{5, 9, 2}));
  EXPECT_EQ(tqvAsTable(t)->find(I(9)), 2);
  EXPECT_EQ(tqvAsTable(t)->find(I(2)), 3);
  EXPECT_EQ(tqvIntValue(tqvGet(t, I(2))), 20);
  EXPECT_EQ(tqvIntValue(tqvGet(t, 3)), 20);  // by slot
  tqvPut(t, I(-7), I(70));                   // |-7| = 7, home 3, wraps to slot 0
  EXPECT_EQ(keysInOrder(t), (std::vector<int>{-7, 5, 9, 2}));
  EXPECT_EQ(tqvCapacity(t), 4);  // exactly full, not grown
}

TEST(Table, DeletedSlotsAreReusedAndCountedExactly) {
  tqvHandle t = tqvTable(4);
  tqvPut(t, I(5), I(1));
  tqvPut(t, I(9), I(2));
  tqvPut(t, I(2), I(3));
  tqvRemoveKey(t, I(9));
  EXPECT_EQ(tqvCount(t), 2);
  EXPECT_TRUE(tqvGetKey(t, 2).isNil());        // the deleted slot
  EXPECT_EQ(tqvIntValue(tqvGet(t, I(2))), 3);  // found past the deleted slot
  tqvPut(t, I(13), I(4));  // home 1: passes the deleted slot 2, reaches empty slot 0
  EXPECT_EQ(tqvAsTable(t)->find(I(13)), 2);
  EXPECT_EQ(tqvCount(t), 3);
  EXPECT_EQ(keysInOrder(t), (std::vector<int>{5, 13, 2}));
  tqvPut(t, I(2), I(30));  // replacing keeps the count
  EXPECT_EQ(tqvCount(t), 3);
  tqvRemoveKey(t, I(99));  // absent: nothing happens
  EXPECT_EQ(tqvCount(t), 3);
}

TEST(Table, KeyPresentBeyondADeletedSlotIsReplacedNotDuplicated) {
  tqvHandle t = tqvTable(4);
  tqvPut(t, I(1), I(0));
  tqvPut(t, I(5), I(0));  // slot 2
  tqvRemoveKey(t, I(1));  // slot 1 deleted
  tqvPut(t, I(5), I(55));
  EXPECT_EQ(tqvCount(t), 1);
  EXPECT_EQ(keysInOrder(t), (std::vector<int>{5}));
  EXPECT_EQ(tqvIntValue(tqvGet(t, I(5))), 55);
}

TEST(Table, GrowsOnlyWhenFullReinsertingInOldSlotOrder) {
  tqvHandle t = tqvTable(1, 100);
  tqvPut(t, I(1), I(10));
  tqvPut(t, I(3), I(30));  // full: doubles to 2
  EXPECT_EQ(tqvCapacity(t), 2);
  EXPECT_EQ(keysInOrder(t), (std::vector<int>{3, 1}));  // 1 -> slot 1, 3 -> slot 1 then 0
  tqvPut(t, I(5), I(50));  // full again: 4 slots, old order 3, 1 then 5
  EXPECT_EQ(tqvCapacity(t), 4);
  EXPECT_EQ(keysInOrder(t), (std::vector<int>{1, 5, 3}));
  EXPECT_EQ(tqvCount(t), 3);
}

TEST(Table, GrowthDropsDeletedSlots) {
  tqvHandle t = tqvTable(2, 100);
  tqvPut(t, I(0), I(0));
  tqvPut(t, I(1), I(1));
  tqvRemoveKey(t, I(0));
  tqvPut(t, I(2), I(2));  // reuses the deleted slot 0
  EXPECT_EQ(tqvCapacity(t), 2);
  tqvPut(t, I(3), I(3));  // now full
  EXPECT_EQ(tqvCapacity(t), 4);
  EXPECT_EQ(keysInOrder(t), (std::vector<int>{1, 2, 3}));
}

TEST(Table, ZeroGrowthReportsHashTableFull) {
  ErrorCapture errors;
  tqvHandle t = tqvTable(1, 0);
  tqvPut(t, I(1), I(1));
  tqvPut(t, I(2), I(2));
  EXPECT_EQ(errors.take(), "Hash table full");
  EXPECT_EQ(tqvCount(t), 1);
  EXPECT_FALSE(tqvContainsKey(t, I(2)));
}

TEST(Table, StringKeysByContentListsByIdentity) {
  tqvHandle t = tqvTable(9);
  tqvPut(t, "Nome", tqvMakeString("Brasil"));
  EXPECT_EQ(tqvStringView(tqvGet(t, tqvMakeString("Nome"))), "Brasil");
  EXPECT_TRUE(tqvContainsKey(t, "Nome"));
  EXPECT_FALSE(tqvContainsKey(t, "nome"));
  tqvHandle listKey = tqvMakeList();
  tqvPut(t, listKey, I(1));
  EXPECT_TRUE(tqvContainsKey(t, listKey));
  EXPECT_FALSE(tqvContainsKey(t, tqvMakeList()));
  tqvPut(t, tqvMakeFloat(2.0f), tqvMakeString("two"));
  EXPECT_EQ(tqvStringView(tqvGet(t, tqvMakeFloat(2.0f))), "two");
}

TEST(Table, EnumerationAndSlotErrors) {
  ErrorCapture errors;
  tqvHandle t = tqvTable(4);
  EXPECT_EQ(tqvFirstIndex(t), -1);
  tqvGetKey(t, 4);
  EXPECT_EQ(errors.take(), "Table index out of range: 4");
  tqvGet(t, -1);
  EXPECT_EQ(errors.take(), "Table index out of range: -1");
  EXPECT_EQ(tqvNextIndex(t, 3), -1);
}

TEST(Table, CapacityBelowOneIsReportedAndMadeOne) {
  ErrorCapture errors;
  tqvHandle t = tqvTable(0);
  EXPECT_EQ(errors.take(), "tqvTable(TQVINT,TQVINT,TQVINT): Argument 1 must be greater than zero.");
  EXPECT_EQ(tqvCapacity(t), 1);
  tqvPut(t, I(8), I(8));
  tqvPut(t, I(9), I(9));
  EXPECT_EQ(tqvCount(t), 2);
}

TEST(Table, CopySharesKeysAndCopiesValues) {
  tqvHandle t = tqvTable(4);
  tqvHandle key = tqvMakeString("k");
  tqvHandle inner = tqvMakeList();
  tqvPut(t, key, inner);
  tqvHandle copy = tqvCopy(t);
  EXPECT_EQ(tqvCapacity(copy), 4);
  EXPECT_EQ(tqvGetKey(copy, tqvFirstIndex(copy)).object(), key.object());
  tqvAddItem(tqvGet(copy, "k"), I(1));
  EXPECT_EQ(tqvCount(inner), 0);
}

TEST(Table, ManyStringKeysSurviveGrowthAndDeletion) {
  tqvHandle t = tqvTable(4);
  for (int i = 0; i < 500; ++i) tqvPut(t, "k" + std::to_string(i), I(i));
  for (int i = 0; i < 500; i += 2) tqvRemoveKey(t, tqvMakeString("k" + std::to_string(i)));
  EXPECT_EQ(tqvCount(t), 250);
  int seen = 0;
  for (TQVINT i = tqvFirstIndex(t); i >= 0; i = tqvNextIndex(t, i)) ++seen;
  EXPECT_EQ(seen, 250);
  for (int i = 0; i < 500; ++i) {
    ASSERT_EQ(tqvContainsKey(t, "k" + std::to_string(i)), i % 2 == 1) << i;
  }
}

}  // namespace
