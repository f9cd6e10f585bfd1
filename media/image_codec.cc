// Images in the binary encoding (tag 18): the kind's name, then the file bytes.
#include <string>
#include <string_view>

#include "media/image.h"
#include "media/image_factory.h"
#include "storage/codecs.h"
#include "storage/encoding.h"
#include "values/error.h"
#include "values/string.h"

namespace {

// Reads the kind and the bytes, and makes and checks the image; nil after a report.
tqvHandle decodeImage(const tqvHandle& stream) {
  tqvHandle kind = tqvDecode(stream);
  tqvHandle source = tqvDecode(stream);
  if (!kind.is(TQV_STRING_TYPE)) {
    tqvError("Cannot decode image: its kind is not a string");
    return TQV_NIL;
  }
  std::string_view name = tqvStringView(kind);
  if (name == "context") {
    tqvError("Cannot decode context images");
    return TQV_NIL;
  }
  if (name != "dib" && name != "jpg" && name != "pic") {
    tqvError("Cannot decode image of kind: " + std::string(name));
    return TQV_NIL;
  }
  if (!source.is(TQV_BUFFER_TYPE) && !source.is(TQV_STRING_TYPE)) {
    tqvError("Cannot decode image: its source is not a buffer");
    return TQV_NIL;
  }
  tqvHandle image = tqvMakeImageOfKind(name, source);
  tqvImageObject* i = tqvAsImage(image);
  return i != nullptr && i->validate() ? image : TQV_NIL;
}

}  // namespace

void tqvRegisterImageCodecs() {
  tqvRegisterDecoder(TQV_IMAGE_TYPE, decodeImage);
}
