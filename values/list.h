// Lists: the general list of value handles (kind 5) and the integer list (kind 3), one
// interface with the list operations in their fixed order.
#pragma once

#include <string>

#include "values/handle.h"

class tqvListObject : public tqvObject {
 public:
  // A list of `kind` (3 makes an integer list, anything else a general list). A capacity
  // of 0 or less means 4. `growth` is the percentage added when a full list grows.
  static tqvHandle make(TQVINT capacity, TQVINT growth, TQVINT kind);

  virtual TQVINT kind() const = 0;
  TQVINT count() const { return count_; }
  TQVINT capacity() const { return capacity_; }
  TQVINT growth() const { return growth_; }

  void appendInt(TQVINT value);
  virtual void append(const tqvHandle& value) = 0;
  // Appends unless an equal (tqvEquals) item is present.
  void appendUnique(const tqvHandle& value);
  // Removes and returns the last item; nil when empty.
  virtual tqvHandle removeLast() = 0;
  // Removes every item equal to value, closing the gaps; returns how many went.
  virtual TQVINT removeEqual(const tqvHandle& value) = 0;
  // A new list of the same capacity and growth whose items are tqvCopy of these.
  tqvHandle deepCopy() const;
  // The first n items (n clamped to 0..count).
  tqvHandle left(TQVINT n) const;
  // The last n items when 0 <= n <= count, else an empty list.
  tqvHandle right(TQVINT n) const;
  // Items from start, at most n of them; empty when start is not below the count.
  // A negative start is clamped to 0.
  tqvHandle mid(TQVINT start, TQVINT n) const;
  // A copy of item index; outside 0..count-1 reports "List index out of range: ".
  tqvHandle item(TQVINT index) const;
  TQVINT intItem(TQVINT index) const;
  // First index at or after start whose item equals value, or -1.
  TQVINT indexOf(const tqvHandle& value, TQVINT start) const;
  // Sorted copies (unstable quicksort): strings collate, other items compare.
  tqvHandle sorted(TQVORDER order) const;
  tqvHandle sortedByColumns(TQVORDER order, TQVINT lastColumn) const;
  tqvHandle sortedByColumn(TQVORDER order, TQVINT column) const;
  // Ordered merge with another sorted list; equal items are taken once.
  tqvHandle merged(const tqvListObject& other, TQVORDER order) const;
  // Last index at or before start whose item equals value (start 0: from the end), or -1.
  TQVINT lastIndexOf(const tqvHandle& value, TQVINT start) const;
  // Replaces item index; outside 0..count-1 reports "List index out of range: ".
  void replace(TQVINT index, const tqvHandle& value);

  // Item index without a range check: callers keep 0 <= index < count.
  virtual tqvHandle itemAt(TQVINT index) const = 0;

  void print(std::string& out, TQVINT type, bool notation) const override;
  bool opCount(TQVINT& result) override;
  bool opGetAt(TQVINT index, tqvHandle& result) override;
  bool opPutAt(TQVINT index, const tqvHandle& value) override;
  bool opAddItem(const tqvHandle& value, TQVINT times) override;

 protected:
  tqvListObject(TQVINT capacity, TQVINT growth);
  // Unchecked store into an existing item.
  virtual void setItemAt(TQVINT index, const tqvHandle& value) = 0;
  // An empty list of the same kind with growth 100.
  virtual tqvHandle makeLike(TQVINT capacity, TQVINT growth) const = 0;
  virtual void printItems(std::string& out, bool notation) const = 0;
  // The capacity after one growth step, always larger than `capacity_`.
  TQVINT grownCapacity() const;
  bool checkIndex(TQVINT index) const;

  TQVINT capacity_;
  TQVINT count_ = 0;
  TQVINT growth_;
};

// The general list: an array of value handles; slots at and beyond the count hold nil.
class tqvGeneralListObject : public tqvListObject {
 public:
  tqvGeneralListObject(TQVINT capacity, TQVINT growth);
  ~tqvGeneralListObject() override;
  // A new list; a short one keeps its slots in the same pool block as itself. Null when
  // memory is refused.
  static tqvGeneralListObject* create(TQVINT capacity, TQVINT growth);

  TQVINT kind() const override { return TQV_GENERAL_LIST_KIND; }
  void append(const tqvHandle& value) override;
  tqvHandle removeLast() override;
  TQVINT removeEqual(const tqvHandle& value) override;
  tqvHandle itemAt(TQVINT index) const override { return slots_[index]; }
  // The slot array itself (count items, then nil up to the capacity).
  tqvHandle* slots() const { return slots_; }
  // Appends by taking `value` over, which leaves it nil: no reference-count traffic when
  // there is room.
  void take(tqvHandle& value) {
    if (count_ < capacity_)
      slots_[count_++].swap(value);
    else
      append(value);
  }

 protected:
  void setItemAt(TQVINT index, const tqvHandle& value) override { slots_[index] = value; }
  tqvHandle makeLike(TQVINT capacity, TQVINT growth) const override;
  void printItems(std::string& out, bool notation) const override;

  // Over `slots` of `capacity` that live in the object's own block (constructed here).
  tqvGeneralListObject(TQVINT capacity, TQVINT growth, tqvHandle* slots);
  // The slot array that shares the object's block, or null.
  virtual tqvHandle* inlineSlots() const { return nullptr; }
  // Releases the handles of a slot array and gives back its memory unless it is inline.
  void dropSlots(tqvHandle* slots, TQVINT capacity);

  tqvHandle* slots_ = nullptr;

 private:
  bool grow();
};

// The integer list: raw 32-bit integers, readable and writable as one block.
class tqvIntListObject : public tqvListObject {
 public:
  tqvIntListObject(TQVINT capacity, TQVINT growth);
  ~tqvIntListObject() override;

  TQVINT kind() const override { return TQV_INTLIST_KIND; }
  void append(const tqvHandle& value) override;
  void appendRaw(TQVINT value);
  tqvHandle removeLast() override;
  TQVINT removeEqual(const tqvHandle& value) override;
  tqvHandle itemAt(TQVINT index) const override { return tqvMakeInt(ints_[index]); }
  TQVINT rawAt(TQVINT index) const { return ints_[index]; }
  // The integer array, for block reads and writes.
  TQVINT* data() const { return ints_; }
  // Sets the count after a block read; clamped to the capacity.
  void setCount(TQVINT count);

 protected:
  void setItemAt(TQVINT index, const tqvHandle& value) override;
  tqvHandle makeLike(TQVINT capacity, TQVINT growth) const override;
  void printItems(std::string& out, bool notation) const override;

 private:
  bool grow();
  TQVINT* ints_ = nullptr;
};

// Creation and typed access.
tqvHandle tqvMakeList(TQVINT capacity = 0, TQVINT growth = 100);
tqvHandle tqvMakeIntList(TQVINT capacity = 0, TQVINT growth = 100);
// The list object of a handle, or null when it is not a list.
tqvListObject* tqvAsList(const tqvHandle& h);

// List operations that the generic table does not name.
tqvHandle tqvSort(const tqvHandle& list, TQVORDER order);
tqvHandle tqvSortColumns(const tqvHandle& list, TQVORDER order, TQVINT lastColumn);
tqvHandle tqvSortLists(const tqvHandle& list, TQVINT column, TQVORDER order);
tqvHandle tqvMerge(const tqvHandle& a, const tqvHandle& b, TQVORDER order);
