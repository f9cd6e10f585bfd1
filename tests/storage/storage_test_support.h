// Helpers for storage tests: a private temporary directory, byte strings written as hex,
// and access to what a memory stream holds.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "storage/memory_stream.h"
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

class TempDir {
 public:
  TempDir() {
    path_ = std::filesystem::temp_directory_path() /
            ("tqv-storage-" + std::to_string(::getpid()) + "-" + std::to_string(counter()++));
    std::filesystem::create_directories(path_);
  }
  ~TempDir() { std::filesystem::remove_all(path_); }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  std::string file(const std::string& name) const { return (path_ / name).string(); }
  tqvHandle name(const std::string& file) const { return tqvMakeString(this->file(file)); }
  std::string read(const std::string& name) const {
    std::ifstream in(file(name), std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
  }
  void write(const std::string& name, const std::string& bytes) const {
    std::ofstream(file(name), std::ios::binary) << bytes;
  }

 private:
  static int& counter() {
    static int n = 0;
    return n;
  }
  std::filesystem::path path_;
};

}  // namespace storage_test
