// Menus: menu tables read as items and results, the disabled-items table, pop-up menus
// run by keys and mouse (sub-menus, accelerators, placement, bad tables, the screen they
// cover), menu bars and menus on forms.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "controls/menu_control.h"
#include "controls/menu_dialog.h"
#include "controls/menu_table.h"
#include "framework/environment.h"
#include "tests/controls/controls_fixture.h"
#include "values/cp1252.h"

namespace {

using Menus = ControlsTest;

// A menu dialog class as an application derives one; it notes where each opened.
class PopUpMenu : public tqvMenuDialogObject {
 public:
  using tqvMenuDialogObject::tqvMenuDialogObject;
  std::string_view className() const override { return "PopUpMenu"; }
  tqvHandle makeInstance(const tqvHandle& definition) override {
    return tqvWrapForm(new PopUpMenu(definition));
  }
  void open(const tqvHandle& data) override {
    tqvMenuDialogObject::open(data);
    opened().push_back({originX(), originY(), width(), height()});
  }
  static std::vector<std::array<TQVINT, 4>>& opened() {
    static std::vector<std::array<TQVINT, 4>> all;
    return all;
  }
};

// A form that notes each action, with the "Text" of its data when that is a table.
class ChoiceForm : public tqvStandardForm {
 public:
  using tqvStandardForm::tqvStandardForm;
  std::string_view className() const override { return "ChoiceForm"; }
  tqvHandle makeInstance(const tqvHandle& definition) override {
    return tqvWrapForm(new ChoiceForm(definition));
  }
  tqvHandle perform(const tqvHandle& action, const tqvHandle& data) override {
    std::string line(tqvStringView(action));
    if (data.is(TQV_TABLE_TYPE)) line += " " + std::string(tqvStringView(tqvGet(data, "Text")));
    log().push_back(line);
    return tqvStandardForm::perform(action, data);
  }
  static std::vector<std::string>& log() {
    static std::vector<std::string> lines;
    return lines;
  }
};

// The "Text" of a result, "-" for nil.
std::string textOf(const tqvHandle& result) {
  return result.is(TQV_TABLE_TYPE) ? std::string(tqvStringView(tqvGet(result, "Text"))) : "-";
}

// The highlight's pixel colour, 0xRRGGBB.
constexpr uint32_t kHighlight = 0x2060B0;

constexpr const char* kMenu = R"((table ("BrowseList" (list 7 8))
    ("Items" (list (table ("Text" "&Verbetes") ("Index" 3) ("Form Name" "VerbHForm"))
                   "-" (table ("Text" "Atlas") ("Disabled" true)) "Lista de Marcados" "&Mais"
                   "&Sair"))
    ("CascadeTable" (table ("Mais" (table ("Items" (list "Um" "Dois")) ("Nivel" 2)))))))";

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

TEST_F(Menus, KeysMoveChooseAndCloseInAPopUp) {
  struct Case {
    const char* keys;
    const char* chosen;
  };
  const Case cases[] = {
      {"key Down\nkey Enter\n", "Verbetes"},
      {"key Down\nkey Down\nkey Enter\n", "Lista de Marcados"},  // past the separator
      {"key Up\nkey Enter\n", "Sair"},
      {"key Down\nkey Up\nkey Enter\n", "Sair"},
      {"key End\nkey Up\nkey Home\nkey Space\n", "Verbetes"},
      {"key s\n", "Sair"},
      {"key Alt+V\n", "Verbetes"},
      {"key a\nkey Esc\n", "-"},  // the disabled item's letter
      {"key Down\nkey Down\nkey Down\nkey Right\nkey Down\nkey Down\nkey Enter\n", "Um"},
      {"key m\nkey Left\nkey Esc\n", "-"},
      {"key m\nkey Esc\nkey Up\nkey Enter\n", "Lista de Marcados"},  // Esc closed one level
  };
  std::string script;
  for (const Case& c : cases) script += c.keys;
  startSession(script);
  show("(form)");
  tqvHandle menu = read(kMenu);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keys);
    tqvHandle result = tqvRunMenuAt(menu, tqvHandle(), 100, 100);
    EXPECT_EQ(textOf(result), c.chosen);
    if (textOf(result) == "Verbetes") {
      EXPECT_EQ(tqvGet(result, "Index").intValue(), 3);
      EXPECT_EQ(tqvStringView(tqvGet(result, "Form Name")), "VerbHForm");
      EXPECT_TRUE(tqvGet(result, "BrowseList").is(TQV_LIST_TYPE));
    }
    if (textOf(result) == "Um") {
      EXPECT_EQ(tqvGet(result, "Nivel").intValue(), 2);  // the keys of the sub-menu only
      EXPECT_FALSE(tqvContainsKey(result, "BrowseList"));
    }
  }
  EXPECT_EQ(tqvActiveFormName(), "tqvFormObject");
  EXPECT_TRUE(errors().empty());
}

TEST_F(Menus, TheMouseHighlightsAndChoosesAndAClickOutsideCloses) {
  tqvHandle menu = read(R"((table ("Items" (list "Um" "Dois" (table ("Text" "Tres")
      ("Disabled" true)) "Quatro")) ("CascadeTable" (table ("Quatro" (table ("Items"
      (list "A" "B"))))))))");
  // Rows of even height: where each lies when the menu opens at (100, 100).
  tqvHandle probe = tqvWrapControl(new tqvMenuControl(tqvTable(4)));
  tqvPut(probe, "Menu Table", menu);
  TQVINT width, height;
  static_cast<tqvMenuControl*>(tqvAsControl(probe))->naturalSize(width, height);
  TQVINT row = (height - 4) / 4;
  auto y = [&](int i) { return std::to_string(100 + 2 + row * i + row / 2); };
  std::string sub = std::to_string(100 + width + 20);
  struct Case {
    std::string input;
    const char* chosen;
  };
  const Case cases[] = {
      {"click 120 " + y(1) + "\n", "Dois"},
      {"click 120 " + y(2) + "\nkey Esc\n", "-"},  // disabled
      {"click 5 5\n", "-"},
      {"move 120 " + y(1) + "\nkey Enter\n", "Dois"},
      {"click 120 " + y(3) + "\nclick " + sub + " " + y(3) + "\n", "A"},
      {"click 120 " + y(3) + "\nclick 120 " + y(0) + "\n", "Um"},  // through the sub-menu
      {"click 120 " + y(3) + "\nmove 120 " + y(0) + "\nkey Enter\n", "Um"},
  };
  std::string script;
  for (const Case& c : cases) script += c.input;
  startSession(script);
  show("(form)");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input);
    EXPECT_EQ(textOf(tqvRunMenuAt(menu, tqvHandle(), 100, 100)), c.chosen);
  }
}

TEST_F(Menus, ADialogOfTheApplicationRunsItsMenusWithItsDisabledItems) {
  PopUpMenu::opened().clear();
  tqvHandle dialog = tqvWrapForm(new PopUpMenu());
  tqvAsFormObject(dialog)->setName(S("PopUpMenu"));
  app_->setGlobal("PopUpMenu", dialog);
  tqvHandle marked = tqvFromUtf8("Lista de Marcados");
  tqvDisableMenuItem(S("PopUpMenu"), marked);
  startSession("key Down\nkey Down\nkey Enter\nkey l\nkey Esc\nkey l\nkey c\nkey Enter\n");
  show("(form)");
  tqvHandle menu = read(R"((table ("Items" (list "Roteiros" "Lista de Marcados" "Marcar"
      "&Cascata")) ("CascadeTable" (table ("Cascata" (table ("Items" (list "Fundo"))))))))");
  EXPECT_EQ(textOf(tqvRunMenu(menu, S("PopUpMenu"))), "Marcar");
  EXPECT_EQ(textOf(tqvRunMenu(menu, S("PopUpMenu"))), "-");
  tqvEnableMenuItem(S("PopUpMenu"), marked);
  EXPECT_EQ(textOf(tqvRunMenu(menu, S("PopUpMenu"))), "Lista de Marcados");
  // The table's "DlgName" names the dialog; a sub-menu runs in a new one of its class.
  tqvPut(menu, "DlgName", S("PopUpMenu"));
  EXPECT_EQ(textOf(tqvRunMenu(menu)), "Fundo");
  EXPECT_EQ(PopUpMenu::opened().size(), 5u);
  EXPECT_EQ(takeError(), "<no error>");
  EXPECT_TRUE(tqvRunMenu(menu, S("Nenhum")).isNil());
  EXPECT_EQ(takeError(), "Cannot find menu dialog named 'Nenhum'");
}

// A picture where every pixel differs from its neighbours.
uint32_t pattern(int x, int y) {
  return static_cast<uint32_t>((x * 7 + y * 13) & 0xFF) << 16 | (x & 0xFF) << 8 | (y & 0xFF);
}

TEST_F(Menus, PopUpsOpenWhereAskedInsideTheMediaAreaAndGiveBackWhatTheyCovered) {
  PopUpMenu::opened().clear();
  discFile("back.bmp", bitmap(640, 480, pattern));
  tqvHandle dialog = tqvWrapForm(new PopUpMenu());
  tqvAsFormObject(dialog)->setName(S("PopUpMenu"));
  app_->setGlobal("PopUpMenu", dialog);
  startSession("key m\nkey Esc\nkey Esc\nmove 200 210\nkey Esc\nkey Esc\n");
  show(R"((form ("Background Image" "back.bmp")))");
  std::vector<uint32_t> before;
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 640; ++x) before.push_back(pixel(x, y));
  }
  tqvHandle menu = read(kMenu);
  tqvRunMenuAt(menu, S("PopUpMenu"), 630, 470);
  tqvPut(menu, "Origin X", tqvMakeInt(50));
  tqvPut(menu, "Origin Y", tqvMakeInt(60));
  tqvRunMenu(menu, S("PopUpMenu"));
  tqvPut(menu, "UseDefaultPosition", TQV_TRUE);
  tqvRunMenu(menu, S("PopUpMenu"));
  auto& opened = PopUpMenu::opened();
  ASSERT_EQ(opened.size(), 4u);
  for (const auto& [x, y, w, h] : opened) {
    EXPECT_GE(x, 0);
    EXPECT_GE(y, 0);
    EXPECT_LE(x + w, 640);
    EXPECT_LE(y + h, 480);
  }
  EXPECT_EQ(opened[0][0] + opened[0][2], 640);  // moved in from the corner
  EXPECT_EQ(opened[0][1] + opened[0][3], 480);
  EXPECT_LE(opened[1][0] + opened[1][2], opened[0][0] + 2);  // the sub-menu on the left
  EXPECT_EQ(opened[2][0], 50);
  EXPECT_EQ(opened[2][1], 60);
  EXPECT_EQ(opened[3][0], 200);  // at the mouse
  EXPECT_EQ(opened[3][1], 210);
  std::vector<uint32_t> after;
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 640; ++x) after.push_back(pixel(x, y));
  }
  EXPECT_TRUE(after == before);
}

TEST_F(Menus, BadMenusOpenWithinTheMediaAreaAndCloseWithoutHarm) {
  PopUpMenu::opened().clear();
  tqvHandle dialog = tqvWrapForm(new PopUpMenu(read(R"((table ("Font" 7) ("Bold" "x")
      ("Background Color" "red") ("Highlight Color" (list 1))))")));
  tqvAsFormObject(dialog)->setName(S("PopUpMenu"));
  app_->setGlobal("PopUpMenu", dialog);
  tqvHandle looping = read(R"((table ("Items" (list "&Loop")) ("CascadeTable" (table))))");
  tqvPut(tqvGet(looping, "CascadeTable"), "Loop", looping);
  tqvHandle many = tqvMakeList(10000);
  for (int i = 0; i < 10000; ++i) tqvAddItem(many, S("Item " + std::to_string(i)));
  tqvHandle huge = tqvTable(4);
  tqvPut(huge, "Items", many);
  tqvHandle wide = read("(table)");
  tqvHandle items = tqvMakeList();
  tqvAddItem(items, tqvMakeString(std::string(100000, 'x') + "\x01\x7f"));
  tqvPut(wide, "Items", items);
  struct Case {
    tqvHandle menu;
    std::string keys;
    std::string chosen;
  };
  std::vector<Case> cases = {
      {read(R"((table ("Items" 5) ("CascadeTable" "x") ("Origin X" "abc")))"),
       "key Enter\nkey Esc\n", "-"},
      {read(R"((table ("Items" (list))))"), "key Down\nkey Enter\nkey Esc\n", "-"},
      {S("nada.tbl"), "key Esc\n", "-"},
      {huge, "key End\nkey Enter\n", "Item 4095"},
      {wide, "key Down\nkey Enter\n", std::string(100000, 'x') + "\x01\x7f"},
      // The menu that holds itself opens one level deeper at each Right, to the limit.
      {looping, "key Down\n", "-"},
  };
  for (int i = 0; i < 20; ++i) cases.back().keys += "key Right\n";
  for (int i = 0; i < 20; ++i) cases.back().keys += "key Esc\n";
  std::string script;
  for (const Case& c : cases) script += c.keys;
  startSession(script);
  show("(form)");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keys.substr(0, 30));
    size_t before = PopUpMenu::opened().size();
    EXPECT_TRUE(textOf(tqvRunMenu(c.menu, S("PopUpMenu"))) == c.chosen);
    ASSERT_GT(PopUpMenu::opened().size(), before);
    for (size_t i = before; i < PopUpMenu::opened().size(); ++i) {
      const auto& [x, y, w, h] = PopUpMenu::opened()[i];
      EXPECT_TRUE(x >= 0 && y >= 0 && x + w <= 640 && y + h <= 480);
    }
  }
  EXPECT_EQ(PopUpMenu::opened().size(), 5u + TQV_MENU_MAX_DEPTH);
  EXPECT_TRUE(errors().empty());
  tqvRemoveKey(tqvGet(looping, "CascadeTable"), S("Loop"));  // the cycle would leak
}

constexpr const char* kBarForm = R"((form ("Class" "ChoiceForm") ("Control List" (list
    (control ("Class" "Menu") ("Name" "Barra") ("Orientation" "horizontal")
      ("Hot Spot" (rect 0 0 640 24))
      ("Menu Table" (table ("Items" (list "&Arquivo" "&Editar" "A&juda"
                                          (table ("Text" "&Desligado") ("Disabled" true))))
        ("CascadeTable" (table ("Arquivo" (table ("Items" (list "Novo" "Abrir"))))
                               ("Editar" (table ("Items" (list "Copiar"
                                  (table ("Text" "Colar") ("Disabled" true))))))
                               ("Desligado" (table ("Items" (list "Nada")))))))))
    (control ("Class" "Button") ("Name" "Outro") ("Hot Spot" (rect 300 300 80 30)))))))";

class MenuBars : public ControlsTest {
 public:
  void SetUp() override {
    ControlsTest::SetUp();
    tqvRegisterClass(tqvHandle::wrap(new ChoiceForm(), TQV_CLASS_TYPE));
    ChoiceForm::log().clear();
  }
};

TEST_F(MenuBars, AltAndALetterOpenTheBarsMenusAndTheArrowsStepAcrossThem) {
  startSession(
      "key Alt+A\nkey Enter\n"             // the menu opened by a key shows its first item lit
      "key Alt+A\nkey Right\nkey Enter\n"  // Right steps to the next bar item
      "key Alt+E\nkey Left\nkey Down\nkey Enter\n"
      "key Alt+E\nkey Down\nkey Enter\nkey Esc\n"  // the disabled item is passed over
      "key Alt+J\n"                                // an item without a menu is chosen at once
      "key Alt+D\nkey Alt+E\nkey Esc\nkey Right\nkey Right\nkey Enter\nkey Enter\n"
      "key F12\nkey Alt+A\nkey Enter\n");
  show(kBarForm);
  tqvHandle bar = control("Barra");
  ASSERT_TRUE(runToMarker());
  // Right past "Ajuda" passes over the disabled bar item and wraps round to "Arquivo".
  EXPECT_EQ(ChoiceForm::log(),
            (std::vector<std::string>{"Barra Novo", "Barra Copiar", "Barra Abrir", "Barra Copiar",
                                      "Barra Ajuda", "Barra Novo"}));
  EXPECT_EQ(textOf(tqvGet(bar, "Last Choice")), "Novo");
  tqvPerform(bar, "Disabled", TQV_TRUE);
  runScript();
  EXPECT_EQ(ChoiceForm::log().size(), 6u);
}

TEST_F(MenuBars, TheMouseOpensSwitchesAndClosesTheBarsMenus) {
  tqvHandle form = read(kBarForm);
  tqvHandle bar = tqvGet(tqvGet(form, "Control List"), 0);
  // The middle of each bar item, found along the bar.
  std::vector<std::string> at;
  for (TQVINT i = 0; i < 4; ++i) {
    TQVINT first = -1, last = -1;
    for (TQVINT x = 0; x < 640; ++x) {
      if (static_cast<tqvMenuControl*>(tqvAsControl(bar))->itemAt(x, 12) != i) continue;
      if (first < 0) first = x;
      last = x;
    }
    ASSERT_GE(first, 0);
    at.push_back(std::to_string((first + last) / 2) + " 12\n");
  }
  startSession("click " + at[0] + "move " + at[1] + "key Down\nkey Enter\n" +  // moved across
               "click " + at[0] + "click 340 315\n" +  // a click outside only closes
               "click " + at[0] + "click " + at[0] +   // a click on the open item too
               "click " + at[2] + "click " + at[3]);
  tqvShowForm(form, noFade(), true);
  std::vector<uint32_t> before;
  for (int x = 0; x < 640; ++x) before.push_back(pixel(x, 12));
  runScript();
  EXPECT_EQ(ChoiceForm::log(), (std::vector<std::string>{"Barra Copiar", "Barra Ajuda"}));
  std::vector<uint32_t> after;
  for (int x = 0; x < 640; ++x) after.push_back(pixel(x, 12));
  EXPECT_TRUE(after == before);  // nothing left highlighted
}

TEST_F(Menus, MenusOnAFormDrawInsideTheirPlaceAndScrollToTheirHighlight) {
  std::string items;
  for (int i = 0; i < 500; ++i) {
    items += " \"Item " + std::to_string(i) + std::string(300, 'w') + "\"";
  }
  discFile("band.bmp", solid(300, 40, 0xFF0000));
  startSession("key End\nkey F12\nkey Enter\nwheel 50 130 -3\nkey F12\n");
  show(R"((form ("Class" "LoggingForm") ("Control List" (list
      (control ("Class" "Menu") ("Name" "Barra") ("Orientation" "horizontal")
        ("Hot Spot" (rect 10 10 200 20)) ("Font" 7) ("Selection" 999) ("Image" "band.bmp")
        ("Menu Table" (table ("Items" (list)" +
       items + R"()))))
      (control ("Class" "Menu") ("Name" "Lista") ("Hot Spot" (rect 10 100 100 60))
        ("Auto Activate" true) ("Menu Table" (table ("Items" (list)" +
       items + R"()))))))))");
  auto outside = [&] {
    int count = 0;
    for (int y = 0; y < 480; ++y) {
      for (int x = 0; x < 640; ++x) {
        bool inBar = x >= 10 && x < 210 && y >= 10 && y < 30;
        bool inList = x >= 10 && x < 110 && y >= 100 && y < 160;
        count += !inBar && !inList && pixel(x, y) != kFormColour ? 1 : 0;
      }
    }
    return count;
  };
  auto lit = [&] {
    int count = 0;
    for (int y = 100; y < 160; ++y) {
      for (int x = 10; x < 110; ++x) count += pixel(x, y) == kHighlight ? 1 : 0;
    }
    return count;
  };
  EXPECT_EQ(outside(), 0);
  EXPECT_EQ(lit(), 0);
  // The bar is its image, cut to its place; items too wide for it are left out.
  EXPECT_TRUE(all(10, 10, 210, 30, 0xFF0000));
  ASSERT_TRUE(runToMarker());
  EXPECT_EQ(tqvPerform(control("Lista"), "getSelection").intValue(), 499);
  EXPECT_GT(lit(), 100);  // scrolled down to the highlight
  ASSERT_TRUE(runToMarker());
  EXPECT_EQ(LoggingForm::log(), (std::vector<std::string>{"Lista"}));
  EXPECT_EQ(lit(), 0);  // the wheel scrolled it out of sight
  EXPECT_EQ(outside(), 0);
  EXPECT_TRUE(errors().empty());
}

TEST_F(Menus, AMenuAtTheEdgeOfTheNumbersOpensItsSubMenuInsideTheMediaArea) {
  PopUpMenu::opened().clear();
  startSession("key Alt+U\nkey Enter\n");
  show(R"((form ("Class" "LoggingForm") ("Origin X" 2147483000) ("Control List" (list
      (control ("Class" "Menu") ("Name" "A") ("Orientation" "horizontal") ("Dialog Name" "P")
        ("Hot Spot" (rect -2147483648 2147483600 2147483647 2147483647))
        ("Menu Table" (table ("Items" (list "&Um")) ("CascadeTable" (table ("Um" (table
          ("Items" (list "x")))))))))))))");
  tqvHandle dialog = tqvWrapForm(new PopUpMenu());
  tqvAsFormObject(dialog)->setName(S("P"));
  app_->setGlobal("P", dialog);
  runScript();
  EXPECT_EQ(LoggingForm::log(), (std::vector<std::string>{"A"}));
  ASSERT_EQ(PopUpMenu::opened().size(), 1u);
  const auto& [x, y, w, h] = PopUpMenu::opened()[0];
  EXPECT_TRUE(x >= 0 && y >= 0 && x + w <= 640 && y + h <= 480);
  tqvPerform(control("A"), "Hidden", TQV_TRUE);
}

}  // namespace
