// Containers opened from files or from memory.
#include "platform/av/av_input.h"

extern "C" {
#include <libavutil/error.h>
#include <libavutil/mem.h>
}

#include <algorithm>
#include <cstring>

namespace tqvPlatform {
namespace {

constexpr int kReadBlock = 32768;
// Probing looks at no more than this much of a file before it decides.
constexpr int64_t kProbeBytes = 1 << 20;

const char* demuxersOf(MovieContainer container) {
  return container == MovieContainer::Avi ? "avi" : "mpeg,mpegvideo";
}

}  // namespace

std::string avErrorText(int code) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(code, text, sizeof text);
  return text;
}

AvInput::~AvInput() {
  avformat_close_input(&format_);
  if (io_ != nullptr) {
    av_freep(&io_->buffer);
    avio_context_free(&io_);
  }
}

int AvInput::readBytes(void* opaque, uint8_t* buffer, int size) {
  auto* self = static_cast<AvInput*>(opaque);
  int64_t left = static_cast<int64_t>(self->bytes_->size()) - self->position_;
  if (left <= 0) return AVERROR_EOF;
  int count = static_cast<int>(std::min<int64_t>(left, size));
  std::memcpy(buffer, self->bytes_->data() + self->position_, static_cast<size_t>(count));
  self->position_ += count;
  return count;
}

int64_t AvInput::seekBytes(void* opaque, int64_t offset, int whence) {
  auto* self = static_cast<AvInput*>(opaque);
  auto size = static_cast<int64_t>(self->bytes_->size());
  if ((whence & AVSEEK_SIZE) != 0) return size;
  int64_t target = offset;
  switch (whence & ~AVSEEK_FORCE) {
    case SEEK_SET:
      break;
    case SEEK_CUR:
      target = self->position_ + offset;
      break;
    case SEEK_END:
      target = size + offset;
      break;
    default:
      return AVERROR(EINVAL);
  }
  if (target < 0 || target > size) return AVERROR(EINVAL);
  self->position_ = target;
  return target;
}

std::unique_ptr<AvInput> AvInput::open(const std::string& path,
                                       std::shared_ptr<const std::string> bytes,
                                       MovieContainer container, std::string& error) {
  auto input = std::make_unique<AvInput>();
  input->format_ = avformat_alloc_context();
  if (input->format_ == nullptr) {
    error = "out of memory";
    return nullptr;
  }
  if (bytes != nullptr) {
    input->bytes_ = std::move(bytes);
    auto* block = static_cast<uint8_t*>(av_malloc(kReadBlock));
    input->io_ = block != nullptr ? avio_alloc_context(block, kReadBlock, 0, input.get(), readBytes,
                                                       nullptr, seekBytes)
                                  : nullptr;
    if (input->io_ == nullptr) {
      av_free(block);
      avformat_free_context(input->format_);
      input->format_ = nullptr;
      error = "out of memory";
      return nullptr;
    }
    input->format_->pb = input->io_;
  }
  input->format_->probesize = kProbeBytes;
  AVDictionary* options = nullptr;
  av_dict_set(&options, "format_whitelist", demuxersOf(container), 0);
  av_dict_set(&options, "protocol_whitelist", "file", 0);
  // On failure FFmpeg frees the context it was given.
  const char* url = input->io_ == nullptr ? path.c_str() : "";
  int status = avformat_open_input(&input->format_, url, nullptr, &options);
  av_dict_free(&options);
  if (status < 0) {
    error = avErrorText(status);
    return nullptr;
  }
  status = avformat_find_stream_info(input->format_, nullptr);
  if (status < 0) {
    error = avErrorText(status);
    return nullptr;
  }
  return input;
}

}  // namespace tqvPlatform
