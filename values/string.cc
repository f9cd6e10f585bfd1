// String objects and the byte-level string operations.
#include "values/string.h"

#include <algorithm>
#include <cstring>

#include "values/charmaps.h"
#include "values/cp1252.h"
#include "values/error.h"
#include "values/pool.h"

tqvStringObject* tqvStringObject::create(const char* bytes, TQVINT length) {
  if (length < 0) length = 0;
  auto* s = new tqvStringObject();
  if (s == nullptr) return nullptr;
  s->text_ = static_cast<char*>(tqvPoolAlloc(static_cast<size_t>(length) + 1));
  if (s->text_ == nullptr) {
    delete s;
    return nullptr;
  }
  if (length > 0 && bytes != nullptr) std::memcpy(s->text_, bytes, static_cast<size_t>(length));
  s->length_ = length;
  return s;
}

tqvStringObject::~tqvStringObject() {
  tqvPoolFree(text_, static_cast<size_t>(length_) + 1);
}

TQVINT tqvStringObject::hash() const {
  if (!hashKnown_) {
    hash_ = tqvStringHash(view());
    hashKnown_ = true;
  }
  return hash_;
}

void tqvStringObject::print(std::string& out, TQVINT, bool notation) const {
  if (notation) {
    tqvAppendQuoted(out, view());
  } else {
    out.append(view());
  }
}

bool tqvStringObject::opCount(TQVINT& result) {
  result = length_;
  return true;
}

tqvHandle tqvMakeString(const char* bytes, TQVINT count) {
  return tqvHandle::wrap(tqvStringObject::create(bytes, count), TQV_STRING_TYPE);
}

tqvHandle tqvMakeString(std::string_view text) {
  auto length = static_cast<TQVINT>(std::min<size_t>(text.size(), INT32_MAX - 1));
  return tqvMakeString(text.data(), length);
}

tqvHandle tqvMakeRepeated(TQVINT count, char c) {
  tqvStringObject* s = tqvStringObject::create(nullptr, count);
  if (s != nullptr) std::memset(const_cast<char*>(s->text()), c, static_cast<size_t>(s->length()));
  return tqvHandle::wrap(s, TQV_STRING_TYPE);
}

tqvHandle tqvFromUtf8(std::string_view utf8) {
  return tqvMakeString(tqvUtf8ToCp1252(utf8));
}

const char* tqvCString(const tqvHandle& s) {
  auto* str = s.is(TQV_STRING_TYPE) ? s.as<tqvStringObject>() : nullptr;
  return str != nullptr ? str->text() : "";
}

std::string_view tqvStringView(const tqvHandle& s) {
  auto* str = s.is(TQV_STRING_TYPE) ? s.as<tqvStringObject>() : nullptr;
  return str != nullptr ? str->view() : std::string_view();
}

TQVINT tqvStringLength(const tqvHandle& s) {
  return static_cast<TQVINT>(tqvStringView(s).size());
}

TQVINT tqvStringHash(std::string_view bytes) {
  uint32_t h = 0;
  for (char ch : bytes) {
    auto c = static_cast<int32_t>(static_cast<int8_t>(ch));
    uint32_t mixed = static_cast<uint32_t>(2 * c) ^ h;
    uint32_t shiftedRight = static_cast<uint32_t>(static_cast<int32_t>(h) >> 2);
    h ^= (mixed << 4) ^ shiftedRight;
  }
  return static_cast<TQVINT>(h);
}

tqvHandle tqvConcat(const tqvHandle& a, const tqvHandle& b) {
  std::string_view x = tqvStringView(a), y = tqvStringView(b);
  std::string joined;
  joined.reserve(x.size() + y.size());
  joined.append(x).append(y);
  return tqvMakeString(joined);
}

tqvHandle tqvStringLeft(const tqvHandle& s, TQVINT n) {
  std::string_view v = tqvStringView(s);
  n = std::clamp<TQVINT>(n, 0, static_cast<TQVINT>(v.size()));
  return tqvMakeString(v.data(), n);
}

tqvHandle tqvStringRight(const tqvHandle& s, TQVINT n) {
  std::string_view v = tqvStringView(s);
  auto length = static_cast<TQVINT>(v.size());
  if (n < 0 || n > length) return tqvMakeString("");
  return tqvMakeString(v.data() + (length - n), n);
}

tqvHandle tqvStringMid(const tqvHandle& s, TQVINT start, TQVINT count) {
  std::string_view v = tqvStringView(s);
  auto length = static_cast<TQVINT>(v.size());
  start = std::max<TQVINT>(start, 0);
  if (start >= length || count <= 0) return tqvMakeString("");
  count = std::min(count, length - start);
  return tqvMakeString(v.data() + start, count);
}

TQVINT tqvFindChar(const tqvHandle& s, TQVINT c, TQVINT start) {
  std::string_view v = tqvStringView(s);
  start = std::max<TQVINT>(start, 0);
  if (static_cast<size_t>(start) >= v.size()) return -1;
  size_t at = v.find(static_cast<char>(c), static_cast<size_t>(start));
  return at == std::string_view::npos ? -1 : static_cast<TQVINT>(at);
}

TQVINT tqvFindString(const tqvHandle& s, const tqvHandle& pattern, TQVINT start) {
  std::string_view v = tqvStringView(s), p = tqvStringView(pattern);
  start = std::max<TQVINT>(start, 0);
  if (static_cast<size_t>(start) > v.size()) return -1;
  size_t at = v.find(p, static_cast<size_t>(start));
  return at == std::string_view::npos ? -1 : static_cast<TQVINT>(at);
}

TQVINT tqvFindLast(const tqvHandle& s, const tqvHandle& pattern, TQVINT start) {
  std::string_view v = tqvStringView(s), p = tqvStringView(pattern);
  if (p.size() > v.size()) return -1;
  size_t last = v.size() - p.size();
  size_t from = (start <= 0) ? last : std::min<size_t>(static_cast<size_t>(start), last);
  size_t at = v.rfind(p, from);
  return at == std::string_view::npos ? -1 : static_cast<TQVINT>(at);
}

TQVINT tqvCharAt(const tqvHandle& s, TQVINT index) {
  std::string_view v = tqvStringView(s);
  if (index < 0 || static_cast<size_t>(index) >= v.size()) {
    tqvError("String index out of range: " + std::to_string(index));
    return 0;
  }
  return static_cast<uint8_t>(v[static_cast<size_t>(index)]);
}

bool tqvCopyChars(const tqvHandle& s, char* buffer, TQVINT size) {
  std::string_view v = tqvStringView(s);
  if (buffer == nullptr || size <= 0 || static_cast<size_t>(size) <= v.size()) return false;
  std::memcpy(buffer, v.data(), v.size());
  buffer[v.size()] = '\0';
  return true;
}

namespace {
tqvHandle mapped(const tqvHandle& s, const std::array<uint8_t, 256>& table) {
  std::string text(tqvStringView(s));
  for (char& c : text) c = static_cast<char>(table[static_cast<uint8_t>(c)]);
  return tqvMakeString(text);
}
}  // namespace

tqvHandle tqvUpper(const tqvHandle& s) {
  return mapped(s, tqvCharmaps::upper);
}
tqvHandle tqvLower(const tqvHandle& s) {
  return mapped(s, tqvCharmaps::lower);
}
tqvHandle tqvPlainText(const tqvHandle& s) {
  return mapped(s, tqvCharmaps::plain);
}

tqvHandle tqvPathJoin(const tqvHandle& directory, const tqvHandle& name) {
  std::string_view dir = tqvStringView(directory), file = tqvStringView(name);
  // A Linux path ("/home/...") is as absolute as "\\dir" or "D:dir".
  bool absolute =
      !file.empty() && (file[0] == '\\' || file[0] == '/' || (file.size() > 1 && file[1] == ':'));
  if (dir.empty() || file.empty() || absolute)
    return name.is(TQV_STRING_TYPE) ? name : tqvMakeString(file);
  std::string joined;
  joined.reserve(dir.size() + 1 + file.size());
  joined.append(dir).append(1, '\\').append(file);
  return tqvMakeString(joined);
}

tqvHandle tqvPathName(const tqvHandle& path) {
  std::string_view p = tqvStringView(path);
  size_t slash = p.rfind('\\');
  return tqvMakeString(slash == std::string_view::npos ? p : p.substr(slash + 1));
}

tqvHandle tqvPathDirectory(const tqvHandle& path) {
  std::string_view p = tqvStringView(path);
  size_t slash = p.rfind('\\');
  return tqvMakeString(slash == std::string_view::npos ? std::string_view() : p.substr(0, slash));
}

tqvHandle tqvPathExtension(const tqvHandle& path) {
  std::string_view p = tqvStringView(path);
  size_t dot = p.rfind('.');
  return tqvMakeString(dot == std::string_view::npos ? std::string_view() : p.substr(dot + 1));
}

void tqvAppendQuoted(std::string& out, std::string_view bytes) {
  static const char kHex[] = "0123456789abcdef";
  out += '"';
  for (char ch : bytes) {
    auto c = static_cast<uint8_t>(ch);
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '"':
        out += "\\\"";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (c < 0x20 || c >= 0x7F) {
          out += "\\x";
          out += kHex[c >> 4];
          out += kHex[c & 15];
        } else {
          out += ch;
        }
    }
  }
  out += '"';
}
