// The list that a combo box drops over its form: shown under the combo (above it when
// there is no room below), it follows the mouse and the arrow keys, chooses on a click
// or Enter, closes on Esc or a click outside, and puts back what it covered.
#pragma once

#include <functional>

#include "controls/list_control.h"

struct tqvDropDownRequest {
  tqvHandle items;           // the list of items
  TQVINT selected = -1;      // the row shown selected when it opens
  TQVINT rows = 8;           // at most this many rows are shown
  TQVINT left = 0, top = 0;  // the combo's rectangle, form coordinates
  TQVINT right = 0, bottom = 0;
  tqvHandle font;
  // Properties given to the dropped list (its colours: "Foreground Color", "Selection
  // Color", "Selected Text Color", "Background Color"); nil for the defaults.
  tqvHandle look;
  // The text of an item (the combo's own way of finding it).
  std::function<tqvHandle(const tqvHandle& item, TQVINT index)> textOf;
};

// Runs the drop-down until it closes; the chosen row, or -1 when none was chosen.
TQVINT tqvRunDropDown(const tqvDropDownRequest& request);
