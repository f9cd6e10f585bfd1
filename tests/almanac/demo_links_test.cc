// Every link of every entry on the demo disc, followed as the text viewers follow it,
// leads to a screen and an item that the catalogues find under the parameters the
// viewer passes (names in lower case): no link of the disc ends in a message or nowhere.
#include <gtest/gtest.h>

#include "almanac/entries/hyperlinks.h"
#include "controls/rtf_parser.h"
#include "tests/almanac/almanac_fixture.h"
#include "values/convert.h"
#include "values/font.h"
#include "values/generic.h"
#include "values/list.h"
#include "values/string.h"
#include "values/table.h"

namespace {

class DemoLinks : public AlmanacDiscTest {
 protected:
  void SetUp() override {
    AlmanacDiscTest::SetUp();
    setEnv("SourceDisk", DEMO_DISC);
    setEnv("MediaPath", "Media");
    lxResetCatalogue();
    ASSERT_TRUE(lxCatalogue().initialize());
  }

  // The link targets of an RTF text.
  static std::vector<std::string> targetsOf(const tqvHandle& rtf) {
    std::vector<std::string> targets;
    if (!rtf.is(TQV_STRING_TYPE)) return targets;
    tqvHandle request = tqvTable(4);
    tqvPut(request, "Type", tqvMakeString("RTF"));
    tqvPut(request, "Buffer", rtf);
    tqvPut(request, "Font", tqvMakeFont(tqvMakeString("Arial"), 12, 0));
    tqvPut(request, "HotStyle", tqvMakeInt(8));
    tqvHandle runs = tqvGet(tqvParseRTF(request), "TextRuns");
    for (TQVINT i = 0; i < tqvCount(runs); ++i) {
      tqvHandle run = tqvGet(runs, i);
      TQVINT kind = run.is(TQV_LIST_TYPE) ? tqvNumberOf(tqvGet(run, 0), 0) : 0;
      bool hot =
          kind == TQV_RUN_HOT_SPOT || kind == TQV_RUN_HOT_IMAGE || kind == TQV_RUN_STRUCK_HOT_SPOT;
      if (hot) targets.emplace_back(tqvStringView(tqvGet(run, 2)));
    }
    return targets;
  }

  // Whether the viewer the open target names finds its item.
  static bool found(const lxOpenTarget& open) {
    tqvHandle name =
        open.parameters.is(TQV_TABLE_TYPE) ? tqvGet(open.parameters, "Text") : open.parameters;
    auto at = [&name](lxContentKind kind) {
      return lxCatalogue().lookupPosition(static_cast<TQVINT>(kind), name) >= 0;
    };
    if (open.form == "VerbeteForm") return at(lxContentKind::Entries);
    if (open.form == "MidiasForm") {
      return at(lxContentKind::MediaSecondTitles) || at(lxContentKind::Media);
    }
    if (open.form == "AtlasForm") return at(lxContentKind::Atlas);
    return false;
  }
};

TEST_F(DemoLinks, EveryLinkOfEveryEntryLeadsToAnItem) {
  int links = 0;
  TQVINT entries = lxCatalogue().contentCount(static_cast<TQVINT>(lxContentKind::Entries));
  ASSERT_GT(entries, 0);
  for (TQVINT record = 0; record < entries; ++record) {
    tqvHandle entry = lxCatalogue().contentItem(0, record);
    for (TQVINT element : {4, 5}) {
      for (const std::string& link : targetsOf(tqvGet(entry, element))) {
        ++links;
        lxLinkAction action = lxLinkActionFor(link, false, {});
        ASSERT_EQ(action.kind, lxLinkAction::Kind::OpenTarget)
            << text(tqvGet(entry, 2)) << ": " << link;
        EXPECT_TRUE(found(lxOpenTargetOf(action.target))) << text(tqvGet(entry, 2)) << ": " << link;
      }
    }
  }
  EXPECT_GT(links, entries);
}

}  // namespace
