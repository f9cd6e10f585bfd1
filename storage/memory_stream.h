// Memory streams: over caller memory (fixed size) or over an owned block that grows.
#pragma once

#include <string_view>

#include "storage/stream.h"

class tqvMemoryStreamObject : public tqvStreamObject {
 public:
  // Over `data` (not owned, not growable) when data is given; otherwise an owned,
  // growable, zero-filled block of max(size, 512) bytes.
  tqvMemoryStreamObject(void* data, TQVINT size);
  ~tqvMemoryStreamObject() override;

  bool isWritable() const override { return true; }
  bool isOpen() const override { return true; }
  bool atEnd() override { return position_ >= capacity_; }
  TQVINT size() override { return capacity_; }
  TQVINT position() override { return position_; }
  bool seek(TQVINT position) override;
  TQVINT readByte() override;
  TQVINT read(void* data, TQVINT count) override;
  bool writeByte(TQVINT byte) override;
  TQVINT write(const void* data, TQVINT count) override;
  void flush() override {}
  const unsigned char* contiguousBytes() const override { return data_; }

  const unsigned char* data() const { return data_; }
  // The bytes from the start up to the furthest position written (what a file holding
  // the stream's output would hold).
  std::string_view writtenBytes() const {
    return {reinterpret_cast<const char*>(data_), static_cast<size_t>(written_)};
  }
  bool growable() const { return growable_; }

 private:
  bool growTo(int64_t capacity);

  unsigned char* data_ = nullptr;
  TQVINT capacity_ = 0;
  TQVINT position_ = 0;
  TQVINT written_ = 0;
  bool growable_ = false;
  bool owned_ = false;
};

tqvHandle tqvMemoryStream(void* data, TQVINT size);
