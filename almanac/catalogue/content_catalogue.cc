// The content catalogues.
#include "almanac/catalogue/content_catalogue.h"

#include <memory>
#include <string>

#include "media/resources.h"
#include "storage/archive.h"
#include "storage/file_stream.h"
#include "storage/index.h"
#include "values/convert.h"
#include "values/error.h"
#include "values/generic.h"
#include "values/string.h"
#include "values/table.h"

namespace {

struct CatalogueFile {
  const char* name;
  const char* file;
};

// Registered in this order; the entries and media ones come before the media archive
// opens, the atlas ones after the atlas archive.
constexpr CatalogueFile kEntryAndMediaCatalogues[] = {
    {"GDB_NAMELIST", "GNRNList.IDX"},  {"VDB_LISTID", "VDBLstID.IDX"},
    {"VDB_NAMELIST", "VDBNList.IDX"},  {"VDB_IDLIST", "VDBIDLst.IDX"},
    {"VDB_NAME", "VDBName.IDX"},       {"MDB_LISTID", "MDBLstID.IDX"},
    {"MDB_FNAMELIST", "MDBFName.IDX"}, {"MDB_NAMELIST", "MDBName.IDX"},
    {"MDB_FNAME", "MDBNList.IDX"},     {"MDB_IDLIST", "MDBIDLst.IDX"},
    {"MDB_IDLIST2", "MDBIDLt2.IDX"},
};
constexpr CatalogueFile kAtlasCatalogues[] = {
    {"DBL_NAMELIST", "ATNamLst.IDX"},
    {"DBL_IDLIST", "ATIDList.IDX"},
};

const char* nameListOf(TQVINT kind) {
  switch (static_cast<lxContentKind>(kind)) {
    case lxContentKind::Entries:
      return "VDB_NAMELIST";
    case lxContentKind::Media:
      return "MDB_NAMELIST";
    case lxContentKind::Atlas:
      return "DBL_NAMELIST";
    case lxContentKind::General:
      return "GDB_NAMELIST";
    default:
      return nullptr;
  }
}

const char* titleCatalogueOf(TQVINT kind) {
  switch (static_cast<lxContentKind>(kind)) {
    case lxContentKind::Entries:
      return "VDB_IDLIST";
    case lxContentKind::Media:
      return "MDB_IDLIST";
    case lxContentKind::MediaSecondTitles:
      return "MDB_IDLIST2";
    case lxContentKind::Atlas:
      return "DBL_IDLIST";
    default:
      return nullptr;
  }
}

// The path of a content file on the disc: its name and extension located the way every
// resource file is.
tqvHandle located(std::string_view name, std::string_view extension) {
  return tqvLocateFile(tqvMakeString(name), tqvMakeString(extension));
}

// An archive, or nil when the file is missing or was reported foreign or damaged.
tqvHandle openArchive(std::string_view name, std::string_view extension) {
  tqvHandle path = located(name, extension);
  if (!tqvFileExists(path)) return tqvHandle();
  int before = tqvQuietErrors::total();
  tqvHandle archive = tqvOpenArchive(path, 0);
  return archive.is(TQV_ARCHIVE_TYPE) && tqvQuietErrors::total() == before ? archive : tqvHandle();
}

// A file name with an extension, split for the locator.
tqvHandle locatedFile(std::string_view fileName) {
  size_t dot = fileName.rfind('.');
  if (dot == std::string_view::npos) return located(fileName, "");
  return located(fileName.substr(0, dot), fileName.substr(dot + 1));
}

tqvHandle openIndex(const tqvHandle& path) {
  if (!tqvFileExists(path)) return tqvHandle();
  int before = tqvQuietErrors::total();
  tqvHandle index = tqvOpenIndex(path, 0, 0);
  tqvIndexObject* object = tqvAsIndex(index);
  return object != nullptr && object->isOpen() && tqvQuietErrors::total() == before ? index
                                                                                    : tqvHandle();
}

std::unique_ptr<ContentCatalogue>& theCatalogue() {
  static std::unique_ptr<ContentCatalogue> catalogue;
  return catalogue;
}

}  // namespace

bool ContentCatalogue::initialize() {
  if (initialized_) return true;
  // While the disc's files are opened a missing or damaged one is an answer (the caller
  // reports the database as unusable), not a fatal error.
  tqvQuietErrors quiet;
  catalogues_ = tqvTable(4, 100);
  tqvHandle entries = openArchive("Verbetes", "DAT");
  if (entries.isNil()) return false;
  entryCount_ = tqvCount(entries);
  entries = tqvHandle();
  for (const CatalogueFile& catalogue : kEntryAndMediaCatalogues) {
    if (!registerCatalogue(catalogue.name, catalogue.file)) return false;
  }
  mediaArchive_ = openArchive("Midias", "DAT");
  if (mediaArchive_.isNil()) return false;
  tqvHandle atlas = openArchive("Atlas", "DAT");
  if (atlas.isNil()) return false;
  atlasCount_ = tqvCount(atlas);
  atlas = tqvHandle();
  for (const CatalogueFile& catalogue : kAtlasCatalogues) {
    if (!registerCatalogue(catalogue.name, catalogue.file)) return false;
  }
  initialized_ = true;
  return true;
}

bool ContentCatalogue::registerCatalogue(std::string_view catalogue, std::string_view fileName) {
  if (catalogues_.isNil()) catalogues_ = tqvTable(4, 100);
  if (openIndex(locatedFile(fileName)).isNil()) return false;
  tqvPut(catalogues_, tqvMakeString(catalogue), tqvMakeString(fileName));
  return true;
}

tqvHandle ContentCatalogue::openCatalogue(std::string_view catalogue) {
  if (catalogues_.isNil()) return tqvHandle();
  tqvHandle fileName = tqvGet(catalogues_, tqvMakeString(catalogue));
  if (!fileName.is(TQV_STRING_TYPE)) return tqvHandle();
  return openIndex(locatedFile(tqvStringView(fileName)));
}

TQVINT ContentCatalogue::lookupNumber(std::string_view catalogue, const tqvHandle& key) {
  tqvHandle index = openCatalogue(catalogue);
  if (index.isNil()) return -1;
  tqvHandle value = tqvGet(index, key);
  return value.isNil() ? -1 : tqvIntValue(value);
}

TQVINT ContentCatalogue::contentCount(TQVINT kind) {
  switch (static_cast<lxContentKind>(kind)) {
    case lxContentKind::Entries:
      return entryCount_;
    case lxContentKind::Media:
      return mediaArchive_.isNil() ? 0 : tqvCount(mediaArchive_);
    case lxContentKind::Atlas:
      return atlasCount_;
    default:
      return 0;
  }
}

tqvHandle ContentCatalogue::contentItem(TQVINT kind, TQVINT position) {
  tqvHandle archive;
  switch (static_cast<lxContentKind>(kind)) {
    case lxContentKind::Entries:
      archive = openArchive("Verbetes", "DAT");
      break;
    case lxContentKind::Media:
      archive = mediaArchive_;
      break;
    case lxContentKind::Atlas:
      archive = openArchive("Atlas", "DAT");
      break;
    default:
      return tqvHandle();
  }
  // A position from a damaged catalogue must not end the program.
  if (archive.isNil() || position < 0 || position >= tqvCount(archive)) return tqvHandle();
  return tqvGet(archive, position);
}

void ContentCatalogue::selectNameList(TQVINT kind) {
  nameList_ = tqvHandle();
  if (const char* catalogue = nameListOf(kind)) nameList_ = openCatalogue(catalogue);
}

tqvHandle ContentCatalogue::openNameList(TQVINT kind) {
  const char* catalogue = nameListOf(kind);
  return catalogue == nullptr ? tqvHandle() : openCatalogue(catalogue);
}

tqvHandle ContentCatalogue::lookupName(TQVINT kind, const tqvHandle& item) {
  if (!nameList_.isNil()) return tqvGet(nameList_, item);
  const char* catalogue = nameListOf(kind);
  if (catalogue == nullptr) return tqvHandle();
  tqvHandle index = openCatalogue(catalogue);
  return index.isNil() ? tqvHandle() : tqvGet(index, item);
}

TQVINT ContentCatalogue::lookupPosition(TQVINT kind, const tqvHandle& title) {
  const char* catalogue = titleCatalogueOf(kind);
  return catalogue == nullptr ? -1 : lookupNumber(catalogue, title);
}

tqvHandle ContentCatalogue::categoryList(CategoryCache& cache, TQVINT category) {
  if (category != cache.category) {
    tqvHandle archive = openArchive(cache.archive, "DTT");
    cache.list = archive.isNil() || category < 0 || category >= tqvCount(archive)
                     ? tqvHandle()
                     : tqvGet(archive, category);
    cache.category = category;
  }
  return cache.list;
}

tqvHandle ContentCatalogue::entryCategoryList(TQVINT category) {
  return categoryList(entryCategories_, category);
}

tqvHandle ContentCatalogue::atlasCategoryList(TQVINT category) {
  return categoryList(atlasCategories_, category);
}

tqvHandle ContentCatalogue::mediaCategoryList(TQVINT category) {
  return categoryList(mediaCategories_, category);
}

TQVINT ContentCatalogue::stepPosition(TQVINT position, TQVINT count, bool forward) {
  if (count <= 0) return -1;
  if (forward) return position + 1 >= count || position < 0 ? 0 : position + 1;
  return position <= 0 || position >= count ? count - 1 : position - 1;
}

TQVINT ContentCatalogue::stepFromIdentifier(TQVINT kind, TQVINT identifier, bool forward) {
  const char* catalogue = kind == static_cast<TQVINT>(lxContentKind::Media)     ? "MDB_LISTID"
                          : kind == static_cast<TQVINT>(lxContentKind::Entries) ? "VDB_LISTID"
                                                                                : nullptr;
  if (catalogue == nullptr) return -1;
  TQVINT position = lookupNumber(catalogue, tqvMakeString(std::to_string(identifier & 0xFFFF)));
  if (position < 0) return -1;
  return stepPosition(position, contentCount(kind), forward);
}

void ContentCatalogue::close() {
  catalogues_ = tqvHandle();
  mediaArchive_ = tqvHandle();
  nameList_ = tqvHandle();
  initialized_ = false;
  entryCount_ = atlasCount_ = 0;
  for (CategoryCache* cache : {&entryCategories_, &atlasCategories_, &mediaCategories_}) {
    cache->category = -1;
    cache->list = tqvHandle();
  }
}

ContentCatalogue& lxCatalogue() {
  std::unique_ptr<ContentCatalogue>& catalogue = theCatalogue();
  if (!catalogue) catalogue = std::make_unique<ContentCatalogue>();
  return *catalogue;
}

void lxResetCatalogue() {
  theCatalogue().reset();
}
