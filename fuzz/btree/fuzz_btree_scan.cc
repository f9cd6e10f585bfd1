// libFuzzer target: arbitrary bytes opened as a keyed file, scanned both ways and checked.
#include "fuzz/btree/scan_driver.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  kffuzz::scanBytes(data, size);
  return 0;
}
