// Wave and music playback on the program's clock.
#include "media/sound_player.h"

#include <algorithm>

#include "framework/environment.h"
#include "framework/events.h"
#include "framework/runtime.h"
#include "media/sound.h"
#include "platform/process.h"
#include "values/cp1252.h"
#include "values/generic.h"
#include "values/list.h"
#include "values/string.h"

namespace {

constexpr int64_t kFullVolume = 0xFFFF;
constexpr TQVINT kDefaultVolumeRange = 100;

TQVINT volumeRange() {
  TQVINT range = tqvGetEnvironmentInteger("Volume Range", kDefaultVolumeRange);
  return range > 0 ? range : kDefaultVolumeRange;
}

// A standard MIDI file, bare or in a RIFF "RMID" wrapper; anything else is not handed to
// the synthesizer.
bool looksLikeMidi(const std::shared_ptr<const std::string>& bytes) {
  if (bytes == nullptr) return false;
  std::string_view file(*bytes);
  return file.starts_with("MThd") ||
         (file.size() >= 12 && file.starts_with("RIFF") && file.substr(8, 4) == "RMID");
}

bool same(const tqvHandle& a, const tqvHandle& b) {
  return !a.isNil() && a.object() == b.object();
}

}  // namespace

void tqvPostMediaEvent(const tqvHandle& media, const char* word) {
  tqvEvent event = tqvMakeEvent(TQV_NOTIFY_EVENT);
  tqvHandle data = tqvMakeList(2);
  tqvAddItem(data, media);
  tqvAddItem(data, tqvMakeString(word));
  event.data1 = data;
  tqvPostEvent(event);
}

void tqvSoundPlayer::notify(const tqvHandle& sound, const char* word) {
  tqvPostMediaEvent(sound, word);
}

tqvPlatform::AudioOutput& tqvSoundPlayer::output() {
  if (tqvPlatform::Backend* backend = tqvBackend()) return backend->audio();
  if (fallback_ == nullptr) fallback_ = tqvPlatform::makeNullAudioOutput();
  return *fallback_;
}

void tqvSoundPlayer::poll() {
  if (wave_.isNil() || looping_) return;
  if (static_cast<int32_t>(tqvTickCount() - waveEnd_) < 0) return;
  tqvHandle ended = wave_;
  wave_ = tqvHandle();
  notify(ended, "ended");
}

bool tqvSoundPlayer::play(const tqvHandle& sound, TQVINT length, bool loop) {
  poll();
  tqvSoundObject* s = tqvAsSound(sound);
  if (s == nullptr) return false;
  std::string error;
  if (s->kind() == tqvSoundObject::Kind::Music) {
    if (!music_.isNil()) return false;
    if (!looksLikeMidi(s->bytes())) {
      error = "not a MIDI file";
    } else if (output().playMusic(s->bytes(), error)) {
      music_ = sound;
      return true;
    }
    tqvPlatform::debugOutput("lx98: cannot play " + tqvCp1252ToUtf8(tqvStringView(s->name())) +
                             ": " + error + "\n");
    return false;
  }
  if (!wave_.isNil() || !s->valid()) return false;
  if (!output().playWave(s->bytes(), loop, error)) {
    tqvPlatform::debugOutput("lx98: cannot play " + tqvCp1252ToUtf8(tqvStringView(s->name())) +
                             ": " + error + "\n");
    return false;
  }
  wave_ = sound;
  looping_ = loop;
  waveStart_ = tqvTickCount();
  int64_t durationMs =
      length >= 0 ? int64_t{length} * 1000 / TQV_SOUND_UNITS_PER_SECOND : s->format().durationMs;
  waveEnd_ = waveStart_ + static_cast<uint32_t>(std::clamp<int64_t>(durationMs, 0, INT32_MAX));
  return true;
}

bool tqvSoundPlayer::stop(const tqvHandle& sound) {
  poll();
  if (same(wave_, sound)) {
    output().stopWave();
    wave_ = tqvHandle();
    looping_ = false;
    waveStart_ = waveEnd_ = 0;
    notify(sound, "aborted");
    return true;
  }
  if (same(music_, sound)) {
    output().stopMusic();
    music_ = tqvHandle();
    notify(sound, "aborted");
    return true;
  }
  return false;
}

bool tqvSoundPlayer::isPlaying(const tqvHandle& sound) {
  poll();
  return same(wave_, sound) || same(music_, sound);
}

void tqvSoundPlayer::stopAll() {
  if (!wave_.isNil()) stop(wave_);
  if (!music_.isNil()) stop(music_);
}

TQVINT tqvSoundPlayer::volume() {
  uint16_t left = 0;
  uint16_t right = 0;
  if (!output().waveVolume(left, right)) return -1;
  return static_cast<TQVINT>((int64_t{left} + right) / 2 * volumeRange() / kFullVolume);
}

bool tqvSoundPlayer::setVolume(TQVINT volume) {
  auto level = static_cast<uint16_t>(
      std::clamp<int64_t>(int64_t{volume} * kFullVolume / volumeRange(), 0, kFullVolume));
  output().setWaveVolume(level, level);
  return output().setMusicVolume(level, level);
}
