// The fixed-size items of the binary encoding (little-endian) and whole-buffer transfers.
#pragma once

#include "values/handle.h"

// Each returns true when the item was written; a short write reports "Cannot write
// TQVBYTE to stream", "Cannot write TQVINT to stream" (2 and 4 bytes) or "Cannot write
// TQVFLOAT to stream".
bool tqvWriteByte(const tqvHandle& stream, TQVINT value);
bool tqvWriteShort(const tqvHandle& stream, TQVINT value);
bool tqvWriteInt(const tqvHandle& stream, TQVINT value);
bool tqvWriteFloat(const tqvHandle& stream, TQVFLOAT value);

// A short read reports "Cannot read TQVBYTE from stream", "Cannot read TQVINT from
// stream" (2 and 4 bytes) or "Cannot read TQVFLOAT from stream" and yields 0.
TQVINT tqvReadByte(const tqvHandle& stream);
TQVINT tqvReadShort(const tqvHandle& stream);
TQVINT tqvReadInt(const tqvHandle& stream);
TQVFLOAT tqvReadFloat(const tqvHandle& stream);

// Writes a string's bytes (no NUL) or a buffer's length bytes; true when more than 0.
bool tqvWrite(const tqvHandle& stream, const tqvHandle& bufOrString);
// Reads up to the buffer's capacity and sets its length; true when something was read.
bool tqvRead(const tqvHandle& stream, const tqvHandle& buffer);
