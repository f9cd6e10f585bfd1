// The instance lock and raise requests, within one process (the lock is per open file,
// so a second acquire here meets the first as another process would).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include "platform/single_instance.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using tqvPlatform::SingleInstance;

// Every directory the lock may use lies inside one temporary directory; the variables
// are restored afterwards.
class SingleInstanceTest : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directory(dir_ / "tmp"); }
  TempDir dir_;
  fs::path runtime_ = dir_ / "run" / "sub";
  ScopedEnv runtimeDir_{"XDG_RUNTIME_DIR", runtime_.c_str()};
  ScopedEnv tmpDir_{"TMPDIR", dir_.file("tmp").c_str()};
  ScopedEnv cacheHome_{"XDG_CACHE_HOME", dir_.file("cache").c_str()};
};

TEST_F(SingleInstanceTest, SecondAcquireFailsUntilTheFirstEnds) {
  auto first = SingleInstance::acquire("Lumbra test");
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(fs::exists(runtime_));  // made when missing
  EXPECT_EQ(SingleInstance::lockPath("Lumbra test"), (runtime_ / "Lumbra_test.lock").string());
  EXPECT_EQ(SingleInstance::acquire("Lumbra test"), nullptr);
  // Another name is another instance.
  EXPECT_NE(SingleInstance::acquire("Other"), nullptr);
  first.reset();
  EXPECT_NE(SingleInstance::acquire("Lumbra test"), nullptr);
}

TEST_F(SingleInstanceTest, RaiseRequestsReachTheRunningInstanceOnce) {
  auto first = SingleInstance::acquire("Raise me");
  ASSERT_NE(first, nullptr);
  EXPECT_FALSE(first->takeRaiseRequest());
  EXPECT_TRUE(SingleInstance::askToRaise("Raise me", 500));
  EXPECT_TRUE(SingleInstance::askToRaise("Raise me", 500));
  EXPECT_TRUE(first->takeRaiseRequest());  // both requests together
  EXPECT_FALSE(first->takeRaiseRequest());
}

TEST_F(SingleInstanceTest, NobodyToRaise) {
  EXPECT_FALSE(SingleInstance::askToRaise("Nobody", 50));
  // Instances under another runtime directory are not reached.
  auto first = SingleInstance::acquire("Here");
  ASSERT_NE(first, nullptr);
  runtimeDir_.set(dir_.file("elsewhere").c_str());
  EXPECT_FALSE(SingleInstance::askToRaise("Here", 50));
  runtimeDir_.set(runtime_.c_str());
  EXPECT_FALSE(first->takeRaiseRequest());
}

TEST_F(SingleInstanceTest, DirectoriesAnotherUserCouldHaveMadeArePassedOver) {
  // Each refused directory holds a lock file that someone holds; the lock moves on to the
  // next private directory and still keeps a second instance out.
  const fs::path shared = dir_ / "tmp" / ("tqv-runtime-" + std::to_string(::getuid()));
  const fs::path cache = dir_ / "cache" / "tqv-runtime";
  const struct {
    bool runtimeSet;
    fs::path refused;
    bool symlink;  // else a directory open to everyone
    fs::path used;
  } cases[] = {
      {true, runtime_, false, shared},
      {true, runtime_, true, shared},
      {false, shared, false, cache},
      {false, shared, true, cache},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.refused.string() + (c.symlink ? " as a link" : " open to all"));
    for (const fs::path& d : {runtime_, shared, cache, dir_ / "target"}) fs::remove_all(d);
    fs::path holder = c.symlink ? dir_ / "target" : c.refused;
    fs::create_directories(holder);
    fs::permissions(holder, c.symlink ? fs::perms::owner_all : fs::perms::all);
    if (c.symlink) fs::create_directory_symlink(holder, c.refused);
    int foreign = ::open((holder / "Lumbra_test.lock").c_str(), O_RDWR | O_CREAT, 0666);
    ASSERT_EQ(::flock(foreign, LOCK_EX), 0);
    if (!c.runtimeSet) runtimeDir_.set(nullptr);

    auto first = SingleInstance::acquire("Lumbra test");
    EXPECT_NE(first, nullptr);
    EXPECT_EQ(fs::path(SingleInstance::lockPath("Lumbra test")).parent_path(), c.used);
    EXPECT_EQ(SingleInstance::acquire("Lumbra test"), nullptr);
    ::close(foreign);
    runtimeDir_.set(runtime_.c_str());
  }
  // With every directory refused there is no lock, and every start runs.
  runtimeDir_.set(nullptr);
  for (const fs::path& d : {shared, cache}) {
    fs::remove_all(d);
    fs::create_directories(d);
    fs::permissions(d, fs::perms::all);
  }
  auto first = SingleInstance::acquire("Lumbra test");
  EXPECT_NE(first, nullptr);
  EXPECT_NE(SingleInstance::acquire("Lumbra test"), nullptr);
}

}  // namespace
