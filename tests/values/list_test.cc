// List operations of both kinds, growth, and tokenizing.
#include <gtest/gtest.h>

#include "tests/values/error_capture.h"
#include "values/values.h"

namespace {

tqvHandle ints(std::initializer_list<int> values, bool intList = false) {
  tqvHandle list = intList ? tqvMakeIntList() : tqvMakeList();
  for (int v : values) tqvAsList(list)->appendInt(v);
  return list;
}

std::string plain(const tqvHandle& h) {
  return tqvToStdString(h, false);
}

TEST(List, CreationDefaultsAndGrowth) {
  tqvHandle list = tqvMakeList(0, 100);
  EXPECT_EQ(tqvCapacity(list), 4);
  for (int i = 0; i < 5; ++i) tqvAsList(list)->appendInt(i);
  EXPECT_EQ(tqvCapacity(list), 8);  // doubled when the fifth item arrived
  tqvHandle slow = tqvListObject::make(10, 50, TQV_INTLIST_KIND);
  EXPECT_EQ(tqvAsList(slow)->kind(), TQV_INTLIST_KIND);
  for (int i = 0; i < 11; ++i) tqvAsList(slow)->appendInt(i);
  EXPECT_EQ(tqvCapacity(slow), 15);
  tqvHandle noGrowth = tqvListObject::make(1, 0, 5);
  for (int i = 0; i < 3; ++i) tqvAsList(noGrowth)->appendInt(i);
  EXPECT_EQ(tqvCount(noGrowth), 3);  // a zero percentage still makes room
  EXPECT_EQ(tqvAsList(tqvListObject::make(4, 100, 7))->kind(), TQV_GENERAL_LIST_KIND);
}

TEST(List, GrowingKeepsItemsOfBothKinds) {
  for (bool intList : {false, true}) {
    tqvHandle list = intList ? tqvMakeIntList(1) : tqvMakeList(1);
    for (int i = 0; i < 1000; ++i) tqvAsList(list)->appendInt(i * 3);
    ASSERT_EQ(tqvCount(list), 1000);
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(tqvIntValue(tqvGet(list, i)), i * 3);
  }
}

TEST(List, AppendUniqueRemoveAndLastItem) {
  tqvHandle list = ints({1, 2, 1, 3, 1});
  tqvListObject* l = tqvAsList(list);
  l->appendUnique(tqvMakeInt(2));
  l->appendUnique(tqvMakeFloat(4.0f));
  l->appendUnique(tqvMakeInt(4));  // equal to the float 4.0
  EXPECT_EQ(plain(list), "(list 1 2 1 3 1 4)");
  EXPECT_EQ(l->removeEqual(tqvMakeInt(1)), 3);
  EXPECT_EQ(plain(list), "(list 2 3 4)");
  EXPECT_EQ(plain(l->removeLast()), "4");
  EXPECT_EQ(tqvCount(list), 2);
  tqvHandle empty = tqvMakeList();
  EXPECT_TRUE(tqvAsList(empty)->removeLast().isNil());
  tqvHandle il = ints({5, 6, 5}, true);
  EXPECT_EQ(tqvAsList(il)->removeEqual(tqvMakeInt(5)), 2);
  EXPECT_EQ(plain(il), "(intlist 6 )");
}

TEST(List, SublistsCountFromTheEndWhenNegative) {
  tqvHandle list = ints({1, 2, 3});
  EXPECT_EQ(plain(tqvLeft(list, -1)), "(list 1 2)");
  EXPECT_EQ(plain(tqvLeft(list, -10)), "(list)");
  EXPECT_EQ(plain(tqvLeft(list, 10)), "(list 1 2 3)");
  EXPECT_EQ(plain(tqvRight(list, 3)), "(list 1 2 3)");
  EXPECT_EQ(plain(tqvRight(list, 4)), "(list)");
  EXPECT_EQ(plain(tqvRight(list, -1)), "(list 2 3)");
  EXPECT_EQ(plain(tqvMid(list, 1, 10)), "(list 2 3)");
  EXPECT_EQ(plain(tqvMid(list, 3, 1)), "(list)");
  EXPECT_EQ(plain(tqvMid(list, -1, 1)), "(list 1)");
  EXPECT_EQ(plain(tqvMid(ints({7, 8, 9}, true), 1, 1)), "(intlist 8 )");
  EXPECT_EQ(plain(tqvLeft(tqvMakeString("abc"), -1)), "ab");
  EXPECT_EQ(plain(tqvRight(tqvMakeString("abc"), -5)), "");
  EXPECT_EQ(tqvCapacity(tqvRight(list, 4)), 4);
}

TEST(List, ItemAccessAndReplaceReportOutOfRange) {
  ErrorCapture errors;
  tqvHandle list = ints({10, 20});
  tqvListObject* l = tqvAsList(list);
  EXPECT_EQ(l->intItem(1), 20);
  EXPECT_TRUE(l->item(2).isNil());
  EXPECT_EQ(errors.take(), "List index out of range: 2");
  l->replace(-1, tqvMakeInt(0));
  EXPECT_EQ(errors.take(), "List index out of range: -1");
  tqvPut(list, 0, tqvMakeString("x"));
  EXPECT_EQ(plain(list), "(list x 20)");
  tqvHandle il = ints({1}, true);
  tqvPut(il, 0, tqvMakeString("42"));
  EXPECT_EQ(tqvIntValue(tqvGet(il, 0)), 42);
}

TEST(List, IndexSearchesBothWays) {
  tqvHandle list = ints({4, 5, 4, 6});
  tqvListObject* l = tqvAsList(list);
  EXPECT_EQ(l->indexOf(tqvMakeInt(4), 0), 0);
  EXPECT_EQ(l->indexOf(tqvMakeInt(4), 1), 2);
  EXPECT_EQ(l->indexOf(tqvMakeInt(9), 0), -1);
  EXPECT_EQ(l->lastIndexOf(tqvMakeInt(4), 0), 2);
  EXPECT_EQ(l->lastIndexOf(tqvMakeInt(4), 1), 0);
  EXPECT_EQ(l->lastIndexOf(tqvMakeInt(6), 0), 3);
  EXPECT_EQ(tqvIndexOf(list, tqvMakeFloat(5.0f)), 1);
}

TEST(List, DeepCopyMakesNewInnerLists) {
  tqvHandle inner = ints({1});
  tqvHandle outer = tqvMakeList(6, 100);
  tqvAddItem(outer, inner);
  tqvAddItem(outer, tqvMakeString("s"));
  tqvHandle copy = tqvCopy(outer);
  EXPECT_EQ(tqvCapacity(copy), 6);
  tqvAddItem(tqvGet(copy, 0), tqvMakeInt(2));
  EXPECT_EQ(tqvCount(inner), 1);
  EXPECT_EQ(tqvCount(tqvGet(copy, 0)), 2);
  EXPECT_NE(tqvGet(copy, 1).object(), tqvGet(outer, 1).object());
  EXPECT_EQ(plain(tqvCopy(ints({3, 4}, true))), "(intlist 3 4 )");
}

TEST(List, AddItemRepeats) {
  tqvHandle list = tqvMakeList();
  tqvAddItem(list, tqvMakeString("a"), 3);
  EXPECT_EQ(plain(list), "(list a a a)");
  tqvAddItem(list, tqvMakeString("b"), 0);
  EXPECT_EQ(tqvCount(list), 3);
}

TEST(List, DirectElementAccess) {
  ErrorCapture errors;
  tqvHandle list = ints({1, 2});
  list[1] = tqvMakeString("two");
  EXPECT_EQ(plain(list), "(list 1 two)");
  EXPECT_TRUE(list[2].isNil());
  EXPECT_EQ(errors.take(), "index out of range: 2");
  tqvHandle il = ints({1, 2}, true);
  EXPECT_TRUE(il[0].isNil());
  EXPECT_EQ(errors.take(), "Cannot directly reference elements in this list: (intlist 1 2 )");
  tqvHandle s = tqvMakeString("x");
  s[0] = tqvMakeInt(5);  // writes to the shared nil slot only
  EXPECT_EQ(errors.take(), "Bad type for argument 1 of operator[](sequence,TQVINT).");
  EXPECT_TRUE(s[0].isNil());
  errors.take();
  tqvHandle table = tqvTable(4);
  tqvPut(table, tqvMakeInt(1), tqvMakeString("one"));  // home slot 1
  EXPECT_EQ(plain(table[1]), "one");
  EXPECT_TRUE(table[3].isNil());
  EXPECT_TRUE(errors.none());
  table[4];
  EXPECT_EQ(errors.take(), "index out of range: 4");
}

TEST(Tokenize, SplitsAtEveryDelimiter) {
  tqvHandle comma = tqvMakeString(",");
  EXPECT_EQ(plain(tqvTokenize(tqvMakeString("a,,b"), comma)), "(list a  b)");
  EXPECT_EQ(tqvCount(tqvTokenize(tqvMakeString("a,,b"), comma)), 3);
  tqvHandle empty = tqvTokenize(tqvMakeString(""), comma);
  EXPECT_EQ(tqvCount(empty), 1);
  EXPECT_EQ(tqvStringLength(tqvGet(empty, 0)), 0);
  EXPECT_EQ(tqvCount(tqvTokenize(tqvMakeString("a,"), comma)), 2);
  EXPECT_EQ(tqvCount(tqvTokenize(tqvMakeString(",a"), comma)), 2);
  EXPECT_EQ(plain(tqvTokenize(tqvMakeString("x;y z"), tqvMakeString("; "))), "(list x y z)");
  // The text ends at a NUL.
  EXPECT_EQ(plain(tqvTokenize(tqvMakeString("p,q\0r", 5), comma)), "(list p q)");
  tqvHandle buffer = tqvBufferFromString(tqvMakeString("1|2"));
  EXPECT_EQ(plain(tqvTokenize(buffer, tqvMakeString("|"))), "(list 1 2)");
}

TEST(Tokenize, RefusesHugeDelimiterSetsAndOtherTypes) {
  ErrorCapture errors;
  std::string big(256, ',');
  EXPECT_TRUE(tqvTokenize(tqvMakeString("a"), tqvMakeString(big)).isNil());
  EXPECT_EQ(errors.take(), "tqvTokenize: Delimiter set too large: " + big);
  EXPECT_EQ(tqvCount(tqvTokenize(tqvMakeString("a,b"), tqvMakeString(std::string(255, ',')))), 2);
  EXPECT_TRUE(tqvTokenize(tqvMakeList(), tqvMakeString(",")).isNil());
  EXPECT_EQ(errors.take(), "Bad type for argument 1 of tqvTokenize(stringOrBuffer,string).");
}

}  // namespace
