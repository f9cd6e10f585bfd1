// The control base class: the base actions, hit testing, help, cursors and making
// controls from definitions.
#include "framework/control_object.h"

#include <string>

#include "framework/form_object.h"
#include "framework/runtime.h"
#include "framework/services.h"
#include "values/convert.h"
#include "values/error.h"
#include "values/generic.h"
#include "values/list.h"
#include "values/region.h"
#include "values/string.h"
#include "values/table.h"
#include "values/text.h"

tqvControlObject::tqvControlObject(const tqvHandle& definition) : tqvPropertyObject(definition) {}

tqvControlObject::~tqvControlObject() = default;

tqvHandle tqvControlObject::makeInstance(const tqvHandle& definition) {
  return tqvWrapControl(new tqvControlObject(definition));
}

tqvFormObject* tqvControlObject::activeFormObject() {
  return tqvAsFormObject(tqvActiveForm());
}

tqvHandle tqvControlObject::handle() {
  return tqvHandle::wrap(this, TQV_CONTROL_TYPE);
}

bool tqvControlObject::getBoolean(const tqvHandle& key, bool fallback) {
  return has(key) ? tqvFlagOf(get(key), fallback) : fallback;
}

TQVINT tqvControlObject::getInteger(const tqvHandle& key, TQVINT fallback) {
  return has(key) ? tqvIntegerOf(get(key), fallback) : fallback;
}

void tqvControlObject::putBoolean(const tqvHandle& key, bool flag) {
  put(key, tqvMakeBoolean(flag));
}

void tqvControlObject::putInteger(const tqvHandle& key, TQVINT number) {
  put(key, tqvMakeInt(number));
}

namespace {

// Item i of a list as an integer; 0 when absent or not a number.
TQVINT intItem(const tqvHandle& list, TQVINT i) {
  tqvListObject* l = tqvAsList(list);
  return l != nullptr && i < l->count() ? tqvNumberOf(l->itemAt(i), 0) : 0;
}

}  // namespace

tqvHandle tqvControlObject::perform(const tqvHandle& action, const tqvHandle& data) {
  std::string_view name = tqvStringView(action);
  if (name == "Draw") {
    draw();
  } else if (name == "Activate") {
    activate();
  } else if (name == "Deactivate") {
    deactivate();
  } else if (name == "Key") {
    return tqvMakeBoolean(keyDown(intItem(data, 0), intItem(data, 1)));
  } else if (name == "Track") {
    return tqvMakeBoolean(
        mouseDown(intItem(data, 0), intItem(data, 1), intItem(data, 2), intItem(data, 3)));
  }
  return tqvHandle();
}

bool tqvControlObject::isVisible() {
  return !flag("Hidden", false);
}

bool tqvControlObject::isEnabled() {
  return !flag("Disabled", false) && isVisible();
}

bool tqvControlObject::isActive() {
  return flag("Active", false);
}

bool tqvControlObject::mayBecomeActive() {
  return isEnabled();
}

void tqvControlObject::activate() {
  putBoolean(keyOf("Active"), true);
}

void tqvControlObject::deactivate() {
  putBoolean(keyOf("Active"), false);
}

bool tqvControlObject::hitTest(TQVINT x, TQVINT y) {
  tqvRegionObject* region = tqvAsRegion(property("Hot Spot"));
  return region != nullptr && region->contains(x, y);
}

tqvHandle tqvControlObject::help() {
  return isEnabled() ? property("Help") : tqvHandle();
}

tqvHandle tqvControlObject::cursorValue() {
  tqvHandle cursor = property("Cursor");
  if (cursor.isNil() || cursor.is(TQV_CURSOR_TYPE)) return cursor;
  tqvHandle resolved = tqvServices().resolve(cursor);
  return resolved.is(TQV_CURSOR_TYPE) ? resolved : tqvHandle();
}

TQVINT tqvControlObject::setCapture(TQVINT flag) {
  tqvFormObject* form = activeFormObject();
  if (form == nullptr || form->activeControl().object() != this) return 0;
  return form->setCaptureFlag(flag);
}

namespace {

TQVINT regionPart(const tqvHandle& hotSpot, tqvGeometry which) {
  TQVINT left, top, right, bottom;
  tqvRegionEdges(hotSpot, left, top, right, bottom);
  switch (which) {
    case tqvGeometry::Left:
      return left;
    case tqvGeometry::Top:
      return top;
    case tqvGeometry::Width:
      return right - left;
    case tqvGeometry::Height:
      return bottom - top;
  }
  return 0;
}

}  // namespace

TQVINT tqvControlObject::hotSpotLeft() {
  return regionPart(property("Hot Spot"), tqvGeometry::Left);
}

TQVINT tqvControlObject::hotSpotTop() {
  return regionPart(property("Hot Spot"), tqvGeometry::Top);
}

TQVINT tqvControlObject::hotSpotWidth() {
  return regionPart(property("Hot Spot"), tqvGeometry::Width);
}

TQVINT tqvControlObject::hotSpotHeight() {
  return regionPart(property("Hot Spot"), tqvGeometry::Height);
}

void tqvControlObject::refreshActive() {
  tqvFormObject* form = activeFormObject();
  if (form == nullptr || form->activeControl().object() != this) return;
  form->setActiveControl(form->activeControl(), false);
}

TQVINT tqvControlObject::geometry(tqvGeometry which) {
  return regionPart(property("Hot Spot"), which);
}

tqvControlObject* tqvAsControl(const tqvHandle& control) {
  return control.is(TQV_CONTROL_TYPE) ? dynamic_cast<tqvControlObject*>(control.object()) : nullptr;
}

tqvHandle tqvWrapControl(tqvControlObject* control) {
  return tqvHandle::wrap(control, TQV_CONTROL_TYPE);
}

tqvHandle tqvMakeControl(const tqvHandle& definition) {
  tqvHandle className = definition.is(TQV_TABLE_TYPE)
                            ? tqvAsTable(definition)->valueOf(tqvMakeString("Class"))
                            : tqvHandle();
  if (className.isNil()) {
    tqvError("Control data must have a 'Class' property:\n" + tqvToStdString(definition, true));
    return tqvHandle();
  }
  tqvHandle control;
  if (className.is(TQV_STRING_TYPE)) {
    if (tqvClassObject* cls = tqvAsClass(tqvFindClass(tqvStringView(className)))) {
      control = cls->makeInstance(definition);
    }
  }
  if (!control.is(TQV_CONTROL_TYPE)) control = tqvWrapControl(new tqvControlObject(definition));
  return control;
}
