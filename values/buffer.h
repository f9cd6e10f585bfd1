// Byte buffers: owned blocks, views into other buffers, and wrappers of foreign memory.
#pragma once

#include <string_view>

#include "values/handle.h"

class tqvBufferObject : public tqvObject {
 public:
  ~tqvBufferObject() override;

  // An owned, zero-filled block of `size` bytes with length 0. When the pool refuses the
  // block, reports "tqvBuffer(TQVINT): Cannot allocate buffer object of size N" and keeps
  // capacity 0.
  static tqvBufferObject* owned(TQVINT size);
  // A window of `size` bytes at `offset` into another buffer, which it keeps alive. The
  // window is clamped to the other buffer's capacity.
  static tqvBufferObject* view(const tqvHandle& buffer, TQVINT offset, TQVINT size);
  // Memory owned elsewhere; it must outlive the buffer and is never freed by it.
  static tqvBufferObject* wrapper(void* data, TQVINT size);

  TQVINT capacity() const { return capacity_; }
  TQVINT length() const { return length_; }
  // Clamped to 0..capacity.
  void setLength(TQVINT length);
  unsigned char* data() const { return data_ != nullptr ? data_ + offset_ : nullptr; }
  std::string_view bytes() const {
    return {reinterpret_cast<const char*>(data()), static_cast<size_t>(length_)};
  }
  // Copies min(length, size - 1) bytes and a NUL into `out` (size at least 1).
  void copyText(char* out, TQVINT size) const;

  bool opCount(TQVINT& result) override;

 private:
  tqvBufferObject() = default;

  TQVINT capacity_ = 0;
  TQVINT length_ = 0;
  TQVINT offset_ = 0;
  unsigned char* data_ = nullptr;
  // The buffer viewed into; true for an owned block; false for a wrapper.
  tqvHandle owner_;
};

tqvHandle tqvBuffer(TQVINT size);
tqvHandle tqvBufferView(const tqvHandle& buffer, TQVINT offset, TQVINT size);
tqvHandle tqvBufferWrap(void* data, TQVINT size);
// A buffer of length+1 bytes holding the text and its NUL, with the string's length.
tqvHandle tqvBufferFromString(const tqvHandle& s);
tqvBufferObject* tqvAsBuffer(const tqvHandle& h);
// The bytes of a string, or of a buffer up to its length; false for any other value.
bool tqvBytesOf(const tqvHandle& stringOrBuffer, std::string_view& bytes);
