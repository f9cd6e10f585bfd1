// The application: the life cycle of Run in a headless session, Alt+F4, the cursor when
// no form takes input, and the window it opens.
#include <gtest/gtest.h>

#include "framework/app_window.h"
#include "framework/cursor.h"
#include "framework/events.h"
#include "framework/standard_application.h"
#include "tests/framework/framework_fixture.h"

namespace {

using Calls = std::vector<std::string>;

// An application that notes its life-cycle steps and the input that ends a run.
template <class Base>
class LifeCycle : public Base {
 public:
  Calls calls;
  bool agreeToQuit = true;
  void Initialize() override {
    calls.push_back("Initialize");
    Base::Initialize();
  }
  void Start() override { calls.push_back("Start"); }
  bool Quit() override {
    calls.push_back("Quit");
    Base::Quit();
    return agreeToQuit;
  }
  void Terminate() override {
    calls.push_back("Terminate");
    Base::Terminate();
  }
  void MouseDown(TQVINT x, TQVINT y, TQVINT m, TQVINT c) override { calls.push_back("MouseDown"); }
};

class Application : public FrameworkTest {};

TEST_F(Application, RunGoesThroughTheLifeCycleAndAltF4Quits) {
  tqvPlatform::HeadlessBackend& backend = useHeadless(
      "click 5 6\n"
      "key Alt+F4\n"
      "click 7 7\n");  // never reached
  auto* app = new LifeCycle<tqvStandardApplication>();
  app->Run();
  EXPECT_EQ(app->calls, (Calls{"Initialize", "Start", "MouseDown", "Quit", "Terminate"}));
  EXPECT_FALSE(backend.windowOpen());  // destroyed at the end
  EXPECT_TRUE(app->mainWindow().isNil());
  EXPECT_GE(backend.presentCount(), 1);  // the first frame was shown
  EXPECT_TRUE(errors().empty());
}

TEST_F(Application, RunEndsWhenTheScriptEndsEvenIfQuitIsRefused) {
  useHeadless("move 1 1\n");
  auto* app = new LifeCycle<tqvApplication>();
  app->agreeToQuit = false;
  app->Run();
  // The close request is refused; the end of the session then stops the loop.
  EXPECT_EQ(app->calls, (Calls{"Initialize", "Start", "Quit", "Quit", "Terminate"}));
}

TEST_F(Application, WithoutAFormActivationAndMovesResetTheCursor) {
  tqvPlatform::HeadlessBackend& backend = useHeadless("");
  tqvApplication app;
  for (TQVINT type : {TQV_ACTIVATE_EVENT, TQV_MOUSE_MOVE_EVENT}) {
    tqvSetCursor(tqvMakeCursor(tqvPlatform::Cursor::Wait));
    EXPECT_EQ(backend.cursor(), tqvPlatform::Cursor::Wait);
    EXPECT_TRUE(app.HandleEvent(tqvMakeEvent(type)));
    EXPECT_EQ(backend.cursor(), tqvPlatform::Cursor::Arrow) << type;
    EXPECT_TRUE(tqvCurrentCursor().isNil());
  }
}

class TitledApplication : public Application {
  tqvProgramSetup programSetup() override {
    tqvProgramSetup setup = Application::programSetup();
    setup.title = "T\xC3\xADtulo";  // UTF-8, as the program's identity is given
    return setup;
  }
};

TEST_F(TitledApplication, WindowTakesItsSizeFromTheEnvironment) {
  tqvPlatform::HeadlessBackend& backend = useHeadless("");
  auto* app = new tqvApplication();
  app->setEnvironment("MediaWidth", tqvMakeString("320"));
  app->setEnvironment("MediaHeight", tqvMakeString("200"));
  app->setEnvironment("MaximizeWindow", tqvMakeString("1"));
  tqvHandle window = tqvAppWindow::create(tqvAppTitle());
  ASSERT_NE(tqvAsAppWindow(window), nullptr);
  EXPECT_EQ(backend.windowSetup().mediaWidth, 320);
  EXPECT_EQ(backend.windowSetup().mediaHeight, 200);
  EXPECT_TRUE(backend.windowSetup().maximize);
  EXPECT_EQ(backend.windowSetup().title, "T\xC3\xADtulo");  // back to UTF-8 at the boundary
  EXPECT_EQ(tqvAsAppWindow(window)->picture().width, 320);
  // Creating the window posted Start.
  EXPECT_EQ(tqvGetEvent(TQV_ALL_EVENTS, 0).type, TQV_START_EVENT);
  tqvAsAppWindow(window)->destroy();
  EXPECT_EQ(tqvAsAppWindow(window)->picture().pixels, nullptr);
}

TEST_F(Application, UnusableWindowIsReportedAndRunReturns) {
  useHeadless("");
  auto* app = new LifeCycle<tqvApplication>();
  app->setEnvironment("MediaHeight", tqvMakeString("-1"));
  app->Run();
  EXPECT_EQ(errors(), (std::vector<std::string>{"Cannot create window: Lumbra"}));
  EXPECT_TRUE(app->calls.empty());
}

}  // namespace
