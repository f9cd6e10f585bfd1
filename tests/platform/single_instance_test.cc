// The instance lock and raise requests, within one process (the lock is per open file,
// so a second acquire here meets the first as another process would).
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/single_instance.h"

namespace {

namespace fs = std::filesystem;
using tqvPlatform::SingleInstance;

class SingleInstanceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    runtime_ = fs::temp_directory_path() / ("tqv-run-" + std::to_string(::getpid())) / "sub";
    ::setenv("XDG_RUNTIME_DIR", runtime_.c_str(), 1);
  }
  void TearDown() override { fs::remove_all(runtime_.parent_path()); }
  fs::path runtime_;
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
  ::setenv("XDG_RUNTIME_DIR", (runtime_.parent_path() / "elsewhere").c_str(), 1);
  EXPECT_FALSE(SingleInstance::askToRaise("Here", 50));
  ::setenv("XDG_RUNTIME_DIR", runtime_.c_str(), 1);
  EXPECT_FALSE(first->takeRaiseRequest());
}

}  // namespace
