// INI sections and the registry files.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/config_files.h"

namespace {

namespace fs = std::filesystem;
using tqvPlatform::Settings;

class ConfigFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("tqv-config-" + std::to_string(::getpid()));
    fs::create_directories(root_);
    const char* dirs = std::getenv("XDG_CONFIG_DIRS");
    if (dirs != nullptr) savedDirs_ = dirs;
    hadDirs_ = dirs != nullptr;
  }
  void TearDown() override {
    if (hadDirs_) {
      ::setenv("XDG_CONFIG_DIRS", savedDirs_.c_str(), 1);
    } else {
      ::unsetenv("XDG_CONFIG_DIRS");
    }
    fs::remove_all(root_);
  }
  void write(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
  }
  fs::path root_;
  std::string savedDirs_;
  bool hadDirs_ = false;
};

TEST_F(ConfigFiles, SectionKeysInFileOrderFirstValueWins) {
  write(root_ / "LX98.ini",
        "; comment\n"
        "[Other]\nStartupForm=wrong.frm\n"
        "[tqvEnvironment]\n"
        "StartupForm = intro.frm\n"
        "this line has no equals sign\n"
        "SourceDisk=D:\\\n"
        "StartupForm=second.frm\n"
        "Empty=\n"
        "[After]\nSourceDisk=E:\\\n");
  Settings got = tqvPlatform::readIniSection((root_ / "LX98.ini").string(), "TQVENVIRONMENT");
  Settings expected = {{"StartupForm", "intro.frm"}, {"SourceDisk", "D:\\"}, {"Empty", ""}};
  EXPECT_EQ(got, expected);
}

TEST_F(ConfigFiles, MissingFileOrSectionGivesNothing) {
  EXPECT_TRUE(tqvPlatform::readIniSection((root_ / "none.ini").string(), "X").empty());
  write(root_ / "a.ini", "[Other]\nk=v\n");
  EXPECT_TRUE(tqvPlatform::readIniSection((root_ / "a.ini").string(), "X").empty());
  // A directory in place of the file is unreadable too.
  EXPECT_TRUE(tqvPlatform::readIniSection(root_.string(), "X").empty());
}

TEST_F(ConfigFiles, RegistryFilesFollowTheConfigDirs) {
  ::setenv("XDG_CONFIG_DIRS", "/one:/two/dir:", 1);
  std::vector<std::string> expected = {"/one/Editora Lumbra/T/1.0/Preferences.ini",
                                       "/two/dir/Editora Lumbra/T/1.0/Preferences.ini"};
  EXPECT_EQ(tqvPlatform::registryFiles("Editora Lumbra", "T", "1.0"), expected);
  ::unsetenv("XDG_CONFIG_DIRS");
  EXPECT_EQ(tqvPlatform::registryFiles("V", "T", "2")[0], "/etc/xdg/V/T/2/Preferences.ini");
}

TEST_F(ConfigFiles, MoreImportantRegistryFileWins) {
  fs::path first = root_ / "first";
  fs::path second = root_ / "second";
  write(first / "Editora Lumbra/Zazuzadov Lumbra 98/1.0/Preferences.ini",
        "[Preferences]\nSourceDisk=/media/cd\n");
  write(second / "Editora Lumbra/Zazuzadov Lumbra 98/1.0/Preferences.ini",
        "[Preferences]\nSourceDisk=/mnt/old\nMediaPath=Midia\n");
  ::setenv("XDG_CONFIG_DIRS", (first.string() + ":" + second.string()).c_str(), 1);
  Settings got = tqvPlatform::readRegistry("Editora Lumbra", "Zazuzadov Lumbra 98", "1.0");
  Settings expected = {{"SourceDisk", "/media/cd"}, {"MediaPath", "Midia"}};
  EXPECT_EQ(got, expected);
}

}  // namespace
