// Indexes: counting, key text rules, prefix searches, persistence and refusals.
#include <gtest/gtest.h>

#include "storage/index.h"
#include "tests/storage/storage_test_support.h"
#include "tests/values/error_capture.h"
#include "values/values.h"

namespace {

using storage_test::TempDir;

tqvHandle S(const std::string& s) {
  return tqvMakeString(s);
}
tqvHandle I(int v) {
  return tqvMakeInt(v);
}
std::string notation(const tqvHandle& h) {
  return tqvToStdString(h, true);
}

TEST(Index, TheCountKeyCountsItselfAndNewKeysOnly) {
  TempDir dir;
  tqvHandle index = tqvCreateIndex(dir.name("t.idx"));
  EXPECT_EQ(tqvCount(index), 1);
  tqvPut(index, S("Brasil"), I(1));
  tqvPut(index, S("Bravo"), I(2));
  EXPECT_EQ(tqvCount(index), 3);
  tqvPut(index, S("Brasil"), S("again"));
  EXPECT_EQ(tqvCount(index), 3);
  EXPECT_EQ(tqvStringView(tqvGet(index, S("Brasil"))), "again");
  EXPECT_TRUE(tqvGet(index, S("Chile")).isNil());
  EXPECT_FALSE(tqvContainsKey(index, S("Chile")));
  EXPECT_TRUE(tqvContainsKey(index, S("Bravo")));
}

TEST(Index, KeysAreThePlainTextOfAnyValue) {
  TempDir dir;
  tqvHandle index = tqvCreateIndex(dir.name("k.idx"));
  tqvPut(index, I(12), S("twelve"));
  EXPECT_EQ(tqvStringView(tqvGet(index, S("12"))), "twelve");
  std::string k240(240, 'k'), k241 = std::string(239, 'm') + "XY";
  tqvPut(index, S(k240), I(240));
  tqvPut(index, S(k241), I(241));
  EXPECT_EQ(tqvGet(index, S(std::string(239, 'm'))).intValue(), 241);
  EXPECT_EQ(tqvGet(index, S(k241)).intValue(), 241);
  EXPECT_TRUE(tqvGet(index, S(std::string(239, 'k'))).isNil());  // 240 characters stay whole
  tqvHandle keys = tqvPrefixKeys(index, S("kk"), nullptr);
  ASSERT_EQ(tqvCount(keys), 1);
  EXPECT_EQ(tqvStringLength(tqvGet(keys, 0)), 240);
}

TEST(Index, PrefixSearchesInKeyOrder) {
  TempDir dir;
  tqvHandle index = tqvCreateIndex(dir.name("p.idx"));
  tqvPut(index, S("Brz"), I(3));
  tqvPut(index, S("Bravo"), I(2));
  tqvPut(index, S("Brasil"), I(1));
  tqvPut(index, S("abc"), I(4));
  EXPECT_EQ(notation(tqvPrefixValues(index, S("Bra"), nullptr)), "(list 1\n      2)");
  EXPECT_EQ(notation(tqvPrefixKeys(index, S("Br"), nullptr)),
            "(list \"Brasil\"\n      \"Bravo\"\n      \"Brz\")");
  EXPECT_EQ(notation(tqvPrefixKeys(index, S("Brasil"), nullptr)), "(list \"Brasil\")");
  EXPECT_TRUE(tqvPrefixKeys(index, S("zzz"), nullptr).isNil());
  EXPECT_TRUE(tqvPrefixKeys(index, S("Ab"), nullptr).isNil());  // case-sensitive
  EXPECT_TRUE(tqvPrefixKeys(index, S("Brb"), nullptr).isNil());
}

int stopCalls = 0;
TQVINT stopAtSecond() {
  return ++stopCalls == 2 ? 1 : 0;
}

TEST(Index, TheStopCallbackEndsTheSearchAfterTheCurrentItem) {
  TempDir dir;
  tqvHandle index = tqvCreateIndex(dir.name("s.idx"));
  for (const char* k : {"a1", "a2", "a3", "a4"}) tqvPut(index, S(k), S(k));
  stopCalls = 0;
  EXPECT_EQ(notation(tqvPrefixKeys(index, S("a"), stopAtSecond)), "(list \"a1\"\n      \"a2\")");
}

TEST(Index, ValuesPersistAndReadOnlyIndexesRefusePuts) {
  ErrorCapture errors;
  TempDir dir;
  {
    tqvHandle index = tqvCreateIndex(dir.name("VDBName.IDX"));
    tqvHandle record = tqvTable(4);
    tqvPut(record, "Nome", tqvFromUtf8("São Paulo"));
    tqvPut(index, S("SP"), record);
    for (int i = 0; i < 2000; ++i) tqvPut(index, S("item" + std::to_string(i)), I(i));
  }
  tqvHandle index = tqvOpenIndex(dir.name("vdbname.idx"), 0, 0);
  EXPECT_EQ(tqvCount(index), 2002);
  EXPECT_EQ(tqvStringView(tqvGet(tqvGet(index, S("SP")), "Nome")), tqvUtf8ToCp1252("São Paulo"));
  EXPECT_EQ(tqvGet(index, S("item1234")).intValue(), 1234);
  tqvPut(index, S("x"), I(1));
  EXPECT_EQ(errors.take(), "Cannot put objects into a read-only index");
  EXPECT_TRUE(errors.none());
  index = TQV_NIL;
  tqvHandle writable = tqvOpenIndex(dir.name("VDBName.IDX"), 1, 1);
  tqvPut(writable, S("new"), I(5));
  EXPECT_EQ(tqvCount(writable), 2003);
}

TEST(Index, FailedOpensLeaveAnIndexThatFindsNothing) {
  ErrorCapture errors;
  TempDir dir;
  tqvHandle missing = tqvOpenIndex(dir.name("none.idx"), 0, 0);
  EXPECT_EQ(errors.take(), "Cannot open index");
  EXPECT_EQ(missing.type(), TQV_INDEX_TYPE);
  EXPECT_EQ(tqvCount(missing), 0);
  EXPECT_TRUE(tqvGet(missing, S("a")).isNil());
  EXPECT_TRUE(tqvPrefixKeys(missing, S(""), nullptr).isNil());
  tqvOpenIndex(dir.name("none.idx"), 1, 0);
  EXPECT_EQ(errors.take(), "Cannot open index for writing");
  dir.write("junk.idx", std::string(4096, 'j'));
  tqvOpenIndex(dir.name("junk.idx"), 0, 0);
  EXPECT_EQ(errors.take(), "Cannot open index");
}

TEST(Index, ValuesTooLargeForTheRecordAreRefused) {
  ErrorCapture errors;
  TempDir dir;
  tqvHandle index = tqvCreateIndex(dir.name("big.idx"));
  tqvPut(index, S("big"), S(std::string(30001, 'b')));
  EXPECT_EQ(errors.take(), "Cannot put item into index");
  EXPECT_FALSE(tqvContainsKey(index, S("big")));
  tqvPut(index, S("fits"), S(std::string(29990, 'f')));
  EXPECT_TRUE(errors.none());
  EXPECT_EQ(tqvStringLength(tqvGet(index, S("fits"))), 29990);
}

}  // namespace
