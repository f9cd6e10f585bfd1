// The list dialogs.
#include "almanac/catalogue/list_dialog.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <vector>

#include "almanac/catalogue/content_catalogue.h"
#include "almanac/catalogue/list_classes.h"
#include "framework/perform.h"
#include "storage/index.h"
#include "values/charmaps.h"
#include "values/convert.h"
#include "values/generic.h"
#include "values/list.h"
#include "values/string.h"
#include "values/table.h"

namespace {

tqvHandle S(std::string_view text) {
  return tqvMakeString(text);
}

// The key as an identifier, when it is decimal digits (the item-count key is not).
bool identifierOf(const tqvHandle& key, TQVINT& identifier) {
  if (!key.is(TQV_STRING_TYPE)) return false;
  std::string_view text = tqvStringView(key);
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), identifier);
  return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

}  // namespace

tqvHandle lxAlphabeticalItems(TQVINT kind) {
  tqvHandle index = lxCatalogue().openNameList(kind);
  tqvIndexObject* names = tqvAsIndex(index);
  if (names == nullptr) return tqvHandle();
  struct Item {
    TQVINT identifier;
    std::string name;
  };
  std::vector<Item> items;
  tqvHandle entries = names->entries();
  for (TQVINT i = 0; i < tqvCount(entries); ++i) {
    tqvHandle pair = tqvGet(entries, i);
    tqvHandle name = tqvGet(pair, 1);
    TQVINT identifier = 0;
    if (name.is(TQV_STRING_TYPE) && identifierOf(tqvGet(pair, 0), identifier)) {
      items.push_back({identifier, std::string(tqvStringView(name))});
    }
  }
  std::stable_sort(items.begin(), items.end(),
                   [](const Item& a, const Item& b) { return tqvReaderOrder(a.name, b.name) < 0; });
  tqvHandle list = tqvMakeIntList(static_cast<TQVINT>(items.size()) + 4);
  for (const Item& item : items) tqvAsList(list)->appendInt(item.identifier);
  return list;
}

tqvHandle ListasDlg::makeInstance(const tqvHandle& definition) {
  return tqvWrapForm(new ListasDlg(definition));
}

void ListasDlg::open(const tqvHandle& data) {
  tqvHandle category = data.is(TQV_TABLE_TYPE) ? tqvGet(data, "SCatID") : tqvHandle();
  category_ = category.is(TQV_INT_TYPE) ? std::max<TQVINT>(tqvIntValue(category), -1) : -1;
  formName_ = data.is(TQV_TABLE_TYPE) ? tqvGet(data, "Form Name") : tqvHandle();
  tqvStandardDialog::open(data);
}

void ListasDlg::afterOpen() {
  tqvStandardDialog::afterOpen();
  tqvHandle control = findControlNamed("Lista");
  auto* list = dynamic_cast<LXListBox*>(tqvAsListControl(control));
  if (list == nullptr) return;
  if (category_ >= 0 && list->kind() == static_cast<TQVINT>(lxContentKind::Entries)) {
    tqvHandle members = lxCatalogue().entryCategoryList(category_);
    // An unknown category shows the whole index rather than an empty list.
    if (tqvAsList(members) != nullptr && tqvCount(members) > 0) {
      tqvPerform(control, "setList", members);
    } else {
      category_ = -1;
    }
  }
  if (list->count() == 0) {
    tqvHandle items = lxAlphabeticalItems(list->kind());
    if (!items.isNil()) tqvPerform(control, "setList", items);
  }
  if (list->count() > 0) list->select(0);
}

void ListasDlg::choose() {
  tqvHandle control = findControlNamed("Lista");
  tqvListControl* list = tqvAsListControl(control);
  TQVINT selected = list == nullptr ? -1 : list->selection();
  if (selected < 0) return;
  tqvHandle text = list->itemText(list->item(selected), selected);
  if (!text.is(TQV_STRING_TYPE)) return;
  tqvHandle result = tqvTable(4);
  tqvPut(result, "Text", text);
  if (category_ >= 0) {
    tqvPut(result, "Index", tqvMakeInt(selected));
    tqvPut(result, "SCatID", tqvMakeInt(category_));
    if (formName_.is(TQV_STRING_TYPE)) tqvPut(result, "Form Name", formName_);
  } else {
    tqvPut(result, "Index", list->item(selected));
  }
  setResult(result);
  end();
}

tqvHandle ListasDlg::perform(const tqvHandle& action, const tqvHandle& data) {
  std::string_view name = tqvStringView(action);
  if (name == "dblClicked" || name == "Ok") {
    choose();
  } else if (name == "Cancelar" || name == "Fechar") {
    end();
  } else if (name != "Lista") {
    return tqvStandardDialog::perform(action, data);
  }
  return tqvHandle();
}
