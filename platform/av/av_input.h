// Opening a movie's container with FFmpeg: from a file (the file protocol only) or from
// bytes in memory, limited to the demuxers of its kind so that a file is never read as
// something else than its extension says.
#pragma once

extern "C" {
#include <libavformat/avformat.h>
}

#include <memory>
#include <string>

#include "platform/movie.h"

namespace tqvPlatform {

// An open container and, for bytes in memory, the reader behind it.
class AvInput {
 public:
  AvInput() = default;
  ~AvInput();
  AvInput(const AvInput&) = delete;
  AvInput& operator=(const AvInput&) = delete;

  AVFormatContext* format() { return format_; }

  // Opens and reads the stream information. Null with the reason when the bytes are not
  // a container of that kind.
  static std::unique_ptr<AvInput> open(const std::string& path,
                                       std::shared_ptr<const std::string> bytes,
                                       MovieContainer container, std::string& error);

 private:
  static int readBytes(void* opaque, uint8_t* buffer, int size);
  static int64_t seekBytes(void* opaque, int64_t offset, int whence);

  AVFormatContext* format_ = nullptr;
  AVIOContext* io_ = nullptr;
  std::shared_ptr<const std::string> bytes_;
  int64_t position_ = 0;
};

// FFmpeg's text for an error code.
std::string avErrorText(int code);

}  // namespace tqvPlatform
