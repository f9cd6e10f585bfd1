// "MultiListBox": a list box in which several items can be selected. A click selects one
// item; Ctrl+click and Space add or remove an item; Shift+click, Shift with the arrow
// keys and a drag select the range from the last item chosen. "Selection" is the current item.
#pragma once

#include <vector>

#include "controls/list_control.h"

class tqvMultiListControl : public tqvListControl {
 public:
  explicit tqvMultiListControl(const tqvHandle& definition = tqvHandle())
      : tqvListControl(definition, "MultiListBox") {}
  tqvHandle makeInstance(const tqvHandle& definition) override;

  // Adds "getSelections" (the selected positions in order), "setSelections" (a list of
  // positions), "clearAllSelections", "selectAll", "wereMultipleSelectionsMade" (more
  // than one selected), "moveTo" (makes a position the current item without changing the
  // selection), "IsSelected"; "setSelection" selects that item alone.
  tqvHandle perform(const tqvHandle& action, const tqvHandle& data) override;
  bool keyDown(TQVINT key, TQVINT modifiers) override;

  TQVINT selectedCount() const;

 protected:
  bool isSelectedRow(TQVINT index) override;
  bool choose(TQVINT index, TQVINT modifiers) override;
  void itemsChanged() override;

 private:
  // Makes the marks as long as the list (new items unselected).
  void fit();
  std::vector<char> marks_;
  TQVINT anchor_ = -1;
};
