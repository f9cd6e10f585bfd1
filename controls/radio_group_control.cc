// The radio group.
#include "controls/radio_group_control.h"

#include "controls/control_members.h"
#include "framework/forms.h"
#include "values/generic.h"
#include "values/list.h"
#include "values/string.h"

tqvHandle tqvRadioGroupControl::members() {
  return tqvMemberControls(*this, "Group");
}

void tqvRadioGroupControl::select(const tqvHandle& chosen) {
  tqvHandle list = members();
  tqvListObject* all = tqvAsList(list);
  for (TQVINT i = 0; i < all->count(); ++i) {
    tqvHandle member = all->itemAt(i);
    tqvControlObject* c = tqvAsControl(member);
    bool on = member.object() == chosen.object();
    if (c->flag("Selected") == on) continue;
    // SelectDontDraw then Draw: the member must not notify back.
    tqvPerform(member, "SelectDontDraw", tqvMakeBoolean(on));
    if (c->isVisible()) tqvPerform(member, "Draw");
  }
  tqvControlObject* c = tqvAsControl(chosen);
  setProperty("Selection", c != nullptr ? c->property("Name") : tqvHandle());
}

tqvHandle tqvRadioGroupControl::perform(const tqvHandle& action, const tqvHandle& data) {
  std::string_view name = tqvStringView(action);
  if (name == "Notify") {
    if (data.is(TQV_CONTROL_TYPE)) select(data);
    return tqvHandle();
  }
  if (name == "SetSelected") {
    tqvHandle chosen = tqvDereference(data);
    tqvHandle list = members();
    if (chosen.is(TQV_INT_TYPE)) {
      chosen = chosen.intValue() >= 0 && chosen.intValue() < tqvCount(list)
                   ? tqvGet(list, chosen.intValue())
                   : tqvHandle();
    } else if (chosen.is(TQV_STRING_TYPE)) {
      chosen = tqvFindFormControl(chosen);
    }
    if (chosen.is(TQV_CONTROL_TYPE) && tqvIndexOf(list, chosen) >= 0) select(chosen);
    return tqvHandle();
  }
  if (name == "getSelection" || name == "getSelectionStr") {
    tqvHandle list = members();
    tqvListObject* all = tqvAsList(list);
    for (TQVINT i = 0; i < all->count(); ++i) {
      tqvControlObject* c = tqvAsControl(all->itemAt(i));
      if (!c->flag("Selected")) continue;
      return name == "getSelection" ? tqvMakeInt(i) : c->property("Name");
    }
    return name == "getSelection" ? tqvMakeInt(-1) : tqvHandle();
  }
  return tqvStandardControl::perform(action, data);
}
