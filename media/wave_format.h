// The format of a wave file, as read from its RIFF chunks: channels, rate, block
// alignment, bits per sample, samples per block (IMA ADPCM) and the data chunk's size,
// and the sound's length from them.
#pragma once

#include <cstdint>
#include <string_view>

// Format tags the length rule knows by name; any other tag counts by bits per sample.
enum : uint16_t { TQV_WAVE_PCM = 1, TQV_WAVE_IMA_ADPCM = 17 };

struct tqvWaveFormat {
  uint16_t formatTag = 0;
  uint16_t channels = 0;
  uint32_t samplesPerSecond = 0;
  uint16_t blockAlign = 0;
  uint16_t bitsPerSample = 0;
  uint16_t samplesPerBlock = 0;  // IMA ADPCM only
  uint32_t dataSize = 0;
  // Sample frames: PCM, data size / block alignment; IMA ADPCM, (data size / block
  // alignment) * samples per block / channels; others, data size * 8 / (bits per sample *
  // channels).
  int64_t length = 0;
  // length * 1000 / samples per second.
  int64_t durationMs = 0;
};

// Reads the file's format. The file must begin "RIFF", a size, "WAVE", "fmt ", then the
// format chunk's size and the chunk (at least the 16 bytes of the common fields, 20 for
// IMA ADPCM); chunks after it are passed over (each padded to an even size) up to the
// "data" chunk, which must lie inside the file. False when any of that fails, or when a
// channel count, rate, block alignment or bit count the length needs is 0; `format` then
// holds what was read so far.
bool tqvReadWaveFormat(std::string_view file, tqvWaveFormat& format);
