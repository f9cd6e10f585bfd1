// Buffered file streams over the platform's file access.
#include "storage/file_stream.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/file_io.h"
#include "platform/file_names.h"
#include "platform/replace_file.h"
#include "values/buffer.h"
#include "values/cp1252.h"
#include "values/error.h"
#include "values/string.h"

namespace {
constexpr size_t kLongestPath = 255;
}

std::string tqvMapPath(const tqvHandle& path) {
  return tqvPlatform::mapPath(tqvCp1252ToUtf8(tqvStringView(path)));
}

tqvFileStreamObject::tqvFileStreamObject(const tqvHandle& path, TQVINT mode) : mode_(mode) {
  std::string_view name = tqvStringView(path);
  if (name.empty() || name.size() > kLongestPath) return;
  tqvPlatform::FileAccess access = (mode & TQV_FILE_CREATE)  ? tqvPlatform::FileAccess::Create
                                   : (mode & TQV_FILE_WRITE) ? tqvPlatform::FileAccess::ReadWrite
                                                             : tqvPlatform::FileAccess::Read;
  int fd = tqvPlatform::openFile(tqvMapPath(path), access);
  if (fd < 0) return;
  int64_t size = tqvPlatform::fileSize(fd);
  if (size < 0 || size >= kLargestFile) {
    tqvPlatform::closeFile(fd);
    return;
  }
  fd_ = fd;
  size_ = size;
  mode_ = (mode & (TQV_FILE_WRITE | TQV_FILE_TEXT | TQV_FILE_CREATE)) | TQV_FILE_READ;
  if (mode & TQV_FILE_CREATE) mode_ |= TQV_FILE_WRITE;
}

tqvFileStreamObject::~tqvFileStreamObject() {
  if (fd_ < 0) return;
  writeBack();
  tqvPlatform::closeFile(fd_);
}

bool tqvFileStreamObject::seek(TQVINT position) {
  if (fd_ < 0 || position < 0) return false;
  pendingSeek_ = position;
  mode_ |= kSeekPending;
  return true;
}

void tqvFileStreamObject::applyPendingSeek() {
  if (!(mode_ & kSeekPending)) return;
  mode_ &= ~kSeekPending;
  position_ = pendingSeek_;
}

bool tqvFileStreamObject::writeBack() {
  if (!(mode_ & kDirty)) return true;
  mode_ &= ~kDirty;
  size_t length = static_cast<size_t>(bufferEnd_ - bufferStart_);
  int64_t written = tqvPlatform::writeAt(fd_, buffer_, length, bufferStart_);
  if (written != static_cast<int64_t>(length)) return false;
  size_ = std::max(size_, bufferEnd_);
  return true;
}

bool tqvFileStreamObject::fillBuffer(int64_t start) {
  if (!writeBack()) return false;
  int64_t got = tqvPlatform::readAt(fd_, buffer_, kBufferSize, start);
  bufferStart_ = start;
  bufferEnd_ = start + std::max<int64_t>(got, 0);
  mode_ |= kHasData;
  return got >= 0;
}

TQVINT tqvFileStreamObject::readRaw(unsigned char* data, TQVINT count) {
  applyPendingSeek();
  if (count <= 0) return 0;
  // A large read goes straight to the file, after the buffer's changes are written.
  if (count > 2 * kBufferSize) {
    if (!writeBack()) return 0;
    int64_t got = tqvPlatform::readAt(fd_, data, static_cast<size_t>(count), position_);
    if (got <= 0) return 0;
    position_ += got;
    return static_cast<TQVINT>(got);
  }
  TQVINT done = 0;
  while (done < count) {
    bool inside = (mode_ & kHasData) && position_ >= bufferStart_ && position_ < bufferEnd_;
    if (!inside) {
      if (position_ >= size_) break;
      if (!fillBuffer(position_) || bufferEnd_ <= position_) break;
    }
    TQVINT n = static_cast<TQVINT>(std::min<int64_t>(count - done, bufferEnd_ - position_));
    std::memcpy(data + done, buffer_ + (position_ - bufferStart_), static_cast<size_t>(n));
    done += n;
    position_ += n;
  }
  return done;
}

TQVINT tqvFileStreamObject::writeRaw(const unsigned char* data, TQVINT count) {
  applyPendingSeek();
  if (count <= 0 || !isWritable()) return 0;
  if (position_ + count > kLargestFile) return 0;
  if (count > 2 * kBufferSize) {
    if (!writeBack()) return 0;
    int64_t written = tqvPlatform::writeAt(fd_, data, static_cast<size_t>(count), position_);
    if (written <= 0) return 0;
    // Bytes the buffer holds for this range are stale now.
    if ((mode_ & kHasData) && position_ < bufferEnd_ && position_ + written > bufferStart_) {
      mode_ &= ~kHasData;
      bufferStart_ = bufferEnd_ = 0;
    }
    position_ += written;
    size_ = std::max(size_, position_);
    return static_cast<TQVINT>(written);
  }
  TQVINT done = 0;
  while (done < count) {
    // The buffer can take bytes at positions from its start up to its end (appending
    // inside its 2048 bytes); anywhere else it is refilled from the position.
    bool usable = (mode_ & kHasData) && position_ >= bufferStart_ && position_ <= bufferEnd_ &&
                  position_ < bufferStart_ + kBufferSize;
    if (!usable && !fillBuffer(position_)) break;
    int64_t room = bufferStart_ + kBufferSize - position_;
    TQVINT n = static_cast<TQVINT>(std::min<int64_t>(count - done, room));
    std::memcpy(buffer_ + (position_ - bufferStart_), data + done, static_cast<size_t>(n));
    done += n;
    position_ += n;
    bufferEnd_ = std::max(bufferEnd_, position_);
    size_ = std::max(size_, position_);
    mode_ |= kDirty;
  }
  return done;
}

TQVINT tqvFileStreamObject::readText(unsigned char* data, TQVINT count) {
  TQVINT got = readRaw(data, count);
  TQVINT kept = 0;
  for (TQVINT i = 0; i < got; ++i) {
    if (data[i] != '\r') data[kept++] = data[i];
  }
  return kept;
}

TQVINT tqvFileStreamObject::writeText(const unsigned char* data, TQVINT count) {
  // Translated in pieces of at most 2048 source bytes, each at most twice as long.
  std::vector<unsigned char> translated;
  translated.reserve(2 * kBufferSize);
  TQVINT done = 0;
  while (done < count) {
    TQVINT piece = std::min(count - done, kBufferSize);
    translated.clear();
    for (TQVINT i = 0; i < piece; ++i) {
      if (data[done + i] == '\n') translated.push_back('\r');
      translated.push_back(data[done + i]);
    }
    auto size = static_cast<TQVINT>(translated.size());
    if (writeRaw(translated.data(), size) != size) break;
    done += piece;
  }
  return done;
}

TQVINT tqvFileStreamObject::read(void* data, TQVINT count) {
  if (fd_ < 0) return 0;
  auto* bytes = static_cast<unsigned char*>(data);
  return (mode_ & TQV_FILE_TEXT) ? readText(bytes, count) : readRaw(bytes, count);
}

TQVINT tqvFileStreamObject::write(const void* data, TQVINT count) {
  if (fd_ < 0) return 0;
  auto* bytes = static_cast<const unsigned char*>(data);
  return (mode_ & TQV_FILE_TEXT) ? writeText(bytes, count) : writeRaw(bytes, count);
}

TQVINT tqvFileStreamObject::readByte() {
  unsigned char byte;
  for (;;) {
    if (read(&byte, 1) != 1) {
      // In text mode a dropped CR delivers nothing; try again unless at the end.
      if ((mode_ & TQV_FILE_TEXT) && fd_ >= 0 && !atEnd()) continue;
      return -1;
    }
    return byte;
  }
}

bool tqvFileStreamObject::writeByte(TQVINT byte) {
  auto b = static_cast<unsigned char>(byte);
  return write(&b, 1) == 1;
}

void tqvFileStreamObject::flush() {
  if (fd_ >= 0) writeBack();
}

tqvHandle tqvFileStream(const tqvHandle& path, TQVINT mode, bool quiet) {
  auto* stream = new tqvFileStreamObject(path, mode);
  if (stream == nullptr || !stream->isOpen()) {
    delete stream;
    if (!quiet) tqvError("tqvFileStream: Cannot open " + std::string(tqvStringView(path)));
    return TQV_NIL;
  }
  return tqvHandle::wrap(stream, TQV_STREAM_TYPE);
}

tqvHandle tqvFileStream(std::string_view path, TQVINT mode, bool quiet) {
  return tqvFileStream(tqvMakeString(path), mode, quiet);
}

tqvHandle tqvReadWholeFile(const tqvHandle& path, bool textMode, bool quiet) {
  tqvHandle stream =
      tqvFileStream(path, textMode ? TQV_FILE_READ | TQV_FILE_TEXT : TQV_FILE_READ, quiet);
  tqvStreamObject* s = tqvAsStream(stream);
  if (s == nullptr) return TQV_NIL;
  tqvHandle buffer = tqvBuffer(s->size());
  tqvBufferObject* b = tqvAsBuffer(buffer);
  if (b != nullptr && b->capacity() > 0) b->setLength(s->read(b->data(), b->capacity()));
  return buffer;
}

bool tqvWriteWholeFile(const tqvHandle& path, std::string_view bytes, bool quiet) {
  std::string_view name = tqvStringView(path);
  std::string reason;
  if (name.empty() || name.size() > kLongestPath) {
    reason = "the name is empty or too long";
  } else if (tqvPlatform::replaceFile(tqvMapPath(path), bytes, reason)) {
    return true;
  }
  if (!quiet) tqvError("Cannot write " + std::string(name) + ": " + tqvUtf8ToCp1252(reason));
  return false;
}

bool tqvFileExists(const tqvHandle& path) {
  return tqvPlatform::fileExists(tqvCp1252ToUtf8(tqvStringView(path)));
}

bool tqvDeleteFile(const tqvHandle& path) {
  return tqvPlatform::deleteFile(tqvCp1252ToUtf8(tqvStringView(path)));
}
