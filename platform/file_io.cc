// POSIX file access with flock-based sharing rules.
#include "platform/file_io.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/directory_listings.h"

namespace tqvPlatform {

int openFile(const std::string& path, FileAccess access) {
  int flags = O_CLOEXEC;
  switch (access) {
    case FileAccess::Read:
      flags |= O_RDONLY;
      break;
    case FileAccess::ReadWrite:
      flags |= O_RDWR;
      break;
    case FileAccess::Create:
      flags |= O_RDWR | O_CREAT;
      break;
  }
  int fd = ::open(path.c_str(), flags, 0644);
  if (fd < 0) return -1;
  if (access == FileAccess::Create) forgetListingOf(path);
  struct stat info;
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return -1;
  }
  // Readers share a file; a writer keeps everyone else out.
  int lock = access == FileAccess::Read ? LOCK_SH : LOCK_EX;
  if (::flock(fd, lock | LOCK_NB) != 0) {
    ::close(fd);
    return -1;
  }
  if (access == FileAccess::Create && ::ftruncate(fd, 0) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

void closeFile(int fd) {
  if (fd >= 0) ::close(fd);
}

int64_t readAt(int fd, void* data, size_t size, int64_t offset) {
  size_t done = 0;
  while (done < size) {
    ssize_t n = ::pread(fd, static_cast<char*>(data) + done, size - done, offset + done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return done > 0 ? static_cast<int64_t>(done) : -1;
    if (n == 0) break;
    done += static_cast<size_t>(n);
  }
  return static_cast<int64_t>(done);
}

int64_t writeAt(int fd, const void* data, size_t size, int64_t offset) {
  size_t done = 0;
  while (done < size) {
    ssize_t n = ::pwrite(fd, static_cast<const char*>(data) + done, size - done, offset + done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return done > 0 ? static_cast<int64_t>(done) : -1;
    done += static_cast<size_t>(n);
  }
  return static_cast<int64_t>(done);
}

int64_t fileSize(int fd) {
  struct stat info;
  return ::fstat(fd, &info) == 0 ? static_cast<int64_t>(info.st_size) : -1;
}

bool flushFile(int fd) {
  return ::fdatasync(fd) == 0;
}

}  // namespace tqvPlatform
