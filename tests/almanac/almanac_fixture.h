// Test helper for the almanac: a small disc written here with the storage layer (three
// entries with identifiers 101..103, two media, two maps, every catalogue and the
// entries' category lists), screens written in the notation, and a user directory.
#pragma once

#include <string>

#include "almanac/catalogue/content_catalogue.h"
#include "almanac/navigation/bookmarks.h"
#include "storage/archive.h"
#include "storage/encoding.h"
#include "storage/file_stream.h"
#include "storage/index.h"
#include "tests/controls/controls_fixture.h"
#include "values/cp1252.h"
#include "values/list.h"
#include "values/text.h"

class AlmanacDiscTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    useDisc(".");
    setEnv("UserDataPath", user_.path().string());
    archive("Verbetes.DAT", {"Brasil", "Cometa", "Vulcão"});
    archive("Midias.DAT", {"Arara", "Ipê"});
    archive("Atlas.DAT", {"Europa", "Ásia"});
    index("GNRNList.IDX", {{"1", "Geral"}});
    index("VDBLstID.IDX", {{"101", 0}, {"102", 1}, {"103", 2}});
    index("VDBNList.IDX", {{"101", "Brasil"}, {"102", "Cometa"}, {"103", "Vulcão"}});
    index("VDBIDLst.IDX", {{"Brasil", 0}, {"Cometa", 1}, {"Vulcão", 2}});
    index("VDBName.IDX", {});
    index("MDBLstID.IDX", {{"7", 0}, {"8", 1}});
    index("MDBFName.IDX", {});
    index("MDBName.IDX", {{"7", "Arara-azul"}, {"8", "Ipê-amarelo"}});
    index("MDBNList.IDX", {{"arara.jpg", 0}, {"ipe.jpg", 1}});
    index("MDBIDLst.IDX", {{"Arara-azul", 0}});
    index("MDBIDLt2.IDX", {{"Ipê", 1}});
    index("ATNamLst.IDX", {{"40", "Europa"}, {"41", "Ásia"}});
    index("ATIDList.IDX", {{"Europa", 0}, {"Ásia", 1}});
    archive("IDCatLst.DTT", {"(list 101 103)", "(list 102)"}, true);
  }
  void TearDown() override {
    lxResetCatalogue();
    lxForgetBookmarks();
    ControlsTest::TearDown();
  }

  // An archive of strings (or of values in the notation, with `notation`).
  void archive(const std::string& name, std::initializer_list<const char*> items,
               bool notation = false) {
    tqvHandle archive = tqvCreateArchive(S(discPath(name)), 0);
    for (const char* item : items) tqvAddItem(archive, notation ? read(item) : S(item));
  }
  struct Entry {
    const char* key;
    tqvHandle value;
    Entry(const char* k, const char* v) : key(k), value(S(v)) {}
    Entry(const char* k, TQVINT v) : key(k), value(tqvMakeInt(v)) {}
  };
  void index(const std::string& name, std::initializer_list<Entry> entries) {
    tqvHandle index = tqvCreateIndex(S(discPath(name)));
    for (const Entry& entry : entries) tqvPut(index, S(entry.key), entry.value);
  }
  // The compiled global table: the notation's table, encoded.
  void globalTable(const std::string& notation) {
    tqvHandle stream = tqvFileStream(discPath("global.etn"), TQV_FILE_WRITE | TQV_FILE_CREATE);
    tqvEncode(stream, read(notation));
  }
  // Text (UTF-8) in code page 1252, and back.
  static tqvHandle S(const std::string& text) { return tqvMakeString(tqvUtf8ToCp1252(text)); }
  static std::string text(const tqvHandle& value) { return tqvCp1252ToUtf8(tqvStringView(value)); }
  static tqvHandle read(const std::string& notation) {
    return ControlsTest::read(tqvUtf8ToCp1252(notation));
  }

  TempDir user_;
};
