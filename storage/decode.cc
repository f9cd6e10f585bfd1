// Reading values in the binary encoding, trusting no count or length beyond the bytes
// the stream still holds.
#include <algorithm>
#include <bit>
#include <cstring>
#include <string>
#include <vector>

#include "storage/codecs.h"
#include "storage/encoding.h"
#include "storage/stream.h"
#include "values/buffer.h"
#include "values/convert.h"
#include "values/date.h"
#include "values/error.h"
#include "values/font.h"
#include "values/list.h"
#include "values/region.h"
#include "values/string.h"
#include "values/table.h"

namespace {

// A table of this many slots is always believed; beyond it the capacity may be at most
// a fixed multiple of the bytes left, so damaged data cannot ask for gigabytes.
constexpr int64_t kTrustedTableCapacity = 1 << 12;
constexpr int64_t kSlotsPerRemainingByte = 8;

// Nesting depth across every decoder in progress, including those that payload decoders
// of other libraries start, so no path around the limit exists.
int nesting = 0;

// Reads through the stream's own calls: file streams and any other kind.
class StreamSource {
 public:
  static constexpr bool kDirect = false;
  explicit StreamSource(tqvStreamObject* s) : s_(s) {}
  TQVINT read(void* data, TQVINT count) { return s_->read(data, count); }
  TQVINT remaining() { return s_->remaining(); }
  // Payload decoders of other libraries read the stream itself.
  void beforeForeign() {}
  void afterForeign() {}
  void finish() {}

 private:
  tqvStreamObject* s_;
};

// Reads straight from the memory of a stream that keeps its bytes in one block, with the
// stream's own read semantics (a short read takes what is left), and puts the stream's
// position where the reading ended.
class MemorySource {
 public:
  static constexpr bool kDirect = true;
  MemorySource(tqvStreamObject* s, const unsigned char* base) : s_(s), base_(base) {
    at_ = s->position();
    end_ = s->size();
  }
  TQVINT read(void* data, TQVINT count) {
    if (at_ >= end_ || count <= 0) return 0;
    TQVINT n = std::min(count, end_ - at_);
    std::memcpy(data, base_ + at_, static_cast<size_t>(n));
    at_ += n;
    return n;
  }
  TQVINT remaining() const { return end_ > at_ ? end_ - at_ : 0; }
  // The next `count` bytes, which the caller has checked are there; then skipped.
  const char* take(TQVINT count) {
    const char* at = reinterpret_cast<const char*>(base_ + at_);
    at_ += count;
    return at;
  }
  void beforeForeign() { s_->seek(at_); }
  void afterForeign() {
    base_ = s_->contiguousBytes();
    at_ = s_->position();
    end_ = base_ != nullptr ? s_->size() : at_;
  }
  void finish() { s_->seek(at_); }

 private:
  tqvStreamObject* s_;
  const unsigned char* base_;
  TQVINT at_ = 0;
  TQVINT end_ = 0;
};

template <class Source>
class Decoder {
 public:
  Decoder(const tqvHandle& stream, Source source) : handle_(stream), s_(source) {}

  tqvHandle value() {
    if (failed_) return TQV_NIL;
    if (nesting >= tqvMaxNesting) {
      tqvError("Cannot decode a value nested deeper than " + std::to_string(tqvMaxNesting) +
               " levels");
      failed_ = true;
      return TQV_NIL;
    }
    ++nesting;
    tqvHandle result = dispatch(byte());
    --nesting;
    return result;
  }

  void finish() { s_.finish(); }

 private:
  bool readExactly(void* data, TQVINT count, const char* message) {
    if (failed_) return false;
    if (s_.read(data, count) == count) return true;
    tqvError(message);
    failed_ = true;
    return false;
  }

  TQVINT byte() {
    unsigned char b = 0;
    return readExactly(&b, 1, "Cannot read TQVBYTE from stream") ? b : 0;
  }

  uint32_t littleEndian(int size, const char* message) {
    unsigned char bytes[4] = {};
    if (!readExactly(bytes, size, message)) return 0;
    uint32_t v = 0;
    for (int i = 0; i < size; ++i) v |= static_cast<uint32_t>(bytes[i]) << (8 * i);
    return v;
  }
  TQVINT int32() { return static_cast<TQVINT>(littleEndian(4, "Cannot read TQVINT from stream")); }
  TQVINT int16() { return static_cast<int16_t>(littleEndian(2, "Cannot read TQVINT from stream")); }

  // The bytes of a length-prefixed item: at most what the stream still holds, so the
  // short read is reported instead of allocating for a length that cannot be there.
  tqvHandle text(TQVINT length) {
    if (length <= 0) return tqvMakeString("");
    TQVINT wanted = std::min(length, s_.remaining());
    if constexpr (Source::kDirect) {
      // Made straight from the stream's memory, without a staging copy.
      if (wanted == length) return tqvMakeString(s_.take(length), length);
    }
    std::string bytes(static_cast<size_t>(wanted), '\0');
    TQVINT got = wanted > 0 ? s_.read(bytes.data(), wanted) : 0;
    if (got < length) {
      tqvError("Cannot read TQVBYTE from stream");
      failed_ = true;
    }
    return tqvMakeString(bytes.data(), got);
  }

  tqvHandle buffer(TQVINT length) {
    TQVINT capacity = std::clamp<TQVINT>(length, 0, s_.remaining());
    tqvHandle result = tqvBuffer(capacity);
    tqvBufferObject* b = tqvAsBuffer(result);
    TQVINT got = b != nullptr && capacity > 0 ? s_.read(b->data(), capacity) : 0;
    if (b != nullptr) b->setLength(got);
    if (got < length) {
      tqvError("Cannot read TQVBYTE from stream");
      failed_ = true;
    }
    return result;
  }

  tqvHandle intList(TQVINT count) {
    TQVINT fits = std::clamp<TQVINT>(count, 0, s_.remaining() / 4);
    tqvHandle result = tqvMakeIntList(fits, 100);
    auto* list = static_cast<tqvIntListObject*>(tqvAsList(result));
    TQVINT bytes = fits * 4;
    TQVINT got = fits > 0 ? s_.read(list->data(), bytes) : 0;
    if (count < 0 || got < bytes || fits < count) {
      tqvError("Cannot read IntList from stream");
      failed_ = true;
    }
    TQVINT items = got / 4;
    if constexpr (std::endian::native == std::endian::big) {
      for (TQVINT i = 0; i < items; ++i) {
        auto v = static_cast<uint32_t>(list->data()[i]);
        list->data()[i] = static_cast<TQVINT>((v >> 24) | ((v >> 8) & 0xFF00) |
                                              ((v << 8) & 0xFF0000) | (v << 24));
      }
    }
    list->setCount(items);
    return result;
  }

  tqvHandle generalList(TQVINT count) {
    // Every item takes at least one byte, so the capacity never exceeds the bytes left.
    TQVINT capacity = std::clamp<TQVINT>(count, 0, s_.remaining());
    tqvHandle result = tqvMakeList(capacity, 100);
    auto* list = static_cast<tqvGeneralListObject*>(tqvAsList(result));
    if (list == nullptr) return result;
    for (TQVINT i = 0; i < count && !failed_; ++i) {
      tqvHandle item = value();
      list->take(item);
    }
    return result;
  }

  tqvHandle table() {
    TQVINT capacity = int32();
    TQVINT count = int32();
    if (failed_) return TQV_NIL;
    int64_t limit = std::max(kTrustedTableCapacity, kSlotsPerRemainingByte * s_.remaining());
    tqvHandle result = tqvTable(static_cast<TQVINT>(std::min<int64_t>(capacity, limit)), 100, 75);
    tqvTableObject* t = tqvAsTable(result);
    for (TQVINT i = 0; i < count && !failed_; ++i) {
      tqvHandle key = value();
      tqvHandle v = value();
      if (!failed_ && t != nullptr) t->store(std::move(key), std::move(v));
    }
    return result;
  }

  tqvHandle region() {
    TQVINT left = int32(), top = int32(), right = int32(), bottom = int32();
    TQVINT n = int32();
    if (failed_) return TQV_NIL;
    if (n <= 0) return tqvMakeRect(left, top, right, bottom);
    if (n > s_.remaining() / 8) {
      tqvError("Cannot read TQVINT from stream");
      failed_ = true;
      return TQV_NIL;
    }
    std::vector<tqvPoint> points(static_cast<size_t>(n));
    for (tqvPoint& p : points) {
      p.x = int32();
      p.y = int32();
    }
    return tqvMakePolygon(points, left, top, right, bottom);
  }

  // A scalar whose bytes were cut short is nil.
  tqvHandle scalar(const tqvHandle& v) const { return failed_ ? TQV_NIL : v; }

  tqvHandle dispatch(TQVINT tag) {
    if (failed_) return TQV_NIL;
    switch (tag) {
      case TQV_NIL_TYPE:
        return TQV_NIL;
      case TQV_BOOLEAN_TYPE:
        return scalar(tqvMakeBoolean(int32() != 0));
      case TQV_INT_TYPE:
        return scalar(tqvMakeInt(int32()));
      case TQV_FLOAT_TYPE:
        return scalar(tqvMakeFloat(
            std::bit_cast<TQVFLOAT>(littleEndian(4, "Cannot read TQVFLOAT from stream"))));
      case TQV_TAG_TRUE:
        return TQV_TRUE;
      case TQV_TAG_FALSE:
        return TQV_FALSE;
      case TQV_TAG_BYTE_INT:
        return scalar(tqvMakeInt(static_cast<int8_t>(byte())));
      case TQV_TAG_SHORT_INT:
        return scalar(tqvMakeInt(int16()));
      case TQV_STRING_TYPE: {
        TQVINT length = int32();
        return failed_ ? TQV_NIL : text(length);
      }
      case TQV_TAG_SHORT_STRING: {
        TQVINT length = byte();
        return failed_ ? TQV_NIL : text(length);
      }
      case TQV_BUFFER_TYPE: {
        TQVINT length = int32();
        return failed_ ? TQV_NIL : buffer(length);
      }
      case TQV_LIST_TYPE: {
        TQVINT count = int32();
        TQVINT kind = byte();
        if (failed_) return TQV_NIL;
        return kind == TQV_INTLIST_KIND ? intList(count) : generalList(count);
      }
      case TQV_TAG_SHORT_LIST: {
        TQVINT count = byte();
        return failed_ ? TQV_NIL : generalList(count);
      }
      case TQV_TABLE_TYPE:
        return table();
      case TQV_REGION_TYPE:
        return region();
      case TQV_FONT_TYPE: {
        tqvHandle name = value();
        TQVINT size = int32();
        TQVINT style = int32();
        return failed_ ? TQV_NIL : tqvMakeFont(name, size, style);
      }
      case TQV_DATE_TYPE: {
        TQVINT word1 = int32();
        TQVINT word2 = int32();
        return failed_ ? TQV_NIL : tqvDateFromWords(word1, word2);
      }
      default:
        break;
    }
    if (tqvPayloadDecoder decoder = tqvFindDecoder(tag)) {
      s_.beforeForeign();
      tqvHandle result = decoder(handle_);
      s_.afterForeign();
      return result;
    }
    tqvError(std::string("Cannot decode this type: ") + tqvTypeName(tag));
    failed_ = true;
    return TQV_NIL;
  }

  const tqvHandle& handle_;
  Source s_;
  bool failed_ = false;
};

}  // namespace

tqvHandle tqvDecode(const tqvHandle& stream) {
  if (tqvAsStream(stream) == nullptr) {
    tqvArgError("tqvDecode(stream)", 1);
    return TQV_NIL;
  }
  tqvStreamObject* s = tqvAsStream(stream);
  tqvHandle result;
  if (const unsigned char* bytes = s->contiguousBytes()) {
    Decoder<MemorySource> decoder(stream, MemorySource(s, bytes));
    result = decoder.value();
    decoder.finish();
  } else {
    Decoder<StreamSource> decoder(stream, StreamSource(s));
    result = decoder.value();
  }
  return result;
}
