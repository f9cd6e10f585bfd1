// Atomic replacement: a writer killed at any point leaves the old file or the new one,
// failures leave the old file and say why, and new files get the usual permissions.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/replace_file.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using tqvPlatform::replaceFile;

std::string pattern(size_t size, unsigned step) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * step + size) % 251);
  return bytes;
}

std::string contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::string bytes(fs::file_size(path), '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return bytes;
}

TEST(ReplaceFile, KilledWriterLeavesTheOldOrTheNewFile) {
  TempDir dir;
  const fs::path file = dir / "Agenda.DTT";
  const std::string versions[] = {pattern(4 << 20, 7), pattern((6 << 20) + 123, 13)};
  std::string error;
  ASSERT_TRUE(replaceFile(file, versions[0], error)) << error;
  // Milliseconds before the kill; the writer replaces the file again and again,
  // alternating the two versions, so the kills land at many points of a write.
  pid_t child = 0;
  for (int delayMs : {0, 1, 2, 4, 7, 11, 16, 23, 31, 45, 60, 90}) {
    child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      std::string ignored;
      for (unsigned n = 1;; ++n) replaceFile(file, versions[n % 2], ignored);
    }
    ::usleep(static_cast<useconds_t>(delayMs) * 1000);
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    std::string found = contents(file);
    EXPECT_TRUE(found == versions[0] || found == versions[1])
        << "after " << delayMs << " ms: " << found.size() << " bytes of neither version";
  }
  // Temporaries of killed writers are swept by the next replacement; one of a writer
  // that still runs (here the parent of this test) is left alone.
  std::ofstream(dir / (".Agenda.DTT.tqvtmp." + std::to_string(child) + ".1")) << "killed";
  const fs::path running = dir / (".Agenda.DTT.tqvtmp." + std::to_string(::getppid()) + ".1");
  std::ofstream(running) << "running";
  ASSERT_TRUE(replaceFile(file, "done", error)) << error;
  EXPECT_EQ(contents(file), "done");
  EXPECT_TRUE(fs::exists(running));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);
}

TEST(ReplaceFile, FailureKeepsTheOldFileAndSaysWhy) {
  TempDir dir;
  fs::create_directory(dir / "occupied");
  std::ofstream(dir / "PREFS.DAT") << "old";
  const struct {
    fs::path path;
    rlim_t sizeLimit;  // the largest file this process may write
    std::string reason;
  } cases[] = {
      {dir / "PREFS.DAT", 4096, "File too large"},  // fails in the middle of the write
      {dir / "occupied", RLIM_INFINITY, "Is a directory"},
      {dir / "missing" / "file", RLIM_INFINITY, "No such file or directory"},
  };
  ::signal(SIGXFSZ, SIG_IGN);
  for (const auto& c : cases) {
    rlimit saved, limit;
    ::getrlimit(RLIMIT_FSIZE, &saved);
    limit = {c.sizeLimit, saved.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::string error;
    bool replaced = replaceFile(c.path, pattern(1 << 16, 3), error);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_FALSE(replaced) << c.path;
    EXPECT_NE(error.find(c.reason), std::string::npos) << error;
  }
  ::signal(SIGXFSZ, SIG_DFL);
  std::string error;
  EXPECT_FALSE(tqvPlatform::commitTemporary(dir / "never-written", dir / "PREFS.DAT", error));
  EXPECT_NE(error.find("No such file or directory"), std::string::npos) << error;
  EXPECT_EQ(contents(dir / "PREFS.DAT"), "old");
  EXPECT_TRUE(fs::is_empty(dir / "occupied"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);
}

TEST(ReplaceFile, ReplacementHasTheModeOfANewFile) {
  TempDir dir;
  const fs::path file = dir / "PREFS.DAT";
  std::ofstream(file) << "old";
  fs::permissions(file, fs::perms::owner_read);
  mode_t saved = ::umask(027);
  std::string error;
  bool replaced = replaceFile(file, "new", error);
  ::umask(saved);
  ASSERT_TRUE(replaced) << error;
  struct stat info;
  ASSERT_EQ(::stat(file.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  EXPECT_EQ(contents(file), "new");
}

}  // namespace
