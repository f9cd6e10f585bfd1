// Fixed-width scalar types and the type codes carried by every value handle.
#pragma once

#include <cstdint>

using TQVINT = int32_t;
using TQVBYTE = uint8_t;
using TQVFLOAT = float;
using TQVBOOL = int32_t;
using TQVCHAR = char;

// The type code of a value handle. Codes below TQV_CLASS_TYPE are immediates whose
// payload is the value itself; the rest refer to a shared heap object.
enum : TQVINT {
  TQV_NIL_TYPE = 0,
  TQV_UNIQUE_TYPE = 1,
  TQV_BOOLEAN_TYPE = 2,
  TQV_INT_TYPE = 3,
  TQV_FLOAT_TYPE = 4,
  TQV_CLASS_TYPE = 5,
  TQV_STRING_TYPE = 6,
  TQV_BUFFER_TYPE = 7,
  TQV_LIST_TYPE = 8,
  TQV_TABLE_TYPE = 9,
  TQV_STREAM_TYPE = 10,
  TQV_REGION_TYPE = 11,
  TQV_CURSOR_TYPE = 12,
  TQV_CONTEXT_TYPE = 14,
  TQV_FONT_TYPE = 16,
  TQV_LAYOUT_TYPE = 17,
  TQV_IMAGE_TYPE = 18,
  TQV_SOUND_TYPE = 19,
  TQV_MOVIE_TYPE = 20,
  TQV_CONTROL_TYPE = 22,
  TQV_FORM_TYPE = 23,
  TQV_ARCHIVE_TYPE = 24,
  TQV_INDEX_TYPE = 25,
  TQV_REFERENCE_TYPE = 26,
  TQV_DATE_TYPE = 29,
};

// Sort direction of the list sorts: descending negates every comparison.
enum TQVORDER : TQVINT { TQV_ASCENDING = 0, TQV_DESCENDING = 1 };

// List implementations, told apart by their kind number.
enum : TQVINT { TQV_INTLIST_KIND = 3, TQV_GENERAL_LIST_KIND = 5 };
