// The list box: items, selection, scrolling, keys and drawing of the visible rows.
#include "controls/list_control.h"

#include <algorithm>
#include <string>

#include "framework/events.h"
#include "framework/form_object.h"
#include "framework/perform.h"
#include "framework/runtime.h"
#include "framework/services.h"
#include "media/text_drawing.h"
#include "values/charmaps.h"
#include "values/convert.h"
#include "values/generic.h"
#include "values/list.h"
#include "values/string.h"
#include "values/text.h"

namespace {

constexpr TQVINT kTextInset = 4;
constexpr TQVINT kBarWidth = 14;
constexpr TQVINT kWheelRows = 3;
constexpr TQVINT kListSelectionColour = 0xB06020;  // 0x00BBGGRR: the focus blue

}  // namespace

tqvListControl::tqvListControl(const tqvHandle& definition, std::string_view className)
    : tqvStandardControl(definition, className) {}

tqvHandle tqvListControl::makeInstance(const tqvHandle& definition) {
  return tqvWrapControl(new tqvListControl(definition, className()));
}

tqvListControl* tqvAsListControl(const tqvHandle& control) {
  return dynamic_cast<tqvListControl*>(tqvAsControl(control));
}

tqvHandle tqvListControl::items() {
  tqvHandle list = property("List");
  return list.is(TQV_LIST_TYPE) ? list : tqvHandle();
}

TQVINT tqvListControl::count() {
  tqvHandle held = items();
  tqvListObject* list = tqvAsList(held);
  return list != nullptr ? list->count() : 0;
}

tqvHandle tqvListControl::item(TQVINT index) {
  tqvHandle held = items();
  tqvListObject* list = tqvAsList(held);
  return list != nullptr && index >= 0 && index < list->count() ? list->itemAt(index) : tqvHandle();
}

tqvHandle tqvListControl::itemText(const tqvHandle& value, TQVINT index) {
  if (value.is(TQV_STRING_TYPE)) return value;
  if (value.isNil()) return tqvMakeString("");
  if (tqvListObject* row = tqvAsList(value)) {
    tqvHandle first = row->count() > 0 ? row->itemAt(0) : tqvHandle();
    if (first.is(TQV_LIST_TYPE)) return tqvToText(first, false);
    return itemText(first, index);
  }
  return tqvToText(value, false);
}

TQVINT tqvListControl::selection() {
  TQVINT selected = integer("Selection", -1);
  return selected >= 0 && selected < count() ? selected : -1;
}

TQVINT tqvListControl::rowHeight() {
  tqvHandle font = fontProperty();
  if (rowHeight_ <= 0 || !tqvSameValue(font, fontUsed_)) {
    tqvTextExtent extent;
    tqvMeasureText(tqvMakeString("\xC1gy"), font, extent);
    rowHeight_ = std::max<TQVINT>(extent.height + 2, 8);
    fontUsed_ = font;
  }
  TQVINT fixed = integer("Row Height", 0);
  return fixed > 0 && fixed < 1000 ? fixed : rowHeight_;
}

bool tqvListControl::hasBar() {
  if (flag("NoScrollBar") || property("Scroller").is(TQV_STRING_TYPE)) return false;
  if (hotSpotWidth() < 3 * kBarWidth) return false;
  TQVINT height = hotSpotHeight() - 2 - headerHeight();
  return count() > std::max<TQVINT>(height / rowHeight(), 1);
}

void tqvListControl::rowsArea(TQVINT& left, TQVINT& top, TQVINT& right, TQVINT& bottom) {
  left = hotSpotLeft() + 1;
  top = tqvSaturatingAdd(hotSpotTop() + 1, headerHeight());
  right = tqvSaturatingAdd(hotSpotLeft(), hotSpotWidth()) - 1;
  bottom = tqvSaturatingAdd(hotSpotTop(), hotSpotHeight()) - 1;
  if (hasBar()) right -= kBarWidth;
}

tqvScrollBar tqvListControl::bar() {
  TQVINT right = tqvSaturatingAdd(hotSpotLeft(), hotSpotWidth()) - 1;
  return tqvScrollBar(right - kBarWidth, tqvSaturatingAdd(hotSpotTop() + 1, headerHeight()), right,
                      tqvSaturatingAdd(hotSpotTop(), hotSpotHeight()) - 1, false);
}

tqvScrollState tqvListControl::scrollState() {
  return {top_, std::max<TQVINT>(count() - visibleRows(), 0), visibleRows()};
}

TQVINT tqvListControl::visibleRows() {
  TQVINT left, top, right, bottom;
  rowsArea(left, top, right, bottom);
  return std::max<TQVINT>((bottom - top) / rowHeight(), 1);
}

void tqvListControl::clampTop() {
  top_ = std::clamp<TQVINT>(top_, 0, std::max<TQVINT>(count() - visibleRows(), 0));
}

TQVINT tqvListControl::rowAt(TQVINT y) {
  TQVINT left, top, right, bottom;
  rowsArea(left, top, right, bottom);
  if (y < top) return -1;
  return tqvSaturatingAdd(top_, (y - top) / rowHeight());
}

void tqvListControl::itemsChanged() {
  top_ = 0;
  if (integer("Selection", -1) >= count()) setProperty("Selection", tqvMakeInt(-1));
}

void tqvListControl::select(TQVINT index) {
  TQVINT n = count();
  index = n == 0 || index < 0 ? -1 : std::min(index, n - 1);
  setProperty("Selection", tqvMakeInt(index));
  if (index >= 0) {
    TQVINT rows = visibleRows();
    if (index < top_) top_ = index;
    if (index >= top_ + rows) top_ = index - rows + 1;
  }
  clampTop();
  if (isVisible()) draw();
  redrawScroller();
}

void tqvListControl::scrollTo(TQVINT row) {
  TQVINT before = top_;
  top_ = row;
  clampTop();
  if (top_ == before) return;
  if (isVisible()) draw();
  redrawScroller();
}

bool tqvListControl::choose(TQVINT index, TQVINT) {
  TQVINT before = selection();
  select(index);
  return selection() != before;
}

TQVINT tqvListControl::rowStartingWith(unsigned char letter, TQVINT from) {
  TQVINT n = count();
  if (n < 2) return -1;
  unsigned char wanted = tqvCharmaps::lower[letter];
  for (TQVINT step = 1; step <= n; ++step) {
    TQVINT row = (std::max<TQVINT>(from, -1) + step) % n;
    // Subclasses may make the text afresh: keep it alive while it is read.
    tqvHandle name = itemText(item(row), row);
    std::string_view text = tqvStringView(name);
    if (!text.empty() && tqvCharmaps::lower[static_cast<unsigned char>(text[0])] == wanted) {
      return row;
    }
  }
  return -1;
}

void tqvListControl::redrawScroller() {
  tqvHandle name = property("Scroller");
  if (!name.is(TQV_STRING_TYPE)) return;
  tqvFormObject* form = tqvAsFormObject(tqvActiveForm());
  if (form == nullptr) return;
  tqvHandle scroller = form->findControl(name, keyOf("Name"));
  if (tqvControlObject* c = tqvAsControl(scroller); c != nullptr && c != this && c->isVisible()) {
    c->draw();
  }
}

void tqvListControl::tellForm(std::string_view action) {
  tqvHandle self = handle();
  tqvHandle form = tqvActiveForm();
  if (form.is(TQV_FORM_TYPE)) tqvPerform(form, action, self);
}

void tqvListControl::drawItem(tqvPainter& painter, TQVINT index, TQVINT left, TQVINT top,
                              TQVINT right, TQVINT bottom, bool selected) {
  TQVINT ink = tqvNumberOf(property("Foreground Color"), TQV_COLOUR_BLACK);
  if (selected) {
    painter.fill(left, top, right, bottom,
                 tqvNumberOf(property("Selection Color"), kListSelectionColour));
    ink = tqvNumberOf(property("Selected Text Color"), TQV_COLOUR_WHITE);
  }
  if (!isEnabled()) ink = TQV_COLOUR_GREYED;
  painter.text(itemText(item(index), index), left + kTextInset, top, right - kTextInset / 2, bottom,
               TQV_ALIGN_LEFT | TQV_ALIGN_MIDDLE | TQV_ALIGN_SINGLE_LINE, fontProperty(), ink);
}

void tqvListControl::draw() {
  TQVINT width = hotSpotWidth(), height = hotSpotHeight();
  if (width <= 2 || height <= 2) return;
  clampTop();
  TQVINT left = hotSpotLeft(), top = hotSpotTop();
  TQVINT right = tqvSaturatingAdd(left, width), bottom = tqvSaturatingAdd(top, height);
  tqvPainter painter;
  tqvHandle image = imageProperty("Image");
  if (!image.isNil()) {
    painter.image(image, left, top, width, height);
  } else {
    painter.fill(left, top, right, bottom,
                 tqvNumberOf(property("Background Color"), TQV_COLOUR_WHITE));
  }
  TQVINT rowsLeft, rowsTop, rowsRight, rowsBottom;
  rowsArea(rowsLeft, rowsTop, rowsRight, rowsBottom);
  TQVINT height1 = rowHeight();
  TQVINT n = count();
  TQVINT rows = visibleRows();
  // The last row may show in part: rows are drawn whole, clipped to the rows' area.
  if (cairo_t* cr = painter.cr()) {
    cairo_save(cr);
    cairo_rectangle(cr, rowsLeft, rowsTop, rowsRight - rowsLeft, rowsBottom - rowsTop);
    cairo_clip(cr);
  }
  for (TQVINT row = top_; row < n && row <= top_ + rows; ++row) {
    TQVINT y = rowsTop + (row - top_) * height1;
    if (y >= rowsBottom) break;
    drawItem(painter, row, rowsLeft, y, rowsRight, y + height1, isSelectedRow(row));
  }
  if (cairo_t* cr = painter.cr()) cairo_restore(cr);
  if (hasBar()) bar().draw(painter, scrollState(), true);
  if (!flag("NoFrame")) painter.frame(left, top, right, bottom, TQV_COLOUR_EDGE);
  if (isActive() && isEnabled()) {
    painter.focusRing(left - 2, top - 2, right + 2, bottom + 2);
  }
}

bool tqvListControl::mouseDown(TQVINT x, TQVINT y, TQVINT modifiers, TQVINT clicks) {
  tqvHandle self = handle();  // a notice may close the form
  if (hasBar() && x >= bar().left()) {
    bar().track(
        x, y, 1,
        [this](tqvScrollState& state) {
          state = scrollState();
          return true;
        },
        [this](TQVINT row) { scrollTo(row); });
    return false;
  }
  TQVINT row = rowAt(y);
  if (row < 0 || row >= count()) return false;
  if (clicks >= 2 && isSelectedRow(row)) {
    tellForm("dblClicked");
    return false;
  }
  choose(row, modifiers);
  tqvServices().flush();
  // The selection follows the mouse while the button is held, scrolling at the edges.
  tqvFormObject* form = activeFormObject();
  for (;;) {
    tqvEvent event = tqvGetEvent(TQV_MOUSE_DRAG_EVENT | TQV_MOUSE_UP_EVENT, -1);
    if (event.type == TQV_NULL_EVENT || event.type == TQV_MOUSE_UP_EVENT) break;
    TQVINT ex = event.x, ey = event.y;
    if (form != nullptr) form->toFormCoordinates(ex, ey);
    TQVINT left, top, right, bottom;
    rowsArea(left, top, right, bottom);
    TQVINT target = ey < top ? top_ - 1 : ey >= bottom ? top_ + visibleRows() : rowAt(ey);
    target = std::clamp<TQVINT>(target, 0, std::max<TQVINT>(count() - 1, 0));
    choose(target, (modifiers & TQV_CONTROL_FLAG) | TQV_SHIFT_FLAG | TQV_BUTTON_FLAG);
    tqvServices().flush();
  }
  return true;
}

bool tqvListControl::keyDown(TQVINT key, TQVINT modifiers) {
  TQVINT n = count();
  TQVINT current = selection();
  TQVINT page = std::max<TQVINT>(visibleRows() - 1, 1);
  TQVINT target = -2;
  switch (key) {
    case TQV_KEY_UP:
      target = current < 0 ? 0 : current - 1;
      break;
    case TQV_KEY_DOWN:
      target = current < 0 ? 0 : current + 1;
      break;
    case TQV_KEY_PAGE_UP:
      target = current - page;
      break;
    case TQV_KEY_PAGE_DOWN:
      target = current + page;
      break;
    case TQV_KEY_HOME:
      target = 0;
      break;
    case TQV_KEY_END:
      target = n - 1;
      break;
    case '\r':
      if (current >= 0) tellForm("dblClicked");
      return false;
    default:
      if (key > ' ' && key < 256 && (modifiers & (TQV_CONTROL_FLAG | TQV_ALT_FLAG)) == 0) {
        target = rowStartingWith(static_cast<unsigned char>(key), current);
        if (target < 0) return false;
      }
      break;
  }
  if (target == -2 || n == 0) return false;
  return choose(std::clamp<TQVINT>(target, 0, n - 1), modifiers);
}

bool tqvListControl::mouseWheel(TQVINT notches, TQVINT modifiers) {
  if (!isEnabled()) return false;
  scrollTo(tqvSaturatingAdd(top_, static_cast<TQVINT>(std::clamp<int64_t>(
                                      int64_t{notches} * kWheelRows, INT32_MIN, INT32_MAX))));
  return true;
}

tqvHandle tqvListControl::perform(const tqvHandle& action, const tqvHandle& data) {
  std::string_view name = tqvStringView(action);
  if (name == "setList") {
    setProperty("List", data.is(TQV_LIST_TYPE) ? data : tqvMakeList());
    setProperty("Selection", tqvMakeInt(-1));
    itemsChanged();
    if (isVisible()) draw();
    redrawScroller();
    return tqvHandle();
  }
  if (name == "getList") return items().isNil() ? tqvMakeList() : items();
  if (name == "getSelection") return tqvMakeInt(selection());
  if (name == "setSelection" || name == "Select") {
    select(tqvNumberOf(data, -1));
    return tqvHandle();
  }
  if (name == "IsSelected") return tqvMakeBoolean(isSelectedRow(tqvNumberOf(data, -1)));
  if (name == "getSelectionStr" || name == "getText" || name == "GetText") {
    TQVINT selected = selection();
    return selected >= 0 ? itemText(item(selected), selected) : tqvHandle();
  }
  if (name == "setSelectionStr" || name == "setText" || name == "SetText") {
    TQVINT n = count();
    for (TQVINT i = 0; i < n; ++i) {
      if (tqvEquals(itemText(item(i), i), data)) {
        select(i);
        return tqvMakeBoolean(true);
      }
    }
    return tqvMakeBoolean(false);
  }
  if (name == "ClearText") {
    select(-1);
    return tqvHandle();
  }
  if (name == "addItem") {
    tqvHandle list = items();
    if (list.isNil()) {
      list = tqvMakeList();
      setProperty("List", list);
    }
    tqvAddItem(list, data);
    if (isVisible()) draw();
    redrawScroller();
    return tqvMakeInt(count() - 1);
  }
  if (name == "deleteItem") {
    TQVINT index = data.isNil() ? selection() : tqvNumberOf(data, -1);
    tqvHandle held = items();
    tqvListObject* list = tqvAsList(held);
    if (list == nullptr || index < 0 || index >= list->count()) return tqvHandle();
    tqvHandle kept = list->left(index);
    for (TQVINT i = index + 1; i < list->count(); ++i) tqvAddItem(kept, list->itemAt(i));
    setProperty("List", kept);
    TQVINT selected = integer("Selection", -1);
    if (selected > index || selected >= count()) selected -= 1;
    setProperty("Selection", tqvMakeInt(std::max<TQVINT>(selected, count() > 0 ? 0 : -1)));
    clampTop();
    if (isVisible()) draw();
    redrawScroller();
    return tqvHandle();
  }
  if (name == "GetPos") return tqvMakeInt(top_);
  if (name == "SetPos") {
    scrollTo(tqvNumberOf(data, 0));
    return tqvHandle();
  }
  if (name == "getScrollInfo") {
    // (position, largest position, rows per page), for scrollers.
    tqvHandle info = tqvMakeList(3);
    tqvScrollState state = scrollState();
    tqvAddItem(info, tqvMakeInt(state.position));
    tqvAddItem(info, tqvMakeInt(state.largest));
    tqvAddItem(info, tqvMakeInt(state.page));
    return info;
  }
  return tqvStandardControl::perform(action, data);
}
