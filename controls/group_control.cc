// The group.
#include "controls/group_control.h"

#include "controls/control_members.h"
#include "controls/control_painter.h"
#include "framework/forms.h"
#include "media/text_drawing.h"
#include "values/convert.h"
#include "values/generic.h"
#include "values/list.h"
#include "values/string.h"

void tqvGroupControl::draw() {
  if (!flag("Frame")) return;
  TQVINT left = hotSpotLeft(), top = hotSpotTop();
  TQVINT right = left + hotSpotWidth(), bottom = top + hotSpotHeight();
  tqvPainter painter;
  painter.frame(left, top + 7, right, bottom, TQV_COLOUR_EDGE);
  tqvHandle title = label();
  if (title.isNil()) return;
  tqvTextExtent extent;
  tqvHandle font = fontProperty();
  if (!tqvMeasureText(title, font, extent)) return;
  // The title sits on the outline, on the form's background.
  tqvDrawFormBackground(left + 8, top, left + 14 + extent.width, top + extent.height);
  painter.text(title, left + 11, top, left + 14 + extent.width, top + extent.height,
               TQV_ALIGN_LEFT | TQV_ALIGN_SINGLE_LINE, font,
               isEnabled() ? TQV_COLOUR_BLACK : TQV_COLOUR_GREYED);
}

void tqvGroupControl::toMembers(const char* action, bool flag) {
  if (busy_) return;
  busy_ = true;
  tqvHandle list = tqvMemberControls(*this, "");
  tqvListObject* all = tqvAsList(list);
  for (TQVINT i = 0; i < all->count(); ++i)
    tqvPerform(all->itemAt(i), action, tqvMakeBoolean(flag));
  busy_ = false;
}

tqvHandle tqvGroupControl::perform(const tqvHandle& action, const tqvHandle& data) {
  std::string_view name = tqvStringView(action);
  bool on = tqvFlagOf(data, true);
  if (name == "Visible") {
    toMembers("Hidden", !on);
    return tqvStandardControl::perform(tqvMakeString("Hidden"), tqvMakeBoolean(!on));
  }
  if (name == "Enabled") {
    toMembers("Disabled", !on);
    return tqvStandardControl::perform(tqvMakeString("Disabled"), tqvMakeBoolean(!on));
  }
  if (name == "Hidden" || name == "Disabled") {
    if (busy_) return tqvHandle();
    toMembers(name == "Hidden" ? "Hidden" : "Disabled", on);
  }
  return tqvStandardControl::perform(action, data);
}
