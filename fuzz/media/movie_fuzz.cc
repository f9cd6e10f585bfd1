// Movies from bytes: FFmpeg's AVI and MPEG demuxers behind our opening rules, frame
// counting, seeking to the first and the last frame, playing the first frames with the
// sound track resampled into a stream that only counts.
#include <algorithm>
#include <memory>
#include <string>

#include "platform/movie.h"

namespace {

using namespace tqvPlatform;

class CountingStream : public AudioStream {
 public:
  void queue(const int16_t* samples, size_t frames) override {
    for (size_t i = 0; i < frames * 2; ++i) sum_ += samples[i];  // reads every sample
    played_ += static_cast<int64_t>(frames);
  }
  int64_t framesPlayed() override { return played_; }
  int64_t framesPending() override { return 0; }
  void clear() override { played_ = 0; }
  int32_t rate() const override { return 22050; }
  int32_t channels() const override { return 2; }

 private:
  int64_t played_ = 0;
  int64_t sum_ = 0;
};

// An output whose streams count samples; waves and music are not asked for here.
class CountingAudio : public AudioOutput {
 public:
  bool playWave(std::shared_ptr<const std::string>, bool, std::string&) override { return true; }
  void stopWave() override {}
  bool playMusic(std::shared_ptr<const std::string>, std::string&) override { return true; }
  void stopMusic() override {}
  bool waveVolume(uint16_t&, uint16_t&) override { return true; }
  bool setWaveVolume(uint16_t, uint16_t) override { return true; }
  bool setMusicVolume(uint16_t, uint16_t) override { return true; }
  std::unique_ptr<AudioStream> openStream(int32_t, int32_t) override {
    return std::make_unique<CountingStream>();
  }
};

void checkFrame(const MovieInfo& info, const VideoFrame& frame) {
  if (frame.width != info.width || frame.height != info.height ||
      frame.pixels.size() != static_cast<size_t>(frame.width) * frame.height) {
    __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 1 << 16) return 0;
  static CountingAudio audio;
  static MovieFailure unused;
  static std::unique_ptr<MovieDecoder> decoder = makeMovieDecoder(unused);
  auto bytes = std::make_shared<const std::string>(reinterpret_cast<const char*>(data), size);
  for (MovieContainer container : {MovieContainer::Avi, MovieContainer::Mpeg}) {
    MovieFailure failure;
    std::unique_ptr<MovieStream> stream = decoder->open("", bytes, container, &audio, failure);
    if (stream == nullptr) continue;
    const MovieInfo& info = stream->info();
    if (info.frameCount < 1 || info.width < 1 || info.height < 1) __builtin_trap();
    VideoFrame frame;
    for (int64_t number : {int64_t{0}, info.frameCount - 1}) {
      if (stream->decodeFrame(number, frame)) checkFrame(info, frame);
    }
    int64_t last = std::min<int64_t>(info.frameCount - 1, 24);
    stream->start(0, last, true);
    while (!stream->finished()) {
      if (stream->takeFrame(last, true, frame)) checkFrame(info, frame);
    }
    stream->soundClockMs(0);
    stream->halt();
  }
  return 0;
}
