// The check box.
#include "controls/check_box_control.h"

bool tqvCheckBoxControl::mouseDown(TQVINT x, TQVINT y, TQVINT modifiers, TQVINT clicks) {
  bool triggered = tqvToggleControl::mouseDown(x, y, modifiers, clicks);
  if (triggered) setSelected(!selected(), true);
  return triggered;
}

bool tqvCheckBoxControl::keyDown(TQVINT key, TQVINT modifiers) {
  if (key != ' ') return false;
  setSelected(!selected(), true);
  return true;
}
