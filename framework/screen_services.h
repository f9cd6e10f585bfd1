// What forms, dialogs and controls need of the resource manager, the drawing surface and
// the sound library, as one interface that the media library implements and installs.
// Until it does, resources come only from the active form and the globals, and drawing
// and sound do nothing.
#pragma once

#include "values/handle.h"

class tqvScreenServices {
 public:
  virtual ~tqvScreenServices() = default;

  // The value of a resource name: the active form, the globals, then (with media) a file.
  // References are followed; nil when nothing is found.
  virtual tqvHandle resolve(const tqvHandle& name);
  // resolve; with media and "ResourceFatal" true, nil is reported as a failed load.
  virtual tqvHandle resolveOrFail(const tqvHandle& name) { return resolve(name); }

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
  // The origin that drawing operations of controls are relative to: the top-left
  // corner of the form or dialog being drawn.
  virtual void setOrigin(TQVINT x, TQVINT y) {
    originX_ = x;
    originY_ = y;
  }
  virtual TQVINT originX() { return originX_; }
  virtual TQVINT originY() { return originY_; }
  // Screen transition `code` over the rectangle (relative to the origin); `parameter` is
  // a duration in milliseconds or a step count.
  virtual void transition(TQVINT code, TQVINT x, TQVINT y, TQVINT width, TQVINT height,
                          TQVINT parameter) {}

  // Sound: plays a sound value from its start; stops one.
  virtual void playSound(const tqvHandle& sound) {}
  virtual void stopSound(const tqvHandle& sound) {}

 private:
  TQVINT originX_ = 0;
  TQVINT originY_ = 0;
};

// The value of a resource name in memory: a reference or nil is followed and returned;
// otherwise the active form (its properties, then its loaded resources), then the globals.
// Nil when neither holds it.
tqvHandle tqvResolveInMemory(const tqvHandle& name);

// The installed services, or the built-in ones that only look up resources.
tqvScreenServices& tqvServices();
// Installs `services` (not owned; null puts the built-in ones back).
void tqvSetScreenServices(tqvScreenServices* services);

// Transition codes of the drawing surface.
enum : TQVINT {
  TQV_TRANSITION_ZOOM = 1,
  TQV_TRANSITION_FADE_IN = 12,
  TQV_TRANSITION_FADE_OUT = 13
};
