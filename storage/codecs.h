// How value types of later libraries (text layouts, images, sounds, controls, forms,
// references) take part in the binary encoding: they write their own payload, and a
// decoder registered for their tag reads it back.
#pragma once

#include "values/handle.h"

class tqvEncodable {
 public:
  virtual ~tqvEncodable() = default;
  // Writes what follows the tag byte (the value's type code). Reports its own errors.
  virtual void encodePayload(const tqvHandle& stream) const = 0;
};

// Reads the payload after the tag byte and makes the value (nil after a report).
using tqvPayloadDecoder = tqvHandle (*)(const tqvHandle& stream);

// Registers the decoder of `tag`; a later registration replaces an earlier one. Until a
// decoder is registered, decoding the tag reports "Cannot decode this type: ".
void tqvRegisterDecoder(TQVINT tag, tqvPayloadDecoder decoder);
tqvPayloadDecoder tqvFindDecoder(TQVINT tag);
