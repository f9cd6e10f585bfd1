// The hash table: open addressing with linear probing over parallel key and value arrays.
#pragma once

#include <string>

#include "values/handle.h"

class tqvTableObject : public tqvObject {
 public:
  tqvTableObject(TQVINT capacity, TQVINT growth, TQVINT third);
  ~tqvTableObject() override;
  // A new table; a small one keeps its key and value arrays in the same pool block as
  // itself. Null when memory is refused.
  static tqvTableObject* create(TQVINT capacity, TQVINT growth, TQVINT third);

  TQVINT capacity() const { return capacity_; }
  TQVINT count() const { return count_; }
  TQVINT growth() const { return growth_; }

  // Slot of key, or -1.
  TQVINT find(const tqvHandle& key) const;
  // Value stored under key, or nil.
  tqvHandle valueOf(const tqvHandle& key) const;
  bool contains(const tqvHandle& key) const { return find(key) >= 0; }
  // Stores or replaces. A full table grows by its growth percentage; with growth 0 it
  // reports "Hash table full" and stores nothing.
  void store(const tqvHandle& key, const tqvHandle& value);
  // The same, taking the handles over instead of copying them.
  void store(tqvHandle&& key, tqvHandle&& value);
  // Deletes key: its slot becomes the deleted marker.
  void remove(const tqvHandle& key);

  // Slot access; a slot outside 0..capacity-1 reports "Table index out of range: ".
  // The key of a deleted or empty slot is nil.
  tqvHandle keyAt(TQVINT slot) const;
  tqvHandle valueAt(TQVINT slot) const;
  // The slots themselves, for direct element access and fast walks (callers check the
  // range and occupancy).
  tqvHandle& valueSlot(TQVINT slot) const { return values_[slot]; }
  const tqvHandle& keySlot(TQVINT slot) const { return keys_[slot]; }
  bool occupied(TQVINT slot) const;
  // First occupied slot, next occupied slot after `slot`; -1 at the end.
  TQVINT firstSlot() const { return nextSlot(-1); }
  TQVINT nextSlot(TQVINT slot) const;

  // A new table of the same capacity and growth: keys shared, values tqvCopy'd.
  tqvHandle copy() const;

  void print(std::string& out, TQVINT type, bool notation) const override;
  // The entries as the table form prints them, without the leading "(table ": forms and
  // controls print their property tables this way.
  void printBody(std::string& out, bool notation) const;

  bool opCount(TQVINT& result) override;
  bool opGetAt(TQVINT index, tqvHandle& result) override;
  bool opGetKey(const tqvHandle& key, tqvHandle& result) override;
  bool opPutKey(const tqvHandle& key, const tqvHandle& value) override;
  bool opRemoveKey(const tqvHandle& key) override;
  bool opContainsKey(const tqvHandle& key, bool& result) override;

  // The process-wide marker that fills a deleted key slot.
  static const tqvHandle& deletedMarker();

 protected:
  // Over key and value arrays of `capacity` in the object's own block (constructed here).
  tqvTableObject(TQVINT capacity, TQVINT growth, TQVINT third, tqvHandle* slots);
  // The key array that shares the object's block (the values follow it), or null.
  virtual tqvHandle* inlineSlots() const { return nullptr; }

  TQVINT capacity_;
  TQVINT count_ = 0;
  TQVINT growth_;
  TQVINT third_;
  tqvHandle* keys_ = nullptr;
  tqvHandle* values_ = nullptr;

 private:
  TQVINT home(const tqvHandle& key) const;
  bool checkSlot(TQVINT slot) const;
  bool grow();
};

// A table of `capacity` slots (the framework passes 100 and 75 for the rest). A capacity
// below 1 reports "tqvTable(TQVINT,TQVINT,TQVINT): Argument 1 must be greater than
// zero." and gives a table of one slot.
tqvHandle tqvTable(TQVINT capacity, TQVINT growth = 100, TQVINT third = 75);
// The table object of a handle, or null when it is not a table.
tqvTableObject* tqvAsTable(const tqvHandle& h);
