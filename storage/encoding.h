// The binary encoding: one tag byte, then the payload the tag implies.
//
//   tag  value                          payload
//   0    nil                            -
//   2    boolean (read only)            TQVINT, non-zero is true
//   3    int outside -32767..32767      TQVINT
//   4    float                          TQVFLOAT
//   6    string of 256 bytes or more    TQVINT length, bytes (no NUL)
//   7    buffer                         TQVINT length, bytes
//   8    list                           TQVINT count, TQVBYTE kind (5 general, 3 integer),
//                                       then count TQVINTs (kind 3) or count values
//   9    table                          TQVINT capacity, TQVINT count, count key/value
//                                       pairs in slot order
//   11   region                         TQVINT left, top, right, bottom, TQVINT n, n points
//                                       (x, y); n is 0 for a rectangle or point, else the
//                                       polygon's points without the closing copy
//   16   font                           value name, TQVINT size, TQVINT style
//   17   text layout                    TQVINT, TQVINT, value, value
//   18   image                          value kind, value source
//   19   sound                          value, TQVINT kind flag, value
//   22   control, 23 form               value property table
//   26   reference                      value resource name
//   29   date                           TQVINT word 1, TQVINT word 2
//   30   true, 31 false                 -
//   32   int in -127..127               signed byte
//   33   int in -32767..32767 otherwise short int
//   34   string shorter than 256 bytes  TQVBYTE length, bytes
//   35   general list, capacity < 256   TQVBYTE count, count values
//
// All integers are little-endian. Tags 17-19, 22, 23 and 26 are written by the values
// themselves (storage/codecs.h) and read by decoders that their libraries register.
#pragma once

#include "values/handle.h"

enum : TQVINT {
  TQV_TAG_TRUE = 30,
  TQV_TAG_FALSE = 31,
  TQV_TAG_BYTE_INT = 32,
  TQV_TAG_SHORT_INT = 33,
  TQV_TAG_SHORT_STRING = 34,
  TQV_TAG_SHORT_LIST = 35,
};

// Writes `value`. A value without a binary form reports "Cannot encode this type: " and
// its type name after its tag byte.
void tqvEncode(const tqvHandle& stream, const tqvHandle& value);

// Reads one value; nil after a report. Counts and lengths are never trusted beyond the
// bytes the stream still holds, and nesting deeper than tqvMaxNesting is refused.
tqvHandle tqvDecode(const tqvHandle& stream);

constexpr int tqvMaxNesting = 1000;
