// The desktop services the framework uses (window, input, clock, timers, message boxes,
// cursors, clipboard, sound output), as one interface with a desktop and a headless back
// end. Text on this interface is UTF-8; positions are media-area pixels.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/audio.h"

namespace tqvPlatform {

class SingleInstance;

// Keys, free of any toolkit's numbering. Printable keys carry their character code in
// lower case ('a', '7', ';'); the rest have names.
enum class Key : int32_t {
  None = 0,
  Backspace = 8,
  Tab = 9,
  Enter = 13,
  Escape = 27,
  Space = 32,
  F1 = 0x100,
  F2,
  F3,
  F4,
  F5,
  F6,
  F7,
  F8,
  F9,
  F10,
  F11,
  F12,
  Insert,
  Delete,
  Home,
  End,
  PageUp,
  PageDown,
  Left,
  Right,
  Up,
  Down,
  Shift,
  Ctrl,
  Alt,
  Other,  // a key with no name here (its typed text, if any, comes as Text)
};

struct Modifiers {
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
};

enum class MouseButton { Left, Right, Middle };

// One piece of input, in the order the user produced it.
struct InputEvent {
  enum class Type {
    None,
    KeyDown,         // key, modifiers (held while the key went down)
    KeyUp,           // key, modifiers (held after the key went up)
    Text,            // text: typed characters, UTF-8
    MouseMove,       // x, y, leftHeld, rightHeld
    ButtonDown,      // button, x, y, leftHeld, rightHeld
    ButtonUp,        // button, x, y, leftHeld, rightHeld
    Wheel,           // word: notches turned (positive toward the user: down), x, y
    FocusGained,     // the window became the active window
    FocusLost,       // another window became active
    CloseRequested,  // the close button, the window manager, or a script's quit
    Timer,           // timer: the id returned by startTimer
    UserMessage,     // word, param: from postUserMessage
    ScaleChanged,    // the picture was made anew, black, at another scale
    EndSession,      // the session must end now (a script finished or failed)
  };
  Type type = Type::None;
  Key key = Key::None;
  Modifiers modifiers;
  std::string text;
  int32_t x = 0;
  int32_t y = 0;
  MouseButton button = MouseButton::Left;
  bool leftHeld = false;
  bool rightHeld = false;
  int32_t timer = 0;
  int32_t word = 0;
  int32_t param = 0;
};

enum class Cursor { Arrow, Hand, Wait, Key };

enum class BoxKind { Ok, OkCancel, Warning };
enum class BoxAnswer { Ok, Cancel };

struct WindowSetup {
  std::string title;  // UTF-8
  int32_t mediaWidth = 640;
  int32_t mediaHeight = 480;
  bool maximize = false;  // borderless full screen with the media area centred
};

// The screen picture: the media area at `scale` device pixels per media pixel, as 32-bit
// pixels 0x00RRGGBB in native byte order (the layout cairo calls RGB24), rows `stride`
// bytes apart. Width and height count device pixels (the media size times the scale).
// The back end owns it; it stays valid while the window is open and its scale holds.
struct Picture {
  uint32_t* pixels = nullptr;
  int32_t width = 0;
  int32_t height = 0;
  int32_t stride = 0;  // bytes
  int32_t scale = 1;
};

// A back end: the one window, its input, the clock and the desktop services. All calls
// come from the one thread that runs the main loop.
class Backend {
 public:
  virtual ~Backend() = default;

  // Opens the window (hidden until showWindow) and its off-screen picture, all black.
  // Returns false with a reason in `error` when the window cannot be made.
  virtual bool openWindow(const WindowSetup& setup, std::string& error) = 0;
  virtual void closeWindow() = 0;
  virtual bool windowOpen() const = 0;
  virtual void showWindow() = 0;
  virtual void raiseWindow() = 0;
  virtual void minimizeWindow() = 0;
  virtual void setCursor(Cursor cursor) = 0;
  // Mouse capture: while on, the window keeps receiving the mouse outside its area.
  virtual void captureMouse(bool on) = 0;

  virtual Picture picture() = 0;
  // The picture changed: it is shown on screen before the back end next waits for input.
  virtual void invalidate() = 0;
  // Shows the picture now (for animations that run without waiting for input).
  virtual void present() {}
  // Lets `ms` milliseconds pass without taking input (animations): the desktop sleeps, a
  // headless session moves its virtual clock on.
  virtual void delay(uint32_t ms) = 0;

  // Takes the next piece of input, waiting at most `maxWaitMs` (0: do not wait) for one.
  // Returns false when there was none.
  virtual bool nextInput(InputEvent& event, int32_t maxWaitMs) = 0;
  // Milliseconds since an arbitrary start; wraps after 49 days.
  virtual uint32_t now() = 0;
  // A repeating timer that produces Timer input every `intervalMs`; returns its id (>0),
  // or 0 when no timer can be made.
  virtual int32_t startTimer(uint32_t intervalMs) = 0;
  virtual void stopTimer(int32_t id) = 0;
  // Queues a UserMessage input for this process.
  virtual void postUserMessage(int32_t word, int32_t param) = 0;

  // Shows a modal message box and returns the answer (Ok for boxes without Cancel).
  virtual BoxAnswer messageBox(std::string_view text, std::string_view caption, BoxKind kind) = 0;

  // The program's sound output, made on first use and kept while the back end lives: the
  // desktop's (silent when there is no audio device), or the null output of a headless
  // session.
  virtual AudioOutput& audio() = 0;

  virtual void setClipboardText(std::string_view text) = 0;
  virtual std::string clipboardText() = 0;

  // Opens a document (a file-system path) or a web address with the desktop's program
  // for it (xdg-open, started without a shell). A headless session records it instead.
  virtual bool openDocument(const std::string& pathOrAddress) = 0;

  // The running instance lock; the back end answers raise requests from later starts by
  // bringing its window to the front.
  virtual void adoptInstance(std::unique_ptr<SingleInstance> instance) = 0;

  // Exit status the session asks for (0 unless a script failed).
  virtual int exitStatus() const { return 0; }
  // Where printed pages go when the session names a directory (empty: the desktop's
  // choice).
  virtual std::string printDirectory() const { return {}; }
  virtual bool headless() const = 0;
};

}  // namespace tqvPlatform
