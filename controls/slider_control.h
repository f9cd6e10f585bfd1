// "Slider": a value between "Min" (0) and "Max" (100) shown as a thumb on a groove,
// lying when wider than tall, else upright (its top the largest value). "Value" holds it;
// "Step" (1) and "Page" (a tenth of the range) are the moves of the arrow and page keys;
// Home and End go to the ends; the wheel moves a step a notch. A press on the groove
// takes the thumb there, and the thumb follows the mouse while the button is held. A
// change by the user triggers the control when it ends. "Image" and "ThumbImage" draw
// it from pictures.
#pragma once

#include "controls/standard_control.h"

class tqvSliderControl : public tqvStandardControl {
 public:
  explicit tqvSliderControl(const tqvHandle& definition = tqvHandle())
      : tqvStandardControl(definition, "Slider") {}
  tqvHandle makeInstance(const tqvHandle& definition) override;

  // "GetPos", "GetValue" give the value; "SetPos", "SetValue" set it (clamped) and draw.
  tqvHandle perform(const tqvHandle& action, const tqvHandle& data) override;
  void draw() override;
  bool keyDown(TQVINT key, TQVINT modifiers) override;
  bool mouseDown(TQVINT x, TQVINT y, TQVINT modifiers, TQVINT clicks) override;
  bool mouseWheel(TQVINT notches, TQVINT modifiers) override;
  bool showsActivity() override { return true; }

  TQVINT minimum();
  TQVINT maximum();
  TQVINT value();
  // Sets the value (clamped) and draws; returns whether it changed.
  bool setValue(TQVINT value);

 private:
  bool lying();
  // The value under a point along the groove (form coordinates).
  TQVINT valueAt(TQVINT x, TQVINT y);
};
