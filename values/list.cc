// The list operations shared by both list kinds, built on their few primitives.
#include "values/list.h"

#include <algorithm>
#include <string>

#include "values/convert.h"
#include "values/error.h"
#include "values/generic.h"

namespace {
constexpr TQVINT kDefaultCapacity = 4;
}

tqvListObject::tqvListObject(TQVINT capacity, TQVINT growth)
    : capacity_(capacity > 0 ? capacity : kDefaultCapacity), growth_(growth) {}

tqvHandle tqvListObject::make(TQVINT capacity, TQVINT growth, TQVINT kind) {
  if (kind == TQV_INTLIST_KIND) {
    return tqvHandle::wrap(new tqvIntListObject(capacity, growth), TQV_LIST_TYPE);
  }
  return tqvHandle::wrap(tqvGeneralListObject::create(capacity, growth), TQV_LIST_TYPE);
}

tqvHandle tqvMakeList(TQVINT capacity, TQVINT growth) {
  return tqvListObject::make(capacity, growth, TQV_GENERAL_LIST_KIND);
}

tqvHandle tqvMakeIntList(TQVINT capacity, TQVINT growth) {
  return tqvListObject::make(capacity, growth, TQV_INTLIST_KIND);
}

tqvListObject* tqvAsList(const tqvHandle& h) {
  return h.is(TQV_LIST_TYPE) ? h.as<tqvListObject>() : nullptr;
}

TQVINT tqvListObject::grownCapacity() const {
  int64_t grown = capacity_ + static_cast<int64_t>(capacity_) * growth_ / 100;
  if (grown <= capacity_) grown = static_cast<int64_t>(capacity_) + 1;
  return static_cast<TQVINT>(std::min<int64_t>(grown, INT32_MAX / 16));
}

bool tqvListObject::checkIndex(TQVINT index) const {
  if (index >= 0 && index < count_) return true;
  tqvError("List index out of range: " + std::to_string(index));
  return false;
}

void tqvListObject::appendInt(TQVINT value) {
  append(tqvMakeInt(value));
}

void tqvListObject::appendUnique(const tqvHandle& value) {
  if (indexOf(value, 0) < 0) append(value);
}

tqvHandle tqvListObject::deepCopy() const {
  tqvHandle copy = makeLike(capacity_, growth_);
  auto* list = copy.as<tqvListObject>();
  if (list == nullptr) return copy;
  for (TQVINT i = 0; i < count_; ++i) list->append(tqvCopy(itemAt(i)));
  return copy;
}

tqvHandle tqvListObject::mid(TQVINT start, TQVINT n) const {
  start = std::max<TQVINT>(start, 0);
  TQVINT taken = start < count_ ? std::clamp<TQVINT>(n, 0, count_ - start) : 0;
  tqvHandle result = makeLike(taken, 100);
  auto* list = result.as<tqvListObject>();
  if (list == nullptr) return result;
  for (TQVINT i = 0; i < taken; ++i) list->append(itemAt(start + i));
  return result;
}

tqvHandle tqvListObject::left(TQVINT n) const {
  return mid(0, std::clamp<TQVINT>(n, 0, count_));
}

tqvHandle tqvListObject::right(TQVINT n) const {
  if (n < 0 || n > count_) return makeLike(0, 100);
  return mid(count_ - n, n);
}

tqvHandle tqvListObject::item(TQVINT index) const {
  return checkIndex(index) ? itemAt(index) : TQV_NIL;
}

TQVINT tqvListObject::intItem(TQVINT index) const {
  tqvHandle value = item(index);
  return value.isNil() ? 0 : tqvIntValue(value);
}

TQVINT tqvListObject::indexOf(const tqvHandle& value, TQVINT start) const {
  for (TQVINT i = std::max<TQVINT>(start, 0); i < count_; ++i) {
    if (tqvEquals(itemAt(i), value)) return i;
  }
  return -1;
}

TQVINT tqvListObject::lastIndexOf(const tqvHandle& value, TQVINT start) const {
  TQVINT from = (start <= 0 || start >= count_) ? count_ - 1 : start;
  for (TQVINT i = from; i >= 0; --i) {
    if (tqvEquals(itemAt(i), value)) return i;
  }
  return -1;
}

void tqvListObject::replace(TQVINT index, const tqvHandle& value) {
  if (checkIndex(index)) setItemAt(index, value);
}

void tqvListObject::print(std::string& out, TQVINT, bool notation) const {
  printItems(out, notation);
}

bool tqvListObject::opCount(TQVINT& result) {
  result = count_;
  return true;
}

bool tqvListObject::opGetAt(TQVINT index, tqvHandle& result) {
  result = item(index);
  return true;
}

bool tqvListObject::opPutAt(TQVINT index, const tqvHandle& value) {
  replace(index, value);
  return true;
}

bool tqvListObject::opAddItem(const tqvHandle& value, TQVINT times) {
  for (TQVINT i = 0; i < times; ++i) append(value);
  return true;
}
