// The built-in screen services and the installed ones.
#include "framework/screen_services.h"

#include "framework/application.h"
#include "values/generic.h"
#include "values/table.h"

namespace {

tqvScreenServices*& installed() {
  static tqvScreenServices* services = nullptr;
  return services;
}

}  // namespace

tqvHandle tqvScreenServices::resolve(const tqvHandle& name) {
  return tqvResolveInMemory(name);
}

tqvHandle tqvResolveInMemory(const tqvHandle& name) {
  if (name.isNil() || name.is(TQV_REFERENCE_TYPE)) return tqvDereference(name);
  tqvHandle result;
  if (tqvApplication* app = tqvCurrentApplication()) {
    if (tqvObject* form = app->activeForm().object()) form->opGetKey(name, result);
    if (result.isNil()) {
      if (tqvTableObject* globals = tqvAsTable(app->globals())) result = globals->valueOf(name);
    }
  }
  return tqvDereference(result);
}

tqvScreenServices& tqvServices() {
  static tqvScreenServices builtIn;
  return installed() != nullptr ? *installed() : builtIn;
}

void tqvSetScreenServices(tqvScreenServices* services) {
  installed() = services;
}
