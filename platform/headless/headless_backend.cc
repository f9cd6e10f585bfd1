// The headless back end: scripted input on a virtual clock.
#include "platform/headless/headless_backend.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>

#include "platform/png_writer.h"
#include "platform/process.h"
#include "platform/replace_file.h"

namespace tqvPlatform {
namespace {

// Pumps tolerated after the session was told to end, before the process is stopped: a
// program that ignores the end of its script would otherwise wait forever.
constexpr long kIdleAfterEndLimit = 100000;
constexpr int32_t kLargestMediaSide = 8192;
constexpr int32_t kLargestScale = 4;
constexpr int64_t kLargestPicturePixels = int64_t{1} << 26;

std::string oneLine(std::string_view text) {
  std::string line;
  for (char c : text) {
    if (c == '\n') {
      line += "\\n";
    } else if (c != '\r') {
      line += c;
    }
  }
  return line;
}

InputEvent simpleEvent(InputEvent::Type type) {
  InputEvent event;
  event.type = type;
  return event;
}

}  // namespace

HeadlessBackend::HeadlessBackend(HeadlessOptions options) : options_(std::move(options)) {}

HeadlessBackend::~HeadlessBackend() = default;

int32_t HeadlessBackend::pictureScale(const WindowSetup& setup) const {
  int32_t scale = std::clamp<int32_t>(options_.scale, 1, kLargestScale);
  while (scale > 1 &&
         int64_t{setup.mediaWidth} * setup.mediaHeight * scale * scale > kLargestPicturePixels) {
    --scale;
  }
  return scale;
}

bool HeadlessBackend::openWindow(const WindowSetup& setup, std::string& error) {
  if (setup.mediaWidth < 1 || setup.mediaHeight < 1 || setup.mediaWidth > kLargestMediaSide ||
      setup.mediaHeight > kLargestMediaSide) {
    error = "the media area " + std::to_string(setup.mediaWidth) + "x" +
            std::to_string(setup.mediaHeight) + " is not a usable size";
    return false;
  }
  setup_ = setup;
  scale_ = pictureScale(setup);
  pixels_.assign(static_cast<size_t>(setup.mediaWidth) * setup.mediaHeight * scale_ * scale_, 0);
  open_ = true;
  return true;
}

void HeadlessBackend::closeWindow() {
  open_ = false;
  shown_ = false;
  pixels_.clear();
  pixels_.shrink_to_fit();
}

void HeadlessBackend::showWindow() {
  shown_ = true;
  dirty_ = true;
}

void HeadlessBackend::raiseWindow() {
  ++raises_;
  transcriptLine("raise");
}

Picture HeadlessBackend::picture() {
  if (!open_) return {};
  int32_t width = setup_.mediaWidth * scale_;
  return Picture{pixels_.data(), width, setup_.mediaHeight * scale_, width * 4, scale_};
}

void HeadlessBackend::present() {
  if (dirty_ && shown_) {  // the picture would be shown now
    dirty_ = false;
    ++presents_;
    if (options_.onPresent) options_.onPresent();
  }
}

bool HeadlessBackend::nextInput(InputEvent& event, int32_t maxWaitMs) {
  // Virtual time can race through many pumps a millisecond: look for raise requests
  // only every so often in real time.
  auto realNow = std::chrono::steady_clock::now();
  if (instance_ != nullptr && realNow - lastRaiseCheck_ >= std::chrono::milliseconds(20)) {
    lastRaiseCheck_ = realNow;
    if (instance_->takeRaiseRequest()) raiseWindow();
  }
  present();
  for (;;) {
    if (!pending_.empty()) {
      event = std::move(pending_.front());
      pending_.pop_front();
      return true;
    }
    if (waitLeft_ > 0) {
      if (maxWaitMs <= 0) return false;
      uint32_t step = std::min(waitLeft_, static_cast<uint32_t>(maxWaitMs));
      for (const auto& [id, timer] : timers_) step = std::min(step, timer.due - clock_);
      advanceClock(step);
      waitLeft_ -= step;
      if (pending_.empty()) return false;  // time passed, nothing happened
      continue;
    }
    if (next_ < options_.script.size()) {
      runCommand(options_.script[next_++]);
      continue;
    }
    // The script is over: ask the program to close, then tell it to end.
    if (endings_ < 2) {
      pending_.push_back(simpleEvent(endings_ == 0 ? InputEvent::Type::CloseRequested
                                                   : InputEvent::Type::EndSession));
      ++endings_;
      continue;
    }
    if (++idleAfterEnd_ > kIdleAfterEndLimit) {
      debugOutput(options_.scriptName + ": the program did not end after its script\n");
      std::fflush(options_.transcript);
      std::_Exit(1);
    }
    return false;
  }
}

void HeadlessBackend::advanceClock(uint32_t step) {
  clock_ += step;
  for (auto& [id, timer] : timers_) {
    // Signed difference, so that the clock may wrap.
    if (static_cast<int32_t>(clock_ - timer.due) >= 0) {
      InputEvent tick = simpleEvent(InputEvent::Type::Timer);
      tick.timer = id;
      pending_.push_back(tick);
      timer.due = clock_ + timer.interval;
    }
  }
}

int32_t HeadlessBackend::startTimer(uint32_t intervalMs) {
  uint32_t interval = std::max<uint32_t>(intervalMs, 1);
  int32_t id = nextTimer_++;
  timers_[id] = Timer{interval, clock_ + interval};
  return id;
}

void HeadlessBackend::stopTimer(int32_t id) {
  timers_.erase(id);
}

void HeadlessBackend::postUserMessage(int32_t word, int32_t param) {
  InputEvent message = simpleEvent(InputEvent::Type::UserMessage);
  message.word = word;
  message.param = param;
  pending_.push_back(message);
}

BoxAnswer HeadlessBackend::messageBox(std::string_view text, std::string_view caption,
                                      BoxKind kind) {
  BoxAnswer answer = BoxAnswer::Ok;
  if (kind == BoxKind::OkCancel) {
    // A box shown before the program reads input (at start-up) takes the "answer" line
    // that comes next in the script.
    if (next_ < options_.script.size() &&
        options_.script[next_].kind == ScriptCommand::Kind::Answer) {
      runCommand(options_.script[next_++]);
    }
    answer = answer_;
    answer_ = BoxAnswer::Ok;
  }
  // A program that asks the same question again and again while the script stands still
  // (a disc prompt answered OK with no disc) would never end: it is failed and cancelled.
  bool again = boxShown_ && lastBox_ == text && next_ == scriptAtLastBox_;
  sameBoxes_ = again ? sameBoxes_ + 1 : 0;
  scriptAtLastBox_ = next_;
  if (sameBoxes_ >= kSameBoxLimit && kind == BoxKind::OkCancel) {
    if (sameBoxes_ == kSameBoxLimit) {
      debugOutput(options_.scriptName + ": the same message box came " +
                  std::to_string(kSameBoxLimit) +
                  " times with nothing in between; answered cancel\n");
      status_ = 1;
    }
    answer = BoxAnswer::Cancel;
  }
  boxShown_ = true;
  lastBox_ = std::string(text);
  transcriptLine("box " + oneLine(caption) + ": " + oneLine(text) + " -> " +
                 (answer == BoxAnswer::Ok ? "ok" : "cancel"));
  return answer;
}

void HeadlessBackend::setClipboardText(std::string_view text) {
  clipboard_ = std::string(text);
  transcriptLine("clipboard " + oneLine(clipboard_));
}

AudioOutput& HeadlessBackend::audio() {
  if (audio_ == nullptr) {
    audio_ = makeNullAudioOutput([this](const std::string& line) { transcriptLine(line); });
  }
  return *audio_;
}

void HeadlessBackend::adoptInstance(std::unique_ptr<SingleInstance> instance) {
  instance_ = std::move(instance);
}

void HeadlessBackend::runCommand(const ScriptCommand& command) {
  using Kind = ScriptCommand::Kind;
  switch (command.kind) {
    case Kind::Wait:
      waitLeft_ = static_cast<uint32_t>(command.numbers[0]);
      break;
    case Kind::Scale:
      // As a window moved to a finer screen: a new black picture, and notice of it.
      if (open_ && command.numbers[0] != scale_) {
        options_.scale = command.numbers[0];
        scale_ = pictureScale(setup_);
        pixels_.assign(
            static_cast<size_t>(setup_.mediaWidth) * setup_.mediaHeight * scale_ * scale_, 0);
        pending_.push_back(simpleEvent(InputEvent::Type::ScaleChanged));
      }
      break;
    case Kind::Answer:
      answer_ = command.answer;
      break;
    case Kind::ExpectBox:
      if (!boxShown_) {
        failScript(command, "no message box was shown");
      } else if (lastBox_.find(command.text) == std::string::npos) {
        failScript(command, "the last message box said \"" + oneLine(lastBox_) + "\"");
      }
      break;
    case Kind::ExpectForm: {
      std::string found = options_.activeFormName ? options_.activeFormName() : std::string();
      if (found != command.text) {
        failScript(command,
                   found.empty() ? "no form is active" : "the active form is \"" + found + "\"");
      }
      break;
    }
    case Kind::Shot: {
      std::string name = command.text;
      if (name.size() < 4 || name.compare(name.size() - 4, 4, ".png") != 0) name += ".png";
      std::string path = outputPath(name);
      std::string error;
      if (!writePng(picture(), path, error)) {
        failScript(command, "cannot write " + path + ": " + error);
      } else {
        transcriptLine("shot " + path);
      }
      break;
    }
    case Kind::ClickControl: {
      ScriptCommand click = command;
      click.kind = Kind::Click;
      if (!options_.controlCentre ||
          !options_.controlCentre(command.text, click.numbers[0], click.numbers[1])) {
        failScript(command, "no visible control named \"" + command.text + "\" on screen");
        break;
      }
      appendScriptInput(click, pointer_, pending_);
      break;
    }
    case Kind::Dump: {
      std::string path = outputPath(command.text);
      std::string text = options_.screenDump ? options_.screenDump() : std::string();
      std::string error;
      if (!replaceFile(path, text, error)) {
        failScript(command, "cannot write " + path + ": " + error);
      } else {
        transcriptLine("dump " + path);
      }
      break;
    }
    case Kind::Quit:
      pending_.push_back(simpleEvent(InputEvent::Type::CloseRequested));
      break;
    default:
      appendScriptInput(command, pointer_, pending_);
      break;
  }
}

void HeadlessBackend::failScript(const ScriptCommand& command, const std::string& what) {
  debugOutput(options_.scriptName + ":" + std::to_string(command.line) + ": " + command.source +
              ": " + what + "\n");
  status_ = 1;
  pending_.clear();
  pending_.push_back(simpleEvent(InputEvent::Type::EndSession));
  next_ = options_.script.size();
  waitLeft_ = 0;
  endings_ = 2;
}

std::string HeadlessBackend::outputPath(const std::string& name) const {
  return options_.shotsDirectory.empty() ? name : options_.shotsDirectory + "/" + name;
}

void HeadlessBackend::transcriptLine(const std::string& line) {
  if (options_.transcript == nullptr) return;
  std::fputs(line.c_str(), options_.transcript);
  std::fputc('\n', options_.transcript);
  std::fflush(options_.transcript);  // the process may end abruptly after a box
}

}  // namespace tqvPlatform
