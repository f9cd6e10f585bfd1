// Equality, truth, numeric conversions, scalar text and dates.
#include <gtest/gtest.h>

#include <ctime>

#include "tests/values/error_capture.h"
#include "values/values.h"

namespace {

std::string plain(const tqvHandle& h) {
  return tqvToStdString(h, false);
}

TEST(Equals, ByTypeWithIntsMeetingFloats) {
  EXPECT_TRUE(tqvEquals(tqvMakeInt(2), tqvMakeFloat(2.0f)));
  EXPECT_TRUE(tqvEquals(tqvMakeFloat(2.0f), tqvMakeInt(2)));
  EXPECT_FALSE(tqvEquals(tqvMakeInt(2), tqvMakeFloat(2.5f)));
  EXPECT_FALSE(tqvEquals(tqvMakeInt(1), TQV_TRUE));
  EXPECT_FALSE(tqvEquals(tqvMakeString("Abc"), tqvMakeString("abc")));
  EXPECT_TRUE(tqvEquals(tqvMakeString("abc"), tqvMakeString("abc")));
  EXPECT_TRUE(tqvEquals(TQV_NIL, tqvHandle()));
  tqvHandle a = tqvMakeList(), b = tqvMakeList();
  tqvAddItem(a, tqvMakeInt(1));
  tqvAddItem(b, tqvMakeInt(1));
  EXPECT_FALSE(tqvEquals(a, b));
  EXPECT_TRUE(tqvEquals(a, tqvHandle(a)));
  EXPECT_TRUE(tqvEquals(tqvMakeFloat(3.0f), 3));
  EXPECT_TRUE(tqvEquals(tqvMakeInt(3), 3));
  EXPECT_FALSE(tqvEquals(tqvMakeString("3"), 3));
  EXPECT_TRUE(tqvEquals(tqvMakeString("Verbetes"), "Verbetes"));
  EXPECT_FALSE(tqvEquals(tqvMakeString("Verbete"), "Verbetes"));
  EXPECT_FALSE(tqvEquals(tqvMakeInt(0), ""));
}

TEST(Truth, OfEveryKind) {
  EXPECT_FALSE(tqvTruth(TQV_NIL));
  EXPECT_FALSE(tqvTruth(tqvMakeFloat(1.0f)));
  EXPECT_TRUE(tqvTruth(TQV_TRUE));
  EXPECT_FALSE(tqvTruth(TQV_FALSE));
  EXPECT_TRUE(tqvTruth(tqvMakeInt(-1)));
  EXPECT_FALSE(tqvTruth(tqvMakeInt(0)));
  EXPECT_TRUE(tqvTruth(tqvMakeString("yes")));
  EXPECT_TRUE(tqvTruth(tqvMakeString("Y")));
  EXPECT_TRUE(tqvTruth(tqvMakeString("true")));
  EXPECT_FALSE(tqvTruth(tqvMakeString("no")));
  EXPECT_FALSE(tqvTruth(tqvMakeString("")));
  EXPECT_FALSE(tqvTruth(tqvMakeString("1")));
  EXPECT_TRUE(tqvTruth(tqvMakeList()));
}

TEST(Conversions, IntFloatAndBool) {
  ErrorCapture errors;
  EXPECT_EQ(tqvIntValue(tqvMakeFloat(-2.7f)), -2);
  EXPECT_EQ(tqvIntValue(tqvMakeString("12abc")), 12);
  EXPECT_EQ(tqvIntValue(tqvMakeString("  -34 ")), -34);
  EXPECT_EQ(tqvIntValue(tqvMakeString("+5")), 5);
  EXPECT_EQ(tqvIntValue(tqvMakeString("true")), 0);
  EXPECT_EQ(tqvIntValue(tqvMakeString("99999999999")), INT32_MAX);
  EXPECT_EQ(tqvIntValue(tqvMakeFloat(1e20f)), INT32_MAX);
  EXPECT_EQ(tqvIntValue(TQV_TRUE), 1);
  EXPECT_DOUBLE_EQ(tqvFloatValue(tqvMakeString(" 2.5e1xyz")), 25.0);
  EXPECT_DOUBLE_EQ(tqvFloatValue(tqvMakeString("-.5")), -0.5);
  EXPECT_DOUBLE_EQ(tqvFloatValue(tqvMakeString("inf")), 0.0);
  EXPECT_DOUBLE_EQ(tqvFloatValue(tqvMakeString("3e")), 3.0);
  EXPECT_DOUBLE_EQ(tqvFloatValue(tqvMakeInt(7)), 7.0);
  EXPECT_EQ(tqvBool(tqvMakeString("true")).intValue(), 0);
  EXPECT_EQ(tqvBool(tqvMakeString("1")).type(), TQV_INT_TYPE);
  EXPECT_EQ(tqvBool(TQV_TRUE).intValue(), 1);
  EXPECT_EQ(tqvBool(tqvMakeFloat(3.9f)).intValue(), 3);
  EXPECT_TRUE(errors.none());
}

TEST(Conversions, SaturatingSumsAndDifferencesStopAtTheLimits) {
  struct Case {
    TQVINT a, b, sum, difference;
  };
  const Case cases[] = {
      {5, 3, 8, 2},
      {INT32_MAX, 1, INT32_MAX, INT32_MAX - 1},
      {INT32_MIN, -1, INT32_MIN, INT32_MIN + 1},
      {INT32_MAX, INT32_MIN, -1, INT32_MAX},
      {INT32_MIN, INT32_MAX, -1, INT32_MIN},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(tqvSaturatingAdd(c.a, c.b), c.sum) << c.a << " + " << c.b;
    EXPECT_EQ(tqvSaturatingSub(c.a, c.b), c.difference) << c.a << " - " << c.b;
  }
}

TEST(Conversions, BadTypesReportAndFallBack) {
  ErrorCapture errors;
  EXPECT_EQ(tqvIntValue(tqvMakeList()), 0);
  EXPECT_EQ(errors.take(), "Bad type for argument 1 of tqvIntValue(numberOrString).");
  EXPECT_EQ(tqvFloatValue(TQV_NIL), 0.0);
  EXPECT_EQ(errors.take(), "Bad type for argument 1 of tqvFloatValue(numberOrString).");
  EXPECT_EQ(tqvBool(tqvTable(4)).intValue(), 0);
  EXPECT_EQ(errors.take(), "Bad type for argument 1 of tqvBool(stringOrBoolOrInt).");
}

TEST(Text, ScalarsInBothForms) {
  EXPECT_EQ(plain(TQV_NIL), "TQV_NIL");
  EXPECT_EQ(plain(TQV_TRUE), "true");
  EXPECT_EQ(plain(TQV_FALSE), "false");
  EXPECT_EQ(plain(tqvMakeInt(-42)), "-42");
  EXPECT_EQ(plain(tqvMakeFloat(0.5f)), "0.5");
  EXPECT_EQ(plain(tqvMakeFloat(1e10f)), "1e+10");
  EXPECT_EQ(plain(tqvHandle::fromUnique(2)), "#<unique 2>");
  EXPECT_EQ(plain(tqvMakeString("a\"b")), "a\"b");
  EXPECT_EQ(tqvToStdString(tqvMakeString("a\"b"), true), "\"a\\\"b\"");
  EXPECT_EQ(plain(tqvMakeDate(1998)), "<application-defined object>");
  EXPECT_EQ(tqvToStdString(tqvMakeDate(1998), true), "<application-defined>");
  EXPECT_EQ(plain(tqvBuffer(4)), "<buffer object>");
  tqvHandle s = tqvMakeString("same");
  EXPECT_EQ(tqvToText(s, false).object(), s.object());  // a string is its own plain text
}

TEST(TypeNames, NamedAndApplicationDefined) {
  EXPECT_STREQ(tqvTypeName(TQV_NIL_TYPE), "TQV_NIL");
  EXPECT_STREQ(tqvTypeName(TQV_SOUND_TYPE), "sound");
  EXPECT_STREQ(tqvTypeName(TQV_CURSOR_TYPE), "cursor");
  EXPECT_STREQ(tqvTypeName(TQV_ARCHIVE_TYPE), "application-defined");
  EXPECT_STREQ(tqvTypeName(13), "application-defined");
}

TEST(Date, FieldsPackIntoTwoWords) {
  // 4 March 1998 10:30:15.250, written out bit by bit.
  tqvHandle d = tqvMakeDate(1998, 3, 4, 10, 30, 15, 250, 7);
  tqvDateObject* date = tqvAsDate(d);
  ASSERT_NE(date, nullptr);
  EXPECT_EQ(static_cast<uint32_t>(date->word1()), (1998u << 14) | (10u << 9) | (4u << 4) | 3u);
  EXPECT_EQ(static_cast<uint32_t>(date->word2()), (7u << 22) | (250u << 12) | (15u << 6) | 30u);
  EXPECT_EQ(date->year(), 1998);
  EXPECT_EQ(date->month(), 3);
  EXPECT_EQ(date->day(), 4);
  EXPECT_EQ(date->hour(), 10);
}

TEST(Date, MissingFieldsAndTheOrderRule) {
  tqvHandle fields = tqvTable(4);
  tqvPut(fields, "Year", tqvMakeInt(1998));
  tqvPut(fields, "Day", tqvMakeInt(4));
  tqvHandle packed = tqvMakeDateFromTable(fields);
  tqvDateObject* date = tqvAsDate(packed);
  ASSERT_NE(date, nullptr);
  EXPECT_EQ(date->month(), 0);
  EXPECT_EQ(date->day(), 0);  // no Month, so Day is not read
  EXPECT_EQ(date->hour(), 31);
  EXPECT_EQ(static_cast<uint32_t>(date->word2()), 0xFFFFFFFFu);  // all fields -1
  // A minute above 63 spills into the second's bits.
  EXPECT_EQ(tqvAsDate(tqvMakeDate(2000, 1, 1, 0, 70, 0, 0, 0))->word2(), 70);
}

TEST(Date, NowMatchesTheLocalClock) {
  std::time_t before = std::time(nullptr);
  tqvHandle now = tqvNow();
  std::tm local{};
  localtime_r(&before, &local);
  EXPECT_EQ(tqvCapacity(now), 9);
  EXPECT_EQ(tqvCount(now), 9);
  EXPECT_EQ(tqvIntValue(tqvGet(now, "Year")), local.tm_year + 1900);
  EXPECT_EQ(tqvIntValue(tqvGet(now, "Month")), local.tm_mon);
  EXPECT_EQ(tqvIntValue(tqvGet(now, "Day of Week")), local.tm_wday);
  EXPECT_GE(tqvIntValue(tqvGet(now, "Seconds")), 0);
  EXPECT_TRUE(tqvGet(now, "Daylight Savings Time").is(TQV_BOOLEAN_TYPE));
}

}  // namespace
