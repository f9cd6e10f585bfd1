// Menus: menu tables read as items and results, and the disabled-items table.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/menu_table.h"
#include "framework/environment.h"
#include "tests/controls/controls_fixture.h"
#include "values/cp1252.h"

namespace {

using Menus = ControlsTest;

TEST_F(Menus, ItemsTakeTheirLabelsAcceleratorsAndSeparatorsFromTheTable) {
  startSession("");
  tqvHandle menu = read(R"((table ("Items" (list "&Abrir" "A&juda" "Sal&&var"
      (table ("Text" "Sair") ("Key" "r")) (table ("Text" "Fim") ("Key" 120)) "-" "  2 colunas"
      "\xe7\xe3o" "a\x01z" "&" 5 (list 1) (table ("Index" 1))))))");
  struct Expected {
    std::string label, shown;
    TQVINT key, keyPosition;
    bool separator;
  };
  const Expected expected[] = {
      {"Abrir", "Abrir", 'A', 0, false},
      {"Ajuda", "Ajuda", 'J', 1, false},
      {"Sal&var", "Sal&var", 'S', 0, false},
      {"Sair", "Sair", 'R', 3, false},
      {"Fim", "Fim", 'X', -1, false},
      {"-", "-", 0, -1, true},
      {"  2 colunas", "  2 colunas", '2', 2, false},
      {"\xe7\xe3o", "\xe7\xe3o", 0xC7, 0, false},  // upper case in code page 1252
      {"a\x01z", "a z", 'A', 0, false},
      {"&", "&", 0, -1, false},
  };
  std::vector<tqvMenuItem> items = tqvMenuItems(menu);
  ASSERT_EQ(items.size(), std::size(expected));  // entries that are not items are left out
  for (size_t i = 0; i < items.size(); ++i) {
    SCOPED_TRACE(expected[i].label);
    EXPECT_EQ(tqvStringView(items[i].label), expected[i].label);
    EXPECT_EQ(tqvStringView(items[i].shown), expected[i].shown);
    EXPECT_EQ(items[i].key, expected[i].key);
    EXPECT_EQ(items[i].keyPosition, expected[i].keyPosition);
    EXPECT_EQ(items[i].separator, expected[i].separator);
  }
  // A huge list is cut; a menu that is no table has no items.
  tqvHandle many = tqvMakeList(10000);
  for (int i = 0; i < 10000; ++i) tqvAddItem(many, S("x"));
  tqvPut(menu, "Items", many);
  EXPECT_EQ(tqvMenuItems(menu).size(), static_cast<size_t>(TQV_MENU_MAX_ITEMS));
  EXPECT_TRUE(tqvMenuItems(S("no such menu")).empty());
}

TEST_F(Menus, AResultHoldsTheItemAndTheExtraKeysOfItsMenu) {
  startSession("");
  tqvHandle menu = read(R"((table ("BrowseList" (list 7 8)) ("DlgName" "D") ("Origin X" 1)
      ("Origin Y" 2) ("UseDefaultPosition" true) ("Items" (list (table ("Text" "&Verbetes")
      ("Index" 3) ("Form Name" "VerbHForm") ("Disabled" false) ("Key" "b") ("Image" "i.bmp")
      ("BrowseList" 9)))) ("CascadeTable" (table))))");
  tqvHandle result = tqvMenuResult(menu, tqvMenuItems(menu).front());
  EXPECT_EQ(tqvCount(result), 4);
  EXPECT_EQ(tqvStringView(tqvGet(result, "Text")), "Verbetes");
  EXPECT_EQ(tqvGet(result, "Index").intValue(), 3);
  EXPECT_EQ(tqvStringView(tqvGet(result, "Form Name")), "VerbHForm");
  EXPECT_EQ(tqvGet(result, "BrowseList").intValue(), 9);  // the item's own key wins
  tqvRemoveKey(tqvGet(tqvGet(menu, "Items"), 0), S("BrowseList"));
  result = tqvMenuResult(menu, tqvMenuItems(menu).front());
  EXPECT_EQ(tqvGet(result, "BrowseList").object(), tqvGet(menu, "BrowseList").object());
}

TEST_F(Menus, TheDisabledItemsTableIsKeptPerMenuDialogName) {
  startSession("");
  tqvHandle label = tqvFromUtf8("Lista de Marcados");
  tqvSetGlobal("DisabledMenuItemsTable", tqvMakeInt(5));  // a stray value is replaced
  tqvDisableMenuItem(S("PopUpMenu"), label);
  EXPECT_TRUE(tqvIsMenuItemDisabled(S("PopUpMenu"), label));
  EXPECT_FALSE(tqvIsMenuItemDisabled(S("PopUpMenu1"), label));
  EXPECT_TRUE(tqvTruth(tqvGet(tqvGet(tqvGetGlobal("DisabledMenuItemsTable"), "PopUpMenu"), label)));
  tqvEnableMenuItem(S("PopUpMenu"), label);
  EXPECT_FALSE(tqvIsMenuItemDisabled(S("PopUpMenu"), label));
  tqvDisableMenuItem(tqvMakeInt(1), label);
  EXPECT_FALSE(tqvIsMenuItemDisabled(tqvMakeInt(1), label));
  EXPECT_TRUE(errors().empty());
}

}  // namespace
