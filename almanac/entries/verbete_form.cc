// The entry viewer.
#include "almanac/entries/verbete_form.h"

#include <algorithm>
#include <string>

#include "almanac/catalogue/content_catalogue.h"
#include "almanac/entries/search_highlight.h"
#include "almanac/navigation/bookmarks.h"
#include "controls/menu_table.h"
#include "framework/control_object.h"
#include "framework/cursor.h"
#include "framework/event.h"
#include "framework/events.h"
#include "framework/forms.h"
#include "framework/history.h"
#include "framework/perform.h"
#include "values/buffer.h"
#include "values/convert.h"
#include "values/cp1252.h"
#include "values/generic.h"
#include "values/list.h"
#include "values/string.h"
#include "values/table.h"

namespace {

constexpr TQVINT kEntries = static_cast<TQVINT>(lxContentKind::Entries);

tqvHandle S(std::string_view text) {
  return tqvMakeString(text);
}

tqvHandle U(const char* utf8) {
  return tqvMakeString(tqvUtf8ToCp1252(utf8));
}

// The category list shown last, for "Index" without "SCatID".
TQVINT& lastCategory() {
  static TQVINT category = -1;
  return category;
}

// The record of an entry identifier (its low 16 bits), or -1.
TQVINT recordOf(const tqvHandle& identifier) {
  if (!identifier.is(TQV_INT_TYPE)) return -1;
  return lxCatalogue().lookupNumber("VDB_LISTID",
                                    S(std::to_string(tqvIntValue(identifier) & 0xFFFF)));
}

// The record of an entry name, as given or in lower case; -1 when unknown.
TQVINT recordOfName(const tqvHandle& name) {
  if (!name.is(TQV_STRING_TYPE)) return -1;
  TQVINT record = lxCatalogue().lookupPosition(kEntries, name);
  return record >= 0 ? record : lxCatalogue().lookupPosition(kEntries, tqvLower(name));
}

std::string textOf(const tqvHandle& value) {
  return value.is(TQV_STRING_TYPE) ? std::string(tqvStringView(value)) : std::string();
}

void setMenuItem(const char* label, bool enabled) {
  tqvSetMenuItemDisabled(S("PopUpMenu"), U(label), !enabled);
}

}  // namespace

VerbeteForm::VerbeteForm(const tqvHandle& definition)
    : LXTextForm(definition, "VerbeteForm", "Verbete") {}

tqvHandle VerbeteForm::makeInstance(const tqvHandle& definition) {
  return tqvWrapForm(new VerbeteForm(definition));
}

void VerbeteForm::open(const tqvHandle& data) {
  readParameters(data);
  applyTheme(false);
  LXTextForm::open(data);
}

void VerbeteForm::afterOpen() {
  LXTextForm::afterOpen();
  showEntry(record_, false);
  setMenuItem("Roteiros", true);
}

void VerbeteForm::reopen(const tqvHandle& data) {
  readParameters(data);
  applyTheme(true);
  showEntry(record_, true);
  setMenuItem("Roteiros", true);
}

void VerbeteForm::close() {
  for (const char* item : {"Marcar", "Desmarcar", "Roteiros"}) setMenuItem(item, false);
  LXTextForm::close();
}

void VerbeteForm::readParameters(const tqvHandle& data) {
  parameters_ = data.is(TQV_TABLE_TYPE) ? data : tqvTable(4);
  browseList_ = tqvHandle();
  searchedText_ = tqvHandle();
  fullList_ = false;
  position_ = 0;
  record_ = -1;
  entry_ = tqvHandle();
  tqvHandle list = tqvGet(parameters_, "BrowseList");
  tqvHandle index = tqvGet(parameters_, "Index");
  tqvHandle text = tqvGet(parameters_, "Text");
  auto openOn = [this](const tqvHandle& list, const tqvHandle& index) {
    browseList_ = tqvAsList(list) != nullptr && tqvCount(list) > 0 ? list : tqvHandle();
    if (browseList_.isNil()) return;
    position_ = std::clamp<TQVINT>(tqvNumberOf(index, 0), 0, tqvCount(browseList_) - 1);
    record_ = recordOf(tqvGet(browseList_, position_));
  };
  if (!list.isNil()) {
    listKind_ = tqvContainsKey(parameters_, "Roteiro") ? kItinerary : kSearchResult;
    tqvHandle searched = tqvGet(parameters_, "SearchedText");
    if (listKind_ == kSearchResult && searched.is(TQV_STRING_TYPE)) searchedText_ = searched;
    openOn(list, index);
  } else if (tqvFlagOf(tqvGet(parameters_, "FullList"), false) ||
             (index.isNil() && !text.isNil())) {
    listKind_ = kFullList;
    fullList_ = true;
    record_ = index.is(TQV_INT_TYPE) ? recordOf(index) : recordOfName(text);
  } else if (!index.isNil()) {
    tqvHandle category = tqvGet(parameters_, "SCatID");
    if (category.is(TQV_INT_TYPE)) lastCategory() = tqvIntValue(category);
    if (lastCategory() >= 0 && lastCategory() != kFullList) {
      listKind_ = lastCategory();
      openOn(lxCatalogue().entryCategoryList(listKind_), index);
    } else {
      listKind_ = kFullList;
      fullList_ = true;
      record_ = tqvNumberOf(index, -1);
    }
  }
}

void VerbeteForm::applyTheme(bool draw) {
  std::string kind = std::to_string(listKind_);
  tqvHandle background = property("Cat" + kind + " BkImage");
  if (background.isNil() || themedKind_ == listKind_) return;
  themedKind_ = listKind_;
  setProperty("Background Image", background);
  if (!draw) return;
  setBackground(resolvedProperty("Background Image"));
  this->draw();
}

void VerbeteForm::showEntry(TQVINT record, bool addToHistory) {
  tqvHandle entry = lxCatalogue().contentItem(kEntries, record);
  if (tqvAsList(entry) == nullptr || tqvCount(entry) < 6) return;
  record_ = record;
  entry_ = entry;
  tqvPut(parameters_, "Text", tqvGet(entry, 2));
  tqvPut(parameters_, "Index", listKind_ == kFullList ? tqvGet(entry, 0) : tqvMakeInt(position_));
  // The entry's own category is what a click on its name lists, in every kind of list;
  // only a category list keeps it among its parameters.
  currentCategoryId = tqvNumberOf(tqvGet(entry, 3), 0);
  bool category = listKind_ != kFullList && listKind_ != kItinerary && listKind_ != kSearchResult;
  if (category) tqvPut(parameters_, "SCatID", tqvMakeInt(currentCategoryId));
  currentEntryId = identifier();
  currentEntryTitle = tqvGet(entry, 2);
  bool marked = lxIsBookmarked(currentEntryId);
  setMenuItem("Desmarcar", marked);
  setMenuItem("Marcar", !marked);
  refresh();
  if (addToHistory) {
    tqvRecordNavigation(tqvNavigationRecord(), name(), parameters_, historyState());
    tqvUpdateNavigationControls();
  }
}

bool VerbeteForm::refresh() {
  tqvHandle label = findControlNamed("SCategName");
  if (tqvControlObject* c = tqvAsControl(label)) {
    std::string kind = std::to_string(listKind_);
    tqvHandle colour = property("Cat" + kind + " TxColor");
    if (!colour.isNil()) c->setProperty("Foreground Color", colour);
    tqvHandle names = property("MCategs");
    tqvHandle categoryName = tqvAsList(names) != nullptr && listKind_ < tqvCount(names)
                                 ? tqvGet(names, listKind_)
                                 : tqvHandle();
    tqvPerform(label, "SetText", categoryName.is(TQV_STRING_TYPE) ? categoryName : S(""));
    tqvPerform(label, "Initialize", tqvHandle());
  }
  tqvHandle item = findControlNamed("ItemName");
  if (!item.isNil()) tqvPerform(item, "SetText", tqvGet(entry_, 2));
  tqvHandle view = findControlNamed("Texto");
  if (view.isNil()) return false;
  tqvPerform(view, "Initialize", tqvHandle());
  tqvHandle pictures = tqvGet(entry_, 8);
  tqvHandle images = tqvTable(4);
  for (TQVINT i = 0; tqvAsList(pictures) != nullptr && i < tqvCount(pictures); ++i) {
    tqvHandle file = tqvGet(pictures, i);
    TQVINT media = lxCatalogue().lookupNumber("MDB_FNAME", file);
    tqvHandle record = media >= 0 ? lxCatalogue().contentItem(1, media) : tqvHandle();
    if (tqvAsList(record) == nullptr || tqvCount(record) < 7) return false;
    tqvPut(images, file, tqvGet(record, 6));
  }
  tqvPerform(view, "SetImageList", images);
  std::string text = textOf(tqvGet(entry_, 4));
  if (listKind_ == kSearchResult && !searchedText_.isNil()) {
    text = lxHighlightSearchTerms(tqvStringView(searchedText_), text);
  }
  tqvPerform(view, "SetText", S(text));
  tqvHandle related = findControlNamed(tqvUtf8ToCp1252("VejaTambém"));
  std::string relatedText = textOf(tqvGet(entry_, 5));
  if (!related.isNil()) {
    tqvPerform(related, "Hidden", tqvMakeBoolean(relatedText.empty()));
    if (!relatedText.empty()) {
      tqvPerform(related, "Initialize", tqvHandle());
      // A buffer is laid out as it is: the line starts at the top of its narrow view.
      tqvPerform(related, "SetText",
                 tqvBufferFromString(S(tqvUtf8ToCp1252("(Veja Também: ") + relatedText + ")")));
    }
  }
  return true;
}

TQVINT VerbeteForm::identifier() const {
  if (!fullList_ && !browseList_.isNil()) {
    return tqvNumberOf(tqvGet(browseList_, position_), 0) & 0xFFFF;
  }
  return entry_.isNil() ? 0 : tqvNumberOf(tqvGet(entry_, 0), 0) & 0xFFFF;
}

void VerbeteForm::step(bool forward) {
  if (entry_.isNil()) return;
  tqvShowWaitCursor();
  TQVINT record = -1;
  if (!fullList_ && !browseList_.isNil()) {
    position_ = ContentCatalogue::stepPosition(position_, tqvCount(browseList_), forward);
    record = recordOf(tqvGet(browseList_, position_));
  } else {
    record = ContentCatalogue::stepPosition(record_, lxCatalogue().contentCount(kEntries), forward);
  }
  showEntry(record, false);
  tqvFlushEvents(TQV_MOUSE_DOWN_EVENT | TQV_MOUSE_UP_EVENT | TQV_KEY_DOWN_EVENT | TQV_KEY_UP_EVENT);
  tqvResetCursor();
}

void VerbeteForm::mark(bool marked) {
  if (entry_.isNil()) return;
  lxSetBookmarked(identifier(), marked);
  setMenuItem("Marcar", !marked);
  setMenuItem("Desmarcar", marked);
  if (marked || lxBookmarkCount() == 0) setMenuItem("Lista de Marcados", marked);
}

tqvHandle VerbeteForm::perform(const tqvHandle& action, const tqvHandle& data) {
  std::string_view name = tqvStringView(action);
  if (name == "Next" || name == "Proximo" || name == "Previous" || name == "Anterior") {
    step(name == "Next" || name == "Proximo");
  } else if (name == "Imprimir" && !entry_.isNil()) {
    std::string title = textOf(tqvGet(entry_, 1));
    print(S(title.substr(0, title.find('{'))), tqvGet(entry_, 4));
  } else if (name == "Copiar" && !entry_.isNil()) {
    copy(tqvGet(entry_, 1), tqvGet(entry_, 4));
  } else if (name == "Marcar" || name == "Desmarcar") {
    mark(name == "Marcar");
  } else {
    return LXTextForm::perform(action, data);
  }
  return tqvHandle();
}

void VerbeteForm::itineraries(const tqvHandle& choice) {
  tqvHandle text = choice.is(TQV_TABLE_TYPE) ? tqvGet(choice, "Text") : tqvHandle();
  if (tqvEquals(text, "Marcar") || tqvEquals(text, "Desmarcar")) {
    perform(text, tqvHandle());
  } else {
    LXTextForm::itineraries(choice);
  }
}

tqvHandle VerbeteForm::historyText() {
  std::string title = entry_.isNil() ? "" : textOf(tqvGet(entry_, 1));
  return S(tqvUtf8ToCp1252("Verbete: ") + title.substr(0, title.find('{')));
}

tqvHandle VerbeteForm::historyState() {
  tqvHandle state = LXTextForm::historyState();
  if (!entry_.isNil()) tqvPut(state, "Text", tqvGet(entry_, 2));
  return state;
}
