// The desktop back end on SDL's window-less "dummy" video driver: the window and its
// picture, input translation of real SDL events, timers and user messages.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/sdl/sdl_backend.h"
#include "platform/sdl/sdl_keys.h"

namespace {

using tqvPlatform::InputEvent;
using tqvPlatform::Key;
using Type = InputEvent::Type;

class SdlBackend : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("SDL_VIDEODRIVER", "dummy", 1);
    backend_ = tqvPlatform::makeSdlBackend();
    tqvPlatform::WindowSetup setup;
    setup.title = "Zazuzadov Lumbra 98";
    std::string error;
    ASSERT_TRUE(backend_->openWindow(setup, error)) << error;
    // Drop what SDL queued while opening.
    InputEvent ignored;
    while (backend_->nextInput(ignored, 0)) {
    }
  }
  void TearDown() override {
    backend_.reset();
    ::unsetenv("SDL_VIDEODRIVER");
  }
  // The next translated input, waiting up to a second.
  InputEvent next() {
    InputEvent event;
    for (int i = 0; i < 100; ++i) {
      if (backend_->nextInput(event, 10)) return event;
    }
    return InputEvent{};
  }
  std::unique_ptr<tqvPlatform::Backend> backend_;
};

TEST_F(SdlBackend, PictureIsTheBlackMediaArea) {
  tqvPlatform::Picture picture = backend_->picture();
  ASSERT_NE(picture.pixels, nullptr);
  EXPECT_EQ(picture.width, 640);
  EXPECT_EQ(picture.height, 480);
  EXPECT_EQ(picture.stride, 640 * 4);
  EXPECT_EQ(picture.pixels[640 * 480 - 1], 0u);
  EXPECT_FALSE(backend_->headless());
}

TEST_F(SdlBackend, KeysTextAndButtonsAreTranslated) {
  SDL_Event key{};
  key.type = SDL_KEYDOWN;
  key.key.keysym.sym = SDLK_PAGEDOWN;
  key.key.keysym.mod = KMOD_LCTRL;
  SDL_PushEvent(&key);
  key.key.keysym.sym = SDLK_q;
  key.key.keysym.mod = KMOD_RALT | KMOD_LSHIFT;
  SDL_PushEvent(&key);
  SDL_Event text{};
  text.type = SDL_TEXTINPUT;
  SDL_strlcpy(text.text.text, "ã", sizeof text.text.text);
  SDL_PushEvent(&text);
  SDL_Event button{};
  button.type = SDL_MOUSEBUTTONDOWN;
  button.button.button = SDL_BUTTON_LEFT;
  button.button.x = 10;
  button.button.y = 20;
  SDL_PushEvent(&button);

  InputEvent page = next();
  EXPECT_EQ(page.type, Type::KeyDown);
  EXPECT_EQ(page.key, Key::PageDown);
  EXPECT_TRUE(page.modifiers.ctrl);
  EXPECT_FALSE(page.modifiers.alt);
  InputEvent q = next();
  EXPECT_EQ(q.key, static_cast<Key>('q'));
  EXPECT_TRUE(q.modifiers.alt);
  EXPECT_TRUE(q.modifiers.shift);
  InputEvent typed = next();
  EXPECT_EQ(typed.type, Type::Text);
  EXPECT_EQ(typed.text, "ã");
  InputEvent down = next();
  EXPECT_EQ(down.type, Type::ButtonDown);
  EXPECT_EQ(down.button, tqvPlatform::MouseButton::Left);
  EXPECT_TRUE(down.leftHeld);
  // The dummy window is unscaled, so window and media positions agree.
  EXPECT_EQ(down.x, 10);
  EXPECT_EQ(down.y, 20);
}

TEST(SdlKeys, SdlCodesMapToTheNamedKeys) {
  // By SDL's name for the key, with or without a side or the keypad; characters as
  // themselves; anything else is Other.
  const std::pair<SDL_Keycode, Key> cases[] = {
      {SDLK_RETURN, Key::Enter}, {SDLK_KP_ENTER, Key::Enter}, {SDLK_F12, Key::F12},
      {SDLK_RSHIFT, Key::Shift}, {SDLK_LCTRL, Key::Ctrl},     {SDLK_a, static_cast<Key>('a')},
      {SDLK_KP_8, Key::Other},   {SDLK_CAPSLOCK, Key::Other},
  };
  for (const auto& [code, key] : cases) {
    EXPECT_EQ(tqvPlatform::keyFromSdl(code), key) << SDL_GetKeyName(code);
  }
}

TEST_F(SdlBackend, TimersAndUserMessages) {
  backend_->postUserMessage(0x7E8, 42);
  InputEvent message = next();
  EXPECT_EQ(message.type, Type::UserMessage);
  EXPECT_EQ(message.word, 0x7E8);
  EXPECT_EQ(message.param, 42);

  int32_t timer = backend_->startTimer(5);
  ASSERT_GT(timer, 0);
  InputEvent tick = next();
  EXPECT_EQ(tick.type, Type::Timer);
  EXPECT_EQ(tick.timer, timer);
  backend_->stopTimer(timer);
}

TEST(SdlBackendWithoutDisplay, RefusesToRunUnseen) {
  // With no display SDL would fall back to a driver that shows nothing.
  ::unsetenv("SDL_VIDEODRIVER");
  const char* display = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  if (display != nullptr || wayland != nullptr) GTEST_SKIP() << "a display is present";
  auto backend = tqvPlatform::makeSdlBackend();
  std::string error;
  EXPECT_FALSE(backend->openWindow(tqvPlatform::WindowSetup{}, error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(backend->windowOpen());
}

}  // namespace
