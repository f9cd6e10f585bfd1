// Make form, show form, run dialog, perform, and the codecs of forms and controls.
#include "framework/forms.h"

#include <vector>

#include "framework/class_registry.h"
#include "framework/control_object.h"
#include "framework/dialog_object.h"
#include "framework/events.h"
#include "framework/history.h"
#include "framework/runtime.h"
#include "framework/services.h"
#include "storage/codecs.h"
#include "storage/encoding.h"
#include "storage/notation.h"
#include "values/convert.h"
#include "values/error.h"
#include "values/generic.h"
#include "values/list.h"
#include "values/string.h"
#include "values/table.h"
#include "values/text.h"

namespace {

tqvHandle plainForm(const tqvHandle& definition) {
  return tqvWrapForm(new tqvFormObject(definition));
}

tqvHandle plainDialog(const tqvHandle& definition) {
  return tqvWrapForm(new tqvDialogObject(definition));
}

// The maker of forms (or dialogs) whose class is not registered.
tqvFormMaker defaultMaker(bool dialog) {
  tqvRuntime* runtime = tqvCurrentRuntime();
  tqvFormMaker maker = nullptr;
  if (runtime != nullptr) maker = dialog ? runtime->dialogMaker : runtime->formMaker;
  return maker != nullptr ? maker : dialog ? plainDialog : plainForm;
}

// Item i of a list, or nil.
tqvHandle item(const tqvHandle& list, TQVINT i) {
  tqvListObject* l = tqvAsList(list);
  return l != nullptr && i >= 0 && i < l->count() ? l->itemAt(i) : tqvHandle();
}

tqvHandle key(std::string_view name) {
  return tqvMakeString(name);
}

// How a target shows in messages: a form by its name, anything else as printed.
std::string targetText(const tqvHandle& target) {
  if (tqvFormObject* f = tqvAsFormObject(target)) return tqvToStdString(f->name(), false);
  return tqvToStdString(target, false);
}

}  // namespace

tqvHandle tqvMakeForm(const tqvHandle& definition) {
  tqvHandle properties = definition.is(TQV_TABLE_TYPE) ? definition : tqvTable(4);
  tqvTableObject* table = tqvAsTable(properties);
  tqvHandle form;
  tqvHandle className = table != nullptr ? table->valueOf(key("Class")) : tqvHandle();
  if (className.is(TQV_STRING_TYPE)) {
    if (tqvClassObject* cls = tqvAsClass(tqvFindClass(tqvStringView(className)))) {
      form = cls->makeInstance(properties);
      if (!form.is(TQV_FORM_TYPE)) form = tqvHandle();
    }
  }
  if (form.isNil()) {
    bool dialog = table != nullptr && tqvFlagOf(table->valueOf(key("Dialog")), false);
    form = defaultMaker(dialog)(properties);
  }
  if (tqvFormObject* f = tqvAsFormObject(form); f != nullptr && f->name().isNil()) {
    tqvHandle name = tqvDereference(f->property("Name"));
    f->setName(name.is(TQV_STRING_TYPE) ? name : tqvMakeString(f->className()));
  }
  return form;
}

tqvHandle tqvFindForm(const tqvHandle& target) {
  if (target.is(TQV_FORM_TYPE)) return target;
  tqvHandle result = tqvServices().resolve(target);
  if (!result.isNil() && !result.is(TQV_FORM_TYPE)) result = tqvServices().resolve(result);
  return result.is(TQV_FORM_TYPE) ? result : tqvHandle();
}

namespace {

tqvHandle nameOf(const tqvHandle& form) {
  tqvFormObject* f = tqvAsFormObject(form);
  return f != nullptr ? f->name() : tqvHandle();
}

bool includedInHistory(const tqvHandle& form) {
  tqvFormObject* f = tqvAsFormObject(form);
  return f == nullptr || tqvFlagOf(f->property("Include In History"), true);
}

}  // namespace

void tqvShowForm(const tqvHandle& target, const tqvHandle& data, bool recordHistory) {
  tqvRuntime* runtime = tqvCurrentRuntime();
  if (runtime == nullptr) return;
  tqvHandle old = runtime->activeForm;  // keeps the old form alive while it closes
  if (tqvFormObject* f = tqvAsFormObject(old)) {
    if (recordHistory && includedInHistory(old)) tqvPushHistory(f->name(), f->historyState());
    bool same =
        target.is(TQV_FORM_TYPE) ? target.object() == old.object() : tqvEquals(f->name(), target);
    if (same) {
      f->reopen(data);
      return;
    }
    tqvServices().closeMovies();
    f->close();
  }
  runtime->activeForm = tqvHandle();

  tqvHandle form = tqvFindForm(target);
  tqvFormObject* f = tqvAsFormObject(form);
  if (f == nullptr) {
    tqvError("Cannot find form named '" + targetText(target) + "'");
    return;
  }
  runtime->activeForm = form;
  f->open(data);
  f->afterOpen();
  if (recordHistory && includedInHistory(form)) {
    tqvHandle name = target.is(TQV_STRING_TYPE) ? target : f->name();
    tqvRecordNavigation(tqvNavigationRecord(), name, data, tqvCopy(f->historyState()));
    tqvUpdateNavigationControls();
  }
}

void tqvOpenFormByName(const tqvHandle& name, const tqvHandle& data) {
  tqvShowForm(name, data, true);
}

tqvHandle tqvRunDialog(const tqvHandle& target, const tqvHandle& data) {
  tqvRuntime* runtime = tqvCurrentRuntime();
  if (runtime == nullptr) return tqvHandle();
  tqvHandle dialog = tqvFindForm(target);
  tqvDialogObject* d = tqvAsDialog(dialog);
  if (d == nullptr) {
    tqvError("Cannot find form named '" + targetText(target) + "'");
    return tqvHandle();
  }
  tqvHandle previous = runtime->activeForm;
  if (tqvFormObject* p = tqvAsFormObject(previous)) p->deactivate();
  runtime->formsUnderDialogs.push_back(previous);
  runtime->activeForm = dialog;
  d->open(data);
  d->afterOpen();
  while (!d->ended()) {
    tqvEvent event = tqvGetEvent(TQV_ALL_EVENTS, -1);
    // A null event with nothing left to wait for: no input can end the dialog.
    if (event.type == TQV_NULL_EVENT && (tqvQuitFlag() || tqvCurrentEventSource() == nullptr)) {
      d->end();
      break;
    }
    if (runtime->application == nullptr || !runtime->application->HandleEvent(event)) {
      tqvSetQuitFlag(true);
      d->end();
    }
  }
  tqvHandle result = d->result();
  d->close();
  runtime->formsUnderDialogs.pop_back();
  runtime->activeForm = previous;
  if (tqvFormObject* p = tqvAsFormObject(previous)) p->activate();
  return result;
}

namespace {

bool goBy(TQVINT step) {
  tqvHandle entry;
  if (!tqvStepNavigation(tqvNavigationRecord(), step, entry)) return false;
  tqvShowForm(item(entry, 0), item(entry, 1), false);
  tqvUpdateNavigationControls();
  return true;
}

void setNavigationControl(const char* name, bool impossible) {
  tqvHandle key = tqvMakeString(name);
  tqvHandle control = tqvServices().resolve(key);
  // A form that keeps its controls only in its control list names them there.
  if (!control.is(TQV_CONTROL_TYPE)) {
    if (tqvFormObject* form = tqvAsFormObject(tqvActiveForm())) {
      control = form->findControl(key, tqvMakeString("Name"));
    }
  }
  if (!control.is(TQV_CONTROL_TYPE)) return;
  tqvPut(control, "Disabled", tqvMakeBoolean(impossible));
  tqvPerform(control, "Draw");
}

}  // namespace

bool tqvGoBack() {
  return goBy(-1);
}

bool tqvGoForward() {
  return goBy(1);
}

void tqvUpdateNavigationControls() {
  if (tqvCurrentRuntime() == nullptr) return;
  tqvHandle record = tqvNavigationRecord();
  setNavigationControl("GoBack", !tqvCanStepNavigation(record, -1));
  setNavigationControl("GoForward", !tqvCanStepNavigation(record, 1));
}

void tqvRedrawScreen() {
  tqvRuntime* runtime = tqvCurrentRuntime();
  if (runtime == nullptr) return;
  tqvHandle active = runtime->activeForm;
  std::vector<tqvHandle> forms = runtime->formsUnderDialogs;
  forms.push_back(active);
  for (const tqvHandle& form : forms) {
    tqvFormObject* f = tqvAsFormObject(form);
    if (f == nullptr || !f->isOpen()) continue;
    // Controls draw as parts of the active form: each form is it while it is drawn.
    runtime->activeForm = form;
    if (tqvDialogObject* d = tqvAsDialog(form)) d->saveScreenAgain();
    f->draw();
  }
  runtime->activeForm = active;
  tqvServices().flush();
}

std::string tqvActiveFormName() {
  return std::string(tqvStringView(nameOf(tqvActiveForm())));
}

namespace {

tqvHandle decodeControl(const tqvHandle& stream) {
  return tqvMakeControl(tqvDecode(stream));
}

tqvHandle decodeForm(const tqvHandle& stream) {
  return tqvMakeForm(tqvDecode(stream));
}

}  // namespace

void tqvRegisterFormCodecs() {
  tqvRegisterNotationFactory("form", tqvMakeForm);
  tqvRegisterNotationFactory("control", tqvMakeControl);
  tqvRegisterDecoder(TQV_CONTROL_TYPE, decodeControl);
  tqvRegisterDecoder(TQV_FORM_TYPE, decodeForm);
}
