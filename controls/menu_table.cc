// Menu tables: items, sub-menus, results and the disabled-items table.
#include "controls/menu_table.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "framework/environment.h"
#include "media/resources.h"
#include "values/charmaps.h"
#include "values/convert.h"
#include "values/generic.h"
#include "values/list.h"
#include "values/string.h"
#include "values/table.h"

namespace {

constexpr std::string_view kDisabledTable = "DisabledMenuItemsTable";

// Keys of a menu table that describe the menu itself and stay out of results.
constexpr std::array<std::string_view, 6> kMenuKeys = {
    "Items", "CascadeTable", "DlgName", "Origin X", "Origin Y", "UseDefaultPosition"};
// Keys of an item that describe its look and stay out of results.
constexpr std::array<std::string_view, 4> kItemKeys = {"Text", "Disabled", "Key", "Image"};

template <size_t N>
bool oneOf(const tqvHandle& key, const std::array<std::string_view, N>& names) {
  if (!key.is(TQV_STRING_TYPE)) return false;
  return std::find(names.begin(), names.end(), tqvStringView(key)) != names.end();
}

unsigned char upper(unsigned char c) {
  return tqvCharmaps::upper[c];
}

bool isLetterOrDigit(unsigned char c) {
  return (c >= '0' && c <= '9') || tqvCharmaps::upper[c] != tqvCharmaps::lower[c];
}

// Copies the entries of `from` into `to`, leaving out the keys in `skip`.
template <size_t N>
void copyEntries(const tqvHandle& from, const tqvHandle& to,
                 const std::array<std::string_view, N>& skip) {
  tqvTableObject* source = tqvAsTable(from);
  tqvTableObject* target = tqvAsTable(to);
  if (source == nullptr || target == nullptr) return;
  for (TQVINT slot = source->firstSlot(); slot >= 0; slot = source->nextSlot(slot)) {
    tqvHandle key = source->keyAt(slot);
    if (!oneOf(key, skip)) target->store(key, source->valueAt(slot));
  }
}

// The item's label and accelerator from the label as written.
void readLabel(std::string_view raw, tqvMenuItem& item) {
  std::string label;
  label.reserve(raw.size());
  TQVINT marked = -1;
  for (size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] == '&' && i + 1 < raw.size()) {
      ++i;
      if (raw[i] != '&' && marked < 0) marked = static_cast<TQVINT>(label.size());
    }
    label += raw[i];
  }
  item.label = tqvMakeString(label);
  item.separator = label == "-";

  std::string shown = label.substr(0, TQV_MENU_MAX_LABEL);
  for (char& c : shown) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  }
  item.shown = tqvMakeString(shown);
  if (item.separator) return;

  tqvHandle key =
      item.source.is(TQV_TABLE_TYPE) ? tqvDereference(tqvGet(item.source, "Key")) : tqvHandle();
  if (key.is(TQV_STRING_TYPE) && tqvStringLength(key) > 0) {
    item.key = upper(static_cast<unsigned char>(tqvStringView(key)[0]));
  } else if (key.is(TQV_INT_TYPE) && key.intValue() > 0 && key.intValue() < 256) {
    item.key = upper(static_cast<unsigned char>(key.intValue()));
  } else if (marked >= 0) {
    item.key = upper(static_cast<unsigned char>(label[marked]));
  } else {
    for (unsigned char c : label) {
      if (isLetterOrDigit(c)) {
        item.key = upper(c);
        break;
      }
    }
  }
  if (item.key <= ' ') {
    item.key = 0;
    return;
  }
  // The accelerator is underlined where the "&" put it, else where it first appears.
  if (marked >= 0 && marked < static_cast<TQVINT>(shown.size()) &&
      upper(static_cast<unsigned char>(shown[marked])) == item.key) {
    item.keyPosition = marked;
    return;
  }
  for (size_t i = 0; i < shown.size(); ++i) {
    if (upper(static_cast<unsigned char>(shown[i])) == item.key) {
      item.keyPosition = static_cast<TQVINT>(i);
      return;
    }
  }
}

tqvHandle imageOf(const tqvHandle& value) {
  tqvHandle image = tqvDereference(value);
  if (image.is(TQV_STRING_TYPE)) image = tqvResolve(image);
  return image.is(TQV_IMAGE_TYPE) ? image : tqvHandle();
}

tqvHandle cascadeEntry(const tqvHandle& menu, const tqvHandle& label) {
  tqvHandle cascade = tqvDereference(tqvGet(menu, "CascadeTable"));
  if (!cascade.is(TQV_TABLE_TYPE) || !label.is(TQV_STRING_TYPE)) return tqvHandle();
  return tqvAsTable(cascade)->valueOf(label);
}

}  // namespace

tqvHandle tqvMenuTableOf(const tqvHandle& value) {
  tqvHandle table = tqvDereference(value);
  if (table.is(TQV_STRING_TYPE)) table = tqvResolve(table);
  return table.is(TQV_TABLE_TYPE) ? table : tqvHandle();
}

std::vector<tqvMenuItem> tqvMenuItems(const tqvHandle& menu) {
  std::vector<tqvMenuItem> items;
  if (!menu.is(TQV_TABLE_TYPE)) return items;
  tqvHandle list = tqvDereference(tqvGet(menu, "Items"));
  tqvListObject* entries = tqvAsList(list);
  if (entries == nullptr) return items;
  for (TQVINT i = 0; i < entries->count() && items.size() < TQV_MENU_MAX_ITEMS; ++i) {
    tqvMenuItem item;
    item.source = tqvDereference(entries->itemAt(i));
    tqvHandle text = item.source;
    if (item.source.is(TQV_TABLE_TYPE)) {
      text = tqvDereference(tqvGet(item.source, "Text"));
      item.disabled = tqvFlagOf(tqvGet(item.source, "Disabled"), false);
      item.image = imageOf(tqvGet(item.source, "Image"));
    }
    if (!text.is(TQV_STRING_TYPE)) continue;
    readLabel(tqvStringView(text), item);
    items.push_back(std::move(item));
  }
  return items;
}

bool tqvHasSubMenu(const tqvHandle& menu, const tqvHandle& label) {
  return !cascadeEntry(menu, label).isNil();
}

tqvHandle tqvSubMenu(const tqvHandle& menu, const tqvHandle& label) {
  return tqvMenuTableOf(cascadeEntry(menu, label));
}

tqvHandle tqvMenuResult(const tqvHandle& menu, const tqvMenuItem& item) {
  tqvHandle result = tqvTable(8);
  copyEntries(menu, result, kMenuKeys);
  copyEntries(item.source, result, kItemKeys);
  tqvPut(result, "Text", item.label);
  return result;
}

void tqvSetMenuItemDisabled(const tqvHandle& dialogName, const tqvHandle& label, bool disabled) {
  if (!dialogName.is(TQV_STRING_TYPE) || !label.is(TQV_STRING_TYPE)) return;
  tqvHandle all = tqvGetGlobal(kDisabledTable);
  if (!all.is(TQV_TABLE_TYPE)) {
    if (!disabled) return;
    all = tqvTable(8);
    tqvSetGlobal(kDisabledTable, all);
  }
  tqvHandle labels = tqvAsTable(all)->valueOf(dialogName);
  if (!labels.is(TQV_TABLE_TYPE)) {
    if (!disabled) return;
    labels = tqvTable(8);
    tqvAsTable(all)->store(dialogName, labels);
  }
  if (disabled) {
    tqvAsTable(labels)->store(label, TQV_TRUE);
  } else {
    tqvAsTable(labels)->remove(label);
  }
}

bool tqvIsMenuItemDisabled(const tqvHandle& dialogName, const tqvHandle& label) {
  if (!dialogName.is(TQV_STRING_TYPE) || !label.is(TQV_STRING_TYPE)) return false;
  tqvHandle all = tqvGetGlobal(kDisabledTable);
  if (!all.is(TQV_TABLE_TYPE)) return false;
  tqvHandle labels = tqvAsTable(all)->valueOf(dialogName);
  if (!labels.is(TQV_TABLE_TYPE)) return false;
  return tqvFlagOf(tqvAsTable(labels)->valueOf(label), false);
}
