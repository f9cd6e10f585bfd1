// The index layer over the keyed-file engine.
#include "storage/index.h"

#include <cstring>

#include "btree/key_file.h"
#include "storage/encoding.h"
#include "storage/file_stream.h"
#include "storage/memory_stream.h"
#include "values/convert.h"
#include "values/error.h"
#include "values/generic.h"
#include "values/list.h"
#include "values/string.h"
#include "values/text.h"

namespace {

constexpr int kKeyNumber = 1;
constexpr size_t kLongestKey = 240;
constexpr size_t kCutKey = 239;

}  // namespace

std::string tqvIndexObject::keyText(const tqvHandle& key) {
  std::string text = tqvToStdString(key, false);
  if (text.size() > kLongestKey) text.resize(kCutKey);
  // The engine stores zero-terminated text: an embedded NUL ends the key.
  text.resize(std::strlen(text.c_str()));
  return text;
}

tqvIndexObject::tqvIndexObject(const tqvHandle& name, bool create, bool writable, bool check)
    : file_(std::make_unique<KeyFile>()), buffer_(new unsigned char[kRecordSize]) {
  std::string path = tqvMapPath(name);
  if (create) {
    if (kfCreate(*file_, path.c_str(), kKfExclusive, kKfLittleEndian, nullptr) != kKfOk) {
      tqvError("Cannot create index");
      return;
    }
    kfSetWriteMode(*file_, 0);
    readOnly_ = false;
    count_ = 0;
    putText(kCountKey, tqvMakeInt(0));
    return;
  }
  int access = writable ? kKfAccessReadWrite : kKfAccessRead;
  if (kfOpen(*file_, path.c_str(), kKfExclusive, access, nullptr) != kKfOk) {
    tqvError(writable ? "Cannot open index for writing" : "Cannot open index");
    return;
  }
  if (writable && check) kfCheck(*file_);
  kfSetWriteMode(*file_, 0);
  readOnly_ = !writable;
  // Opening for a single get is common: a reader leaves the count until it is asked for.
  countKnown_ = false;
  if (writable) count();
}

TQVINT tqvIndexObject::count() {
  if (!countKnown_) {
    countKnown_ = true;
    tqvHandle stored = seek(kCountKey) ? recordValue() : TQV_NIL;
    count_ = stored.isNil() ? 0 : tqvIntValue(stored);
  }
  return count_;
}

tqvIndexObject::~tqvIndexObject() {
  if (!file_->isOpen()) return;
  if (!readOnly_) putText(kCountKey, tqvMakeInt(count_));
  kfClose(*file_);
}

bool tqvIndexObject::isOpen() const {
  return file_->isOpen();
}

bool tqvIndexObject::seek(const std::string& key) {
  int status = kfFind(*file_, kKeyNumber, key.c_str(), 0, buffer_.get(), kRecordSize);
  return status == kKfOk || status == kKfSameKey;
}

tqvHandle tqvIndexObject::recordValue() {
  TQVINT length = std::min(file_->recordLength(), file_->bytesRead());
  if (length <= 0) return TQV_NIL;
  tqvHandle stream = tqvMemoryStream(buffer_.get(), length);
  return tqvDecode(stream);
}

bool tqvIndexObject::contains(const tqvHandle& key) {
  return seek(keyText(key));
}

tqvHandle tqvIndexObject::get(const tqvHandle& key) {
  return seek(keyText(key)) ? recordValue() : TQV_NIL;
}

void tqvIndexObject::put(const tqvHandle& key, const tqvHandle& value) {
  if (readOnly_) {
    tqvError("Cannot put objects into a read-only index");
    return;
  }
  putText(keyText(key), value);
}

void tqvIndexObject::putText(const std::string& key, const tqvHandle& value) {
  bool present = seek(key);
  int32_t record = file_->recordNumber();
  if (!present) {
    if (kfNewRecordNumber(*file_) != kKfOk) {
      tqvError("Cannot put item into index");
      return;
    }
    record = file_->recordNumber();
  }
  // A value whose encoding does not fit the record buffer is refused whole.
  tqvHandle stream = tqvMemoryStream(nullptr, 0);
  tqvEncode(stream, value);
  auto* encoded = stream.as<tqvMemoryStreamObject>();
  TQVINT length = encoded->position();
  if (length > kRecordSize) {
    tqvError("Cannot put item into index");
    return;
  }
  std::memcpy(buffer_.get(), encoded->data(), static_cast<size_t>(length));
  int status = present ? kfStore(*file_, kKeyNumber, key.c_str(), record, buffer_.get(), length)
                       : kfAdd(*file_, kKeyNumber, key.c_str(), record, buffer_.get(), length);
  if (status != kKfOk) {
    tqvError("Cannot put item into index");
    return;
  }
  if (!present) ++count_;
}

tqvHandle tqvIndexObject::prefixSearch(const tqvHandle& prefix, StopCallback stop, bool values) {
  std::string text = keyText(prefix);
  size_t n = text.size();
  int status = kfFind(*file_, kKeyNumber, text.c_str(), 0, buffer_.get(), kRecordSize);
  auto matches = [&] { return std::memcmp(file_->key(), text.data(), n) == 0; };
  bool started = status == kKfOk || status == kKfSameKey || (status == kKfGreaterKey && matches());
  if (!started) return TQV_NIL;
  tqvHandle result;
  do {
    if (result.isNil()) result = tqvMakeList(4, 100);
    if (values) {
      tqvAddItem(result, recordValue());
    } else {
      const char* key = reinterpret_cast<const char*>(file_->key());
      tqvAddItem(result, tqvMakeString(key, static_cast<TQVINT>(strnlen(key, 256))));
    }
    if (stop != nullptr && stop() != 0) break;
    if (kfNext(*file_, kKeyNumber, buffer_.get(), kRecordSize) != kKfOk) break;
  } while (matches());
  return result;
}

tqvHandle tqvIndexObject::prefixValues(const tqvHandle& prefix, StopCallback stop) {
  return prefixSearch(prefix, stop, true);
}

tqvHandle tqvIndexObject::prefixKeys(const tqvHandle& prefix, StopCallback stop) {
  return prefixSearch(prefix, stop, false);
}

tqvHandle tqvIndexObject::entries() {
  tqvHandle result = tqvMakeList(4, 100);
  int status = kfFirst(*file_, kKeyNumber, buffer_.get(), kRecordSize);
  while (status == kKfOk) {
    const char* key = reinterpret_cast<const char*>(file_->key());
    tqvHandle pair = tqvMakeList(2, 100);
    tqvAddItem(pair, tqvMakeString(key, static_cast<TQVINT>(strnlen(key, 256))));
    tqvAddItem(pair, recordValue());
    tqvAddItem(result, pair);
    status = kfNext(*file_, kKeyNumber, buffer_.get(), kRecordSize);
  }
  return result;
}

bool tqvIndexObject::opCount(TQVINT& result) {
  result = count();
  return true;
}

bool tqvIndexObject::opGetKey(const tqvHandle& key, tqvHandle& result) {
  result = get(key);
  return true;
}

bool tqvIndexObject::opPutKey(const tqvHandle& key, const tqvHandle& value) {
  put(key, value);
  return true;
}

bool tqvIndexObject::opContainsKey(const tqvHandle& key, bool& result) {
  result = contains(key);
  return true;
}

tqvHandle tqvOpenIndex(const tqvHandle& name, TQVINT writable, TQVINT check) {
  return tqvHandle::wrap(new tqvIndexObject(name, false, writable != 0, check != 0),
                         TQV_INDEX_TYPE);
}

tqvHandle tqvCreateIndex(const tqvHandle& name) {
  tqvDeleteFile(name);
  return tqvHandle::wrap(new tqvIndexObject(name, true, true, false), TQV_INDEX_TYPE);
}

tqvIndexObject* tqvAsIndex(const tqvHandle& h) {
  return h.is(TQV_INDEX_TYPE) ? h.as<tqvIndexObject>() : nullptr;
}

namespace {
tqvIndexObject* indexArgument(const tqvHandle& index, const char* signature) {
  tqvIndexObject* i = tqvAsIndex(index);
  if (i == nullptr) tqvArgError(signature, 1);
  return i;
}
}  // namespace

tqvHandle tqvPrefixValues(const tqvHandle& index, const tqvHandle& prefix,
                          tqvIndexObject::StopCallback stop) {
  tqvIndexObject* i = indexArgument(index, "tqvPrefixValues(index,hnd,stopFn)");
  return i != nullptr ? i->prefixValues(prefix, stop) : TQV_NIL;
}

tqvHandle tqvPrefixKeys(const tqvHandle& index, const tqvHandle& prefix,
                        tqvIndexObject::StopCallback stop) {
  tqvIndexObject* i = indexArgument(index, "tqvPrefixKeys(index,hnd,stopFn)");
  return i != nullptr ? i->prefixKeys(prefix, stop) : TQV_NIL;
}
