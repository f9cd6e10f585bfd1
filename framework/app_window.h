// The main window (`tqvAppWindow`, held in a value of type code 13): the platform window
// over the media area, its off-screen picture, and the source of window input for the
// event queue.
#pragma once

#include "framework/event_queue.h"
#include "framework/window_input.h"
#include "platform/platform.h"
#include "values/handle.h"

// The type code of window values.
constexpr TQVINT TQV_MAIN_WINDOW_TYPE = 13;

class tqvAppWindow : public tqvObject, public tqvEventSource {
 public:
  // Opens the window, titled `title` (code page 1252), over a media area of "MediaWidth"
  // x "MediaHeight" (640 x 480 when absent), full screen when "MaximizeWindow" is true,
  // becomes the event source, tells the services and posts the Start event. Without a back end, or
  // when the window cannot be made, reports "Cannot create window: " + title and returns nil.
  static tqvHandle create(const tqvHandle& title);
  ~tqvAppWindow() override;

  // Shows the window above the others.
  void show();
  // Closes the platform window and stops being the event source. Safe to repeat.
  void destroy();

  // Input becomes events; a picture made anew at another scale goes to the services,
  // which draw the screen again.
  bool pumpInput(TQVINT maxWaitMs) override;

  // The off-screen picture of the media area; empty once destroyed. After drawing into
  // it, call invalidate so that it reaches the screen.
  tqvPlatform::Picture picture();
  void invalidate();
  TQVINT mediaWidth() const { return mediaWidth_; }
  TQVINT mediaHeight() const { return mediaHeight_; }
  tqvWindowInput& input() { return input_; }

 private:
  explicit tqvAppWindow(tqvPlatform::Backend* backend);
  tqvPlatform::Backend* backend_;
  tqvWindowInput input_;
  bool open_ = false;
  TQVINT mediaWidth_ = 0;
  TQVINT mediaHeight_ = 0;
};

// The window object of a window value, or null.
tqvAppWindow* tqvAsAppWindow(const tqvHandle& window);
// The program's main window, or null.
tqvAppWindow* tqvMainWindow();
