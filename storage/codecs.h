// How value types of later libraries (text layouts, images, sounds, controls, forms,
// references) take part in the binary encoding and the text notation: they write their
// own payload, a decoder registered for their tag reads it back, and a factory
// registered for their keyword makes them from the notation. One table holds both.
#pragma once

#include <string_view>

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

// Makers of the objects that the notation reader does not build itself: "form" and
// "control" receive the property table, "reference", "image", "sound" and "soundfile" the
// name. Until one is registered, reading its form reports "Cannot decode this type: ".
using tqvNotationFactory = tqvHandle (*)(const tqvHandle& argument);
void tqvRegisterNotationFactory(std::string_view keyword, tqvNotationFactory factory);
tqvNotationFactory tqvFindNotationFactory(std::string_view keyword);

// Forgets every registered decoder and factory (at the end of a program).
void tqvForgetCodecs();
