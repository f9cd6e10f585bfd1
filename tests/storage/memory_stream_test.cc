// Memory streams: fixed and growable, and the growth rules.
#include <gtest/gtest.h>

#include "storage/memory_stream.h"
#include "storage/primitives.h"
#include "tests/storage/storage_test_support.h"
#include "tests/values/error_capture.h"
#include "values/values.h"

namespace {

TEST(MemoryStream, OwnedStreamsStartAt512AndGrowByDoubling) {
  tqvHandle stream = tqvMemoryStream(nullptr, 10);
  tqvStreamObject* s = tqvAsStream(stream);
  EXPECT_EQ(s->size(), 512);
  std::string data(600, 'x');
  EXPECT_EQ(s->write(data.data(), 600), 600);
  EXPECT_EQ(s->size(), 1024);
  EXPECT_EQ(tqvCount(stream), 1024);
}

TEST(MemoryStream, AWriteBeyondTwiceTheCapacityGrowsToFitPlus512) {
  tqvHandle stream = tqvMemoryStream(nullptr, 10);
  std::string data(1500, 'y');
  EXPECT_EQ(tqvAsStream(stream)->write(data.data(), 1500), 1500);
  EXPECT_EQ(tqvAsStream(stream)->size(), 2012);
}

TEST(MemoryStream, ByteWritesDoubleAtTheCapacityAndKeepContents) {
  tqvHandle stream = tqvMemoryStream(nullptr, 512);
  tqvStreamObject* s = tqvAsStream(stream);
  for (int i = 0; i < 513; ++i) ASSERT_TRUE(s->writeByte(i & 0xFF));
  EXPECT_EQ(s->size(), 1024);
  s->seek(0);
  for (int i = 0; i < 513; ++i) ASSERT_EQ(s->readByte(), i & 0xFF);
  EXPECT_EQ(s->readByte(), 0);  // never written: zero-filled
}

TEST(MemoryStream, FixedStreamsNeitherGrowNorReadPastTheEnd) {
  char data[4] = {1, 2, 3, 4};
  tqvHandle stream = tqvMemoryStream(data, 4);
  tqvStreamObject* s = tqvAsStream(stream);
  EXPECT_EQ(s->size(), 4);
  char out[8];
  EXPECT_EQ(s->read(out, 8), 4);
  EXPECT_EQ(s->read(out, 8), 0);
  EXPECT_EQ(s->readByte(), -1);
  EXPECT_TRUE(s->atEnd());
  EXPECT_FALSE(s->writeByte(9));
  EXPECT_TRUE(s->seek(4));
  EXPECT_FALSE(s->seek(5));
  EXPECT_FALSE(s->seek(-1));
  s->seek(2);
  EXPECT_EQ(s->write("ab", 2), 2);
  EXPECT_EQ(s->write("c", 1), 0);  // a fixed stream writes nothing when short of room
  EXPECT_EQ(data[2], 'a');
}

TEST(Primitives, LittleEndianItemsAndShortReads) {
  ErrorCapture errors;
  tqvHandle stream = tqvMemoryStream(nullptr, 0);
  tqvWriteByte(stream, 0x1FF);
  tqvWriteShort(stream, -2);
  tqvWriteInt(stream, 0x12345678);
  tqvWriteFloat(stream, 1.5f);
  EXPECT_EQ(storage_test::streamBytes(stream, 11),
            storage_test::hex("FF FE FF 78 56 34 12 00 00 C0 3F"));
  tqvAsStream(stream)->seek(0);
  EXPECT_EQ(tqvReadByte(stream), 255);
  EXPECT_EQ(tqvReadShort(stream), -2);
  EXPECT_EQ(tqvReadInt(stream), 0x12345678);
  EXPECT_EQ(tqvReadFloat(stream), 1.5f);
  EXPECT_TRUE(errors.none());

  storage_test::ByteStream shortOne(storage_test::hex("01 02 03"));
  EXPECT_EQ(tqvReadInt(shortOne.stream), 0);
  EXPECT_EQ(errors.take(), "Cannot read TQVINT from stream");
  tqvAsStream(shortOne.stream)->seek(2);
  tqvReadShort(shortOne.stream);
  EXPECT_EQ(errors.take(), "Cannot read TQVINT from stream");
  tqvReadFloat(shortOne.stream);
  EXPECT_EQ(errors.take(), "Cannot read TQVFLOAT from stream");
  tqvReadByte(shortOne.stream);
  EXPECT_EQ(errors.take(), "Cannot read TQVBYTE from stream");

  char one[1];
  tqvHandle full = tqvMemoryStream(one, 1);
  tqvWriteInt(full, 1);
  EXPECT_EQ(errors.take(), "Cannot write TQVINT to stream");
  tqvWriteShort(full, 1);
  EXPECT_EQ(errors.take(), "Cannot write TQVINT to stream");
  tqvWriteFloat(full, 1);
  EXPECT_EQ(errors.take(), "Cannot write TQVFLOAT to stream");
  tqvWriteByte(full, 1);
  EXPECT_TRUE(errors.none());
  tqvWriteByte(full, 1);
  EXPECT_EQ(errors.take(), "Cannot write TQVBYTE to stream");
}

TEST(Primitives, WholeBufferTransfers) {
  ErrorCapture errors;
  tqvHandle stream = tqvMemoryStream(nullptr, 0);
  EXPECT_TRUE(tqvWrite(stream, tqvMakeString("hello")));
  EXPECT_FALSE(tqvWrite(stream, tqvMakeString("")));
  EXPECT_TRUE(tqvWrite(stream, tqvBufferFromString(tqvMakeString("!"))));
  tqvWrite(stream, tqvMakeInt(1));
  EXPECT_EQ(errors.take(), "Bad type for argument 2 of tqvWrite(stream,bufOrString).");
  tqvAsStream(stream)->seek(0);
  tqvHandle buffer = tqvBuffer(4);
  EXPECT_TRUE(tqvRead(stream, buffer));
  EXPECT_EQ(tqvAsBuffer(buffer)->bytes(), "hell");
  tqvAsStream(stream)->seek(512);
  EXPECT_FALSE(tqvRead(stream, buffer));
  EXPECT_EQ(tqvAsBuffer(buffer)->length(), 0);
}

}  // namespace
