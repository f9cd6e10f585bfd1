// Error reporting: every failure is reported through tqvError with a fixed message.
#pragma once

#include <string_view>

#include "values/handle.h"

// An error handler receives the message (a string value) and returns 0 to let the failing
// operation return its fallback, or non-zero to end the run through the exit handler.
using tqvErrorHandler = TQVINT (*)(tqvHandle message);
using tqvExitHandler = void (*)(TQVINT code);

// Reports `message`. A non-string message is replaced by "Bogus argument passed to
// tqvError()". Returns when the error handler returns 0, or when no exit handler is left.
void tqvError(const tqvHandle& message);
void tqvError(std::string_view message);

// Reports "Bad type for argument N of SIGNATURE.".
void tqvArgError(std::string_view signature, TQVINT argument);

// Install a handler and return the previous one (null installs nothing: an error then
// goes straight to the exit handler, and without one tqvError returns).
tqvErrorHandler tqvSetErrorHandler(tqvErrorHandler handler);
tqvExitHandler tqvSetExitHandler(tqvExitHandler handler);

// The handlers a program has before it installs its own: the message goes to standard
// error, then "\n[Exiting abnormally...]\n", then the process ends with -1.
TQVINT tqvConsoleErrorHandler(tqvHandle message);
[[noreturn]] void tqvConsoleExitHandler(TQVINT code);

// Installs `handler` for the lifetime of the object and puts the previous one back.
class tqvScopedErrorHandler {
 public:
  explicit tqvScopedErrorHandler(tqvErrorHandler handler)
      : previous_(tqvSetErrorHandler(handler)) {}
  ~tqvScopedErrorHandler() { tqvSetErrorHandler(previous_); }
  tqvScopedErrorHandler(const tqvScopedErrorHandler&) = delete;
  tqvScopedErrorHandler& operator=(const tqvScopedErrorHandler&) = delete;

 private:
  tqvErrorHandler previous_;
};

// While it lives, reports are counted and not handled: code that can go on after a
// damaged file (a disc being opened, a user file read back) asks how many came.
class tqvQuietErrors {
 public:
  tqvQuietErrors() : start_(total()), handler_(&record) {}
  // Reports made since this object was made.
  int count() const { return total() - start_; }
  // Reports counted by every quiet scope so far; compare two readings to see whether a
  // call inside one made any.
  static int total() { return counted(); }

 private:
  static int& counted() {
    static int reports = 0;
    return reports;
  }
  static TQVINT record(tqvHandle) {
    ++counted();
    return 0;
  }

  int start_;
  tqvScopedErrorHandler handler_;
};
