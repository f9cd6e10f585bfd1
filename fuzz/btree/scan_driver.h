// Reads arbitrary bytes as a keyed file: open, scans both ways, searches and the check.
// Shared by the scan fuzzer and the regression test of its kept inputs.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "btree/key_file.h"

namespace kffuzz {

// Writes `bytes` to a fresh temporary file and returns its name ("" on failure).
inline std::string scratchFile(const uint8_t* bytes, size_t size) {
  char name[] = "/tmp/kffuzz-XXXXXX";
  int fd = mkstemp(name);
  if (fd < 0) return "";
  bool ok = size == 0 || write(fd, bytes, size) == static_cast<ssize_t>(size);
  close(fd);
  if (!ok) {
    unlink(name);
    return "";
  }
  return name;
}

// Descriptors matching the key types the file claims, so typed files open too.
inline void descriptorsFor(const uint8_t* header, size_t size, KfKeyDescriptor* keys,
                           KfSegment* segments) {
  segments[0].type = 0;
  segments[1].type = 3;
  segments[2].type = kKfSegmentEnd;
  int n = 0;
  for (int k = 1; k <= 15 && 192u + k < size; ++k) {
    uint8_t type = header[192 + k] & 0x1F;
    if (type == 0) continue;
    keys[n].keyNumber = static_cast<uint8_t>(k);
    keys[n].keyType = type;
    keys[n].segments = segments;
    ++n;
  }
  keys[n] = KfKeyDescriptor{};
}

// Returns 0 when the bytes are a sound keyed file, else the first error met.
inline int scanBytes(const uint8_t* bytes, size_t size) {
  std::string path = scratchFile(bytes, size);
  if (path.empty()) return 0;
  KfKeyDescriptor keys[16];
  KfSegment segments[3];
  descriptorsFor(bytes, size, keys, segments);
  KeyFile kf;
  int first = kfOpen(kf, path.c_str(), kKfExclusive, kKfAccessRead, keys);
  auto note = [&first](int rc) {
    if (rc < 0 && rc != kKfNotFound && first == 0) first = rc;
  };
  if (first == 0) {
    char buffer[300];
    for (int kn = 1; kn <= 20; ++kn) {
      int rc = kfFirst(kf, kn, buffer, sizeof buffer);
      for (int steps = 0; rc == 0 && steps < 20000; ++steps)
        rc = kfNext(kf, kn, buffer, sizeof buffer);
      note(rc);
      rc = kfLast(kf, kn, buffer, sizeof buffer);
      for (int steps = 0; rc == 0 && steps < 20000; ++steps) {
        rc = kfPrevious(kf, kn, buffer, sizeof buffer);
      }
      note(rc);
    }
    uint8_t probe[256] = {3, 'k', 'e', 'y'};  // long enough for a key of any type
    note(kfFind(kf, 1, probe, 1, buffer, sizeof buffer));
    note(kfCheck(kf));
    kfClose(kf);
  }
  unlink(path.c_str());
  return first;
}

}  // namespace kffuzz
