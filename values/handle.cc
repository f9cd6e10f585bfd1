// Construction of handles, the shared constants and unique serial numbers.
#include "values/handle.h"

#include <bit>

constinit const tqvHandle TQV_NIL{};
constinit const tqvHandle TQV_TRUE{tqvHandle::Immediate{TQV_BOOLEAN_TYPE, 1}};
constinit const tqvHandle TQV_FALSE{tqvHandle::Immediate{TQV_BOOLEAN_TYPE, 0}};

namespace {
TQVINT uniqueCounter = 0;
}

tqvHandle tqvNewUnique() {
  return tqvHandle::fromUnique(++uniqueCounter);
}

tqvHandle tqvHandle::fromFloat(TQVFLOAT value) noexcept {
  return immediate(TQV_FLOAT_TYPE, std::bit_cast<TQVINT>(value));
}

TQVFLOAT tqvHandle::floatValue() const noexcept {
  return std::bit_cast<TQVFLOAT>(word_);
}

tqvHandle tqvHandle::wrap(tqvObject* object, TQVINT type) noexcept {
  tqvHandle h;
  h.type_ = type;
  h.obj_ = object;
  h.retain();
  return h;
}
