// The text viewers' common behaviour.
#include "almanac/entries/text_form.h"

#include <string>

#include "almanac/catalogue/screens.h"
#include "almanac/entries/hyperlinks.h"
#include "almanac/entries/plain_copy.h"
#include "framework/control_object.h"
#include "framework/cursor.h"
#include "framework/environment.h"
#include "framework/forms.h"
#include "framework/message_box.h"
#include "framework/perform.h"
#include "framework/runtime.h"
#include "media/resources.h"
#include "values/convert.h"
#include "values/cp1252.h"
#include "values/font.h"
#include "values/generic.h"
#include "values/list.h"
#include "values/string.h"
#include "values/table.h"

namespace {

tqvHandle S(std::string_view text) {
  return tqvMakeString(text);
}

bool isScrollAction(std::string_view name) {
  return name == "Home" || name == "End" || name == "PageUp" || name == "PageDown" ||
         name == "LineDown" || name == "LineUp";
}

bool isLinkData(const tqvHandle& data) {
  return data.is(TQV_TABLE_TYPE) && tqvContainsKey(data, "HyperLink");
}

// The target of the hot spot that sent `data`: its view's "GetContext", else the target
// the data carries. Nil when it is not a string.
tqvHandle linkTarget(const tqvHandle& data) {
  tqvHandle control = tqvGet(data, "Control");
  tqvHandle target = control.is(TQV_CONTROL_TYPE) ? tqvPerform(control, "GetContext", tqvHandle())
                                                  : tqvGet(data, "HyperLink");
  return target.is(TQV_STRING_TYPE) ? target : tqvHandle();
}

// Shows or hides a notice control of the form and draws the change.
void showNotice(tqvFormObject& form, const char* name, bool shown) {
  tqvHandle notice = form.findControlNamed(name);
  if (notice.isNil()) return;
  tqvPerform(notice, "Hidden", tqvMakeBoolean(!shown));
  // What the notice covered is drawn again.
  if (!shown) form.draw();
}

void copyWithNotice(tqvFormObject& form, const tqvHandle& title, const tqvHandle& text,
                    std::string_view font) {
  showNotice(form, "Copiando", true);
  std::string plain = lxPlainTextForCopy(title, text, font);
  if (tqvPlatform::Backend* backend = tqvBackend()) {
    backend->setClipboardText(tqvCp1252ToUtf8(plain));
  }
  showNotice(form, "Copiando", false);
}

// Prints through the text view "Texto" in Arial 11, its own font put back afterwards.
void printWithNotice(tqvFormObject& form, const tqvHandle& attributes) {
  tqvHandle view = form.findControlNamed("Texto");
  tqvControlObject* control = tqvAsControl(view);
  if (control == nullptr) return;
  tqvShowWaitCursor();
  showNotice(form, "Imprimindo", true);
  tqvHandle font = control->property("Font");
  control->setProperty("Font", tqvMakeFont(S("Arial"), 11, 0));
  tqvPerform(view, "Print", attributes);
  control->setProperty("Font", font);
  tqvResetCursor();
  showNotice(form, "Imprimindo", false);
}

tqvHandle attributesWith(tqvHandle attributes, const tqvHandle& title, const tqvHandle& text) {
  if (!attributes.is(TQV_TABLE_TYPE)) attributes = tqvTable(4);
  if (!title.isNil()) tqvPut(attributes, "Title", title);
  if (!text.isNil()) tqvPut(attributes, "Text", text);
  return attributes;
}

// Whether a screen of that name is known to the program.
bool knownScreen(std::string_view name) {
  return !name.empty() && !tqvGetGlobal(name).isNil();
}

}  // namespace

std::vector<std::string> lxValidInfos() {
  std::vector<std::string> names;
  tqvListObject* list = tqvAsList(tqvResolve(S("ValidInfos")));
  if (list == nullptr) return names;
  for (TQVINT i = 0; i < list->count(); ++i) {
    tqvHandle name = list->itemAt(i);
    if (name.is(TQV_STRING_TYPE)) names.emplace_back(tqvStringView(tqvLower(name)));
  }
  return names;
}

LXTextForm::LXTextForm(const tqvHandle& definition, std::string_view className,
                       std::string_view historyText)
    : BarraMenuForm(definition, className, historyText) {}

tqvHandle LXTextForm::makeInstance(const tqvHandle& definition) {
  return tqvWrapForm(new LXTextForm(definition, className(), ""));
}

tqvHandle LXTextForm::perform(const tqvHandle& action, const tqvHandle& data) {
  std::string_view name = tqvStringView(action);
  if (isScrollAction(name)) {
    tqvHandle view = findControlNamed("Texto");
    if (!view.isNil()) tqvPerform(view, action, data);
    return tqvHandle();
  }
  if (isLinkData(data)) {
    followLink(data);
    return tqvHandle();
  }
  return BarraMenuForm::perform(action, data);
}

void LXTextForm::followLink(const tqvHandle& data) {
  // Markers of the same text and form files are the framework's own links.
  if (tqvFollowPlainLink(data)) return;
  tqvHandle target = linkTarget(data);
  if (target.isNil()) return;
  lxLinkAction action = lxLinkActionFor(tqvStringView(target), false, lxValidInfos());
  switch (action.kind) {
    case lxLinkAction::Kind::OpenTarget:
      openTarget(action.target);
      break;
    case lxLinkAction::Kind::GoToForm:
      goTo(action.target);
      break;
    case lxLinkAction::Kind::PlaySound:
      playSound(action.target);
      break;
    case lxLinkAction::Kind::Message:
      tqvAlert(action.target);
      break;
    case lxLinkAction::Kind::None:
      break;
  }
}

void LXTextForm::openTarget(std::string_view target) {
  tqvShowWaitCursor();
  lxOpenTarget open = lxOpenTargetOf(target);
  if (knownScreen(open.form)) goTo(open.form, open.parameters);
  tqvResetCursor();
}

tqvHandle LXTextForm::openNamedDialog(std::string_view name, const tqvHandle& data) {
  if (!knownScreen(name) || !lxScreenOnDisc(name)) return tqvHandle();
  tqvHandle result = tqvRunDialog(S(name), data);
  tqvHandle form = result.is(TQV_TABLE_TYPE) ? tqvGet(result, "Jump Form") : tqvHandle();
  if (form.is(TQV_STRING_TYPE)) goTo(tqvStringView(form), tqvGet(result, "Jump Table"));
  return result;
}

void LXTextForm::playSound(std::string_view name) {
  perform(S("PlaySound"), S("Sounds\\" + std::string(name)));
}

tqvHandle LXTextForm::printAttributes() {
  tqvHandle attributes = property("PrintAttributes");
  return attributes.is(TQV_TABLE_TYPE) ? tqvCopy(attributes) : tqvTable(4);
}

void LXTextForm::print(const tqvHandle& title, const tqvHandle& text) {
  printWithNotice(*this, attributesWith(printAttributes(), title, text));
}

void LXTextForm::copy(const tqvHandle& title, const tqvHandle& text) {
  copyWithNotice(*this, title, text, "Verdana");
}

LXTextDialog::LXTextDialog(const tqvHandle& definition, std::string_view className)
    : tqvStandardDialog(definition), className_(className) {}

tqvHandle LXTextDialog::makeInstance(const tqvHandle& definition) {
  return tqvWrapForm(new LXTextDialog(definition, className_));
}

tqvHandle LXTextDialog::perform(const tqvHandle& action, const tqvHandle& data) {
  std::string_view name = tqvStringView(action);
  if (isScrollAction(name)) {
    tqvHandle view = findControlNamed("Texto");
    if (!view.isNil()) tqvPerform(view, action, data);
    return tqvHandle();
  }
  // Markers, form files and hot spots without a string target are the base's.
  tqvHandle target = isLinkData(data) ? linkTarget(data) : tqvHandle();
  if (target.isNil()) return tqvStandardDialog::perform(action, data);
  if (tqvFollowPlainLink(data)) return tqvHandle();
  lxLinkAction link = lxLinkActionFor(tqvStringView(target), true, lxValidInfos());
  switch (link.kind) {
    case lxLinkAction::Kind::OpenTarget:
      openTarget(link.target);
      break;
    case lxLinkAction::Kind::GoToForm:
      goToForm(link.target, tqvHandle());
      break;
    case lxLinkAction::Kind::PlaySound:
      playSound(link.target);
      break;
    case lxLinkAction::Kind::Message:
      tqvAlert(link.target);
      break;
    case lxLinkAction::Kind::None:
      break;
  }
  return tqvHandle();
}

void LXTextDialog::goToForm(std::string_view name, const tqvHandle& parameters) {
  if (!knownScreen(name)) return;
  tqvHandle result = tqvTable(4);
  tqvPut(result, "Jump Form", S(name));
  tqvPut(result, "Jump Table", parameters);
  setResult(result);
  end();
}

void LXTextDialog::openTarget(std::string_view target) {
  lxOpenTarget open = lxOpenTargetOf(target);
  goToForm(open.form, open.parameters);
}

void LXTextDialog::playSound(std::string_view name) {
  perform(S("PlaySound"), S("Sounds\\" + std::string(name)));
}

void LXTextDialog::copy(const tqvHandle& title, const tqvHandle& text) {
  copyWithNotice(*this, title, text, "Arial");
}

void LXTextDialog::print(const tqvHandle& title, const tqvHandle& text) {
  tqvHandle attributes = property("PrintAttributes");
  printWithNotice(*this,
                  attributesWith(attributes.is(TQV_TABLE_TYPE) ? tqvCopy(attributes) : tqvHandle(),
                                 title, text));
}
