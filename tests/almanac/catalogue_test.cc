// The content catalogues over a small disc written here with the storage layer: opening,
// counts, lookups by number, title and file name, stepping, category caches, damaged or
// missing files, and the almanac's list boxes bound to the name lists.
#include <gtest/gtest.h>

#include <filesystem>

#include "almanac/catalogue/list_classes.h"
#include "tests/almanac/almanac_fixture.h"

namespace {

class Catalogue : public AlmanacDiscTest {
 protected:
  ContentCatalogue& catalogue() { return lxCatalogue(); }
};

TEST_F(Catalogue, OpensOnceAndCountsEachKind) {
  ASSERT_TRUE(catalogue().initialize());
  // Once open, nothing is opened again: a second call answers at once.
  std::filesystem::remove(discPath("Verbetes.DAT"));
  EXPECT_TRUE(catalogue().initialize());
  const TQVINT expected[] = {3, 2, 0, 0, 2, 0, 0};
  for (TQVINT kind = 0; kind <= 6; ++kind) {
    EXPECT_EQ(catalogue().contentCount(kind), expected[kind]) << "kind " << kind;
  }
}

TEST_F(Catalogue, AMissingOrDamagedFileFailsTheOpening) {
  for (const char* file : {"Verbetes.DAT", "GNRNList.IDX", "MDBIDLt2.IDX", "Midias.DAT",
                           "Atlas.DAT", "ATIDList.IDX"}) {
    for (bool damaged : {false, true}) {
      SCOPED_TRACE(std::string(file) + (damaged ? " damaged" : " missing"));
      std::string saved = disc_.read(file);
      if (damaged) {
        discFile(file, std::string(600, '\x5A'));
      } else {
        std::filesystem::remove(discPath(file));
      }
      lxResetCatalogue();
      EXPECT_FALSE(catalogue().initialize());
      EXPECT_FALSE(catalogue().initialized());
      discFile(file, saved);
    }
  }
  lxResetCatalogue();
  EXPECT_TRUE(catalogue().initialize());
}

TEST_F(Catalogue, LooksUpNumbersTitlesFileNamesAndItems) {
  ASSERT_TRUE(catalogue().initialize());
  // An identifier given as an integer or as its text finds the same position.
  EXPECT_EQ(catalogue().lookupNumber("VDB_LISTID", tqvMakeInt(102)), 1);
  EXPECT_EQ(catalogue().lookupNumber("VDB_LISTID", S("102")), 1);
  EXPECT_EQ(catalogue().lookupNumber("VDB_LISTID", tqvMakeInt(999)), -1);
  EXPECT_EQ(catalogue().lookupNumber("NO_SUCH_CATALOGUE", tqvMakeInt(1)), -1);
  // File names go through "MDB_FNAME", which is the file MDBNList.IDX.
  EXPECT_EQ(catalogue().lookupNumber("MDB_FNAME", S("ipe.jpg")), 1);
  struct {
    TQVINT kind;
    const char* title;
    TQVINT position;
  } titles[] = {{0, "Vulcão", 2}, {1, "Arara-azul", 0}, {1, "Ipê", -1},
                {2, "Ipê", 1},    {4, "Ásia", 1},       {5, "Geral", -1}};
  for (const auto& t : titles) {
    EXPECT_EQ(catalogue().lookupPosition(t.kind, S(t.title)), t.position) << t.title;
  }
  EXPECT_EQ(text(catalogue().contentItem(0, 2)), "Vulcão");
  EXPECT_EQ(text(catalogue().contentItem(1, 1)), "Ipê");
  EXPECT_EQ(text(catalogue().contentItem(4, 0)), "Europa");
  // Positions from a damaged catalogue never reach past the archive.
  EXPECT_TRUE(catalogue().contentItem(0, 3).isNil());
  EXPECT_TRUE(catalogue().contentItem(0, -1).isNil());
  EXPECT_TRUE(catalogue().contentItem(2, 0).isNil());
}

TEST_F(Catalogue, SteppingWrapsRoundBothEnds) {
  ASSERT_TRUE(catalogue().initialize());
  // Entry 103 is the last of three, 101 the first; media 8 is the last of two.
  EXPECT_EQ(catalogue().stepFromIdentifier(0, 103, true), 0);
  EXPECT_EQ(catalogue().stepFromIdentifier(0, 101, false), 2);
  EXPECT_EQ(catalogue().stepFromIdentifier(0, 101, true), 1);
  // Only the identifier's low 16 bits count.
  EXPECT_EQ(catalogue().stepFromIdentifier(0, 0x10000 + 102, false), 0);
  EXPECT_EQ(catalogue().stepFromIdentifier(1, 8, true), 0);
  EXPECT_EQ(catalogue().stepFromIdentifier(0, 555, true), -1);
}

TEST_F(Catalogue, ACategoryListIsReadOnceUntilAnotherIsAsked) {
  ASSERT_TRUE(catalogue().initialize());
  EXPECT_EQ(tqvToStdString(catalogue().entryCategoryList(0), false), "(list 101 103)");
  std::filesystem::remove(discPath("IDCatLst.DTT"));
  EXPECT_EQ(tqvToStdString(catalogue().entryCategoryList(0), false), "(list 101 103)");
  // Another category reads the archive again, which is gone now.
  EXPECT_TRUE(catalogue().entryCategoryList(1).isNil());
  EXPECT_TRUE(catalogue().atlasCategoryList(0).isNil());
}

TEST_F(Catalogue, ListBoxesShowNamesOfTheListBoundLast) {
  ASSERT_TRUE(catalogue().initialize());
  lxRegisterListClasses();
  auto listBox = [&](TQVINT kind) {
    tqvHandle definition = tqvTable(4);
    tqvPut(definition, "dbID", tqvMakeInt(kind));
    tqvHandle box = LXListBox().makeInstance(definition);
    static_cast<LXListBox*>(tqvAsControl(box))->attach();
    return box;
  };
  auto name = [](const tqvHandle& box, TQVINT item) {
    return text(static_cast<LXListBox*>(tqvAsControl(box))->itemText(tqvMakeInt(item), 0));
  };
  tqvHandle entries = listBox(0);
  tqvHandle media = listBox(1);
  // Both look names up in the media list, bound last.
  EXPECT_EQ(name(media, 7), "Arara-azul");
  EXPECT_EQ(name(entries, 7), "Arara-azul");
  EXPECT_EQ(name(entries, 101), "");
  media = tqvHandle();
  EXPECT_FALSE(catalogue().hasCurrentNameList());
  // With no current list each finds its own kind's names.
  EXPECT_EQ(name(entries, 101), "Brasil");
}

TEST_F(Catalogue, ListBoxLettersJumpByDisplayName) {
  ASSERT_TRUE(catalogue().initialize());
  lxRegisterListClasses();
  startSession("");
  show(R"((form ("Class" "LoggingForm") ("Control List" (list (control ("Class" "LXListBox")
      ("Name" "V") ("dbID" 0) ("Hot Spot" (rect 10 10 200 102)) ("List" (list 103 101 102)))))))");
  tqvControlObject* box = tqvAsControl(control("V"));
  ASSERT_NE(box, nullptr);
  // "c" finds Cometa (102) whatever the case; "z" matches nothing and leaves it.
  for (auto [key, selection] : {std::pair{'c', 2}, {'B', 1}, {'z', 1}, {'v', 0}}) {
    box->keyDown(key, 0);
    EXPECT_EQ(tqvIntValue(tqvGet(control("V"), "Selection")), selection) << key;
  }
  EXPECT_EQ(text(tqvPerform(control("V"), "getSelectionStr", tqvHandle())), "Vulcão");
}

TEST_F(Catalogue, ComboBoxTakesItsColoursFromItsKeys) {
  lxRegisterListClasses();
  startSession("");
  // Colours are 0xBBGGRR: red letters closed, green on blue while it has the focus.
  show(R"((form ("Class" "LoggingForm") ("Control List" (list (control ("Class" "LXComboBox")
      ("Name" "C") ("Hot Spot" (rect 10 10 190 30)) ("List" (list "MMMMMMMM")) ("Selection" 0)
      ("Font" (font "Arial" 20 1)) ("2aryTextColor" 255)
      ("2arySelectionColor" 16711680) ("2arySelectionTextColor" 65280))))))");
  auto count = [&](uint32_t colour) { return 26 * 150 - differing(12, 12, 162, 38, colour); };
  tqvControlObject* combo = tqvAsControl(control("C"));
  combo->activate();
  combo->draw();
  EXPECT_EQ(pixel(14, 14), 0x0000FFu);
  EXPECT_GT(count(0x00FF00), 40);
  combo->deactivate();
  combo->draw();
  EXPECT_EQ(pixel(14, 14), 0xFFFFFFu);
  EXPECT_GT(count(0xFF0000), 40);
  EXPECT_EQ(count(0x0000FF), 0);
}

}  // namespace
