// Finding controls and writing out the screen for scripts.
#include "framework/screen_report.h"

#include <algorithm>
#include <initializer_list>

#include "framework/control_object.h"
#include "framework/form_object.h"
#include "framework/runtime.h"
#include "values/convert.h"
#include "values/list.h"
#include "values/string.h"
#include "values/table.h"
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

namespace {

// One value in the notation on one line: the printer's line breaks and indents become
// single blanks.
std::string oneLine(const tqvHandle& value) {
  std::string text = tqvToStdString(value, true);
  std::string line;
  line.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n') {
      while (i + 1 < text.size() && text[i + 1] == ' ') ++i;
      line += ' ';
    } else {
      line += text[i];
    }
  }
  return line;
}

// "(form " or "(control " and the properties, "Name" first, leaving out `skip`.
std::string describe(const char* kind, const tqvHandle& properties,
                     std::initializer_list<std::string_view> skip) {
  std::string line = std::string("(") + kind;
  tqvTableObject* table = tqvAsTable(properties);
  if (table == nullptr) return line + ")";
  tqvHandle name = table->valueOf(tqvMakeString("Name"));
  if (!name.isNil()) line += " (\"Name\" " + oneLine(name) + ")";
  for (TQVINT slot = table->firstSlot(); slot >= 0; slot = table->nextSlot(slot)) {
    const tqvHandle& key = table->keySlot(slot);
    std::string_view word = tqvStringView(key);
    if (word == "Name" || std::find(skip.begin(), skip.end(), word) != skip.end()) continue;
    line += " (" + oneLine(key) + " " + oneLine(table->valueSlot(slot)) + ")";
  }
  return line + ")";
}

}  // namespace

std::string tqvScreenDump() {
  tqvRuntime* runtime = tqvCurrentRuntime();
  if (runtime == nullptr) return {};
  std::string text;
  auto write = [&text](const tqvHandle& form) {
    tqvFormObject* f = tqvAsFormObject(form);
    if (f == nullptr) return;
    text += describe("form", f->properties(), {"Control List", "LoadedResourceTable"}) + "\n";
    tqvHandle controls = f->controlList();
    tqvListObject* list = tqvAsList(controls);
    for (TQVINT i = 0; list != nullptr && i < list->count(); ++i) {
      if (tqvControlObject* c = tqvAsControl(list->itemAt(i))) {
        text += "  " + describe("control", c->properties(), {}) + "\n";
      }
    }
  };
  for (const tqvHandle& form : runtime->formsUnderDialogs) write(form);
  write(runtime->activeForm);
  return text;
}
