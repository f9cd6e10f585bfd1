// Dispatch of named actions to controls and forms.
#include "framework/perform.h"

#include "framework/control_object.h"
#include "framework/form_object.h"
#include "values/error.h"
#include "values/string.h"

tqvHandle tqvPerform(const tqvHandle& target, const tqvHandle& action, const tqvHandle& data) {
  if (tqvControlObject* c = tqvAsControl(target)) return c->perform(action, data);
  if (tqvFormObject* f = tqvAsFormObject(target)) return f->perform(action, data);
  if (!target.is(TQV_FORM_TYPE)) tqvArgError("tqvPerform(frmOrCtrl,action,data)", 1);
  return tqvHandle();
}

tqvHandle tqvPerform(const tqvHandle& target, std::string_view action, const tqvHandle& data) {
  return tqvPerform(target, tqvMakeString(action), data);
}
