// JPEG files and "pic" containers: header checks and decoding through the JPEG library,
// then drawing through a bitmap mask.
#include "fuzz/media/image_fuzz_support.h"

namespace {

// A 2 x 2 bitmap, black on the diagonal.
tqvHandle diagonalMask() {
  static const uint8_t file[] = {'B', 'M', 70, 0,   0,   0,   0,   0,   0,   0, 54, 0, 0,  0, 40, 0,
                                 0,   0,   2,  0,   0,   0,   2,   0,   0,   0, 1,  0, 24, 0, 0,  0,
                                 0,   0,   0,  0,   0,   0,   0,   0,   0,   0, 0,  0, 0,  0, 0,  0,
                                 0,   0,   0,  0,   0,   0,   255, 255, 255, 0, 0,  0, 0,  0,  //
                                 0,   0,   0,  255, 255, 255, 0,   0};
  static tqvHandle mask =
      tqvMakeImage(image_fuzz::bufferOf(file, sizeof file), tqvMakeString("mask.bmp"));
  return mask;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_support::continueAfterErrors();
  tqvRegisterImageCodecs();
  if (size > 1 << 20) return 0;
  tqvHandle bytes = image_fuzz::bufferOf(data, size);
  for (const char* name : {"fuzz.jpg", "fuzz.pic"}) {
    tqvHandle image = tqvMakeImage(bytes, tqvMakeString(name));
    image_fuzz::exercise(image, diagonalMask(), data, size);
  }
  return 0;
}
