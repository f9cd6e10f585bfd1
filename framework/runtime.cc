// The current program's state and the reads that the rest of the framework shares.
#include "framework/runtime.h"

#include <chrono>

#include "framework/event_queue.h"
#include "framework/services.h"
#include "values/generic.h"
#include "values/table.h"

namespace {

tqvRuntime* current = nullptr;

const tqvHandle& none() {
  static const tqvHandle nil;
  return nil;
}

}  // namespace

tqvRuntime::tqvRuntime()
    : environment(tqvTable(100)),
      globals(tqvTable(100)),
      services(std::make_unique<tqvServiceSet>()) {}

tqvRuntime::~tqvRuntime() = default;

tqvRuntime* tqvCurrentRuntime() {
  return current;
}

tqvRuntime* tqvSetCurrentRuntime(tqvRuntime* runtime) {
  tqvRuntime* previous = current;
  current = runtime;
  return previous;
}

const tqvHandle& tqvAppTitle() {
  return current != nullptr ? current->title : none();
}

const tqvHandle& tqvAppVersion() {
  return current != nullptr ? current->version : none();
}

const tqvHandle& tqvAppAbbreviation() {
  return current != nullptr ? current->abbreviation : none();
}

const tqvHandle& tqvProgramDirectory() {
  return current != nullptr ? current->programDirectory : none();
}

tqvPlatform::Backend* tqvBackend() {
  return current != nullptr ? current->backend : nullptr;
}

const tqvHandle& tqvActiveForm() {
  return current != nullptr ? current->activeForm : none();
}

uint32_t tqvTickCount() {
  if (tqvPlatform::Backend* backend = tqvBackend()) return backend->now();
  static const auto start = std::chrono::steady_clock::now();
  auto elapsed = std::chrono::steady_clock::now() - start;
  return static_cast<uint32_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

// The framework's own resource lookup, and the services of the current runtime.

tqvHandle tqvServiceSet::resolve(const tqvHandle& name) {
  return tqvResolveInMemory(name);
}

tqvHandle tqvResolveInMemory(const tqvHandle& name) {
  if (name.isNil() || name.is(TQV_REFERENCE_TYPE)) return tqvDereference(name);
  tqvHandle result;
  if (tqvRuntime* runtime = tqvCurrentRuntime()) {
    if (tqvObject* form = runtime->activeForm.object()) form->opGetKey(name, result);
    if (result.isNil()) {
      if (tqvTableObject* globals = tqvAsTable(runtime->globals)) result = globals->valueOf(name);
    }
  }
  return tqvDereference(result);
}

tqvServiceSet& tqvServices() {
  if (tqvRuntime* runtime = tqvCurrentRuntime()) return *runtime->services;
  static tqvServiceSet none;
  return none;
}
