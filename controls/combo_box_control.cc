// The combo box: its closed look, keys and the drop-down.
#include "controls/combo_box_control.h"

#include <algorithm>

#include "controls/drop_down.h"
#include "framework/events.h"
#include "framework/services.h"
#include "media/resources.h"
#include "media/text_drawing.h"
#include "values/convert.h"
#include "values/generic.h"
#include "values/list.h"
#include "values/string.h"

namespace {

constexpr TQVINT kButtonWidth = 18;
constexpr TQVINT kInset = 4;

}  // namespace

tqvHandle tqvComboBoxControl::makeInstance(const tqvHandle& definition) {
  return tqvWrapControl(new tqvComboBoxControl(definition, className()));
}

void tqvComboBoxControl::buttonArea(TQVINT& left, TQVINT& top, TQVINT& right, TQVINT& bottom) {
  right = tqvSaturatingAdd(hotSpotLeft(), hotSpotWidth());
  left = std::max(right - kButtonWidth, hotSpotLeft());
  top = hotSpotTop();
  bottom = tqvSaturatingAdd(hotSpotTop(), hotSpotHeight());
}

void tqvComboBoxControl::drawButton(tqvPainter& painter) {
  TQVINT left, top, right, bottom;
  buttonArea(left, top, right, bottom);
  painter.face(left, top, right, bottom, down_);
  cairo_t* cr = painter.cr();
  if (cr == nullptr) return;
  double cx = (left + right) / 2.0, cy = (top + bottom) / 2.0;
  cairo_move_to(cr, cx - 4, cy - 2);
  cairo_line_to(cr, cx + 4, cy - 2);
  cairo_line_to(cr, cx, cy + 3);
  cairo_close_path(cr);
  tqvSetCairoColour(cr, isEnabled() ? TQV_COLOUR_EDGE : TQV_COLOUR_GREYED);
  cairo_fill(cr);
}

TQVINT tqvComboBoxControl::drawPicture(tqvPainter& painter, const tqvHandle& value, TQVINT left,
                                       TQVINT top, TQVINT bottom) {
  tqvListObject* row = tqvAsList(value);
  if (!flag("DrawFlag") || row == nullptr || row->count() < 2) return 0;
  tqvHandle picture = row->itemAt(1);
  if (picture.is(TQV_STRING_TYPE)) picture = tqvResolve(picture);
  if (!picture.is(TQV_IMAGE_TYPE)) return 0;
  TQVINT height = std::max<TQVINT>(bottom - top - 4, 1);
  TQVINT width = std::max<TQVINT>(static_cast<TQVINT>(int64_t{tqvWidth(picture)} * height /
                                                      std::max<TQVINT>(tqvHeight(picture), 1)),
                                  1);
  width = std::min<TQVINT>(width, 3 * height);
  painter.stretch(picture, left, top + 2, left + width, top + 2 + height);
  return width + kInset;
}

TQVINT tqvComboBoxControl::boxPaper() {
  return tqvNumberOf(property("Background Color"), TQV_COLOUR_WHITE);
}

TQVINT tqvComboBoxControl::boxInk() {
  return tqvNumberOf(property("Foreground Color"), TQV_COLOUR_BLACK);
}

void tqvComboBoxControl::draw() {
  TQVINT left = hotSpotLeft(), top = hotSpotTop();
  TQVINT right = tqvSaturatingAdd(left, hotSpotWidth());
  TQVINT bottom = tqvSaturatingAdd(top, hotSpotHeight());
  if (right - left < kButtonWidth + 4 || bottom - top < 4) return;
  tqvPainter painter;
  painter.fill(left, top, right, bottom, isEnabled() ? boxPaper() : TQV_COLOUR_FACE);
  painter.frame(left, top, right, bottom, TQV_COLOUR_EDGE);
  TQVINT selected = selection();
  TQVINT textLeft = left + kInset;
  if (selected >= 0) {
    textLeft += drawPicture(painter, item(selected), textLeft, top, bottom);
    painter.text(itemText(item(selected), selected), textLeft, top, right - kButtonWidth - 2,
                 bottom, TQV_ALIGN_LEFT | TQV_ALIGN_MIDDLE | TQV_ALIGN_SINGLE_LINE, fontProperty(),
                 isEnabled() ? boxInk() : TQV_COLOUR_GREYED);
  }
  drawButton(painter);
  if (isActive() && isEnabled()) painter.focusRing(left - 2, top - 2, right + 2, bottom + 2);
}

bool tqvComboBoxControl::dropDown() {
  if (!isEnabled() || count() == 0) return false;
  tqvHandle self = handle();
  tqvDropDownRequest request;
  request.items = items();
  request.selected = selection();
  request.rows = std::clamp(integer("DropRows", 8), 1, 40);
  request.left = hotSpotLeft();
  request.top = hotSpotTop();
  request.right = tqvSaturatingAdd(hotSpotLeft(), hotSpotWidth());
  request.bottom = tqvSaturatingAdd(hotSpotTop(), hotSpotHeight());
  request.font = fontProperty();
  request.look = dropLook();
  request.textOf = [this](const tqvHandle& value, TQVINT index) { return itemText(value, index); };
  down_ = true;
  if (isVisible()) draw();
  TQVINT chosen = tqvRunDropDown(request);
  down_ = false;
  TQVINT before = selection();
  if (chosen >= 0) setProperty("Selection", tqvMakeInt(chosen));
  if (isVisible()) draw();
  tqvServices().flush();
  return chosen >= 0 && chosen != before;
}

bool tqvComboBoxControl::mouseDown(TQVINT x, TQVINT y, TQVINT modifiers, TQVINT clicks) {
  tqvFlushEvents(TQV_MOUSE_UP_EVENT);
  return dropDown();
}

bool tqvComboBoxControl::keyDown(TQVINT key, TQVINT modifiers) {
  if (key == TQV_KEY_DOWN && (modifiers & TQV_ALT_FLAG) != 0) return dropDown();
  if (key == '\r' || key == ' ') return dropDown();
  return tqvListControl::keyDown(key, modifiers);
}

bool tqvComboBoxControl::mouseWheel(TQVINT notches, TQVINT modifiers) {
  if (!isEnabled() || count() == 0) return false;
  TQVINT current = selection();
  TQVINT target = std::clamp<TQVINT>(
      tqvSaturatingAdd(current < 0 ? 0 : current, notches > 0 ? 1 : -1), 0, count() - 1);
  if (target != current) choose(target, 0);
  return true;
}

tqvHandle tqvComboBoxControl::perform(const tqvHandle& action, const tqvHandle& data) {
  std::string_view name = tqvStringView(action);
  if (name == "isDown") return tqvMakeBoolean(down_);
  if (name == "closeUp") {
    down_ = false;
    return tqvHandle();
  }
  if (name == "onKey") return tqvMakeBoolean(keyDown(tqvNumberOf(data, 0), 0));
  if (name == "drawFlag") {
    setProperty("DrawFlag", tqvMakeBoolean(tqvFlagOf(data, true)));
    if (isVisible()) draw();
    return tqvHandle();
  }
  return tqvListControl::perform(action, data);
}
