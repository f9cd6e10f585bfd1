// Writing values in the binary encoding. The bytes are gathered in memory and handed to
// the stream in large pieces.
#include <algorithm>
#include <cstring>
#include <string>

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

constexpr size_t kFlushSize = 64 * 1024;

class Encoder {
 public:
  Encoder(const tqvHandle& stream, tqvStreamObject* s) : stream_(stream), s_(s) {}
  ~Encoder() { flush(); }

  void value(const tqvHandle& v) {
    if (tooDeep_) return;
    if (++depth_ > tqvMaxNesting) {
      tqvError("Cannot encode a value nested deeper than " + std::to_string(tqvMaxNesting) +
               " levels");
      tooDeep_ = true;
      --depth_;
      return;
    }
    dispatch(v);
    --depth_;
  }

 private:
  void flush() {
    if (used_ == 0) return;
    auto size = static_cast<TQVINT>(used_);
    if (s_->write(out_.data(), size) != size) tqvError("Cannot write TQVBYTE to stream");
    used_ = 0;
  }
  // Room for `n` more bytes at the end of what is gathered: one check per item instead
  // of one per byte.
  char* room(size_t n) {
    if (end_ - used_ < n) grow(n);
    char* at = start_ + used_;
    used_ += n;
    return at;
  }
  [[gnu::noinline]] void grow(size_t n) {
    out_.resize(std::max({2 * out_.size(), used_ + n, size_t{256}}));
    start_ = out_.data();
    end_ = out_.size();
  }
  void byte(TQVINT b) { *room(1) = static_cast<char>(b); }
  void word(uint32_t v, int size) {
    char* at = room(static_cast<size_t>(size));
    for (int i = 0; i < size; ++i) at[i] = static_cast<char>(v >> (8 * i));
  }
  void int32(TQVINT v) { word(static_cast<uint32_t>(v), 4); }
  void bytes(std::string_view data) {
    if (!data.empty()) std::memcpy(room(data.size()), data.data(), data.size());
    if (used_ >= kFlushSize) flush();
  }

  void integer(TQVINT v) {
    if (v >= -127 && v <= 127) {
      char* at = room(2);
      at[0] = static_cast<char>(TQV_TAG_BYTE_INT);
      at[1] = static_cast<char>(v);
    } else if (v >= -32767 && v <= 32767) {
      byte(TQV_TAG_SHORT_INT);
      word(static_cast<uint32_t>(v), 2);
    } else {
      byte(TQV_INT_TYPE);
      int32(v);
    }
  }

  void string(std::string_view text) {
    if (text.size() < 256) {
      char* at = room(2);
      at[0] = static_cast<char>(TQV_TAG_SHORT_STRING);
      at[1] = static_cast<char>(text.size());
    } else {
      byte(TQV_STRING_TYPE);
      int32(static_cast<TQVINT>(text.size()));
    }
    bytes(text);
  }

  void list(const tqvListObject& l) {
    if (l.kind() == TQV_GENERAL_LIST_KIND && l.capacity() < 256) {
      byte(TQV_TAG_SHORT_LIST);
      byte(l.count());
    } else {
      byte(TQV_LIST_TYPE);
      int32(l.count());
      byte(l.kind());
    }
    if (l.kind() == TQV_INTLIST_KIND) {
      const auto& ints = static_cast<const tqvIntListObject&>(l);
      for (TQVINT i = 0; i < l.count(); ++i) int32(ints.rawAt(i));
    } else {
      const tqvHandle* slots = static_cast<const tqvGeneralListObject&>(l).slots();
      for (TQVINT i = 0; i < l.count(); ++i) value(slots[i]);
    }
  }

  void table(const tqvTableObject& t) {
    byte(TQV_TABLE_TYPE);
    int32(t.capacity());
    int32(t.count());
    for (TQVINT i = 0; i < t.capacity(); ++i) {
      if (!t.occupied(i)) continue;
      value(t.keySlot(i));
      value(t.valueSlot(i));
    }
  }

  void region(const tqvRegionObject& r) {
    byte(TQV_REGION_TYPE);
    int32(r.left());
    int32(r.top());
    int32(r.right());
    int32(r.bottom());
    TQVINT n = r.isPolygon() ? r.pointCount() - 1 : 0;
    int32(n);
    for (TQVINT i = 0; i < n; ++i) {
      int32(r.points()[i].x);
      int32(r.points()[i].y);
    }
  }

  void cannotEncode(TQVINT type) {
    byte(type);
    flush();
    tqvError(std::string("Cannot encode this type: ") + tqvTypeName(type));
  }

  void dispatch(const tqvHandle& v) {
    switch (v.type()) {
      case TQV_NIL_TYPE:
        byte(TQV_NIL_TYPE);
        return;
      case TQV_BOOLEAN_TYPE:
        byte(v.word() != 0 ? TQV_TAG_TRUE : TQV_TAG_FALSE);
        return;
      case TQV_INT_TYPE:
        integer(v.intValue());
        return;
      case TQV_FLOAT_TYPE:
        byte(TQV_FLOAT_TYPE);
        int32(v.word());
        return;
      case TQV_STRING_TYPE: {
        auto* text = v.as<tqvStringObject>();
        string(text != nullptr ? text->view() : std::string_view());
        return;
      }
      case TQV_UNIQUE_TYPE:
        cannotEncode(TQV_UNIQUE_TYPE);
        return;
      default:
        break;
    }
    tqvObject* object = v.object();
    if (object == nullptr) {
      byte(TQV_NIL_TYPE);
      return;
    }
    if (auto* l = tqvAsList(v)) return list(*l);
    if (auto* t = tqvAsTable(v)) return table(*t);
    if (auto* r = tqvAsRegion(v)) return region(*r);
    if (auto* b = tqvAsBuffer(v)) {
      byte(TQV_BUFFER_TYPE);
      int32(b->length());
      bytes(b->bytes());
      return;
    }
    if (auto* f = tqvAsFont(v)) {
      byte(TQV_FONT_TYPE);
      value(f->name());
      int32(f->size());
      int32(f->style());
      return;
    }
    if (auto* d = tqvAsDate(v)) {
      byte(TQV_DATE_TYPE);
      int32(d->word1());
      int32(d->word2());
      return;
    }
    if (auto* encodable = dynamic_cast<const tqvEncodable*>(object)) {
      // The value writes its own payload straight to the stream, after what is gathered.
      byte(v.type());
      flush();
      encodable->encodePayload(stream_);
      return;
    }
    cannotEncode(v.type());
  }

  const tqvHandle& stream_;
  tqvStreamObject* s_;
  std::string out_;
  char* start_ = nullptr;  // out_'s bytes and size, kept at hand
  size_t end_ = 0;
  size_t used_ = 0;
  int depth_ = 0;
  bool tooDeep_ = false;
};

}  // namespace

void tqvEncode(const tqvHandle& stream, const tqvHandle& value) {
  tqvStreamObject* s = tqvAsStream(stream);
  if (s == nullptr) {
    tqvArgError("tqvEncode(stream,hnd)", 1);
    return;
  }
  Encoder(stream, s).value(value);
}
