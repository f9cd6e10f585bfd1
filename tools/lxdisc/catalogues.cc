// The records of the three content families, their catalogues and category lists.
#include "tools/lxdisc/catalogues.h"

#include <algorithm>

#include "media/image_factory.h"
#include "storage/archive.h"
#include "storage/file_stream.h"
#include "storage/index.h"
#include "tools/lxdisc/rtf_text.h"
#include "tools/lxdisc/word_index.h"
#include "values/cp1252.h"
#include "values/generic.h"
#include "values/list.h"
#include "values/string.h"

namespace fs = std::filesystem;

namespace lxdisc {
namespace {

tqvHandle text(const std::string& utf8) {
  return tqvFromUtf8(utf8);
}
tqvHandle rtf(const std::string& utf8) {
  return tqvMakeString(toDiscRtf(utf8));
}
tqvHandle number(int value) {
  return tqvMakeInt(value);
}

tqvHandle list(std::initializer_list<tqvHandle> items) {
  tqvHandle l = tqvMakeList(static_cast<TQVINT>(items.size()));
  for (const tqvHandle& item : items) tqvAddItem(l, item);
  return l;
}

tqvHandle systemPath(const fs::path& path) {
  return tqvMakeString(tqvUtf8ToCp1252(path.string()));
}

tqvHandle entryRecord(const Entry& e) {
  std::string seeAlso;
  for (const std::string& title : e.seeAlso) {
    seeAlso += (seeAlso.empty() ? "" : ", ") + entryLink(title);
  }
  tqvHandle pictures = tqvMakeList();
  for (const std::string& name : pictureNames(e.body)) tqvAddItem(pictures, text(name));
  return list({number(e.id), text(e.title), text(e.title), number(e.category), rtf(e.body),
               rtf(seeAlso), TQV_NIL, TQV_NIL, pictures});
}

tqvHandle mediumRecord(const Medium& m, const fs::path& media) {
  tqvHandle name = text(m.fileName);
  tqvHandle bytes = tqvReadWholeFile(systemPath(media / m.fileName), false);
  tqvHandle image = tqvMakeImage(bytes, name);
  tqvHandle link = m.entry.empty() ? TQV_NIL : rtf(entryLink(m.entry));
  return list({number(m.id), text(m.title), number(m.category), number(m.type), rtf(m.caption),
               name, list({name, number(m.width), number(m.height)}), image, TQV_NIL, TQV_NIL,
               link});
}

std::string dataSheet(const Map& m, const Country& c) {
  std::string sheet;
  auto line = [&](const std::string& label, const std::string& value) {
    sheet += "{\\b " + label + ":} " + value + "\\par ";
  };
  line("Nome (ISO 3166)", c.name);
  line("Capital", m.capital);
  bool several =
      m.language.find(" e ") != std::string::npos || m.language.find(',') != std::string::npos;
  line(several ? "Línguas oficiais" : "Língua oficial", m.language);
  line("Moeda", m.currency);
  line("Códigos ISO", c.alpha2 + ", " + c.alpha3 + ", " + c.numeric);
  return sheet;
}

tqvHandle mapRecord(const Map& m, const Disc& disc) {
  std::string code;
  for (char ch : m.iso3) code += static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  std::string flag = m.flagDrawing.empty() ? "noflag" : "bandeira_" + code + ".bmp";
  return list({number(m.id), text(m.title), text(m.title), text(flag),
               text("mapa_" + code + ".bmp"), text(""),
               rtf(dataSheet(m, disc.countries.at(m.iso3))), rtf(m.description),
               number(m.continent)});
}

// An archive written whole: one item per element of `items`.
void writeArchive(const fs::path& file, const std::vector<tqvHandle>& items) {
  tqvHandle archive = tqvCreateArchive(systemPath(file), static_cast<TQVINT>(items.size()));
  for (const tqvHandle& item : items) tqvAddItem(archive, item);
}

class IndexWriter {
 public:
  explicit IndexWriter(const fs::path& file) : index_(tqvCreateIndex(systemPath(file))) {}
  void put(const tqvHandle& key, const tqvHandle& value) { tqvPut(index_, key, value); }
  void put(int key, const tqvHandle& value) { put(tqvMakeString(std::to_string(key)), value); }
  // A title as written and in the lower-case form links look it up by.
  void putTitle(const std::string& title, int position) {
    put(text(title), number(position));
    put(tqvMakeString(lookupForm(title)), number(position));
  }

 private:
  tqvHandle index_;
};

template <typename T>
void writeCategoryLists(const fs::path& file, const std::vector<Category>& categories,
                        const std::vector<T>& items, int T::*category) {
  int last = -1;
  for (const Category& c : categories) last = std::max(last, c.number);
  std::vector<tqvHandle> lists;
  for (int n = 0; n <= last; ++n) {
    tqvHandle members = tqvMakeIntList();
    for (const T& item : items) {
      if (item.*category == n) tqvAddItem(members, number(item.id));
    }
    lists.push_back(members);
  }
  writeArchive(file, lists);
}

}  // namespace

const std::vector<std::string>& catalogueFiles() {
  static const std::vector<std::string> files = {
      "Verbetes.DAT", "Midias.DAT",   "Atlas.DAT",    "IDCatLst.DTT", "IDMidLst.DTT",
      "ATCatLst.DTT", "GNRNList.IDX", "VDBLstID.IDX", "VDBNList.IDX", "VDBIDLst.IDX",
      "VDBName.IDX",  "MDBLstID.IDX", "MDBFName.IDX", "MDBName.IDX",  "MDBNList.IDX",
      "MDBIDLst.IDX", "MDBIDLt2.IDX", "ATNamLst.IDX", "ATIDList.IDX", "KeyWord.idx",
      "KeyWord.dat"};
  return files;
}

void writeCatalogues(const Disc& disc, const fs::path& media) {
  writeWordIndex(disc, media);
  std::vector<tqvHandle> records;
  for (const Entry& e : disc.entries) records.push_back(entryRecord(e));
  writeArchive(media / "Verbetes.DAT", records);
  records.clear();
  for (const Medium& m : disc.media) records.push_back(mediumRecord(m, media));
  writeArchive(media / "Midias.DAT", records);
  records.clear();
  for (const Map& m : disc.maps) records.push_back(mapRecord(m, disc));
  writeArchive(media / "Atlas.DAT", records);
  records.clear();

  writeCategoryLists(media / "IDCatLst.DTT", disc.categories.at(Family::Entries), disc.entries,
                     &Entry::category);
  writeCategoryLists(media / "IDMidLst.DTT", disc.categories.at(Family::Media), disc.media,
                     &Medium::category);
  writeCategoryLists(media / "ATCatLst.DTT", disc.categories.at(Family::Atlas), disc.maps,
                     &Map::continent);

  IndexWriter general(media / "GNRNList.IDX"), entryIds(media / "VDBLstID.IDX"),
      entryNames(media / "VDBNList.IDX"), entryTitles(media / "VDBIDLst.IDX"),
      entryByName(media / "VDBName.IDX");
  for (int n = 0; n < static_cast<int>(disc.entries.size()); ++n) {
    const Entry& e = disc.entries[n];
    general.put((kEntriesSection << 16) | e.id, text(e.title));
    entryIds.put(e.id, number(n));
    entryNames.put(e.id, text(e.title));
    entryTitles.putTitle(e.title, n);
    entryByName.put(tqvMakeString(lookupForm(e.title)), number(e.id));
  }
  IndexWriter mediaIds(media / "MDBLstID.IDX"), mediaFiles(media / "MDBFName.IDX"),
      mediaNames(media / "MDBName.IDX"), mediaByFile(media / "MDBNList.IDX"),
      mediaTitles(media / "MDBIDLst.IDX"), mediaTitles2(media / "MDBIDLt2.IDX");
  for (int n = 0; n < static_cast<int>(disc.media.size()); ++n) {
    const Medium& m = disc.media[n];
    general.put((kMediaSection << 16) | m.id, text(m.title));
    mediaIds.put(m.id, number(n));
    mediaFiles.put(m.id, text(m.fileName));
    mediaNames.put(m.id, text(m.title));
    mediaByFile.put(text(m.fileName), number(n));
    mediaTitles.putTitle(m.title, n);
    if (!m.title2.empty()) mediaTitles2.putTitle(m.title2, n);
  }
  IndexWriter mapNames(media / "ATNamLst.IDX"), mapTitles(media / "ATIDList.IDX");
  for (int n = 0; n < static_cast<int>(disc.maps.size()); ++n) {
    const Map& m = disc.maps[n];
    general.put((kAtlasSection << 16) | m.id, text(m.title));
    mapNames.put(m.id, text(m.title));
    mapTitles.putTitle(m.title, n);
  }
}

}  // namespace lxdisc
