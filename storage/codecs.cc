// The table of payload decoders and notation factories registered by later libraries.
#include "storage/codecs.h"

#include <map>
#include <string>

namespace {

struct Codecs {
  std::map<TQVINT, tqvPayloadDecoder> decoders;
  std::map<std::string, tqvNotationFactory, std::less<>> factories;
};

Codecs& codecs() {
  static Codecs all;
  return all;
}

}  // namespace

void tqvRegisterDecoder(TQVINT tag, tqvPayloadDecoder decoder) {
  codecs().decoders[tag] = decoder;
}

tqvPayloadDecoder tqvFindDecoder(TQVINT tag) {
  auto found = codecs().decoders.find(tag);
  return found != codecs().decoders.end() ? found->second : nullptr;
}

void tqvRegisterNotationFactory(std::string_view keyword, tqvNotationFactory factory) {
  codecs().factories[std::string(keyword)] = factory;
}

tqvNotationFactory tqvFindNotationFactory(std::string_view keyword) {
  auto found = codecs().factories.find(keyword);
  return found != codecs().factories.end() ? found->second : nullptr;
}

void tqvForgetCodecs() {
  codecs().decoders.clear();
  codecs().factories.clear();
}
