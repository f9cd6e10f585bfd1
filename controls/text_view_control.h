// "TextView": rich text in a scrolling column. "SetText" takes RTF (a string is wrapped
// as one paragraph group, a buffer is taken as it is) or a formatted-text layout value;
// the text is parsed once and laid out once per column width, then drawn from the layout
// as it scrolls. The column is "TextRegion" (else the hot spot) less a small margin and
// the scroll bar: at "ScrollRegion", else at the right of the column "ScrollWidth" wide;
// drawn from "ScrollImage", "ThumbImage", "UpImage" and "DownImage" (with their
// highlights while pressed) when the view has them, else plain; with
// "SometimesShowScroll" only when the text is longer than the column. The position
// ("Value", pixels from the top) runs from "Min" (0) to "Max"; "PageInc" is a page's
// step. The mouse wheel and, while the view is active, the arrows, Page Up/Down, Home and
// End scroll; Ctrl+C copies the text without formats ("StrippedRTF"). Hot spots are
// drawn in "HotSpotColor", underlined, highlighted under the mouse (with the hand cursor);
// a click on one performs on the form the action named by the view's "Name" (else
// "HyperLink") with a table holding "HyperLink" (the target), "Text" (what the hot spot
// shows) and "Control" (the view); "GetContext" then gives the target.
#pragma once

#include <memory>

#include "controls/rich_text_layout.h"
#include "controls/scroll_bar.h"
#include "controls/standard_control.h"

class tqvTextViewControl : public tqvStandardControl {
 public:
  explicit tqvTextViewControl(const tqvHandle& definition = tqvHandle())
      : tqvStandardControl(definition, "TextView") {}
  ~tqvTextViewControl() override;
  tqvHandle makeInstance(const tqvHandle& definition) override;

  // "Initialize" (shows "Text" when it holds one), "SetText", "ClearText",
  // "SetImageList", "hotspotList" (a list of (text target) pairs in text order),
  // "PrevPage", "NextPage", "CurrentPage", "TotalPages" (pages from 1), "GetContext",
  // "SetValue", "GetValue", "SetTextRun" (data: a run's index), "GotoMarker" (data: its
  // name; nil when there is none), "LineUp", "LineDown", "PageUp", "PageDown", "Home",
  // "End", "GetLayout" (the text as a layout value), "getScrollInfo" and "SetPos" (in
  // lines, for a scroller), "Print" (through the runtime's control printer; data: a table
  // of print settings), then the standard ones.
  tqvHandle perform(const tqvHandle& action, const tqvHandle& data) override;
  // Takes the definition's "Text".
  void attach() override;
  void draw() override;
  bool hitTest(TQVINT x, TQVINT y) override;
  bool keyDown(TQVINT key, TQVINT modifiers) override;
  bool mouseDown(TQVINT x, TQVINT y, TQVINT modifiers, TQVINT clicks) override;
  bool mouseWheel(TQVINT notches, TQVINT modifiers) override;
  void mouseMoves(TQVINT x, TQVINT y, TQVINT modifiers) override;
  void mouseLeaves(TQVINT x, TQVINT y, TQVINT modifiers) override;
  tqvHandle cursorAt(TQVINT x, TQVINT y) override;
  bool showsActivity() override { return true; }

  // The layout for the current column, made when the text, images or column changed;
  // null without text.
  const tqvRichTextLayout* layout();
  // The scroll position and its range.
  TQVINT position() const { return position_; }
  TQVINT largest();
  TQVINT pageStep();
  // Scrolls to `position` (clamped), draws, and has a scroller draw itself again.
  void scrollTo(TQVINT position);
  // The column the text is laid out in and drawn into (form coordinates).
  void columnArea(TQVINT& left, TQVINT& top, TQVINT& right, TQVINT& bottom);
  // The page (from 0) that the position shows.
  TQVINT currentPage();
  // A layout of the view's text (or of `text`, taken as "SetText" takes it) in the view's
  // style for another column (printed pages); null without text.
  std::unique_ptr<tqvRichTextLayout> layoutFor(TQVINT width, TQVINT pageHeight, bool images,
                                               const tqvHandle& text = tqvHandle());

 private:
  // Parses RTF bytes (or takes a layout value's runs); false when there is nothing.
  bool parseText(const tqvHandle& text, tqvHandle& runs, tqvHandle& fonts);
  // Parses the text and lays it out anew.
  void setText(const tqvHandle& text);
  void textChanged();
  void area(TQVINT& left, TQVINT& top, TQVINT& right, TQVINT& bottom);
  // Whether the bar shows, and where.
  bool barShown();
  bool barInsideText();
  tqvScrollBar bar();
  tqvScrollState scrollState();
  bool imageBar();
  void drawBar(tqvPainter& painter);
  void setHover(const tqvRichTextLayout::HotSpot* spot);
  // The hot spot under a point in form coordinates, or null.
  const tqvRichTextLayout::HotSpot* hotSpotAt(TQVINT x, TQVINT y);
  void follow(const tqvRichTextLayout::HotSpot& spot);
  void redrawScroller();
  tqvRichTextStyle style();
  TQVINT lineStep();

  tqvHandle runs_;  // the parsed text: nil without text
  tqvHandle fonts_;
  std::unique_ptr<tqvRichTextLayout> layout_;
  TQVINT laidOutWidth_ = -1;
  TQVINT laidOutPage_ = -1;
  TQVINT position_ = 0;
  TQVINT hover_ = -1;  // the hot spot under the mouse
  tqvScrollBar::Part pressed_ = tqvScrollBar::Part::Thumb;
  bool pressing_ = false;
  tqvHandle context_;  // the target of the hot spot clicked last
};
