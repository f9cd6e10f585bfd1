// One movie's demuxing and decoding with FFmpeg: pictures converted to RGB pixels at the
// natural size and numbered by their time, the sound track resampled to the audio
// stream's format. Used by one thread at a time.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/movie.h"

namespace tqvPlatform {

class AvMovie {
 public:
  ~AvMovie();
  AvMovie(const AvMovie&) = delete;
  AvMovie& operator=(const AvMovie&) = delete;

  // Opens the movie and counts its frames (by reading the whole container when it does
  // not say). Null with the reason in `failure`.
  static std::unique_ptr<AvMovie> open(const std::string& path,
                                       std::shared_ptr<const std::string> bytes,
                                       MovieContainer container, MovieFailure& failure);

  const MovieInfo& info() const { return info_; }
  // The sound track's own rate and channel count (at most 2); 0 without sound.
  int32_t soundRate() const;
  int32_t soundChannels() const;

  // Goes back to the key frame at or before frame `first`; sound decoded from then on
  // starts at the time of `first`.
  void restart(int64_t first);
  enum class Step {
    Busy,     // something was read or decoded
    Waiting,  // only pictures are left to decode, and `pictures` was false
    Done,     // the container has no more; the decoder's last pictures were appended
  };
  // One piece of work. Picture packets are read ahead and kept, and decoded one a step
  // while `pictures` (there is room for them); sound is decoded as its packets come and
  // goes to `sound` when it is not null. Containers may store a movie's sound well after
  // its pictures, so sound can be reached while the pictures wait.
  Step step(std::vector<VideoFrame>& frames, AudioStream* sound, bool pictures);

 private:
  struct Codecs;
  AvMovie();
  // Seeks to the key frame at or before `frame`, or to the start of the movie.
  void seekTo(int64_t frame, bool toStart);
  // Converts the decoded picture; false when it is dropped or a seek began again.
  bool convert(std::vector<VideoFrame>& frames);
  void decodeSound(AudioStream* sound);

  std::unique_ptr<Codecs> av_;
  MovieInfo info_;
};

}  // namespace tqvPlatform
