// Equality, hashing, orderings, truth and numeric conversions of values.
#include "values/convert.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "values/charmaps.h"
#include "values/error.h"
#include "values/list.h"
#include "values/string.h"
#include "values/table.h"

const char* tqvTypeName(TQVINT type) {
  switch (type) {
    case TQV_NIL_TYPE:
      return "TQV_NIL";
    case TQV_UNIQUE_TYPE:
      return "unique";
    case TQV_BOOLEAN_TYPE:
      return "boolean";
    case TQV_INT_TYPE:
      return "int";
    case TQV_FLOAT_TYPE:
      return "float";
    case TQV_STRING_TYPE:
      return "string";
    case TQV_BUFFER_TYPE:
      return "buffer";
    case TQV_LIST_TYPE:
      return "list";
    case TQV_TABLE_TYPE:
      return "table";
    case TQV_STREAM_TYPE:
      return "stream";
    case TQV_REGION_TYPE:
      return "region";
    case TQV_CURSOR_TYPE:
      return "cursor";
    case TQV_IMAGE_TYPE:
      return "image";
    case TQV_SOUND_TYPE:
      return "sound";
    case TQV_MOVIE_TYPE:
      return "movie";
    default:
      return "application-defined";
  }
}

namespace {

bool isNumber(const tqvHandle& h) {
  return h.is(TQV_INT_TYPE) || h.is(TQV_FLOAT_TYPE);
}

double numberOf(const tqvHandle& h) {
  return h.is(TQV_FLOAT_TYPE) ? static_cast<double>(h.floatValue()) : h.intValue();
}

}  // namespace

bool tqvEquals(const tqvHandle& a, const tqvHandle& b) {
  if (a.type() != b.type()) {
    return isNumber(a) && isNumber(b) && numberOf(a) == numberOf(b);
  }
  switch (a.type()) {
    case TQV_FLOAT_TYPE:
      return a.floatValue() == b.floatValue();
    case TQV_STRING_TYPE:
      return tqvStringView(a) == tqvStringView(b);
    default:
      return a.isHeap() ? a.object() == b.object() : a.word() == b.word();
  }
}

bool tqvEquals(const tqvHandle& a, TQVINT value) {
  if (a.is(TQV_INT_TYPE)) return a.intValue() == value;
  if (a.is(TQV_FLOAT_TYPE)) return static_cast<double>(a.floatValue()) == value;
  return false;
}

bool tqvEquals(const tqvHandle& a, std::string_view text) {
  return a.is(TQV_STRING_TYPE) && tqvStringView(a) == text;
}

TQVINT tqvHash(const tqvHandle& h) {
  if (!h.isHeap()) {
    auto word = static_cast<uint32_t>(h.word());
    return static_cast<TQVINT>(h.word() < 0 ? 0u - word : word);
  }
  tqvObject* object = h.object();
  return object != nullptr ? object->hash() : 0;
}

TQVINT tqvTruncate(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483647.0) return INT32_MAX;
  if (value <= -2147483648.0) return INT32_MIN;
  return static_cast<TQVINT>(value);
}

namespace {

TQVINT wrappingDifference(TQVINT a, TQVINT b) {
  return static_cast<TQVINT>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

TQVINT byteOrder(std::string_view a, std::string_view b) {
  int c = a.compare(b);
  return c < 0 ? -1 : c > 0 ? 1 : 0;
}

using Ordering = TQVINT (*)(const tqvHandle&, const tqvHandle&);

TQVINT compareLists(const tqvHandle& a, const tqvHandle& b, Ordering order) {
  auto* x = a.as<tqvListObject>();
  auto* y = b.as<tqvListObject>();
  if (x == nullptr || y == nullptr) return 0;
  TQVINT n = std::min(x->count(), y->count());
  for (TQVINT i = 0; i < n; ++i) {
    TQVINT c = order(x->itemAt(i), y->itemAt(i));
    if (c != 0) return c;
  }
  return x->count() - y->count();
}

// The orderings share everything but strings and same-type floats.
TQVINT order(const tqvHandle& a, const tqvHandle& b, bool collate) {
  if (a.type() != b.type()) {
    if (isNumber(a) && isNumber(b)) return tqvTruncate(numberOf(a) - numberOf(b));
    return a.type() - b.type();
  }
  switch (a.type()) {
    case TQV_BOOLEAN_TYPE:
    case TQV_INT_TYPE:
      return wrappingDifference(a.intValue(), b.intValue());
    case TQV_FLOAT_TYPE: {
      double d = static_cast<double>(a.floatValue()) - static_cast<double>(b.floatValue());
      if (collate) return tqvTruncate(d);
      return d < 0 ? -1 : d > 0 ? 1 : 0;
    }
    case TQV_STRING_TYPE:
      return collate ? tqvCollateText(tqvStringView(a), tqvStringView(b))
                     : byteOrder(tqvStringView(a), tqvStringView(b));
    case TQV_LIST_TYPE:
      return compareLists(a, b, collate ? tqvCollate : tqvCompare);
    default:
      return 0;
  }
}

}  // namespace

TQVINT tqvCompare(const tqvHandle& a, const tqvHandle& b) {
  return order(a, b, false);
}

TQVINT tqvCollate(const tqvHandle& a, const tqvHandle& b) {
  return order(a, b, true);
}

TQVINT tqvCollateText(std::string_view a, std::string_view b) {
  const auto& weight = tqvCharmaps::weight;
  size_t i = 0, j = 0;
  auto skip = [&](std::string_view s, size_t& k) {
    while (k < s.size() && weight[static_cast<uint8_t>(s[k])] > tqvCharmaps::kMaxWeight) ++k;
  };
  auto at = [&](std::string_view s, size_t k) -> int {
    return k < s.size() ? weight[static_cast<uint8_t>(s[k])] : tqvCharmaps::kEndWeight;
  };
  skip(a, i);
  skip(b, j);
  while (i < a.size() && j < b.size()) {
    int wa = at(a, i), wb = at(b, j);
    if (wa != wb) return wa - wb;
    ++i;
    ++j;
    skip(a, i);
    skip(b, j);
  }
  return at(a, i) - at(b, j);
}

TQVINT tqvReaderOrder(std::string_view a, std::string_view b) {
  // Collation weights of the plain lower-case letters; a name that is the beginning of
  // another comes first ("Brasil" before "Brasília").
  auto weights = [](std::string_view text) {
    std::string key;
    for (char c : text) {
      uint8_t plain = tqvCharmaps::lower[tqvCharmaps::plain[static_cast<uint8_t>(c)]];
      uint8_t weight = tqvCharmaps::weight[plain];
      if (weight <= tqvCharmaps::kMaxWeight) key += static_cast<char>(weight);
    }
    return key;
  };
  TQVINT order = weights(a).compare(weights(b));
  if (order == 0) order = tqvCollateText(a, b);
  if (order == 0) order = a.compare(b);
  return order;
}

bool tqvTruth(const tqvHandle& h) {
  switch (h.type()) {
    case TQV_NIL_TYPE:
    case TQV_FLOAT_TYPE:
      return false;
    case TQV_BOOLEAN_TYPE:
    case TQV_INT_TYPE:
      return h.intValue() != 0;
    case TQV_STRING_TYPE: {
      std::string_view s = tqvStringView(h);
      return !s.empty() && (s[0] == 'T' || s[0] == 't' || s[0] == 'Y' || s[0] == 'y');
    }
    default:
      return true;
  }
}

namespace {
bool isSpace(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}
bool isDigit(char c) {
  return c >= '0' && c <= '9';
}
}  // namespace

TQVINT tqvLeadingInt(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && isSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int64_t value = 0;
  for (; i < text.size() && isDigit(text[i]); ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > INT64_C(2147483648)) value = INT64_C(2147483648);  // saturate
  }
  if (negative) value = -value;
  if (value > INT32_MAX) value = INT32_MAX;
  return static_cast<TQVINT>(value);
}

double tqvLeadingFloat(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && isSpace(text[i])) ++i;
  size_t start = i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  size_t digits = i;
  while (i < text.size() && isDigit(text[i])) ++i;
  bool any = i > digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    size_t fraction = i;
    while (i < text.size() && isDigit(text[i])) ++i;
    any = any || i > fraction;
  }
  if (!any) return 0.0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    size_t e = i + 1;
    if (e < text.size() && (text[e] == '+' || text[e] == '-')) ++e;
    if (e < text.size() && isDigit(text[e])) {
      i = e;
      while (i < text.size() && isDigit(text[i])) ++i;
    }
  }
  std::string number(text.substr(start, i - start));
  return std::strtod(number.c_str(), nullptr);
}

TQVINT tqvIntValue(const tqvHandle& h) {
  switch (h.type()) {
    case TQV_BOOLEAN_TYPE:
    case TQV_INT_TYPE:
      return h.intValue();
    case TQV_FLOAT_TYPE:
      return tqvTruncate(h.floatValue());
    case TQV_STRING_TYPE:
      return tqvLeadingInt(tqvStringView(h));
    default:
      tqvArgError("tqvIntValue(numberOrString)", 1);
      return 0;
  }
}

tqvHandle tqvBool(const tqvHandle& h) {
  switch (h.type()) {
    case TQV_BOOLEAN_TYPE:
    case TQV_INT_TYPE:
    case TQV_FLOAT_TYPE:
    case TQV_STRING_TYPE:
      return tqvMakeInt(tqvIntValue(h));
    default:
      tqvArgError("tqvBool(stringOrBoolOrInt)", 1);
      return tqvMakeInt(0);
  }
}

double tqvFloatValue(const tqvHandle& h) {
  switch (h.type()) {
    case TQV_BOOLEAN_TYPE:
    case TQV_INT_TYPE:
      return h.intValue();
    case TQV_FLOAT_TYPE:
      return h.floatValue();
    case TQV_STRING_TYPE:
      return tqvLeadingFloat(tqvStringView(h));
    default:
      tqvArgError("tqvFloatValue(numberOrString)", 1);
      return 0.0;
  }
}

// Lenient reads of property values and structural equality.
namespace {

constexpr int kSameValueDepthLimit = 256;

bool same(const tqvHandle& a, const tqvHandle& b, int depth) {
  if (depth > kSameValueDepthLimit) return false;
  if (a.type() != b.type()) return tqvEquals(a, b);
  if (a.isHeap() && a.object() == b.object()) return true;
  if (tqvListObject* la = tqvAsList(a)) {
    tqvListObject* lb = tqvAsList(b);
    if (lb == nullptr || la->count() != lb->count()) return false;
    for (TQVINT i = 0; i < la->count(); ++i) {
      if (!same(la->itemAt(i), lb->itemAt(i), depth + 1)) return false;
    }
    return true;
  }
  if (tqvTableObject* ta = tqvAsTable(a)) {
    tqvTableObject* tb = tqvAsTable(b);
    if (tb == nullptr || ta->count() != tb->count()) return false;
    for (TQVINT slot = ta->firstSlot(); slot >= 0; slot = ta->nextSlot(slot)) {
      const tqvHandle& key = ta->keySlot(slot);
      TQVINT other = tb->find(key);
      if (other < 0 || !same(ta->valueSlot(slot), tb->valueSlot(other), depth + 1)) return false;
    }
    return true;
  }
  return tqvEquals(a, b);
}

}  // namespace

TQVINT tqvNumberOf(const tqvHandle& value, TQVINT fallback) {
  switch (value.type()) {
    case TQV_INT_TYPE:
    case TQV_BOOLEAN_TYPE:
      return value.intValue();
    case TQV_FLOAT_TYPE:
      return tqvTruncate(value.floatValue());
    default:
      return fallback;
  }
}

TQVINT tqvIntegerOf(const tqvHandle& value, TQVINT fallback) {
  if (value.is(TQV_STRING_TYPE)) return tqvLeadingInt(tqvStringView(value));
  return tqvNumberOf(value, fallback);
}

bool tqvFlagOf(const tqvHandle& value, bool fallback) {
  switch (value.type()) {
    case TQV_BOOLEAN_TYPE:
    case TQV_INT_TYPE:
      return value.intValue() != 0;
    case TQV_FLOAT_TYPE:
      return value.floatValue() != 0;
    case TQV_STRING_TYPE:
      return tqvLeadingInt(tqvStringView(value)) != 0;
    default:
      return fallback;
  }
}

bool tqvSameValue(const tqvHandle& a, const tqvHandle& b) {
  return same(a, b, 0);
}
