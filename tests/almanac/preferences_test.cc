// The preferences file, its defaults and damage, and the quit and preferences dialogs
// driven by clicks.
#include <gtest/gtest.h>

#include <string.h>

#include <filesystem>

#include "almanac/app/preferences.h"
#include "almanac/app/system_dialogs.h"
#include "almanac/catalogue/user_files.h"
#include "framework/class_registry.h"
#include "framework/environment.h"
#include "framework/services.h"
#include "tests/controls/controls_fixture.h"
#include "tests/values/error_capture.h"
#include "values/convert.h"

namespace {

class Preferences : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    setEnv("UserDataPath", user_.path().string());
    // The disc's defaults: volume 40, no introduction.
    discFile("Global.tbl",
             R"((table ("Preferences" (table ("Volume" 40) ("ShowIntro" false)
                ("RolloverHelp" true) ("SoundEffects" true) ("PlayNarrator" true)
                ("ShowFullScreen" true) ("FullScreenVideo" true) ("MaximizeWindow" true)))))");
  }
  std::string prefsFile() { return user_.file("PREFS.DAT"); }
  static TQVINT volume() { return tqvServices().waveOutVolume(); }
  static bool flag(const char* key) { return tqvGetEnvironmentBoolean(key, false); }

  TempDir user_;
};

TEST_F(Preferences, FirstRunTakesTheDiscDefaultsAtVolume75AndTheyRoundTrip) {
  tqvHandle preferences = lxLoadPreferences();
  EXPECT_EQ(tqvGet(preferences, "Volume").intValue(), 75);
  EXPECT_EQ(volume(), 74);  // 75 x 65535 / 100 on the device reads back as 74.99
  EXPECT_FALSE(flag("ShowIntro"));
  EXPECT_TRUE(flag("MaximizeWindow"));
  tqvPut(preferences, "Volume", tqvMakeInt(20));
  tqvPut(preferences, "ShowIntro", TQV_TRUE);
  ASSERT_TRUE(lxSavePreferences());

  restartProgram();
  app_ = newApplication();
  setEnv("UserDataPath", user_.path().string());
  useDisc(".");
  lxLoadPreferences();
  EXPECT_EQ(volume(), 20);
  EXPECT_TRUE(flag("ShowIntro"));
}

TEST_F(Preferences, AnEmptyFileIsKeptAndADamagedOneDeleted) {
  struct Case {
    const char* bytes;
    bool kept;
  } cases[] = {{"", true}, {"\x0F\xFF\xFF\xFF\x7F", false}, {"\x03", false}};
  for (const Case& c : cases) {
    user_.write("PREFS.DAT", std::string(c.bytes, strlen(c.bytes)));
    EXPECT_EQ(tqvGet(lxLoadPreferences(), "Volume").intValue(), 75);
    EXPECT_EQ(std::filesystem::exists(prefsFile()), c.kept) << testing::PrintToString(c.bytes);
  }
  EXPECT_TRUE(errors().empty());
}

TEST_F(Preferences, AFailedSaveWarnsAndLosesNothingElse) {
  // A file where the user directory should be: nothing can be written there.
  std::string blocked = user_.write("blocked", "x");
  setEnv("UserDataPath", blocked + "/inside");
  startSession("");
  lxLoadPreferences();
  EXPECT_FALSE(lxSavePreferences());
  EXPECT_NE(transcript().find("Aviso! N"), std::string::npos) << transcript();
}

// A dialog of the class `name` with the preference controls, OK and Cancel.
std::string prefsDialog(const char* name) {
  return std::string(R"((form ("Class" ")") + name +
         R"(") ("Name" "D") ("Width" 300) ("Height" 200) ("Control List" (list
      (control ("Class" "CheckBox") ("Name" "ShowIntro") ("Hot Spot" (rect 10 10 140 20)))
      (control ("Class" "CheckBox") ("Name" "FullVideo") ("Hot Spot" (rect 10 40 140 20)))
      (control ("Class" "CheckBox") ("Name" "SoundEffects") ("Hot Spot" (rect 10 70 140 20)))
      (control ("Class" "Slider") ("Name" "VolumeSlider") ("Hot Spot" (rect 10 100 201 10))
        ("Min" 0) ("Max" 100))
      (control ("Class" "StaticText") ("Name" "VolumeValue") ("Hot Spot" (rect 220 100 70 20)))
      (control ("Class" "Button") ("Name" "OKButton") ("Hot Spot" (rect 10 150 80 30)))
      (control ("Class" "Button") ("Name" "CancelButton") ("Hot Spot" (rect 100 150 90 30)))))))";
}

TEST_F(Preferences, TheDialogAppliesOrPutsTheVolumeBack) {
  tqvRegisterClass(tqvHandle::wrap(new PrefsDlg(), TQV_CLASS_TYPE));
  tqvRegisterClass(tqvHandle::wrap(new QuitDlg(), TQV_CLASS_TYPE));
  // Untick "FullVideo", drag the volume to the far left, OK; then drag again and cancel.
  startSession(
      "click 20 50\nclick 10 105\nclick 20 160\n"
      "click 200 105\nclick 110 160\n"
      "click 20 160\nclick 110 160\n");
  lxLoadPreferences();
  ASSERT_TRUE(flag("ShowFullScreen"));
  tqvSetEnvironment("RolloverHelp", TQV_FALSE);
  tqvRunDialog(read(prefsDialog("PrefsDlg")));
  for (const char* key : {"ShowFullScreen", "FullScreenVideo", "MaximizeWindow"}) {
    EXPECT_FALSE(flag(key)) << key;
    EXPECT_FALSE(tqvFlagOf(tqvGet(lxPreferences(), key), false)) << key;
  }
  EXPECT_TRUE(flag("RolloverHelp"));
  EXPECT_EQ(tqvGet(lxPreferences(), "Volume").intValue(), 0);
  EXPECT_EQ(volume(), 0);

  tqvRunDialog(read(prefsDialog("PrefsDlg")));
  EXPECT_EQ(volume(), 0);  // heard at 100 while dragging, back to 0 on Cancel
  EXPECT_EQ(tqvGet(lxPreferences(), "Volume").intValue(), 0);

  // The quit dialog answers true on OK only.
  EXPECT_TRUE(tqvFlagOf(tqvRunDialog(read(prefsDialog("QuitDlg"))), false));
  EXPECT_TRUE(tqvRunDialog(read(prefsDialog("QuitDlg"))).isNil());
}

}  // namespace
