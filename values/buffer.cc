// Byte buffer construction, ownership and text copying.
#include "values/buffer.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "values/error.h"
#include "values/pool.h"
#include "values/string.h"

tqvBufferObject::~tqvBufferObject() {
  if (owner_.is(TQV_BOOLEAN_TYPE) && owner_.word() != 0) {
    tqvPoolFree(data_, static_cast<size_t>(capacity_));
  }
}

tqvBufferObject* tqvBufferObject::owned(TQVINT size) {
  auto* buffer = new tqvBufferObject();
  if (buffer == nullptr) return nullptr;
  buffer->owner_ = TQV_TRUE;
  size = std::max<TQVINT>(size, 0);
  buffer->data_ = static_cast<unsigned char*>(tqvPoolAlloc(static_cast<size_t>(size)));
  if (buffer->data_ == nullptr) {
    tqvError("tqvBuffer(TQVINT): Cannot allocate buffer object of size " + std::to_string(size));
    return buffer;
  }
  buffer->capacity_ = size;
  return buffer;
}

tqvBufferObject* tqvBufferObject::view(const tqvHandle& other, TQVINT offset, TQVINT size) {
  auto* buffer = new tqvBufferObject();
  if (buffer == nullptr) return nullptr;
  tqvBufferObject* source = tqvAsBuffer(other);
  buffer->owner_ = other;
  if (source == nullptr || source->data() == nullptr) return buffer;
  offset = std::clamp<TQVINT>(offset, 0, source->capacity_);
  size = std::clamp<TQVINT>(size, 0, source->capacity_ - offset);
  buffer->data_ = source->data();
  buffer->offset_ = offset;
  buffer->capacity_ = size;
  buffer->length_ = size;
  return buffer;
}

tqvBufferObject* tqvBufferObject::wrapper(void* data, TQVINT size) {
  auto* buffer = new tqvBufferObject();
  if (buffer == nullptr) return nullptr;
  buffer->owner_ = TQV_FALSE;
  buffer->data_ = static_cast<unsigned char*>(data);
  buffer->capacity_ = data != nullptr ? std::max<TQVINT>(size, 0) : 0;
  buffer->length_ = buffer->capacity_;
  return buffer;
}

void tqvBufferObject::setLength(TQVINT length) {
  length_ = std::clamp<TQVINT>(length, 0, capacity_);
}

void tqvBufferObject::copyText(char* out, TQVINT size) const {
  if (out == nullptr || size <= 0) return;
  TQVINT n = std::min(length_, size - 1);
  if (n > 0) std::memcpy(out, data(), static_cast<size_t>(n));
  out[std::max<TQVINT>(n, 0)] = '\0';
}

bool tqvBufferObject::opCount(TQVINT& result) {
  result = length_;
  return true;
}

tqvHandle tqvBuffer(TQVINT size) {
  return tqvHandle::wrap(tqvBufferObject::owned(size), TQV_BUFFER_TYPE);
}

tqvHandle tqvBufferView(const tqvHandle& buffer, TQVINT offset, TQVINT size) {
  return tqvHandle::wrap(tqvBufferObject::view(buffer, offset, size), TQV_BUFFER_TYPE);
}

tqvHandle tqvBufferWrap(void* data, TQVINT size) {
  return tqvHandle::wrap(tqvBufferObject::wrapper(data, size), TQV_BUFFER_TYPE);
}

tqvHandle tqvBufferFromString(const tqvHandle& s) {
  std::string_view text = tqvStringView(s);
  auto length = static_cast<TQVINT>(text.size());
  tqvHandle result = tqvBuffer(length + 1);
  if (auto* buffer = tqvAsBuffer(result); buffer != nullptr && buffer->data() != nullptr) {
    if (length > 0) std::memcpy(buffer->data(), text.data(), text.size());
    buffer->setLength(length);
  }
  return result;
}

tqvBufferObject* tqvAsBuffer(const tqvHandle& h) {
  return h.is(TQV_BUFFER_TYPE) ? h.as<tqvBufferObject>() : nullptr;
}

bool tqvBytesOf(const tqvHandle& stringOrBuffer, std::string_view& bytes) {
  if (stringOrBuffer.is(TQV_STRING_TYPE)) {
    bytes = tqvStringView(stringOrBuffer);
    return true;
  }
  if (tqvBufferObject* buffer = tqvAsBuffer(stringOrBuffer)) {
    bytes = buffer->bytes();
    return true;
  }
  return false;
}
