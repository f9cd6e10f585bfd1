// File-name mapping: separators, drive roots and case-insensitive lookup.
#include <gtest/gtest.h>

#include "platform/file_names.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

class FileNames : public ::testing::Test {
 protected:
  void SetUp() override {
    root_.write("Disc/FORMS/VrbtForm.etn", "x");
    root_.write("Disc/Índice.html", "x");
    tqvPlatform::setDriveRoot('D', root_.file("Disc"));
  }
  void TearDown() override { tqvPlatform::setDriveRoot('D', ""); }
  TempDir root_;
};

TEST_F(FileNames, DriveBackslashesAndCaseAreResolved) {
  std::string expected = root_.file("Disc/FORMS/VrbtForm.etn");
  EXPECT_EQ(tqvPlatform::mapPath("D:\\forms\\vrbtform.etn"), expected);
  EXPECT_EQ(tqvPlatform::mapPath("d:\\FORMS\\VRBTFORM.ETN"), expected);
  EXPECT_TRUE(tqvPlatform::fileExists("D:\\Forms\\VrbtForm.ETN"));
  EXPECT_FALSE(tqvPlatform::fileExists("D:\\Forms\\Missing.etn"));
}

TEST_F(FileNames, AccentedCapitalsMatchTheirSmallForms) {
  EXPECT_EQ(tqvPlatform::mapPath("D:\\índice.HTML"), root_.file("Disc/Índice.html"));
}

TEST_F(FileNames, MissingNamesKeepTheirSpellingUnderTheFoundDirectory) {
  // A file to be created: the existing directory is found, the new name kept.
  EXPECT_EQ(tqvPlatform::mapPath("D:\\forms\\New.DAT"), root_.file("Disc/FORMS/New.DAT"));
  EXPECT_EQ(tqvPlatform::mapPath("D:\\nowhere\\a\\b"), root_.file("Disc/nowhere/a/b"));
}

TEST_F(FileNames, AbsoluteUnixPathsAndDeletion) {
  std::string file = root_.file("Disc/FORMS/VrbtForm.etn");
  EXPECT_EQ(tqvPlatform::mapPath(file), file);
  EXPECT_TRUE(tqvPlatform::deleteFile("D:\\FORMS\\vrbtform.etn"));
  EXPECT_FALSE(fs::exists(file));
  EXPECT_FALSE(tqvPlatform::deleteFile("D:\\FORMS\\vrbtform.etn"));
}

TEST(FileNamesNoDrive, UnmappedDrivesStartAtTheRoot) {
  EXPECT_EQ(tqvPlatform::mapPath("Q:\\tmp"), "/tmp");
  EXPECT_EQ(tqvPlatform::mapPath("relative\\name.txt"), "relative/name.txt");
}

}  // namespace
