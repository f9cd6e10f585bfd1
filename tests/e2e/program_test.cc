// The lx98 program as whole processes: a second start meeting a running instance, the
// desktop back end on SDL's window-less driver, and screenshots read back as pixels.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <thread>

#include "framework/process_entry.h"
#include "platform/single_instance.h"
#include "tests/support/png_reading.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

class Program : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    work_ =
        fs::temp_directory_path() / ("lx98-e2e-" + std::to_string(::getpid()) + "-" + info->name());
    fs::remove_all(work_);
    fs::create_directories(work_);
    env_["XDG_RUNTIME_DIR"] = (work_ / "run").string();
    ::setenv("XDG_RUNTIME_DIR", env_["XDG_RUNTIME_DIR"].c_str(), 1);
  }
  void TearDown() override { fs::remove_all(work_); }

  fs::path writeScript(const std::string& text) {
    fs::path path = work_ / "script.txt";
    std::ofstream(path) << text;
    return path;
  }

  // Starts lx98 with the arguments and this test's environment; its output goes to
  // files under the work directory.
  pid_t start(const std::vector<std::string>& args, const std::string& tag) {
    std::vector<std::string> words = {LX98_PATH};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    std::vector<std::string> vars;
    for (char** e = environ; *e != nullptr; ++e) {
      std::string var = *e;
      if (env_.count(var.substr(0, var.find('='))) == 0) vars.push_back(var);
    }
    for (const auto& [key, value] : env_) vars.push_back(key + "=" + value);
    std::vector<char*> envp;
    for (std::string& v : vars) envp.push_back(v.data());
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    std::string out = (work_ / (tag + ".out")).string();
    std::string err = (work_ / (tag + ".err")).string();
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = -1;
    int rc = posix_spawn(&pid, LX98_PATH, &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    EXPECT_EQ(rc, 0);
    return pid;
  }

  // The exit status, or -1 when the process did not end in time (it is then killed).
  static int finish(pid_t pid, int seconds) {
    auto deadline = Clock::now() + std::chrono::seconds(seconds);
    for (;;) {
      int status = 0;
      if (::waitpid(pid, &status, WNOHANG) == pid) {
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      }
      if (Clock::now() > deadline) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, &status, 0);
        return -1;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }

  std::string output(const std::string& tag, const char* stream) {
    std::ifstream file(work_ / (tag + "." + stream));
    return std::string(std::istreambuf_iterator<char>(file), {});
  }

  // The framework's demo disc and its empty black screen, previewed without the
  // almanac's start-up.
  static std::vector<std::string> emptyScreen() {
    const char* data = std::getenv("TQV_TEST_DATA");
    return {"--disc", std::string(data != nullptr ? data : "tests") + "/e2e/disc", "--form",
            "vazio.frm"};
  }

  fs::path work_;
  std::map<std::string, std::string> env_;
};

TEST_F(Program, SecondStartRaisesTheRunningInstanceAndExitsZero) {
  // This process plays the running instance; the session below would fail if it ran.
  auto first = tqvPlatform::SingleInstance::acquire(
      tqvInstanceName("Zazuzadov Lumbra 98", /*headless=*/true));
  ASSERT_NE(first, nullptr);
  fs::path script = writeScript("expect-box this session must not run\n");
  pid_t second = start({"--headless", "--script", script.string()}, "second");
  EXPECT_EQ(finish(second, 30), 0) << output("second", "err");
  EXPECT_TRUE(first->takeRaiseRequest());
}

// True once some process holds the lock file.
bool lockHeld(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0) return false;
  bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
  ::close(fd);
  return held;
}

TEST_F(Program, DesktopProgramRunsUntilAskedToCloseAndKeepsOneInstance) {
  env_["SDL_VIDEODRIVER"] = "dummy";  // a window with nothing to show it on
  pid_t first = start(emptyScreen(), "first");
  std::string lock = tqvPlatform::SingleInstance::lockPath(
      tqvInstanceName("Zazuzadov Lumbra 98", /*headless=*/false));
  auto deadline = Clock::now() + std::chrono::seconds(30);
  while (!lockHeld(lock) && Clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  ASSERT_TRUE(lockHeld(lock)) << output("first", "err");

  pid_t second = start({"extra", "words"}, "second");
  EXPECT_EQ(finish(second, 30), 0) << output("second", "err");
  int status = 0;
  EXPECT_EQ(::waitpid(first, &status, WNOHANG), 0);  // the first still runs

  ::kill(first, SIGINT);  // arrives as the desktop's quit request
  EXPECT_EQ(finish(first, 30), 0) << output("first", "err");
}

TEST_F(Program, ShotsAreTheBlackMediaAreaOfTheConfiguredSize) {
  fs::path script = writeScript("click 1 1\nshot first\nquit\n");
  std::vector<std::string> args = emptyScreen();
  args.insert(args.end(), {"--headless", "--script", script.string(), "--shots", work_.string()});
  pid_t run = start(args, "a");
  ASSERT_EQ(finish(run, 30), 0) << output("a", "err");
  RgbPicture shot;
  ASSERT_TRUE(readPng((work_ / "first.png").string(), shot));
  EXPECT_EQ(shot.width, 640);
  EXPECT_EQ(shot.height, 480);
  EXPECT_EQ(std::count(shot.rgb.begin(), shot.rgb.end(), 0), 640 * 480 * 3);
  EXPECT_EQ(output("a", "out"), "shot " + (work_ / "first.png").string() + "\n");

  args.insert(args.end(), {"--set", "MediaWidth=320", "--set", "MediaHeight=200"});
  run = start(args, "b");
  ASSERT_EQ(finish(run, 30), 0) << output("b", "err");
  ASSERT_TRUE(readPng((work_ / "first.png").string(), shot));
  EXPECT_EQ(shot.width, 320);
  EXPECT_EQ(shot.height, 200);
}

}  // namespace
