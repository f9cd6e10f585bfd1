// Environment and globals, read and written through the current application.
#include "framework/environment.h"

#include "framework/application.h"
#include "values/convert.h"
#include "values/generic.h"

namespace {

tqvHandle lookup(const tqvHandle& table, std::string_view key, bool& present) {
  present = table.is(TQV_TABLE_TYPE) && tqvContainsKey(table, key);
  return present ? tqvGet(table, key) : tqvHandle();
}

const tqvHandle& environmentTable() {
  static const tqvHandle none;
  tqvApplication* app = tqvCurrentApplication();
  return app != nullptr ? app->environment() : none;
}

}  // namespace

tqvHandle tqvGetEnvironment(std::string_view key) {
  bool present = false;
  return lookup(environmentTable(), key, present);
}

tqvHandle tqvGetEnvironment(std::string_view key, const tqvHandle& fallback) {
  bool present = false;
  tqvHandle value = lookup(environmentTable(), key, present);
  return present ? value : fallback;
}

bool tqvGetEnvironmentBoolean(std::string_view key, bool fallback) {
  bool present = false;
  tqvHandle value = lookup(environmentTable(), key, present);
  return present ? tqvIntValue(tqvBool(value)) != 0 : fallback;
}

TQVINT tqvGetEnvironmentInteger(std::string_view key, TQVINT fallback) {
  bool present = false;
  tqvHandle value = lookup(environmentTable(), key, present);
  return present ? tqvIntValue(value) : fallback;
}

bool tqvHasEnvironment(std::string_view key) {
  bool present = false;
  lookup(environmentTable(), key, present);
  return present;
}

void tqvSetEnvironment(std::string_view key, const tqvHandle& value) {
  if (tqvApplication* app = tqvCurrentApplication()) app->setEnvironment(key, value);
}

void tqvSetEnvironmentBoolean(std::string_view key, bool flag) {
  tqvSetEnvironment(key, tqvMakeBoolean(flag));
}

tqvHandle tqvGetGlobal(std::string_view name) {
  tqvApplication* app = tqvCurrentApplication();
  if (app == nullptr) return tqvHandle();
  bool present = false;
  return lookup(app->globals(), name, present);
}

void tqvSetGlobal(std::string_view name, const tqvHandle& value) {
  if (tqvApplication* app = tqvCurrentApplication()) app->setGlobal(name, value);
}
