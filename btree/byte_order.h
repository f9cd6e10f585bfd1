// Loads and stores of 16- and 32-bit integers in a file's byte order.
#pragma once

#include <cstdint>
#include <cstring>

namespace kfdetail {

inline uint16_t swap16(uint16_t v) {
  return static_cast<uint16_t>((v >> 8) | (v << 8));
}
inline uint32_t swap32(uint32_t v) {
  return __builtin_bswap32(v);
}
inline uint64_t swap64(uint64_t v) {
  return __builtin_bswap64(v);
}

// `swap` is true when the file's order differs from the machine's.
inline int32_t load32(const uint8_t* p, bool swap) {
  uint32_t v;
  std::memcpy(&v, p, 4);
  return static_cast<int32_t>(swap ? swap32(v) : v);
}
inline void store32(uint8_t* p, int32_t value, bool swap) {
  uint32_t v = static_cast<uint32_t>(value);
  if (swap) v = swap32(v);
  std::memcpy(p, &v, 4);
}
inline int16_t load16(const uint8_t* p, bool swap) {
  uint16_t v;
  std::memcpy(&v, p, 2);
  return static_cast<int16_t>(swap ? swap16(v) : v);
}
inline void store16(uint8_t* p, int16_t value, bool swap) {
  uint16_t v = static_cast<uint16_t>(value);
  if (swap) v = swap16(v);
  std::memcpy(p, &v, 2);
}

// True on a little-endian machine.
inline bool machineIsLittleEndian() {
  const uint16_t probe = 1;
  uint8_t first;
  std::memcpy(&first, &probe, 1);
  return first == 1;
}

}  // namespace kfdetail
