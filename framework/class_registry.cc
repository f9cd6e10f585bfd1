// Registration and lookup of class prototypes.
#include "framework/class_registry.h"

#include <string>

#include "framework/environment.h"
#include "values/error.h"
#include "values/generic.h"
#include "values/string.h"
#include "values/table.h"

tqvClassObject* tqvAsClass(const tqvHandle& prototype) {
  return prototype.is(TQV_CLASS_TYPE) ? dynamic_cast<tqvClassObject*>(prototype.object()) : nullptr;
}

void tqvRegisterClass(const tqvHandle& prototype) {
  tqvClassObject* cls = tqvAsClass(prototype);
  if (cls == nullptr) {
    tqvArgError("tqvRegisterClass(prototype)", 1);
    return;
  }
  tqvHandle classes = tqvGetGlobal("Classes");
  if (!classes.is(TQV_TABLE_TYPE)) {
    classes = tqvTable(100);
    tqvSetGlobal("Classes", classes);
  }
  std::string_view name = cls->className();
  if (tqvContainsKey(classes, name)) {
    tqvError("Class already registered: " + std::string(name));
    return;
  }
  tqvPut(classes, name, prototype);
}

tqvHandle tqvFindClass(std::string_view name) {
  tqvHandle classes = tqvGetGlobal("Classes");
  if (!classes.is(TQV_TABLE_TYPE) || !tqvContainsKey(classes, name)) return tqvHandle();
  return tqvGet(classes, name);
}
