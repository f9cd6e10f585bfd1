// The control base class: properties, the base actions, hit testing, help and cursors.
#include "framework/control_object.h"

#include <string>

#include "framework/application.h"
#include "framework/form_object.h"
#include "framework/property_values.h"
#include "framework/screen_services.h"
#include "storage/encoding.h"
#include "values/error.h"
#include "values/generic.h"
#include "values/list.h"
#include "values/region.h"
#include "values/string.h"
#include "values/table.h"
#include "values/text.h"

namespace {

// Controls and forms print and encode their properties, which may hold them again: a
// control list that holds itself must end somewhere.
constexpr int kEncodeNestingLimit = 64;
int encodeNesting = 0;

}  // namespace

tqvControlObject::tqvControlObject(const tqvHandle& definition)
    : properties_(definition.is(TQV_TABLE_TYPE) ? definition : tqvTable(4)) {}

tqvControlObject::~tqvControlObject() = default;

void tqvControlObject::print(std::string& out, TQVINT type, bool notation) const {
  out += "(control ";
  if (tqvTableObject* table = tqvAsTable(properties_)) table->printBody(out, notation);
}

tqvHandle tqvControlObject::makeInstance(const tqvHandle& definition) {
  return tqvWrapControl(new tqvControlObject(definition));
}

void tqvControlObject::encodePayload(const tqvHandle& stream) const {
  tqvEncodeNested(stream, properties_);
}

tqvHandle tqvControlObject::keyOf(std::string_view key) {
  return tqvMakeString(key);
}

tqvFormObject* tqvControlObject::activeFormObject() {
  tqvApplication* app = tqvCurrentApplication();
  return app != nullptr ? tqvAsFormObject(app->activeForm()) : nullptr;
}

tqvHandle tqvControlObject::handle() {
  return tqvHandle::wrap(this, TQV_CONTROL_TYPE);
}

bool tqvControlObject::has(const tqvHandle& key) {
  tqvTableObject* table = tqvAsTable(properties_);
  return table != nullptr && table->contains(key);
}

tqvHandle tqvControlObject::get(const tqvHandle& key) {
  tqvTableObject* table = tqvAsTable(properties_);
  return table != nullptr ? table->valueOf(key) : tqvHandle();
}

bool tqvControlObject::getBoolean(const tqvHandle& key, bool fallback) {
  return has(key) ? tqvFlagOf(get(key), fallback) : fallback;
}

TQVINT tqvControlObject::getInteger(const tqvHandle& key, TQVINT fallback) {
  return has(key) ? tqvIntegerOf(get(key), fallback) : fallback;
}

void tqvControlObject::put(const tqvHandle& key, const tqvHandle& value) {
  if (tqvTableObject* table = tqvAsTable(properties_)) table->store(key, value);
}

void tqvControlObject::putBoolean(const tqvHandle& key, bool flag) {
  put(key, tqvMakeBoolean(flag));
}

void tqvControlObject::putInteger(const tqvHandle& key, TQVINT number) {
  put(key, tqvMakeInt(number));
}

void tqvControlObject::removeKey(const tqvHandle& key) {
  if (tqvTableObject* table = tqvAsTable(properties_)) table->remove(key);
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
  tqvRegionObject* r = tqvAsRegion(hotSpot);
  if (r == nullptr) return 0;
  switch (which) {
    case tqvGeometry::Left:
      return r->left();
    case tqvGeometry::Top:
      return r->top();
    case tqvGeometry::Width:
      return r->right() - r->left();
    case tqvGeometry::Height:
      return r->bottom() - r->top();
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

bool tqvControlObject::opGetKey(const tqvHandle& key, tqvHandle& result) {
  result = get(key);
  return true;
}

bool tqvControlObject::opPutKey(const tqvHandle& key, const tqvHandle& value) {
  put(key, value);
  return true;
}

bool tqvControlObject::opRemoveKey(const tqvHandle& key) {
  removeKey(key);
  return true;
}

bool tqvControlObject::opContainsKey(const tqvHandle& key, bool& result) {
  result = has(key);
  return true;
}

bool tqvControlObject::opGeometry(tqvGeometry which, TQVINT& result) {
  switch (which) {
    case tqvGeometry::Left:
      result = hotSpotLeft();
      break;
    case tqvGeometry::Top:
      result = hotSpotTop();
      break;
    case tqvGeometry::Width:
      result = hotSpotWidth();
      break;
    case tqvGeometry::Height:
      result = hotSpotHeight();
      break;
  }
  return true;
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

void tqvEncodeNested(const tqvHandle& stream, const tqvHandle& properties) {
  if (encodeNesting >= kEncodeNestingLimit) {
    tqvError("Cannot encode controls and forms nested deeper than " +
             std::to_string(kEncodeNestingLimit));
    tqvEncode(stream, tqvHandle());
    return;
  }
  ++encodeNesting;
  tqvEncode(stream, properties);
  --encodeNesting;
}
