// libFuzzer target: operation sequences decoded from the input, checked against a map.
#include <cstdlib>

#include "fuzz/btree/ops_driver.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 4096) return 0;  // keep each run short
  if (kffuzz::runOperations(data, size) != 0) std::abort();
  return 0;
}
