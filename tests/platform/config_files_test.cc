// INI sections and the registry files.
#include <gtest/gtest.h>

#include "platform/config_files.h"
#include "tests/support/temp_dir.h"

namespace {

using tqvPlatform::Settings;

class ConfigFiles : public ::testing::Test {
 protected:
  TempDir root_;
  ScopedEnv configDirs_{"XDG_CONFIG_DIRS", nullptr};
};

TEST_F(ConfigFiles, SectionKeysInFileOrderFirstValueWins) {
  root_.write("LX98.ini",
              "; comment\n"
              "[Other]\nStartupForm=wrong.frm\n"
              "[tqvEnvironment]\n"
              "StartupForm = intro.frm\n"
              "this line has no equals sign\n"
              "SourceDisk=D:\\\n"
              "StartupForm=second.frm\n"
              "Empty=\n"
              "[After]\nSourceDisk=E:\\\n");
  Settings got = tqvPlatform::readIniSection(root_.file("LX98.ini"), "TQVENVIRONMENT");
  Settings expected = {{"StartupForm", "intro.frm"}, {"SourceDisk", "D:\\"}, {"Empty", ""}};
  EXPECT_EQ(got, expected);
}

TEST_F(ConfigFiles, MissingFileOrSectionGivesNothing) {
  EXPECT_TRUE(tqvPlatform::readIniSection(root_.file("none.ini"), "X").empty());
  root_.write("a.ini", "[Other]\nk=v\n");
  EXPECT_TRUE(tqvPlatform::readIniSection(root_.file("a.ini"), "X").empty());
  // A directory in place of the file is unreadable too.
  EXPECT_TRUE(tqvPlatform::readIniSection(root_.path().string(), "X").empty());
}

TEST_F(ConfigFiles, RegistryFilesFollowTheConfigDirs) {
  configDirs_.set("/one:/two/dir:");
  std::vector<std::string> expected = {"/one/Editora Lumbra/T/1.0/Preferences.ini",
                                       "/two/dir/Editora Lumbra/T/1.0/Preferences.ini"};
  EXPECT_EQ(tqvPlatform::registryFiles("Editora Lumbra", "T", "1.0"), expected);
  configDirs_.set(nullptr);
  EXPECT_EQ(tqvPlatform::registryFiles("V", "T", "2")[0], "/etc/xdg/V/T/2/Preferences.ini");
}

TEST_F(ConfigFiles, MoreImportantRegistryFileWins) {
  root_.write("first/Editora Lumbra/Zazuzadov Lumbra 98/1.0/Preferences.ini",
              "[Preferences]\nSourceDisk=/media/cd\n");
  root_.write("second/Editora Lumbra/Zazuzadov Lumbra 98/1.0/Preferences.ini",
              "[Preferences]\nSourceDisk=/mnt/old\nMediaPath=Midia\n");
  configDirs_.set((root_.file("first") + ":" + root_.file("second")).c_str());
  Settings got = tqvPlatform::readRegistry("Editora Lumbra", "Zazuzadov Lumbra 98", "1.0");
  Settings expected = {{"SourceDisk", "/media/cd"}, {"MediaPath", "Midia"}};
  EXPECT_EQ(got, expected);
}

}  // namespace
