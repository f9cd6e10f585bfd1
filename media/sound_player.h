// The program's sound player: at most one wave sound and one piece of music at a time,
// their start and end times on the program's clock, the "ended" and "aborted"
// notifications, and the output volume scaled by "Volume Range". Owned by the media
// services; everything runs on the UI thread.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/audio.h"
#include "values/handle.h"

// Sound positions and lengths count units of 1/22050 second, whatever the file's rate.
constexpr TQVINT TQV_SOUND_UNITS_PER_SECOND = 22050;

class tqvSoundPlayer {
 public:
  // Plays a sound value. Waves: false while another wave plays (it goes on) and for a
  // wave that will not play; otherwise the output starts it (looping when asked) and its
  // end time is now + its duration, or now + length * 1000 / 22050 when `length` is 0 or
  // more. Music: false while music plays, for a file that is not MIDI, or when the output
  // cannot read it (the reason goes to the debugging output). Every call polls first.
  bool play(const tqvHandle& sound, TQVINT length, bool loop);
  // Stops the sound when it is the current wave or music: "aborted" is queued for it.
  // False when it was not playing.
  bool stop(const tqvHandle& sound);
  bool isPlaying(const tqvHandle& sound);
  // A wave that is not looping and whose end time has come stops being current, and
  // "ended" is queued for it, once.
  void poll();
  // Stops whatever plays (at the end of the run).
  void stopAll();

  // The wave output's volume, the average of its channels scaled from 0..65535 to
  // 0.."Volume Range" (100 when unset or not positive); -1 when the output cannot say.
  TQVINT volume();
  // Sets both channels of the wave and the music output to volume * 65535 / "Volume
  // Range" (clamped to 0..65535); true when the music output took it.
  bool setVolume(TQVINT volume);

 private:
  tqvPlatform::AudioOutput& output();
  // Queues the media notification `word` for `sound`.
  static void notify(const tqvHandle& sound, const char* word);

  tqvHandle wave_;
  uint32_t waveStart_ = 0;
  uint32_t waveEnd_ = 0;
  bool looping_ = false;
  tqvHandle music_;
  // Used when no back end gives an output (programs without a window).
  std::unique_ptr<tqvPlatform::AudioOutput> fallback_;
};

// Posts a Notify event carrying (media word) stamped with the program's clock.
void tqvPostMediaEvent(const tqvHandle& media, const char* word);
