// "RadioGroup": keeps one of its radio buttons selected. Its members are its "Members",
// else the form's controls whose "Group" is its "Name". "Notify" (data: the member that
// was selected) and "SetSelected" (data: a member, its name or its position) select one
// and clear the others; "getSelection" answers the position, "getSelectionStr" the name.
// The selected member's name is kept under "Selection". It draws nothing.
#pragma once

#include "controls/standard_control.h"

class tqvRadioGroupControl : public tqvStandardControl {
 public:
  explicit tqvRadioGroupControl(const tqvHandle& definition = tqvHandle())
      : tqvStandardControl(definition, "RadioGroup") {}
  tqvHandle makeInstance(const tqvHandle& definition) override {
    return tqvWrapControl(new tqvRadioGroupControl(definition));
  }
  void draw() override {}
  tqvHandle perform(const tqvHandle& action, const tqvHandle& data) override;

  tqvHandle members();

 private:
  void select(const tqvHandle& chosen);
};
