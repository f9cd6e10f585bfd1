// Byte streams (type 10): the common interface of file and memory streams.
#pragma once

#include "values/handle.h"

class tqvStreamObject : public tqvObject {
 public:
  virtual bool isWritable() const = 0;
  virtual bool isOpen() const = 0;
  virtual bool atEnd() = 0;
  virtual TQVINT size() = 0;
  virtual TQVINT position() = 0;
  // True when `position` is a place the stream can be at.
  virtual bool seek(TQVINT position) = 0;
  // 0 to 255, or -1 at the end.
  virtual TQVINT readByte() = 0;
  // Bytes read into `data` (0 at the end).
  virtual TQVINT read(void* data, TQVINT count) = 0;
  virtual bool writeByte(TQVINT byte) = 0;
  // Bytes written.
  virtual TQVINT write(const void* data, TQVINT count) = 0;
  virtual void flush() = 0;

  // Bytes between the position and the end: what a reader may at most still get.
  TQVINT remaining() {
    TQVINT left = size() - position();
    return left > 0 ? left : 0;
  }

  // The stream's bytes from 0 to size() as one block of memory, when it keeps them so;
  // null otherwise. Readers that can use it skip a call per item.
  virtual const unsigned char* contiguousBytes() const { return nullptr; }

  bool opCount(TQVINT& result) override {
    result = size();
    return true;
  }
};

// The stream object of a handle, or null when it is not a stream.
inline tqvStreamObject* tqvAsStream(const tqvHandle& h) {
  return h.is(TQV_STREAM_TYPE) ? h.as<tqvStreamObject>() : nullptr;
}
