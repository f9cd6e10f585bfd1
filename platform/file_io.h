// Plain file access for the streams above: open with an advisory lock, positioned reads
// and writes, size, flush, close. Paths are file-system paths (already mapped), UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tqvPlatform {

enum class FileAccess {
  Read,       // the file must exist; shared lock
  ReadWrite,  // the file must exist; exclusive lock
  Create,     // created or truncated; exclusive lock
};

// A descriptor, or -1 when the file cannot be opened or is locked by another writer (or,
// for writing, by a reader).
int openFile(const std::string& path, FileAccess access);
void closeFile(int fd);
// Bytes read or written at `offset` (fewer at the end of the file, -1 on error).
int64_t readAt(int fd, void* data, size_t size, int64_t offset);
int64_t writeAt(int fd, const void* data, size_t size, int64_t offset);
// Size in bytes, or -1.
int64_t fileSize(int fd);
bool flushFile(int fd);

}  // namespace tqvPlatform
