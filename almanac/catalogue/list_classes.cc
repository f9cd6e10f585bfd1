// The almanac's list and combo box classes.
#include "almanac/catalogue/list_classes.h"

#include "almanac/catalogue/content_catalogue.h"
#include "framework/class_registry.h"
#include "framework/control_object.h"
#include "media/resources.h"
#include "values/convert.h"
#include "values/generic.h"
#include "values/table.h"

LXListBox::~LXListBox() {
  if (attached_) lxCatalogue().selectNameList(-1);
}

tqvHandle LXListBox::makeInstance(const tqvHandle& definition) {
  return tqvWrapControl(new LXListBox(definition));
}

void LXListBox::attach() {
  tqvListControl::attach();
  if (attached_) return;
  attached_ = true;
  kind_ = tqvNumberOf(property("dbID"), 0);
  lxCatalogue().selectNameList(kind_);
}

tqvHandle LXListBox::itemText(const tqvHandle& item, TQVINT) {
  return lxCatalogue().lookupName(kind_, item);
}

tqvHandle LXComboBox::makeInstance(const tqvHandle& definition) {
  return tqvWrapControl(new LXComboBox(definition));
}

TQVINT LXComboBox::colour(const char* key) {
  tqvHandle value = property(key);
  if (value.is(TQV_STRING_TYPE)) value = tqvResolve(value);
  return tqvNumberOf(value, -1);
}

TQVINT LXComboBox::boxPaper() {
  TQVINT paper = isActive() ? colour("2arySelectionColor") : -1;
  return paper >= 0 ? paper : tqvComboBoxControl::boxPaper();
}

TQVINT LXComboBox::boxInk() {
  TQVINT ink = colour(isActive() ? "2arySelectionTextColor" : "2aryTextColor");
  return ink >= 0 ? ink : tqvComboBoxControl::boxInk();
}

tqvHandle LXComboBox::dropLook() {
  static constexpr struct {
    const char* own;
    const char* list;
  } kColours[] = {{"TextColor", "Foreground Color"},
                  {"SelectionColor", "Selection Color"},
                  {"TextSelectionColor", "Selected Text Color"}};
  tqvHandle look = tqvTable(4);
  for (const auto& c : kColours) {
    TQVINT value = colour(c.own);
    if (value >= 0) tqvPut(look, c.list, tqvMakeInt(value));
  }
  return look;
}

void lxRegisterListClasses() {
  tqvRegisterClass(tqvHandle::wrap(new LXListBox(), TQV_CLASS_TYPE));
  tqvRegisterClass(tqvHandle::wrap(new LXComboBox(), TQV_CLASS_TYPE));
  for (const char* name : {"PQListBox", "TabbedListBox", "MultiTypeListBox", "PQMultiListBox"}) {
    tqvRegisterClass(tqvHandle::wrap(new tqvListControl(tqvHandle(), name), TQV_CLASS_TYPE));
  }
}
