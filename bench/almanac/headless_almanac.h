// The almanac started in this process on the demo disc, headless, as far as its
// application object's initialisation: the benchmarks then open its screens themselves.
#pragma once

#include <string>

#include "framework/program.h"

class HeadlessAlmanac {
 public:
  // `userDirectory` holds the user's files (preferences, bookmarks).
  explicit HeadlessAlmanac(const std::string& userDirectory);

 private:
  static tqvProgramSetup setup();
  tqvProgram program_;
};
