// The general list: a growable array of value handles.

#include "values/convert.h"
#include "values/list.h"
#include "values/pool.h"
#include "values/slot_array.h"
#include "values/text.h"

tqvGeneralListObject::tqvGeneralListObject(TQVINT capacity, TQVINT growth)
    : tqvListObject(capacity, growth) {
  slots_ = tqvAllocateSlots(capacity_);
  if (slots_ == nullptr) capacity_ = 0;
}

tqvGeneralListObject::~tqvGeneralListObject() {
  tqvFreeSlots(slots_, capacity_);
}

bool tqvGeneralListObject::grow() {
  TQVINT grown = grownCapacity();
  tqvHandle* slots = tqvAllocateSlots(grown);
  if (slots == nullptr) return false;
  for (TQVINT i = 0; i < count_; ++i) slots[i] = std::move(slots_[i]);
  tqvFreeSlots(slots_, capacity_);
  slots_ = slots;
  capacity_ = grown;
  return true;
}

void tqvGeneralListObject::append(const tqvHandle& value) {
  tqvHandle keep(value);  // value may live in the array that grow() replaces
  if (count_ == capacity_ && !grow()) return;
  slots_[count_++] = std::move(keep);
}

tqvHandle tqvGeneralListObject::removeLast() {
  if (count_ == 0) return TQV_NIL;
  return std::move(slots_[--count_]);
}

TQVINT tqvGeneralListObject::removeEqual(const tqvHandle& value) {
  TQVINT kept = 0;
  for (TQVINT i = 0; i < count_; ++i) {
    if (tqvEquals(slots_[i], value)) continue;
    if (kept != i) slots_[kept] = std::move(slots_[i]);
    ++kept;
  }
  TQVINT removed = count_ - kept;
  for (TQVINT i = kept; i < count_; ++i) slots_[i] = TQV_NIL;
  count_ = kept;
  return removed;
}

tqvHandle tqvGeneralListObject::makeLike(TQVINT capacity, TQVINT growth) const {
  return tqvMakeList(capacity, growth);
}

void tqvGeneralListObject::printItems(std::string& out, bool notation) const {
  out += "(list";
  if (count_ > 0) {
    std::string newline = "\n" + tqvIndentation() + "      ";
    tqvIndentScope nested(6);
    for (TQVINT i = 0; i < count_; ++i) {
      if (i == 0 || !notation) {
        out += ' ';
      } else {
        out += newline;
      }
      tqvAppendText(out, slots_[i], notation);
    }
  }
  out += ')';
}
