// File streams: buffered access to one file in 2048-byte blocks, with seeks that take
// effect on the next transfer and optional line-ending translation.
#pragma once

#include <string>
#include <string_view>

#include "storage/stream.h"

// Mode flags of tqvFileStream.
enum : TQVINT {
  TQV_FILE_READ = 1,
  TQV_FILE_WRITE = 2,   // read and write an existing file
  TQV_FILE_TEXT = 4,    // drop CR when reading; write LF as CR LF
  TQV_FILE_CREATE = 8,  // create or truncate; implies write
};

class tqvFileStreamObject : public tqvStreamObject {
 public:
  // Opens `path` (a system path) with `mode`; isOpen() tells whether it worked.
  tqvFileStreamObject(const tqvHandle& path, TQVINT mode);
  ~tqvFileStreamObject() override;

  bool isWritable() const override { return (mode_ & (TQV_FILE_WRITE | TQV_FILE_CREATE)) != 0; }
  bool isOpen() const override { return fd_ >= 0; }
  bool atEnd() override { return logical() >= size_; }
  TQVINT size() override { return static_cast<TQVINT>(size_); }
  TQVINT position() override { return static_cast<TQVINT>(logical()); }
  bool seek(TQVINT position) override;
  TQVINT readByte() override;
  TQVINT read(void* data, TQVINT count) override;
  bool writeByte(TQVINT byte) override;
  TQVINT write(const void* data, TQVINT count) override;
  void flush() override;

  TQVINT mode() const { return mode_; }

  static constexpr TQVINT kBufferSize = 2048;

 private:
  enum : TQVINT { kHasData = 16, kDirty = 32, kSeekPending = 64 };
  static constexpr int64_t kLargestFile = INT32_MAX;

  int64_t logical() const { return (mode_ & kSeekPending) ? pendingSeek_ : position_; }
  void applyPendingSeek();
  bool writeBack();
  // Makes the buffer hold the file's bytes from `start` on.
  bool fillBuffer(int64_t start);
  TQVINT readRaw(unsigned char* data, TQVINT count);
  TQVINT writeRaw(const unsigned char* data, TQVINT count);
  TQVINT readText(unsigned char* data, TQVINT count);
  TQVINT writeText(const unsigned char* data, TQVINT count);

  TQVINT mode_ = 0;
  int fd_ = -1;
  int64_t size_ = 0;
  int64_t position_ = 0;
  int64_t pendingSeek_ = 0;
  // The buffered bytes cover [bufferStart_, bufferEnd_) of the file.
  unsigned char buffer_[kBufferSize];
  int64_t bufferStart_ = 0;
  int64_t bufferEnd_ = 0;
};

// Opens a file stream, or gives nil: "tqvFileStream: Cannot open PATH" is reported
// unless `quiet`. Paths of 256 characters or more, and files of 2 GiB or more, are
// refused.
tqvHandle tqvFileStream(const tqvHandle& path, TQVINT mode, bool quiet = false);
tqvHandle tqvFileStream(std::string_view path, TQVINT mode, bool quiet = false);

// The whole file as a buffer (text mode drops CRs), or nil after the stream's report.
tqvHandle tqvReadWholeFile(const tqvHandle& path, bool textMode, bool quiet = false);

// Replaces the file at `path` with `bytes` in one step: a failure, or a crash at any
// moment, leaves the old file whole. A failure reports "Cannot write PATH: REASON" unless
// `quiet`.
bool tqvWriteWholeFile(const tqvHandle& path, std::string_view bytes, bool quiet = false);

bool tqvFileExists(const tqvHandle& path);
bool tqvDeleteFile(const tqvHandle& path);

// The file-system path of a system path (code page 1252 in, UTF-8 out).
std::string tqvMapPath(const tqvHandle& path);
