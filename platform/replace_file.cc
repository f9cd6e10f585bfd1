// Atomic file replacement: temporary file, fsync, rename, fsync of the directory.
#include "platform/replace_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <utility>

#include "platform/directory_listings.h"

namespace tqvPlatform {
namespace {

constexpr std::string_view kMarker = ".tqvtmp.";

std::atomic<unsigned> temporaryCount{0};

// The directory ("." for a bare name) and the name of a path.
std::pair<std::string, std::string> splitPath(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {".", path};
  return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

std::string temporaryPrefix(const std::string& name) {
  return "." + name + std::string(kMarker);
}

// The reason of a failed step; callers name the file.
std::string failure(std::string_view what) {
  return std::string(what) + ": " + std::strerror(errno);
}

bool writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n == 0) errno = EIO;  // no progress and no reason given
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

// Removes the temporaries of `name` whose writer is no longer running (it was killed
// before its rename). A live writer's temporary is left alone.
void sweepAbandoned(const std::string& directory, const std::string& name) {
  DIR* dir = ::opendir(directory.c_str());
  if (dir == nullptr) return;
  std::string prefix = temporaryPrefix(name);
  while (dirent* entry = ::readdir(dir)) {
    std::string_view entryName = entry->d_name;
    if (!entryName.starts_with(prefix)) continue;
    std::string_view rest = entryName.substr(prefix.size());
    pid_t pid = 0;
    auto [end, status] = std::from_chars(rest.data(), rest.data() + rest.size(), pid);
    if (status != std::errc() || pid <= 0 || pid == ::getpid()) continue;
    if (::kill(pid, 0) == 0 || errno != ESRCH) continue;
    ::unlinkat(::dirfd(dir), entry->d_name, 0);
  }
  ::closedir(dir);
}

// The rename and what follows it; `temporary` is on disk already.
bool install(const std::string& temporary, const std::string& path, std::string& error) {
  if (::rename(temporary.c_str(), path.c_str()) != 0) {
    error = failure("cannot put the new file in place");
    ::unlink(temporary.c_str());
    return false;
  }
  // The new file is in place now: a directory that cannot be synced (some file systems
  // refuse) only makes the rename less durable, so it is not a failure.
  auto [directory, name] = splitPath(path);
  int dirFd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd >= 0) {
    ::fsync(dirFd);
    ::close(dirFd);
  }
  sweepAbandoned(directory, name);
  forgetListingOf(path);
  return true;
}

}  // namespace

std::string temporaryPathFor(const std::string& path) {
  auto [directory, name] = splitPath(path);
  std::string temporary = path.substr(0, path.size() - name.size()) + temporaryPrefix(name) +
                          std::to_string(::getpid()) + "." + std::to_string(++temporaryCount);
  // Process id and count are unique among running writers, so a file under this name was
  // left by an earlier process that had the same id.
  ::unlink(temporary.c_str());
  return temporary;
}

bool replaceFile(const std::string& path, std::string_view bytes, std::string& error) {
  std::string temporary = temporaryPathFor(path);
  int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) {
    error = failure("cannot create a temporary file");
    return false;
  }
  // fsync reports every write error, so close has nothing left to report.
  bool done = writeAll(fd, bytes) && ::fsync(fd) == 0;
  if (!done) error = failure("cannot write the temporary file");
  ::close(fd);
  if (!done) {
    ::unlink(temporary.c_str());
    return false;
  }
  return install(temporary, path, error);
}

bool commitTemporary(const std::string& temporary, const std::string& path, std::string& error) {
  int fd = ::open(temporary.c_str(), O_RDONLY | O_CLOEXEC);
  bool synced = fd >= 0 && ::fsync(fd) == 0;
  if (!synced) error = failure("cannot bring the temporary file to disk");
  if (fd >= 0) ::close(fd);
  if (!synced) {
    ::unlink(temporary.c_str());
    return false;
  }
  return install(temporary, path, error);
}

}  // namespace tqvPlatform
