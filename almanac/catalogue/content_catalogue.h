// The content catalogues: the entries, media and atlas archives of the disc, the indexes
// that turn an item's identifier, title or file name into its position in its archive
// and give the display names of list items, and the category lists of each family.
// One object serves the whole run (lxCatalogue); sections ask it for positions, names,
// counts and items, and the almanac's list boxes bind to its name lists.
#pragma once

#include <string_view>

#include "values/handle.h"

// The family an operation works on.
enum class lxContentKind : TQVINT {
  Entries = 0,
  Media = 1,
  MediaSecondTitles = 2,  // media titles of the second title list (no archive of its own)
  Atlas = 4,
  General = 5,  // the general name list (no archive)
};

class ContentCatalogue {
 public:
  ContentCatalogue() = default;
  ~ContentCatalogue() = default;
  ContentCatalogue(const ContentCatalogue&) = delete;
  ContentCatalogue& operator=(const ContentCatalogue&) = delete;

  // Opens the archives and registers the thirteen catalogues; false at the first one
  // that is missing or does not open (the rest is not loaded). A second call after a
  // success opens nothing and answers true.
  bool initialize();
  bool initialized() const { return initialized_; }

  // Remembers `fileName` (located on the disc) for `catalogue` when it opens as an index.
  bool registerCatalogue(std::string_view catalogue, std::string_view fileName);
  // A freshly opened read-only index of the catalogue, or nil; it closes when released.
  tqvHandle openCatalogue(std::string_view catalogue);
  // The integer stored under `key` (an integer or its decimal text), -1 when absent.
  TQVINT lookupNumber(std::string_view catalogue, const tqvHandle& key);

  // Items of the kind's archive; 0 for kinds without one.
  TQVINT contentCount(TQVINT kind);
  // The item at `position` of the kind's archive, freshly decoded; nil when the archive
  // cannot be opened or the position lies outside it.
  tqvHandle contentItem(TQVINT kind, TQVINT position);

  // Makes the kind's name list current (kept open); nil for kinds without one.
  void selectNameList(TQVINT kind);
  bool hasCurrentNameList() const { return !nameList_.isNil(); }
  // A freshly opened index of the kind's name list (nil for kinds without one), apart
  // from the current one.
  tqvHandle openNameList(TQVINT kind);
  // The display name of a list item: from the current name list when one is set
  // (whatever the kind), else from the kind's own list. Nil when absent.
  tqvHandle lookupName(TQVINT kind, const tqvHandle& item);
  // The position of a title in the kind's title catalogue, or -1.
  TQVINT lookupPosition(TQVINT kind, const tqvHandle& title);

  // The members of a category; each family keeps the last list asked for.
  tqvHandle entryCategoryList(TQVINT category);
  tqvHandle atlasCategoryList(TQVINT category);
  tqvHandle mediaCategoryList(TQVINT category);

  // The position after or before `position` in a family of `count` items, wrapping.
  static TQVINT stepPosition(TQVINT position, TQVINT count, bool forward);
  // The position reached by stepping from the item whose identifier is `identifier`
  // (entries: "VDB_LISTID", media: "MDB_LISTID"); -1 when the identifier is unknown.
  TQVINT stepFromIdentifier(TQVINT kind, TQVINT identifier, bool forward);

  // Closes everything and forgets what was loaded.
  void close();

 private:
  struct CategoryCache {
    explicit CategoryCache(const char* name) : archive(name) {}
    const char* archive;
    TQVINT category = -1;
    tqvHandle list;
  };
  tqvHandle categoryList(CategoryCache& cache, TQVINT category);

  tqvHandle catalogues_;
  tqvHandle mediaArchive_;
  tqvHandle nameList_;
  bool initialized_ = false;
  TQVINT entryCount_ = 0;
  TQVINT atlasCount_ = 0;
  CategoryCache entryCategories_{CategoryCache("IDCatLst")};
  CategoryCache atlasCategories_{CategoryCache("ATCatLst")};
  CategoryCache mediaCategories_{CategoryCache("IDMidLst")};
};

// The one catalogue of the run, made on first use.
ContentCatalogue& lxCatalogue();
// Destroys it (closing its files); the next lxCatalogue() makes a new, empty one.
void lxResetCatalogue();
