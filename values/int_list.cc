// The integer list: a growable array of raw 32-bit integers.
#include <algorithm>
#include <cstring>

#include "values/convert.h"
#include "values/list.h"
#include "values/pool.h"
#include "values/text.h"

namespace {
constexpr TQVINT kPlainPrintLimit = 12;
}

tqvIntListObject::tqvIntListObject(TQVINT capacity, TQVINT growth)
    : tqvListObject(capacity, growth) {
  ints_ = static_cast<TQVINT*>(tqvPoolAlloc(sizeof(TQVINT) * capacity_));
  if (ints_ == nullptr) capacity_ = 0;
}

tqvIntListObject::~tqvIntListObject() {
  tqvPoolFree(ints_, sizeof(TQVINT) * capacity_);
}

bool tqvIntListObject::grow() {
  TQVINT grown = grownCapacity();
  auto* ints = static_cast<TQVINT*>(tqvPoolAlloc(sizeof(TQVINT) * grown));
  if (ints == nullptr) return false;
  if (count_ > 0) std::memcpy(ints, ints_, sizeof(TQVINT) * count_);
  tqvPoolFree(ints_, sizeof(TQVINT) * capacity_);
  ints_ = ints;
  capacity_ = grown;
  return true;
}

void tqvIntListObject::appendRaw(TQVINT value) {
  if (count_ == capacity_ && !grow()) return;
  ints_[count_++] = value;
}

void tqvIntListObject::append(const tqvHandle& value) {
  appendRaw(value.is(TQV_INT_TYPE) ? value.intValue() : tqvIntValue(value));
}

void tqvIntListObject::setItemAt(TQVINT index, const tqvHandle& value) {
  ints_[index] = value.is(TQV_INT_TYPE) ? value.intValue() : tqvIntValue(value);
}

tqvHandle tqvIntListObject::removeLast() {
  if (count_ == 0) return TQV_NIL;
  TQVINT last = ints_[--count_];
  ints_[count_] = 0;
  return tqvMakeInt(last);
}

TQVINT tqvIntListObject::removeEqual(const tqvHandle& value) {
  TQVINT kept = 0;
  for (TQVINT i = 0; i < count_; ++i) {
    if (tqvEquals(value, ints_[i])) continue;
    ints_[kept++] = ints_[i];
  }
  TQVINT removed = count_ - kept;
  std::fill(ints_ + kept, ints_ + count_, 0);
  count_ = kept;
  return removed;
}

void tqvIntListObject::setCount(TQVINT count) {
  count_ = std::clamp<TQVINT>(count, 0, capacity_);
}

tqvHandle tqvIntListObject::makeLike(TQVINT capacity, TQVINT growth) const {
  return tqvMakeIntList(capacity, growth);
}

void tqvIntListObject::printItems(std::string& out, bool notation) const {
  out += "(intlist ";
  std::string separator = "\n" + tqvIndentation() + "      ";
  tqvIndentScope nested(6);
  for (TQVINT i = 0; i < count_; ++i) {
    if (!notation) {
      if (i == kPlainPrintLimit) {
        out += " ...";
        break;
      }
      out += std::to_string(ints_[i]);
      out += ' ';
    } else {
      if (i > 0) out += separator;
      out += std::to_string(ints_[i]);
    }
  }
  out += ')';
}
