// Archive creation, opening, item access and the table written at release.
#include "storage/archive.h"

#include <string>

#include "storage/encoding.h"
#include "storage/file_stream.h"
#include "storage/primitives.h"
#include "storage/stream.h"
#include "values/error.h"
#include "values/list.h"

namespace {

// "0TQV" read as a little-endian 32-bit integer.
constexpr TQVINT kMagic = '0' | 'T' << 8 | 'Q' << 16 | 'V' << 24;
constexpr TQVINT kFirstItemOffset = 8;
constexpr TQVINT kItemTableGrowth = 50;

tqvIntListObject* intList(const tqvHandle& h) {
  tqvListObject* list = tqvAsList(h);
  return list != nullptr && list->kind() == TQV_INTLIST_KIND ? static_cast<tqvIntListObject*>(list)
                                                             : nullptr;
}

}  // namespace

tqvArchiveObject::tqvArchiveObject(const tqvHandle& stream, TQVINT tableOffset,
                                   const tqvHandle& items, bool writable, bool dirty)
    : stream_(stream),
      tableOffset_(tableOffset),
      items_(items),
      writable_(writable),
      dirty_(dirty) {}

tqvArchiveObject::~tqvArchiveObject() {
  writeTable();
}

void tqvArchiveObject::writeTable() {
  if (!writable_ || !dirty_) return;
  tqvStreamObject* s = tqvAsStream(stream_);
  if (s == nullptr) return;
  s->seek(4);
  tqvWriteInt(stream_, tableOffset_);
  s->seek(tableOffset_);
  tqvEncode(stream_, items_);
  s->flush();
  dirty_ = false;
}

TQVINT tqvArchiveObject::count() const {
  tqvIntListObject* items = intList(items_);
  return items != nullptr ? items->count() : 0;
}

bool tqvArchiveObject::checkIndex(TQVINT index) const {
  if (index >= 0 && index < count()) return true;
  tqvError("Index out of range: " + std::to_string(index));
  return false;
}

tqvHandle tqvArchiveObject::get(TQVINT index) {
  if (!checkIndex(index)) return TQV_NIL;
  tqvStreamObject* s = tqvAsStream(stream_);
  if (s == nullptr || !s->seek(intList(items_)->rawAt(index))) return TQV_NIL;
  return tqvDecode(stream_);
}

TQVINT tqvArchiveObject::append(const tqvHandle& value) {
  TQVINT start = tableOffset_;
  tqvStreamObject* s = tqvAsStream(stream_);
  s->seek(start);
  tqvEncode(stream_, value);
  tableOffset_ = s->position();
  dirty_ = true;
  return start;
}

void tqvArchiveObject::add(const tqvHandle& value) {
  if (!writable_) {
    tqvError("Cannot add item to read-only archive");
    return;
  }
  intList(items_)->appendRaw(append(value));
}

void tqvArchiveObject::put(TQVINT index, const tqvHandle& value) {
  if (!writable_) {
    tqvError("Cannot put to read-only archive");
    return;
  }
  if (!checkIndex(index)) return;
  TQVINT start = append(value);
  intList(items_)->data()[index] = start;
}

bool tqvArchiveObject::opCount(TQVINT& result) {
  result = count();
  return true;
}

bool tqvArchiveObject::opGetAt(TQVINT index, tqvHandle& result) {
  result = get(index);
  return true;
}

bool tqvArchiveObject::opPutAt(TQVINT index, const tqvHandle& value) {
  put(index, value);
  return true;
}

bool tqvArchiveObject::opAddItem(const tqvHandle& value, TQVINT times) {
  for (TQVINT i = 0; i < times; ++i) add(value);
  return true;
}

tqvArchiveObject* tqvAsArchive(const tqvHandle& h) {
  return h.is(TQV_ARCHIVE_TYPE) ? h.as<tqvArchiveObject>() : nullptr;
}

tqvHandle tqvCreateArchive(const tqvHandle& streamOrName, TQVINT expectedCount) {
  tqvHandle stream = streamOrName;
  if (tqvStreamObject* s = tqvAsStream(streamOrName)) {
    if (!s->isWritable()) {
      tqvError("Cannot create archive from read-only stream");
      return TQV_NIL;
    }
  } else {
    stream = tqvFileStream(streamOrName, TQV_FILE_READ | TQV_FILE_WRITE | TQV_FILE_CREATE);
    if (stream.isNil()) return TQV_NIL;
  }
  tqvHandle items = tqvMakeIntList(expectedCount > 0 ? expectedCount : 4, kItemTableGrowth);
  tqvAsStream(stream)->seek(0);
  tqvWriteInt(stream, kMagic);
  tqvWriteInt(stream, kFirstItemOffset);
  return tqvHandle::wrap(new tqvArchiveObject(stream, kFirstItemOffset, items, true, true),
                         TQV_ARCHIVE_TYPE);
}

tqvHandle tqvOpenArchive(const tqvHandle& streamOrName, TQVINT writable) {
  tqvHandle stream = streamOrName;
  if (tqvStreamObject* s = tqvAsStream(streamOrName)) {
    if (writable && !s->isWritable()) {
      tqvError("Cannot create writable archive from read-only stream");
      return TQV_NIL;
    }
  } else {
    stream = tqvFileStream(streamOrName, writable ? TQV_FILE_READ | TQV_FILE_WRITE : TQV_FILE_READ);
    if (stream.isNil()) return TQV_NIL;
  }
  tqvStreamObject* s = tqvAsStream(stream);
  s->seek(0);
  TQVINT magic = tqvReadInt(stream);
  if (magic != kMagic) {
    tqvError("Version mismatch -- cannot open archive");
    // Nothing of a foreign file is read or ever written.
    return tqvHandle::wrap(
        new tqvArchiveObject(stream, 0, tqvMakeIntList(4, kItemTableGrowth), false, false),
        TQV_ARCHIVE_TYPE);
  }
  TQVINT tableOffset = tqvReadInt(stream);
  tqvHandle items;
  if (tableOffset >= kFirstItemOffset && s->seek(tableOffset)) items = tqvDecode(stream);
  bool sound = intList(items) != nullptr;
  if (!sound) {
    tqvError("Damaged archive: no item table at offset " + std::to_string(tableOffset));
    items = tqvMakeIntList(4, kItemTableGrowth);
  }
  // A damaged archive is never written to, so its bytes stay as they were.
  return tqvHandle::wrap(
      new tqvArchiveObject(stream, tableOffset, items, sound && writable != 0, false),
      TQV_ARCHIVE_TYPE);
}
