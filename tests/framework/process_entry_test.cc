// The process entry: the argument list, the order of start-up and clean-up, the second
// instance, and errors under the standard handlers.
#include <gtest/gtest.h>

#include <fstream>

#include "framework/class_registry.h"
#include "framework/environment.h"
#include "framework/process_entry.h"
#include "framework/standard_application.h"
#include "framework/standard_handlers.h"
#include "platform/single_instance.h"
#include "tests/framework/framework_fixture.h"
#include "tests/support/temp_dir.h"
#include "values/generic.h"
#include "values/list.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> items(const tqvHandle& list) {
  std::vector<std::string> out;
  for (TQVINT i = 0; i < tqvCount(list); ++i) out.emplace_back(tqvStringView(tqvGet(list, i)));
  return out;
}

TEST(ArgumentList, SplitsAtEveryBlank) {
  EXPECT_EQ(tqvCount(tqvArgumentList("")), 0);
  EXPECT_TRUE(tqvArgumentList("").is(TQV_LIST_TYPE));
  EXPECT_EQ(items(tqvArgumentList("a b")), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(items(tqvArgumentList("Agenda")), (std::vector<std::string>{"Agenda"}));
  EXPECT_EQ(items(tqvArgumentList("a  b")), (std::vector<std::string>{"a", "", "b"}));
}

TEST(ArgumentList, AnyLengthAndContent) {
  std::string line;
  for (int i = 0; i < 20000; ++i) line += (i > 0 ? " w" : "w") + std::to_string(i);
  tqvHandle list = tqvArgumentList(line);
  ASSERT_EQ(tqvCount(list), 20000);
  EXPECT_EQ(tqvStringView(tqvGet(list, 19999)), "w19999");
  std::string odd("\x01\xFF\"(;)\\", 7);
  EXPECT_EQ(items(tqvArgumentList(odd)), (std::vector<std::string>{odd}));
}

class ProcessEntry : public FrameworkTest {
 protected:
  tqvProcessSetup setup(const std::string& script) {
    tqvProcessSetup s;
    s.program.title = "Lumbra teste";
    s.program.version = "1.0";
    s.program.abbreviation = "LXT";
    s.headless = true;
    s.makeBackend = [script]() -> std::unique_ptr<tqvPlatform::Backend> {
      tqvPlatform::HeadlessOptions options;
      std::string error;
      tqvPlatform::parseScript(script, "entry", options.script, error);
      options.transcript = nullptr;
      return std::make_unique<tqvPlatform::HeadlessBackend>(std::move(options));
    };
    return s;
  }
  TempDir runtime_;  // private, as a runtime directory must be
  ScopedEnv runtimeDir_{"XDG_RUNTIME_DIR", runtime_.path().c_str()};
};

TEST_F(ProcessEntry, RunsTheApplicationMainAndCleansUp) {
  tqvProcessSetup s = setup("quit\n");
  s.words = {"Agenda", "olá"};
  s.program.settings = {{"SourceDisk", "/disc"}};
  static std::vector<std::string> seen;
  static std::string directory;
  static bool standardHandlers = false;
  seen.clear();
  s.applicationMain = [](const tqvHandle& arguments) {
    seen = items(arguments);
    directory = std::string(tqvStringView(tqvProgramDirectory()));
    tqvErrorHandler current = tqvSetErrorHandler(nullptr);
    tqvSetErrorHandler(current);
    standardHandlers = current == tqvStandardErrorHandler;
    (new tqvStandardApplication(arguments))->Run();
    EXPECT_EQ(tqvStringView(tqvGetEnvironment("CDROMPATH")), "/disc");
  };
  EXPECT_EQ(tqvProcessEntry(s), 0);
  EXPECT_EQ(seen, (std::vector<std::string>{"Agenda", "ol\xE1"}));  // code page 1252
  EXPECT_FALSE(directory.empty());
  EXPECT_TRUE(fs::is_directory(directory));
  EXPECT_TRUE(standardHandlers);
  // Afterwards: the test's own program and handlers are back.
  EXPECT_EQ(tqvCurrentApplication(), nullptr);
  EXPECT_EQ(tqvStringView(tqvAppTitle()), "Lumbra");
  EXPECT_EQ(tqvBackend(), nullptr);
  tqvError("after");
  EXPECT_EQ(errors(), (std::vector<std::string>{"after"}));
}

TEST_F(ProcessEntry, FailedScriptGivesStatusOne) {
  tqvProcessSetup s = setup("expect-box nada\n");
  s.applicationMain = [](const tqvHandle& arguments) {
    auto* app = new tqvStandardApplication(arguments);
    app->Run();
  };
  EXPECT_EQ(tqvProcessEntry(s), 1);
}

TEST_F(ProcessEntry, SecondInstanceRaisesTheFirstAndReturnsZero) {
  auto first = tqvPlatform::SingleInstance::acquire(tqvInstanceName("Lumbra teste", true));
  ASSERT_NE(first, nullptr);
  tqvProcessSetup s = setup("");
  static bool ran = false;
  s.applicationMain = [](const tqvHandle&) { ran = true; };
  EXPECT_EQ(tqvProcessEntry(s), 0);
  EXPECT_FALSE(ran);
  EXPECT_TRUE(first->takeRaiseRequest());
  // A desktop start is another instance than a headless one.
  EXPECT_NE(tqvInstanceName("Lumbra teste", false), tqvInstanceName("Lumbra teste", true));
}

class Prototype : public tqvClassObject {
 public:
  std::string_view className() const override { return "LXButton"; }
  tqvHandle makeInstance(const tqvHandle&) override { return tqvHandle(); }
};

using ProcessEntryDeathTest = ProcessEntry;

TEST_F(ProcessEntryDeathTest, ErrorUnderTheStandardHandlersShowsABoxAndExits255) {
  // The child is a fork of this test, so it writes where the parent reads.
  GTEST_FLAG_SET(death_test_style, "fast");
  fs::path transcript = runtime_ / "transcript.txt";
  auto run = [&] {
    tqvProcessSetup s = setup("");
    std::string path = transcript.string();
    s.makeBackend = [path]() -> std::unique_ptr<tqvPlatform::Backend> {
      tqvPlatform::HeadlessOptions options;
      options.transcript = std::fopen(path.c_str(), "w");
      return std::make_unique<tqvPlatform::HeadlessBackend>(std::move(options));
    };
    s.applicationMain = [](const tqvHandle& arguments) {
      auto* app = new tqvStandardApplication(arguments);
      tqvRegisterClass(tqvHandle::wrap(new Prototype, TQV_CLASS_TYPE));
      tqvRegisterClass(tqvHandle::wrap(new Prototype, TQV_CLASS_TYPE));
      app->Run();  // never reached
    };
    tqvProcessEntry(s);
    std::exit(0);
  };
  EXPECT_EXIT(run(), ::testing::ExitedWithCode(255),
              "Class already registered: LXButton\n\n\\[Exiting abnormally\\.\\.\\.\\]");
  std::ifstream file(transcript);
  std::string line;
  std::getline(file, line);
  EXPECT_EQ(line, "box ERROR: Class already registered: LXButton -> ok");
}

}  // namespace
