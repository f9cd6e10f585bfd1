// File streams: modes, buffering, pending seeks, text translation, locks and refusals.
#include <gtest/gtest.h>

#include "storage/file_stream.h"
#include "storage/primitives.h"
#include "tests/storage/storage_test_support.h"
#include "tests/values/error_capture.h"
#include "values/values.h"

namespace {

using storage_test::TempDir;

std::string readAll(const tqvHandle& stream, TQVINT count) {
  std::string out(static_cast<size_t>(count), '\0');
  TQVINT got = tqvAsStream(stream)->read(out.data(), count);
  out.resize(static_cast<size_t>(std::max(got, 0)));
  return out;
}

TEST(FileStream, CreateWriteAndReadBack) {
  TempDir dir;
  {
    tqvHandle s = tqvFileStream(dir.name("a.bin"), TQV_FILE_CREATE);
    ASSERT_FALSE(s.isNil());
    EXPECT_TRUE(tqvAsStream(s)->isWritable());
    EXPECT_TRUE(tqvWrite(s, tqvMakeString("hello, world")));
    EXPECT_EQ(tqvCount(s), 12);
    // Nothing reaches the file until the buffer is written back, by a flush or the close.
    EXPECT_EQ(dir.read("a.bin"), "");
    tqvAsStream(s)->flush();
    EXPECT_EQ(dir.read("a.bin"), "hello, world");
    tqvWrite(s, tqvMakeString("!"));
  }
  EXPECT_EQ(dir.read("a.bin"), "hello, world!");
  tqvHandle r = tqvFileStream(dir.name("a.bin"), TQV_FILE_READ);
  EXPECT_FALSE(tqvAsStream(r)->isWritable());
  EXPECT_EQ(readAll(r, 5), "hello");
  EXPECT_EQ(tqvAsStream(r)->position(), 5);
  EXPECT_EQ(tqvAsStream(r)->write("x", 1), 0);  // read-only
}

TEST(FileStream, SeeksTakeEffectOnTheNextTransfer) {
  TempDir dir;
  dir.write("s", "0123456789");
  tqvHandle s = tqvFileStream(dir.name("s"), TQV_FILE_WRITE);
  tqvStreamObject* st = tqvAsStream(s);
  EXPECT_TRUE(st->seek(7));
  EXPECT_EQ(st->position(), 7);
  EXPECT_EQ(st->readByte(), '7');
  st->seek(2);
  st->write("AB", 2);
  st->seek(0);
  EXPECT_EQ(readAll(s, 10), "01AB456789");
  // Writing past the end leaves zeros in the gap.
  st->seek(12);
  st->writeByte('Z');
  EXPECT_EQ(st->size(), 13);
  st->flush();
  EXPECT_EQ(dir.read("s"), std::string("01AB456789\0\0Z", 13));
}

TEST(FileStream, WritesSpanningBlocksKeepTheBytesAround) {
  TempDir dir;
  std::string original(5000, '.');
  dir.write("big", original);
  {
    tqvHandle s = tqvFileStream(dir.name("big"), TQV_FILE_WRITE);
    tqvStreamObject* st = tqvAsStream(s);
    st->seek(2040);
    std::string patch(20, '#');  // crosses the 2048-byte block boundary
    EXPECT_EQ(st->write(patch.data(), 20), 20);
    st->seek(100);
    st->writeByte('!');
  }
  std::string expected = original;
  expected.replace(2040, 20, std::string(20, '#'));
  expected[100] = '!';
  EXPECT_EQ(dir.read("big"), expected);
}

TEST(FileStream, LargeTransfersBypassTheBufferConsistently) {
  TempDir dir;
  std::string data;
  for (int i = 0; i < 10000; ++i) data += static_cast<char>('a' + i % 26);
  tqvHandle s = tqvFileStream(dir.name("large"), TQV_FILE_CREATE);
  tqvStreamObject* st = tqvAsStream(s);
  st->write("head", 4);                             // buffered, dirty
  EXPECT_EQ(st->write(data.data(), 10000), 10000);  // direct, after the head is written back
  st->seek(1);
  st->write("EA", 2);  // buffered again over bytes now on disk
  st->seek(0);
  std::string back = readAll(s, 10004);  // a direct read sees the buffered change
  EXPECT_EQ(back.substr(0, 4), "hEAd");
  EXPECT_EQ(back.substr(4), data);
}

TEST(FileStream, TextModeTranslatesLineEnds) {
  TempDir dir;
  dir.write("dos.txt", "one\r\ntwo\r\n");
  tqvHandle r = tqvFileStream(dir.name("dos.txt"), TQV_FILE_READ | TQV_FILE_TEXT);
  EXPECT_EQ(readAll(r, 10), "one\ntwo\n");
  tqvHandle again = tqvFileStream(dir.name("dos.txt"), TQV_FILE_READ | TQV_FILE_TEXT);
  std::string bytes;
  for (TQVINT c; (c = tqvAsStream(again)->readByte()) >= 0;) bytes += static_cast<char>(c);
  EXPECT_EQ(bytes, "one\ntwo\n");
  {
    tqvHandle w = tqvFileStream(dir.name("out.txt"), TQV_FILE_CREATE | TQV_FILE_TEXT);
    EXPECT_EQ(tqvAsStream(w)->write("a\nb\n", 4), 4);
  }
  EXPECT_EQ(dir.read("out.txt"), "a\r\nb\r\n");
}

TEST(FileStream, RefusalsAreReportedUnlessQuiet) {
  ErrorCapture errors;
  TempDir dir;
  EXPECT_TRUE(tqvFileStream(dir.name("missing"), TQV_FILE_READ).isNil());
  EXPECT_EQ(errors.take(), "tqvFileStream: Cannot open " + dir.file("missing"));
  EXPECT_TRUE(tqvFileStream(dir.name("missing"), TQV_FILE_WRITE, true).isNil());
  EXPECT_TRUE(errors.none());
  // A path of 256 characters is refused even when the file could be made.
  std::string longName = dir.file("") + std::string(256 - dir.file("").size(), 'n');
  EXPECT_TRUE(tqvFileStream(tqvMakeString(longName), TQV_FILE_CREATE, true).isNil());
  std::string fits = dir.file("") + std::string(255 - dir.file("").size(), 'n');
  EXPECT_FALSE(tqvFileStream(tqvMakeString(fits), TQV_FILE_CREATE, true).isNil());
}

TEST(FileStream, TwoWritersNeverShareAFile) {
  TempDir dir;
  tqvHandle first = tqvFileStream(dir.name("shared"), TQV_FILE_CREATE);
  ASSERT_FALSE(first.isNil());
  EXPECT_TRUE(tqvFileStream(dir.name("shared"), TQV_FILE_WRITE, true).isNil());
  EXPECT_TRUE(tqvFileStream(dir.name("shared"), TQV_FILE_READ, true).isNil());
  first = TQV_NIL;
  tqvHandle reader1 = tqvFileStream(dir.name("shared"), TQV_FILE_READ, true);
  tqvHandle reader2 = tqvFileStream(dir.name("shared"), TQV_FILE_READ, true);
  EXPECT_FALSE(reader1.isNil());
  EXPECT_FALSE(reader2.isNil());  // readers share
  EXPECT_TRUE(tqvFileStream(dir.name("shared"), TQV_FILE_CREATE, true).isNil());
}

TEST(FileStream, SystemPathsExistAndDelete) {
  TempDir dir;
  dir.write("Mixed.DAT", "x");
  std::string asked = dir.file("mixed.dat");
  for (char& c : asked) {
    if (c == '/') c = '\\';
  }
  EXPECT_TRUE(tqvFileExists(tqvMakeString(asked)));
  tqvHandle s = tqvFileStream(tqvMakeString(asked), TQV_FILE_READ);
  EXPECT_EQ(readAll(s, 5), "x");
  s = TQV_NIL;
  EXPECT_TRUE(tqvDeleteFile(tqvMakeString(asked)));
  EXPECT_FALSE(tqvFileExists(tqvMakeString(asked)));
  EXPECT_FALSE(tqvDeleteFile(tqvMakeString(asked)));
}

}  // namespace
