// Indexes (type 25): persistent maps from text keys to encoded values, kept in one keyed
// file. Every entry lives under key number 1 (zero-terminated text, byte order) with one
// record holding the binary encoding of its value; "__TQV_INDEX_COUNT__" holds the
// number of keys, itself included.
#pragma once

#include <memory>
#include <string>

#include "values/handle.h"

class KeyFile;

class tqvIndexObject : public tqvObject {
 public:
  static constexpr TQVINT kRecordSize = 30000;
  static constexpr const char* kCountKey = "__TQV_INDEX_COUNT__";

  // Creates (create), opens for writing (writable) or for reading. A failed open is
  // reported and leaves an index whose file is closed, on which everything finds nothing.
  tqvIndexObject(const tqvHandle& name, bool create, bool writable, bool check);
  // Writes the item count when writable, then closes the file.
  ~tqvIndexObject() override;

  bool isOpen() const;
  // The number of keys; a read-only index reads it from the file on first use.
  TQVINT count();
  bool contains(const tqvHandle& key);
  // The stored value, or nil when the key is absent or its record is empty.
  tqvHandle get(const tqvHandle& key);
  // "Cannot put objects into a read-only index", "Cannot put item into index".
  void put(const tqvHandle& key, const tqvHandle& value);

  using StopCallback = TQVINT (*)();
  // Values (or keys) of every key that begins with `prefix`, in key order; nil when none.
  tqvHandle prefixValues(const tqvHandle& prefix, StopCallback stop);
  tqvHandle prefixKeys(const tqvHandle& prefix, StopCallback stop);
  // A list of (key value) lists of every key in key order, the count key included.
  tqvHandle entries();

  bool opCount(TQVINT& result) override;
  bool opGetKey(const tqvHandle& key, tqvHandle& result) override;
  bool opPutKey(const tqvHandle& key, const tqvHandle& value) override;
  bool opContainsKey(const tqvHandle& key, bool& result) override;

  // The key text of any value: its plain text, cut to 239 characters when longer than 240.
  static std::string keyText(const tqvHandle& key);

 private:
  // Finds the key; true when present, with its record in the buffer.
  bool seek(const std::string& key);
  tqvHandle recordValue();
  tqvHandle prefixSearch(const tqvHandle& prefix, StopCallback stop, bool values);
  void putText(const std::string& key, const tqvHandle& value);

  std::unique_ptr<KeyFile> file_;
  std::unique_ptr<unsigned char[]> buffer_;
  bool readOnly_ = true;
  bool countKnown_ = true;
  TQVINT count_ = 0;
};

// Opens an existing index for reading or, with `writable`, for writing; with `check`
// the keyed file's consistency check runs first (its result is not used).
tqvHandle tqvOpenIndex(const tqvHandle& name, TQVINT writable, TQVINT check);
// Creates a new, empty, writable index (an existing file of that name is replaced).
tqvHandle tqvCreateIndex(const tqvHandle& name);
tqvIndexObject* tqvAsIndex(const tqvHandle& h);

tqvHandle tqvPrefixValues(const tqvHandle& index, const tqvHandle& prefix,
                          tqvIndexObject::StopCallback stop);
tqvHandle tqvPrefixKeys(const tqvHandle& index, const tqvHandle& prefix,
                        tqvIndexObject::StopCallback stop);
