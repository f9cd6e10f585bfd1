// The instance lock (flock on a file) and the raise requests (an abstract local socket
// whose name is derived from the runtime directory, the user and the instance name).
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

std::string runtimeDirectory() {
  const char* dir = std::getenv("XDG_RUNTIME_DIR");
  if (dir != nullptr && *dir != '\0') return dir;
  return "/tmp/tqv-runtime-" + std::to_string(::getuid());
}

// Creates the directory and any missing parents, readable by the user only.
void makePrivateDirectory(const std::string& dir) {
  for (size_t slash = dir.find('/', 1);; slash = dir.find('/', slash + 1)) {
    ::mkdir(dir.substr(0, slash).c_str(), 0700);
    if (slash == std::string::npos) break;
  }
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
                   std::to_string(std::hash<std::string>{}(runtimeDirectory())) + "-" +
                   safeName(name);
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
  return runtimeDirectory() + "/" + safeName(name) + ".lock";
}

std::unique_ptr<SingleInstance> SingleInstance::acquire(std::string_view name) {
  makePrivateDirectory(runtimeDirectory());  // usually there already
  int lockFd = ::open(lockPath(name).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
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
