// "Scroller": scroll buttons and a bar that drive another control of the form, named by
// its "Target" (a list box, a table or a text view). It asks the target "getScrollInfo"
// (position, largest position, rows per page) and moves it with "SetPos"; the target
// draws it again after scrolling by itself. Upright when taller than wide, else lying.
// The arrows repeat while held; a press on the track moves a page; the thumb drags.
#pragma once

#include "controls/scroll_bar.h"
#include "controls/standard_control.h"

class tqvScrollerControl : public tqvStandardControl {
 public:
  explicit tqvScrollerControl(const tqvHandle& definition = tqvHandle())
      : tqvStandardControl(definition, "Scroller") {}
  tqvHandle makeInstance(const tqvHandle& definition) override;

  void draw() override;
  bool mouseDown(TQVINT x, TQVINT y, TQVINT modifiers, TQVINT clicks) override;
  bool mouseWheel(TQVINT notches, TQVINT modifiers) override;
  bool mayBecomeActive() override { return false; }

 private:
  // The target control, which is told to name this scroller; nil when there is none.
  tqvHandle target();
  bool readInfo(tqvScrollState& info);
  void moveTarget(TQVINT position);
  tqvScrollBar bar();
};
