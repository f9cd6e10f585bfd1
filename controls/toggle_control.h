// What check boxes and radio buttons share: a "Selected" state drawn as a mark beside
// the "Text" (a square with a tick, or a round button with a dot), or from images
// ("Image", and "SelectedImage" when selected); the "Select", "SetSelected",
// "SelectDontDraw" and "IsSelected" actions.
#pragma once

#include <string_view>

#include "controls/standard_control.h"

class tqvToggleControl : public tqvStandardControl {
 public:
  enum class Mark { Tick, Dot };
  tqvToggleControl(const tqvHandle& definition, std::string_view className, Mark mark)
      : tqvStandardControl(definition, className), mark_(mark) {}

  void draw() override { drawLook(false); }
  void drawHighlighted() override { drawLook(true); }
  // "Select" and "SetSelected" (data: the new state) change and draw; "SelectDontDraw"
  // only changes; "IsSelected" answers the state.
  tqvHandle perform(const tqvHandle& action, const tqvHandle& data) override;
  bool showsActivity() override { return true; }

  bool selected() { return flag("Selected"); }
  // Changes the state, drawing the control when `draw` is set and it is visible.
  virtual void setSelected(bool selected, bool draw);

 private:
  void drawLook(bool pressed);
  Mark mark_;
};
