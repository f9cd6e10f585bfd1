// Archives: the bytes they write, reopening, replaced items and damaged files.
#include <gtest/gtest.h>

#include "storage/archive.h"
#include "storage/encoding.h"
#include "storage/file_stream.h"
#include "storage/memory_stream.h"
#include "tests/storage/storage_test_support.h"
#include "tests/values/error_capture.h"
#include "values/values.h"

namespace {

using storage_test::hex;
using storage_test::TempDir;

TEST(Archive, AnEmptyArchiveIsItsHeaderAndAnEmptyTable) {
  tqvHandle stream = tqvMemoryStream(nullptr, 0);
  tqvHandle archive = tqvCreateArchive(stream, 0);
  EXPECT_EQ(tqvCount(archive), 0);
  archive = TQV_NIL;
  EXPECT_EQ(storage_test::streamBytes(stream, 14), "0TQV" + hex("08000000 08 00000000 03"));
}

TEST(Archive, ItemsAreWrittenInOrderWithTheTableAfterThem) {
  tqvHandle stream = tqvMemoryStream(nullptr, 0);
  {
    tqvHandle archive = tqvCreateArchive(stream, 3);
    tqvAddItem(archive, tqvMakeInt(1));       // 8: 20 01
    tqvAddItem(archive, tqvMakeString("b"));  // 10: 22 01 62
    tqvAddItem(archive, TQV_NIL);             // 13: 00
    EXPECT_EQ(tqvCount(archive), 3);
  }
  std::string expected =
      "0TQV" + hex("0E000000 2001 220162 00") + hex("08 03000000 03 08000000 0A000000 0D000000");
  EXPECT_EQ(storage_test::streamBytes(stream, expected.size()), expected);
  tqvHandle reopened = tqvOpenArchive(stream, 0);
  EXPECT_EQ(tqvCount(reopened), 3);
  EXPECT_EQ(tqvGet(reopened, 0).intValue(), 1);
  EXPECT_EQ(tqvStringView(tqvGet(reopened, 1)), "b");
  EXPECT_TRUE(tqvGet(reopened, 2).isNil());
}

TEST(Archive, ReplacingAnItemAppendsAndLeavesTheOldBytes) {
  tqvHandle stream = tqvMemoryStream(nullptr, 0);
  {
    tqvHandle archive = tqvCreateArchive(stream, 0);
    tqvAddItem(archive, tqvMakeInt(1));
    tqvAddItem(archive, tqvMakeInt(2));
    tqvPut(archive, 0, tqvMakeInt(5));  // appended at 12
    EXPECT_EQ(tqvGet(archive, 0).intValue(), 5);
  }
  std::string expected =
      "0TQV" + hex("0E000000 2001 2002 2005") + hex("08 02000000 03 0C000000 0A000000");
  EXPECT_EQ(storage_test::streamBytes(stream, expected.size()), expected);
}

TEST(Archive, FilesReopenAndGrow) {
  TempDir dir;
  {
    tqvHandle archive = tqvCreateArchive(dir.name("MARKLIST.DTT"), 0);
    for (int i = 0; i < 100; ++i) tqvAddItem(archive, tqvMakeString("item " + std::to_string(i)));
  }
  {
    tqvHandle archive = tqvOpenArchive(dir.name("MARKLIST.DTT"), 1);
    EXPECT_EQ(tqvCount(archive), 100);
    tqvAddItem(archive, tqvMakeString("one more"));
    tqvPut(archive, 7, tqvMakeString("seven"));
  }
  tqvHandle archive = tqvOpenArchive(dir.name("MARKLIST.DTT"), 0);
  ASSERT_EQ(tqvCount(archive), 101);
  EXPECT_EQ(tqvStringView(tqvGet(archive, 100)), "one more");
  EXPECT_EQ(tqvStringView(tqvGet(archive, 7)), "seven");
  EXPECT_EQ(tqvStringView(tqvGet(archive, 99)), "item 99");
}

TEST(Archive, BytesAfterTheTableAreIgnored) {
  TempDir dir;
  dir.write("a.dat", "0TQV" + hex("0A000000 2007 08 01000000 03 08000000") + "leftover bytes");
  tqvHandle archive = tqvOpenArchive(dir.name("a.dat"), 0);
  ASSERT_EQ(tqvCount(archive), 1);
  EXPECT_EQ(tqvGet(archive, 0).intValue(), 7);
}

TEST(Archive, IndexErrorsAndReadOnlyArchives) {
  ErrorCapture errors;
  tqvHandle stream = tqvMemoryStream(nullptr, 0);
  {
    tqvHandle archive = tqvCreateArchive(stream, 0);
    tqvAddItem(archive, tqvMakeInt(1));
    tqvGet(archive, -1);
    EXPECT_EQ(errors.take(), "Index out of range: -1");
    tqvGet(archive, 1);
    EXPECT_EQ(errors.take(), "Index out of range: 1");
    tqvPut(archive, 3, TQV_NIL);
    EXPECT_EQ(errors.take(), "Index out of range: 3");
    tqvGet(archive, tqvMakeString("key"));  // archives have no keys
    EXPECT_EQ(errors.take(), "Bad type for argument 1 of tqvGet(tableOrCtrlOrForm,hnd).");
  }
  tqvHandle readOnly = tqvOpenArchive(stream, 0);
  tqvAddItem(readOnly, tqvMakeInt(2));
  EXPECT_EQ(errors.take(), "Cannot add item to read-only archive");
  tqvPut(readOnly, 0, tqvMakeInt(2));
  EXPECT_EQ(errors.take(), "Cannot put to read-only archive");
  EXPECT_EQ(tqvCount(readOnly), 1);
}

TEST(Archive, ReadOnlyStreamsAreRefused) {
  ErrorCapture errors;
  TempDir dir;
  dir.write("r.dat", "0TQV" + hex("08000000 08 00000000 03"));
  tqvHandle readStream = tqvFileStream(dir.name("r.dat"), TQV_FILE_READ);
  EXPECT_TRUE(tqvCreateArchive(readStream, 0).isNil());
  EXPECT_EQ(errors.take(), "Cannot create archive from read-only stream");
  EXPECT_TRUE(tqvOpenArchive(readStream, 1).isNil());
  EXPECT_EQ(errors.take(), "Cannot create writable archive from read-only stream");
  EXPECT_EQ(tqvCount(tqvOpenArchive(readStream, 0)), 0);
  EXPECT_TRUE(errors.none());
}

TEST(Archive, ForeignAndDamagedFilesAreNeverWritten) {
  ErrorCapture errors;
  TempDir dir;
  std::string foreign = "PK\x03\x04 not an archive at all";
  dir.write("x.dat", foreign);
  {
    tqvHandle archive = tqvOpenArchive(dir.name("x.dat"), 1);
    EXPECT_EQ(errors.take(), "Version mismatch -- cannot open archive");
    EXPECT_EQ(tqvCount(archive), 0);
    tqvAddItem(archive, tqvMakeInt(1));
    EXPECT_EQ(errors.take(), "Cannot add item to read-only archive");
  }
  EXPECT_EQ(dir.read("x.dat"), foreign);
  std::string pastEnd = "0TQV" + hex("FF000000");
  dir.write("y.dat", pastEnd);
  {
    tqvHandle archive = tqvOpenArchive(dir.name("y.dat"), 1);
    EXPECT_FALSE(errors.none());
    errors.take();
    EXPECT_EQ(tqvCount(archive), 0);
  }
  EXPECT_EQ(dir.read("y.dat"), pastEnd);
  // A table entry that points outside the file gives a report, not a crash.
  dir.write("z.dat", "0TQV" + hex("08000000 08 01000000 03 FFFFFF00"));
  tqvHandle archive = tqvOpenArchive(dir.name("z.dat"), 0);
  EXPECT_EQ(tqvCount(archive), 1);
  EXPECT_TRUE(tqvGet(archive, 0).isNil());
  EXPECT_EQ(errors.take(), "Cannot read TQVBYTE from stream");
}

TEST(Archive, MissingFilesAreReportedByTheStream) {
  ErrorCapture errors;
  TempDir dir;
  EXPECT_TRUE(tqvOpenArchive(dir.name("none.DAT"), 0).isNil());
  EXPECT_EQ(errors.take(), "tqvFileStream: Cannot open " + dir.file("none.DAT"));
}

}  // namespace
