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
  std::string take() {
    std::vector<std::string>& all = messages();
    std::string result = all.size() == 1 ? all.front()
                         : all.empty()   ? "<no error>"
                                         : "<" + std::to_string(all.size()) + " errors>";
    all.clear();
    return result;
  }
  bool none() const { return messages().empty(); }

 private:
  static TQVINT record(tqvHandle message) {
    messages().emplace_back(tqvStringView(message));
    return 0;
  }
  tqvErrorHandler previous_;
};
