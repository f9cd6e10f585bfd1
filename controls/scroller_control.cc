// The scroller and the protocol by which it moves its target.
#include "controls/scroller_control.h"

#include <algorithm>

#include "controls/control_painter.h"
#include "framework/form_object.h"
#include "framework/perform.h"
#include "framework/runtime.h"
#include "framework/services.h"
#include "values/convert.h"
#include "values/list.h"
#include "values/string.h"

namespace {

constexpr TQVINT kWheelStep = 3;

}  // namespace

tqvHandle tqvScrollerControl::makeInstance(const tqvHandle& definition) {
  return tqvWrapControl(new tqvScrollerControl(definition));
}

tqvHandle tqvScrollerControl::target() {
  tqvHandle name = property("Target");
  tqvFormObject* form = tqvAsFormObject(tqvActiveForm());
  if (!name.is(TQV_STRING_TYPE) || form == nullptr) return tqvHandle();
  tqvHandle found = form->findControl(name, tqvMakeString("Name"));
  tqvControlObject* c = tqvAsControl(found);
  if (c == nullptr || c == this) return tqvHandle();
  tqvHandle myName = property("Name");
  if (myName.is(TQV_STRING_TYPE) && !c->property("Scroller").is(TQV_STRING_TYPE)) {
    c->setProperty("Scroller", myName);
  }
  return found;
}

bool tqvScrollerControl::readInfo(tqvScrollState& info) {
  tqvHandle t = target();
  if (t.isNil()) return false;
  tqvHandle held = tqvPerform(t, "getScrollInfo");
  tqvListObject* answer = tqvAsList(held);
  if (answer == nullptr || answer->count() < 3) return false;
  info.largest = std::max<TQVINT>(tqvNumberOf(answer->itemAt(1), 0), 0);
  info.position = std::clamp<TQVINT>(tqvNumberOf(answer->itemAt(0), 0), 0, info.largest);
  info.page = std::max<TQVINT>(tqvNumberOf(answer->itemAt(2), 1), 1);
  return true;
}

void tqvScrollerControl::moveTarget(TQVINT position) {
  tqvHandle t = target();
  if (t.isNil()) return;
  tqvPerform(t, "SetPos", tqvMakeInt(position));
  if (isVisible()) draw();
  tqvServices().flush();
}

tqvScrollBar tqvScrollerControl::bar() {
  TQVINT left = hotSpotLeft(), top = hotSpotTop();
  return tqvScrollBar(left, top, tqvSaturatingAdd(left, hotSpotWidth()),
                      tqvSaturatingAdd(top, hotSpotHeight()), true);
}

void tqvScrollerControl::draw() {
  tqvScrollState state;
  bool live = readInfo(state) && state.largest > 0 && isEnabled();
  tqvPainter painter;
  bar().draw(painter, state, live);
}

bool tqvScrollerControl::mouseDown(TQVINT x, TQVINT y, TQVINT modifiers, TQVINT clicks) {
  tqvHandle self = handle();
  bar().track(
      x, y, 1, [this](tqvScrollState& state) { return readInfo(state); },
      [this](TQVINT position) { moveTarget(position); });
  return false;
}

bool tqvScrollerControl::mouseWheel(TQVINT notches, TQVINT modifiers) {
  tqvScrollState info;
  if (!readInfo(info)) return false;
  moveTarget(
      tqvSaturatingAdd(info.position, static_cast<TQVINT>(std::clamp<int64_t>(
                                          int64_t{notches} * kWheelStep, INT32_MIN, INT32_MAX))));
  return true;
}
