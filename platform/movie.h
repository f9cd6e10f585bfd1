// Movies (AVI and MPEG files) decoded by FFmpeg on a thread of their own. A decoder stands
// for one kind of movie and serves every movie opened through it from one thread: the UI
// thread asks a stream to decode a range of frames and takes the frames when their time
// comes; the decoder converts them to RGB pixels and hands the sound track to an audio
// stream as it goes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/audio.h"

namespace tqvPlatform {

// Error codes of opening and decoding, as reported with the error text.
enum MovieError : int32_t {
  kMovieUnreadable = 1,  // the container cannot be read (not a movie of its kind)
  kMovieNoVideo = 2,     // no video stream
  kMovieNoDecoder = 3,   // FFmpeg has no decoder for the video coding
  kMovieBadDecoder = 4,  // the decoder refused the stream's parameters
  kMovieNoThread = 5,    // the decoding thread could not start
};

enum class MovieContainer { Avi, Mpeg };

struct MovieInfo {
  int32_t width = 0;  // natural size
  int32_t height = 0;
  int64_t frameCount = 0;
  int32_t rateNum = 25;  // frames per second = rateNum / rateDen
  int32_t rateDen = 1;
  bool hasSound = false;
  std::string codec;  // the video coding's name
};

// One decoded picture, pixels 0x00RRGGBB in native byte order, rows width apart (the
// layout cairo calls RGB24).
struct VideoFrame {
  int64_t number = -1;
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> pixels;
};

struct MovieFailure {
  int32_t code = 0;
  std::string text;
};

// An open movie. Its calls come from the UI thread.
class MovieStream {
 public:
  virtual ~MovieStream() = default;
  virtual const MovieInfo& info() const = 0;

  // Decodes frames first..last (clamped to the movie) from now on, with the sound from
  // the time of `first` when `withSound`; whatever was being decoded is dropped.
  virtual void start(int64_t first, int64_t last, bool withSound) = 0;
  // Stops decoding and silences the sound track; decoded frames are dropped.
  virtual void halt() = 0;
  // The newest decoded frame numbered `number` or less, older ones dropped. False when
  // there is none (yet). With `wait`, waits until the decoder has decoded that far or
  // can go no further, so the answer depends on `number` alone.
  virtual bool takeFrame(int64_t number, bool wait, VideoFrame& frame) = 0;
  // Frame `number` decoded now (halting playback first); false when it cannot be had.
  virtual bool decodeFrame(int64_t number, VideoFrame& frame) = 0;
  // Milliseconds of the sound track heard since start, -1 when no sound is heard (the
  // caller keeps time by its own clock). After the sound track ends the time goes on from
  // where it ended by `nowMs`, the caller's clock.
  virtual int64_t soundClockMs(uint32_t nowMs) = 0;
  // Whether the decoder went past the last frame asked for, or can go no further.
  virtual bool finished() = 0;
  // Why decoding stopped early (code 0 when it did not); cleared by start.
  virtual MovieFailure failure() = 0;
};

class MovieDecoder {
 public:
  virtual ~MovieDecoder() = default;
  // Opens a movie from a file, or from its bytes when `bytes` is not null. Null, with the
  // reason in `failure`, when it is not a readable movie of that container, has no
  // video, or has a coding FFmpeg cannot decode. `audio` (may be null) plays the sound
  // tracks; it must outlive the stream.
  virtual std::unique_ptr<MovieStream> open(const std::string& path,
                                            std::shared_ptr<const std::string> bytes,
                                            MovieContainer container, AudioOutput* audio,
                                            MovieFailure& failure) = 0;
};

// A decoder with its thread; null, with the reason, when the thread cannot start. Streams
// opened through it keep what they need alive, so it may go before them.
std::unique_ptr<MovieDecoder> makeMovieDecoder(MovieFailure& failure);

}  // namespace tqvPlatform
