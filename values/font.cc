// Font values and their print form.
#include "values/font.h"

#include "values/string.h"

void tqvFontObject::print(std::string& out, TQVINT, bool) const {
  if (!name_.is(TQV_STRING_TYPE)) {
    out += "(font ANSI_VAR_FONT)";
    return;
  }
  out += "(font \"";
  out += tqvStringView(name_);
  out += "\" " + std::to_string(size_) + " " + std::to_string(style_) + ")";
}

tqvHandle tqvMakeFont(const tqvHandle& name, TQVINT size, TQVINT style) {
  return tqvHandle::wrap(new tqvFontObject(name, size, style), TQV_FONT_TYPE);
}

tqvFontObject* tqvAsFont(const tqvHandle& h) {
  return h.is(TQV_FONT_TYPE) ? h.as<tqvFontObject>() : nullptr;
}
