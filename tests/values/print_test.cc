// The notation printer: nesting, indentation, strings, regions, fonts, integer lists.
#include <gtest/gtest.h>

#include "values/values.h"

namespace {

std::string notation(const tqvHandle& h) {
  return tqvToStdString(h, true);
}
std::string plain(const tqvHandle& h) {
  return tqvToStdString(h, false);
}

tqvHandle list(std::initializer_list<tqvHandle> items) {
  tqvHandle l = tqvMakeList();
  for (const tqvHandle& item : items) tqvAddItem(l, item);
  return l;
}

TEST(Print, ListsPutFurtherItemsOnIndentedLines) {
  EXPECT_EQ(notation(tqvMakeList()), "(list)");
  EXPECT_EQ(notation(list({tqvMakeInt(1)})), "(list 1)");
  EXPECT_EQ(notation(list({tqvMakeInt(1), tqvMakeString("a")})), "(list 1\n      \"a\")");
  EXPECT_EQ(plain(list({tqvMakeInt(1), tqvMakeString("a")})), "(list 1 a)");
  // The inner list starts in column 6, so its own further items go to column 12.
  tqvHandle nested = list({list({tqvMakeInt(1), tqvMakeInt(2)}), tqvMakeInt(3)});
  EXPECT_EQ(notation(nested),
            "(list (list 1\n"
            "            2)\n"
            "      3)");
}

TEST(Print, TablesLineUpValuesUnderTheirFirstItem) {
  EXPECT_EQ(notation(tqvTable(4)), "(table )");
  tqvHandle t = tqvTable(4);
  tqvPut(t, tqvMakeInt(1), tqvMakeString("um"));                   // slot 1
  tqvPut(t, tqvMakeInt(2), list({tqvMakeInt(7), tqvMakeInt(8)}));  // slot 2
  // Entries continue in column 7; the value of key 2 starts in column 10 ("(table (2 "),
  // and the inner list's second item lines up at 10 + 6.
  EXPECT_EQ(notation(t),
            "(table (1 \"um\")\n"
            "       (2 (list 7\n"
            "                8)))");
}

TEST(Print, TableInsideListAndListInsideTable) {
  tqvHandle inner = tqvTable(2);
  tqvPut(inner, tqvMakeInt(0), tqvMakeInt(5));
  tqvPut(inner, tqvMakeInt(1), tqvMakeInt(6));
  tqvHandle outer = list({tqvMakeString("x"), inner});
  EXPECT_EQ(notation(outer),
            "(list \"x\"\n"
            "      (table (0 5)\n"
            "             (1 6)))");
  EXPECT_TRUE(tqvIndentation().empty());  // restored after printing
}

TEST(Print, StringsEscapeControlAndHighBytes) {
  EXPECT_EQ(notation(tqvMakeString("a\nb\xe9")), "\"a\\nb\\xe9\"");
  EXPECT_EQ(notation(tqvMakeString("\t\r\\\"\x01\x7f")), "\"\\t\\r\\\\\\\"\\x01\\x7f\"");
  EXPECT_EQ(notation(tqvMakeString("")), "\"\"");
}

TEST(Print, IntegerListsInBothForms) {
  tqvHandle il = tqvMakeIntList();
  for (int i = 1; i <= 20; ++i) tqvAsList(il)->appendInt(i);
  EXPECT_EQ(plain(il), "(intlist 1 2 3 4 5 6 7 8 9 10 11 12  ...)");
  tqvHandle small = tqvMakeIntList();
  tqvAsList(small)->appendInt(1);
  tqvAsList(small)->appendInt(-2);
  EXPECT_EQ(notation(small), "(intlist 1\n      -2)");
  EXPECT_EQ(notation(tqvMakeIntList()), "(intlist )");
}

TEST(Print, RegionsAndFonts) {
  EXPECT_EQ(notation(tqvMakeRect(10, 20, 110, 70)), "(rect 10 20 100 50)");
  EXPECT_EQ(notation(tqvMakePoint(5, 6)), "(point 5 6)");
  tqvHandle triangle = tqvMakePolygon({{0, 0}, {10, 0}, {0, 10}}, 0, 0, 10, 10);
  EXPECT_EQ(notation(triangle), "(region (0 0) (10 0) (0 10))");
  EXPECT_EQ(tqvAsRegion(triangle)->pointCount(), 4);
  EXPECT_EQ(notation(tqvMakeFont(tqvMakeString("Arial"), 9, 2)), "(font \"Arial\" 9 2)");
  EXPECT_EQ(notation(tqvMakeFont(TQV_NIL, 0, 0)), "(font ANSI_VAR_FONT)");
}

TEST(Print, ATableThatHoldsItselfStopsPrinting) {
  tqvHandle t = tqvTable(4);
  tqvPut(t, tqvMakeInt(1), t);
  std::string text = notation(t);
  EXPECT_EQ(text.rfind("(table (1 (table (1 ", 0), 0u);
  EXPECT_NE(text.find("<...>"), std::string::npos);
  EXPECT_TRUE(tqvIndentation().empty());
  tqvRemoveKey(t, tqvMakeInt(1));  // let the table go
}

TEST(Print, TableBodyWithoutTheKeyword) {
  tqvHandle t = tqvTable(4);
  tqvPut(t, tqvMakeInt(3), TQV_TRUE);
  std::string body;
  tqvAsTable(t)->printBody(body, true);
  EXPECT_EQ(body, "(3 true))");
}

}  // namespace
