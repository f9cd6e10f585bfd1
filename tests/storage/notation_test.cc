// The text notation reader: every production, its messages, and printing back.
#include <gtest/gtest.h>

#include "storage/notation.h"
#include "tests/storage/storage_test_support.h"
#include "tests/values/error_capture.h"
#include "values/values.h"

namespace {

tqvHandle read(std::string_view text) {
  return tqvDecodeStandard(tqvMakeString(text));
}
std::string notation(const tqvHandle& h) {
  return tqvToStdString(h, true);
}
std::string roundTrip(std::string_view text) {
  return notation(read(text));
}
// What reading `text` reports; nothing must be read.
std::string refusal(std::string_view text) {
  ErrorCapture errors;
  EXPECT_TRUE(read(text).isNil()) << text;
  return errors.take();
}

TEST(Notation, ColoursAndConstants) {
  EXPECT_EQ(read("(rgb 255 0 0)").intValue(), 255);
  EXPECT_EQ(read("red").intValue(), 255);
  EXPECT_EQ(read("RED").intValue(), 255);
  EXPECT_EQ(read("(rgb 1 2 3)").intValue(), 1 + 2 * 256 + 3 * 65536);
  EXPECT_EQ(read("black").intValue(), 1);
  EXPECT_EQ(read("Blue").intValue(), 0xFF0000);
  EXPECT_EQ(read("bold").intValue() + read("underline").intValue(), 6);
  EXPECT_TRUE(read("NIL").isNil());
  EXPECT_EQ(read("True").word(), 1);
  EXPECT_EQ(read("false").type(), TQV_BOOLEAN_TYPE);
}

TEST(Notation, NumbersAndUndefinedNames) {
  ErrorCapture errors;
  EXPECT_EQ(read("1.5").floatValue(), 1.5f);
  EXPECT_EQ(read("15").type(), TQV_INT_TYPE);
  EXPECT_EQ(read("-7").intValue(), -7);
  EXPECT_EQ(read(".25").floatValue(), 0.25f);
  EXPECT_EQ(read("2.5e2").floatValue(), 250.0f);
  EXPECT_TRUE(errors.none());
  EXPECT_EQ(refusal("1e5"), "Undefined constant: '1e5' while parsing 1e5");
  read("  Frobnicate rest");
  EXPECT_EQ(errors.take(), "Undefined constant: 'Frobnicate' while parsing   Frobnicate rest");
}

TEST(Notation, RegionsReadAndPrintBack) {
  tqvHandle r = read("(rect 10 20 100 50)");
  tqvRegionObject* region = tqvAsRegion(r);
  ASSERT_NE(region, nullptr);
  EXPECT_EQ(region->left(), 10);
  EXPECT_EQ(region->top(), 20);
  EXPECT_EQ(region->right(), 110);
  EXPECT_EQ(region->bottom(), 70);
  EXPECT_EQ(notation(r), "(rect 10 20 100 50)");
  EXPECT_EQ(roundTrip("(point 5 6)"), "(point 5 6)");
  tqvHandle poly = read("(region (10 10) (50 20) (30 60))");
  EXPECT_EQ(notation(poly), "(region (10 10) (50 20) (30 60))");
  EXPECT_EQ(tqvLeft(poly), 10);
  EXPECT_EQ(tqvTop(poly), 10);
  EXPECT_EQ(tqvWidth(poly), 40);
  EXPECT_EQ(tqvHeight(poly), 50);
  // The bounding-box search starts from the screen size, so points beyond it keep it.
  EXPECT_EQ(tqvLeft(read("(region (700 10) (800 20) (750 30))")), 640);
}

TEST(Notation, ParenthesesWithAndWithoutKeywords) {
  EXPECT_EQ(roundTrip("(1 2 3)"), "(list 1\n      2\n      3)");
  EXPECT_EQ(read("( 1 2 3)").intValue(), 1);
  EXPECT_EQ(tqvStringView(read("(\"a\" 1)")), "a");
  EXPECT_EQ(roundTrip("(list \"a\" 1)"), "(list \"a\"\n      1)");
  EXPECT_EQ(roundTrip("(LIST 1)"), "(list 1)");
  EXPECT_EQ(roundTrip("(intlist 4 5)"), "(intlist 4\n      5)");
  EXPECT_EQ(roundTrip("(list)"), "(list)");
  // "((": the first parenthesis is followed by a delimiter, so it is skipped.
  EXPECT_EQ(roundTrip("((1) 2)"), "(list 1)");
  EXPECT_EQ(read("7 8").intValue(), 7);  // text after the first value is ignored
}

TEST(Notation, Tables) {
  ErrorCapture errors;
  tqvHandle t = read("(table (\"Name\" \"Brasil\") (\"Area\" 8515767))");
  EXPECT_EQ(tqvCount(t), 2);
  EXPECT_EQ(tqvCapacity(t), 4);
  EXPECT_EQ(tqvGet(t, "Area").intValue(), 8515767);
  tqvHandle extra = read("(table (1 2 3) (4 5))");
  EXPECT_EQ(tqvGet(extra, tqvMakeInt(1)).intValue(), 2);  // the third item is skipped
  EXPECT_EQ(tqvGet(extra, tqvMakeInt(4)).intValue(), 5);
  tqvHandle later = read("(table (1 \"a\") (1 \"b\"))");
  EXPECT_EQ(tqvCount(later), 1);
  EXPECT_EQ(tqvStringView(tqvGet(later, tqvMakeInt(1))), "b");
  EXPECT_TRUE(errors.none());
  read("(table (Name 1))");
  EXPECT_EQ(errors.take(), "Undefined constant: 'Name' while parsing Name 1))");
  tqvHandle stray = read("(table x (1 2))");
  EXPECT_EQ(errors.take(), "Bad table syntax: (table x");
  EXPECT_EQ(tqvGet(stray, tqvMakeInt(1)).intValue(), 2);
}

TEST(Notation, StringsAndEscapes) {
  ErrorCapture errors;
  tqvHandle s = read("\"a\\nb\\xe9\\\"\\\\\\t\\r\"");
  EXPECT_EQ(tqvStringView(s), "a\nb\xe9\"\\\t\r");
  EXPECT_EQ(tqvStringLength(read("\"\"")), 0);
  // Printing and reading back gives the same bytes.
  tqvHandle original = tqvMakeString("line\n\xe9");
  EXPECT_EQ(notation(original), "\"line\\n\\xe9\"");
  EXPECT_EQ(tqvStringView(read(notation(original))), "line\n\xe9");
  EXPECT_TRUE(errors.none());
  EXPECT_EQ(tqvStringView(read("\"a\\qb\"")), "ab");
  EXPECT_EQ(errors.take(), "Invalid string escape code: '\\q'");
  EXPECT_EQ(tqvStringView(read("\"\\xZ1\"")), "Z1");
  EXPECT_EQ(errors.take(), "Bad character code in string: \\xZ1");
  EXPECT_EQ(refusal("  \"open"), "Unterminated string constant: \"open");
}

TEST(Notation, CommentsAndWhiteSpace) {
  tqvHandle t = read("; a form\n(table ; entries\n  (\"A\" 1) ; one\n\t(\"B\" 2)\r\n)");
  EXPECT_EQ(tqvCount(t), 2);
  EXPECT_EQ(read("(list 1;2\n3)").type(), TQV_LIST_TYPE);
  EXPECT_EQ(tqvCount(read("(list 1;2\n3)")), 2);
}

TEST(Notation, LongAtomsSplitAt63Characters) {
  std::string seventy(70, '1');
  tqvHandle list = read("(list " + seventy + ")");
  ASSERT_EQ(tqvCount(list), 2);
  EXPECT_EQ(tqvGet(list, 1).intValue(), 1111111);
}

TEST(Notation, UnterminatedAndMalformed) {
  ErrorCapture errors;
  EXPECT_EQ(refusal("(list 1 2"), "Unterminated list: (list 1 2");
  EXPECT_EQ(refusal("(table (1 2)"), "Unterminated table(table (1 2)");
  EXPECT_EQ(refusal("   "), "Malformed object representation:    ");
  EXPECT_EQ(refusal("("), "Malformed object representation: ");
  std::string deep(5000, '(');
  EXPECT_TRUE(read("(list " + deep).isNil());
  EXPECT_FALSE(errors.none());
  errors.take();
}

TEST(Notation, ShapedFormsCheckTheirItems) {
  EXPECT_EQ(refusal("(point 1)"), "Cannot read point (two INTS expected) (point 1)");
  EXPECT_EQ(refusal("(rect 1 2 3 \"4\")"),
            "Cannot read rectangle (four INTS expected) (rect 1 2 3 \"4\")");
  EXPECT_EQ(refusal("(rgb 1 2)"), "Cannot read color spec (expecting list of 3 INTs): (rgb 1 2)");
  EXPECT_EQ(refusal("(font \"Arial\")"),
            "Cannot read font name (string expected): (font \"Arial\")");
  EXPECT_EQ(refusal("(font \"Arial\" 9 (1))"), "Bad font spec: (font \"Arial\" 9 (1))");
  EXPECT_EQ(refusal("(reference \"a\" \"b\")"),
            "Malformed object representation: (reference \"a\" \"b\")");
  EXPECT_EQ(refusal("(reference 5)"), "Reference argument must be a string: (reference 5)");
  EXPECT_EQ(refusal("(image 5)"), "Image argument must be a string: (image 5)");
  EXPECT_EQ(refusal("(file 5)"), "File argument must be a string: (file 5)");
  EXPECT_EQ(refusal("(sound 5)"), "Sound argument must be a string: (sound 5)");
  EXPECT_EQ(refusal("(date (\"Month\" 3))"), "Date must specify a year: (date (\"Month\" 3))");
}

TEST(Notation, FontsAndDates) {
  EXPECT_EQ(roundTrip("(font \"Arial\" 9 bold)"), "(font \"Arial\" 9 2)");
  EXPECT_EQ(roundTrip("(font \"Times New Roman\" 12 \"italic\")"),
            "(font \"Times New Roman\" 12 1)");
  EXPECT_EQ(roundTrip("(font \"Arial\" 9 \"heavy\")"), "(font \"Arial\" 9 0)");
  EXPECT_EQ(roundTrip("(font \"Arial\" 9)"), "(font \"Arial\" 9 0)");
  tqvHandle date = read("(date (\"Year\" 1998) (\"Day\" 4))");
  ASSERT_NE(tqvAsDate(date), nullptr);
  EXPECT_EQ(tqvAsDate(date)->year(), 1998);
  EXPECT_EQ(tqvAsDate(date)->month(), 0);
  EXPECT_EQ(tqvAsDate(date)->day(), 0);
}

tqvHandle lastFactoryArgument;
tqvHandle recordingFactory(const tqvHandle& argument) {
  lastFactoryArgument = argument;
  return tqvMakeString("made");
}

TEST(Notation, FactoriesBuildFormsControlsAndResources) {
  ErrorCapture errors;
  EXPECT_EQ(refusal("(control (\"Class\" \"Button\"))"), "Cannot decode this type: control");
  tqvRegisterNotationFactory("control", recordingFactory);
  tqvRegisterNotationFactory("soundfile", recordingFactory);
  EXPECT_EQ(tqvStringView(read("(control (\"Class\" \"Button\"))")), "made");
  EXPECT_EQ(tqvStringView(tqvGet(lastFactoryArgument, "Class")), "Button");
  read("(soundfile \"click.wav\")");
  EXPECT_EQ(tqvStringView(lastFactoryArgument), "click.wav");
  EXPECT_TRUE(errors.none());
  tqvRegisterNotationFactory("control", nullptr);
  tqvRegisterNotationFactory("soundfile", nullptr);
  lastFactoryArgument = TQV_NIL;
}

TEST(Notation, FilesAreReadWhole) {
  ErrorCapture errors;
  storage_test::TempDir dir;
  dir.write("note.txt", "a\r\nb");
  tqvHandle binary = read("(file \"" + dir.file("note.txt") + "\")");
  EXPECT_EQ(tqvAsBuffer(binary)->bytes(), "a\r\nb");
  tqvHandle text = read("(textfile \"" + dir.file("note.txt") + "\")");
  EXPECT_EQ(tqvAsBuffer(text)->bytes(), "a\nb");
  EXPECT_EQ(refusal("(file \"" + dir.file("none") + "\")"),
            "tqvFileStream: Cannot open " + dir.file("none"));
}

TEST(Notation, BuffersAndOtherConstants) {
  ErrorCapture errors;
  EXPECT_EQ(tqvDecodeStandard(tqvBufferFromString(tqvMakeString("42"))).intValue(), 42);
  tqvHandle own = tqvTable(4);
  tqvPut(own, "sim", TQV_TRUE);
  EXPECT_EQ(tqvDecodeString(tqvMakeString("SIM"), own).word(), 1);
  tqvDecodeString(tqvMakeInt(1), own);
  EXPECT_EQ(errors.take(), "Bad type for argument 1 of tqvDecodeString(stringOrBuf).");
}

}  // namespace
