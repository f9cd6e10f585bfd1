// Reading a wave file's format and length.
#include "media/wave_format.h"

#include <algorithm>
#include <limits>

namespace {

// Little-endian reads over the file, refusing to run past its end.
class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}
  bool tag(std::string_view expected) {
    if (left() < 4 || bytes_.substr(at_, 4) != expected) return false;
    at_ += 4;
    return true;
  }
  bool word32(uint32_t& value) {
    if (left() < 4) return false;
    value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<uint8_t>(bytes_[at_ + i]);
    at_ += 4;
    return true;
  }
  bool skip(uint64_t count) {
    if (count > left()) return false;
    at_ += count;
    return true;
  }
  std::string_view take(size_t count) {
    std::string_view part = bytes_.substr(at_, count);
    at_ += part.size();
    return part;
  }
  uint64_t left() const { return bytes_.size() - at_; }

 private:
  std::string_view bytes_;
  size_t at_ = 0;
};

uint16_t field16(std::string_view chunk, size_t at) {
  return static_cast<uint16_t>(static_cast<uint8_t>(chunk[at]) | static_cast<uint8_t>(chunk[at + 1])
                                                                     << 8);
}

uint32_t field32(std::string_view chunk, size_t at) {
  return static_cast<uint32_t>(field16(chunk, at)) | static_cast<uint32_t>(field16(chunk, at + 2))
                                                         << 16;
}

constexpr size_t kCommonFields = 16;
constexpr size_t kAdpcmFields = 20;

}  // namespace

bool tqvReadWaveFormat(std::string_view file, tqvWaveFormat& format) {
  format = tqvWaveFormat();
  Reader in(file);
  uint32_t size = 0;
  if (!in.tag("RIFF") || !in.word32(size) || !in.tag("WAVE") || !in.tag("fmt ")) return false;
  if (!in.word32(size) || size > in.left()) return false;
  std::string_view chunk = in.take(size);
  if (chunk.size() < kCommonFields) return false;
  format.formatTag = field16(chunk, 0);
  format.channels = field16(chunk, 2);
  format.samplesPerSecond = field32(chunk, 4);
  format.blockAlign = field16(chunk, 12);
  format.bitsPerSample = field16(chunk, 14);
  if (format.formatTag == TQV_WAVE_IMA_ADPCM) {
    if (chunk.size() < kAdpcmFields) return false;
    format.samplesPerBlock = field16(chunk, 18);
  }
  in.skip(size & 1);  // a chunk of odd size is followed by a pad byte
  for (;;) {
    if (in.tag("data")) {
      if (!in.word32(size) || size > in.left()) return false;
      format.dataSize = size;
      break;
    }
    if (!in.skip(4) || !in.word32(size) || !in.skip(uint64_t{size} + (size & 1))) return false;
  }

  uint64_t data = format.dataSize;
  uint64_t length = 0;
  if (format.channels == 0 || format.samplesPerSecond == 0) return false;
  if (format.formatTag == TQV_WAVE_PCM || format.formatTag == TQV_WAVE_IMA_ADPCM) {
    if (format.blockAlign == 0) return false;
    length = data / format.blockAlign;
    if (format.formatTag == TQV_WAVE_IMA_ADPCM) {
      length = length * format.samplesPerBlock / format.channels;
    }
  } else {
    if (format.bitsPerSample == 0) return false;
    length = data * 8 / (uint64_t{format.bitsPerSample} * format.channels);
  }
  format.length =
      static_cast<int64_t>(std::min<uint64_t>(length, std::numeric_limits<int32_t>::max()));
  format.durationMs = format.length * 1000 / format.samplesPerSecond;
  return true;
}
