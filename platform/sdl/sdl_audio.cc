// SDL_mixer for waves and music; queued SDL audio devices for movie sound.
#include "platform/sdl/sdl_audio.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <vector>

#include "platform/process.h"

namespace tqvPlatform {
namespace {

constexpr int kWaveChannel = 0;
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

// A movie's sound track: samples queued on a device of its own, scaled by the wave volume.
class SdlAudioStream : public AudioStream {
 public:
  SdlAudioStream(SDL_AudioDeviceID device, int32_t rate, int32_t channels,
                 const std::atomic<int>& level)
      : device_(device), rate_(rate), channels_(channels), level_(level) {
    SDL_PauseAudioDevice(device_, 0);
  }
  ~SdlAudioStream() override { SDL_CloseAudioDevice(device_); }

  void queue(const int16_t* samples, size_t frames) override {
    size_t count = frames * static_cast<size_t>(channels_);
    int level = level_.load();
    scaled_.resize(count);
    for (size_t i = 0; i < count; ++i) scaled_[i] = static_cast<int16_t>(samples[i] * level / 128);
    std::lock_guard<std::mutex> hold(mutex_);
    if (SDL_QueueAudio(device_, scaled_.data(), static_cast<Uint32>(count * 2)) == 0) {
      queuedBytes_ += static_cast<int64_t>(count) * 2;
    }
  }
  int64_t framesPlayed() override {
    std::lock_guard<std::mutex> hold(mutex_);
    return (queuedBytes_ - SDL_GetQueuedAudioSize(device_)) / (2 * channels_);
  }
  int64_t framesPending() override {
    std::lock_guard<std::mutex> hold(mutex_);
    return SDL_GetQueuedAudioSize(device_) / (2 * channels_);
  }
  void clear() override {
    std::lock_guard<std::mutex> hold(mutex_);
    SDL_ClearQueuedAudio(device_);
    queuedBytes_ = 0;
  }
  int32_t rate() const override { return rate_; }
  int32_t channels() const override { return channels_; }

 private:
  SDL_AudioDeviceID device_;
  int32_t rate_;
  int32_t channels_;
  const std::atomic<int>& level_;
  std::vector<int16_t> scaled_;  // only the decoding thread queues
  std::mutex mutex_;
  int64_t queuedBytes_ = 0;
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

  std::unique_ptr<AudioStream> openStream(int32_t rate, int32_t channels) override {
    if (!open_ || rate <= 0 || channels < 1 || channels > 2) return nullptr;
    SDL_AudioSpec want{};
    want.freq = rate;
    want.format = AUDIO_S16SYS;
    want.channels = static_cast<Uint8>(channels);
    want.samples = 1024;
    SDL_AudioSpec have{};
    SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (device == 0) {
      if (!streamNoted_) {
        streamNoted_ = true;
        note(std::string("no audio device for movie sound (") + SDL_GetError() +
             "): movies play silently");
      }
      return nullptr;
    }
    return std::make_unique<SdlAudioStream>(device, rate, channels, level_);
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
  Mix_Music* song_ = nullptr;
  std::shared_ptr<const std::string> songBytes_;
  uint16_t left_ = kFullVolume;
  uint16_t right_ = kFullVolume;
  std::atomic<int> level_{MIX_MAX_VOLUME};
};

}  // namespace

std::unique_ptr<AudioOutput> makeSdlAudioOutput() {
  return std::make_unique<SdlAudioOutput>();
}

}  // namespace tqvPlatform
