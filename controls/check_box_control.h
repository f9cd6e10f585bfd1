// "CheckBox": a two-state box; a click or Space flips "Selected".
#pragma once

#include "controls/toggle_control.h"

class tqvCheckBoxControl : public tqvToggleControl {
 public:
  explicit tqvCheckBoxControl(const tqvHandle& definition = tqvHandle())
      : tqvToggleControl(definition, "CheckBox", Mark::Tick) {}
  tqvHandle makeInstance(const tqvHandle& definition) override {
    return tqvWrapControl(new tqvCheckBoxControl(definition));
  }
  bool mouseDown(TQVINT x, TQVINT y, TQVINT modifiers, TQVINT clicks) override;
  bool keyDown(TQVINT key, TQVINT modifiers) override;
};
