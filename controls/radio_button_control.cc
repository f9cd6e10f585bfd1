// The radio button.
#include "controls/radio_button_control.h"

#include "controls/control_members.h"
#include "framework/forms.h"
#include "values/generic.h"

tqvHandle tqvRadioButtonControl::group() {
  tqvHandle group = property("Group");
  if (group.is(TQV_STRING_TYPE)) group = tqvFindFormControl(group);
  return group.is(TQV_CONTROL_TYPE) && group.object() != this ? group : tqvHandle();
}

void tqvRadioButtonControl::setSelected(bool selected, bool draw) {
  tqvToggleControl::setSelected(selected, draw);
  if (!selected || notifying_) return;
  // The group clears the others and may select this one again: tell it once.
  notifying_ = true;
  tqvHandle g = group();
  if (!g.isNil()) tqvPerform(g, "Notify", handle());
  notifying_ = false;
}

bool tqvRadioButtonControl::mouseDown(TQVINT x, TQVINT y, TQVINT modifiers, TQVINT clicks) {
  bool triggered = tqvToggleControl::mouseDown(x, y, modifiers, clicks);
  if (triggered && !selected()) setSelected(true, true);
  return triggered;
}

bool tqvRadioButtonControl::keyDown(TQVINT key, TQVINT modifiers) {
  if (key != ' ') return false;
  if (!selected()) setSelected(true, true);
  return true;
}
