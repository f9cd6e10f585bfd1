// The sound output that plays nothing.
#include <utility>

#include "platform/audio.h"

namespace tqvPlatform {
namespace {

class NullAudioOutput : public AudioOutput {
 public:
  explicit NullAudioOutput(std::function<void(const std::string&)> log) : log_(std::move(log)) {}

  bool playWave(std::shared_ptr<const std::string> file, bool loop, std::string&) override {
    say("audio wave " + std::to_string(file != nullptr ? file->size() : 0) + " bytes" +
        (loop ? " looping" : ""));
    return true;
  }
  void stopWave() override { say("audio wave stop"); }
  bool playMusic(std::shared_ptr<const std::string> file, std::string&) override {
    say("audio music " + std::to_string(file != nullptr ? file->size() : 0) + " bytes");
    return true;
  }
  void stopMusic() override { say("audio music stop"); }

  bool waveVolume(uint16_t& left, uint16_t& right) override {
    left = left_;
    right = right_;
    return true;
  }
  bool setWaveVolume(uint16_t left, uint16_t right) override {
    left_ = left;
    right_ = right;
    return true;
  }
  bool setMusicVolume(uint16_t, uint16_t) override { return true; }
  std::unique_ptr<AudioStream> openStream(int32_t, int32_t) override { return nullptr; }

 private:
  void say(const std::string& line) {
    if (log_) log_(line);
  }

  std::function<void(const std::string&)> log_;
  uint16_t left_ = 0xFFFF;
  uint16_t right_ = 0xFFFF;
};

}  // namespace

std::unique_ptr<AudioOutput> makeNullAudioOutput(std::function<void(const std::string&)> log) {
  return std::make_unique<NullAudioOutput>(std::move(log));
}

}  // namespace tqvPlatform
