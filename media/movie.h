// Movie values (type code 20): an AVI or MPEG file, opened on first use through the
// decoder of its kind, shown at a place of the media area, played between two frames.
// They answer tqvPlay, tqvStop, tqvIsPlaying, tqvShow, tqvHide, tqvMove and tqvSetSize,
// the geometry queries (their place and displayed size) and tqvCount (their frames)
// through the movie player of the media services.
#pragma once

#include <memory>
#include <string>

#include "platform/movie.h"
#include "values/handle.h"
#include "values/object.h"

class tqvMoviePlayer;

class tqvMovieObject : public tqvObject {
 public:
  // A position that was never set.
  static constexpr TQVINT kUnplaced = -10000;

  tqvMovieObject(const tqvHandle& path, std::string kind, std::string alias, bool fullScreen);
  ~tqvMovieObject() override;

  bool opMedia(tqvMediaOp op, const tqvMediaArgs& args, TQVINT& result) override;
  bool opGeometry(tqvGeometry which, TQVINT& result) override;
  bool opCount(TQVINT& result) override;

  const tqvHandle& path() const { return path_; }
  // "AVI" or "MPG".
  const std::string& kind() const { return kind_; }
  const std::string& alias() const { return alias_; }
  bool fullScreenAllowed() const { return fullScreen_; }

  // The player's part: what the device holds while the movie is open, where it is shown
  // and what it plays.
  struct State {
    tqvMoviePlayer* player = nullptr;  // set while open
    TQVINT device = 0;                 // 0 while closed
    std::unique_ptr<tqvPlatform::MovieStream> stream;
    TQVINT naturalWidth = 0;
    TQVINT naturalHeight = 0;
    TQVINT frames = 0;
    // Position in the media area and the size set for it (0: the natural size).
    TQVINT x = kUnplaced;
    TQVINT y = kUnplaced;
    TQVINT width = 0;
    TQVINT height = 0;
    bool shown = false;
    bool playing = false;
    // Where it is drawn while shown, and what it covered there.
    TQVINT left = 0;
    TQVINT top = 0;
    TQVINT drawnWidth = 0;
    TQVINT drawnHeight = 0;
    tqvHandle covered;
    // The frame on show and its pixels (number -1 until one was decoded).
    TQVINT current = 0;
    tqvPlatform::VideoFrame picture;
    // The playing range, the repeat flag and the clock time playing began.
    TQVINT startFrame = 0;
    TQVINT endFrame = 0;
    bool repeat = false;
    uint32_t startTime = 0;
    bool failureShown = false;
  };
  State& state() { return state_; }

 private:
  tqvHandle path_;
  std::string kind_;
  std::string alias_;
  bool fullScreen_;
  State state_;
};

// A movie from a file path (code page 1252): "AVI" and "MPG" by the extension ("avi",
// "mpg"); any other reports "Unrecognized movie type: " and the name, and gives nil.
// `fullScreen` allows the full-screen video preference to enlarge it. Nothing is read
// until the movie is first shown, played or asked about.
tqvHandle tqvMakeMovie(const tqvHandle& path, bool fullScreen);
tqvMovieObject* tqvAsMovie(const tqvHandle& movie);
