// "PhotoView": a picture ("Image", fitted into the hot spot keeping its proportions)
// with a "Caption" line under it and, when "TotalPages" is above 1, the page ("Page" of
// "TotalPages"). "SetImage", "SetCaption" (or "SetText") and "SetPage" change it;
// "GetText" answers the caption.
#pragma once

#include "controls/standard_control.h"

class tqvPhotoViewControl : public tqvStandardControl {
 public:
  explicit tqvPhotoViewControl(const tqvHandle& definition = tqvHandle())
      : tqvStandardControl(definition, "PhotoView") {}
  tqvHandle makeInstance(const tqvHandle& definition) override {
    return tqvWrapControl(new tqvPhotoViewControl(definition));
  }
  void draw() override;
  tqvHandle perform(const tqvHandle& action, const tqvHandle& data) override;
  // Where the picture goes inside the hot spot (form coordinates).
  void pictureBounds(TQVINT& left, TQVINT& top, TQVINT& right, TQVINT& bottom);
};
