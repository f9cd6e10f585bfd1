// Test helper: collects every reported error message and lets execution continue.
#pragma once

#include <string>
#include <vector>

#include "values/error.h"
#include "values/string.h"

class ErrorCapture {
 public:
  ErrorCapture() : previous_(tqvSetErrorHandler(&ErrorCapture::record)) { messages().clear(); }
  ~ErrorCapture() { tqvSetErrorHandler(previous_); }
  ErrorCapture(const ErrorCapture&) = delete;
  ErrorCapture& operator=(const ErrorCapture&) = delete;

  static std::vector<std::string>& messages() {
    static std::vector<std::string> all;
    return all;
  }
  // The single message reported since the last call, or a note that there were none or
  // several; clears the record.
  static std::string take() {
    std::vector<std::string>& all = messages();
    std::string result = all.size() == 1 ? all.front()
                         : all.empty()   ? "<no error>"
                                         : "<" + std::to_string(all.size()) + " errors>";
    all.clear();
    return result;
  }
  static bool none() { return messages().empty(); }

  // The handler that records; a program's setup may install it directly.
  static TQVINT record(tqvHandle message) {
    messages().emplace_back(tqvStringView(message));
    return 0;
  }

 private:
  tqvErrorHandler previous_;
};
