// tqvToText and the printer's shared indentation.
#include "values/text.h"

#include <cstdio>

#include "values/string.h"

namespace {
std::string indentation;
// Values nested deeper than this (a table that holds itself) print as "<...>".
constexpr int kPrintDepthLimit = 1000;
int printDepth = 0;
}  // namespace

const std::string& tqvIndentation() {
  return indentation;
}

tqvIndentScope::tqvIndentScope(size_t spaces) : saved_(indentation.size()) {
  indentation.append(spaces, ' ');
}

tqvIndentScope::~tqvIndentScope() {
  indentation.resize(saved_);
}

void tqvAppendText(std::string& out, const tqvHandle& h, bool notation) {
  char number[64];
  switch (h.type()) {
    case TQV_NIL_TYPE:
      out += "TQV_NIL";
      return;
    case TQV_UNIQUE_TYPE:
      std::snprintf(number, sizeof number, "#<unique %ld>", static_cast<long>(h.word()));
      out += number;
      return;
    case TQV_BOOLEAN_TYPE:
      out += h.word() != 0 ? "true" : "false";
      return;
    case TQV_INT_TYPE:
      std::snprintf(number, sizeof number, "%ld", static_cast<long>(h.intValue()));
      out += number;
      return;
    case TQV_FLOAT_TYPE:
      std::snprintf(number, sizeof number, "%g", static_cast<double>(h.floatValue()));
      out += number;
      return;
    default:
      if (printDepth >= kPrintDepthLimit) {
        out += "<...>";
      } else if (h.object() != nullptr) {
        ++printDepth;
        h.object()->print(out, h.type(), notation);
        --printDepth;
      } else {
        tqvObject::printTypeName(out, h.type(), notation);
      }
  }
}

std::string tqvToStdString(const tqvHandle& h, bool notation) {
  std::string out;
  tqvAppendText(out, h, notation);
  return out;
}

tqvHandle tqvToText(const tqvHandle& h, bool notation) {
  if (h.is(TQV_STRING_TYPE) && !notation) return h;
  return tqvMakeString(tqvToStdString(h, notation));
}
