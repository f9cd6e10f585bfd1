// The process-wide error and exit handlers and the reporting entry points.
#include "values/error.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "values/string.h"

namespace {
tqvErrorHandler errorHandler = tqvConsoleErrorHandler;
tqvExitHandler exitHandler = tqvConsoleExitHandler;
}  // namespace

TQVINT tqvConsoleErrorHandler(tqvHandle message) {
  std::fputs(tqvCString(message), stderr);
  std::fputc('\n', stderr);
  return 1;
}

void tqvConsoleExitHandler(TQVINT code) {
  std::fputs("\n[Exiting abnormally...]\n", stderr);
  std::fflush(stderr);
  std::_Exit(code);
}

tqvErrorHandler tqvSetErrorHandler(tqvErrorHandler handler) {
  tqvErrorHandler previous = errorHandler;
  errorHandler = handler;
  return previous;
}

tqvExitHandler tqvSetExitHandler(tqvExitHandler handler) {
  tqvExitHandler previous = exitHandler;
  exitHandler = handler;
  return previous;
}

void tqvError(const tqvHandle& message) {
  if (errorHandler != nullptr) {
    tqvHandle text = message.is(TQV_STRING_TYPE)
                         ? message
                         : tqvMakeString("Bogus argument passed to tqvError()");
    if (errorHandler(text) == 0) return;
  }
  if (exitHandler != nullptr) exitHandler(-1);
}

void tqvError(std::string_view message) {
  tqvError(tqvMakeString(message));
}

void tqvArgError(std::string_view signature, TQVINT argument) {
  std::string text = "Bad type for argument ";
  text += std::to_string(argument);
  text += " of ";
  text += signature;
  text += '.';
  tqvError(text);
}
