// The generic operations: dispatch, bad-argument reports with their fallbacks, buffers,
// regions, copies, and references and media of later libraries plugging in through their
// hooks (the archives of the storage tests answer the collection hooks).
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <utility>
#include <vector>

#include "tests/values/error_capture.h"
#include "values/values.h"

namespace {

std::string plain(const tqvHandle& h) {
  return tqvToStdString(h, false);
}
std::string badArg(const char* signature) {
  return std::string("Bad type for argument 1 of ") + signature + ".";
}

TEST(Generic, AddJoinsTextsWhenEitherIsAString) {
  ErrorCapture errors;
  EXPECT_EQ(plain(tqvAdd(tqvMakeInt(5), tqvMakeString("x"))), "5x");
  EXPECT_EQ(plain(tqvAdd(tqvMakeString("n="), TQV_NIL)), "n=TQV_NIL");
  EXPECT_EQ(plain(tqvAdd(tqvMakeString("v"), tqvMakeFloat(0.25f))), "v0.25");
  EXPECT_TRUE(tqvAdd(tqvMakeList(), tqvMakeList()).isNil());
  EXPECT_EQ(errors.take(), badArg("tqvAdd(listOrString,listOrString)"));
}

TEST(Generic, CountOfEachCollection) {
  ErrorCapture errors;
  EXPECT_EQ(tqvCount(tqvMakeString("abcd")), 4);
  EXPECT_EQ(tqvCount(tqvBufferFromString(tqvMakeString("abc"))), 3);
  tqvHandle t = tqvTable(4);
  tqvPut(t, "a", TQV_NIL);
  EXPECT_EQ(tqvCount(t), 1);
  EXPECT_EQ(tqvCount(tqvMakeInt(3)), 0);
  EXPECT_EQ(errors.take(), badArg("tqvCount(collection)"));
  EXPECT_EQ(tqvCount(tqvMakeRect(0, 0, 1, 1)), 0);
  EXPECT_EQ(errors.take(), badArg("tqvCount(collection)"));
}

TEST(Generic, BadTypesReportTheirSignaturesAndFallBack) {
  ErrorCapture errors;
  tqvHandle n = tqvMakeInt(1), list = tqvMakeList(), table = tqvTable(4);
  char chars[4];
  // Each call is given a type its operation does not take; the check is on its fallback.
  const std::pair<std::function<bool()>, const char*> cases[] = {
      {[&] { return tqvIndexOf(n, n) == 0; }, "tqvIndexOf(s,hnd [,TQVINT])"},
      {[&] { return tqvFirstIndex(n) == 0; }, "tqvFirstIndex(collection)"},
      {[&] { return tqvNextIndex(n, 0) == 0; }, "tqvNextIndex(collection,TQVINT)"},
      {[&] { return tqvCapacity(n) == 0; }, "tqvCapacity(collection)"},
      {[&] { return tqvLeft(n, 1).isNil(); }, "tqvLeft(stringOrList,TQVINT,TQVINT)"},
      {[&] { return tqvRight(n, 1).isNil(); }, "tqvRight(stringOrList,TQVINT,TQVINT)"},
      {[&] { return tqvMid(n, 0, 1).isNil(); }, "tqvMid(stringOrList,TQVINT,TQVINT)"},
      {[&] { return tqvGet(n, 0).isNil(); }, "tqvGet(collection,TQVINT)"},
      {[&] { return tqvGet(list, tqvMakeString("k")).isNil(); }, "tqvGet(tableOrCtrlOrForm,hnd)"},
      {[&] { return !tqvGetChars(n, chars, 4); }, "tqvGetChars(stringOrBuf,TQVCHAR TQVPTR,TQVINT)"},
      {[&] { return tqvPut(table, 0, n), true; }, "tqvPut(lst,n,obj)"},
      {[&] { return tqvPut(list, n, n), true; }, "tqvPut(tblOrCtrlOrFrm,obj,obj)"},
      {[&] { return tqvGetKey(list, 0).isNil(); }, "tqvGetKey(tblOrCtrlOrFrm,TQVINT)"},
      {[&] { return tqvRemoveKey(n, n), true; }, "tqvRemoveKey(tblOrCtrlOrFrm,obj)"},
      {[&] { return !tqvContainsKey(n, n); }, "tqvContainsKey(tblOrCtrlOrFrm,obj)"},
      {[&] { return tqvAddItem(table, n), true; }, "tqvAddItem(lstOrArchive,obj [,TQVINT])"},
      {[&] { return tqvCopy(tqvNewUnique()).isNil(); }, "tqvCopy( LstTblStr )"},
      {[&] { return tqvCopy(tqvMakeDate(2000)).isNil(); }, "tqvCopy( LstTblStr )"},
      {[&] { return tqvLeft(n) == 0; }, "tqvLeft(ctrlFrmMov)"},
      {[&] { return tqvTop(n) == 0; }, "tqvTop(ctrlFrmMov)"},
      {[&] { return tqvWidth(n) == 0; }, "tqvWidth(imgMovTxtRgn)"},
      {[&] { return tqvHeight(n) == 0; }, "tqvHeight(imgMovTxtRgn)"},
      {[&] { return !tqvContainsPoint(n, 0, 0); }, "tqvContainsPoint(rgn,TQVINT,TQVINT)"},
      {[&] { return tqvPlay(n) == 0; }, "tqvPlay(movOrSnd [,TQVINT,TQVINT,TQVBOOL])"},
      {[&] { return tqvStop(n) == 0; }, "tqvStop(movOrSnd)"},
      {[&] { return tqvIsPlaying(n) == 0; }, "tqvIsPlaying(movOrSnd)"},
      {[&] { return tqvShow(n) == 0; }, "tqvShow(movie)"},
      {[&] { return tqvHide(n) == 0; }, "tqvHide(mov)"},
      {[&] { return tqvMove(n, 1, 2) == 0; }, "tqvMove(mov)"},
      {[&] { return tqvSetSize(n, 1, 2) == 0; }, "tqvSetSize(mov)"},
  };
  for (const auto& [call, signature] : cases) {
    EXPECT_TRUE(call()) << signature;
    EXPECT_EQ(errors.take(), badArg(signature));
  }
}

TEST(Generic, IndexOfInStrings) {
  ErrorCapture errors;
  tqvHandle s = tqvMakeString("banana");
  EXPECT_EQ(tqvIndexOf(s, tqvMakeString("na")), 2);
  EXPECT_EQ(tqvIndexOf(s, tqvMakeString("na"), 3), 4);
  EXPECT_EQ(tqvIndexOf(s, tqvMakeInt('b')), 0);
  EXPECT_EQ(tqvIndexOf(s, tqvMakeList()), -1);
  EXPECT_EQ(errors.take(), "tqvIndexOf(s,hnd,TQVINT): Cannot search for an object of type 8\n");
}

TEST(Generic, FirstAndNextIndexWalkLists) {
  tqvHandle list = tqvMakeList();
  EXPECT_EQ(tqvFirstIndex(list), -1);
  tqvAddItem(list, TQV_NIL, 2);
  EXPECT_EQ(tqvFirstIndex(list), 0);
  EXPECT_EQ(tqvNextIndex(list, 0), 1);
  EXPECT_EQ(tqvNextIndex(list, 1), -1);
}

TEST(Buffer, OwnedViewWrapperAndStringForms) {
  tqvHandle owned = tqvBuffer(16);
  tqvBufferObject* b = tqvAsBuffer(owned);
  EXPECT_EQ(b->capacity(), 16);
  EXPECT_EQ(b->length(), 0);
  std::memcpy(b->data(), "hello world", 11);
  b->setLength(100);
  EXPECT_EQ(b->length(), 16);  // clamped to the capacity
  b->setLength(11);

  tqvHandle view = tqvBufferView(owned, 6, 5);
  owned = TQV_NIL;  // the view keeps its owner alive
  EXPECT_EQ(tqvAsBuffer(view)->bytes(), "world");
  EXPECT_EQ(tqvCapacity(view), 5);
  tqvHandle tooFar = tqvBufferView(view, 3, 50);
  EXPECT_EQ(tqvAsBuffer(tooFar)->bytes(), "ld");

  char outside[8] = "abcdefg";
  {
    tqvHandle wrapper = tqvBufferWrap(outside, 7);
    EXPECT_EQ(tqvCount(wrapper), 7);
    tqvAsBuffer(wrapper)->data()[0] = 'X';
  }
  EXPECT_EQ(outside[0], 'X');  // written through, never freed

  tqvHandle fromString = tqvBufferFromString(tqvMakeString("abc"));
  EXPECT_EQ(tqvCapacity(fromString), 4);
  EXPECT_EQ(tqvCount(fromString), 3);
  EXPECT_EQ(tqvAsBuffer(fromString)->data()[3], 0);
}

TEST(Buffer, GetCharsTruncatesToTheCallerArray) {
  tqvHandle buffer = tqvBufferFromString(tqvMakeString("abcdef"));
  char out[4];
  EXPECT_TRUE(tqvGetChars(buffer, out, 4));
  EXPECT_STREQ(out, "abc");
  char roomy[16];
  EXPECT_TRUE(tqvGetChars(tqvMakeString("xyz"), roomy, 16));
  EXPECT_STREQ(roomy, "xyz");
  EXPECT_FALSE(tqvGetChars(tqvMakeString("xyz"), roomy, 3));
}

TEST(Buffer, CopyHasTheSameBytes) {
  tqvHandle original = tqvBufferFromString(tqvMakeString("data"));
  tqvHandle copy = tqvCopy(original);
  EXPECT_NE(copy.object(), original.object());
  EXPECT_EQ(tqvAsBuffer(copy)->bytes(), "data");
  EXPECT_EQ(tqvCapacity(copy), 4);
}

TEST(Region, GeometryAndContainment) {
  tqvHandle r = tqvMakeRect(10, 20, 110, 70);
  EXPECT_EQ(tqvLeft(r), 10);
  EXPECT_EQ(tqvTop(r), 20);
  EXPECT_EQ(tqvWidth(r), 100);
  EXPECT_EQ(tqvHeight(r), 50);
  EXPECT_TRUE(tqvContainsPoint(r, 10, 20));
  EXPECT_TRUE(tqvContainsPoint(r, 110, 70));  // bounds count as inside
  EXPECT_FALSE(tqvContainsPoint(r, 111, 70));
  EXPECT_TRUE(tqvContainsPoint(tqvMakePoint(3, 4), 3, 4));
}

TEST(Region, PolygonsUseTheEvenOddRule) {
  // A triangle (0,0) (100,0) (0,100): the diagonal edge runs from (100,0) to (0,100).
  tqvHandle triangle = tqvMakePolygon({{0, 0}, {100, 0}, {0, 100}}, 0, 0, 100, 100);
  EXPECT_TRUE(tqvContainsPoint(triangle, 10, 10));
  EXPECT_FALSE(tqvContainsPoint(triangle, 90, 90));  // inside the box, outside the shape
  EXPECT_FALSE(tqvContainsPoint(triangle, 101, 5));
  // A U shape: the notch between the arms is outside.
  tqvHandle u = tqvMakePolygon(
      {{0, 0}, {30, 0}, {30, 30}, {20, 30}, {20, 10}, {10, 10}, {10, 30}, {0, 30}}, 0, 0, 30, 30);
  EXPECT_TRUE(tqvContainsPoint(u, 5, 20));
  EXPECT_TRUE(tqvContainsPoint(u, 25, 20));
  EXPECT_FALSE(tqvContainsPoint(u, 15, 20));
  EXPECT_TRUE(tqvContainsPoint(u, 15, 5));
}

TEST(Region, GeometryFromContentIsHeldNearTheOrigin) {
  // 1 << 24 is the farthest any edge or coordinate may lie.
  struct Case {
    tqvHandle value;
    TQVINT expected;
  };
  const Case coordinates[] = {
      {tqvMakeInt(140), 140},
      {tqvMakeInt(INT32_MAX), 16777216},
      {tqvMakeInt(INT32_MIN), -16777216},
      {tqvMakeFloat(1e308), 16777216},
      {tqvMakeString("12"), 7},  // not a number: the fallback
      {tqvHandle(), 7},
  };
  for (const Case& c : coordinates) EXPECT_EQ(tqvCoordinateOf(c.value, 7), c.expected);

  TQVINT left, top, right, bottom;
  ASSERT_TRUE(tqvRegionEdges(tqvMakeRect(INT32_MIN, 5, INT32_MAX, -100), left, top, right, bottom));
  EXPECT_EQ(std::vector<TQVINT>({left, top, right, bottom}),
            std::vector<TQVINT>({-16777216, 5, 16777216, 5}));
  EXPECT_FALSE(tqvRegionEdges(tqvMakeInt(3), left, top, right, bottom));
}

TEST(Region, CopyIsANewRegionWithTheSamePoints) {
  tqvHandle triangle = tqvMakePolygon({{0, 0}, {10, 0}, {0, 10}}, 0, 0, 10, 10);
  tqvHandle copy = tqvCopy(triangle);
  EXPECT_NE(copy.object(), triangle.object());
  EXPECT_EQ(tqvToStdString(copy, true), "(region (0 0) (10 0) (0 10))");
  EXPECT_EQ(tqvToStdString(tqvCopy(tqvMakeRect(1, 2, 3, 4)), true), "(rect 1 2 2 2)");
}

TEST(Copy, SharesMediaAndFontsAndCopiesScalars) {
  tqvHandle font = tqvMakeFont(tqvMakeString("Arial"), 9, 0);
  EXPECT_EQ(tqvCopy(font).object(), font.object());
  EXPECT_TRUE(tqvCopy(TQV_NIL).isNil());
  EXPECT_EQ(tqvCopy(tqvMakeInt(4)).intValue(), 4);
  tqvHandle s = tqvMakeString("s");
  EXPECT_NE(tqvCopy(s).object(), s.object());
  EXPECT_TRUE(tqvEquals(tqvCopy(s), s));
}

// A stand-in for a resource reference that leads to its target.
class Reference : public tqvObject {
 public:
  explicit Reference(tqvHandle target) : target_(std::move(target)) {}
  tqvHandle referenceTarget() override { return target_; }

 private:
  tqvHandle target_;
};

// A stand-in for a movie that records the forwarded calls.
class Movie : public tqvObject {
 public:
  std::vector<std::string> calls;
  bool opMedia(tqvMediaOp op, const tqvMediaArgs& args, TQVINT& result) override {
    calls.push_back(std::to_string(static_cast<int>(op)) + ":" + std::to_string(args.a) + "," +
                    std::to_string(args.b) + "," + std::to_string(args.c));
    result = 1;
    return true;
  }
  bool opGeometry(tqvGeometry which, TQVINT& result) override {
    result = which == tqvGeometry::Width ? 320 : 0;
    return true;
  }
};

TEST(Hooks, ReferencesAreFollowedWhereTheOperationSaysSo) {
  ErrorCapture errors;
  tqvHandle table = tqvTable(4);
  tqvPut(table, "k", tqvMakeInt(1));
  tqvHandle ref = tqvHandle::wrap(new Reference(table), TQV_REFERENCE_TYPE);
  EXPECT_EQ(tqvIntValue(tqvGet(ref, "k")), 1);
  EXPECT_TRUE(tqvContainsKey(ref, "k"));
  tqvPut(ref, "j", tqvMakeInt(2));
  EXPECT_EQ(tqvCount(table), 2);
  EXPECT_TRUE(errors.none());
  tqvCount(ref);  // counting does not follow references
  EXPECT_EQ(errors.take(), badArg("tqvCount(collection)"));
  EXPECT_EQ(tqvCopy(ref).object(), ref.object());  // shared
}

TEST(Hooks, ReferenceChainsEndAtTheirTargetOrTooDeep) {
  tqvHandle target = tqvTable(4);
  tqvHandle a = tqvHandle::wrap(new Reference(target), TQV_REFERENCE_TYPE);
  tqvHandle b = tqvHandle::wrap(new Reference(a), TQV_REFERENCE_TYPE);
  tqvHandle chain = b;
  for (int i = 0; i < 20; ++i) chain = tqvHandle::wrap(new Reference(chain), TQV_REFERENCE_TYPE);
  EXPECT_TRUE(tqvDereference(chain).isNil());  // too deep
  EXPECT_EQ(tqvDereference(b).object(), target.object());
}

TEST(Hooks, MediaForwardersPassTheirArguments) {
  auto* movie = new Movie();
  tqvHandle h = tqvHandle::wrap(movie, TQV_MOVIE_TYPE);
  tqvHandle ref = tqvHandle::wrap(new Reference(h), TQV_REFERENCE_TYPE);
  EXPECT_EQ(tqvPlay(ref, 3, 9, 1), 1);
  EXPECT_EQ(tqvMove(h, 40, 50), 1);
  EXPECT_EQ(tqvSetSize(h, 320, 240), 1);
  EXPECT_EQ(tqvStop(h), 1);
  EXPECT_EQ(movie->calls,
            (std::vector<std::string>{"0:3,9,1", "5:40,50,0", "6:320,240,0", "1:-1,-1,0"}));
  EXPECT_EQ(tqvWidth(h), 320);
  EXPECT_EQ(tqvCopy(h).object(), movie);
}

}  // namespace
