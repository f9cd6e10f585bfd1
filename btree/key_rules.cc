// Sizing, ordering and byte-order conversion of key values by key type.
#include "btree/key_rules.h"

#include <cstring>

#include "btree/byte_order.h"

namespace kfdetail {
namespace {

constexpr int kTooLong = 243;

// Fixed size of a numeric or raw type, 0 for variable-size types, -1 for no rule.
int fixedSize(uint8_t type) {
  switch (type) {
    case 3:
    case 5:
    case 6:
      return 4;
    case 4:
    case 10:
      return 2;
    case 7:
      return 8;
    case 9:
      return 6;
    case 0:
    case 1:
    case 2:
    case 8:
    case 16:
    case 17:
    case 18:
    case 19:
    case 20:
      return 0;
    default:
      return -1;
  }
}

bool isCounted(uint8_t type) {
  return type == 2 || type == 8 || (type >= 16 && type <= 20);
}

// Size of a value of `type` in `avail` bytes: >0, 0 when it runs past, -1 for no rule.
int sizeIn(uint8_t type, const uint8_t* p, int avail) {
  int fixed = fixedSize(type);
  if (fixed < 0) return -1;
  if (fixed > 0) return fixed <= avail ? fixed : 0;
  if (avail < 1) return 0;
  if (isCounted(type)) {
    int size = p[0] + 1;
    return size <= avail ? size : 0;
  }
  const void* end = std::memchr(p, 0, static_cast<size_t>(avail));
  if (end == nullptr) return 0;
  return static_cast<int>(static_cast<const uint8_t*>(end) - p) + 1;
}

int sign(int64_t v) {
  return (v > 0) - (v < 0);
}

template <typename F>
int compareFloat(F a, F b) {
  if (a < b) return -1;
  if (a > b) return 1;
  return 0;
}

uint8_t foldAscii(uint8_t c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<uint8_t>(c + 32) : c;
}

// Compares two values of one type whose sizes are known. Composite values inside a
// composite key compare as counted byte strings.
int compareTyped(uint8_t type, const uint8_t* a, int sizeA, const uint8_t* b, int sizeB, bool swap,
                 const KeyRule* rule, int* error) {
  switch (type) {
    case 0: {
      int n = sizeA < sizeB ? sizeA : sizeB;
      int c = std::memcmp(a, b, static_cast<size_t>(n));
      return c != 0 ? sign(c) : sign(sizeA - sizeB);
    }
    case 1: {
      int n = sizeA < sizeB ? sizeA : sizeB;
      for (int i = 0; i < n; ++i) {
        int c = foldAscii(a[i]) - foldAscii(b[i]);
        if (c != 0) return sign(c);
      }
      return sign(sizeA - sizeB);
    }
    case 3:
    case 5:
      return sign(static_cast<int64_t>(load32(a, swap)) - load32(b, swap));
    case 4:
      return sign(load16(a, swap) - load16(b, swap));
    case 10:
      return sign(static_cast<uint16_t>(load16(a, swap)) - static_cast<uint16_t>(load16(b, swap)));
    case 6: {
      uint32_t x = static_cast<uint32_t>(load32(a, swap)),
               y = static_cast<uint32_t>(load32(b, swap));
      float fx, fy;
      std::memcpy(&fx, &x, 4);
      std::memcpy(&fy, &y, 4);
      return compareFloat(fx, fy);
    }
    case 7: {
      uint64_t x, y;
      std::memcpy(&x, a, 8);
      std::memcpy(&y, b, 8);
      if (swap) x = swap64(x), y = swap64(y);
      double dx, dy;
      std::memcpy(&dx, &x, 8);
      std::memcpy(&dy, &y, 8);
      return compareFloat(dx, dy);
    }
    case 9:
      return sign(std::memcmp(a, b, 6));
    case 8:
      if (rule != nullptr && rule->segmentCount > 0) break;
      [[fallthrough]];
    case 2:
    case 16:
    case 17:
    case 18:
    case 19:
    case 20: {
      int na = a[0], nb = b[0];
      int n = na < nb ? na : nb;
      int c = std::memcmp(a + 1, b + 1, static_cast<size_t>(n));
      return c != 0 ? sign(c) : sign(na - nb);
    }
    default:
      *error = kKfNotFound;
      return 0;
  }
  // Composite: segment by segment inside the counted bytes of each value.
  const uint8_t* pa = a + 1;
  const uint8_t* pb = b + 1;
  int restA = a[0], restB = b[0];
  for (int s = 0; s < rule->segmentCount; ++s) {
    uint8_t segType = rule->segments[s].type;
    int sa = sizeIn(segType, pa, restA);
    int sb = sizeIn(segType, pb, restB);
    if (sa < 0 || sb < 0) {
      *error = kKfNotFound;
      return 0;
    }
    if (sa == 0 || sb == 0) return 0;  // a key ran out of bytes
    int c = compareTyped(segType, pa, sa, pb, sb, swap, nullptr, error);
    if (*error != 0) return 0;
    if (c != 0) return rule->segments[s].descending ? -c : c;
    pa += sa, restA -= sa;
    pb += sb, restB -= sb;
  }
  return 0;
}

void convertTyped(uint8_t type, uint8_t* p, int size) {
  switch (type) {
    case 3:
    case 5:
    case 6:
      if (size >= 4) store32(p, load32(p, true), false);
      break;
    case 4:
    case 10:
      if (size >= 2) store16(p, load16(p, true), false);
      break;
    case 7:
      if (size >= 8) {
        uint64_t v;
        std::memcpy(&v, p, 8);
        v = swap64(v);
        std::memcpy(p, &v, 8);
      }
      break;
    default:
      break;
  }
}

}  // namespace

int keyValueSize(const KeyRule& rule, const uint8_t* p, int avail) {
  int size = sizeIn(rule.type, p, avail);
  if (size < 0) return kKfNotFound;
  if (size == 0) return kKfDamaged;
  return size;
}

int callerKeySize(const KeyRule& rule, const uint8_t* key) {
  int fixed = fixedSize(rule.type);
  if (fixed < 0) return kKfNotFound;
  if (fixed > 0) return fixed;
  if (isCounted(rule.type)) {
    int size = key[0] + 1;
    return size < kTooLong ? size : kKfBadArgument;
  }
  size_t len = strnlen(reinterpret_cast<const char*>(key), kTooLong);
  return len + 1 < static_cast<size_t>(kTooLong) ? static_cast<int>(len) + 1 : kKfBadArgument;
}

int compareKeyValues(const KeyRule& rule, const uint8_t* a, int sizeA, const uint8_t* b, int sizeB,
                     int* error) {
  return compareTyped(rule.type, a, sizeA, b, sizeB, rule.swap, &rule, error);
}

void convertKeyValue(const KeyRule& rule, uint8_t* value, int size) {
  if (rule.type != 8) {
    convertTyped(rule.type, value, size);
    return;
  }
  if (size < 1) return;
  uint8_t* p = value + 1;
  int rest = value[0] < size - 1 ? value[0] : size - 1;
  for (int s = 0; s < rule.segmentCount; ++s) {
    int segSize = sizeIn(rule.segments[s].type, p, rest);
    if (segSize <= 0) return;
    convertTyped(rule.segments[s].type, p, segSize);
    p += segSize, rest -= segSize;
  }
}

}  // namespace kfdetail
