// "Menu": the items of a menu table drawn and run as a vertical menu (inside a menu
// dialog, or on a form) or, with "Orientation" "horizontal", as a menu bar; sub-menus
// open as pop-ups beside or under their item, and a choice goes to the menu dialog as
// its result or to the form as the action named by the control's "Name".
#pragma once

#include <array>
#include <string_view>
#include <vector>

#include "controls/menu_dialog.h"
#include "controls/menu_table.h"
#include "controls/standard_control.h"

// The properties of a menu's look, which pop-ups take from the menu or dialog that opens
// them.
inline constexpr std::array<std::string_view, 6> TQV_MENU_STYLE_KEYS = {"Font",
                                                                        "Bold",
                                                                        "Background Color",
                                                                        "Foreground Color",
                                                                        "Highlight Color",
                                                                        "Highlight Text Color"};

// Properties: "Menu Table" (a menu table, a reference, or the name of a table resource),
// "Orientation", "Dialog Name" (the menu dialog whose entry of the disabled-items table
// applies, and that pop-ups run in; else the table's "DlgName", else
// "tqvMenuDialogObject"), "Selection" (the highlighted item, -1 for none), "Image" (drawn
// under the items in place of the plain face), "Font", "Bold", "Background Color",
// "Foreground Color", "Highlight Color", "Highlight Text Color". The control writes
// "Selection" and "Last Choice" (the last result it delivered).
class tqvMenuControl : public tqvStandardControl, public tqvMenuOpener {
 public:
  explicit tqvMenuControl(const tqvHandle& definition = tqvHandle());
  tqvHandle makeInstance(const tqvHandle& definition) override;

  void attach() override;
  // Adds "Initialize" (reads the menu table again and draws), "SetMenu" (data: a new
  // menu table), "getSelection", "setSelection" (data: an item number, -1 for none) and
  // "Accelerator" (data: list of key code and modifiers; answers whether an item took it).
  tqvHandle perform(const tqvHandle& action, const tqvHandle& data) override;
  void draw() override;
  // Up and Down (Left and Right in a bar) move the highlight over usable items, Right
  // opens a sub-menu, Left closes one, Enter and Space choose, a letter chooses the item
  // with that accelerator. Answers false: the menu delivers its choices itself.
  bool keyDown(TQVINT key, TQVINT modifiers) override;
  // A bar item with a sub-menu opens on the press; other items are chosen where the
  // button is released. Answers false, as keyDown.
  bool mouseDown(TQVINT x, TQVINT y, TQVINT modifiers, TQVINT clicks) override;
  // Scrolls a vertical menu longer than its place.
  bool mouseWheel(TQVINT notches, TQVINT modifiers) override;
  // A bar shows its first usable item highlighted while it is the active control.
  void activate() override;
  void deactivate() override;

  bool claimsPointer(TQVINT x, TQVINT y) override;
  // The hot spot (kept within a range far beyond the screen).
  void drawBounds(TQVINT& left, TQVINT& top, TQVINT& right, TQVINT& bottom) override;

  // The pointer is at (x, y) (form coordinates): the usable item there is highlighted.
  void hover(TQVINT x, TQVINT y);
  // The size a vertical menu needs for all its items, at most the media area's.
  void naturalSize(TQVINT& width, TQVINT& height);
  // Highlights the first usable item without drawing.
  void selectFirst();
  // The menu dialog the control runs in (its choice ends that dialog); null on a form.
  void setHost(tqvMenuDialogObject* host) { host_ = host; }

  bool horizontal();
  const tqvHandle& menu();
  const std::vector<tqvMenuItem>& items();
  // The item at (x, y) (form coordinates) that is shown there, or -1.
  TQVINT itemAt(TQVINT x, TQVINT y);
  // Not a separator, not disabled by itself or by the disabled-items table.
  bool itemEnabled(TQVINT i);
  TQVINT selection();

 private:
  // Reads the menu table again when "Menu Table" changed (or always, with `force`),
  // and lays its items out.
  void refresh(bool force = false);
  // The name the disabled-items table is looked up under.
  tqvHandle dialogName();
  // Enabled and, in a bar, shown.
  bool usable(TQVINT i);
  bool hasSubMenu(TQVINT i);
  void setSelection(TQVINT i, bool drawIt);
  // The next usable item after `from` in the direction of `step`, wrapping round; -1
  // when there is none.
  TQVINT step(TQVINT from, TQVINT step);
  // The item's rectangle (form coordinates); false when it is not shown.
  bool itemBounds(TQVINT i, TQVINT& left, TQVINT& top, TQVINT& right, TQVINT& bottom);
  // The hot spot, held within a range that keeps the layout's sums from overflowing.
  void area(TQVINT& left, TQVINT& top, TQVINT& right, TQVINT& bottom);
  // Where a vertical menu's rows lie, and whether it scrolls.
  bool scrolls();
  void rowsArea(TQVINT& top, TQVINT& bottom);
  void scrollBy(TQVINT rows);
  void keepShown(TQVINT i);
  // Chooses the item: opens its sub-menu, or delivers its result.
  void choose(TQVINT i, bool keyboard);
  // The usable items whose accelerator is `key` (upper case).
  std::vector<TQVINT> acceleratorItems(TQVINT key);
  // The item with that accelerator is chosen; when several share it, the highlight
  // moves to the next of them. False when none has it.
  bool accelerate(TQVINT key);
  // Opens item i's sub-menu and follows the outcome (another bar item, a choice, ...).
  void runSubMenus(TQVINT i, bool keyboard);
  void deliver(const tqvHandle& result);
  // The table of the style keys the control has, handed to its pop-ups.
  tqvHandle style();
  TQVINT colour(std::string_view key, TQVINT fallback);
  void drawItem(class tqvPainter& painter, TQVINT i);

  bool parsed_ = false;
  tqvHandle source_;  // the "Menu Table" value the items were read from
  tqvHandle menu_;
  std::vector<tqvMenuItem> items_;
  std::vector<TQVINT> start_;   // along the menu, from the first item
  std::vector<TQVINT> extent_;  // row height, or item width in a bar
  std::vector<TQVINT> textWidth_;
  TQVINT lineHeight_ = 0;
  TQVINT ascent_ = 0;
  TQVINT iconWidth_ = 0;
  bool anySubMenu_ = false;
  TQVINT contentWidth_ = 0;
  TQVINT scroll_ = 0;     // the first row a vertical menu shows
  TQVINT openItem_ = -1;  // the item whose sub-menu is open
  bool running_ = false;  // a pop-up of this menu is open
  TQVINT formX_ = 0;      // the origin of the form the control is on (media coordinates)
  TQVINT formY_ = 0;
  tqvMenuDialogObject* host_ = nullptr;
};
