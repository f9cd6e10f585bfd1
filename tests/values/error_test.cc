// Error reporting: handlers, continuation, and the default fatal behaviour.
#include <gtest/gtest.h>

#include "tests/values/error_capture.h"
#include "values/values.h"

namespace {

int exitCalls = 0;
TQVINT lastExitCode = 0;
void recordExit(TQVINT code) {
  ++exitCalls;
  lastExitCode = code;
}
TQVINT fatalHandler(tqvHandle) {
  return 1;
}

TEST(Error, NonStringMessagesAreReplaced) {
  ErrorCapture errors;
  tqvError(tqvMakeInt(3));
  EXPECT_EQ(errors.take(), "Bogus argument passed to tqvError()");
  tqvArgError("f(x)", 2);
  EXPECT_EQ(errors.take(), "Bad type for argument 2 of f(x).");
}

TEST(Error, HandlersAreSwappedAndRestored) {
  tqvErrorHandler original = tqvSetErrorHandler(fatalHandler);
  EXPECT_EQ(tqvSetErrorHandler(original), fatalHandler);
  tqvExitHandler originalExit = tqvSetExitHandler(recordExit);
  EXPECT_EQ(tqvSetExitHandler(originalExit), recordExit);
}

TEST(Error, NonZeroHandlerResultCallsTheExitHandlerWithMinusOne) {
  tqvExitHandler previousExit = tqvSetExitHandler(recordExit);
  {
    tqvScopedErrorHandler fatal(fatalHandler);
    exitCalls = 0;
    tqvError("boom");
    EXPECT_EQ(exitCalls, 1);
    EXPECT_EQ(lastExitCode, -1);
  }
  // No error handler at all goes straight to the exit handler.
  tqvErrorHandler previous = tqvSetErrorHandler(nullptr);
  tqvError("again");
  EXPECT_EQ(exitCalls, 2);
  // And with neither handler, tqvError returns.
  tqvSetExitHandler(nullptr);
  tqvError("ignored");
  EXPECT_EQ(exitCalls, 2);
  tqvSetErrorHandler(previous);
  tqvSetExitHandler(previousExit);
}

TEST(ErrorDeathTest, DefaultHandlersEndTheProcessWithMinusOne) {
  EXPECT_EXIT(tqvIntValue(tqvMakeList()), testing::ExitedWithCode(255),
              "Bad type for argument 1 of tqvIntValue\\(numberOrString\\)\\.\n\n\\[Exiting "
              "abnormally\\.\\.\\.\\]");
}

}  // namespace
