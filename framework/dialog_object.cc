// The dialog class: saved screen, modal ending, dragging and the beep outside.
#include "framework/dialog_object.h"

#include <algorithm>
#include <cstdint>

#include "framework/control_object.h"
#include "framework/environment.h"
#include "framework/events.h"
#include "framework/services.h"
#include "values/convert.h"
#include "values/generic.h"
#include "values/region.h"
#include "values/string.h"

tqvDialogObject::tqvDialogObject(const tqvHandle& definition) : tqvFormObject(definition) {}

tqvDialogObject::~tqvDialogObject() = default;

tqvHandle tqvDialogObject::makeInstance(const tqvHandle& definition) {
  return tqvWrapForm(new tqvDialogObject(definition));
}

bool tqvDialogObject::containsPoint(TQVINT x, TQVINT y) {
  return x >= originX_ && y >= originY_ && x - originX_ < width_ && y - originY_ < height_;
}

void tqvDialogObject::saveScreen(TQVINT left, TQVINT top) {
  // Only the media area can be saved and restored; a dialog may reach past it.
  TQVINT right = static_cast<TQVINT>(std::min<int64_t>(int64_t{left} + width_, tqvMediaWidth()));
  TQVINT bottom = static_cast<TQVINT>(std::min<int64_t>(int64_t{top} + height_, tqvMediaHeight()));
  savedLeft_ = std::max<TQVINT>(left, 0);
  savedTop_ = std::max<TQVINT>(top, 0);
  savedScreen_ = right > savedLeft_ && bottom > savedTop_
                     ? tqvServices().capture(savedLeft_, savedTop_, right, bottom)
                     : tqvHandle();
}

void tqvDialogObject::restoreScreen() {
  if (savedScreen_.isNil()) return;
  tqvServices().drawImage(savedScreen_, savedLeft_, savedTop_);
}

void tqvDialogObject::open(const tqvHandle& data) {
  setOpen(true);
  capture_ = 0;
  loadResources();
  if (controlList_.isNil()) buildControls();
  tqvHandle image = resolvedProperty("Background Image", true);
  setBackground(image.is(TQV_IMAGE_TYPE) ? image : tqvHandle());
  if (image.is(TQV_IMAGE_TYPE)) {
    setSize(tqvWidth(image), tqvHeight(image));
  } else {
    setSize(std::max<TQVINT>(tqvCoordinateOf(property("Width"), 0), 0),
            std::max<TQVINT>(tqvCoordinateOf(property("Height"), 0), 0));
  }
  readOrigin();
  tqvServiceSet& services = tqvServices();
  savedOriginX_ = services.originX();
  savedOriginY_ = services.originY();
  services.setOrigin(originX_, originY_);
  saveScreen(originX_, originY_);
  ended_ = false;
  tqvFlushEvents(TQV_MOUSE_EVENTS);
  draw();
  activate();
}

void tqvDialogObject::draw() {
  tqvServiceSet& services = tqvServices();
  services.setOrigin(originX_, originY_);
  if (background().is(TQV_IMAGE_TYPE)) {
    tqvHandle mask = resolvedProperty("Background Mask Image");
    services.drawImage(background(), originX_, originY_,
                       mask.is(TQV_IMAGE_TYPE) ? mask : tqvHandle());
  } else {
    drawBlankBackground();
  }
  drawControls();
  services.flush(originX_, originY_, originX_ + width_, originY_ + height_);
}

void tqvDialogObject::close() {
  if (!isOpen()) return;
  setOpen(false);
  deactivate();
  activeControl_ = tqvHandle();
  hoverControl_ = tqvHandle();
  capture_ = 0;
  tqvServiceSet& services = tqvServices();
  if (!savedScreen_.isNil()) {
    restoreScreen();
    services.flush(originX_, originY_, originX_ + width_, originY_ + height_);
    savedScreen_ = tqvHandle();
  }
  unloadResources();
  services.setOrigin(savedOriginX_, savedOriginY_);
}

void tqvDialogObject::mouseDown(TQVINT x, TQVINT y, TQVINT modifiers, TQVINT clicks) {
  tqvHandle self = handle();
  if (!containsPoint(x, y)) {
    tqvHandle beep = resolvedProperty("Dialog Beep Sound");
    if (!beep.isNil()) tqvServices().playSound(beep);
    return;
  }
  TQVINT fx = x, fy = y;
  toFormCoordinates(fx, fy);
  tqvRegionObject* dragRect = tqvAsRegion(tqvDereference(property("Drag Rect")));
  if (dragRect != nullptr && dragRect->contains(fx, fy)) {
    drag(x, y);
    return;
  }
  tqvFormObject::mouseDown(x, y, modifiers, clicks);
}

void tqvDialogObject::drag(TQVINT x, TQVINT y) {
  // A dialog larger than the media area cannot be kept inside it: it stays.
  if (width_ > tqvMediaWidth() || height_ > tqvMediaHeight()) return;
  deactivate();
  tqvServiceSet& services = tqvServices();
  TQVINT left = originX_, top = originY_;
  tqvHandle look = services.capture(left, top, left + width_, top + height_);
  TQVINT maxLeft = std::max<TQVINT>(tqvMediaWidth() - width_, 0);
  TQVINT maxTop = std::max<TQVINT>(tqvMediaHeight() - height_, 0);
  for (;;) {
    tqvEvent event = tqvGetEvent(TQV_MOUSE_DRAG_EVENT | TQV_MOUSE_UP_EVENT, -1);
    if (event.type == TQV_NULL_EVENT) break;  // no more input can come
    TQVINT newLeft = std::clamp<TQVINT>(originX_ + event.x - x, 0, maxLeft);
    TQVINT newTop = std::clamp<TQVINT>(originY_ + event.y - y, 0, maxTop);
    if (newLeft != left || newTop != top) {
      // Put back what the dialog covered, keep what it will cover, draw it there.
      restoreScreen();
      saveScreen(newLeft, newTop);
      services.drawImage(look, newLeft, newTop);
      services.flush(std::min(left, newLeft), std::min(top, newTop),
                     std::max(left, newLeft) + width_, std::max(top, newTop) + height_);
      left = newLeft;
      top = newTop;
    }
    if (event.type == TQV_MOUSE_UP_EVENT) break;
  }
  setOrigin(left, top);
  services.setOrigin(left, top);
  activate();
}

void tqvDialogObject::keyDown(TQVINT key, TQVINT modifiers) {
  if (key == TQV_KEY_ESCAPE) {
    end();
    return;
  }
  tqvFormObject::keyDown(key, modifiers);
}

void tqvDialogObject::controlTriggered(const tqvHandle& control) {
  tqvControlObject* c = tqvAsControl(control);
  if (c != nullptr && tqvEquals(tqvDereference(c->property("Action")), "close")) end();
}

tqvDialogObject* tqvAsDialog(const tqvHandle& form) {
  return form.is(TQV_FORM_TYPE) ? dynamic_cast<tqvDialogObject*>(form.object()) : nullptr;
}
