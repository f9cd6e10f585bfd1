// Helpers of the keyed-file tests: a scratch directory, raw file access and page decoding
// written from the file layout (not from the engine's code).
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "btree/key_file.h"

namespace btreetest {

// A directory under `base` (the system's temporary directory by default), removed with its
// contents.
class ScratchDir {
 public:
  explicit ScratchDir(const std::filesystem::path& base = std::filesystem::temp_directory_path()) {
    std::string pattern = (base / "kftest-XXXXXX").string();
    std::vector<char> buf(pattern.begin(), pattern.end());
    buf.push_back('\0');
    if (mkdtemp(buf.data()) == nullptr) std::abort();
    path_ = buf.data();
  }
  ~ScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  std::string file(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

inline std::vector<uint8_t> readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

inline void writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

inline int32_t le32(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<int32_t>(b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) |
                              (static_cast<uint32_t>(b[at + 3]) << 24));
}
inline int16_t le16(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<int16_t>(b[at] | (b[at + 1] << 8));
}
inline void putLe32(std::vector<uint8_t>& b, size_t at, int32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i));
}
inline void putLe16(std::vector<uint8_t>& b, size_t at, int16_t v) {
  b[at] = static_cast<uint8_t>(v);
  b[at + 1] = static_cast<uint8_t>(static_cast<uint16_t>(v) >> 8);
}
inline void putBe32(std::vector<uint8_t>& b, size_t at, int32_t v) {
  for (int i = 0; i < 4; ++i)
    b[at + 3 - i] = static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i));
}
inline void putBe16(std::vector<uint8_t>& b, size_t at, int16_t v) {
  b[at] = static_cast<uint8_t>(static_cast<uint16_t>(v) >> 8);
  b[at + 1] = static_cast<uint8_t>(v);
}

// One node of a little-endian file, decoded by the page layout.
struct RawNode {
  int32_t firstChild, next, previous;
  int16_t level, count, freeBytes;
  std::vector<std::vector<uint8_t>> entries;  // each entry with its length byte
};

inline RawNode rawNode(const std::vector<uint8_t>& file, int32_t node) {
  size_t base = 1024 * static_cast<size_t>(node + 1);
  RawNode n{le32(file, base),
            le32(file, base + 4),
            le32(file, base + 8),
            le16(file, base + 12),
            le16(file, base + 14),
            le16(file, base + 16),
            {}};
  size_t at = base + 18;
  for (int i = 0; i < n.count; ++i) {
    size_t size = file[at] + 1u;
    n.entries.emplace_back(file.begin() + static_cast<long>(at),
                           file.begin() + static_cast<long>(at + size));
    at += size;
  }
  return n;
}

// Key text of a type-0 entry (without the terminator).
inline std::string entryText(const std::vector<uint8_t>& e) {
  return std::string(reinterpret_cast<const char*>(e.data() + 7));
}

}  // namespace btreetest
