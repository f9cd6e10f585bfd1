// The application: dispatch of every event type, forwarding to the active form, the life
// cycle of Run in a headless session, and Alt+F4.
#include <gtest/gtest.h>

#include "framework/app_window.h"
#include "framework/cursor.h"
#include "framework/standard_application.h"
#include "tests/framework/framework_fixture.h"
#include "values/list.h"

namespace {

using Calls = std::vector<std::string>;

std::string args(const char* name, std::initializer_list<TQVINT> values) {
  std::string call = name;
  for (TQVINT v : values) call += " " + std::to_string(v);
  return call;
}

// An application that records each operation it receives, then does what its base does.
template <class Base>
class Recording : public Base {
 public:
  Calls calls;
  bool agreeToQuit = true;
  void Initialize() override {
    calls.push_back("Initialize");
    Base::Initialize();
  }
  void Start() override {
    calls.push_back("Start");
    Base::Start();
  }
  bool Quit() override {
    calls.push_back("Quit");
    Base::Quit();
    return agreeToQuit;
  }
  void Terminate() override {
    calls.push_back("Terminate");
    Base::Terminate();
  }
  void Activate() override { calls.push_back("Activate"); }
  void Deactivate() override { calls.push_back("Deactivate"); }
  void MouseMove(TQVINT x, TQVINT y, TQVINT m) override {
    calls.push_back(args("MouseMove", {x, y, m}));
  }
  void MouseDown(TQVINT x, TQVINT y, TQVINT m, TQVINT c) override {
    calls.push_back(args("MouseDown", {x, y, m, c}));
  }
  void MouseDrag(TQVINT x, TQVINT y, TQVINT m) override {
    calls.push_back(args("MouseDrag", {x, y, m}));
  }
  void MouseUp(TQVINT x, TQVINT y, TQVINT m) override {
    calls.push_back(args("MouseUp", {x, y, m}));
  }
  void KeyDown(TQVINT k, TQVINT m) override {
    calls.push_back(args("KeyDown", {k, m}));
    Base::KeyDown(k, m);
  }
  void KeyUp(TQVINT k, TQVINT m) override { calls.push_back(args("KeyUp", {k, m})); }
  void Timer() override { calls.push_back("Timer"); }
  void Inactivity() override { calls.push_back("Inactivity"); }
  void Notify(const tqvHandle& t, const tqvHandle& w) override {
    calls.push_back(args("Notify", {t.intValue(), w.intValue()}));
  }
  void Reserved(TQVINT m) override { calls.push_back(args("Reserved", {m})); }
  void UserMessage(TQVINT w, const tqvHandle& d) override {
    calls.push_back(args("UserMessage", {w, d.intValue()}));
  }
  void NativeMessage(const tqvHandle& d) override { calls.push_back("NativeMessage"); }
};

// A form that records what the application forwards to it.
class RecordingForm : public tqvFormInterface {
 public:
  explicit RecordingForm(Calls& calls) : calls_(calls) {}
  void close() override { calls_.push_back("close"); }
  void activate() override { calls_.push_back("activate"); }
  void deactivate() override { calls_.push_back("deactivate"); }
  void mouseMove(TQVINT x, TQVINT y, TQVINT m) override {
    calls_.push_back(args("mouseMove", {x, y, m}));
  }
  void mouseDown(TQVINT x, TQVINT y, TQVINT m, TQVINT c) override {
    calls_.push_back(args("mouseDown", {x, y, m, c}));
  }
  void mouseDrag(TQVINT x, TQVINT y, TQVINT m) override {
    calls_.push_back(args("mouseDrag", {x, y, m}));
  }
  void mouseUp(TQVINT x, TQVINT y, TQVINT m) override {
    calls_.push_back(args("mouseUp", {x, y, m}));
  }
  void keyDown(TQVINT k, TQVINT m) override { calls_.push_back(args("keyDown", {k, m})); }
  void keyUp(TQVINT k, TQVINT m) override { calls_.push_back(args("keyUp", {k, m})); }
  void timer() override { calls_.push_back("timer"); }
  void inactivity() override { calls_.push_back("inactivity"); }
  void notify(const tqvHandle& t, const tqvHandle& w) override {
    calls_.push_back(args("notify", {t.intValue(), w.intValue()}));
  }
  void reserved(TQVINT m) override { calls_.push_back(args("reserved", {m})); }

 private:
  Calls& calls_;
};

tqvEvent make(TQVINT type, TQVINT x = 0, TQVINT y = 0, TQVINT modifiers = 0, TQVINT word = 0) {
  tqvEvent e;
  e.type = type;
  e.x = x;
  e.y = y;
  e.modifiers = modifiers;
  e.word = word;
  return e;
}

class Application : public FrameworkTest {};

TEST_F(Application, HandleEventCallsTheOperationOfEachType) {
  auto* app = new Recording<tqvApplication>();
  tqvEvent notify = make(TQV_NOTIFY_EVENT);
  tqvHandle pair = tqvMakeList();
  tqvAsList(pair)->append(tqvMakeInt(41));
  tqvAsList(pair)->append(tqvMakeInt(42));
  notify.data1 = pair;
  tqvEvent message = make(TQV_USER_MESSAGE_EVENT, 0, 0, 0, 0x55);
  message.data1 = tqvMakeInt(9);
  const tqvEvent events[] = {
      make(TQV_NULL_EVENT),
      make(TQV_START_EVENT),
      make(TQV_ACTIVATE_EVENT),
      make(TQV_DEACTIVATE_EVENT),
      make(TQV_MOUSE_MOVE_EVENT, 1, 2, 3),
      make(TQV_MOUSE_DOWN_EVENT, 4, 5, 8, 2),
      make(TQV_MOUSE_DRAG_EVENT, 6, 7, 8),
      make(TQV_MOUSE_UP_EVENT, 8, 9, 0),
      make(TQV_KEY_DOWN_EVENT, 0, 0, 2, 'C'),
      make(TQV_KEY_UP_EVENT, 0, 0, 2, 'C'),
      make(TQV_TIMER_EVENT),
      make(TQV_INACTIVITY_EVENT),
      notify,
      make(TQV_RESERVED_EVENT, 0, 0, 5),
      message,
      make(TQV_NATIVE_MESSAGE_EVENT),
      make(0x4000),  // no such type
  };
  for (const tqvEvent& e : events) EXPECT_TRUE(app->HandleEvent(e));
  Calls expected = {
      "Start",           "Activate",      "Deactivate",   "MouseMove 1 2 3",  "MouseDown 4 5 8 2",
      "MouseDrag 6 7 8", "MouseUp 8 9 0", "KeyDown 67 2", "KeyUp 67 2",       "Timer",
      "Inactivity",      "Notify 41 42",  "Reserved 5",   "UserMessage 85 9", "NativeMessage"};
  EXPECT_EQ(app->calls, expected);

  app->calls.clear();
  app->agreeToQuit = false;
  EXPECT_TRUE(app->HandleEvent(make(TQV_QUIT_EVENT)));
  app->agreeToQuit = true;
  EXPECT_FALSE(app->HandleEvent(make(TQV_QUIT_EVENT)));
  EXPECT_EQ(app->calls, (Calls{"Quit", "Quit"}));
}

TEST_F(Application, BaseOperationsForwardToTheActiveForm) {
  tqvPlatform::HeadlessBackend& backend = useHeadless("");
  auto* app = new tqvApplication();
  Calls calls;
  app->setActiveForm(tqvHandle::wrap(new RecordingForm(calls), TQV_FORM_TYPE));
  tqvSetCursor(tqvMakeCursor(tqvPlatform::Cursor::Hand));
  app->Activate();  // resets the cursor first
  EXPECT_EQ(backend.cursor(), tqvPlatform::Cursor::Arrow);
  EXPECT_TRUE(tqvCurrentCursor().isNil());
  app->Deactivate();
  app->MouseMove(1, 2, 0);
  app->MouseDown(1, 2, 8, 3);
  app->MouseDrag(3, 4, 8);
  app->MouseUp(3, 4, 0);
  app->KeyDown(TQV_KEY_LEFT, 1);
  app->KeyUp(TQV_KEY_LEFT, 1);
  app->Timer();
  app->Inactivity();
  app->Notify(tqvMakeInt(1), tqvMakeInt(2));
  app->Reserved(4);
  EXPECT_TRUE(app->Quit());  // asks the form to close
  Calls expected = {"activate",
                    "deactivate",
                    "mouseMove 1 2 0",
                    "mouseDown 1 2 8 3",
                    "mouseDrag 3 4 8",
                    "mouseUp 3 4 0",
                    "keyDown 1310720 1",
                    "keyUp 1310720 1",
                    "timer",
                    "inactivity",
                    "notify 1 2",
                    "reserved 4",
                    "close"};
  EXPECT_EQ(calls, expected);
}

TEST_F(Application, MouseMoveWithoutAFormResetsTheCursor) {
  tqvPlatform::HeadlessBackend& backend = useHeadless("");
  tqvApplication app;
  tqvSetCursor(tqvMakeCursor(tqvPlatform::Cursor::Wait));
  EXPECT_EQ(backend.cursor(), tqvPlatform::Cursor::Wait);
  app.MouseMove(0, 0, 0);
  EXPECT_EQ(backend.cursor(), tqvPlatform::Cursor::Arrow);
}

TEST_F(Application, RunGoesThroughTheLifeCycleAndAltF4Quits) {
  tqvPlatform::HeadlessBackend& backend = useHeadless(
      "click 5 6\n"
      "key Alt+F4\n"
      "click 7 7\n");  // never reached
  auto* app = new Recording<tqvStandardApplication>();
  tqvInstallApplication(app);
  app->Run();
  Calls expected = {
      "Initialize",       "Start", "MouseMove 5 6 0", "MouseDown 5 6 8 1", "MouseUp 5 6 0",
      "KeyDown 262144 4", "Quit",  "Terminate"};
  EXPECT_EQ(app->calls, expected);
  EXPECT_FALSE(backend.windowOpen());  // destroyed at the end
  EXPECT_TRUE(app->mainWindow().isNil());
  EXPECT_GE(backend.presentCount(), 1);  // the first frame was shown
  EXPECT_TRUE(errors().empty());
}

TEST_F(Application, RunEndsWhenTheScriptEndsEvenIfQuitIsRefused) {
  useHeadless("move 1 1\n");
  auto* app = new Recording<tqvApplication>();
  app->agreeToQuit = false;
  app->Run();
  // The close request is refused; the end of the session then stops the loop.
  EXPECT_EQ(app->calls,
            (Calls{"Initialize", "Start", "MouseMove 1 1 0", "Quit", "Quit", "Terminate"}));
}

TEST_F(Application, WindowTakesItsSizeFromTheEnvironment) {
  tqvPlatform::HeadlessBackend& backend = useHeadless("");
  tqvSetAppIdentity(tqvFromUtf8("Título"), tqvMakeString("1.0"), tqvMakeString("T"));
  auto* app = new tqvApplication();
  tqvInstallApplication(app);
  app->setEnvironment("MediaWidth", tqvMakeString("320"));
  app->setEnvironment("MediaHeight", tqvMakeString("200"));
  app->setEnvironment("MaximizeWindow", tqvMakeString("1"));
  tqvHandle window = tqvAppWindow::create(tqvAppTitle());
  ASSERT_NE(tqvAsAppWindow(window), nullptr);
  EXPECT_EQ(backend.windowSetup().mediaWidth, 320);
  EXPECT_EQ(backend.windowSetup().mediaHeight, 200);
  EXPECT_TRUE(backend.windowSetup().maximize);
  EXPECT_EQ(backend.windowSetup().title, "T\xC3\xADtulo");  // UTF-8 at the boundary
  EXPECT_EQ(tqvAsAppWindow(window)->picture().width, 320);
  // Creating the window posted Start.
  EXPECT_EQ(tqvGetEvent(TQV_ALL_EVENTS, 0).type, TQV_START_EVENT);
  tqvAsAppWindow(window)->destroy();
  EXPECT_EQ(tqvAsAppWindow(window)->picture().pixels, nullptr);
}

TEST_F(Application, UnusableWindowIsReportedAndRunReturns) {
  useHeadless("");
  tqvSetAppIdentity(tqvMakeString("Lumbra"), tqvMakeString("1.0"), tqvMakeString("LX98"));
  auto* app = new Recording<tqvApplication>();
  app->setEnvironment("MediaHeight", tqvMakeString("-1"));
  app->Run();
  EXPECT_EQ(errors(), (std::vector<std::string>{"Cannot create window: Lumbra"}));
  EXPECT_TRUE(app->calls.empty());
}

}  // namespace
