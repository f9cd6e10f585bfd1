// Decodes arbitrary bytes, then encodes the result again and decodes that.
#include <cstddef>
#include <cstdint>

#include "fuzz/storage/fuzz_support.h"
#include "storage/encoding.h"
#include "storage/memory_stream.h"
#include "values/text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_support::continueAfterErrors();
  if (size > 1 << 16) return 0;
  tqvHandle in = tqvMemoryStream(const_cast<uint8_t*>(data), static_cast<TQVINT>(size));
  tqvHandle value = tqvDecode(in);
  tqvToStdString(value, true);
  tqvHandle out = tqvMemoryStream(nullptr, 0);
  tqvEncode(out, value);
  tqvAsStream(out)->seek(0);
  tqvDecode(out);
  return 0;
}
