// How a form hands input to its controls: hover and cursors, activation, presses,
// keys, triggering, activation of the form and notifications.
#include "framework/control_object.h"
#include "framework/cursor.h"
#include "framework/form_object.h"
#include "framework/runtime.h"
#include "values/convert.h"
#include "values/generic.h"
#include "values/string.h"

bool tqvFormObject::mouseDownOnControl(const tqvHandle& control, TQVINT x, TQVINT y,
                                       TQVINT modifiers, TQVINT clicks) {
  tqvControlObject* c = tqvAsControl(control);
  return c != nullptr && c->mouseDown(x, y, modifiers, clicks);
}

void tqvFormObject::controlTriggered(const tqvHandle& control) {
  tqvControlObject* c = tqvAsControl(control);
  if (c == nullptr) return;
  tqvHandle target = tqvDereference(c->property("Target Form"));
  tqvRuntime* runtime = tqvCurrentRuntime();
  if (!target.isNil() && runtime != nullptr && runtime->application != nullptr) {
    runtime->application->ShowForm(target, tqvHandle(), true);
  }
}

void tqvFormObject::mouseEntersControl(const tqvHandle& control, TQVINT x, TQVINT y,
                                       TQVINT modifiers) {
  if (tqvControlObject* c = tqvAsControl(control)) c->mouseEnters(x, y, modifiers);
}

void tqvFormObject::mouseLeavesControl(const tqvHandle& control, TQVINT x, TQVINT y,
                                       TQVINT modifiers) {
  if (tqvControlObject* c = tqvAsControl(control)) c->mouseLeaves(x, y, modifiers);
}

void tqvFormObject::toFormCoordinates(TQVINT& x, TQVINT& y) const {
  // Origins come from content and may lie anywhere: the conversions saturate.
  x = tqvSaturatingAdd(x, originX_ == INT32_MIN ? INT32_MAX : -originX_);
  y = tqvSaturatingAdd(y, originY_ == INT32_MIN ? INT32_MAX : -originY_);
}

void tqvFormObject::toMediaCoordinates(TQVINT& x, TQVINT& y) const {
  x = tqvSaturatingAdd(x, originX_);
  y = tqvSaturatingAdd(y, originY_);
}

TQVINT tqvFormObject::setCaptureFlag(TQVINT value) {
  TQVINT previous = capture_;
  capture_ = value;
  return previous;
}

void tqvFormObject::mouseMove(TQVINT x, TQVINT y, TQVINT modifiers) {
  tqvHandle self = handle();  // a control may close this form
  toFormCoordinates(x, y);
  if (capture_ != 0 && !activeControl_.isNil()) return;
  tqvHandle target = controlAt(x, y);
  if (target.object() != hoverControl_.object()) {
    tqvHandle previous = hoverControl_;
    if (!previous.isNil()) mouseLeavesControl(previous, x, y, modifiers);
    hoverControl_ = target;
    if (tqvControlObject* c = tqvAsControl(target)) {
      tqvSetCursor(c->isEnabled() ? c->cursorAt(x, y) : tqvHandle());
      mouseEntersControl(target, x, y, modifiers);
      if (c->isEnabled()) c->mouseMoves(x, y, modifiers);
    } else {
      tqvResetCursor();
    }
  } else if (tqvControlObject* c = tqvAsControl(target); c != nullptr && c->isEnabled()) {
    c->mouseMoves(x, y, modifiers);
    tqvSetCursor(c->cursorAt(x, y));
  }
}

void tqvFormObject::mouseDown(TQVINT x, TQVINT y, TQVINT modifiers, TQVINT clicks) {
  tqvHandle self = handle();
  toFormCoordinates(x, y);
  tqvHandle target = capture_ != 0 && !activeControl_.isNil() ? activeControl_ : controlAt(x, y);
  tqvControlObject* c = tqvAsControl(target);
  if (c == nullptr) return;
  if (c->mayBecomeActive() && target.object() != activeControl_.object()) {
    setActiveControl(target, true);
  }
  if (mouseDownOnControl(target, x, y, modifiers, clicks)) controlTriggered(target);
}

void tqvFormObject::mouseWheel(TQVINT x, TQVINT y, TQVINT notches, TQVINT modifiers) {
  tqvHandle self = handle();
  toFormCoordinates(x, y);
  tqvHandle target = controlAt(x, y);
  tqvControlObject* c = tqvAsControl(target);
  if (c != nullptr && c->mouseWheel(notches, modifiers)) return;
  tqvHandle active = activeControl_;
  if (tqvControlObject* a = tqvAsControl(active); a != nullptr && a != c) {
    a->mouseWheel(notches, modifiers);
  }
}

void tqvFormObject::keyDown(TQVINT key, TQVINT modifiers) {
  tqvHandle self = handle();
  tqvHandle active = activeControl_;
  tqvControlObject* c = tqvAsControl(active);
  if (c != nullptr && c->keyDown(key, modifiers)) controlTriggered(active);
}

void tqvFormObject::activate() {
  tqvHandle active = activeControl_;
  if (tqvControlObject* c = tqvAsControl(active)) c->activate();
}

void tqvFormObject::deactivate() {
  tqvHandle active = activeControl_;
  if (tqvControlObject* c = tqvAsControl(active)) c->deactivate();
}

void tqvFormObject::notify(const tqvHandle& target, const tqvHandle& word) {
  tqvHandle active = activeControl_;
  if (tqvControlObject* c = tqvAsControl(active)) c->notify(target, word);
}
