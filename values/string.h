// String values: immutable code page 1252 text with its length, and their operations.
#pragma once

#include <string>
#include <string_view>

#include "values/handle.h"

class tqvStringObject : public tqvObject {
 public:
  // Copies `length` bytes and appends a NUL. Null when memory is refused.
  static tqvStringObject* create(const char* bytes, TQVINT length);
  ~tqvStringObject() override;

  TQVINT length() const { return length_; }
  const char* text() const { return text_ != nullptr ? text_ : ""; }
  std::string_view view() const { return {text(), static_cast<size_t>(length_)}; }

  TQVINT hash() const override;
  void print(std::string& out, TQVINT type, bool notation) const override;
  bool opCount(TQVINT& result) override;

 private:
  tqvStringObject() = default;
  TQVINT length_ = 0;
  // The text never changes, so its hash is worked out once, on first use.
  mutable TQVINT hash_ = 0;
  mutable bool hashKnown_ = false;
  char* text_ = nullptr;
};

// Construction. An empty source yields an empty string object.
tqvHandle tqvMakeString(std::string_view text);
tqvHandle tqvMakeString(const char* bytes, TQVINT count);
tqvHandle tqvMakeRepeated(TQVINT count, char c);
// A string from UTF-8 source text, converted to code page 1252 (for Portuguese literals).
tqvHandle tqvFromUtf8(std::string_view utf8);

// Access. Non-strings give the empty text and length 0.
const char* tqvCString(const tqvHandle& s);
std::string_view tqvStringView(const tqvHandle& s);
TQVINT tqvStringLength(const tqvHandle& s);

// The string hash: h ^= ((2c ^ h) << 4) ^ (h >> 2) over the bytes taken as signed.
TQVINT tqvStringHash(std::string_view bytes);

tqvHandle tqvConcat(const tqvHandle& a, const tqvHandle& b);
// First n bytes; n is clamped to 0..length.
tqvHandle tqvStringLeft(const tqvHandle& s, TQVINT n);
// Last n bytes when 0 <= n <= length, else the empty string.
tqvHandle tqvStringRight(const tqvHandle& s, TQVINT n);
// Bytes from start, at most count; empty unless start < length and count > 0. A negative
// start is clamped to 0.
tqvHandle tqvStringMid(const tqvHandle& s, TQVINT start, TQVINT count);

// Index of the first occurrence at or after start, or -1. An empty pattern is found at
// the start. A negative start is taken as 0.
TQVINT tqvFindChar(const tqvHandle& s, TQVINT c, TQVINT start);
TQVINT tqvFindString(const tqvHandle& s, const tqvHandle& pattern, TQVINT start);
// Index of the last occurrence that begins at or before start (0: from the last byte).
TQVINT tqvFindLast(const tqvHandle& s, const tqvHandle& pattern, TQVINT start);

// The byte at index; outside 0..length-1 reports "String index out of range: " and
// yields 0.
TQVINT tqvCharAt(const tqvHandle& s, TQVINT index);

// Copies the text and its NUL into buffer when size > length; else copies nothing.
bool tqvCopyChars(const tqvHandle& s, char* buffer, TQVINT size);

tqvHandle tqvUpper(const tqvHandle& s);
tqvHandle tqvLower(const tqvHandle& s);
tqvHandle tqvPlainText(const tqvHandle& s);

// Paths are joined with one backslash. The name comes back unchanged when the directory
// is nil or empty, the name is empty, begins with a backslash or a slash, or has a colon
// second.
tqvHandle tqvPathJoin(const tqvHandle& directory, const tqvHandle& name);
tqvHandle tqvPathName(const tqvHandle& path);       // after the last backslash
tqvHandle tqvPathDirectory(const tqvHandle& path);  // before the last backslash, or ""
tqvHandle tqvPathExtension(const tqvHandle& path);  // after the last full stop, or ""

// Appends the quoted, escaped notation form of the bytes.
void tqvAppendQuoted(std::string& out, std::string_view bytes);
