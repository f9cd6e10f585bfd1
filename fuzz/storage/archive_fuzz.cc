// Opens arbitrary bytes as an archive, lists every item, and adds one more.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz/storage/fuzz_support.h"
#include "storage/archive.h"
#include "storage/memory_stream.h"
#include "values/generic.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_support::continueAfterErrors();
  if (size > 1 << 16) return 0;
  std::vector<uint8_t> copy(data, data + size);
  tqvHandle stream = tqvMemoryStream(copy.data(), static_cast<TQVINT>(copy.size()));
  tqvHandle archive = tqvOpenArchive(stream, 1);
  TQVINT count = tqvCount(archive);
  for (TQVINT i = 0; i < count && i < 4096; ++i) tqvGet(archive, i);
  tqvAddItem(archive, tqvMakeInt(1));
  return 0;
}
