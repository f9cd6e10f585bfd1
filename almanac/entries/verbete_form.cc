// The entry viewer.
#include "almanac/entries/verbete_form.h"

#include <algorithm>
#include <string>

#include "almanac/catalogue/content_catalogue.h"
#include "almanac/catalogue/screens.h"
#include "framework/forms.h"
#include "framework/perform.h"
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

// The record position of an entry identifier (its low 16 bits), or -1.
TQVINT positionOf(TQVINT identifier) {
  return lxCatalogue().lookupNumber("VDB_LISTID", S(std::to_string(identifier & 0xFFFF)));
}

}  // namespace

VerbeteForm::VerbeteForm(const tqvHandle& definition)
    : BarraMenuForm(definition, "VerbeteForm", "Verbete") {}

tqvHandle VerbeteForm::makeInstance(const tqvHandle& definition) {
  return tqvWrapForm(new VerbeteForm(definition));
}

void VerbeteForm::open(const tqvHandle& data) {
  data_ = data;
  BarraMenuForm::open(data);
}

void VerbeteForm::afterOpen() {
  BarraMenuForm::afterOpen();
  start(data_);
}

void VerbeteForm::reopen(const tqvHandle& data) {
  start(data);
}

void VerbeteForm::start(const tqvHandle& data) {
  data_ = data;
  browseList_ = tqvHandle();
  browseIndex_ = 0;
  TQVINT position = -1;
  if (!data.is(TQV_TABLE_TYPE)) return;
  tqvHandle list = tqvGet(data, "BrowseList");
  TQVINT index = tqvNumberOf(tqvGet(data, "Index"), 0);
  tqvHandle text = tqvGet(data, "Text");
  if (tqvAsList(list) != nullptr && tqvCount(list) > 0) {
    browseList_ = list;
    browseIndex_ = std::clamp<TQVINT>(index, 0, tqvCount(list) - 1);
    position = positionOf(tqvIntValue(tqvGet(list, browseIndex_)));
  } else if (text.is(TQV_STRING_TYPE)) {
    position = lxCatalogue().lookupPosition(kEntries, text);
    if (position < 0) position = lxCatalogue().lookupPosition(kEntries, tqvLower(text));
  } else if (tqvContainsKey(data, "Index")) {
    position = index;
  }
  show(position);
}

void VerbeteForm::show(TQVINT position) {
  tqvHandle record = lxCatalogue().contentItem(kEntries, position);
  if (tqvAsList(record) == nullptr || tqvCount(record) < 5) return;
  position_ = position;
  title_ = tqvGet(record, 2);
  currentEntryId = tqvNumberOf(tqvGet(record, 0), 0);
  currentEntryTitle = title_;
  std::string text(tqvStringView(tqvGet(record, 4)));
  tqvHandle related = tqvGet(record, 5);
  if (related.is(TQV_STRING_TYPE) && tqvStringLength(related) > 0) {
    text +=
        tqvUtf8ToCp1252("\\par\\par (Veja Também: ") + std::string(tqvStringView(related)) + ")";
  }
  tqvHandle view = findControl(S("Texto"), S("Name"));
  if (!view.isNil()) tqvPerform(view, "SetText", S(text));
  tqvHandle heading = findControl(S("Titulo"), S("Name"));
  if (!heading.isNil()) tqvPerform(heading, "SetText", title_);
}

void VerbeteForm::step(bool forward) {
  if (!browseList_.isNil()) {
    TQVINT count = tqvCount(browseList_);
    browseIndex_ = ContentCatalogue::stepPosition(browseIndex_, count, forward);
    show(positionOf(tqvIntValue(tqvGet(browseList_, browseIndex_))));
  } else if (position_ >= 0) {
    show(ContentCatalogue::stepPosition(position_, lxCatalogue().contentCount(kEntries), forward));
  }
}

void VerbeteForm::followLink(const tqvHandle& link) {
  std::string target(tqvStringView(link));
  size_t colon = target.find(':');
  if (colon == std::string::npos) return;
  std::string kind = target.substr(0, colon), argument = target.substr(colon + 1);
  tqvHandle parameters = tqvTable(4);
  if (kind == "jump") {
    size_t semicolon = argument.find(';');
    std::string form = argument.substr(0, semicolon);
    if (semicolon != std::string::npos)
      tqvPut(parameters, "Text", S(argument.substr(semicolon + 1)));
    goTo(form, parameters);
  } else if (kind == "foto" || kind == "imagem" || kind == "mapa") {
    tqvPut(parameters, "Text", S(argument));
    goTo(kind == "mapa" ? "AtlasForm" : "MidiasForm", parameters);
  }
}

tqvHandle VerbeteForm::perform(const tqvHandle& action, const tqvHandle& data) {
  std::string_view name = tqvStringView(action);
  if (name == "Proximo" || name == "Anterior") {
    step(name == "Proximo");
  } else if ((name == "Texto" || name == "HyperLink") && data.is(TQV_TABLE_TYPE)) {
    followLink(tqvGet(data, "HyperLink"));
  } else {
    return BarraMenuForm::perform(action, data);
  }
  return tqvHandle();
}

tqvHandle VerbeteForm::historyText() {
  std::string text = tqvUtf8ToCp1252("Verbete: ");
  if (title_.is(TQV_STRING_TYPE)) text += std::string(tqvStringView(title_));
  return S(text);
}

tqvHandle VerbeteForm::historyState() {
  tqvHandle state = BarraMenuForm::historyState();
  if (title_.is(TQV_STRING_TYPE)) tqvPut(state, "Text", title_);
  return state;
}
