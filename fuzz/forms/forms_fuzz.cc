// Form and control definitions from untrusted bytes: compiled (binary) or text, made into
// forms and controls of the built-in classes, printed and encoded again. The first byte
// chooses the reader.
#include <cstddef>
#include <cstdint>

#include "fuzz/common/controls_program.h"
#include "storage/encoding.h"
#include "storage/memory_stream.h"
#include "storage/notation.h"
#include "values/error.h"
#include "values/string.h"
#include "values/text.h"

namespace {

void setUp() {
  fuzz_support::controlsProgram(true);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  setUp();
  if (size < 1 || size > 1 << 16) return 0;
  auto* bytes = const_cast<uint8_t*>(data + 1);
  auto length = static_cast<TQVINT>(size - 1);
  tqvHandle value;
  if (data[0] & 1) {
    value = tqvDecodeStandard(tqvMakeString(reinterpret_cast<const char*>(bytes), length));
  } else {
    tqvHandle in = tqvMemoryStream(bytes, length);
    value = tqvDecode(in);
  }
  tqvToStdString(value, true);
  tqvHandle out = tqvMemoryStream(nullptr, 0);
  tqvEncode(out, value);
  tqvAsStream(out)->seek(0);
  tqvDecode(out);
  return 0;
}
