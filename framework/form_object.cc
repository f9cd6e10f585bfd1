// The form base class: properties, resources, controls and drawing.
#include "framework/form_object.h"

#include "framework/control_object.h"
#include "framework/environment.h"
#include "framework/services.h"
#include "values/convert.h"
#include "values/generic.h"
#include "values/list.h"
#include "values/region.h"
#include "values/string.h"
#include "values/table.h"

tqvFormObject::tqvFormObject(const tqvHandle& definition) : tqvPropertyObject(definition) {}

tqvFormObject::~tqvFormObject() = default;

tqvHandle tqvFormObject::makeInstance(const tqvHandle& definition) {
  return tqvWrapForm(new tqvFormObject(definition));
}

tqvHandle tqvFormObject::handle() {
  return tqvHandle::wrap(this, TQV_FORM_TYPE);
}

bool tqvFormObject::has(const tqvHandle& key) {
  if (tqvPropertyObject::has(key)) return true;
  tqvTableObject* loaded = tqvAsTable(loadedResources_);
  return loaded != nullptr && loaded->contains(key);
}

tqvHandle tqvFormObject::get(const tqvHandle& key) {
  if (tqvTableObject* props = tqvAsTable(properties())) {
    TQVINT slot = props->find(key);
    if (slot >= 0) return props->valueSlot(slot);
  }
  tqvTableObject* loaded = tqvAsTable(loadedResources_);
  return loaded != nullptr ? loaded->valueOf(key) : tqvHandle();
}

tqvHandle tqvFormObject::perform(const tqvHandle& action, const tqvHandle& data) {
  std::string_view name = tqvStringView(action);
  if (name == "Draw") {
    draw();
  } else if (name == "DrawControls") {
    drawControls();
  }
  return tqvHandle();
}

tqvHandle tqvFormObject::resolveHere(const tqvHandle& name, bool failWhenMissing) {
  if (name.is(TQV_STRING_TYPE) && has(name)) {
    tqvHandle value = tqvDereference(get(name));
    if (!value.isNil()) return value;
  }
  return failWhenMissing ? tqvServices().resolveOrFail(name) : tqvServices().resolve(name);
}

tqvHandle tqvFormObject::resolvedProperty(std::string_view key, bool failWhenMissing) {
  tqvHandle value = tqvDereference(property(key));
  if (value.is(TQV_STRING_TYPE)) return resolveHere(value, failWhenMissing);
  if (value.isNil() && failWhenMissing) return tqvServices().resolveOrFail(keyOf(key));
  return value;
}

void tqvFormObject::loadResources() {
  if (!loadedResources_.isNil()) return;
  tqvHandle table = tqvDereference(property("Resource Table"));
  if (!table.isNil() && !table.is(TQV_TABLE_TYPE)) table = resolveHere(table);
  if (table.is(TQV_TABLE_TYPE)) {
    loadedResources_ = table;
    setProperty("LoadedResourceTable", table);
    buildControls();
  } else {
    removeKey(keyOf("LoadedResourceTable"));
  }
}

void tqvFormObject::unloadResources() {
  loadedResources_ = tqvHandle();
  controlList_ = tqvHandle();
  activeControl_ = tqvHandle();
  hoverControl_ = tqvHandle();
  background_ = tqvHandle();
  removeKey(keyOf("LoadedResourceTable"));
}

void tqvFormObject::addResource(const tqvHandle& key, const tqvHandle& value) {
  if (!loadedResources_.is(TQV_TABLE_TYPE)) loadedResources_ = tqvTable(4);
  tqvAsTable(loadedResources_)->store(key, value);
}

void tqvFormObject::buildControls() {
  tqvHandle source = resolveHere(keyOf("Control List"));
  tqvListObject* entries = tqvAsList(source);
  if (entries == nullptr) {
    controlList_ = tqvHandle();
    return;
  }
  // The list normally holds the controls themselves; references are followed and
  // anything that is not a control (the list itself, a stray value) is left out.
  bool allControls = true;
  for (TQVINT i = 0; i < entries->count() && allControls; ++i) {
    allControls = entries->itemAt(i).is(TQV_CONTROL_TYPE);
  }
  tqvHandle list = source;
  if (!allControls) {
    list = tqvMakeList(entries->count());
    for (TQVINT i = 0; i < entries->count(); ++i) {
      tqvHandle entry = tqvDereference(entries->itemAt(i));
      if (entry.is(TQV_CONTROL_TYPE)) tqvAddItem(list, entry);
    }
  }
  controlList_ = list;
  tqvListObject* controls = tqvAsList(list);
  for (TQVINT i = 0; i < controls->count(); ++i) {
    tqvHandle control = controls->itemAt(i);
    tqvControlObject* c = tqvAsControl(control);
    if (c == nullptr) continue;
    c->attach();
    if (c->mayBecomeActive() && c->flag("Auto Activate")) setActiveControl(control, true);
  }
}

void tqvFormObject::draw() {
  tqvServices().setOrigin(originX_, originY_);
  tqvHandle image = open_ ? background_ : resolvedProperty("Background Image");
  if (image.is(TQV_IMAGE_TYPE)) {
    tqvHandle mask;
    if (tqvFlagOf(property("Dialog"), false)) mask = resolvedProperty("Background Mask Image");
    tqvServices().drawImage(image, originX_, originY_,
                            mask.is(TQV_IMAGE_TYPE) ? mask : tqvHandle());
  } else {
    drawBlankBackground();
  }
  drawControls();
}

void tqvFormObject::drawControls() {
  tqvServices().setOrigin(originX_, originY_);
  // Drawing may change the list (a control hiding others): walk a copy of the handles.
  tqvHandle list = controlList_;
  tqvListObject* controls = tqvAsList(list);
  if (controls == nullptr) return;
  for (TQVINT i = 0; i < controls->count(); ++i) {
    tqvHandle control = controls->itemAt(i);
    tqvControlObject* c = tqvAsControl(control);
    if (c != nullptr && c->isVisible()) c->draw();
  }
}

tqvHandle tqvFormObject::setControlList(const tqvHandle& list) {
  tqvHandle previous = controlList_;
  controlList_ = list;
  return previous;
}

tqvHandle tqvFormObject::findControl(const tqvHandle& value, const tqvHandle& key) {
  tqvListObject* controls = tqvAsList(controlList_);
  if (controls == nullptr) return tqvHandle();
  for (TQVINT i = 0; i < controls->count(); ++i) {
    tqvHandle control = controls->itemAt(i);
    tqvControlObject* c = tqvAsControl(control);
    if (c != nullptr && tqvEquals(c->get(key), value)) return control;
  }
  return tqvHandle();
}

tqvHandle tqvFormObject::findControlNamed(std::string_view name) {
  return findControl(tqvMakeString(name), tqvMakeString("Name"));
}

tqvHandle tqvFormObject::controlAt(TQVINT x, TQVINT y) {
  tqvListObject* controls = tqvAsList(controlList_);
  if (controls == nullptr) return tqvHandle();
  for (TQVINT i = 0; i < controls->count(); ++i) {
    tqvHandle control = controls->itemAt(i);
    tqvControlObject* c = tqvAsControl(control);
    if (c != nullptr && c->isEnabled() && c->hitTest(x, y)) return control;
  }
  return tqvHandle();
}

void tqvFormObject::setActiveControl(const tqvHandle& control, bool activate) {
  tqvHandle previous = activeControl_;
  tqvControlObject* next = tqvAsControl(control);
  if (activate && !previous.isNil() && previous.object() != control.object()) {
    if (tqvControlObject* old = tqvAsControl(previous)) old->deactivate();
  }
  activeControl_ = next != nullptr ? control : tqvHandle();
  if (activate && next != nullptr) next->activate();
}

void tqvFormObject::disableControl(const tqvHandle& control, bool flag) {
  if (tqvControlObject* c = tqvAsControl(control)) c->putBoolean(keyOf("Disabled"), flag);
}

void tqvFormObject::hideControl(const tqvHandle& control, bool flag) {
  if (tqvControlObject* c = tqvAsControl(control)) c->putBoolean(keyOf("Hidden"), flag);
}

void tqvFormObject::readOrigin() {
  originX_ = tqvCoordinateOf(property("Origin X"), 0);
  originY_ = tqvCoordinateOf(property("Origin Y"), 0);
}

void tqvFormObject::showBackground() {
  tqvHandle image = resolvedProperty("Background Image", true);
  background_ = image.is(TQV_IMAGE_TYPE) ? image : tqvHandle();
  if (background_.isNil()) {
    width_ = tqvMediaWidth();
    height_ = tqvMediaHeight();
    drawBlankBackground();
    return;
  }
  width_ = tqvWidth(background_);
  height_ = tqvHeight(background_);
  if (tqvFlagOf(property("Dialog"), false)) {
    tqvHandle mask = resolvedProperty("Background Mask Image");
    tqvServices().drawImage(background_, originX_, originY_,
                            mask.is(TQV_IMAGE_TYPE) ? mask : tqvHandle());
  } else {
    tqvServices().setBackdrop(background_);
  }
}

void tqvFormObject::open(const tqvHandle& data) {
  open_ = true;
  capture_ = 0;
  loadResources();
  if (controlList_.isNil()) buildControls();
  readOrigin();
  tqvServices().setOrigin(originX_, originY_);
  showBackground();
  drawControls();
  property("Open Transition");  // read; the plain form class applies no transition
  activate();
}

void tqvFormObject::close() {
  if (!open_) return;
  open_ = false;
  deactivate();
  property("Close Transition");  // read; the plain form class applies no transition
  activeControl_ = tqvHandle();
  hoverControl_ = tqvHandle();
  capture_ = 0;
  if (!tqvFlagOf(property("Retain Resources"), false)) unloadResources();
}

TQVINT tqvFormObject::geometry(tqvGeometry which) {
  switch (which) {
    case tqvGeometry::Left:
      return originX_;
    case tqvGeometry::Top:
      return originY_;
    case tqvGeometry::Width:
      return width_;
    case tqvGeometry::Height:
      return height_;
  }
  return 0;
}

tqvFormObject* tqvAsFormObject(const tqvHandle& form) {
  return form.is(TQV_FORM_TYPE) ? dynamic_cast<tqvFormObject*>(form.object()) : nullptr;
}

tqvHandle tqvWrapForm(tqvFormObject* form) {
  return tqvHandle::wrap(form, TQV_FORM_TYPE);
}
