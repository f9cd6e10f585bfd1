// Environment and globals, read and written through the current application.
#include "framework/environment.h"

#include "framework/runtime.h"
#include "values/convert.h"
#include "values/generic.h"

namespace {

constexpr TQVINT kDefaultMediaWidth = 640;
constexpr TQVINT kDefaultMediaHeight = 480;

tqvHandle lookup(const tqvHandle& table, std::string_view key, bool& present) {
  present = table.is(TQV_TABLE_TYPE) && tqvContainsKey(table, key);
  return present ? tqvGet(table, key) : tqvHandle();
}

const tqvHandle& environmentTable() {
  static const tqvHandle none;
  tqvRuntime* runtime = tqvCurrentRuntime();
  return runtime != nullptr ? runtime->environment : none;
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
  if (tqvRuntime* runtime = tqvCurrentRuntime()) tqvPut(runtime->environment, key, value);
}

void tqvSetEnvironmentBoolean(std::string_view key, bool flag) {
  tqvSetEnvironment(key, tqvMakeBoolean(flag));
}

tqvHandle tqvGetGlobal(std::string_view name) {
  tqvRuntime* runtime = tqvCurrentRuntime();
  if (runtime == nullptr) return tqvHandle();
  bool present = false;
  return lookup(runtime->globals, name, present);
}

void tqvSetGlobal(std::string_view name, const tqvHandle& value) {
  if (tqvRuntime* runtime = tqvCurrentRuntime()) tqvPut(runtime->globals, name, value);
}

void tqvSetGlobal(const tqvHandle& key, const tqvHandle& value) {
  if (tqvRuntime* runtime = tqvCurrentRuntime()) tqvPut(runtime->globals, key, value);
}

TQVINT tqvMediaWidth() {
  return tqvGetEnvironmentInteger("MediaWidth", kDefaultMediaWidth);
}

TQVINT tqvMediaHeight() {
  return tqvGetEnvironmentInteger("MediaHeight", kDefaultMediaHeight);
}
