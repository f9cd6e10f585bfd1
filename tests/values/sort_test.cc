// Sorting and merging of lists.
#include <gtest/gtest.h>

#include <random>

#include "tests/values/error_capture.h"
#include "values/values.h"

namespace {

tqvHandle strings(std::initializer_list<const char*> items) {
  tqvHandle list = tqvMakeList();
  for (const char* s : items) tqvAddItem(list, tqvMakeString(tqvUtf8ToCp1252(s)));
  return list;
}

std::string plain(const tqvHandle& h) {
  return tqvCp1252ToUtf8(tqvToStdString(h, false));
}

tqvHandle row(const char* name, int value) {
  tqvHandle r = tqvMakeList();
  tqvAddItem(r, tqvMakeString(name));
  tqvAddItem(r, tqvMakeInt(value));
  return r;
}

TEST(Sort, StringsInDictionaryOrderCapitalsFirst) {
  tqvHandle list = strings({"brasil", "Brasil", "Ásia", "asia", "Áustria", "Zâmbia", "ar"});
  tqvHandle sorted = tqvSort(list, TQV_ASCENDING);
  EXPECT_EQ(plain(sorted), "(list ar asia Ásia Áustria Brasil brasil Zâmbia)");
  EXPECT_EQ(plain(list), "(list brasil Brasil Ásia asia Áustria Zâmbia ar)");  // untouched
  EXPECT_EQ(plain(tqvSort(list, TQV_DESCENDING)),
            "(list Zâmbia brasil Brasil Áustria Ásia asia ar)");
}

TEST(Sort, NumbersAndMixedItems) {
  tqvHandle list = tqvMakeList();
  for (int v : {5, -3, 12, 0}) tqvAddItem(list, tqvMakeInt(v));
  tqvAddItem(list, tqvMakeFloat(2.5f));
  EXPECT_EQ(plain(tqvSort(list, TQV_ASCENDING)), "(list -3 0 2.5 5 12)");
  tqvHandle il = tqvMakeIntList();
  for (int v : {3, 1, 2}) tqvAsList(il)->appendInt(v);
  tqvHandle sortedInts = tqvSort(il, TQV_DESCENDING);
  EXPECT_EQ(tqvAsList(sortedInts)->kind(), TQV_INTLIST_KIND);
  EXPECT_EQ(plain(sortedInts), "(intlist 3 2 1 )");
}

TEST(Sort, LargeRandomListsComeOutOrdered) {
  std::mt19937 random(7);
  tqvHandle list = tqvMakeList();
  for (int i = 0; i < 5000; ++i) tqvAddItem(list, tqvMakeInt(static_cast<int>(random() % 100)));
  tqvHandle sorted = tqvSort(list, TQV_ASCENDING);
  ASSERT_EQ(tqvCount(sorted), 5000);
  for (int i = 1; i < 5000; ++i) {
    ASSERT_LE(tqvIntValue(tqvGet(sorted, i - 1)), tqvIntValue(tqvGet(sorted, i))) << i;
  }
}

TEST(Sort, InconsistentComparisonsStayInBounds) {
  // Floats less than 1 apart collate as equal, which is not a strict order; the sort
  // must still finish with every item present.
  std::mt19937 random(11);
  tqvHandle list = tqvMakeList();
  double sum = 0;
  for (int i = 0; i < 3000; ++i) {
    float f = static_cast<float>(random() % 1000) / 300.0f;
    sum += f;
    tqvAddItem(list, tqvMakeFloat(f));
  }
  tqvHandle strs = tqvMakeString("s");
  tqvAddItem(list, strs);  // a string first item collates against floats by type
  tqvHandle sorted = tqvSort(list, TQV_ASCENDING);
  ASSERT_EQ(tqvCount(sorted), 3001);
  double after = 0;
  for (int i = 0; i < 3001; ++i) {
    tqvHandle item = tqvGet(sorted, i);
    if (item.is(TQV_FLOAT_TYPE)) after += item.floatValue();
  }
  EXPECT_NEAR(after, sum, 1e-3);
}

TEST(Sort, ByOneColumnAndBySeveral) {
  tqvHandle table = tqvMakeList();
  tqvAddItem(table, row("b", 2));
  tqvAddItem(table, row("a", 9));
  tqvAddItem(table, row("b", 1));
  tqvAddItem(table, row("a", 3));
  EXPECT_EQ(plain(tqvSortLists(table, 1, TQV_ASCENDING)),
            "(list (list b 1) (list b 2) (list a 3) (list a 9))");
  EXPECT_EQ(plain(tqvSortColumns(table, TQV_ASCENDING, 1)),
            "(list (list a 3) (list a 9) (list b 1) (list b 2))");
  EXPECT_EQ(plain(tqvSortColumns(table, TQV_DESCENDING, 1)),
            "(list (list b 2) (list b 1) (list a 9) (list a 3))");
}

TEST(Sort, ByColumnRefusesIntegerLists) {
  ErrorCapture errors;
  tqvHandle il = tqvMakeIntList();
  EXPECT_TRUE(tqvSortLists(il, 0, TQV_ASCENDING).isNil());
  EXPECT_EQ(errors.take(), "Bad type for argument 1 of tqvSortLists(lstOfLst,TQVINT,TQVORDER).");
  EXPECT_TRUE(tqvSortLists(tqvMakeString("x"), 0, TQV_ASCENDING).isNil());
  EXPECT_EQ(errors.take(), "Bad type for argument 1 of tqvSortLists(lstOfLst,TQVINT,TQVORDER).");
}

TEST(Merge, WalksBothListsTakingEqualItemsOnce) {
  tqvHandle a = strings({"a", "c", "e"});
  tqvHandle b = strings({"b", "c", "d", "f", "g"});
  EXPECT_EQ(plain(tqvMerge(a, b, TQV_ASCENDING)), "(list a b c d e f g)");
  tqvHandle x = strings({"e", "c"});
  tqvHandle y = strings({"d", "c", "a"});
  EXPECT_EQ(plain(tqvMerge(x, y, TQV_DESCENDING)), "(list e d c a)");
  EXPECT_EQ(plain(tqvMerge(tqvMakeList(), b, TQV_ASCENDING)), "(list b c d f g)");
}

}  // namespace
