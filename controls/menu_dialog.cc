// The menu dialog and the functions that run pop-up menus.
#include "controls/menu_dialog.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "controls/menu_control.h"
#include "controls/menu_table.h"
#include "framework/app_window.h"
#include "values/error.h"
#include "values/list.h"
#include "values/region.h"
#include "values/table.h"
#include "values/text.h"

namespace {

constexpr std::string_view kPlainName = "tqvMenuDialogObject";

tqvHandle shallowCopy(const tqvHandle& from) {
  tqvTableObject* source = tqvAsTable(from);
  tqvHandle copy = tqvTable(source != nullptr ? std::max<TQVINT>(source->count() * 2, 8) : 8);
  if (source == nullptr) return copy;
  for (TQVINT slot = source->firstSlot(); slot >= 0; slot = source->nextSlot(slot)) {
    tqvAsTable(copy)->store(source->keyAt(slot), source->valueAt(slot));
  }
  return copy;
}

// A coordinate that keeps a span of `size` inside 0..limit where it can.
TQVINT keepInside(int64_t at, TQVINT size, TQVINT limit) {
  return static_cast<TQVINT>(
      std::clamp<int64_t>(at, 0, std::max<int64_t>(int64_t{limit} - size, 0)));
}

}  // namespace

tqvMenuDialogObject::tqvMenuDialogObject(const tqvHandle& definition)
    : tqvStandardDialog(definition) {}

tqvMenuDialogObject::~tqvMenuDialogObject() = default;

tqvHandle tqvMenuDialogObject::makeInstance(const tqvHandle& definition) {
  return tqvWrapForm(new tqvMenuDialogObject(definition));
}

void tqvMenuDialogObject::open(const tqvHandle& data) {
  tqvHandle self = handle();
  menu_ = tqvMenuTableOf(data);
  outcome_ = tqvMenuOutcome();

  tqvHandle definition = tqvTable(16);
  tqvPut(definition, "Class", tqvMakeString("Menu"));
  tqvPut(definition, "Name", tqvMakeString("Menu"));
  tqvPut(definition, "Menu Table", menu_);
  if (name().is(TQV_STRING_TYPE)) tqvPut(definition, "Dialog Name", name());
  for (std::string_view key : TQV_MENU_STYLE_KEYS) {
    tqvHandle value = property(key);
    if (value.isNil() && placement_.style.is(TQV_TABLE_TYPE)) value = tqvGet(placement_.style, key);
    if (!value.isNil()) tqvPut(definition, key, value);
  }
  // A menu table may bring the picture its items are drawn over.
  tqvHandle image = menu_.is(TQV_TABLE_TYPE) ? tqvGet(menu_, "Image") : tqvHandle();
  if (!image.isNil()) tqvPut(definition, "Image", image);
  auto* control = new tqvMenuControl(definition);
  control_ = tqvWrapControl(control);
  control->setHost(this);
  TQVINT width = 0, height = 0;
  control->naturalSize(width, height);
  control->setProperty("Hot Spot", tqvMakeRect(0, 0, width, height));
  if (placement_.keyboard) control->selectFirst();

  TQVINT x = 0, y = 0;
  place(width, height, x, y);
  setProperty("Width", tqvMakeInt(width));
  setProperty("Height", tqvMakeInt(height));
  setProperty("Origin X", tqvMakeInt(x));
  setProperty("Origin Y", tqvMakeInt(y));
  // A menu appears at once: the standard layer's fade is left out.
  tqvDialogObject::open(data);
  tqvResetCursor();
}

void tqvMenuDialogObject::place(TQVINT width, TQVINT height, TQVINT& x, TQVINT& y) {
  const tqvMenuPlacement& p = placement_;
  int64_t left = p.left, top = p.top;
  switch (p.side) {
    case tqvMenuPlacement::Side::Default: {
      bool useOrigin = menu_.is(TQV_TABLE_TYPE) &&
                       (tqvContainsKey(menu_, "Origin X") || tqvContainsKey(menu_, "Origin Y")) &&
                       !tqvFlagOf(tqvGet(menu_, "UseDefaultPosition"), false);
      if (useOrigin) {
        left = tqvCoordinateOf(tqvDereference(tqvGet(menu_, "Origin X")), 0);
        top = tqvCoordinateOf(tqvDereference(tqvGet(menu_, "Origin Y")), 0);
      } else if (tqvAppWindow* window = tqvMainWindow()) {
        left = window->input().pointerX();
        top = window->input().pointerY();
      }
      break;
    }
    case tqvMenuPlacement::Side::At:
      break;
    case tqvMenuPlacement::Side::Below:
      top = p.bottom;
      if (top + height > tqvMediaHeight() && int64_t{p.top} - height >= 0) top = p.top - height;
      break;
    case tqvMenuPlacement::Side::Beside:
      left = p.right;
      // The first row lines up with the item.
      top = int64_t{p.top} - 2;
      if (left + width > tqvMediaWidth() && int64_t{p.left} - width >= 0) left = p.left - width;
      break;
  }
  x = keepInside(left, width, tqvMediaWidth());
  y = keepInside(top, height, tqvMediaHeight());
}

void tqvMenuDialogObject::buildControls() {
  tqvHandle list = tqvMakeList(1);
  tqvControlObject* control = tqvAsControl(control_);
  if (control != nullptr) tqvAddItem(list, control_);
  setControlList(list);
  if (control == nullptr) return;
  control->attach();
  setActiveControl(control_, false);
}

void tqvMenuDialogObject::close() {
  if (!isOpen()) return;
  tqvHandle self = handle();
  if (auto* control = dynamic_cast<tqvMenuControl*>(tqvAsControl(control_))) {
    control->setHost(nullptr);
  }
  tqvStandardDialog::close();
  placement_ = tqvMenuPlacement();
  control_ = tqvHandle();
}

void tqvMenuDialogObject::finish(const tqvMenuOutcome& outcome) {
  outcome_ = outcome;
  setResult(outcome.end == tqvMenuOutcome::End::Chosen ? outcome.result : tqvHandle());
  end();
}

void tqvMenuDialogObject::mouseDown(TQVINT x, TQVINT y, TQVINT modifiers, TQVINT clicks) {
  if (!containsPoint(x, y)) {
    tqvMenuOutcome outside;
    outside.end = tqvMenuOutcome::End::Pointer;
    outside.x = x;
    outside.y = y;
    outside.clicked = true;
    finish(outside);
    return;
  }
  tqvStandardDialog::mouseDown(x, y, modifiers, clicks);
}

void tqvMenuDialogObject::mouseMove(TQVINT x, TQVINT y, TQVINT modifiers) {
  tqvHandle self = handle();
  tqvStandardDialog::mouseMove(x, y, modifiers);
  if (ended()) return;
  if (containsPoint(x, y)) {
    toFormCoordinates(x, y);
    if (auto* control = dynamic_cast<tqvMenuControl*>(tqvAsControl(control_))) {
      control->hover(x, y);
    }
    return;
  }
  if (placement_.opener != nullptr && placement_.opener->claimsPointer(x, y)) {
    tqvMenuOutcome moved;
    moved.end = tqvMenuOutcome::End::Pointer;
    moved.x = x;
    moved.y = y;
    finish(moved);
  }
}

void tqvMenuDialogObject::keyDown(TQVINT key, TQVINT modifiers) {
  if (key == TQV_KEY_ESCAPE) {
    finish(tqvMenuOutcome());
    return;
  }
  tqvStandardDialog::keyDown(key, modifiers);
}

tqvMenuDialogObject* tqvAsMenuDialog(const tqvHandle& form) {
  return dynamic_cast<tqvMenuDialogObject*>(tqvAsFormObject(form));
}

tqvMenuOutcome tqvRunPopUpMenu(const tqvHandle& menu, const tqvHandle& dialog,
                               const tqvMenuPlacement& placement) {
  tqvMenuOutcome outcome;
  tqvHandle table = tqvMenuTableOf(menu);
  tqvHandle form;
  if (dialog.isNil()) {
    form = tqvWrapForm(new tqvMenuDialogObject());
    tqvAsFormObject(form)->setName(tqvMakeString(kPlainName));
  } else {
    form = tqvFindForm(dialog);
    if (form.isNil()) {
      std::string name = dialog.is(TQV_STRING_TYPE) ? std::string(tqvStringView(dialog))
                                                    : tqvToStdString(dialog, false);
      tqvError("Cannot find menu dialog named '" + name + "'");
      return outcome;
    }
  }
  // A dialog on screen already (the pop-up a sub-menu comes from) runs as a new one.
  tqvFormObject* f = tqvAsFormObject(form);
  if (f->isOpen()) {
    tqvHandle fresh = f->makeInstance(shallowCopy(f->properties()));
    tqvFormObject* g = tqvAsFormObject(fresh);
    if (g == nullptr) return outcome;
    g->setName(f->name());
    form = fresh;
  }
  tqvMenuDialogObject* menuDialog = tqvAsMenuDialog(form);
  if (menuDialog == nullptr) {
    outcome.result = tqvRunDialog(form, table);
    if (!outcome.result.isNil()) outcome.end = tqvMenuOutcome::End::Chosen;
    return outcome;
  }
  menuDialog->setPlacement(placement);
  tqvRunDialog(form, table);
  return menuDialog->outcome();
}

namespace {

tqvHandle runPlaced(const tqvHandle& menu, const tqvHandle& dialogName,
                    const tqvMenuPlacement& placement) {
  tqvHandle table = tqvMenuTableOf(menu);
  tqvHandle dialog = dialogName;
  if (dialog.isNil() && table.is(TQV_TABLE_TYPE)) {
    tqvHandle named = tqvDereference(tqvGet(table, "DlgName"));
    dialog = named.is(TQV_STRING_TYPE) ? named : tqvHandle();
  }
  return tqvRunPopUpMenu(table, dialog, placement).result;
}

}  // namespace

tqvHandle tqvRunMenu(const tqvHandle& menu, const tqvHandle& dialogName) {
  return runPlaced(menu, dialogName, tqvMenuPlacement());
}

tqvHandle tqvRunMenuAt(const tqvHandle& menu, const tqvHandle& dialogName, TQVINT x, TQVINT y) {
  tqvMenuPlacement placement;
  placement.side = tqvMenuPlacement::Side::At;
  placement.left = x;
  placement.top = y;
  return runPlaced(menu, dialogName, placement);
}
