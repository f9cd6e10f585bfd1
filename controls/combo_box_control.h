// "ComboBox": the selected item of a list shown in a box with a drop button; a click or
// Alt+Down drops the list over the form (see drop_down.h). Items, "List", "Selection" and
// the list actions are those of a list box; arrows and first letters change the choice
// while closed. A choice triggers the control. With "DrawFlag" (or the "drawFlag" action)
// an item that is a row (text, picture name) shows its picture beside its text.
#pragma once

#include "controls/list_control.h"

class tqvComboBoxControl : public tqvListControl {
 public:
  explicit tqvComboBoxControl(const tqvHandle& definition = tqvHandle(),
                              std::string_view className = "ComboBox")
      : tqvListControl(definition, className) {}
  tqvHandle makeInstance(const tqvHandle& definition) override;

  // Adds "isDown" (whether the list is dropped), "closeUp", "onKey" (data: a key code,
  // handled as a key press) and "drawFlag" (data: whether pictures show).
  tqvHandle perform(const tqvHandle& action, const tqvHandle& data) override;
  void draw() override;
  bool keyDown(TQVINT key, TQVINT modifiers) override;
  bool mouseDown(TQVINT x, TQVINT y, TQVINT modifiers, TQVINT clicks) override;
  bool mouseWheel(TQVINT notches, TQVINT modifiers) override;

  // Drops the list; returns whether the choice changed.
  bool dropDown();
  bool isDown() const { return down_; }

 protected:
  // The box's text part and the drop button.
  void buttonArea(TQVINT& left, TQVINT& top, TQVINT& right, TQVINT& bottom);
  void drawButton(tqvPainter& painter);
  // The closed box's paper and ink (enabled state), and the look of the dropped list.
  virtual TQVINT boxPaper();
  virtual TQVINT boxInk();
  virtual tqvHandle dropLook() { return tqvHandle(); }
  // Draws an item's picture (when "DrawFlag" and the item has one) at the left of the
  // rectangle; returns how far the text moves right.
  TQVINT drawPicture(tqvPainter& painter, const tqvHandle& item, TQVINT left, TQVINT top,
                     TQVINT bottom);

 private:
  bool down_ = false;
};
