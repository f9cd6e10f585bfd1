// Formatted-text layout values and their encoding.
#include "controls/text_layout_value.h"

#include <string>

#include "storage/encoding.h"
#include "storage/primitives.h"
#include "values/error.h"
#include "values/types.h"

void tqvTextLayoutObject::print(std::string& out, TQVINT, bool) const {
  out += "(text layout " + std::to_string(width_) + "x" + std::to_string(height_) + ")";
}

bool tqvTextLayoutObject::opGeometry(tqvGeometry which, TQVINT& result) {
  if (which != tqvGeometry::Width && which != tqvGeometry::Height) return false;
  result = which == tqvGeometry::Width ? width_ : height_;
  return true;
}

void tqvTextLayoutObject::encodePayload(const tqvHandle& stream) const {
  if (!tqvWriteInt(stream, width_) || !tqvWriteInt(stream, height_)) return;
  tqvEncode(stream, runs_);
  tqvEncode(stream, fonts_);
}

tqvHandle tqvMakeTextLayout(TQVINT width, TQVINT height, const tqvHandle& runs,
                            const tqvHandle& fonts) {
  return tqvHandle::wrap(new tqvTextLayoutObject(width, height, runs, fonts), TQV_LAYOUT_TYPE);
}

tqvTextLayoutObject* tqvAsTextLayout(const tqvHandle& h) {
  return h.is(TQV_LAYOUT_TYPE) ? dynamic_cast<tqvTextLayoutObject*>(h.object()) : nullptr;
}

namespace {

tqvHandle decodeTextLayout(const tqvHandle& stream) {
  TQVINT width = tqvReadInt(stream);
  TQVINT height = tqvReadInt(stream);
  tqvHandle runs = tqvDecode(stream);
  tqvHandle fonts = tqvDecode(stream);
  if (!runs.is(TQV_LIST_TYPE) || !fonts.is(TQV_LIST_TYPE)) {
    tqvError("Cannot decode text layout: its runs or fonts are not lists");
    return tqvHandle();
  }
  return tqvMakeTextLayout(width, height, runs, fonts);
}

}  // namespace

void tqvRegisterTextLayoutCodec() {
  tqvRegisterDecoder(TQV_LAYOUT_TYPE, decodeTextLayout);
}
