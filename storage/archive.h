// Archives (type 24): numbered values in the binary encoding with a table of their
// offsets at the end, so any item can be read without the others.
//
//   offset 0   4 bytes  magic "0TQV"
//   offset 4   TQVINT   table offset
//   offset 8   ...      the items, one encoded value after another
//   table      an encoded integer list: entry n is the file offset of item n
//
// The table is always written last; bytes after it are ignored. Replacing an item
// appends the new value and repoints its entry, leaving the old bytes in place.
#pragma once

#include "values/handle.h"

class tqvArchiveObject : public tqvObject {
 public:
  tqvArchiveObject(const tqvHandle& stream, TQVINT tableOffset, const tqvHandle& items,
                   bool writable, bool dirty);
  // Writes the table when items were added or replaced since it was last written.
  ~tqvArchiveObject() override;

  TQVINT count() const;
  // Item index, freshly decoded; "Index out of range: N" and nil outside 0..count-1.
  tqvHandle get(TQVINT index);
  // "Cannot add item to read-only archive" unless writable.
  void add(const tqvHandle& value);
  // "Cannot put to read-only archive", "Index out of range: N".
  void put(TQVINT index, const tqvHandle& value);
  // Writes the table now (when dirty); the archive stays usable.
  void writeTable();

  bool writable() const { return writable_; }
  TQVINT tableOffset() const { return tableOffset_; }
  const tqvHandle& stream() const { return stream_; }

  bool opCount(TQVINT& result) override;
  bool opGetAt(TQVINT index, tqvHandle& result) override;
  bool opPutAt(TQVINT index, const tqvHandle& value) override;
  bool opAddItem(const tqvHandle& value, TQVINT times) override;

 private:
  bool checkIndex(TQVINT index) const;
  // Encodes at the table offset and moves the offset past the value; returns where the
  // value starts.
  TQVINT append(const tqvHandle& value);

  tqvHandle stream_;
  TQVINT tableOffset_;
  tqvHandle items_;  // integer list of item offsets
  bool writable_;
  bool dirty_;
};

// A new, empty, writable archive over a writable stream or a file created (or
// truncated) under the given name; nil after a report.
tqvHandle tqvCreateArchive(const tqvHandle& streamOrName, TQVINT expectedCount);
// An archive over existing contents; nil when the file cannot be opened. With
// `writable`, items can be added and replaced.
tqvHandle tqvOpenArchive(const tqvHandle& streamOrName, TQVINT writable);
tqvArchiveObject* tqvAsArchive(const tqvHandle& h);
