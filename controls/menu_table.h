// Menu tables as data: their items, accelerators, sub-menus, the result of a choice,
// and the program-wide table of disabled menu items.
#pragma once

#include <vector>

#include "values/handle.h"

// The most items a menu shows; items past it are left out.
constexpr TQVINT TQV_MENU_MAX_ITEMS = 4096;
// Labels longer than this are drawn and measured cut (the result keeps the whole label).
constexpr TQVINT TQV_MENU_MAX_LABEL = 256;

// One entry of a menu table's "Items".
struct tqvMenuItem {
  tqvHandle source;  // the entry as written: a string or a table
  tqvHandle label;   // the label without its "&" marker, code page 1252
  tqvHandle shown;   // the label as drawn: cut, control bytes turned into blanks
  bool separator = false;
  bool disabled = false;    // its own "Disabled"
  TQVINT key = 0;           // the accelerator, upper case; 0 for none
  TQVINT keyPosition = -1;  // where the accelerator stands in `shown`, or -1
  tqvHandle image;          // its "Image" as an image, or nil
};

// The menu table a value stands for: a table, a reference to one, or the name of a table
// resource. Nil otherwise.
tqvHandle tqvMenuTableOf(const tqvHandle& value);

// The items of a menu table, at most TQV_MENU_MAX_ITEMS. An entry is a string (its
// label) or a table with a string "Text"; anything else is left out. A label "-" is a
// separator. An "&" marks the next character as the accelerator ("&&" is a plain "&");
// the item's "Key" (a string's first character or a character code) overrides it;
// without either the first letter or digit of the label is the accelerator.
std::vector<tqvMenuItem> tqvMenuItems(const tqvHandle& menu);

// Whether the menu's "CascadeTable" holds a sub-menu for the label (without loading it).
bool tqvHasSubMenu(const tqvHandle& menu, const tqvHandle& label);
// The sub-menu of the label: the "CascadeTable" entry as a menu table, or nil.
tqvHandle tqvSubMenu(const tqvHandle& menu, const tqvHandle& label);

// The result of choosing `item` from `menu`: a new table holding the keys of the menu
// table other than its own ("Items", "CascadeTable", "DlgName", "Origin X", "Origin Y",
// "UseDefaultPosition"), then the item's keys other than "Text", "Disabled", "Key" and
// "Image" (so "Index" and "Form Name" when it has them), then "Text": the label. The
// values are shared with the menu table, not copied.
tqvHandle tqvMenuResult(const tqvHandle& menu, const tqvMenuItem& item);

// The globals' "DisabledMenuItemsTable": for each menu dialog name, a table of the
// labels disabled in the menus that dialog runs. Marks the label disabled (or enabled
// again) there; names and labels that are not strings change nothing.
void tqvSetMenuItemDisabled(const tqvHandle& dialogName, const tqvHandle& label, bool disabled);
inline void tqvDisableMenuItem(const tqvHandle& dialogName, const tqvHandle& label) {
  tqvSetMenuItemDisabled(dialogName, label, true);
}
inline void tqvEnableMenuItem(const tqvHandle& dialogName, const tqvHandle& label) {
  tqvSetMenuItemDisabled(dialogName, label, false);
}
// Whether the table marks the label disabled for that dialog name.
bool tqvIsMenuItemDisabled(const tqvHandle& dialogName, const tqvHandle& label);
