// Bitmap files: header checks, run-length data, decoding, and drawing with the picture
// as its own mask.
#include "fuzz/media/image_fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_support::continueAfterErrors();
  tqvRegisterImageCodecs();
  if (size > 1 << 20) return 0;
  tqvHandle image = tqvMakeImage(image_fuzz::bufferOf(data, size), tqvMakeString("fuzz.bmp"));
  image_fuzz::exercise(image, image, data, size);
  return 0;
}
