// Wave files: the format check, and sound values made from the bytes and taken through the
// binary encoding.
#include <string_view>

#include "fuzz/media/image_fuzz_support.h"
#include "media/sound.h"
#include "media/wave_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_support::continueAfterErrors();
  tqvRegisterSoundCodecs();
  if (size > 1 << 20) return 0;
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  tqvWaveFormat format;
  if (tqvReadWaveFormat(bytes, format)) {
    // What the check accepts is whole: a data chunk inside the file and a length from it.
    if (format.dataSize > size || format.length < 0 || format.durationMs < 0 ||
        format.channels == 0 || format.samplesPerSecond == 0) {
      __builtin_trap();
    }
  }
  tqvHandle sound =
      tqvMakeSoundFromBuffer(tqvMakeString("fuzz.wav"), image_fuzz::bufferOf(data, size));
  tqvHandle stream = tqvMemoryStream(nullptr, 0);
  tqvEncode(stream, sound);
  stream.as<tqvMemoryStreamObject>()->seek(0);
  tqvHandle again = tqvDecode(stream);
  tqvSoundObject* a = tqvAsSound(sound);
  tqvSoundObject* b = tqvAsSound(again);
  if (a != nullptr &&
      (b == nullptr || a->valid() != b->valid() || a->format().length != b->format().length)) {
    __builtin_trap();
  }
  return 0;
}
