// "RadioButton": one button of a radio group. A click or Space selects it, and it
// tells its group (the control named by its "Group") with "Notify" so that the group
// clears the others.
#pragma once

#include "controls/toggle_control.h"

class tqvRadioButtonControl : public tqvToggleControl {
 public:
  explicit tqvRadioButtonControl(const tqvHandle& definition = tqvHandle())
      : tqvToggleControl(definition, "RadioButton", Mark::Dot) {}
  tqvHandle makeInstance(const tqvHandle& definition) override {
    return tqvWrapControl(new tqvRadioButtonControl(definition));
  }
  bool mouseDown(TQVINT x, TQVINT y, TQVINT modifiers, TQVINT clicks) override;
  bool keyDown(TQVINT key, TQVINT modifiers) override;
  // Selecting through "Select" or "SetSelected" tells the group too.
  void setSelected(bool selected, bool draw) override;
  // The group control, or nil.
  tqvHandle group();

 private:
  bool notifying_ = false;
};
