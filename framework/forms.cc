// Make form, show form, run dialog, perform, and the codecs of forms and controls.
#include "framework/forms.h"

#include "framework/application.h"
#include "framework/class_registry.h"
#include "framework/control_object.h"
#include "framework/dialog_object.h"
#include "framework/event_queue.h"
#include "framework/history.h"
#include "framework/hooks.h"
#include "framework/property_values.h"
#include "framework/screen_services.h"
#include "storage/codecs.h"
#include "storage/encoding.h"
#include "storage/notation.h"
#include "values/convert.h"
#include "values/error.h"
#include "values/generic.h"
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

struct Makers {
  tqvFormMaker form = plainForm;
  tqvFormMaker dialog = plainDialog;
};

Makers& makers() {
  static Makers m;
  return m;
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

void tqvSetDefaultFormMakers(tqvFormMaker form, tqvFormMaker dialog) {
  makers().form = form != nullptr ? form : plainForm;
  makers().dialog = dialog != nullptr ? dialog : plainDialog;
}

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
    form = (dialog ? makers().dialog : makers().form)(properties);
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
  tqvApplication* app = tqvCurrentApplication();
  if (app == nullptr) return;
  tqvHandle old = app->activeForm();  // keeps the old form alive while it closes
  if (tqvFormObject* f = tqvAsFormObject(old)) {
    if (recordHistory && includedInHistory(old)) tqvPushHistory(f->name(), f->historyState());
    bool same =
        target.is(TQV_FORM_TYPE) ? target.object() == old.object() : tqvEquals(f->name(), target);
    if (same) {
      f->reopen(data);
      return;
    }
    f->close();
  } else if (tqvFormInterface* other = tqvAsForm(old)) {
    other->close();
  }
  app->setActiveForm(tqvHandle());

  tqvHandle form = tqvFindForm(target);
  tqvFormObject* f = tqvAsFormObject(form);
  if (f == nullptr) {
    tqvError("Cannot find form named '" + targetText(target) + "'");
    return;
  }
  app->setActiveForm(form);
  f->open(data);
  f->afterOpen();
  if (recordHistory && includedInHistory(form)) {
    tqvHandle name = target.is(TQV_STRING_TYPE) ? target : f->name();
    tqvRecordNavigation(app->navigationRecord(), name, data, tqvCopy(f->historyState()));
    tqvUpdateNavigationControls();
  }
}

void tqvOpenFormByName(const tqvHandle& name, const tqvHandle& data) {
  tqvShowForm(name, data, true);
}

tqvHandle tqvRunDialog(const tqvHandle& target, const tqvHandle& data) {
  tqvApplication* app = tqvCurrentApplication();
  if (app == nullptr) return tqvHandle();
  tqvHandle dialog = tqvFindForm(target);
  tqvDialogObject* d = tqvAsDialog(dialog);
  if (d == nullptr) {
    tqvError("Cannot find form named '" + targetText(target) + "'");
    return tqvHandle();
  }
  tqvHandle previous = app->activeForm();
  if (tqvFormInterface* p = tqvAsForm(previous)) p->deactivate();
  app->setActiveForm(dialog);
  d->open(data);
  d->afterOpen();
  while (!d->ended()) {
    tqvEvent event = tqvGetEvent(TQV_ALL_EVENTS, -1);
    // A null event with nothing left to wait for: no input can end the dialog.
    if (event.type == TQV_NULL_EVENT && (tqvQuitFlag() || tqvCurrentEventSource() == nullptr)) {
      d->end();
      break;
    }
    if (!app->HandleEvent(event)) {
      tqvSetQuitFlag(true);
      d->end();
    }
  }
  tqvHandle result = d->result();
  d->close();
  app->setActiveForm(previous);
  if (tqvFormInterface* p = tqvAsForm(previous)) p->activate();
  return result;
}

tqvHandle tqvPerform(const tqvHandle& target, const tqvHandle& action, const tqvHandle& data) {
  if (tqvControlObject* c = tqvAsControl(target)) return c->perform(action, data);
  if (tqvFormObject* f = tqvAsFormObject(target)) return f->perform(action, data);
  if (!target.is(TQV_FORM_TYPE)) tqvArgError("tqvPerform(frmOrCtrl,action,data)", 1);
  return tqvHandle();
}

tqvHandle tqvPerform(const tqvHandle& target, std::string_view action, const tqvHandle& data) {
  return tqvPerform(target, tqvMakeString(action), data);
}

std::string tqvActiveFormName() {
  tqvApplication* app = tqvCurrentApplication();
  if (app == nullptr) return {};
  return std::string(tqvStringView(nameOf(app->activeForm())));
}

namespace {

tqvHandle decodeControl(const tqvHandle& stream) {
  return tqvMakeControl(tqvDecode(stream));
}

tqvHandle decodeForm(const tqvHandle& stream) {
  return tqvMakeForm(tqvDecode(stream));
}

}  // namespace

void tqvFormsStartup() {
  tqvRegisterNotationFactory("form", tqvMakeForm);
  tqvRegisterNotationFactory("control", tqvMakeControl);
  tqvRegisterDecoder(TQV_CONTROL_TYPE, decodeControl);
  tqvRegisterDecoder(TQV_FORM_TYPE, decodeForm);
  tqvHooks().openFormByName = tqvOpenFormByName;
}
