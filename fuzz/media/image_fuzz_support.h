// What both image fuzzers do with a picture that was accepted: every operation of the
// image, drawn whole, in part, stretched and masked into a small context image, copied
// and taken through the binary encoding.
#pragma once

#include <cstddef>
#include <cstdint>

#include "fuzz/storage/fuzz_support.h"
#include "media/image.h"
#include "media/image_factory.h"
#include "storage/encoding.h"
#include "storage/memory_stream.h"
#include "values/buffer.h"
#include "values/region.h"
#include "values/string.h"

namespace image_fuzz {

inline tqvHandle bufferOf(const uint8_t* data, size_t size) {
  tqvHandle b = tqvBuffer(static_cast<TQVINT>(size));
  tqvBufferObject* o = tqvAsBuffer(b);
  for (size_t i = 0; i < size; ++i) o->data()[i] = data[i];
  o->setLength(static_cast<TQVINT>(size));
  return b;
}

// A small signed number taken from the input, so positions vary with it.
inline TQVINT pick(const uint8_t* data, size_t size, size_t at) {
  return size == 0 ? 0 : static_cast<int8_t>(data[at % size]) / 8;
}

inline void exercise(const tqvHandle& image, const tqvHandle& mask, const uint8_t* data,
                     size_t size) {
  tqvImageObject* i = tqvAsImage(image);
  if (i == nullptr) return;
  // Large pictures are only checked: decoding them would slow the search down.
  if (int64_t{i->width()} * i->height() > (1 << 20)) return;
  i->palette();
  tqvImageBits bits;
  i->getBits(bits);
  tqvHandle target = tqvMakeContextImage(16, 16);
  tqvDrawImage(target, image, pick(data, size, 3), pick(data, size, 5), 0, 0, pick(data, size, 7),
               pick(data, size, 9), mask);
  tqvDrawImage(target, image, -3, 2, 40, 3, 1, pick(data, size, 11));
  tqvStretchImage(target, image, tqvMakeRect(-5, 3, 11, pick(data, size, 13)), mask);
  tqvDrawImage(target, target, 1, 1, 0, 0, 0, 0, image);
  tqvHandle copy = tqvImageFromImage(image);
  tqvHandle stream = tqvMemoryStream(nullptr, 0);
  tqvEncode(stream, copy);
  tqvAsStream(stream)->seek(0);
  tqvDecode(stream);
}

}  // namespace image_fuzz
