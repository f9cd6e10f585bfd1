// String operations: substrings, searches, case and accent tables, paths.
#include <gtest/gtest.h>

#include "tests/values/error_capture.h"
#include "values/values.h"

namespace {

std::string text(const tqvHandle& h) {
  return std::string(tqvStringView(h));
}
tqvHandle str(const char* s) {
  return tqvMakeString(s);
}
// Code page 1252 text from a UTF-8 literal.
std::string cp(const char* utf8) {
  return tqvUtf8ToCp1252(utf8);
}

TEST(String, ConstructionKeepsLengthAndEmbeddedBytes) {
  tqvHandle s = tqvMakeString("a\0b", 3);
  EXPECT_EQ(tqvStringLength(s), 3);
  EXPECT_EQ(tqvStringView(s), std::string_view("a\0b", 3));
  EXPECT_EQ(tqvCString(s)[3], '\0');
  EXPECT_EQ(text(tqvMakeRepeated(4, '-')), "----");
  tqvHandle empty = tqvMakeString("");
  EXPECT_TRUE(empty.is(TQV_STRING_TYPE));
  EXPECT_NE(empty.object(), nullptr);
  EXPECT_EQ(tqvStringLength(empty), 0);
}

TEST(String, LeftRightMidClampAsDocumented) {
  tqvHandle s = str("abc");
  EXPECT_EQ(text(tqvStringLeft(s, 2)), "ab");
  EXPECT_EQ(text(tqvStringLeft(s, 10)), "abc");
  EXPECT_EQ(text(tqvStringLeft(s, -1)), "");
  EXPECT_EQ(text(tqvStringRight(s, 2)), "bc");
  EXPECT_EQ(text(tqvStringRight(s, 3)), "abc");
  EXPECT_EQ(text(tqvStringRight(s, 5)), "");
  EXPECT_EQ(text(tqvStringMid(s, 1, 10)), "bc");
  EXPECT_EQ(text(tqvStringMid(s, 3, 1)), "");
  EXPECT_EQ(text(tqvStringMid(s, 0, 0)), "");
  EXPECT_EQ(text(tqvStringMid(s, -2, 2)), "ab");
  EXPECT_EQ(text(tqvConcat(s, str("de"))), "abcde");
}

TEST(String, SearchesForwardAndBackward) {
  tqvHandle s = str("abcabc");
  EXPECT_EQ(tqvFindChar(s, 'c', 0), 2);
  EXPECT_EQ(tqvFindChar(s, 'c', 3), 5);
  EXPECT_EQ(tqvFindChar(s, 'z', 0), -1);
  EXPECT_EQ(tqvFindChar(s, 'a', 99), -1);
  EXPECT_EQ(tqvFindString(s, str("bc"), 0), 1);
  EXPECT_EQ(tqvFindString(s, str("bc"), 2), 4);
  EXPECT_EQ(tqvFindString(s, str(""), 3), 3);
  EXPECT_EQ(tqvFindString(s, str("cab"), 0), 2);
  EXPECT_EQ(tqvFindString(s, str("abcabcx"), 0), -1);
  EXPECT_EQ(tqvFindLast(s, str("ab"), 0), 3);
  EXPECT_EQ(tqvFindLast(s, str("ab"), 2), 0);
  EXPECT_EQ(tqvFindLast(s, str("x"), 0), -1);
}

TEST(String, CharacterAtReportsOutOfRange) {
  ErrorCapture errors;
  tqvHandle s = tqvMakeString(cp("é"));
  EXPECT_EQ(tqvCharAt(s, 0), 0xE9);
  EXPECT_TRUE(errors.none());
  EXPECT_EQ(tqvCharAt(s, 1), 0);
  EXPECT_EQ(errors.take(), "String index out of range: 1");
  tqvCharAt(s, -3);
  EXPECT_EQ(errors.take(), "String index out of range: -3");
}

TEST(String, CopyIntoACallerBufferNeedsRoomForTheNul) {
  char buffer[4] = {'x', 'x', 'x', 'x'};
  EXPECT_FALSE(tqvCopyChars(str("abcd"), buffer, 4));
  EXPECT_EQ(buffer[0], 'x');
  EXPECT_TRUE(tqvCopyChars(str("abc"), buffer, 4));
  EXPECT_STREQ(buffer, "abc");
}

TEST(String, CaseTablesOfTheCodePage) {
  EXPECT_EQ(text(tqvUpper(tqvMakeString(cp("ação, šœÿ ÷ðþ ß")))), cp("AÇÃO, ŠŒŸ ÷ðþ ß"));
  EXPECT_EQ(text(tqvLower(tqvMakeString(cp("AÇÃO, ŠŒŸ ×ÐÞ ß")))), cp("ação, šœÿ ×ÐÞ ß"));
  EXPECT_EQ(text(tqvUpper(str("123-xyz"))), "123-XYZ");
}

TEST(String, PlainTextStripsAccentsAndKeepsTheLength) {
  std::string source = cp("Ação É ñ ß × ÷ Ÿ œ ð") + "\x93q\x94 \x96 \x82\t\x7f";
  tqvHandle plain = tqvPlainText(tqvMakeString(source));
  EXPECT_EQ(text(plain), "Acao E n B X / Y o  \"q\" - '  ");
  EXPECT_EQ(tqvStringLength(plain), static_cast<TQVINT>(source.size()));
  EXPECT_EQ(text(tqvPlainText(tqvMakeString(cp("¦²³¹þÞ")))), "|231  ");
}

TEST(String, PathsUseBackslashes) {
  EXPECT_EQ(text(tqvPathJoin(str("C:\\dir"), str("file.txt"))), "C:\\dir\\file.txt");
  EXPECT_EQ(text(tqvPathJoin(str("dir\\"), str("f"))), "dir\\\\f");
  EXPECT_EQ(text(tqvPathJoin(TQV_NIL, str("f"))), "f");
  EXPECT_EQ(text(tqvPathJoin(str(""), str("f"))), "f");
  EXPECT_EQ(text(tqvPathJoin(str("dir"), str("\\abs"))), "\\abs");
  EXPECT_EQ(text(tqvPathJoin(str("dir"), str("D:x"))), "D:x");
  EXPECT_EQ(text(tqvPathJoin(str("D:\\"), str("/srv/lx98/Media"))), "/srv/lx98/Media");
  EXPECT_EQ(text(tqvPathJoin(str("dir"), str(""))), "");
  EXPECT_EQ(text(tqvPathName(str("a\\b\\c.frm"))), "c.frm");
  EXPECT_EQ(text(tqvPathName(str("c.frm"))), "c.frm");
  EXPECT_EQ(text(tqvPathDirectory(str("a\\b\\c.frm"))), "a\\b");
  EXPECT_EQ(text(tqvPathDirectory(str("c.frm"))), "");
  EXPECT_EQ(text(tqvPathExtension(str("a\\b\\c.FRM"))), "FRM");
  EXPECT_EQ(text(tqvPathExtension(str("noext"))), "");
}

TEST(String, Utf8ConversionCoversTheTypographicRange) {
  EXPECT_EQ(tqvUtf8ToCp1252("€ “ok” – é"), "\x80 \x93ok\x94 \x96 \xe9");
  EXPECT_EQ(tqvCp1252ToUtf8("\x80 \x93ok\x94 \x96 \xe9"), "€ “ok” – é");
  EXPECT_EQ(tqvUtf8ToCp1252("日本"), "??");
  EXPECT_EQ(tqvUtf8ToCp1252("\xc3"), "?");      // truncated sequence
  EXPECT_EQ(tqvUtf8ToCp1252("a\x80z"), "a?z");  // stray continuation byte
  EXPECT_EQ(tqvStringView(tqvFromUtf8("Índice")), "\xcdndice");
}

}  // namespace
