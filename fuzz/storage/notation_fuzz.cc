// Reads arbitrary text as notation and prints the result both ways.
#include <cstddef>
#include <cstdint>

#include "fuzz/storage/fuzz_support.h"
#include "storage/notation.h"
#include "values/string.h"
#include "values/text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_support::continueAfterErrors();
  if (size > 1 << 16) return 0;
  tqvHandle text = tqvMakeString(reinterpret_cast<const char*>(data), static_cast<TQVINT>(size));
  tqvHandle value = tqvDecodeStandard(text);
  tqvToStdString(value, true);
  tqvToStdString(value, false);
  return 0;
}
