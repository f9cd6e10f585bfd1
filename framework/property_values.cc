// Lenient property reads and structural equality.
#include "framework/property_values.h"

#include "values/convert.h"
#include "values/list.h"
#include "values/string.h"
#include "values/table.h"

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
