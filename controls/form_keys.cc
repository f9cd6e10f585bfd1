// Tab stops and the help file of the standard forms.
#include "controls/form_keys.h"

#include "framework/control_object.h"
#include "framework/environment.h"
#include "framework/event.h"
#include "framework/form_object.h"
#include "framework/runtime.h"
#include "framework/services.h"
#include "storage/file_stream.h"
#include "values/convert.h"
#include "values/generic.h"
#include "values/list.h"
#include "values/string.h"

tqvHandle tqvTabStops(tqvFormObject& form) {
  tqvHandle list = form.resolvedProperty("TabStopList");
  tqvListObject* entries = tqvAsList(list);
  tqvHandle stops = tqvMakeList(entries != nullptr ? entries->count() : 0);
  if (entries == nullptr) return stops;
  for (TQVINT i = 0; i < entries->count(); ++i) {
    tqvHandle entry = tqvDereference(entries->itemAt(i));
    if (entry.is(TQV_STRING_TYPE)) entry = form.findControl(entry, tqvMakeString("Name"));
    tqvAddItem(stops, entry.is(TQV_CONTROL_TYPE) ? entry : tqvHandle());
  }
  return stops;
}

namespace {

bool usable(const tqvHandle& entry) {
  tqvControlObject* c = tqvAsControl(entry);
  return c != nullptr && !c->flag("Disabled") && !c->flag("Hidden");
}

// Controls that show being active draw themselves when activated and deactivated.
void makeActive(tqvFormObject& form, const tqvHandle& control) {
  form.setActiveControl(control, true);
}

}  // namespace

bool tqvMoveTabStop(tqvFormObject& form, bool backwards) {
  tqvHandle stops = tqvTabStops(form);
  tqvListObject* list = tqvAsList(stops);
  TQVINT count = list->count();
  if (count == 0) return false;
  TQVINT current = -1;
  tqvHandle active = form.activeControl();
  for (TQVINT i = 0; i < count && !active.isNil(); ++i) {
    if (list->itemAt(i).object() == active.object()) {
      current = i;
      break;
    }
  }
  for (TQVINT tried = 1; tried <= count; ++tried) {
    TQVINT i;
    if (current < 0) {
      i = backwards ? count - tried : tried - 1;
    } else {
      i = ((current + (backwards ? -tried : tried)) % count + count) % count;
    }
    tqvHandle entry = list->itemAt(i);
    if (!usable(entry)) continue;
    if (entry.object() == active.object()) return false;
    makeActive(form, entry);
    return true;
  }
  return false;
}

bool tqvActivateFirstTabStop(tqvFormObject& form) {
  tqvHandle stops = tqvTabStops(form);
  tqvListObject* list = tqvAsList(stops);
  if (list->count() == 0 || list->itemAt(0).isNil()) return false;
  makeActive(form, list->itemAt(0));
  return true;
}

bool tqvOfferAccelerator(tqvFormObject& form, TQVINT key, TQVINT modifiers) {
  if ((modifiers & TQV_ALT_FLAG) == 0 || (modifiers & TQV_CONTROL_FLAG) != 0 || key <= 0 ||
      key >= 256) {
    return false;
  }
  // Controls may change the list (a menu that opens another form): walk the handles.
  tqvHandle controls = form.controlList();
  tqvListObject* list = tqvAsList(controls);
  if (list == nullptr) return false;
  tqvHandle data = tqvMakeList(2);
  tqvAddItem(data, tqvMakeInt(key));
  tqvAddItem(data, tqvMakeInt(modifiers));
  tqvHandle action = tqvMakeString("Accelerator");
  for (TQVINT i = 0; i < list->count(); ++i) {
    tqvHandle control = list->itemAt(i);
    if (!usable(control)) continue;
    if (tqvTruth(tqvAsControl(control)->perform(action, data))) return true;
  }
  return false;
}

tqvHandle tqvHelpFilePath() {
  std::string abbreviation(tqvStringView(tqvAppAbbreviation()));
  if (abbreviation.empty()) return tqvHandle();
  for (const char* extension : {".hlp", ".html"}) {
    tqvHandle name = tqvMakeString(abbreviation + extension);
    for (const tqvHandle& directory : {tqvProgramDirectory(), tqvGetEnvironment("SourceDisk")}) {
      if (!directory.is(TQV_STRING_TYPE) || tqvStringLength(directory) == 0) continue;
      tqvHandle path = tqvPathJoin(directory, name);
      if (tqvFileExists(path)) return path;
    }
  }
  return tqvHandle();
}

bool tqvOpenHelpFile() {
  tqvHandle path = tqvHelpFilePath();
  if (path.isNil()) return false;
  tqvServices().showHelp(path);
  return true;
}
