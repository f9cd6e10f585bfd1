// The environment: reads with defaults and conversions, the layers it is filled from
// (defaults, registry file, INI file, command line), the disc-key mirroring, the globals
// and the class registry.
#include <gtest/gtest.h>

#include "framework/class_registry.h"
#include "framework/environment.h"
#include "framework/events.h"
#include "framework/standard_application.h"
#include "tests/framework/framework_fixture.h"
#include "tests/support/temp_dir.h"

namespace {

class Environment : public FrameworkTest {
 protected:
  tqvProgramSetup programSetup() override {
    tqvProgramSetup setup = FrameworkTest::programSetup();
    setup.title = "Zazuzadov Lumbra 98";
    setup.programDirectory = (root_ / "program").string();
    return setup;
  }
  void writeIni(const std::string& body) {
    root_.write("program/lx98.ini", "[TQVENVIRONMENT]\n" + body);
  }
  void writeRegistry(const std::string& body) {
    root_.write("xdg/Editora Lumbra/Zazuzadov Lumbra 98/1.0/Preferences.ini",
                "[Preferences]\n" + body);
  }
  // Runs a standard application through a session that ends at once.
  void runSession() {
    useHeadless("");
    (new tqvStandardApplication())->Run();
  }
  std::string text(std::string_view key) {
    return std::string(tqvStringView(tqvGetEnvironment(key)));
  }

  TempDir root_;  // the program's directory and the system's configuration directory
  ScopedEnv configDirs_{"XDG_CONFIG_DIRS", root_.file("xdg").c_str()};
};

TEST_F(Environment, ReadsWithDefaultsAndConversions) {
  EXPECT_TRUE(tqvGetEnvironment("X").isNil());
  EXPECT_EQ(tqvGetEnvironmentInteger("X", 7), 7);
  tqvSetEnvironment("One", tqvMakeString("1"));
  tqvSetEnvironment("Word", tqvMakeString("true"));
  tqvSetEnvironment("Number", tqvMakeString(" 42abc"));
  tqvSetEnvironmentBoolean("Flag", true);
  EXPECT_TRUE(tqvGetEnvironmentBoolean("One", false));
  EXPECT_FALSE(tqvGetEnvironmentBoolean("Word", true));  // the integer conversion of "true"
  EXPECT_TRUE(tqvGetEnvironmentBoolean("Flag", false));
  EXPECT_TRUE(tqvGetEnvironmentBoolean("Missing", true));
  EXPECT_EQ(tqvGetEnvironmentInteger("Number", 0), 42);
  EXPECT_EQ(tqvGetEnvironmentInteger("Flag", 0), 1);
  EXPECT_EQ(tqvStringView(tqvGetEnvironment("Missing", tqvMakeString("d"))), "d");
  EXPECT_EQ(tqvStringView(tqvGetEnvironment("One", tqvMakeString("d"))), "1");
  EXPECT_TRUE(tqvGetEnvironment("one").isNil());  // keys are case-sensitive
  tqvSetGlobal("G", tqvMakeInt(3));
  EXPECT_EQ(tqvGetGlobal("G").intValue(), 3);
  EXPECT_TRUE(tqvGetGlobal("H").isNil());
}

TEST_F(Environment, IniOverRegistryOverDefaults) {
  writeRegistry("ShowIntro=1\nMediaPath=Midia\nSourceDisk=/reg/disc\nStartupForm=reg.frm\n");
  writeIni("MediaPath=Media2\nStartupForm=\nEventLimit=7\n");
  runtime().commandLineSettings = {{tqvMakeString("SourceDisk"), tqvMakeString("/cli/disc")}};
  runSession();
  EXPECT_EQ(tqvGetEnvironment("TestMode").type(), TQV_BOOLEAN_TYPE);  // a default
  EXPECT_FALSE(tqvGetEnvironmentBoolean("TestMode", true));
  EXPECT_EQ(text("ShowIntro"), "1");           // registry over default
  EXPECT_EQ(text("MediaPath"), "Media2");      // INI over registry and default
  EXPECT_EQ(text("StartupForm"), "reg.frm");   // an empty INI value is skipped
  EXPECT_EQ(text("SourceDisk"), "/cli/disc");  // the command line over everything
  EXPECT_EQ(tqvGetEnvironmentInteger("EventLimit", 0), 7);
  EXPECT_EQ(tqvCurrentEventQueue()->capacity(), 7);  // read when the queue was made
}

TEST_F(Environment, DiscKeysMirrorEachOther) {
  struct Case {
    const char* ini;
    const char* sourceDisk;
    const char* cdrom;
  } cases[] = {
      {"SourceDisk=D:\\\n", "D:\\", "D:\\"},
      {"CDROMPATH=E:\\\n", "E:\\", "E:\\"},
      {"CDROMPATH=E:\\\nSourceDisk=F:\\\n", "F:\\", "E:\\"},  // both given: kept
  };
  for (const Case& c : cases) {
    restartProgram();
    writeIni(c.ini);
    runSession();
    EXPECT_EQ(text("SourceDisk"), c.sourceDisk) << c.ini;
    EXPECT_EQ(text("CDROMPATH"), c.cdrom) << c.ini;
  }
}

TEST_F(Environment, FullInstallSetsTheResourcePath) {
  writeIni("FullInstall=1\nMediaPath=Dados\n");
  runSession();
  EXPECT_EQ(text("ResourcePath"), (root_ / "program").string() + "\\Dados");
}

// A class prototype that answers its name.
class Prototype : public tqvClassObject {
 public:
  explicit Prototype(std::string name) : name_(std::move(name)) {}
  std::string_view className() const override { return name_; }
  tqvHandle makeInstance(const tqvHandle&) override { return tqvHandle(); }

 private:
  std::string name_;
};

tqvHandle prototype(const std::string& name) {
  return tqvHandle::wrap(new Prototype(name), TQV_CLASS_TYPE);
}

TEST_F(Environment, ClassRegistryRefusesASecondRegistration) {
  tqvHandle button = prototype("Button");
  tqvRegisterClass(button);
  tqvRegisterClass(prototype("ListBox"));
  EXPECT_EQ(tqvFindClass("Button").object(), button.object());
  EXPECT_TRUE(tqvFindClass("button").isNil());
  EXPECT_TRUE(tqvGetGlobal("Classes").is(TQV_TABLE_TYPE));
  EXPECT_TRUE(errors().empty());

  tqvRegisterClass(prototype("Button"));
  EXPECT_EQ(errors(), (std::vector<std::string>{"Class already registered: Button"}));
  EXPECT_EQ(tqvFindClass("Button").object(), button.object());  // the first one stays
  errors().clear();
  tqvRegisterClass(tqvMakeInt(1));
  EXPECT_EQ(errors(),
            (std::vector<std::string>{"Bad type for argument 1 of tqvRegisterClass(prototype)."}));
}

}  // namespace
