// The program's sound output: one wave sound at a time, one piece of MIDI music, the sound
// tracks of movies, and the program's own volume (never the desktop's mixer). The desktop
// back end plays through SDL_mixer; a session without sound uses the null output, which
// takes everything and plays nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace tqvPlatform {

// A sound track being played as it is decoded: interleaved signed 16-bit samples.
// Every call may come from any thread.
class AudioStream {
 public:
  virtual ~AudioStream() = default;
  // Appends `frames` sample frames (frames x channels samples) to what is to be heard.
  virtual void queue(const int16_t* samples, size_t frames) = 0;
  // Sample frames heard since the stream was opened or last cleared.
  virtual int64_t framesPlayed() = 0;
  // Sample frames queued and not heard yet.
  virtual int64_t framesPending() = 0;
  // Drops what is queued and starts counting from 0 again.
  virtual void clear() = 0;
  virtual int32_t rate() const = 0;
  virtual int32_t channels() const = 0;
};

class AudioOutput {
 public:
  virtual ~AudioOutput() = default;

  // Plays a whole wave file (its bytes), looping when asked; a wave playing now stops
  // first. False, with the output's reason in `error`, when it cannot decode the file.
  virtual bool playWave(std::shared_ptr<const std::string> file, bool loop, std::string& error) = 0;
  virtual void stopWave() = 0;
  // Plays a whole MIDI file once from its start; music playing now stops first. False,
  // with the reason in `error`, when the file cannot be read as MIDI.
  virtual bool playMusic(std::shared_ptr<const std::string> file, std::string& error) = 0;
  virtual void stopMusic() = 0;

  // Volumes, each channel 0..65535: waves (and movie sound), and music. Reads answer false
  // when the output cannot say; writes answer false when the output refused.
  virtual bool waveVolume(uint16_t& left, uint16_t& right) = 0;
  virtual bool setWaveVolume(uint16_t left, uint16_t right) = 0;
  virtual bool setMusicVolume(uint16_t left, uint16_t right) = 0;

  // A stream for a movie's sound track at that rate and channel count (1 or 2); null
  // when nothing would be heard (the caller then keeps time by the clock alone).
  virtual std::unique_ptr<AudioStream> openStream(int32_t rate, int32_t channels) = 0;
};

// The output that plays nothing: waves and music are accepted (and logged through `log`
// when given, one line each: "audio wave N bytes", "audio wave N bytes looping", "audio
// music N bytes", "audio wave stop", "audio music stop"), volumes are kept, streams are
// null.
std::unique_ptr<AudioOutput> makeNullAudioOutput(std::function<void(const std::string&)> log = {});

}  // namespace tqvPlatform
