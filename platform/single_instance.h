// The single running instance: a lock file in a private directory of the user, and a
// local socket through which a later start asks the running instance to come to the front.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace tqvPlatform {

class SingleInstance {
 public:
  // Becomes the running instance called `name`, or returns null when another process
  // already is. The lock lives in the first private directory (this user's, mode 0700,
  // not a symbolic link; created when missing) among $XDG_RUNTIME_DIR,
  // $TMPDIR/tqv-runtime-UID (/tmp when TMPDIR is unset) and $XDG_CACHE_HOME/tqv-runtime
  // (~/.cache when unset). Directories that are not private are passed over, so files of
  // another user never keep a start from running. Without a usable directory there is
  // no lock and every start runs: the instance is still returned.
  static std::unique_ptr<SingleInstance> acquire(std::string_view name);

  // Asks the running instance called `name` to come to the front, retrying for up to
  // `patienceMs` while it is still starting. Returns true when the request was delivered.
  static bool askToRaise(std::string_view name, int patienceMs = 2000);

  // The lock file of `name` (for tests that look at it).
  static std::string lockPath(std::string_view name);

  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // True when a later start asked for the front since the last call. Never waits.
  bool takeRaiseRequest();

 private:
  SingleInstance(int lockFd, int listenFd) : lockFd_(lockFd), listenFd_(listenFd) {}
  int lockFd_;
  int listenFd_;
};

}  // namespace tqvPlatform
