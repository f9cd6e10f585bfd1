// Decoding: round trips, what decoded tables look like, and damaged input.
#include <gtest/gtest.h>

#include "storage/encoding.h"
#include "storage/memory_stream.h"
#include "tests/storage/storage_test_support.h"
#include "tests/values/error_capture.h"
#include "values/values.h"

namespace {

using storage_test::ByteStream;
using storage_test::hex;

tqvHandle I(int v) {
  return tqvMakeInt(v);
}

tqvHandle decodeBytes(const std::string& bytes) {
  ByteStream in(bytes);
  return tqvDecode(in.stream);
}

// What decoding `bytes` reports; nothing must be decoded.
std::string refusal(const std::string& bytes) {
  ErrorCapture errors;
  EXPECT_TRUE(decodeBytes(bytes).isNil());
  return errors.take();
}

std::string notation(const tqvHandle& h) {
  return tqvToStdString(h, true);
}

TEST(Decode, HandWrittenBytes) {
  EXPECT_EQ(decodeBytes(hex("21 80 FF")).intValue(), -128);
  EXPECT_EQ(decodeBytes(hex("03 00 80 FF FF")).intValue(), -32768);
  EXPECT_EQ(decodeBytes(hex("20 FF")).intValue(), -1);  // the byte is signed
  EXPECT_TRUE(tqvTruth(decodeBytes(hex("02 05 00 00 00"))));
  EXPECT_FALSE(tqvTruth(decodeBytes(hex("02 00 00 00 00"))));
  EXPECT_EQ(decodeBytes(hex("22 00")).type(), TQV_STRING_TYPE);
  EXPECT_EQ(tqvStringLength(decodeBytes(hex("22 00"))), 0);
  EXPECT_EQ(tqvStringLength(decodeBytes(hex("06 00 00 00 00"))), 0);
  EXPECT_EQ(decodeBytes(hex("04 00 00 C0 3F")).floatValue(), 1.5f);
  tqvHandle rect = decodeBytes(hex("0B 0A000000 14000000 6E000000 46000000 00000000"));
  EXPECT_EQ(notation(rect), "(rect 10 20 100 50)");
  tqvHandle ints = decodeBytes(hex("08 02000000 03 01000000 02000000"));
  EXPECT_EQ(tqvAsList(ints)->kind(), TQV_INTLIST_KIND);
  EXPECT_EQ(notation(ints), "(intlist 1\n      2)");
}

TEST(Decode, TablesKeepTheirCapacityAndStoreInOrder) {
  tqvHandle t = decodeBytes(hex("09 09000000 02000000 20 05 20 01 20 0E 20 02"));
  EXPECT_EQ(tqvCapacity(t), 9);
  EXPECT_EQ(tqvCount(t), 2);
  // 5 and 14 share home slot 5; stored in that order, 14 probes on to slot 6.
  EXPECT_EQ(tqvIntValue(tqvGetKey(t, 5)), 5);
  EXPECT_EQ(tqvIntValue(tqvGetKey(t, 6)), 14);
}

TEST(Decode, NestedValuesRoundTrip) {
  tqvHandle inner = tqvTable(4);
  tqvPut(inner, "Nome", tqvFromUtf8("São Tomé"));
  tqvPut(inner, "Área", tqvMakeFloat(1001.5f));
  tqvHandle list = tqvMakeList(300);
  tqvAddItem(list, inner);
  tqvAddItem(list, tqvMakeString(std::string(1000, 'z')));
  tqvAddItem(list, tqvMakePolygon({{1, 2}, {3, 4}, {5, 0}}, 1, 0, 5, 4));
  tqvAddItem(list, tqvMakeFont(TQV_NIL, 0, 0));
  tqvAddItem(list, tqvMakeDate(1998, 3, 4));
  tqvAddItem(list, tqvBufferFromString(tqvMakeString("raw")));
  tqvAddItem(list, I(-70000));
  tqvHandle stream = tqvMemoryStream(nullptr, 0);
  tqvEncode(stream, list);
  tqvAsStream(stream)->seek(0);
  tqvHandle back = tqvDecode(stream);
  EXPECT_EQ(tqvCapacity(back), 7);  // a decoded list is as large as its count
  EXPECT_EQ(notation(tqvGet(back, 0)), notation(inner));
  EXPECT_EQ(notation(tqvGet(back, 1)), notation(tqvGet(list, 1)));
  EXPECT_EQ(notation(tqvGet(back, 2)), "(region (1 2) (3 4) (5 0))");
  EXPECT_EQ(notation(tqvGet(back, 3)), "(font ANSI_VAR_FONT)");
  EXPECT_EQ(tqvAsDate(tqvGet(back, 4))->word1(), tqvAsDate(tqvGet(list, 4))->word1());
  EXPECT_EQ(tqvAsBuffer(tqvGet(back, 5))->bytes(), "raw");
  EXPECT_EQ(tqvGet(back, 6).intValue(), -70000);
}

TEST(Decode, TruncatedInputReportsAndGivesWhatWasRead) {
  ErrorCapture errors;
  EXPECT_EQ(refusal(""), "Cannot read TQVBYTE from stream");
  EXPECT_EQ(refusal(hex("03 01 02")), "Cannot read TQVINT from stream");
  tqvHandle s = decodeBytes(hex("22 05 61 62"));
  EXPECT_EQ(tqvStringView(s), "ab");
  EXPECT_EQ(errors.take(), "Cannot read TQVBYTE from stream");
  tqvHandle list = decodeBytes(hex("23 03 20 01"));
  EXPECT_EQ(tqvCount(list), 2);  // the second item failed and ended the list
  EXPECT_EQ(errors.take(), "Cannot read TQVBYTE from stream");
  decodeBytes(hex("08 03000000 03 01000000"));
  EXPECT_EQ(errors.take(), "Cannot read IntList from stream");
}

TEST(Decode, HugeCountsNeverAllocateBeyondTheData) {
  ErrorCapture errors;
  // A 2 GiB string, a list of 2^31-1 items, a table of 2^31-1 slots, a huge int list.
  tqvHandle s = decodeBytes(hex("06 FF FF FF 7F 61"));
  EXPECT_EQ(tqvStringLength(s), 1);
  errors.take();
  tqvHandle l = decodeBytes(hex("08 FF FF FF 7F 05 20 01"));
  EXPECT_LE(tqvCapacity(l), 2);
  errors.take();
  tqvHandle t = decodeBytes(hex("09 FF FF FF 7F FF FF FF 7F 20 01 20 02"));
  EXPECT_LE(tqvCapacity(t), 1 << 12);
  EXPECT_EQ(tqvCount(t), 1);
  errors.take();
  decodeBytes(hex("08 FF FF FF 7F 03 01 00 00 00"));
  EXPECT_EQ(errors.take(), "Cannot read IntList from stream");
  decodeBytes(hex("07 FF FF FF 7F 00"));
  EXPECT_EQ(errors.take(), "Cannot read TQVBYTE from stream");
  decodeBytes(hex("0B 00000000 00000000 00000000 00000000 FFFFFF7F"));
  EXPECT_EQ(errors.take(), "Cannot read TQVINT from stream");
}

TEST(Decode, UnknownTagsAndDeepNesting) {
  ErrorCapture errors;
  EXPECT_EQ(refusal(hex("01")), "Cannot decode this type: unique");
  EXPECT_EQ(refusal(hex("C8")), "Cannot decode this type: application-defined");
  EXPECT_TRUE(decodeBytes(hex("12 22 01 61")).isNil());  // image: no decoder registered
  EXPECT_EQ(errors.take(), "Cannot decode this type: image");
  std::string deep;
  for (int i = 0; i < 5000; ++i) deep += hex("23 01");
  decodeBytes(deep);
  EXPECT_EQ(errors.take(), "Cannot decode a value nested deeper than 1000 levels");
}

TEST(Decode, NonStreamsAreRefused) {
  ErrorCapture errors;
  EXPECT_TRUE(tqvDecode(tqvMakeString("x")).isNil());
  EXPECT_EQ(errors.take(), "Bad type for argument 1 of tqvDecode(stream).");
}

}  // namespace
