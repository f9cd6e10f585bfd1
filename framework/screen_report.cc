// Finding controls and writing out the screen for scripts.
#include "framework/screen_report.h"

#include "framework/control_object.h"
#include "framework/form_object.h"
#include "framework/runtime.h"
#include "values/convert.h"
#include "values/string.h"
#include "values/text.h"

bool tqvControlCentre(std::string_view name, TQVINT& x, TQVINT& y) {
  tqvFormObject* form = tqvAsFormObject(tqvActiveForm());
  if (form == nullptr) return false;
  tqvControlObject* c = tqvAsControl(form->findControl(tqvMakeString(name), tqvMakeString("Name")));
  if (c == nullptr || !c->isVisible() || c->hotSpotWidth() <= 0 || c->hotSpotHeight() <= 0) {
    return false;
  }
  x = tqvSaturatingAdd(c->hotSpotLeft(), c->hotSpotWidth() / 2);
  y = tqvSaturatingAdd(c->hotSpotTop(), c->hotSpotHeight() / 2);
  form->toMediaCoordinates(x, y);
  return true;
}

std::string tqvScreenDump() {
  tqvRuntime* runtime = tqvCurrentRuntime();
  if (runtime == nullptr) return {};
  std::string text;
  auto write = [&text](const tqvHandle& form) {
    if (!form.is(TQV_FORM_TYPE)) return;
    text += tqvToStdString(form, true);
    text += '\n';
  };
  for (const tqvHandle& form : runtime->formsUnderDialogs) write(form);
  write(runtime->activeForm);
  return text;
}
