// The table of payload decoders registered by later libraries.
#include "storage/codecs.h"

#include <map>

namespace {
std::map<TQVINT, tqvPayloadDecoder>& decoders() {
  static std::map<TQVINT, tqvPayloadDecoder> all;
  return all;
}
}  // namespace

void tqvRegisterDecoder(TQVINT tag, tqvPayloadDecoder decoder) {
  decoders()[tag] = decoder;
}

tqvPayloadDecoder tqvFindDecoder(TQVINT tag) {
  auto found = decoders().find(tag);
  return found != decoders().end() ? found->second : nullptr;
}
