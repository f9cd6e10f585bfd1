// "Bitmap": draws its "Image" (through "Mask") with the image's top-left corner at the
// hot spot's top-left corner; "ClipImage" limits it to the hot spot's size from "SrcX",
// "SrcY"; "Save Background" keeps what lay under it to draw back before each redraw
// ("DiscardBK" forgets it); a double click inside sends "dblClicked" to the form.
#pragma once

#include "controls/standard_control.h"

class tqvBitmapControl : public tqvStandardControl {
 public:
  explicit tqvBitmapControl(const tqvHandle& definition = tqvHandle())
      : tqvStandardControl(definition, "Bitmap") {}
  tqvHandle makeInstance(const tqvHandle& definition) override;

  void draw() override;
  // "DiscardBK"; "SetImage" (an image or an image name) draws the new image.
  tqvHandle perform(const tqvHandle& action, const tqvHandle& data) override;
  bool mouseDown(TQVINT x, TQVINT y, TQVINT modifiers, TQVINT clicks) override;
  // The image's rectangle (the hot spot's size when clipped).
  void drawBounds(TQVINT& left, TQVINT& top, TQVINT& right, TQVINT& bottom) override;
  // Draws the saved background back when there is one.
  void eraseBackground() override;

  bool hasSavedBackground() const { return !saved_.isNil(); }

 private:
  tqvHandle saved_;
};
