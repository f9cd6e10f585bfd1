// Helpers for storage tests: byte strings written as hex, access to what a memory stream
// holds, and the shared temporary directory with its file names as values.
#pragma once

#include <string>

#include "storage/memory_stream.h"
#include "tests/support/temp_dir.h"
#include "values/string.h"

namespace storage_test {

// Bytes from hex pairs, spaces ignored: "22 01 61".
inline std::string hex(std::string_view pairs) {
  std::string bytes;
  int high = -1;
  for (char c : pairs) {
    int v = c >= '0' && c <= '9'   ? c - '0'
            : c >= 'a' && c <= 'f' ? c - 'a' + 10
            : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                   : -1;
    if (v < 0) continue;
    if (high < 0) {
      high = v;
    } else {
      bytes += static_cast<char>(high * 16 + v);
      high = -1;
    }
  }
  return bytes;
}

// The first `count` bytes of a memory stream.
inline std::string streamBytes(const tqvHandle& stream, size_t count) {
  auto* s = stream.as<tqvMemoryStreamObject>();
  return std::string(reinterpret_cast<const char*>(s->data()), count);
}

// A memory stream over a private copy of `bytes`, kept alive by the returned holder.
struct ByteStream {
  explicit ByteStream(std::string b) : bytes(std::move(b)) {
    stream = tqvMemoryStream(bytes.data(), static_cast<TQVINT>(bytes.size()));
  }
  std::string bytes;
  tqvHandle stream;
};

// The shared temporary directory, with file names as value strings.
class TempDir : public ::TempDir {
 public:
  tqvHandle name(const std::string& file) const { return tqvMakeString(this->file(file)); }
};

}  // namespace storage_test
