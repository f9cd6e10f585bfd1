// Test helper: wave files written byte by byte, so that what the tests expect of them
// comes from the bytes and not from the code under test.
#pragma once

#include <cstdint>
#include <string>

namespace wave_bytes {

inline std::string le16(uint32_t v) {
  return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8 & 0xFF)};
}
inline std::string le32(uint32_t v) {
  return le16(v & 0xFFFF) + le16(v >> 16);
}
// A chunk: its identifier, its size, its body and a pad byte after an odd body.
inline std::string chunk(const std::string& id, const std::string& body) {
  return id + le32(static_cast<uint32_t>(body.size())) + body + std::string(body.size() % 2, '\0');
}
// The 16 common bytes of a format chunk's body, then `extra`.
inline std::string fmt(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t align,
                       uint16_t bits, const std::string& extra = "") {
  return chunk("fmt ", le16(tag) + le16(channels) + le32(rate) + le32(rate * align) + le16(align) +
                           le16(bits) + extra);
}
inline std::string data(size_t bytes) {
  return chunk("data", std::string(bytes, '\x80'));
}
inline std::string riff(const std::string& chunks) {
  return "RIFF" + le32(static_cast<uint32_t>(4 + chunks.size())) + "WAVE" + chunks;
}
// Mono 8-bit PCM at 1000 samples a second: `ms` milliseconds long.
inline std::string pcmMs(size_t ms) {
  return riff(fmt(1, 1, 1000, 1, 8) + data(ms));
}

}  // namespace wave_bytes
