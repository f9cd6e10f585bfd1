// lxdisc: the demo disc built from content/ read back through the storage layer, and the
// sources it must refuse.
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <set>

#include "almanac/catalogue/content_catalogue.h"
#include "almanac/search/query.h"
#include "almanac/search/word_index.h"
#include "storage/archive.h"
#include "storage/index.h"
#include "tests/media/media_fixture.h"
#include "values/generic.h"
#include "values/list.h"

namespace {

struct DiscRun {
  int status;
  std::string out, err;
};

class Lxdisc : public MediaTest {
 protected:
  DiscRun lxdisc(const std::string& content, const std::string& out) {
    std::string command = std::string(LXDISC_PATH) + " " + content + " " + out + " >" +
                          discPath("stdout") + " 2>" + discPath("stderr");
    int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, disc_.read("stdout"), disc_.read("stderr")};
  }
  tqvHandle archive(const std::string& name) {
    return tqvOpenArchive(tqvMakeString(discPath("disc/Media/" + name)), 0);
  }
  tqvHandle index(const std::string& name) {
    return tqvOpenIndex(tqvMakeString(discPath("disc/Media/" + name)), 0, 0);
  }
  // Every identifier of the items of a category-list archive; fails on one given twice.
  std::set<int> members(const std::string& name) {
    std::set<int> ids;
    tqvHandle lists = archive(name);
    for (TQVINT c = 0; c < tqvCount(lists); ++c) {
      tqvHandle list = tqvGet(lists, c);
      for (TQVINT i = 0; i < tqvCount(list); ++i) {
        EXPECT_TRUE(ids.insert(tqvGet(list, i).intValue()).second) << name;
      }
    }
    return ids;
  }
};

std::string text(const tqvHandle& value) {
  return std::string(tqvStringView(value));
}
tqvHandle key(const std::string& s) {
  return tqvMakeString(s);
}
tqvHandle key(int n) {
  return tqvMakeString(std::to_string(n));
}

// Catalogue file names as the catalogue object opens them.
const char* const kIndexes[] = {"GNRNList.IDX", "VDBLstID.IDX", "VDBNList.IDX", "VDBIDLst.IDX",
                                "VDBName.IDX",  "MDBLstID.IDX", "MDBFName.IDX", "MDBName.IDX",
                                "MDBNList.IDX", "MDBIDLst.IDX", "MDBIDLt2.IDX", "ATNamLst.IDX",
                                "ATIDList.IDX"};

TEST_F(Lxdisc, DemoDiscCataloguesAgreeWithTheirArchives) {
  DiscRun built = lxdisc(CONTENT_DIR, discPath("disc"));
  ASSERT_EQ(built.status, 0) << built.err;
  for (const char* name : kIndexes) {
    tqvHandle i = index(name);
    ASSERT_TRUE(tqvAsIndex(i) != nullptr && tqvAsIndex(i)->isOpen()) << name;
  }
  tqvHandle entries = archive("Verbetes.DAT"), media = archive("Midias.DAT"),
            maps = archive("Atlas.DAT");
  TQVINT entryCount = tqvCount(entries), mediaCount = tqvCount(media), mapCount = tqvCount(maps);
  EXPECT_GE(entryCount, 30);
  EXPECT_GE(mediaCount, 20);
  EXPECT_GE(mapCount, 20);
  // An index counts its keys, the count key included.
  EXPECT_EQ(tqvCount(index("VDBLstID.IDX")), entryCount + 1);
  EXPECT_EQ(tqvCount(index("MDBLstID.IDX")), mediaCount + 1);
  EXPECT_EQ(tqvCount(index("ATNamLst.IDX")), mapCount + 1);
  EXPECT_EQ(tqvCount(index("GNRNList.IDX")), entryCount + mediaCount + mapCount + 1);

  tqvHandle byId = index("VDBLstID.IDX"), names = index("VDBNList.IDX"),
            titles = index("VDBIDLst.IDX"), byFile = index("MDBNList.IDX"),
            general = index("GNRNList.IDX");
  std::set<int> entryIds = members("IDCatLst.DTT");
  lxWordIndex words(tqvMakeString(discPath("disc/Media/KeyWord.idx")),
                    tqvMakeString(discPath("disc/Media/KeyWord.dat")));
  ASSERT_TRUE(words.isOpen());
  EXPECT_EQ(entryIds.size(), static_cast<size_t>(entryCount));
  for (TQVINT n = 0; n < entryCount; ++n) {
    tqvHandle e = tqvGet(entries, n);
    int id = tqvGet(e, 0).intValue();
    std::string title = text(tqvGet(e, 1));
    EXPECT_EQ(tqvGet(byId, key(id)).intValue(), n) << title;
    EXPECT_EQ(text(tqvGet(names, key(id))), title);
    EXPECT_EQ(tqvGet(titles, key(title)).intValue(), n);
    EXPECT_EQ(tqvGet(titles, tqvLower(key(title))).intValue(), n);
    EXPECT_EQ(text(tqvGet(general, key((1 << 16) | id))), title);
    EXPECT_TRUE(entryIds.contains(id)) << title;
    // The search finds the entry by every word of its title.
    for (const std::string& word : lxWordsOf(tqvStringView(key(title)))) {
      lxReferenceList found = lxSearch(words, lxParseQuery(word), LX_ALL_SECTIONS).references;
      EXPECT_TRUE(std::binary_search(found.begin(), found.end(), lxReference(1, id)))
          << title << ": " << word;
    }
    tqvHandle category = tqvGet(tqvGet(archive("IDCatLst.DTT"), tqvGet(e, 3).intValue()), 0);
    EXPECT_NE(category.type(), TQV_NIL_TYPE) << title;
    tqvHandle pictures = tqvGet(e, 8);
    for (TQVINT p = 0; p < tqvCount(pictures); ++p) {
      EXPECT_GE(tqvGet(byFile, tqvGet(pictures, p)).intValue(), 0) << title;
    }
  }

  tqvHandle mediaIds = index("MDBLstID.IDX"), mediaNames = index("MDBName.IDX");
  EXPECT_EQ(members("IDMidLst.DTT").size(), static_cast<size_t>(mediaCount));
  for (TQVINT n = 0; n < mediaCount; ++n) {
    tqvHandle m = tqvGet(media, n);
    int id = tqvGet(m, 0).intValue();
    EXPECT_EQ(tqvGet(mediaIds, key(id)).intValue(), n);
    EXPECT_EQ(text(tqvGet(mediaNames, key(id))), text(tqvGet(m, 1)));
    EXPECT_EQ(tqvGet(byFile, tqvGet(m, 5)).intValue(), n);
    EXPECT_EQ(tqvGet(m, 7).type(), 18) << text(tqvGet(m, 1));  // the picture itself
  }

  tqvHandle mapNames = index("ATNamLst.IDX"), mapTitles = index("ATIDList.IDX");
  EXPECT_EQ(members("ATCatLst.DTT").size(), static_cast<size_t>(mapCount));
  for (TQVINT n = 0; n < mapCount; ++n) {
    tqvHandle m = tqvGet(maps, n);
    std::string title = text(tqvGet(m, 1));
    EXPECT_EQ(text(tqvGet(mapNames, key(tqvGet(m, 0).intValue()))), title);
    EXPECT_EQ(tqvGet(mapTitles, key(title)).intValue(), n);
    if (text(tqvGet(m, 3)) != "noflag") {
      EXPECT_GE(tqvGet(byFile, tqvGet(m, 3)).intValue(), 0) << title;
    }
    EXPECT_GE(tqvGet(byFile, tqvGet(m, 4)).intValue(), 0) << title;
  }

  // The French flag as painted: a 150 x 100 bottom-up 24-bit bitmap, blue, white and red.
  std::string flag = disc_.read("disc/Media/bandeira_fra.bmp");
  ASSERT_GE(flag.size(), 54u + 452 * 100);  // rows of 450 bytes padded to 452
  auto bytes3 = [&](size_t at) {            // little-endian: BGR bytes read as 0xRRGGBB
    return static_cast<unsigned char>(flag[at]) | static_cast<unsigned char>(flag[at + 1]) << 8 |
           static_cast<unsigned char>(flag[at + 2]) << 16;
  };
  EXPECT_EQ(flag.substr(0, 2), "BM");
  EXPECT_EQ(bytes3(18), 150);
  EXPECT_EQ(bytes3(22), 100);
  EXPECT_EQ(bytes3(28) & 0xFFFF, 24);
  auto pixel = [&](int x, int y) { return bytes3(54 + (99 - y) * 452 + x * 3); };
  EXPECT_EQ(pixel(10, 50), 0x002395);
  EXPECT_EQ(pixel(75, 10), 0xFFFFFF);
  EXPECT_EQ(pixel(140, 90), 0xED2939);

  // The almanac's own catalogue object reads the disc as its sections will: a link's
  // lower-cased title, a picture's file name, a category.
  setEnv("SourceDisk", discPath("disc"));
  setEnv("MediaPath", "Media");
  ContentCatalogue& catalogue = lxCatalogue();
  ASSERT_TRUE(catalogue.initialize());
  EXPECT_EQ(catalogue.contentCount(0), entryCount);
  EXPECT_EQ(catalogue.contentCount(1), mediaCount);
  EXPECT_EQ(catalogue.contentCount(4), mapCount);
  TQVINT moon = catalogue.lookupPosition(0, tqvMakeString("lua"));
  EXPECT_EQ(text(tqvGet(catalogue.contentItem(0, moon), 1)), "Lua");
  TQVINT france = catalogue.lookupPosition(4, tqvLower(tqvFromUtf8("França")));
  EXPECT_EQ(text(tqvGet(catalogue.contentItem(4, france), 4)), "mapa_fra.bmp");
  TQVINT planets = catalogue.lookupNumber("MDB_FNAME", tqvMakeString("planetas.bmp"));
  EXPECT_EQ(text(tqvGet(catalogue.contentItem(1, planets), 5)), "planetas.bmp");
  tqvHandle brazil = catalogue.entryCategoryList(9);
  bool hasBrasilia = false;  // the entry of identifier 29
  for (TQVINT i = 0; i < tqvCount(brazil); ++i) hasBrasilia |= tqvGet(brazil, i).intValue() == 29;
  EXPECT_TRUE(hasBrasilia);
  lxResetCatalogue();

  // Nothing changed, nothing written.
  DiscRun again = lxdisc(CONTENT_DIR, discPath("disc"));
  EXPECT_EQ(again.status, 0);
  EXPECT_NE(again.out.find("; 0 files written"), std::string::npos) << again.out;
}

// A small content folder that builds; each case below breaks one thing in it.
void writeSmallContent(const TempDir& dir) {
  dir.write("src/categorias.txt",
            "verbetes 0 História\nmidias 0 Gráficos\nmidias 1 Mapas\n"
            "midias 2 Bandeiras\natlas 0 Europa\n");
  dir.write("src/data/paises-iso3166.tsv", "PT\tPRT\t620\tPortugal\n");
  dir.write("src/verbetes/a.txt", "Titulo: Alfa\nId: 1\nCategoria: História\n");
  dir.write("src/verbetes/a.rtf", "Texto com {\\uldb link}!\\{jump:VerbeteForm;Beta\\}.\\par");
  dir.write("src/verbetes/b.txt", "Titulo: Beta\nId: 2\nCategoria: História\nVejaTambem: Alfa\n");
  dir.write("src/verbetes/b.rtf",
            "{\\img barras.bmp\\} Veja {\\uldb Portugal}!\\{mapa:Portugal\\}.");
  dir.write("src/midias/g.txt",
            "Titulo: Gama\nId: 1\nCategoria: Gráficos\nArquivo: barras.bmp\n"
            "Desenho: barras A=1; B=2\nLegenda: Um gráfico.\n");
  dir.write("src/atlas/p.txt",
            "Titulo: Portugal\nId: 1\nContinente: Europa\nISO: PRT\nCapital: Lisboa\n"
            "Lingua: português\nMoeda: euro\nLatitude: 38.7\nLongitude: -9.1\n");
  dir.write("src/atlas/p.rtf", "Um país.");
  // The screens the program starts with; the main screen leads to the atlas' home.
  dir.write("src/disco/IntroFrm.frm", "(form (\"Class\" \"IntroForm\") (\"Name\" \"IntroForm\"))");
  dir.write("src/disco/Quit.frm", "(form (\"Class\" \"QuitDlg\") (\"Name\" \"QuitDlg\"))");
  dir.write("src/disco/AtlasHF.frm", "(form (\"Class\" \"AtlasHForm\") (\"Name\" \"AtlasHForm\"))");
  dir.write("src/disco/MainForm.frm",
            "(form (\"Class\" \"MainForm\") (\"Name\" \"MainForm\") (\"Control List\" (list "
            "(control (\"Class\" \"Button\") (\"Name\" \"Atlas\")))))");
}

TEST_F(Lxdisc, RefusesInconsistentSourcesNamingTheFile) {
  writeSmallContent(disc_);
  DiscRun good = lxdisc(discPath("src"), discPath("disc"));
  ASSERT_EQ(good.status, 0) << good.err;
  // A changed entry brings the 3 archives, 3 category lists, 13 indexes and the word
  // index's two files up to date, and nothing else.
  std::filesystem::last_write_time(
      disc_ / "src/verbetes/a.txt",
      std::filesystem::file_time_type::clock::now() + std::chrono::hours(1));
  DiscRun changed = lxdisc(discPath("src"), discPath("disc"));
  EXPECT_NE(changed.out.find("; 21 files written"), std::string::npos) << changed.out;
  struct Case {
    const char* file;
    const char* bytes;
    const char* message;
  } cases[] = {
      {"verbetes/b.txt", "Titulo: Beta\nId: 1\nCategoria: História\n", "duplicate identifier 1"},
      {"verbetes/b.txt", "Titulo: alfa\nId: 2\nCategoria: História\n", "duplicate title"},
      {"verbetes/b.txt", "Titulo: Beta\nId: 2\nCategoria: Música\n", "unknown category"},
      {"verbetes/b.txt", "Titulo: Beta\nId: 2\nCategoria: História\nVejaTambem: Delta\n",
       "names no entry: 'Delta'"},
      {"verbetes/b.rtf", "{\\img falta.bmp\\}", "picture not on the disc: falta.bmp"},
      {"verbetes/b.rtf", "{\\uldb x}!\\{mapa:Chile\\}", "link names no map"},
      {"verbetes/b.txt", "Titulo: Beta\nId: 2\n", "missing field 'Categoria'"},
      {"verbetes/b.txt", "Titulo: Beta\nId: 2\nCategoria: História\nCor: azul\n",
       "unknown field 'Cor'"},
      {"categorias.txt", "verbetes 7 História\nmidias 0 Gráficos\n", "reserved"},
      {"midias/g.txt",
       "Titulo: Gama\nId: 1\nCategoria: Gráficos\nArquivo: barras.bmp\n"
       "Desenho: pizza 3\nLegenda: x\n",
       "unknown painter 'pizza'"},
      {"midias/g.txt",
       "Titulo: Gama\nId: 1\nCategoria: Gráficos\nArquivo: mapa_prt.bmp\n"
       "Desenho: barras A=1\nLegenda: x\n",
       "duplicate media file name mapa_prt.bmp"},
      {"midias/g.txt",
       "Titulo: Gama\nId: 1\nCategoria: Gráficos\nArquivo: barras.bmp\n"
       "Legenda: Sem desenho nem arquivo.\n",
       "media file missing from the disc: barras.bmp"},
      {"disco/Quit.frm", "(form (\"Class\" \"QuitDlg\") (\"Name\" \"Sair\"))",
       "must be named \"QuitDlg\""},
      {"disco/AtlasHF.frm", "(form (\"Class\" \"VerbHForm\") (\"Name\" \"AtlasHForm\"))",
       "must be of the class \"AtlasHForm\""},
      {"disco/MainForm.frm",
       "(form (\"Class\" \"MainForm\") (\"Name\" \"MainForm\") (\"Control List\" (list "
       "(control (\"Class\" \"Button\") (\"Name\" \"Jogo\")))))",
       "leads to the screen Jogo0, which is not on the disc"},
      {"disco/AtlasHF.frm",
       "(form (\"Class\" \"AtlasHForm\") (\"Name\" \"AtlasHForm\") (\"Control List\" (list "
       "(control (\"Class\" \"Button\") (\"Name\" \"Historico\")))))",
       "leads to the screen HistoryDlg"},
      {"disco/AtlasHF.frm",
       "(form (\"Class\" \"AtlasHForm\") (\"Name\" \"AtlasHForm\") (\"Control List\" (list "
       "(control (\"Class\" \"Button\") (\"Target Form\" \"nada.frm\")))))",
       "leads to the screen nada.frm"},
  };
  for (const Case& c : cases) {
    std::string original = disc_.read("src/" + std::string(c.file));
    disc_.write("src/" + std::string(c.file), c.bytes);
    DiscRun refused = lxdisc(discPath("src"), discPath("disc"));
    EXPECT_EQ(refused.status, 1) << c.message;
    EXPECT_NE(refused.err.find(c.file), std::string::npos) << refused.err;
    EXPECT_NE(refused.err.find(c.message), std::string::npos) << refused.err;
    disc_.write("src/" + std::string(c.file), original);
  }
}

}  // namespace
