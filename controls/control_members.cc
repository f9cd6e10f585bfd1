// Finding member controls.
#include "controls/control_members.h"

#include "framework/control_object.h"
#include "framework/form_object.h"
#include "framework/runtime.h"
#include "values/convert.h"
#include "values/generic.h"
#include "values/list.h"
#include "values/string.h"

tqvHandle tqvFindFormControl(const tqvHandle& name) {
  tqvFormObject* form = tqvAsFormObject(tqvActiveForm());
  return form != nullptr ? form->findControl(name, tqvMakeString("Name")) : tqvHandle();
}

tqvHandle tqvMemberControls(tqvControlObject& container, std::string_view memberKey) {
  tqvHandle members = tqvMakeList();
  tqvListObject* listed = tqvAsList(container.property("Members"));
  if (listed != nullptr) {
    for (TQVINT i = 0; i < listed->count(); ++i) {
      tqvHandle entry = tqvDereference(listed->itemAt(i));
      if (entry.is(TQV_STRING_TYPE)) entry = tqvFindFormControl(entry);
      if (entry.is(TQV_CONTROL_TYPE) && entry.object() != &container) tqvAddItem(members, entry);
    }
    return members;
  }
  tqvHandle name = tqvDereference(container.property("Name"));
  tqvFormObject* form = tqvAsFormObject(tqvActiveForm());
  if (memberKey.empty() || !name.is(TQV_STRING_TYPE) || form == nullptr) return members;
  tqvHandle controls = form->controlList();
  tqvListObject* all = tqvAsList(controls);
  for (TQVINT i = 0; all != nullptr && i < all->count(); ++i) {
    tqvHandle control = all->itemAt(i);
    tqvControlObject* c = tqvAsControl(control);
    if (c == nullptr || c == &container) continue;
    if (tqvEquals(tqvDereference(c->property(memberKey)), name)) tqvAddItem(members, control);
  }
  return members;
}
