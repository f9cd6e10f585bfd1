// The bookmarks.
#include "almanac/navigation/bookmarks.h"

#include "almanac/catalogue/user_files.h"
#include "storage/archive.h"
#include "storage/file_stream.h"
#include "storage/memory_stream.h"
#include "values/error.h"
#include "values/generic.h"
#include "values/list.h"

namespace {

constexpr const char* kBookmarkFile = "MARKLIST.DTT";

struct BookmarkState {
  bool loaded = false;
  tqvHandle list;
};

BookmarkState& state() {
  static BookmarkState bookmarks;
  return bookmarks;
}

// Item 0 of the file when it is an integer list; nil for anything else.
tqvHandle readFile() {
  tqvHandle path = lxUserFile(kBookmarkFile);
  if (path.isNil() || !tqvFileExists(path)) return tqvHandle();
  tqvQuietErrors quiet;
  tqvHandle archive = tqvOpenArchive(path, 0);
  if (!archive.is(TQV_ARCHIVE_TYPE) || tqvCount(archive) < 1) return tqvHandle();
  tqvHandle list = tqvGet(archive, 0);
  if (quiet.count() != 0) return tqvHandle();
  tqvListObject* l = tqvAsList(list);
  return l != nullptr && l->kind() == TQV_INTLIST_KIND ? list : tqvHandle();
}

}  // namespace

tqvHandle lxBookmarks() {
  BookmarkState& s = state();
  if (!s.loaded) {
    s.loaded = true;
    s.list = readFile();
    if (!s.list.isNil() && tqvCount(s.list) == 0) s.list = tqvHandle();
  }
  return s.list;
}

TQVINT lxBookmarkCount() {
  tqvHandle list = lxBookmarks();
  return list.isNil() ? 0 : tqvCount(list);
}

bool lxIsBookmarked(TQVINT identifier) {
  tqvHandle list = lxBookmarks();
  return !list.isNil() && tqvAsList(list)->indexOf(tqvMakeInt(identifier), 0) >= 0;
}

bool lxSetBookmarked(TQVINT identifier, bool marked) {
  if (lxIsBookmarked(identifier) != marked) {
    BookmarkState& s = state();
    if (marked) {
      if (s.list.isNil()) s.list = tqvMakeIntList(4, 100);
      tqvAsList(s.list)->appendInt(identifier);
    } else {
      tqvAsList(s.list)->removeEqual(tqvMakeInt(identifier));
      if (tqvCount(s.list) == 0) s.list = tqvHandle();
    }
  }
  return lxSaveBookmarks();
}

bool lxSaveBookmarks() {
  tqvHandle list = lxBookmarks();
  if (list.isNil()) list = tqvMakeIntList(4, 100);
  tqvHandle stream = tqvMemoryStream(nullptr, 0);
  {
    tqvHandle archive = tqvCreateArchive(stream, 1);
    tqvAddItem(archive, list);
  }  // the archive writes its item table as it is released
  tqvHandle path = lxUserFile(kBookmarkFile);
  return !path.isNil() &&
         tqvWriteWholeFile(path, stream.as<tqvMemoryStreamObject>()->writtenBytes(), true);
}

void lxForgetBookmarks() {
  state() = BookmarkState();
}
