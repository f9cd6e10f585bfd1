// "VideoView": a movie shown in the hot spot, fitted into it on black.
// - "Reinitialize" (data: a file name) makes the movie of that file: a name without an
//   extension gets "." and "VideoExtension" ("avi"); the file is looked for in the
//   directory "VideoPath" ("Movies"), then "AltVideoPath" (both under the media root
//   unless absolute). The movie's first frame shows once it is shown.
// - "Show" shows it; "Start" plays it from its first frame, over again while
//   "PlayTillStoped" is true; "Stop" stops it, leaving its frame of that moment;
//   "Uninitialize" closes it; "Initialize" shows it again as the video preferences now
//   ask; "PlayTillStoped" (data: a flag) sets that property; "Play" (data: a file name or
//   nil) is "Reinitialize" (with a name), "Show" and "Start" at once; "IsPlaying" answers
//   whether it plays.
// - A definition with "Movie" (a file name) and "AutoStart" true plays that movie as soon
//   as its form is on screen.
// - When its movie ends or is stopped, "Status" becomes "ended" or "aborted" and the form
//   performs the control's "Name" (the almanac's forms react there); "Status" is
//   "playing" while it plays.
// Movies of a VideoView may be enlarged by the full-screen video preference.
#pragma once

#include "controls/standard_control.h"

class tqvVideoViewControl : public tqvStandardControl {
 public:
  explicit tqvVideoViewControl(const tqvHandle& definition = tqvHandle())
      : tqvStandardControl(definition, "VideoView") {}
  tqvHandle makeInstance(const tqvHandle& definition) override {
    return tqvWrapControl(new tqvVideoViewControl(definition));
  }
  void draw() override;
  tqvHandle perform(const tqvHandle& action, const tqvHandle& data) override;
  void notify(const tqvHandle& target, const tqvHandle& word) override;

  const tqvHandle& movie() const { return movie_; }

 private:
  void reinitialize(const tqvHandle& name);
  bool show();
  bool start();
  void uninitialize();

  tqvHandle movie_;
  bool autoStarted_ = false;
};

// Where a VideoView looks for the movie `name`: the first of its places that holds the
// file, else the first place (where opening will fail).
tqvHandle tqvLocateVideo(const tqvHandle& name);
