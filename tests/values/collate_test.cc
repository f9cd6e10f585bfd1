// Orderings and hashing: dictionary collation, byte order, the string hash.
#include <gtest/gtest.h>

#include "values/values.h"

namespace {

tqvHandle cpStr(const char* utf8) {
  return tqvMakeString(tqvUtf8ToCp1252(utf8));
}
int sign(TQVINT v) {
  return v < 0 ? -1 : v > 0 ? 1 : 0;
}

TEST(Collate, AccentedLettersFollowThePlainLetterAndCapitalsComeFirst) {
  EXPECT_GT(tqvCollate(cpStr("Ágata"), cpStr("agata")), 0);
  // Weights: A 10, a 11, À 12, à 13, Á 14 ... so Á - a = 3.
  EXPECT_EQ(tqvCollate(cpStr("Á"), cpStr("a")), 3);
  EXPECT_LT(tqvCollate(cpStr("Zebra"), cpStr("zebra")), 0);
  EXPECT_GT(tqvCollate(cpStr("aça"), cpStr("aca")), 0);  // ç after c
  EXPECT_LT(tqvCollate(cpStr("aça"), cpStr("ada")), 0);  // and before d
  EXPECT_LT(tqvCollate(cpStr("ñ"), cpStr("o")), 0);
  EXPECT_LT(tqvCollate(cpStr("9"), cpStr("A")), 0);
  EXPECT_LT(tqvCollate(cpStr("ß"), cpStr("t")), 0);
  EXPECT_LT(tqvCollate(cpStr("ÿ"), cpStr("Ý")), 0);
  EXPECT_EQ(tqvCollate(cpStr("y"), cpStr("ÿ")), -2);  // the unused weight 119 lies between
}

TEST(Collate, IgnoredBytesAndPrefixes) {
  EXPECT_EQ(tqvCollate(cpStr("a b"), cpStr("ab")), 0);
  EXPECT_EQ(tqvCollate(cpStr("Guiné-Bissau"), cpStr("GuinéBissau")), 0);
  EXPECT_EQ(tqvCollate(cpStr("  ,.;"), cpStr("")), 0);
  EXPECT_GT(tqvCollate(cpStr("ab"), cpStr("abc")), 0);         // a proper prefix sorts after
  EXPECT_EQ(tqvCollate(cpStr("ab"), cpStr("abc")), 179 - 29);  // end against c
  EXPECT_LT(tqvCollate(cpStr("abc"), cpStr("ab")), 0);
  EXPECT_EQ(tqvCollate(cpStr("Ÿ"), cpStr("")), 0);  // Ÿ is ignored
  // The control byte 0x10 weighs 125 and takes part.
  EXPECT_GT(tqvCollate(tqvMakeString("\x10"), tqvMakeString("z")), 0);
}

TEST(Compare, ByteOrderPutsPrefixesFirst) {
  EXPECT_EQ(tqvCompare(tqvMakeString("ab"), tqvMakeString("abc")), -1);
  EXPECT_EQ(tqvCompare(tqvMakeString("b"), tqvMakeString("a")), 1);
  EXPECT_EQ(tqvCompare(tqvMakeString("Z"), tqvMakeString("a")), -1);
  EXPECT_EQ(tqvCompare(cpStr("é"), tqvMakeString("z")), 1);  // unsigned bytes
  EXPECT_EQ(tqvCompare(tqvMakeString("x"), tqvMakeString("x")), 0);
}

TEST(Compare, NumbersAndMixedTypes) {
  EXPECT_EQ(tqvCompare(tqvMakeInt(3), tqvMakeInt(10)), -7);
  EXPECT_EQ(tqvCompare(tqvMakeInt(INT32_MIN), tqvMakeInt(1)), INT32_MAX);  // wraps
  EXPECT_EQ(tqvCompare(tqvMakeFloat(0.2f), tqvMakeFloat(0.1f)), 1);
  EXPECT_EQ(tqvCollate(tqvMakeFloat(0.9f), tqvMakeFloat(0.1f)), 0);
  EXPECT_EQ(tqvCollate(tqvMakeFloat(2.5f), tqvMakeFloat(0.1f)), 2);
  EXPECT_EQ(tqvCompare(tqvMakeInt(5), tqvMakeFloat(2.5f)), 2);
  EXPECT_EQ(tqvCompare(tqvMakeFloat(2.5f), tqvMakeInt(5)), -2);
  EXPECT_EQ(tqvCompare(tqvMakeString("a"), tqvMakeInt(1)), TQV_STRING_TYPE - TQV_INT_TYPE);
  EXPECT_EQ(tqvCompare(TQV_NIL, tqvMakeString("a")), -TQV_STRING_TYPE);
  EXPECT_EQ(tqvCompare(tqvMakeRect(0, 0, 1, 1), tqvMakeRect(5, 5, 6, 6)), 0);
}

TEST(Compare, ListsCompareItemByItem) {
  tqvHandle a = tqvMakeList(), b = tqvMakeList();
  tqvAddItem(a, tqvMakeString("x"));
  tqvAddItem(b, tqvMakeString("x"));
  EXPECT_EQ(tqvCompare(a, b), 0);
  tqvAddItem(a, tqvMakeInt(2));
  EXPECT_GT(tqvCompare(a, b), 0);
  tqvAddItem(b, tqvMakeInt(5));
  EXPECT_LT(tqvCompare(a, b), 0);
  EXPECT_EQ(sign(tqvCollate(a, b)), -1);
}

TEST(Hash, StringHashOfKnownTexts) {
  // Worked by hand: "a" = (2*97) << 4 = 3104; "ab" continues to 0xC168.
  EXPECT_EQ(tqvHash(tqvMakeString("a")), 3104);
  EXPECT_EQ(tqvHash(tqvMakeString("ab")), 49512);
  EXPECT_EQ(tqvHash(tqvMakeString("")), 0);
  // Bytes above 0x7F are taken as negative.
  EXPECT_EQ(tqvHash(tqvMakeString("\xe9t\xe9")), 146162);
  EXPECT_EQ(tqvHash(tqvMakeString("abcdefghijklmnop")), 267321351);
}

TEST(Hash, ImmediatesHashToTheirAbsolutePayload) {
  EXPECT_EQ(tqvHash(tqvMakeInt(-7)), 7);
  EXPECT_EQ(tqvHash(tqvMakeInt(7)), 7);
  EXPECT_EQ(tqvHash(TQV_TRUE), 1);
  EXPECT_EQ(tqvHash(TQV_NIL), 0);
  EXPECT_EQ(tqvHash(tqvMakeInt(INT32_MIN)), INT32_MIN);
  EXPECT_EQ(tqvHash(tqvMakeFloat(1.0f)), 0x3F800000);
  tqvHandle list = tqvMakeList();
  EXPECT_EQ(tqvHash(list), tqvHash(tqvHandle(list)));  // identity, stable
}

}  // namespace
