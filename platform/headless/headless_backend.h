// The back end without a window: a virtual clock that moves only when the script waits,
// input from the script, message boxes answered by the script and written to a
// transcript, and screenshots of the off-screen picture.
#pragma once

#include <chrono>
#include <cstdio>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/headless/script.h"
#include "platform/headless/script_input.h"
#include "platform/platform.h"
#include "platform/single_instance.h"

namespace tqvPlatform {

struct HeadlessOptions {
  std::vector<ScriptCommand> script;  // from parseScript
  std::string scriptName = "script";  // for messages
  std::string shotsDirectory;         // where "shot" writes; empty: the current directory
  std::string printDirectory;
  // Device pixels per media pixel of the picture and the shots (1 to 4).
  int32_t scale = 1;
  std::FILE* transcript = stdout;  // message boxes, shots and raise requests, one a line
  // Called whenever the picture would be shown (for measurements).
  std::function<void()> onPresent;
  // What scripts ask of the program (UTF-8). The name of the active form or top dialog,
  // for "expect-form" (without it every "expect-form" fails); the centre of the named
  // visible control there, for "click-control" (false when there is none); the forms on
  // screen with their controls in the text notation, for "dump".
  std::function<std::string()> activeFormName;
  std::function<bool(const std::string& name, int32_t& x, int32_t& y)> controlCentre;
  std::function<std::string()> screenDump;
};

class HeadlessBackend : public Backend {
 public:
  explicit HeadlessBackend(HeadlessOptions options);
  ~HeadlessBackend() override;

  bool openWindow(const WindowSetup& setup, std::string& error) override;
  void closeWindow() override;
  bool windowOpen() const override { return open_; }
  void showWindow() override;
  void raiseWindow() override;
  void minimizeWindow() override {}
  void setCursor(Cursor cursor) override { cursor_ = cursor; }
  void captureMouse(bool on) override { captured_ = on; }
  Picture picture() override;
  void invalidate() override { dirty_ = true; }
  // Counts a presentation when the picture changed since the last one.
  void present() override;
  // Moves the virtual clock on; timers that fall due queue their input.
  void delay(uint32_t ms) override { advanceClock(ms); }

  // Hands out pending input first. With none: while a "wait" runs, moves the clock on by
  // at most maxWaitMs (stopping at each timer that falls due); otherwise runs the next
  // command. After the last command comes one CloseRequested, then EndSession.
  bool nextInput(InputEvent& event, int32_t maxWaitMs) override;
  uint32_t now() override { return clock_; }
  int32_t startTimer(uint32_t intervalMs) override;
  void stopTimer(int32_t id) override;
  void postUserMessage(int32_t word, int32_t param) override;

  // An OK/Cancel box gets the answer of the last "answer" command (Ok when none; each
  // answer serves one such box); other boxes get Ok. Writes "box CAPTION: TEXT -> ok|cancel" to the
  // transcript.
  BoxAnswer messageBox(std::string_view text, std::string_view caption, BoxKind kind) override;
  // The null output; what it is asked to play goes to the transcript ("audio ..." lines).
  AudioOutput& audio() override;
  // Keeps the text and writes "clipboard TEXT" (on one line) to the transcript.
  void setClipboardText(std::string_view text) override;
  std::string clipboardText() override { return clipboard_; }
  // Writes "open PATH" to the transcript.
  bool openDocument(const std::string& pathOrAddress) override {
    transcriptLine("open " + pathOrAddress);
    return true;
  }
  void adoptInstance(std::unique_ptr<SingleInstance> instance) override;

  int exitStatus() const override { return status_; }
  std::string printDirectory() const override { return options_.printDirectory; }
  bool headless() const override { return true; }

  // For tests and measurements.
  Cursor cursor() const { return cursor_; }
  bool captured() const { return captured_; }
  bool shown() const { return shown_; }
  int presentCount() const { return presents_; }
  int raiseCount() const { return raises_; }
  const std::string& lastBoxText() const { return lastBox_; }
  const WindowSetup& windowSetup() const { return setup_; }

 private:
  void runCommand(const ScriptCommand& command);
  void failScript(const ScriptCommand& command, const std::string& what);
  // Where "shot" and "dump" write a file of that name.
  std::string outputPath(const std::string& name) const;
  void advanceClock(uint32_t step);
  // The scale asked for, reduced until the picture of `setup` is of a reasonable size.
  int32_t pictureScale(const WindowSetup& setup) const;
  void transcriptLine(const std::string& line);

  HeadlessOptions options_;
  size_t next_ = 0;  // next script command
  uint32_t clock_ = 0;
  uint32_t waitLeft_ = 0;  // of the running "wait"
  std::deque<InputEvent> pending_;
  PointerState pointer_;
  struct Timer {
    uint32_t interval;
    uint32_t due;
  };
  std::map<int32_t, Timer> timers_;
  int32_t nextTimer_ = 1;
  BoxAnswer answer_ = BoxAnswer::Ok;
  bool boxShown_ = false;
  std::string lastBox_;
  // Repeats of the last box with the script where it was, and where it was.
  static constexpr int kSameBoxLimit = 20;
  int sameBoxes_ = 0;
  size_t scriptAtLastBox_ = 0;
  std::string clipboard_;
  WindowSetup setup_;
  int32_t scale_ = 1;
  std::vector<uint32_t> pixels_;
  bool open_ = false;
  bool shown_ = false;
  bool dirty_ = false;
  bool captured_ = false;
  Cursor cursor_ = Cursor::Arrow;
  int presents_ = 0;
  int raises_ = 0;
  int status_ = 0;
  int endings_ = 0;  // close and end requests handed out after the script
  long idleAfterEnd_ = 0;
  std::unique_ptr<SingleInstance> instance_;
  std::unique_ptr<AudioOutput> audio_;
  std::chrono::steady_clock::time_point lastRaiseCheck_{};
};

}  // namespace tqvPlatform
