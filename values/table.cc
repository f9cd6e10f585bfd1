// Hash table storage, probing, growth when completely full, and the table print form.
#include "values/table.h"

#include <algorithm>
#include <new>
#include <utility>

#include "values/convert.h"
#include "values/error.h"
#include "values/generic.h"
#include "values/pool.h"
#include "values/slot_array.h"
#include "values/text.h"

const tqvHandle& tqvTableObject::deletedMarker() {
  static const tqvHandle marker = tqvNewUnique();
  return marker;
}

tqvTableObject::tqvTableObject(TQVINT capacity, TQVINT growth, TQVINT third)
    : capacity_(std::max<TQVINT>(capacity, 1)), growth_(growth), third_(third) {
  deletedMarker();
  keys_ = tqvAllocateSlots(capacity_);
  values_ = tqvAllocateSlots(capacity_);
  if (keys_ == nullptr || values_ == nullptr) {
    tqvFreeSlots(keys_, capacity_);
    tqvFreeSlots(values_, capacity_);
    keys_ = values_ = nullptr;
    capacity_ = 0;
  }
}

tqvTableObject::tqvTableObject(TQVINT capacity, TQVINT growth, TQVINT third, tqvHandle* slots)
    : capacity_(std::max<TQVINT>(capacity, 1)), growth_(growth), third_(third) {
  deletedMarker();
  keys_ = slots;
  values_ = slots + capacity_;
  for (TQVINT i = 0; i < 2 * capacity_; ++i) new (&slots[i]) tqvHandle();
}

tqvTableObject::~tqvTableObject() {
  tqvFreeSlots(keys_, capacity_);
  tqvFreeSlots(values_, capacity_);
}

namespace {

// A small table in one pool block: the object, its keys, then its values. One
// allocation instead of three, and the entries next to the table. Growing moves the
// arrays out.
class InlineTable final : public tqvTableObject {
 public:
  static constexpr size_t kBlock = 256;
  static constexpr TQVINT kMostSlots = 6;

  InlineTable(TQVINT capacity, TQVINT growth, TQVINT third, tqvHandle* slots)
      : tqvTableObject(capacity, growth, third, slots) {}
  // The inline arrays are released here, while the object still knows they are inline.
  ~InlineTable() override {
    if (keys_ == area()) {
      for (TQVINT i = 0; i < 2 * capacity_; ++i) keys_[i].~tqvHandle();
      keys_ = values_ = nullptr;
      capacity_ = 0;
    }
  }
  static void operator delete(void* block, size_t) noexcept { tqvPoolFree(block, kBlock); }

 protected:
  tqvHandle* inlineSlots() const override { return area(); }

 private:
  tqvHandle* area() const {
    return reinterpret_cast<tqvHandle*>(
        const_cast<char*>(reinterpret_cast<const char*>(this) + sizeof(InlineTable)));
  }
};
static_assert(sizeof(InlineTable) + 2 * InlineTable::kMostSlots * sizeof(tqvHandle) <=
              InlineTable::kBlock);
static_assert(sizeof(InlineTable) + 2 * sizeof(tqvHandle) > 32);

}  // namespace

tqvTableObject* tqvTableObject::create(TQVINT capacity, TQVINT growth, TQVINT third) {
  if (capacity > InlineTable::kMostSlots) return new tqvTableObject(capacity, growth, third);
  // Only the bytes used are asked for (and cleared); any size above 32 comes from the
  // same 256-byte class, which is how the block is given back.
  TQVINT slots = std::max<TQVINT>(capacity, 1);
  void* block = tqvPoolAlloc(sizeof(InlineTable) + 2 * sizeof(tqvHandle) * slots);
  return block != nullptr
             ? ::new (block) InlineTable(capacity, growth, third, tqvSlotsAfter<InlineTable>(block))
             : nullptr;
}

tqvHandle tqvTable(TQVINT capacity, TQVINT growth, TQVINT third) {
  if (capacity < 1) {
    tqvError("tqvTable(TQVINT,TQVINT,TQVINT): Argument 1 must be greater than zero.");
    capacity = 1;
  }
  return tqvHandle::wrap(tqvTableObject::create(capacity, growth, third), TQV_TABLE_TYPE);
}

tqvTableObject* tqvAsTable(const tqvHandle& h) {
  return h.is(TQV_TABLE_TYPE) ? h.as<tqvTableObject>() : nullptr;
}

TQVINT tqvTableObject::home(const tqvHandle& key) const {
  TQVINT slot = tqvHash(key) % capacity_;
  return slot < 0 ? slot + capacity_ : slot;
}

bool tqvTableObject::occupied(TQVINT slot) const {
  const tqvHandle& key = keys_[slot];
  return !key.isNil() && !(key.is(TQV_UNIQUE_TYPE) && key.word() == deletedMarker().word());
}

TQVINT tqvTableObject::find(const tqvHandle& key) const {
  if (capacity_ == 0) return -1;
  TQVINT start = home(key);
  TQVINT slot = start;
  do {
    if (keys_[slot].isNil()) return -1;
    if (occupied(slot) && tqvEquals(keys_[slot], key)) return slot;
    slot = slot + 1 == capacity_ ? 0 : slot + 1;
  } while (slot != start);
  return -1;
}

tqvHandle tqvTableObject::valueOf(const tqvHandle& key) const {
  TQVINT slot = find(key);
  return slot >= 0 ? values_[slot] : TQV_NIL;
}

void tqvTableObject::store(const tqvHandle& key, const tqvHandle& value) {
  // Copies first: key or value may live in this table's arrays, which growth replaces.
  store(tqvHandle(key), tqvHandle(value));
}

void tqvTableObject::store(tqvHandle&& key, tqvHandle&& value) {
  tqvHandle k(std::move(key)), v(std::move(value));
  for (;;) {
    if (capacity_ > 0) {
      TQVINT start = home(k);
      TQVINT slot = start;
      TQVINT usable = -1;
      do {
        if (keys_[slot].isNil()) {
          if (usable < 0) usable = slot;
          break;
        }
        if (!occupied(slot)) {
          if (usable < 0) usable = slot;
        } else if (tqvEquals(keys_[slot], k)) {
          values_[slot] = std::move(v);
          return;
        }
        slot = slot + 1 == capacity_ ? 0 : slot + 1;
      } while (slot != start);
      if (usable >= 0) {
        keys_[usable] = std::move(k);
        values_[usable] = std::move(v);
        ++count_;
        return;
      }
    }
    if (growth_ <= 0) {
      tqvError("Hash table full");
      return;
    }
    if (!grow()) return;
  }
}

bool tqvTableObject::grow() {
  int64_t wanted = capacity_ + static_cast<int64_t>(capacity_) * growth_ / 100;
  if (wanted <= capacity_) wanted = static_cast<int64_t>(capacity_) + 1;
  auto grown = static_cast<TQVINT>(std::min<int64_t>(wanted, INT32_MAX / 32));
  if (grown <= capacity_) return false;
  tqvHandle* oldKeys = keys_;
  tqvHandle* oldValues = values_;
  TQVINT oldCapacity = capacity_;
  keys_ = tqvAllocateSlots(grown);
  values_ = tqvAllocateSlots(grown);
  if (keys_ == nullptr || values_ == nullptr) {
    tqvFreeSlots(keys_, grown);
    tqvFreeSlots(values_, grown);
    keys_ = oldKeys;
    values_ = oldValues;
    return false;
  }
  if (oldCapacity > 0)
    third_ = static_cast<TQVINT>(static_cast<int64_t>(third_) * grown / oldCapacity);
  capacity_ = grown;
  count_ = 0;
  for (TQVINT i = 0; i < oldCapacity; ++i) {
    const tqvHandle& key = oldKeys[i];
    if (key.isNil() || (key.is(TQV_UNIQUE_TYPE) && key.word() == deletedMarker().word())) continue;
    store(key, oldValues[i]);
  }
  if (oldKeys == inlineSlots()) {
    for (TQVINT i = 0; i < 2 * oldCapacity; ++i) oldKeys[i].~tqvHandle();
  } else {
    tqvFreeSlots(oldKeys, oldCapacity);
    tqvFreeSlots(oldValues, oldCapacity);
  }
  return true;
}

void tqvTableObject::remove(const tqvHandle& key) {
  TQVINT slot = find(key);
  if (slot < 0) return;
  keys_[slot] = deletedMarker();
  values_[slot] = TQV_NIL;
  --count_;
}

bool tqvTableObject::checkSlot(TQVINT slot) const {
  if (slot >= 0 && slot < capacity_) return true;
  tqvError("Table index out of range: " + std::to_string(slot));
  return false;
}

tqvHandle tqvTableObject::keyAt(TQVINT slot) const {
  if (!checkSlot(slot)) return TQV_NIL;
  return occupied(slot) ? keys_[slot] : TQV_NIL;
}

tqvHandle tqvTableObject::valueAt(TQVINT slot) const {
  return checkSlot(slot) ? values_[slot] : TQV_NIL;
}

TQVINT tqvTableObject::nextSlot(TQVINT slot) const {
  for (TQVINT i = std::max<TQVINT>(slot + 1, 0); i < capacity_; ++i) {
    if (occupied(i)) return i;
  }
  return -1;
}

tqvHandle tqvTableObject::copy() const {
  tqvHandle result =
      tqvHandle::wrap(tqvTableObject::create(capacity_, growth_, third_), TQV_TABLE_TYPE);
  auto* table = result.as<tqvTableObject>();
  if (table == nullptr) return result;
  for (TQVINT i = firstSlot(); i >= 0; i = nextSlot(i)) table->store(keys_[i], tqvCopy(values_[i]));
  return result;
}

void tqvTableObject::print(std::string& out, TQVINT, bool notation) const {
  out += "(table ";
  printBody(out, notation);
}

void tqvTableObject::printBody(std::string& out, bool notation) const {
  std::string newline = "\n" + tqvIndentation() + "       ";
  tqvIndentScope entries(7);
  for (TQVINT i = firstSlot(); i >= 0;) {
    out += '(';
    size_t keyStart = out.size();
    tqvAppendText(out, keys_[i], notation);
    size_t keyLength = out.size() - keyStart;
    out += ' ';
    {
      tqvIndentScope value(keyLength + 2);
      tqvAppendText(out, values_[i], notation);
    }
    out += ')';
    i = nextSlot(i);
    if (i >= 0) out += newline;
  }
  out += ')';
}

bool tqvTableObject::opCount(TQVINT& result) {
  result = count_;
  return true;
}

bool tqvTableObject::opGetAt(TQVINT index, tqvHandle& result) {
  result = valueAt(index);
  return true;
}

bool tqvTableObject::opGetKey(const tqvHandle& key, tqvHandle& result) {
  result = valueOf(key);
  return true;
}

bool tqvTableObject::opPutKey(const tqvHandle& key, const tqvHandle& value) {
  store(key, value);
  return true;
}

bool tqvTableObject::opRemoveKey(const tqvHandle& key) {
  remove(key);
  return true;
}

bool tqvTableObject::opContainsKey(const tqvHandle& key, bool& result) {
  result = contains(key);
  return true;
}
