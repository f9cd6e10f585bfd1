// File-name mapping: separators, drive roots and case-insensitive lookup.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "platform/file_names.h"
#include "platform/replace_file.h"
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

// Names looked up again after the directory changed, either soon after it was last
// changed (its listing is read again anyway) or long after (the kept listing must notice
// the change).
class ChangingDirectory : public FileNames, public ::testing::WithParamInterface<bool> {
 protected:
  void SetUp() override {
    FileNames::SetUp();
    fs::create_directories(root_ / "Disc/User");
  }
  // Makes the directory look untouched for an hour when the test asks for that.
  void quiet() {
    if (GetParam()) {
      fs::last_write_time(root_ / "Disc/User",
                          fs::file_time_type::clock::now() - std::chrono::hours(1));
    }
  }
  std::string user(std::string_view name) { return root_.file("Disc/User/" + std::string(name)); }
};

TEST_P(ChangingDirectory, AFileCreatedAfterAMissIsFound) {
  quiet();
  EXPECT_FALSE(tqvPlatform::fileExists("D:\\user\\marklist.dtt"));
  root_.write("Disc/User/MARKLIST.DTT", "x");
  EXPECT_EQ(tqvPlatform::mapPath("D:\\user\\marklist.dtt"), user("MARKLIST.DTT"));
}

TEST_P(ChangingDirectory, ADeletedFileIsNoLongerFound) {
  root_.write("Disc/User/RotPesq.DTT", "x");
  quiet();
  EXPECT_EQ(tqvPlatform::mapPath("D:\\User\\rotpesq.dtt"), user("RotPesq.DTT"));
  fs::remove(user("RotPesq.DTT"));
  EXPECT_EQ(tqvPlatform::mapPath("D:\\User\\rotpesq.dtt"), user("rotpesq.dtt"));
  EXPECT_FALSE(tqvPlatform::fileExists("D:\\User\\rotpesq.dtt"));
}

TEST_P(ChangingDirectory, NamesDifferingOnlyByCaseEachKeepTheirOwnFile) {
  root_.write("Disc/User/Prefs.dat", "x");
  root_.write("Disc/User/PREFS.DAT", "x");
  quiet();
  EXPECT_EQ(tqvPlatform::mapPath("D:\\User\\Prefs.dat"), user("Prefs.dat"));
  EXPECT_EQ(tqvPlatform::mapPath("D:\\User\\PREFS.DAT"), user("PREFS.DAT"));
  // Another spelling finds one of them; once it is gone, the other.
  std::string first = tqvPlatform::mapPath("D:\\User\\prefs.dat");
  ASSERT_TRUE(first == user("Prefs.dat") || first == user("PREFS.DAT")) << first;
  fs::remove(first);
  std::string other = first == user("Prefs.dat") ? user("PREFS.DAT") : user("Prefs.dat");
  EXPECT_EQ(tqvPlatform::mapPath("D:\\User\\prefs.dat"), other);
}

TEST_P(ChangingDirectory, TheProgramsOwnWritesAndDeletionsAreSeen) {
  quiet();
  EXPECT_FALSE(tqvPlatform::fileExists("D:\\user\\prefs.dat"));
  std::string error;
  ASSERT_TRUE(tqvPlatform::replaceFile(tqvPlatform::mapPath("D:\\User\\PREFS.DAT"), "x", error));
  EXPECT_EQ(tqvPlatform::mapPath("D:\\user\\prefs.dat"), user("PREFS.DAT"));
  quiet();
  EXPECT_TRUE(tqvPlatform::deleteFile("D:\\user\\prefs.dat"));
  EXPECT_FALSE(tqvPlatform::fileExists("D:\\user\\prefs.dat"));
}

INSTANTIATE_TEST_SUITE_P(SoonOrLongAfterAChange, ChangingDirectory, ::testing::Bool());

}  // namespace
