// Editable combo boxes: a text field with a drop-down list.
#include "controls/combo_edit_control.h"

#include <algorithm>

#include "controls/control_painter.h"
#include "controls/drop_down.h"
#include "framework/events.h"
#include "framework/services.h"
#include "media/text_drawing.h"
#include "values/convert.h"
#include "values/generic.h"
#include "values/list.h"
#include "values/string.h"
#include "values/text.h"

namespace {

constexpr TQVINT kButtonWidth = 18;

// Text for comparisons: without case and accents.
std::string plain(const tqvHandle& text) {
  return std::string(tqvStringView(tqvPlainText(tqvLower(text))));
}

}  // namespace

tqvHandle tqvComboEditControl::makeInstance(const tqvHandle& definition) {
  return tqvWrapControl(new tqvComboEditControl(definition, className()));
}

tqvHandle tqvTextComboControl::makeInstance(const tqvHandle& definition) {
  return tqvWrapControl(new tqvTextComboControl(definition));
}

void tqvComboEditControl::innerArea(TQVINT& left, TQVINT& top, TQVINT& right, TQVINT& bottom) {
  tqvTextFieldControl::innerArea(left, top, right, bottom);
  right = std::max(left, right - kButtonWidth);
}

tqvHandle tqvComboEditControl::items() {
  tqvHandle list = property("List");
  return list.is(TQV_LIST_TYPE) ? list : tqvMakeList();
}

tqvHandle tqvComboEditControl::itemText(const tqvHandle& value) {
  if (value.is(TQV_STRING_TYPE)) return value;
  if (tqvListObject* row = tqvAsList(value); row != nullptr && row->count() > 0) {
    return itemText(row->itemAt(0));
  }
  return tqvToText(value, false);
}

tqvHandle tqvComboEditControl::offered() {
  return items();
}

tqvHandle tqvTextComboControl::offered() {
  std::string typed = plain(text());
  tqvHandle all = items();
  if (typed.empty()) return all;
  tqvHandle some = tqvMakeList();
  tqvListObject* list = tqvAsList(all);
  for (TQVINT i = 0; i < list->count(); ++i) {
    if (plain(itemText(list->itemAt(i))).rfind(typed, 0) == 0) tqvAddItem(some, list->itemAt(i));
  }
  return some;
}

void tqvComboEditControl::draw() {
  tqvTextFieldControl::draw();
  TQVINT right = tqvSaturatingAdd(hotSpotLeft(), hotSpotWidth());
  TQVINT left = std::max(right - kButtonWidth, hotSpotLeft());
  TQVINT top = hotSpotTop(), bottom = tqvSaturatingAdd(top, hotSpotHeight());
  if (right - left < 8 || bottom - top < 4) return;
  tqvPainter painter;
  painter.face(left, top, right, bottom, down_);
  if (cairo_t* cr = painter.cr()) {
    double cx = (left + right) / 2.0, cy = (top + bottom) / 2.0;
    cairo_move_to(cr, cx - 4, cy - 2);
    cairo_line_to(cr, cx + 4, cy - 2);
    cairo_line_to(cr, cx, cy + 3);
    cairo_close_path(cr);
    tqvSetCairoColour(cr, isEnabled() ? TQV_COLOUR_EDGE : TQV_COLOUR_GREYED);
    cairo_fill(cr);
  }
}

bool tqvComboEditControl::dropDown() {
  tqvHandle choices = offered();
  if (!isEnabled() || tqvCount(choices) == 0) return false;
  tqvHandle self = handle();
  tqvDropDownRequest request;
  request.items = choices;
  // The item the field shows is the one marked; else the first (the best match).
  request.selected = std::max<TQVINT>(tqvAsList(choices)->indexOf(text(), 0), 0);
  request.rows = std::clamp(integer("DropRows", 8), 1, 40);
  request.left = hotSpotLeft();
  request.top = hotSpotTop();
  request.right = tqvSaturatingAdd(hotSpotLeft(), hotSpotWidth());
  request.bottom = tqvSaturatingAdd(hotSpotTop(), hotSpotHeight());
  request.font = fontProperty();
  request.textOf = [this](const tqvHandle& value, TQVINT) { return itemText(value); };
  down_ = true;
  if (isVisible()) draw();
  TQVINT chosen = tqvRunDropDown(request);
  down_ = false;
  bool changed = false;
  if (chosen >= 0) {
    tqvHandle value = tqvAsList(choices)->itemAt(chosen);
    changed = !tqvEquals(itemText(value), text());
    setText(itemText(value));
    tqvHandle all = items();
    setProperty("Selection", tqvMakeInt(tqvAsList(all)->indexOf(value, 0)));
  }
  if (isVisible()) draw();
  tqvServices().flush();
  return changed;
}

bool tqvComboEditControl::mouseDown(TQVINT x, TQVINT y, TQVINT modifiers, TQVINT clicks) {
  TQVINT right = tqvSaturatingAdd(hotSpotLeft(), hotSpotWidth());
  if (x >= right - kButtonWidth) {
    tqvFlushEvents(TQV_MOUSE_UP_EVENT);
    return dropDown();
  }
  return tqvTextFieldControl::mouseDown(x, y, modifiers, clicks);
}

bool tqvComboEditControl::keyDown(TQVINT key, TQVINT modifiers) {
  if (key == TQV_KEY_DOWN && (modifiers & TQV_ALT_FLAG) != 0) return dropDown();
  return tqvTextFieldControl::keyDown(key, modifiers);
}

tqvHandle tqvComboEditControl::perform(const tqvHandle& action, const tqvHandle& data) {
  std::string_view name = tqvStringView(action);
  if (name == "setList") {
    setProperty("List", data.is(TQV_LIST_TYPE) ? data : tqvMakeList());
    setProperty("Selection", tqvMakeInt(-1));
    return tqvHandle();
  }
  if (name == "getList") return items();
  if (name == "addItem") {
    tqvHandle list = items();
    tqvAddItem(list, data);
    setProperty("List", list);
    return tqvMakeInt(tqvCount(list) - 1);
  }
  if (name == "getSelection") {
    TQVINT selected = integer("Selection", -1);
    return tqvMakeInt(selected >= 0 && selected < tqvCount(items()) ? selected : -1);
  }
  if (name == "setSelection") {
    TQVINT index = tqvNumberOf(data, -1);
    tqvHandle all = items();
    tqvListObject* list = tqvAsList(all);
    if (index >= 0 && index < list->count()) {
      setProperty("Selection", tqvMakeInt(index));
      setText(itemText(list->itemAt(index)));
    } else {
      setProperty("Selection", tqvMakeInt(-1));
    }
    if (isVisible()) draw();
    return tqvHandle();
  }
  if (name == "getSelectionStr") return text();
  if (name == "setSelectionStr") {
    tqvHandle all = items();
    tqvListObject* list = tqvAsList(all);
    for (TQVINT i = 0; i < list->count(); ++i) {
      if (tqvEquals(itemText(list->itemAt(i)), data)) {
        return perform(tqvMakeString("setSelection"), tqvMakeInt(i));
      }
    }
    return tqvHandle();
  }
  if (name == "isDown") return tqvMakeBoolean(down_);
  if (name == "closeUp") {
    down_ = false;
    return tqvHandle();
  }
  return tqvTextFieldControl::perform(action, data);
}

tqvHandle tqvTextComboControl::perform(const tqvHandle& action, const tqvHandle& data) {
  if (tqvEquals(action, "isDuplicate")) {
    std::string typed = plain(text());
    tqvHandle all = items();
    tqvListObject* list = tqvAsList(all);
    for (TQVINT i = 0; i < list->count(); ++i) {
      if (plain(itemText(list->itemAt(i))) == typed) return tqvMakeBoolean(true);
    }
    return tqvMakeBoolean(false);
  }
  return tqvComboEditControl::perform(action, data);
}
