// The program's movie player: the decoders of each kind of movie with the number of open
// movies that use them, the open and the playing movies, placing and drawing their
// pictures into the off-screen picture, the play clock (the sound track's when it is
// heard, else the program's) and the "ended" and "aborted" notifications. Owned by the
// media services; runs on the UI thread, the decoders on threads of their own.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "media/movie.h"
#include "platform/movie.h"
#include "values/handle.h"

class tqvMoviePlayer {
 public:
  tqvMoviePlayer();
  ~tqvMoviePlayer();
  tqvMoviePlayer(const tqvMoviePlayer&) = delete;
  tqvMoviePlayer& operator=(const tqvMoviePlayer&) = delete;

  // The next movie's alias: "0", "1", ... for the run.
  std::string nextAlias() { return std::to_string(aliases_++); }

  // Opens the movie through the decoder of its kind (started for the first movie of that
  // kind): its natural size and frame count become known. Failures are device errors
  // (shown only with "ShowVideoErrors"): the movie stays closed. True when open.
  bool open(tqvMovieObject& movie);
  // Opens the movie if needed and shows it: at its position and natural (or set) size,
  // or, when full screen is allowed and "FullScreenVideo" is set, over the media area
  // ("MaximizeWindow" too: an AVI movie at double size, centred). Shows the current
  // frame there; what it covers comes back when it is hidden.
  bool show(tqvMovieObject& movie);
  bool hide(tqvMovieObject& movie);
  // A shown movie is hidden, moved or resized, and shown again. Sizes of 0 or less keep
  // the current one.
  bool move(tqvMovieObject& movie, TQVINT x, TQVINT y);
  bool setSize(tqvMovieObject& movie, TQVINT width, TQVINT height);
  // Plays frames from..to (negative: from the current frame, or from the start when it
  // is the last; to the last frame), over again when `repeat`; shows the movie first.
  bool play(tqvMovieObject& movie, TQVINT from, TQVINT to, bool repeat);
  // Stops a playing movie where it is and queues "aborted"; false when it was not playing.
  bool stop(tqvMovieObject& movie);
  // Makes `frame` (clamped to 0..frames - 1) the current frame, stopping playback first.
  bool seek(tqvMovieObject& movie, TQVINT frame);
  // The frame count (0 when the movie cannot be opened).
  TQVINT frameCount(tqvMovieObject& movie);
  // Draws the current frame into an image or drawing context at (0, 0), at the movie's
  // displayed size; false when there is no frame or no such surface.
  bool drawFrame(tqvMovieObject& movie, const tqvHandle& image);
  // Draws the current frame again where the shown movie is (its place was drawn over).
  void redraw(tqvMovieObject& movie);
  // Stops, hides and closes the movie; its decoder closes when no other movie uses it.
  void close(tqvMovieObject& movie);
  // Stops every playing movie and closes every open one.
  void closeAll();
  // A movie going away while open.
  void forget(tqvMovieObject& movie);

  // The idle turn: each playing movie shows the frame of its clock's time; at the end of
  // its range it starts again when repeating, else it stops and "ended" is queued.
  void tick();

  // How many open movies of that kind ("AVI", "MPG") use its decoder; 0 when closed.
  int decoderUses(const std::string& kind) const;

 private:
  struct Driver {
    std::unique_ptr<tqvPlatform::MovieDecoder> decoder;
    int uses = 0;
  };
  void place(tqvMovieObject& movie);
  void paint(tqvMovieObject& movie);
  void release(tqvMovieObject& movie);
  void ended(tqvMovieObject& movie);
  // Reports a device error as "MCI error (CODE): TEXT" and then `message`, in boxes
  // shown only when "ShowVideoErrors" is true.
  void deviceError(const tqvPlatform::MovieFailure& failure, const std::string& step,
                   const std::string& message);
  // Writes `text` to the debugging output the first time only.
  void noteOnce(const std::string& text);

  std::map<std::string, Driver> drivers_;
  std::vector<tqvMovieObject*> open_;
  std::vector<tqvHandle> playing_;  // keeps playing movies alive
  std::set<std::string> noted_;
  int aliases_ = 0;
  TQVINT devices_ = 0;
};

// Seeking, the frame count and drawing of a movie value (false or 0 for other values).
bool tqvSeekMovie(const tqvHandle& movie, TQVINT frame);
bool tqvDrawMovieFrame(const tqvHandle& movie, const tqvHandle& image);
void tqvRedrawMovie(const tqvHandle& movie);
void tqvCloseMovie(const tqvHandle& movie);
