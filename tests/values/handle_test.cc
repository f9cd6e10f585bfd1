// Handles: reference counting, constants, unique values and the pool.
#include <gtest/gtest.h>

#include "values/values.h"

namespace {

// A value type that counts its destructions, to watch the last release.
struct Probe : tqvObject {
  explicit Probe(int* destroyed) : destroyed_(destroyed) {}
  ~Probe() override { ++*destroyed_; }
  int* destroyed_;
};

TEST(Handle, CopyTakesAReferenceAndTheLastReleaseDestroys) {
  int destroyed = 0;
  {
    tqvHandle a = tqvHandle::wrap(new Probe(&destroyed), TQV_CLASS_TYPE);
    EXPECT_EQ(a.object()->refCount(), 1);
    {
      tqvHandle b = a;
      EXPECT_EQ(a.object()->refCount(), 2);
      tqvHandle c;
      c = b;
      EXPECT_EQ(a.object()->refCount(), 3);
    }
    EXPECT_EQ(a.object()->refCount(), 1);
    EXPECT_EQ(destroyed, 0);
  }
  EXPECT_EQ(destroyed, 1);
}

TEST(Handle, AssignmentReleasesTheOldValueAndSurvivesSelfAssignment) {
  int destroyedA = 0, destroyedB = 0;
  tqvHandle a = tqvHandle::wrap(new Probe(&destroyedA), TQV_CLASS_TYPE);
  tqvHandle b = tqvHandle::wrap(new Probe(&destroyedB), TQV_CLASS_TYPE);
  const tqvHandle& alias = a;
  a = alias;
  EXPECT_EQ(destroyedA, 0);
  EXPECT_EQ(a.object()->refCount(), 1);
  a = b;
  EXPECT_EQ(destroyedA, 1);
  EXPECT_EQ(b.object()->refCount(), 2);
  a = tqvMakeInt(3);
  EXPECT_EQ(b.object()->refCount(), 1);
  EXPECT_EQ(destroyedB, 0);
}

TEST(Handle, AssigningAnItemOfAListToTheListItselfIsSafe) {
  tqvHandle outer = tqvMakeList();
  tqvHandle inner = tqvMakeList();
  tqvAddItem(inner, tqvMakeInt(7));
  tqvAddItem(outer, inner);
  inner = TQV_NIL;
  // outer holds the only reference to the inner list; replacing outer by its own item
  // must take the reference before letting go of outer.
  outer = tqvGet(outer, 0);
  ASSERT_TRUE(outer.is(TQV_LIST_TYPE));
  EXPECT_EQ(tqvIntValue(tqvGet(outer, 0)), 7);
}

TEST(Handle, MoveLeavesNil) {
  tqvHandle s = tqvMakeString("x");
  tqvHandle t = std::move(s);
  EXPECT_TRUE(s.isNil());  // NOLINT(bugprone-use-after-move): moved-from state is defined
  EXPECT_EQ(t.object()->refCount(), 1);
}

TEST(Handle, ConstantsAndImmediatesDoNotAllocate) {
  EXPECT_TRUE(TQV_NIL.isNil());
  EXPECT_EQ(TQV_TRUE.type(), TQV_BOOLEAN_TYPE);
  EXPECT_EQ(TQV_TRUE.word(), 1);
  EXPECT_EQ(TQV_FALSE.word(), 0);
  EXPECT_EQ(tqvMakeInt(-5).object(), nullptr);
  EXPECT_EQ(tqvMakeFloat(1.5f).floatValue(), 1.5f);
  EXPECT_EQ(sizeof(tqvHandle), 16u);
}

TEST(Handle, UniqueValuesCountUpFromOneProcessWide) {
  tqvHandle a = tqvNewUnique();
  tqvHandle b = tqvNewUnique();
  EXPECT_EQ(a.type(), TQV_UNIQUE_TYPE);
  EXPECT_GE(a.word(), 1);
  EXPECT_EQ(b.word(), a.word() + 1);
  EXPECT_FALSE(tqvEquals(a, b));
  EXPECT_TRUE(tqvEquals(a, tqvHandle(a)));
}

TEST(Handle, NullObjectHandlesAreReleasedSafely) {
  tqvHandle h = tqvHandle::wrap(nullptr, TQV_STRING_TYPE);
  tqvHandle copy = h;
  EXPECT_EQ(copy.object(), nullptr);
  EXPECT_EQ(tqvStringLength(copy), 0);
}

}  // namespace
