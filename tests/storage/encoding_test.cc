// The binary encoding: bytes of every tag and its boundaries, written out by hand.
#include <gtest/gtest.h>

#include "storage/codecs.h"
#include "storage/encoding.h"
#include "storage/memory_stream.h"
#include "tests/storage/storage_test_support.h"
#include "tests/values/error_capture.h"
#include "values/values.h"

namespace {

using storage_test::hex;

std::string encoded(const tqvHandle& value) {
  tqvHandle stream = tqvMemoryStream(nullptr, 0);
  tqvEncode(stream, value);
  return storage_test::streamBytes(stream, static_cast<size_t>(tqvAsStream(stream)->position()));
}

tqvHandle I(int v) {
  return tqvMakeInt(v);
}

TEST(Encode, IntegersTakeTheSmallestTag) {
  EXPECT_EQ(encoded(I(0)), hex("20 00"));
  EXPECT_EQ(encoded(I(127)), hex("20 7F"));
  EXPECT_EQ(encoded(I(-127)), hex("20 81"));
  EXPECT_EQ(encoded(I(-128)), hex("21 80 FF"));
  EXPECT_EQ(encoded(I(128)), hex("21 80 00"));
  EXPECT_EQ(encoded(I(32767)), hex("21 FF 7F"));
  EXPECT_EQ(encoded(I(-32767)), hex("21 01 80"));
  EXPECT_EQ(encoded(I(-32768)), hex("03 00 80 FF FF"));
  EXPECT_EQ(encoded(I(32768)), hex("03 00 80 00 00"));
}

TEST(Encode, ScalarsAndStrings) {
  EXPECT_EQ(encoded(TQV_NIL), hex("00"));
  EXPECT_EQ(encoded(TQV_TRUE), hex("1E"));
  EXPECT_EQ(encoded(TQV_FALSE), hex("1F"));
  EXPECT_EQ(encoded(tqvMakeFloat(1.5f)), hex("04 00 00 C0 3F"));
  EXPECT_EQ(encoded(tqvMakeString("")), hex("22 00"));
  EXPECT_EQ(encoded(tqvMakeString("ab")), hex("22 02 61 62"));
  std::string s255(255, 'q'), s256(256, 'q'), s300(300, 'q');
  EXPECT_EQ(encoded(tqvMakeString(s255)), hex("22 FF") + s255);
  EXPECT_EQ(encoded(tqvMakeString(s256)), hex("06 00 01 00 00") + s256);
  EXPECT_EQ(encoded(tqvMakeString(s300)), hex("06 2C 01 00 00") + s300);
  EXPECT_EQ(encoded(tqvBufferFromString(tqvMakeString("ab"))), hex("07 02 00 00 00 61 62"));
}

TEST(Encode, ListsByKindAndCapacity) {
  EXPECT_EQ(encoded(tqvMakeList(4)), hex("23 00"));
  tqvHandle two = tqvMakeList(4);
  tqvAddItem(two, I(1));
  tqvAddItem(two, tqvMakeString("x"));
  EXPECT_EQ(encoded(two), hex("23 02 20 01 22 01 78"));
  tqvHandle wide = tqvMakeList(256);
  tqvAddItem(wide, I(1));
  EXPECT_EQ(encoded(wide), hex("08 01 00 00 00 05 20 01"));
  tqvHandle ints = tqvMakeIntList();
  tqvAsList(ints)->appendInt(1);
  tqvAsList(ints)->appendInt(2);
  EXPECT_EQ(encoded(ints), hex("08 02 00 00 00 03 01 00 00 00 02 00 00 00"));
}

TEST(Encode, TablesWriteCapacityCountAndSlotOrder) {
  tqvHandle t = tqvTable(4);
  tqvPut(t, tqvMakeString("a"), I(1));
  EXPECT_EQ(encoded(t), hex("09 04 00 00 00 01 00 00 00 22 01 61 20 01"));
  tqvHandle ordered = tqvTable(4);
  tqvPut(ordered, I(2), I(20));  // slot 2
  tqvPut(ordered, I(5), I(50));  // slot 1
  EXPECT_EQ(encoded(ordered), hex("09 04 00 00 00 02 00 00 00 20 05 20 32 20 02 20 14"));
}

TEST(Encode, RegionsFontsAndDates) {
  EXPECT_EQ(encoded(tqvMakeRect(10, 20, 110, 70)),
            hex("0B 0A 00 00 00 14 00 00 00 6E 00 00 00 46 00 00 00 00 00 00 00"));
  tqvHandle triangle = tqvMakePolygon({{0, 0}, {10, 0}, {0, 10}}, 0, 0, 10, 10);
  EXPECT_EQ(encoded(triangle), hex("0B 00000000 00000000 0A000000 0A000000 03000000"
                                   "00000000 00000000 0A000000 00000000 00000000 0A000000"));
  EXPECT_EQ(encoded(tqvMakeFont(tqvMakeString("Arial"), 9, 2)),
            hex("10 22 05") + "Arial" + hex("09 00 00 00 02 00 00 00"));
  EXPECT_EQ(encoded(tqvDateFromWords(0x01020304, -1)), hex("1D 04 03 02 01 FF FF FF FF"));
}

TEST(Encode, TypesWithoutABinaryFormAreReportedAfterTheirTag) {
  ErrorCapture errors;
  tqvHandle stream = tqvMemoryStream(nullptr, 0);
  EXPECT_EQ(encoded(stream), hex("0A"));
  EXPECT_EQ(errors.take(), "Cannot encode this type: stream");
  EXPECT_EQ(encoded(tqvNewUnique()), hex("01"));
  EXPECT_EQ(errors.take(), "Cannot encode this type: unique");
}

TEST(Encode, SelfContainingTablesAreCutOff) {
  ErrorCapture errors;
  tqvHandle t = tqvTable(4);
  tqvPut(t, I(1), t);
  encoded(t);
  EXPECT_EQ(errors.take(), "Cannot encode a value nested deeper than 1000 levels");
  tqvRemoveKey(t, I(1));  // break the cycle so the table can go
}

// A value type of a later library with its own payload: a tag-17 layout of two ints.
class Layout : public tqvObject, public tqvEncodable {
 public:
  Layout(TQVINT w, TQVINT h) : w_(w), h_(h) {}
  void encodePayload(const tqvHandle& stream) const override {
    tqvEncode(stream, tqvMakeInt(w_));
    tqvEncode(stream, tqvMakeInt(h_));
  }
  TQVINT w_, h_;
};

tqvHandle decodeLayout(const tqvHandle& stream) {
  TQVINT w = tqvIntValue(tqvDecode(stream));
  TQVINT h = tqvIntValue(tqvDecode(stream));
  return tqvHandle::wrap(new Layout(w, h), TQV_LAYOUT_TYPE);
}

TEST(Encode, LaterTypesWriteAndReadTheirOwnPayload) {
  ErrorCapture errors;
  tqvHandle layout = tqvHandle::wrap(new Layout(3, 4), TQV_LAYOUT_TYPE);
  std::string bytes = encoded(layout);
  EXPECT_EQ(bytes, hex("11 20 03 20 04"));
  storage_test::ByteStream in(bytes);
  EXPECT_TRUE(tqvDecode(in.stream).isNil());
  EXPECT_EQ(errors.take(), "Cannot decode this type: application-defined");
  tqvRegisterDecoder(TQV_LAYOUT_TYPE, decodeLayout);
  storage_test::ByteStream again(bytes);
  tqvHandle back = tqvDecode(again.stream);
  ASSERT_TRUE(back.is(TQV_LAYOUT_TYPE));
  EXPECT_EQ(back.as<Layout>()->h_, 4);
  tqvRegisterDecoder(TQV_LAYOUT_TYPE, nullptr);
}

}  // namespace
