// The instance lock (flock on a file in a checked private directory) and the raise
// requests (an abstract local socket whose name is derived from that directory, the user
// and the instance name).
#include "platform/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <thread>

namespace tqvPlatform {
namespace {

// Makes the missing parents of `dir`, readable by the user only.
void makeParents(const std::string& dir) {
  for (size_t slash = dir.find('/', 1); slash != std::string::npos;
       slash = dir.find('/', slash + 1)) {
    ::mkdir(dir.substr(0, slash).c_str(), 0700);
  }
}

// The directory `dir` opened when it is private: a real directory (not a symbolic link)
// of this user with mode 0700, so that no other user can have put a lock file in it.
// Made when missing. -1 when it is missing and cannot be made, or not private.
int openPrivateDirectory(const std::string& dir) {
  if (dir.empty() || dir[0] != '/') return -1;
  makeParents(dir);
  bool made = ::mkdir(dir.c_str(), 0700) == 0;
  int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return -1;
  if (made) ::fchmod(fd, 0700);  // whatever the umask took away
  struct stat info;
  if (::fstat(fd, &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::getuid() ||
      (info.st_mode & 0777) != 0700) {
    ::close(fd);
    return -1;
  }
  return fd;
}

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// The first private directory among the runtime directory, a per-user one in the
// temporary directory and one in the user's cache, opened; `path` names it. A directory
// another user made or opened up is passed over, so it can never hold the lock.
int openLockDirectory(std::string& path) {
  std::string tmp = environment("TMPDIR"), cache = environment("XDG_CACHE_HOME");
  if (tmp.empty()) tmp = "/tmp";
  if (cache.empty() && !environment("HOME").empty()) cache = environment("HOME") + "/.cache";
  for (std::string candidate :
       {environment("XDG_RUNTIME_DIR"), tmp + "/tqv-runtime-" + std::to_string(::getuid()),
        cache.empty() ? cache : cache + "/tqv-runtime"}) {
    int fd = openPrivateDirectory(candidate);
    if (fd >= 0) {
      path = candidate;
      return fd;
    }
  }
  path.clear();
  return -1;
}

std::string lockDirectory() {
  std::string path;
  int fd = openLockDirectory(path);
  if (fd >= 0) ::close(fd);
  return path;
}

std::string safeName(std::string_view name) {
  std::string safe;
  for (char c : name) {
    bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                 c == '-' || c == '.';
    safe += plain ? c : '_';
  }
  return safe;
}

// The socket lives in the abstract namespace (no file to clean up, no path-length limit);
// the hash of the runtime directory keeps instances with different directories apart.
sockaddr_un socketAddress(std::string_view name, socklen_t& length) {
  std::string id = "tqv-" + std::to_string(::getuid()) + "-" +
                   std::to_string(std::hash<std::string>{}(lockDirectory())) + "-" + safeName(name);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  size_t room = sizeof(address.sun_path) - 1;
  if (id.size() > room) id.resize(room);
  std::memcpy(address.sun_path + 1, id.data(), id.size());
  length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + id.size());
  return address;
}

}  // namespace

std::string SingleInstance::lockPath(std::string_view name) {
  return lockDirectory() + "/" + safeName(name) + ".lock";
}

std::unique_ptr<SingleInstance> SingleInstance::acquire(std::string_view name) {
  std::string directory;
  int dirFd = openLockDirectory(directory);
  int lockFd = -1;
  if (dirFd >= 0) {
    // Only this user can have made anything in the directory; a directory under the
    // lock's name fails the open.
    std::string file = safeName(name) + ".lock";
    lockFd = ::openat(dirFd, file.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    ::close(dirFd);
  }
  if (lockFd >= 0 && ::flock(lockFd, LOCK_EX | LOCK_NB) != 0) {
    bool held = errno == EWOULDBLOCK;
    ::close(lockFd);
    if (held) return nullptr;
    lockFd = -1;
  }
  int listenFd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (listenFd >= 0) {
    socklen_t length = 0;
    sockaddr_un address = socketAddress(name, length);
    if (::bind(listenFd, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        ::listen(listenFd, 8) != 0) {
      ::close(listenFd);
      listenFd = -1;
    }
  }
  return std::unique_ptr<SingleInstance>(new SingleInstance(lockFd, listenFd));
}

bool SingleInstance::askToRaise(std::string_view name, int patienceMs) {
  socklen_t length = 0;
  sockaddr_un address = socketAddress(name, length);
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(patienceMs);
  for (;;) {
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), length) == 0) {
      static const char kRequest[] = "raise\n";
      bool sent = ::send(fd, kRequest, sizeof kRequest - 1, MSG_NOSIGNAL) > 0;
      ::close(fd);
      return sent;
    }
    ::close(fd);
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

SingleInstance::~SingleInstance() {
  if (listenFd_ >= 0) ::close(listenFd_);
  if (lockFd_ >= 0) ::close(lockFd_);  // closing releases the lock
}

bool SingleInstance::takeRaiseRequest() {
  if (listenFd_ < 0) return false;
  bool asked = false;
  for (;;) {
    int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) break;
    asked = true;  // any connection is a request; what it says does not matter
    ::close(fd);
  }
  return asked;
}

}  // namespace tqvPlatform
