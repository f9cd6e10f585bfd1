// Code page 1252 character tables: case mapping, accent stripping and collation weights.
#pragma once

#include <array>
#include <cstdint>

namespace tqvCharmaps {

extern const std::array<uint8_t, 256> upper;
extern const std::array<uint8_t, 256> lower;
extern const std::array<uint8_t, 256> plain;
// Dictionary weights: digits 0-9, letters from 10, 0x10 at 125, NUL 179; bytes weighing
// more than kMaxWeight are ignored by the collation.
extern const std::array<uint8_t, 256> weight;
constexpr uint8_t kMaxWeight = 125;
constexpr uint8_t kEndWeight = 179;

}  // namespace tqvCharmaps
