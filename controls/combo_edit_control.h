// "ComboEdit": a text field with a drop button that lists items ("List"); choosing one
// puts its text into the field. "TextCombo": the same, whose list shows only the items
// that begin with what is typed, and which answers "isDuplicate" (whether the field's
// text, compared without case and accents, is already one of the items). Both answer the
// text field's actions and the list's "setList", "getList", "getSelection",
// "setSelection", "getSelectionStr", "setSelectionStr", "addItem", "isDown", "closeUp".
#pragma once

#include "controls/text_field_control.h"

class tqvComboEditControl : public tqvTextFieldControl {
 public:
  explicit tqvComboEditControl(const tqvHandle& definition = tqvHandle(),
                               std::string_view className = "ComboEdit")
      : tqvTextFieldControl(definition, className) {}
  tqvHandle makeInstance(const tqvHandle& definition) override;

  tqvHandle perform(const tqvHandle& action, const tqvHandle& data) override;
  void draw() override;
  bool keyDown(TQVINT key, TQVINT modifiers) override;
  bool mouseDown(TQVINT x, TQVINT y, TQVINT modifiers, TQVINT clicks) override;

  // Drops the list; returns whether a choice changed the text.
  bool dropDown();

 protected:
  void innerArea(TQVINT& left, TQVINT& top, TQVINT& right, TQVINT& bottom) override;
  // The items the drop-down offers (all of them; a text combo filters by the text).
  virtual tqvHandle offered();
  tqvHandle items();
  tqvHandle itemText(const tqvHandle& item);

 private:
  bool down_ = false;
};

class tqvTextComboControl : public tqvComboEditControl {
 public:
  explicit tqvTextComboControl(const tqvHandle& definition = tqvHandle())
      : tqvComboEditControl(definition, "TextCombo") {}
  tqvHandle makeInstance(const tqvHandle& definition) override;
  tqvHandle perform(const tqvHandle& action, const tqvHandle& data) override;

 protected:
  tqvHandle offered() override;
};
