// SDL_mixer for waves and music; queued SDL audio devices for movie sound.
#include "platform/sdl/sdl_audio.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <mutex>
#include <vector>

#include "platform/process.h"

namespace tqvPlatform {
namespace {

constexpr int kWaveChannel = 0;
// What movie channels loop while their effect puts the sound track in its place.
Uint8 silentBytes[4096] = {};
constexpr uint16_t kFullVolume = 0xFFFF;

// Where Debian's General MIDI sound fonts live, best first.
constexpr const char* kSoundFonts[] = {
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
    "/usr/share/sounds/sf2/default-GM.sf2",
    "/usr/share/sounds/sf2/FluidR3_GM.sf2",
};

int mixerLevel(uint16_t left, uint16_t right) {
  return static_cast<int>((uint32_t{left} + right) / 2 * MIX_MAX_VOLUME / kFullVolume);
}

// A movie's sound track, played on a mixer channel of its own: the channel loops a
// silent chunk, and an effect on it puts the queued samples in its place, so the track is
// mixed with the waves and music on the one device and takes the program's volume.
class MixerStream : public AudioStream {
 public:
  MixerStream(int channel, int32_t rate, int32_t channels)
      : channel_(channel), rate_(rate), channels_(channels) {}
  ~MixerStream() override {
    Mix_HaltChannel(channel_);  // waits for the mixer: no effect runs after this
    Mix_UnregisterAllEffects(channel_);
  }
  int channel() const { return channel_; }
  bool begin(Mix_Chunk* silence, int level) {
    if (Mix_RegisterEffect(channel_, feed, nullptr, this) == 0) return false;
    if (Mix_PlayChannel(channel_, silence, -1) < 0) return false;
    Mix_Volume(channel_, level);
    return true;
  }

  void queue(const int16_t* samples, size_t frames) override {
    std::lock_guard<std::mutex> hold(mutex_);
    pending_.insert(pending_.end(), samples, samples + frames * static_cast<size_t>(channels_));
  }
  int64_t framesPlayed() override { return played_.load(); }
  int64_t framesPending() override {
    std::lock_guard<std::mutex> hold(mutex_);
    return static_cast<int64_t>(pending_.size()) / channels_;
  }
  void clear() override {
    std::lock_guard<std::mutex> hold(mutex_);
    pending_.clear();
    played_ = 0;
  }
  int32_t rate() const override { return rate_; }
  int32_t channels() const override { return channels_; }

 private:
  // On the mixer's thread: the channel's buffer (the device's format, 16-bit samples)
  // gets what is queued, silence where nothing is.
  static void SDLCALL feed(int, void* stream, int length, void* self) {
    auto* s = static_cast<MixerStream*>(self);
    auto* out = static_cast<int16_t*>(stream);
    size_t wanted = static_cast<size_t>(length) / 2;
    std::lock_guard<std::mutex> hold(s->mutex_);
    size_t taken = std::min(wanted, s->pending_.size());
    std::copy_n(s->pending_.begin(), taken, out);
    s->pending_.erase(s->pending_.begin(), s->pending_.begin() + static_cast<ptrdiff_t>(taken));
    std::fill(out + taken, out + wanted, int16_t{0});
    s->played_ += static_cast<int64_t>(taken) / s->channels_;
  }

  int channel_;
  int32_t rate_;
  int32_t channels_;
  std::mutex mutex_;
  std::deque<int16_t> pending_;
  std::atomic<int64_t> played_{0};
};

class SdlAudioOutput : public AudioOutput {
 public:
  SdlAudioOutput() : silent_(makeNullAudioOutput()) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
      note(std::string("no audio device (") + SDL_GetError() +
           "): sounds, music and movies play silently");
      return;
    }
    subsystem_ = true;
    if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) {
      note(std::string("no audio device (") + Mix_GetError() +
           "): sounds, music and movies play silently");
      return;
    }
    open_ = true;
    Mix_AllocateChannels(1);
    std::string font = soundFont();
    if (font.empty()) {
      note("no General MIDI sound font (install timgm6mb-soundfont): music plays silently");
    } else {
      Mix_SetSoundFonts(font.c_str());
      music_ = (Mix_Init(MIX_INIT_MID) & MIX_INIT_MID) != 0;
      if (!music_)
        note(std::string("no MIDI player (") + Mix_GetError() + "): music plays silently");
    }
    Mix_Volume(-1, MIX_MAX_VOLUME);
    Mix_VolumeMusic(MIX_MAX_VOLUME);
  }

  ~SdlAudioOutput() override {
    if (open_) {
      Mix_HaltChannel(-1);
      Mix_HaltMusic();
      if (chunk_ != nullptr) Mix_FreeChunk(chunk_);
      if (silence_ != nullptr) Mix_FreeChunk(silence_);
      if (song_ != nullptr) Mix_FreeMusic(song_);
      Mix_CloseAudio();
      Mix_Quit();
    }
    if (subsystem_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }

  bool playWave(std::shared_ptr<const std::string> file, bool loop, std::string& error) override {
    if (!open_) return silent_->playWave(std::move(file), loop, error);
    if (file == nullptr) return false;
    Mix_Chunk* chunk =
        Mix_LoadWAV_RW(SDL_RWFromConstMem(file->data(), static_cast<int>(file->size())), 1);
    if (chunk == nullptr) {
      error = Mix_GetError();
      return false;
    }
    stopWave();
    chunk_ = chunk;
    if (Mix_PlayChannel(kWaveChannel, chunk_, loop ? -1 : 0) < 0) {
      error = Mix_GetError();
      stopWave();
      return false;
    }
    return true;
  }

  void stopWave() override {
    if (!open_) return silent_->stopWave();
    Mix_HaltChannel(kWaveChannel);
    if (chunk_ != nullptr) Mix_FreeChunk(chunk_);
    chunk_ = nullptr;
  }

  bool playMusic(std::shared_ptr<const std::string> file, std::string& error) override {
    if (!open_ || !music_) return silent_->playMusic(std::move(file), error);
    if (file == nullptr) return false;
    Mix_Music* song =
        Mix_LoadMUS_RW(SDL_RWFromConstMem(file->data(), static_cast<int>(file->size())), 1);
    if (song == nullptr) {
      error = Mix_GetError();
      return false;
    }
    stopMusic();
    song_ = song;
    songBytes_ = std::move(file);  // the player may read from it while it plays
    if (Mix_PlayMusic(song_, 1) != 0) {
      error = Mix_GetError();
      stopMusic();
      return false;
    }
    return true;
  }

  void stopMusic() override {
    if (!open_ || !music_) return silent_->stopMusic();
    Mix_HaltMusic();
    if (song_ != nullptr) Mix_FreeMusic(song_);
    song_ = nullptr;
    songBytes_.reset();
  }

  bool waveVolume(uint16_t& left, uint16_t& right) override {
    left = left_;
    right = right_;
    return true;
  }
  bool setWaveVolume(uint16_t left, uint16_t right) override {
    left_ = left;
    right_ = right;
    level_ = mixerLevel(left, right);
    if (open_) Mix_Volume(-1, level_);
    return true;
  }
  bool setMusicVolume(uint16_t left, uint16_t right) override {
    if (open_ && music_) Mix_VolumeMusic(mixerLevel(left, right));
    return true;
  }

  // The track is resampled to the mixer's own rate and channels.
  std::unique_ptr<AudioStream> openStream(int32_t, int32_t) override {
    int rate = 0;
    Uint16 format = 0;
    int channels = 0;
    if (!open_ || Mix_QuerySpec(&rate, &format, &channels) == 0 || format != AUDIO_S16SYS ||
        channels < 1 || channels > 2) {
      return nullptr;
    }
    if (silence_ == nullptr) silence_ = Mix_QuickLoad_RAW(silentBytes, sizeof silentBytes);
    // A free channel after the wave's, made when all are taken.
    int channel = kWaveChannel + 1;
    while (channel < Mix_AllocateChannels(-1) && Mix_Playing(channel) != 0) ++channel;
    if (channel >= Mix_AllocateChannels(-1)) Mix_AllocateChannels(channel + 1);
    auto stream = std::make_unique<MixerStream>(channel, rate, channels);
    if (silence_ == nullptr || !stream->begin(silence_, level_)) {
      if (!streamNoted_) {
        streamNoted_ = true;
        note(std::string("no mixer channel for movie sound (") + Mix_GetError() +
             "): movies play silently");
      }
      return nullptr;
    }
    return stream;
  }

 private:
  static std::string soundFont() {
    if (const char* chosen = std::getenv("SDL_SOUNDFONTS"); chosen != nullptr && *chosen != 0) {
      return chosen;
    }
    std::error_code error;
    for (const char* path : kSoundFonts) {
      if (std::filesystem::is_regular_file(path, error)) return path;
    }
    return {};
  }
  static void note(const std::string& text) { debugOutput("lx98: " + text + "\n"); }

  std::unique_ptr<AudioOutput> silent_;
  bool subsystem_ = false;
  bool open_ = false;
  bool music_ = false;
  bool streamNoted_ = false;
  Mix_Chunk* chunk_ = nullptr;
  Mix_Chunk* silence_ = nullptr;  // loops under movie sound
  Mix_Music* song_ = nullptr;
  std::shared_ptr<const std::string> songBytes_;
  uint16_t left_ = kFullVolume;
  uint16_t right_ = kFullVolume;
  int level_ = MIX_MAX_VOLUME;
};

}  // namespace

std::unique_ptr<AudioOutput> makeSdlAudioOutput() {
  return std::make_unique<SdlAudioOutput>();
}

}  // namespace tqvPlatform
