// "Button": a push button. With "Image" it is drawn from images ("PressedImage" while
// held, else the image moved by a pixel; "DisabledImage" when disabled; "Mask" for
// both); without, it is a plain raised face with its "Text". "AddedImage" is drawn over
// it at "AddedX", "AddedY" (through "AddedMask"). Enter and Space trigger the active
// button; a triggered button plays its "Sound".
#pragma once

#include "controls/standard_control.h"

class tqvButtonControl : public tqvStandardControl {
 public:
  explicit tqvButtonControl(const tqvHandle& definition = tqvHandle())
      : tqvStandardControl(definition, "Button") {}
  tqvHandle makeInstance(const tqvHandle& definition) override;

  void draw() override { drawLook(false); }
  void drawHighlighted() override { drawLook(true); }
  bool keyDown(TQVINT key, TQVINT modifiers) override;
  bool showsActivity() override { return true; }
  bool mouseDown(TQVINT x, TQVINT y, TQVINT modifiers, TQVINT clicks) override;

 private:
  void drawLook(bool pressed);
};
