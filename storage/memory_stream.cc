// Memory stream reads, writes and growth.
#include "storage/memory_stream.h"

#include <algorithm>
#include <cstring>

#include "values/pool.h"

namespace {
constexpr TQVINT kMinimumOwnedSize = 512;
constexpr int64_t kLargestStream = INT32_MAX;
}  // namespace

tqvMemoryStreamObject::tqvMemoryStreamObject(void* data, TQVINT size) {
  if (data != nullptr) {
    data_ = static_cast<unsigned char*>(data);
    capacity_ = std::max<TQVINT>(size, 0);
    return;
  }
  TQVINT capacity = std::max(size, kMinimumOwnedSize);
  data_ = static_cast<unsigned char*>(tqvPoolAlloc(static_cast<size_t>(capacity)));
  capacity_ = data_ != nullptr ? capacity : 0;
  growable_ = true;
  owned_ = true;
}

tqvMemoryStreamObject::~tqvMemoryStreamObject() {
  if (owned_) tqvPoolFree(data_, static_cast<size_t>(capacity_));
}

bool tqvMemoryStreamObject::growTo(int64_t capacity) {
  if (!growable_ || capacity > kLargestStream) return false;
  auto* grown = static_cast<unsigned char*>(tqvPoolAlloc(static_cast<size_t>(capacity)));
  if (grown == nullptr) return false;
  if (capacity_ > 0) std::memcpy(grown, data_, static_cast<size_t>(capacity_));
  tqvPoolFree(data_, static_cast<size_t>(capacity_));
  data_ = grown;
  capacity_ = static_cast<TQVINT>(capacity);
  return true;
}

bool tqvMemoryStreamObject::seek(TQVINT position) {
  if (position < 0 || position > capacity_) return false;
  position_ = position;
  return true;
}

TQVINT tqvMemoryStreamObject::readByte() {
  if (position_ >= capacity_) return -1;
  return data_[position_++];
}

TQVINT tqvMemoryStreamObject::read(void* data, TQVINT count) {
  if (position_ >= capacity_ || count <= 0) return 0;
  TQVINT n = std::min(count, capacity_ - position_);
  std::memcpy(data, data_ + position_, static_cast<size_t>(n));
  position_ += n;
  return n;
}

bool tqvMemoryStreamObject::writeByte(TQVINT byte) {
  if (position_ >= capacity_ && !growTo(std::max<int64_t>(2 * int64_t{capacity_}, 1))) {
    return false;
  }
  data_[position_++] = static_cast<unsigned char>(byte);
  written_ = std::max(written_, position_);
  return true;
}

TQVINT tqvMemoryStreamObject::write(const void* data, TQVINT count) {
  if (count <= 0) return 0;
  if (capacity_ - position_ < count) {
    int64_t twice = 2 * int64_t{capacity_};
    int64_t needed = int64_t{position_} + count;
    if (!growTo(twice >= needed ? twice : needed + 512)) return 0;
  }
  std::memcpy(data_ + position_, data, static_cast<size_t>(count));
  position_ += count;
  written_ = std::max(written_, position_);
  return count;
}

tqvHandle tqvMemoryStream(void* data, TQVINT size) {
  return tqvHandle::wrap(new tqvMemoryStreamObject(data, size), TQV_STREAM_TYPE);
}
