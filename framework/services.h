// What the framework needs of the libraries above it: resources, drawing into the main
// window, sound and help, as one set of services that the media library installs in
// the runtime. The framework's own set only looks resources up in memory and draws,
// plays and shows nothing.
#pragma once

#include "values/handle.h"

class tqvServiceSet {
 public:
  virtual ~tqvServiceSet() = default;

  // Resources.
  // Builds the table of resource types (Run calls it before the window is made).
  virtual void initResourceTypes() {}
  // The value of a resource name: the active form, the globals, then (with media) a file.
  // References are followed; nil when nothing is found.
  virtual tqvHandle resolve(const tqvHandle& name);
  // resolve; with media and "ResourceFatal" true, nil is reported as a failed load.
  virtual tqvHandle resolveOrFail(const tqvHandle& name) { return resolve(name); }
  // A compiled resource by name and type, e.g. ("global", "etn"); nil when there is none.
  virtual tqvHandle loadCompiled(const tqvHandle& name, const tqvHandle& type) {
    return tqvHandle();
  }

  // The main window opened over a media area of that size whose picture has `scale`
  // device pixels per media pixel; its picture was made anew, black, at another scale
  // (everything on screen is to be drawn again); the window closed.
  virtual void windowOpened(TQVINT width, TQVINT height, TQVINT scale) {}
  virtual void windowScaleChanged(TQVINT scale) {}
  virtual void windowClosed() {}

  // Drawing, in media-area coordinates whatever the drawing origin is.
  // Draws the image over the whole picture and takes its colours.
  virtual void setBackdrop(const tqvHandle& image) {}
  // Draws an image (or a captured context image) with its top-left corner at (x, y),
  // through `mask` when it is not nil.
  virtual void drawImage(const tqvHandle& image, TQVINT x, TQVINT y,
                         const tqvHandle& mask = tqvHandle()) {}
  // A new image of what the rectangle holds now; nil without a picture.
  virtual tqvHandle capture(TQVINT left, TQVINT top, TQVINT right, TQVINT bottom) {
    return tqvHandle();
  }
  // Shows the rectangle on screen now (the whole media area when it is empty).
  virtual void flush(TQVINT left = 0, TQVINT top = 0, TQVINT right = 0, TQVINT bottom = 0) {}
  // Screen transition `code` over the rectangle (relative to the origin); `parameter` is
  // a duration in milliseconds or a step count.
  virtual void transition(TQVINT code, TQVINT x, TQVINT y, TQVINT width, TQVINT height,
                          TQVINT parameter) {}

  // The drawing origin: the top-left corner of the form or dialog being drawn, which
  // controls draw relative to. Kept here alone.
  void setOrigin(TQVINT x, TQVINT y) {
    originX_ = x;
    originY_ = y;
  }
  TQVINT originX() const { return originX_; }
  TQVINT originY() const { return originY_; }

  // Sound.
  // Plays a sound value from its start; stops one.
  virtual void playSound(const tqvHandle& sound) {}
  virtual void stopSound(const tqvHandle& sound) {}
  // Plays a sound effect: the effect playing now is stopped first. The effect ended:
  // it is stopped and forgotten.
  void playEffect(const tqvHandle& sound);
  void effectEnded(const tqvHandle& sound);
  // The program's output volume (-1: not known), read at start and put back at the end.
  virtual TQVINT waveOutVolume() { return -1; }
  virtual void setWaveOutVolume(TQVINT volume) {}
  // Closes open movies, stops sounds and releases what was added at run time; called
  // when the main loop has ended.
  virtual void releaseMedia() {}
  // Stops and closes every open movie; called when the active form gives way to another.
  virtual void closeMovies() {}
  // Work to do between pieces of input, such as ending sounds and showing the next
  // frames of movies; comes at least every few milliseconds while input is awaited.
  virtual void idleTurn() {}

  // Help: shows the help file at `path` (code page 1252) with the desktop's program;
  // closes the help viewer at the end of the run.
  virtual void showHelp(const tqvHandle& path) {}
  virtual void closeHelp() {}

 private:
  TQVINT originX_ = 0;
  TQVINT originY_ = 0;
  tqvHandle effect_;
};

// The value of a resource name in memory: a reference or nil is followed and returned;
// otherwise the active form (its properties, then its loaded resources), then the globals.
// Nil when neither holds it.
tqvHandle tqvResolveInMemory(const tqvHandle& name);

// The current runtime's services; outside a program, a set that does nothing.
tqvServiceSet& tqvServices();

// Transition codes of the drawing surface.
enum : TQVINT {
  TQV_TRANSITION_ZOOM = 1,
  TQV_TRANSITION_FADE_IN = 12,
  TQV_TRANSITION_FADE_OUT = 13
};
