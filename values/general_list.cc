// The general list: a growable array of value handles.

#include <new>

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

tqvGeneralListObject::tqvGeneralListObject(TQVINT capacity, TQVINT growth, tqvHandle* slots)
    : tqvListObject(capacity, growth), slots_(slots) {
  for (TQVINT i = 0; i < capacity_; ++i) new (&slots_[i]) tqvHandle();
}

tqvGeneralListObject::~tqvGeneralListObject() {
  tqvFreeSlots(slots_, capacity_);
}

void tqvGeneralListObject::dropSlots(tqvHandle* slots, TQVINT capacity) {
  if (slots != inlineSlots()) {
    tqvFreeSlots(slots, capacity);
    return;
  }
  for (TQVINT i = 0; i < capacity; ++i) slots[i].~tqvHandle();
}

namespace {

// A short list in one pool block, the object followed by its slots: one allocation
// instead of two, and the items next to the list. Growing moves the slots out.
class InlineGeneralList final : public tqvGeneralListObject {
 public:
  static constexpr size_t kBlock = 256;
  static constexpr TQVINT kMostSlots = 14;

  InlineGeneralList(TQVINT capacity, TQVINT growth, tqvHandle* slots)
      : tqvGeneralListObject(capacity, growth, slots) {}
  // The inline slots are released here, while the object still knows they are inline.
  ~InlineGeneralList() override {
    if (slots_ == area()) {
      for (TQVINT i = 0; i < capacity_; ++i) slots_[i].~tqvHandle();
      slots_ = nullptr;
      capacity_ = 0;
    }
  }
  static void operator delete(void* block, size_t) noexcept { tqvPoolFree(block, kBlock); }

 protected:
  tqvHandle* inlineSlots() const override { return area(); }

 private:
  tqvHandle* area() const {
    return reinterpret_cast<tqvHandle*>(
        const_cast<char*>(reinterpret_cast<const char*>(this) + sizeof(InlineGeneralList)));
  }
};
static_assert(sizeof(InlineGeneralList) + InlineGeneralList::kMostSlots * sizeof(tqvHandle) <=
              InlineGeneralList::kBlock);
static_assert(sizeof(InlineGeneralList) + sizeof(tqvHandle) > 32);

}  // namespace

tqvGeneralListObject* tqvGeneralListObject::create(TQVINT capacity, TQVINT growth) {
  if (capacity > InlineGeneralList::kMostSlots) return new tqvGeneralListObject(capacity, growth);
  // Only the bytes used are asked for (and cleared); any size above 32 comes from the
  // same 256-byte class, which is how the block is given back.
  TQVINT slots = capacity > 0 ? capacity : 4;
  void* block = tqvPoolAlloc(sizeof(InlineGeneralList) + sizeof(tqvHandle) * slots);
  return block != nullptr
             ? ::new (block)
                   InlineGeneralList(capacity, growth, tqvSlotsAfter<InlineGeneralList>(block))
             : nullptr;
}

bool tqvGeneralListObject::grow() {
  TQVINT grown = grownCapacity();
  tqvHandle* slots = tqvAllocateSlots(grown);
  if (slots == nullptr) return false;
  for (TQVINT i = 0; i < count_; ++i) slots[i] = std::move(slots_[i]);
  dropSlots(slots_, capacity_);
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
