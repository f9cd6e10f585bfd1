// SDL2 window, renderer and event translation.
#include "platform/sdl/sdl_backend.h"

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <map>
#include <vector>

#include "platform/letterbox.h"
#include "platform/process.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_keys.h"
#include "platform/single_instance.h"

namespace tqvPlatform {
namespace {

// Our own SDL event type; its code says which kind of message it carries.
std::atomic<Uint32> ownEventType{0};
enum : Sint32 { kTimerCode = 1, kUserMessageCode = 2 };

// The largest picture made, in device pixels (a 4K screen at 3x fits well inside).
constexpr int64_t kLargestPicturePixels = int64_t{1} << 26;

Uint32 ownEvents() {
  if (ownEventType == 0) ownEventType = SDL_RegisterEvents(1);
  return ownEventType;
}

Uint32 timerTick(Uint32 interval, void* param) {
  SDL_Event event{};
  event.type = ownEventType;
  event.user.code = kTimerCode;
  event.user.data1 = param;
  SDL_PushEvent(&event);
  return interval;
}

// A key, as a 16x16 two-colour cursor: X black, . white, blank transparent.
const char* const kKeyCursor[16] = {
    "                ", "                ", "  XXXX          ", " X....X         ",
    "X......XXXXXXXXX", "X..XX..........X", "X..XX..........X", "X......XXX.X.XXX",
    " X....X  X.X.X  ", "  XXXX   XXXXX  ", "                ", "                ",
    "                ", "                ", "                ", "                ",
};

SDL_Cursor* makeKeyCursor() {
  Uint8 data[32] = {};
  Uint8 mask[32] = {};
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      char c = kKeyCursor[y][x];
      Uint8 bit = static_cast<Uint8>(0x80 >> (x % 8));
      if (c == 'X') data[y * 2 + x / 8] |= bit;
      if (c != ' ') mask[y * 2 + x / 8] |= bit;
    }
  }
  return SDL_CreateCursor(data, mask, 16, 16, 1, 5);
}

class SdlBackend : public Backend {
 public:
  ~SdlBackend() override {
    audio_.reset();  // before SDL goes
    closeWindow();
    if (videoStarted_) SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_TIMER | SDL_INIT_EVENTS);
    SDL_Quit();
  }

  bool openWindow(const WindowSetup& setup, std::string& error) override {
    if (window_ != nullptr) closeWindow();
    if (setup.mediaWidth < 1 || setup.mediaHeight < 1 || setup.mediaWidth > 8192 ||
        setup.mediaHeight > 8192) {
      error = "the media area size is not usable";
      return false;
    }
    ::setenv("SDL_VIDEO_X11_WMCLASS", "TQVAppWindow", 0);
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    if (!videoStarted_) {
      if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_TIMER | SDL_INIT_EVENTS) != 0) {
        error = SDL_GetError();
        return false;
      }
      videoStarted_ = true;
    }
    // Without a display SDL falls back to drivers that show nothing; a desktop program
    // would then run unseen. Only take them when asked for by name.
    std::string driver = SDL_GetCurrentVideoDriver() != nullptr ? SDL_GetCurrentVideoDriver() : "";
    const char* wanted = std::getenv("SDL_VIDEODRIVER");
    if ((driver == "offscreen" || driver == "dummy") && (wanted == nullptr || driver != wanted)) {
      error = "no display found (DISPLAY and WAYLAND_DISPLAY are unset); use --headless";
      return false;
    }
    ownEvents();
    setup_ = setup;

    SDL_Rect usable{0, 0, setup.mediaWidth, setup.mediaHeight};
    SDL_GetDisplayUsableBounds(0, &usable);  // keeps the media size when it fails
    Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI;
    int x = SDL_WINDOWPOS_CENTERED;
    int y = SDL_WINDOWPOS_CENTERED;
    int width = setup.mediaWidth;
    int height = setup.mediaHeight;
    if (setup.maximize) {
      // Sized to the screen as well, so it covers it even where no window manager
      // honours the full-screen request.
      flags |= SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_BORDERLESS;
      SDL_Rect screen{0, 0, setup.mediaWidth, setup.mediaHeight};
      SDL_GetDisplayBounds(0, &screen);
      x = screen.x;
      y = screen.y;
      width = screen.w;
      height = screen.h;
    } else {
      flags |= SDL_WINDOW_RESIZABLE;
      // Room for the title bar, so the window fits the screen as a whole.
      int32_t scale = windowScaleFor(setup.mediaWidth, setup.mediaHeight, usable.w, usable.h, 48);
      width *= scale;
      height *= scale;
    }
    window_ = SDL_CreateWindow(setup.title.c_str(), x, y, width, height, flags);
    if (window_ == nullptr) {
      error = SDL_GetError();
      return false;
    }
    SDL_SetWindowMinimumSize(window_, setup.mediaWidth, setup.mediaHeight);
    renderer_ = SDL_CreateRenderer(window_, -1, 0);
    if (renderer_ == nullptr) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    if (renderer_ == nullptr || !makePicture(outputScale())) {
      error = SDL_GetError();
      closeWindow();
      return false;
    }
    cursors_[0] = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
    cursors_[1] = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_HAND);
    cursors_[2] = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_WAIT);
    cursors_[3] = makeKeyCursor();
    SDL_StartTextInput();
    dirty_ = true;
    return true;
  }

  void closeWindow() override {
    for (auto& [id, timer] : timers_) SDL_RemoveTimer(timer);
    timers_.clear();
    if (window_ == nullptr) return;
    SDL_StopTextInput();
    SDL_SetCursor(SDL_GetDefaultCursor());
    for (SDL_Cursor*& cursor : cursors_) {
      if (cursor != nullptr) SDL_FreeCursor(cursor);
      cursor = nullptr;
    }
    if (texture_ != nullptr) SDL_DestroyTexture(texture_);
    if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
    SDL_DestroyWindow(window_);
    texture_ = nullptr;
    renderer_ = nullptr;
    window_ = nullptr;
    pixels_.clear();
  }

  bool windowOpen() const override { return window_ != nullptr; }

  void showWindow() override {
    if (window_ == nullptr) return;
    SDL_ShowWindow(window_);
    SDL_RaiseWindow(window_);
    present();
  }

  void raiseWindow() override {
    if (window_ == nullptr) return;
    SDL_RestoreWindow(window_);
    SDL_RaiseWindow(window_);
  }

  void minimizeWindow() override {
    if (window_ != nullptr) SDL_MinimizeWindow(window_);
  }

  void setCursor(Cursor cursor) override {
    SDL_Cursor* shape = cursors_[static_cast<int>(cursor)];
    if (shape != nullptr) SDL_SetCursor(shape);
  }

  void captureMouse(bool on) override {
    if (window_ != nullptr) SDL_CaptureMouse(on ? SDL_TRUE : SDL_FALSE);
  }

  Picture picture() override {
    if (window_ == nullptr) return {};
    int32_t width = setup_.mediaWidth * scale_;
    return Picture{pixels_.data(), width, setup_.mediaHeight * scale_, width * 4, scale_};
  }

  void invalidate() override { dirty_ = true; }

  bool nextInput(InputEvent& event, int32_t maxWaitMs) override {
    if (instance_ != nullptr && instance_->takeRaiseRequest()) raiseWindow();
    if (dirty_) present();
    if (!videoStarted_) return false;
    SDL_Event raw;
    int got = maxWaitMs > 0 ? SDL_WaitEventTimeout(&raw, maxWaitMs) : SDL_PollEvent(&raw);
    return got != 0 && translate(raw, event);
  }

  uint32_t now() override { return SDL_GetTicks(); }

  int32_t startTimer(uint32_t intervalMs) override {
    if (!videoStarted_) return 0;
    int32_t id = nextTimer_++;
    SDL_TimerID timer = SDL_AddTimer(intervalMs == 0 ? 1 : intervalMs, timerTick,
                                     reinterpret_cast<void*>(static_cast<intptr_t>(id)));
    if (timer == 0) return 0;
    timers_[id] = timer;
    return id;
  }

  void stopTimer(int32_t id) override {
    auto found = timers_.find(id);
    if (found == timers_.end()) return;
    SDL_RemoveTimer(found->second);
    timers_.erase(found);
  }

  void postUserMessage(int32_t word, int32_t param) override {
    if (!videoStarted_) return;
    SDL_Event event{};
    event.type = ownEvents();
    event.user.code = kUserMessageCode;
    event.user.data1 = reinterpret_cast<void*>(static_cast<intptr_t>(word));
    event.user.data2 = reinterpret_cast<void*>(static_cast<intptr_t>(param));
    SDL_PushEvent(&event);
  }

  BoxAnswer messageBox(std::string_view text, std::string_view caption, BoxKind kind) override {
    std::string message(text);
    std::string title(caption);
    SDL_MessageBoxButtonData buttons[2] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, "OK"},
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "Cancel"},
    };
    SDL_MessageBoxData box{};
    box.flags = kind == BoxKind::Warning ? SDL_MESSAGEBOX_WARNING : SDL_MESSAGEBOX_INFORMATION;
    box.window = window_;
    box.title = title.c_str();
    box.message = message.c_str();
    box.numbuttons = kind == BoxKind::OkCancel ? 2 : 1;
    box.buttons = buttons;
    int pressed = -1;
    if (SDL_ShowMessageBox(&box, &pressed) != 0) {
      // No display to show it on: the text still reaches the user through stderr.
      debugOutput(title + ": " + message + "\n");
      return kind == BoxKind::OkCancel ? BoxAnswer::Cancel : BoxAnswer::Ok;
    }
    return pressed == 1 || kind != BoxKind::OkCancel ? BoxAnswer::Ok : BoxAnswer::Cancel;
  }

  AudioOutput& audio() override {
    if (audio_ == nullptr) audio_ = makeSdlAudioOutput();
    return *audio_;
  }

  void setClipboardText(std::string_view text) override {
    clipboard_ = std::string(text);
    if (videoStarted_) SDL_SetClipboardText(clipboard_.c_str());
  }

  // SDL hands the text as one argument to xdg-open, run without a shell.
  bool openDocument(const std::string& pathOrAddress) override {
    return SDL_OpenURL(pathOrAddress.c_str()) == 0;
  }

  std::string clipboardText() override {
    if (!videoStarted_) return clipboard_;
    char* text = SDL_GetClipboardText();
    std::string result = text != nullptr ? text : "";
    SDL_free(text);
    return result;
  }

  void adoptInstance(std::unique_ptr<SingleInstance> instance) override {
    instance_ = std::move(instance);
  }

  bool headless() const override { return false; }

  void delay(uint32_t ms) override { SDL_Delay(ms); }

  void present() override {
    dirty_ = false;
    if (renderer_ == nullptr || texture_ == nullptr) return;
    SDL_UpdateTexture(texture_, nullptr, pixels_.data(), setup_.mediaWidth * scale_ * 4);
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    int outputWidth = 0;
    int outputHeight = 0;
    SDL_GetRendererOutputSize(renderer_, &outputWidth, &outputHeight);
    Letterbox box = fitMedia(setup_.mediaWidth, setup_.mediaHeight, outputWidth, outputHeight);
    SDL_Rect target{box.left, box.top, box.width, box.height};
    SDL_RenderCopy(renderer_, texture_, nullptr, &target);
    SDL_RenderPresent(renderer_);
  }

 private:
  // The whole-number scale at which the media area fits the window's output (device
  // pixels, so a desktop's pixel density counts).
  int32_t outputScale() {
    int outputWidth = setup_.mediaWidth;
    int outputHeight = setup_.mediaHeight;
    if (renderer_ != nullptr) SDL_GetRendererOutputSize(renderer_, &outputWidth, &outputHeight);
    return fitMedia(setup_.mediaWidth, setup_.mediaHeight, outputWidth, outputHeight).scale;
  }

  // A black picture and its texture at `scale`, or at a smaller one the renderer takes;
  // false when not even scale 1 can be made.
  bool makePicture(int32_t scale) {
    SDL_RendererInfo info{};
    SDL_GetRendererInfo(renderer_, &info);
    for (scale = std::max(scale, 1); scale >= 1; --scale) {
      int width = setup_.mediaWidth * scale;
      int height = setup_.mediaHeight * scale;
      if (int64_t{width} * height > kLargestPicturePixels) continue;
      if (info.max_texture_width > 0 &&
          (width > info.max_texture_width || height > info.max_texture_height)) {
        continue;
      }
      SDL_Texture* texture = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888,
                                               SDL_TEXTUREACCESS_STREAMING, width, height);
      if (texture == nullptr) continue;
      if (texture_ != nullptr) SDL_DestroyTexture(texture_);
      texture_ = texture;
      scale_ = scale;
      pixels_.assign(static_cast<size_t>(width) * height, 0);
      return true;
    }
    return false;
  }

  // Window points to media pixels, through the output size (which differs from the
  // window size on scaled desktops).
  void toMedia(int windowX, int windowY, int32_t& x, int32_t& y) {
    int windowWidth = 1;
    int windowHeight = 1;
    int outputWidth = 1;
    int outputHeight = 1;
    SDL_GetWindowSize(window_, &windowWidth, &windowHeight);
    if (renderer_ != nullptr) SDL_GetRendererOutputSize(renderer_, &outputWidth, &outputHeight);
    if (windowWidth <= 0 || windowHeight <= 0) {
      x = windowX;
      y = windowY;
      return;
    }
    int outputX = static_cast<int>(static_cast<int64_t>(windowX) * outputWidth / windowWidth);
    int outputY = static_cast<int>(static_cast<int64_t>(windowY) * outputHeight / windowHeight);
    Letterbox box = fitMedia(setup_.mediaWidth, setup_.mediaHeight, outputWidth, outputHeight);
    outputToMedia(box, outputX, outputY, x, y);
  }

  bool translate(const SDL_Event& raw, InputEvent& event) {
    event = InputEvent{};
    using Type = InputEvent::Type;
    switch (raw.type) {
      case SDL_QUIT:
        event.type = Type::CloseRequested;
        return true;
      case SDL_WINDOWEVENT:
        switch (raw.window.event) {
          case SDL_WINDOWEVENT_CLOSE:
            event.type = Type::CloseRequested;
            return true;
          case SDL_WINDOWEVENT_FOCUS_GAINED:
            event.type = Type::FocusGained;
            return true;
          case SDL_WINDOWEVENT_FOCUS_LOST:
            event.type = Type::FocusLost;
            return true;
          case SDL_WINDOWEVENT_SIZE_CHANGED:
          case SDL_WINDOWEVENT_DISPLAY_CHANGED: {
            int32_t scale = outputScale();
            if (scale != scale_ && makePicture(scale)) {
              event.type = Type::ScaleChanged;
              return true;
            }
            present();
            return false;
          }
          case SDL_WINDOWEVENT_EXPOSED:
          case SDL_WINDOWEVENT_RESTORED:
            present();
            return false;
          default:
            return false;
        }
      case SDL_KEYDOWN:
      case SDL_KEYUP:
        event.type = raw.type == SDL_KEYDOWN ? Type::KeyDown : Type::KeyUp;
        event.key = keyFromSdl(raw.key.keysym.sym);
        event.modifiers = modifiersFromSdl(raw.key.keysym.mod);
        return true;
      case SDL_TEXTINPUT:
        event.type = Type::Text;
        event.text = raw.text.text;
        event.modifiers = modifiersFromSdl(SDL_GetModState());
        return true;
      case SDL_MOUSEMOTION:
        event.type = Type::MouseMove;
        toMedia(raw.motion.x, raw.motion.y, event.x, event.y);
        event.leftHeld = leftHeld_;
        event.rightHeld = rightHeld_;
        return true;
      case SDL_MOUSEWHEEL: {
        // SDL counts notches away from the user as positive; flipped ones are the other
        // way round.
        int notches = raw.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? raw.wheel.y : -raw.wheel.y;
        if (notches == 0) return false;
        int windowX = 0, windowY = 0;
        SDL_GetMouseState(&windowX, &windowY);
        event.type = Type::Wheel;
        event.word = notches;
        toMedia(windowX, windowY, event.x, event.y);
        event.leftHeld = leftHeld_;
        event.rightHeld = rightHeld_;
        return true;
      }
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP: {
        bool down = raw.type == SDL_MOUSEBUTTONDOWN;
        event.type = down ? Type::ButtonDown : Type::ButtonUp;
        if (raw.button.button == SDL_BUTTON_LEFT) {
          event.button = MouseButton::Left;
          leftHeld_ = down;
        } else if (raw.button.button == SDL_BUTTON_RIGHT) {
          event.button = MouseButton::Right;
          rightHeld_ = down;
        } else {
          event.button = MouseButton::Middle;
        }
        toMedia(raw.button.x, raw.button.y, event.x, event.y);
        event.leftHeld = leftHeld_;
        event.rightHeld = rightHeld_;
        return true;
      }
      default:
        if (raw.type == ownEventType && ownEventType != 0) {
          if (raw.user.code == kTimerCode) {
            int32_t id = static_cast<int32_t>(reinterpret_cast<intptr_t>(raw.user.data1));
            if (timers_.count(id) == 0) return false;  // stopped after the tick was queued
            event.type = Type::Timer;
            event.timer = id;
            return true;
          }
          if (raw.user.code == kUserMessageCode) {
            event.type = Type::UserMessage;
            event.word = static_cast<int32_t>(reinterpret_cast<intptr_t>(raw.user.data1));
            event.param = static_cast<int32_t>(reinterpret_cast<intptr_t>(raw.user.data2));
            return true;
          }
        }
        return false;
    }
  }

  bool videoStarted_ = false;
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  SDL_Cursor* cursors_[4] = {};
  WindowSetup setup_;
  int32_t scale_ = 1;
  std::vector<uint32_t> pixels_;
  bool dirty_ = false;
  bool leftHeld_ = false;
  bool rightHeld_ = false;
  std::map<int32_t, SDL_TimerID> timers_;
  int32_t nextTimer_ = 1;
  std::string clipboard_;
  std::unique_ptr<SingleInstance> instance_;
  std::unique_ptr<AudioOutput> audio_;
};

}  // namespace

std::unique_ptr<Backend> makeSdlBackend() {
  return std::make_unique<SdlBackend>();
}

}  // namespace tqvPlatform
