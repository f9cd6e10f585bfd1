// A first viewer of media and atlas items.
#include "almanac/entries/item_viewer_form.h"

#include <string>

#include "almanac/catalogue/content_catalogue.h"
#include "framework/perform.h"
#include "values/cp1252.h"
#include "values/generic.h"
#include "values/list.h"
#include "values/string.h"
#include "values/table.h"

namespace {

tqvHandle S(std::string_view text) {
  return tqvMakeString(text);
}

std::string textOf(const tqvHandle& value) {
  return value.is(TQV_STRING_TYPE) ? std::string(tqvStringView(value)) : std::string();
}

// The position of a title among the family's items, as given or in lower case; -1.
TQVINT positionOf(const std::vector<lxContentKind>& kinds, const tqvHandle& title) {
  if (!title.is(TQV_STRING_TYPE)) return -1;
  for (const tqvHandle& key : {title, tqvLower(title)}) {
    for (lxContentKind kind : kinds) {
      TQVINT position = lxCatalogue().lookupPosition(static_cast<TQVINT>(kind), key);
      if (position >= 0) return position;
    }
  }
  return -1;
}

std::string picture(const std::string& file) {
  return file.empty() ? "" : "\\qc {\\img " + file + "\\}\\par\\ql ";
}

}  // namespace

LXItemViewerForm::LXItemViewerForm(Family family, const tqvHandle& definition)
    : LXTextForm(definition, family == Family::Media ? "MidiasForm" : "AtlasForm"),
      family_(family) {}

tqvHandle LXItemViewerForm::makeInstance(const tqvHandle& definition) {
  return tqvWrapForm(new LXItemViewerForm(family_, definition));
}

void LXItemViewerForm::open(const tqvHandle& data) {
  data_ = data;
  LXTextForm::open(data);
}

void LXItemViewerForm::afterOpen() {
  LXTextForm::afterOpen();
  show(data_);
}

void LXItemViewerForm::reopen(const tqvHandle& data) {
  show(data);
}

void LXItemViewerForm::show(const tqvHandle& data) {
  data_ = data;
  tqvHandle name = data.is(TQV_TABLE_TYPE) ? tqvGet(data, "Text") : data;
  bool media = family_ == Family::Media;
  TQVINT position = media
                        ? positionOf({lxContentKind::MediaSecondTitles, lxContentKind::Media}, name)
                        : positionOf({lxContentKind::Atlas}, name);
  tqvHandle item = lxCatalogue().contentItem(
      static_cast<TQVINT>(media ? lxContentKind::Media : lxContentKind::Atlas), position);
  if (tqvAsList(item) == nullptr || tqvCount(item) < 8) return;
  title_ = tqvGet(item, 1);
  // Media: (id title category type caption file ...); atlas: (id title name flag map
  // anthem facts text continent).
  std::string text = media ? picture(textOf(tqvGet(item, 5))) + textOf(tqvGet(item, 4))
                           : picture(textOf(tqvGet(item, 4))) + textOf(tqvGet(item, 6)) + "\\par " +
                                 textOf(tqvGet(item, 7));
  tqvHandle label = findControlNamed("ItemName");
  if (!label.isNil()) tqvPerform(label, "SetText", title_);
  tqvHandle view = findControlNamed("Texto");
  if (view.isNil()) return;
  tqvPerform(view, "Initialize", tqvHandle());
  if (media) {
    tqvHandle images = tqvTable(4);
    tqvPut(images, tqvGet(item, 5), tqvGet(item, 6));
    tqvPerform(view, "SetImageList", images);
  }
  tqvPerform(view, "SetText", S(text));
}

tqvHandle LXItemViewerForm::historyText() {
  std::string prefix = tqvUtf8ToCp1252(family_ == Family::Media ? "Mídias - " : "Atlas: ");
  return S(prefix + textOf(title_));
}

tqvHandle LXItemViewerForm::historyState() {
  tqvHandle state = LXTextForm::historyState();
  if (title_.is(TQV_STRING_TYPE)) tqvPut(state, "Text", title_);
  return state;
}
