// "Group": shows, hides, enables and disables its members together ("Visible" and
// "Enabled" with a boolean; "Hidden" and "Disabled" on the group reach the members
// too). Its members are its "Members" (controls or their names). With "Frame" true it
// draws an outline round its hot spot with its "Text" as a title; it is never hit.
#pragma once

#include "controls/standard_control.h"

class tqvGroupControl : public tqvStandardControl {
 public:
  explicit tqvGroupControl(const tqvHandle& definition = tqvHandle())
      : tqvStandardControl(definition, "Group") {}
  tqvHandle makeInstance(const tqvHandle& definition) override {
    return tqvWrapControl(new tqvGroupControl(definition));
  }
  void draw() override;
  bool hitTest(TQVINT x, TQVINT y) override { return false; }
  tqvHandle perform(const tqvHandle& action, const tqvHandle& data) override;

 private:
  // Sends the action to every member; a group reached again while it is busy (a member
  // list that leads back to it) is skipped.
  void toMembers(const char* action, bool flag);
  bool busy_ = false;
};
