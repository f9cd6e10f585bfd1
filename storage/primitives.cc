// Little-endian primitive readers and writers over any stream.
#include "storage/primitives.h"

#include <bit>
#include <cstring>

#include "storage/stream.h"
#include "values/buffer.h"
#include "values/error.h"
#include "values/string.h"

namespace {

bool writeBytes(const tqvHandle& stream, const unsigned char* bytes, TQVINT count,
                const char* message) {
  tqvStreamObject* s = tqvAsStream(stream);
  if (s == nullptr || s->write(bytes, count) != count) {
    tqvError(message);
    return false;
  }
  return true;
}

bool readBytes(const tqvHandle& stream, unsigned char* bytes, TQVINT count, const char* message) {
  tqvStreamObject* s = tqvAsStream(stream);
  if (s == nullptr || s->read(bytes, count) != count) {
    tqvError(message);
    return false;
  }
  return true;
}

void putLittleEndian(unsigned char* out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out[i] = static_cast<unsigned char>(value >> (8 * i));
}

uint32_t getLittleEndian(const unsigned char* in, int bytes) {
  uint32_t value = 0;
  for (int i = 0; i < bytes; ++i) value |= static_cast<uint32_t>(in[i]) << (8 * i);
  return value;
}

}  // namespace

bool tqvWriteByte(const tqvHandle& stream, TQVINT value) {
  unsigned char byte = static_cast<unsigned char>(value);
  return writeBytes(stream, &byte, 1, "Cannot write TQVBYTE to stream");
}

bool tqvWriteShort(const tqvHandle& stream, TQVINT value) {
  unsigned char bytes[2];
  putLittleEndian(bytes, static_cast<uint32_t>(value), 2);
  return writeBytes(stream, bytes, 2, "Cannot write TQVINT to stream");
}

bool tqvWriteInt(const tqvHandle& stream, TQVINT value) {
  unsigned char bytes[4];
  putLittleEndian(bytes, static_cast<uint32_t>(value), 4);
  return writeBytes(stream, bytes, 4, "Cannot write TQVINT to stream");
}

bool tqvWriteFloat(const tqvHandle& stream, TQVFLOAT value) {
  unsigned char bytes[4];
  putLittleEndian(bytes, std::bit_cast<uint32_t>(value), 4);
  return writeBytes(stream, bytes, 4, "Cannot write TQVFLOAT to stream");
}

TQVINT tqvReadByte(const tqvHandle& stream) {
  unsigned char byte = 0;
  return readBytes(stream, &byte, 1, "Cannot read TQVBYTE from stream") ? byte : 0;
}

TQVINT tqvReadShort(const tqvHandle& stream) {
  unsigned char bytes[2];
  if (!readBytes(stream, bytes, 2, "Cannot read TQVINT from stream")) return 0;
  return static_cast<int16_t>(getLittleEndian(bytes, 2));
}

TQVINT tqvReadInt(const tqvHandle& stream) {
  unsigned char bytes[4];
  if (!readBytes(stream, bytes, 4, "Cannot read TQVINT from stream")) return 0;
  return static_cast<TQVINT>(getLittleEndian(bytes, 4));
}

TQVFLOAT tqvReadFloat(const tqvHandle& stream) {
  unsigned char bytes[4];
  if (!readBytes(stream, bytes, 4, "Cannot read TQVFLOAT from stream")) return 0.0f;
  return std::bit_cast<TQVFLOAT>(getLittleEndian(bytes, 4));
}

bool tqvWrite(const tqvHandle& stream, const tqvHandle& bufOrString) {
  tqvStreamObject* s = tqvAsStream(stream);
  if (s == nullptr) {
    tqvArgError("tqvWrite(stream,bufOrString)", 1);
    return false;
  }
  std::string_view bytes;
  if (!tqvBytesOf(bufOrString, bytes)) {
    tqvArgError("tqvWrite(stream,bufOrString)", 2);
    return false;
  }
  return s->write(bytes.data(), static_cast<TQVINT>(bytes.size())) > 0;
}

bool tqvRead(const tqvHandle& stream, const tqvHandle& buffer) {
  tqvStreamObject* s = tqvAsStream(stream);
  tqvBufferObject* b = tqvAsBuffer(buffer);
  if (s == nullptr || b == nullptr) {
    tqvArgError("tqvRead(stream,buffer)", s == nullptr ? 1 : 2);
    return false;
  }
  TQVINT got = b->capacity() > 0 ? s->read(b->data(), b->capacity()) : 0;
  b->setLength(got);
  return got > 0;
}
