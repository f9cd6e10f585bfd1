// The recursive-descent reader of the text notation.
#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "storage/encoding.h"
#include "storage/file_stream.h"
#include "storage/notation.h"
#include "values/buffer.h"
#include "values/charmaps.h"
#include "values/convert.h"
#include "values/date.h"
#include "values/error.h"
#include "values/font.h"
#include "values/generic.h"
#include "values/list.h"
#include "values/region.h"
#include "values/string.h"
#include "values/table.h"

namespace {

constexpr size_t kTokenLimit = 63;

TQVINT screenWidth = 640;
TQVINT screenHeight = 480;

bool isWhite(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}
bool isDelimiter(char c) {
  return isWhite(c) || c == '(' || c == ')' || c == '"' || c == ';';
}
bool isDigit(char c) {
  return c >= '0' && c <= '9';
}
char asciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}
int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool isInteger(std::string_view t) {
  size_t i = (!t.empty() && (t[0] == '-' || t[0] == '+')) ? 1 : 0;
  if (i == t.size()) return false;
  for (; i < t.size(); ++i) {
    if (!isDigit(t[i])) return false;
  }
  return true;
}

// Digits with one full stop (and at least one digit), then an optional exponent.
bool isDecimalFloat(std::string_view t) {
  size_t i = (!t.empty() && (t[0] == '-' || t[0] == '+')) ? 1 : 0;
  size_t digits = 0, stops = 0;
  for (; i < t.size() && (isDigit(t[i]) || t[i] == '.'); ++i) {
    if (t[i] == '.') {
      ++stops;
    } else {
      ++digits;
    }
  }
  if (stops != 1 || digits == 0) return false;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    ++i;
    if (i < t.size() && (t[i] == '-' || t[i] == '+')) ++i;
    if (i == t.size() || !isDigit(t[i])) return false;
    while (i < t.size() && isDigit(t[i])) ++i;
  }
  return i == t.size();
}

class Reader {
 public:
  Reader(std::string_view text, tqvTableObject* constants) : text_(text), constants_(constants) {}

  // Production 1.
  tqvHandle value() {
    size_t begin = at_;
    skipSpace();
    if (at_ >= text_.size()) {
      report("Malformed object representation: ", begin);
      return TQV_NIL;
    }
    if (depth_ >= tqvMaxNesting) {
      report("Object nested too deeply: ", begin);
      at_ = text_.size();
      return TQV_NIL;
    }
    ++depth_;
    tqvHandle result;
    char c = text_[at_];
    if (c == '"') {
      result = string();
    } else if (c == '(') {
      result = form(begin);
    } else {
      result = atom(begin);
    }
    --depth_;
    return result;
  }

 private:
  void report(const char* message, size_t from) {
    tqvError(std::string(message) + std::string(rest(from)));
  }
  std::string_view rest(size_t from) const { return text_.substr(std::min(from, text_.size())); }
  std::string_view span(size_t from) const {
    from = std::min(from, text_.size());
    return text_.substr(from, std::max(at_, from) - from);
  }

  void skipSpace() {
    while (at_ < text_.size()) {
      char c = text_[at_];
      if (isWhite(c)) {
        ++at_;
      } else if (c == ';') {
        while (at_ < text_.size() && text_[at_] != '\n') ++at_;
      } else {
        break;
      }
    }
  }

  // At most 63 characters up to a delimiter, ASCII letters lowered except (for atoms)
  // the first.
  std::string token(bool keepFirst) {
    std::string t;
    while (at_ < text_.size() && !isDelimiter(text_[at_]) && t.size() < kTokenLimit) {
      char c = text_[at_++];
      t += (keepFirst && t.empty()) ? c : asciiLower(c);
    }
    return t;
  }

  tqvHandle string() {
    size_t start = at_++;
    std::string bytes;
    while (at_ < text_.size()) {
      char c = text_[at_++];
      if (c == '"') return tqvMakeString(bytes);
      if (c != '\\') {
        bytes += c;
        continue;
      }
      if (at_ >= text_.size()) break;
      char e = text_[at_++];
      switch (e) {
        case '"':
          bytes += '"';
          break;
        case '\\':
          bytes += '\\';
          break;
        case 'n':
          bytes += '\n';
          break;
        case 'r':
          bytes += '\r';
          break;
        case 't':
          bytes += '\t';
          break;
        case 'x': {
          int high = at_ < text_.size() ? hexDigit(text_[at_]) : -1;
          int low = at_ + 1 < text_.size() ? hexDigit(text_[at_ + 1]) : -1;
          if (high < 0 || low < 0) {
            // The two characters stay in the text and are read as ordinary characters.
            tqvError("Bad character code in string: \\x" + std::string(text_.substr(at_, 2)));
          } else {
            bytes += static_cast<char>(high * 16 + low);
            at_ += 2;
          }
          break;
        }
        default:
          tqvError(std::string("Invalid string escape code: '\\") + e + "'");
      }
    }
    report("Unterminated string constant: ", start);
    return TQV_NIL;
  }

  // Production 3.
  tqvHandle atom(size_t begin) {
    std::string t = token(true);
    if (t.empty()) {
      // A lone ")" where a value belongs.
      report("Malformed object representation: ", begin);
      ++at_;
      return TQV_NIL;
    }
    std::string lowered = t;
    for (char& c : lowered) c = static_cast<char>(tqvCharmaps::lower[static_cast<uint8_t>(c)]);
    if (constants_ != nullptr) {
      TQVINT slot = constants_->find(tqvMakeString(lowered));
      if (slot >= 0) return constants_->valueAt(slot);
    }
    if (t.find('.') != std::string::npos && isDecimalFloat(t)) {
      return tqvMakeFloat(static_cast<TQVFLOAT>(tqvLeadingFloat(t)));
    }
    if (isInteger(t)) return tqvMakeInt(tqvLeadingInt(t));
    tqvError("Undefined constant: '" + t + "' while parsing " + std::string(rest(begin)));
    return TQV_NIL;
  }

  // Production 2: after "(", a keyword or a list body.
  tqvHandle form(size_t begin) {
    size_t open = at_;
    ++at_;
    size_t afterParen = at_;
    std::string keyword = token(false);
    if (keyword.empty()) return value();  // "( 1 2)" and "(\"a\")" skip the parenthesis
    if (keyword == "table") return table(open);
    if (keyword == "list") return list(open);
    if (keyword == "intlist") return intList(open);
    if (keyword == "point") return point(open);
    if (keyword == "rect") return rect(open);
    if (keyword == "rgb") return rgb(open);
    if (keyword == "region") return region(open);
    if (keyword == "form" || keyword == "control") return made(keyword, table(open));
    if (keyword == "font") return font(open);
    if (keyword == "reference")
      return named(open, keyword, "Reference argument must be a string: ");
    if (keyword == "image") return named(open, keyword, "Image argument must be a string: ");
    if (keyword == "textfile" || keyword == "file") return file(open, keyword == "textfile");
    if (keyword == "sound" || keyword == "soundfile") {
      return named(open, keyword, "Sound argument must be a string: ");
    }
    if (keyword == "date") return date(open);
    at_ = afterParen;
    (void)begin;
    return list(open);
  }

  // Values up to ")", appended to `out`; false at the end of the text.
  bool body(std::vector<tqvHandle>& out) {
    for (;;) {
      skipSpace();
      if (at_ >= text_.size()) return false;
      if (text_[at_] == ')') {
        ++at_;
        return true;
      }
      out.push_back(value());
    }
  }

  tqvHandle list(size_t open) {
    std::vector<tqvHandle> items;
    if (!body(items)) {
      report("Unterminated list: ", open);
      return TQV_NIL;
    }
    tqvHandle result = tqvMakeList(0, 100);
    tqvListObject* l = tqvAsList(result);
    for (const tqvHandle& item : items) l->append(item);
    return result;
  }

  tqvHandle intList(size_t open) {
    std::vector<tqvHandle> items;
    if (!body(items)) {
      report("Unterminated list: ", open);
      return TQV_NIL;
    }
    tqvHandle result = tqvMakeIntList(0, 100);
    auto* l = static_cast<tqvIntListObject*>(tqvAsList(result));
    for (const tqvHandle& item : items) l->appendRaw(tqvIntValue(item));
    return result;
  }

  // A list body of exactly `n` ints, or a report of `message` with the list's text.
  bool ints(size_t open, size_t n, const char* message, std::vector<TQVINT>& out) {
    std::vector<tqvHandle> items;
    bool closed = body(items);
    bool good = closed && items.size() == n &&
                std::all_of(items.begin(), items.end(),
                            [](const tqvHandle& h) { return h.is(TQV_INT_TYPE); });
    if (!good) {
      tqvError(std::string(message) + std::string(span(open)));
      return false;
    }
    for (const tqvHandle& h : items) out.push_back(h.intValue());
    return true;
  }

  tqvHandle point(size_t open) {
    std::vector<TQVINT> v;
    if (!ints(open, 2, "Cannot read point (two INTS expected) ", v)) return TQV_NIL;
    return tqvMakePoint(v[0], v[1]);
  }

  tqvHandle rect(size_t open) {
    std::vector<TQVINT> v;
    if (!ints(open, 4, "Cannot read rectangle (four INTS expected) ", v)) return TQV_NIL;
    auto wrapAdd = [](TQVINT a, TQVINT b) {
      return static_cast<TQVINT>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
    };
    return tqvMakeRect(v[0], v[1], wrapAdd(v[0], v[2]), wrapAdd(v[1], v[3]));
  }

  tqvHandle rgb(size_t open) {
    std::vector<TQVINT> v;
    if (!ints(open, 3, "Cannot read color spec (expecting list of 3 INTs): ", v)) return TQV_NIL;
    return tqvMakeInt(static_cast<TQVINT>(static_cast<uint32_t>(v[0]) +
                                          static_cast<uint32_t>(v[1]) * 256u +
                                          static_cast<uint32_t>(v[2]) * 65536u));
  }

  tqvHandle region(size_t open) {
    std::vector<tqvHandle> items;
    if (!body(items)) {
      report("Unterminated list: ", open);
      return TQV_NIL;
    }
    std::vector<tqvPoint> points;
    TQVINT left = screenWidth, top = screenHeight, right = 0, bottom = 0;
    for (const tqvHandle& item : items) {
      tqvListObject* pair = tqvAsList(item);
      if (pair == nullptr || pair->count() != 2 || !pair->itemAt(0).is(TQV_INT_TYPE) ||
          !pair->itemAt(1).is(TQV_INT_TYPE)) {
        tqvError("Cannot read region (lists of two INTS expected) " + std::string(span(open)));
        return TQV_NIL;
      }
      tqvPoint p{pair->itemAt(0).intValue(), pair->itemAt(1).intValue()};
      left = std::min(left, p.x);
      top = std::min(top, p.y);
      right = std::max(right, p.x);
      bottom = std::max(bottom, p.y);
      points.push_back(p);
    }
    if (points.empty()) return tqvMakeRect(left, top, right, bottom);
    return tqvMakePolygon(points, left, top, right, bottom);
  }

  tqvHandle table(size_t open) {
    tqvHandle result = tqvTable(4, 100, 75);
    tqvTableObject* t = tqvAsTable(result);
    for (;;) {
      skipSpace();
      if (at_ >= text_.size()) {
        tqvError("Unterminated table" + std::string(rest(open)));
        return TQV_NIL;
      }
      char c = text_[at_];
      if (c == ')') {
        ++at_;
        return result;
      }
      if (c != '(') {
        tqvError("Bad table syntax: " + std::string(span(open)) + std::string(1, c));
        ++at_;  // skip the stray character and go on
        continue;
      }
      ++at_;
      skipSpace();
      tqvHandle key = value();
      skipSpace();
      tqvHandle v = value();
      while (at_ < text_.size() && text_[at_] != ')') ++at_;
      if (at_ < text_.size()) ++at_;
      t->store(key, v);
    }
  }

  tqvHandle made(std::string_view keyword, const tqvHandle& argument) {
    if (argument.isNil()) return TQV_NIL;
    tqvNotationFactory factory = tqvFindNotationFactory(keyword);
    if (factory == nullptr) {
      tqvError("Cannot decode this type: " + std::string(keyword));
      return TQV_NIL;
    }
    return factory(argument);
  }

  // One string argument: the name of a reference, image, sound or file.
  bool oneString(size_t open, const char* notString, tqvHandle& out) {
    std::vector<tqvHandle> items;
    bool closed = body(items);
    if (!closed || items.size() != 1) {
      tqvError("Malformed object representation: " + std::string(span(open)));
      return false;
    }
    if (!items[0].is(TQV_STRING_TYPE)) {
      tqvError(std::string(notString) + std::string(span(open)));
      return false;
    }
    out = items[0];
    return true;
  }

  tqvHandle named(size_t open, std::string_view keyword, const char* notString) {
    tqvHandle name;
    if (!oneString(open, notString, name)) return TQV_NIL;
    return made(keyword, name);
  }

  tqvHandle file(size_t open, bool text) {
    tqvHandle path;
    if (!oneString(open, "File argument must be a string: ", path)) return TQV_NIL;
    return tqvReadWholeFile(path, text);
  }

  tqvHandle font(size_t open) {
    std::vector<tqvHandle> items;
    bool closed = body(items);
    if (!closed || items.size() < 2 || !items[0].is(TQV_STRING_TYPE)) {
      tqvError("Cannot read font name (string expected): " + std::string(span(open)));
      return TQV_NIL;
    }
    TQVINT style = 0;
    if (items.size() > 2) {
      const tqvHandle& s = items[2];
      if (s.is(TQV_INT_TYPE)) {
        style = s.intValue();
      } else if (s.is(TQV_STRING_TYPE)) {
        style = tqvEquals(s, "bold") ? 2 : tqvEquals(s, "italic") ? 1 : 0;
      } else {
        tqvError("Bad font spec: " + std::string(span(open)));
        return TQV_NIL;
      }
    }
    return tqvMakeFont(items[0], tqvIntValue(items[1]), style);
  }

  tqvHandle date(size_t open) {
    tqvHandle fields = table(open);
    if (fields.isNil()) return TQV_NIL;
    if (!tqvContainsKey(fields, "Year")) {
      tqvError("Date must specify a year: " + std::string(span(open)));
      return TQV_NIL;
    }
    return tqvMakeDateFromTable(fields);
  }

  std::string_view text_;
  tqvTableObject* constants_;
  size_t at_ = 0;
  int depth_ = 0;
};

tqvHandle makeStandardConstants() {
  tqvHandle t = tqvTable(4, 100, 75);
  auto put = [&](const char* name, const tqvHandle& v) { tqvPut(t, name, v); };
  put("nil", TQV_NIL);
  put("true", TQV_TRUE);
  put("false", TQV_FALSE);
  put("bold", tqvMakeInt(2));
  put("italic", tqvMakeInt(1));
  put("underline", tqvMakeInt(4));
  put("doubleunderline", tqvMakeInt(8));
  put("black", tqvMakeInt(1));
  put("white", tqvMakeInt(0xFFFFFF));
  put("gray", tqvMakeInt(0x808080));
  put("blue", tqvMakeInt(0xFF0000));
  put("green", tqvMakeInt(0x00FF00));
  put("red", tqvMakeInt(0x0000FF));
  put("yellow", tqvMakeInt(0x00FFFF));
  put("cyan", tqvMakeInt(0xFFFF00));
  put("magenta", tqvMakeInt(0xFF00FF));
  return t;
}

}  // namespace

void tqvSetNotationScreenSize(TQVINT width, TQVINT height) {
  screenWidth = width;
  screenHeight = height;
}

tqvHandle tqvStandardConstants() {
  static const tqvHandle constants = makeStandardConstants();
  return constants;
}

tqvHandle tqvDecodeString(const tqvHandle& stringOrBuf, const tqvHandle& constants) {
  std::string_view text;
  if (!tqvBytesOf(stringOrBuf, text)) {
    tqvArgError("tqvDecodeString(stringOrBuf)", 1);
    return TQV_NIL;
  }
  return Reader(text, tqvAsTable(constants)).value();
}

tqvHandle tqvDecodeStandard(const tqvHandle& stringOrBuf) {
  return tqvDecodeString(stringOrBuf, tqvStandardConstants());
}
