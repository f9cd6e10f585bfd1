// "StaticText": text in a rectangle ("TextRegion", else the hot spot) with "Font",
// "Bold", "Underline", "Align" (0 or "left", 1 or "center", 2 or "right"), "VAlign" (0
// top, anything else middle), "Foreground Color" and, when given, "Background Color"
// (else the form shows through). "SetText" (any value; non-strings as printed),
// "GetText" and "ClearText" change and read "Text".
#pragma once

#include "controls/standard_control.h"

class tqvStaticTextControl : public tqvStandardControl {
 public:
  explicit tqvStaticTextControl(const tqvHandle& definition = tqvHandle())
      : tqvStandardControl(definition, "StaticText") {}
  tqvHandle makeInstance(const tqvHandle& definition) override {
    return tqvWrapControl(new tqvStaticTextControl(definition));
  }
  void draw() override;
  tqvHandle perform(const tqvHandle& action, const tqvHandle& data) override;
  void drawBounds(TQVINT& left, TQVINT& top, TQVINT& right, TQVINT& bottom) override;
  // The alignment flags its keys ask for.
  TQVINT alignment();
};
