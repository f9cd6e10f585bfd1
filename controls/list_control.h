// "ListBox": a scrolling list of items, one row each. Items come from "List" (strings,
// integers, or rows that are lists, shown by their first element) or the "setList" and
// "addItem" actions; "Selection" holds the selected position (-1: none). The list
// scrolls with its own bar, a "Scroller" control, the mouse wheel and the keyboard
// (arrows, Page Up/Down, Home, End, the first letter of an item). Choosing an item with
// the mouse or the keyboard triggers the control (its form performs the action named by
// its "Name"); a double click or Enter performs "dblClicked" on the form. Only visible
// rows are measured and drawn, so the cost of drawing and input does not grow with the
// number of items. Subclasses change how an item's text is found (itemText) and how a
// row is drawn (drawItem).
#pragma once

#include <string_view>

#include "controls/control_painter.h"
#include "controls/scroll_bar.h"
#include "controls/standard_control.h"

class tqvListControl : public tqvStandardControl {
 public:
  explicit tqvListControl(const tqvHandle& definition = tqvHandle(),
                          std::string_view className = "ListBox");
  tqvHandle makeInstance(const tqvHandle& definition) override;

  // Every action of a list: "setList", "getList", "getSelection", "setSelection",
  // "getSelectionStr", "setSelectionStr", "addItem", "deleteItem", "GetPos", "SetPos",
  // "getScrollInfo", "IsSelected", "Select", "getText", "GetText", "SetText" (the
  // selection's text, or selects the item with that text), "ClearText" (no selection),
  // then the standard ones.
  tqvHandle perform(const tqvHandle& action, const tqvHandle& data) override;
  void draw() override;
  bool keyDown(TQVINT key, TQVINT modifiers) override;
  bool mouseDown(TQVINT x, TQVINT y, TQVINT modifiers, TQVINT clicks) override;
  bool mouseWheel(TQVINT notches, TQVINT modifiers) override;
  bool showsActivity() override { return true; }

  // The items (a list value, nil when there are none) and their number.
  tqvHandle items();
  TQVINT count();
  // The item at `index`, or nil.
  tqvHandle item(TQVINT index);
  // The text shown for an item: a string as it is, an integer in decimal, a row (a list)
  // by its first element, anything else as printed. Subclasses look names up.
  virtual tqvHandle itemText(const tqvHandle& item, TQVINT index);

  // The selected position, -1 when none.
  TQVINT selection();
  // Selects `index` (clamped; -1 or an empty list: none), scrolls it into view, draws.
  virtual void select(TQVINT index);
  // The first visible row; rows that fit in the list.
  TQVINT top() const { return top_; }
  TQVINT visibleRows();
  // Scrolls so that `row` is the first visible one (clamped), draws, and has a scroller
  // draw itself again.
  void scrollTo(TQVINT row);
  // The rows' rectangle (inside the frame, below a header, left of the bar).
  void rowsArea(TQVINT& left, TQVINT& top, TQVINT& right, TQVINT& bottom);
  // The row under a point in form coordinates (may be past the items), or -1 above them.
  TQVINT rowAt(TQVINT y);
  TQVINT rowHeight();

 protected:
  // Draws one row into `painter` within (left, top, right, bottom): the background, the
  // item's text. `selected` rows are highlighted.
  virtual void drawItem(tqvPainter& painter, TQVINT index, TQVINT left, TQVINT top, TQVINT right,
                        TQVINT bottom, bool selected);
  // The height of a row that stays above the rows (a table's header); none by default.
  virtual TQVINT headerHeight() { return 0; }
  // Whether row `index` is shown as selected (multiple-selection lists override).
  virtual bool isSelectedRow(TQVINT index) { return index == selection(); }
  // A click or key chose `index`, with the modifiers held; returns whether the selection
  // changed. Multiple-selection lists override.
  virtual bool choose(TQVINT index, TQVINT modifiers);
  // Replaces the items; the selection becomes "Selection" when it is valid, else none.
  virtual void itemsChanged();

  // The own scroll bar: whether there is one, and its rectangle.
  bool hasBar();
  tqvScrollBar bar();
  tqvScrollState scrollState();
  // The row of the next item after `from` whose text begins with `letter` (code page
  // 1252, compared in lower case), wrapping round; -1 when none.
  TQVINT rowStartingWith(unsigned char letter, TQVINT from);
  // Keeps the first visible row within the list.
  void clampTop();
  // The scroller named by "Scroller", drawn again after a scroll.
  void redrawScroller();
  // Performs `action` on the active form with this control as data.
  void tellForm(std::string_view action);

  TQVINT top_ = 0;

 private:
  tqvHandle fontUsed_;
  TQVINT rowHeight_ = 0;
};

// The list control of a value, or null.
tqvListControl* tqvAsListControl(const tqvHandle& control);
