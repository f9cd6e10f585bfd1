// Storage of the program-wide state.
#include "framework/program_state.h"

#include <chrono>

namespace {

struct ProgramState {
  tqvHandle title;
  tqvHandle version;
  tqvHandle abbreviation;
  tqvHandle programDirectory;
  tqvPlatform::Backend* backend = nullptr;
  tqvSettingList settings;
};

ProgramState& state() {
  static ProgramState* program = new ProgramState;  // lives until the process ends
  return *program;
}

}  // namespace

void tqvSetAppIdentity(const tqvHandle& title, const tqvHandle& version,
                       const tqvHandle& abbreviation) {
  state().title = title;
  state().version = version;
  state().abbreviation = abbreviation;
}
const tqvHandle& tqvAppTitle() {
  return state().title;
}
const tqvHandle& tqvAppVersion() {
  return state().version;
}
const tqvHandle& tqvAppAbbreviation() {
  return state().abbreviation;
}

void tqvSetProgramDirectory(const tqvHandle& directory) {
  state().programDirectory = directory;
}
const tqvHandle& tqvProgramDirectory() {
  return state().programDirectory;
}

void tqvSetBackend(tqvPlatform::Backend* backend) {
  state().backend = backend;
}
tqvPlatform::Backend* tqvBackend() {
  return state().backend;
}

uint32_t tqvTickCount() {
  if (state().backend != nullptr) return state().backend->now();
  static const auto start = std::chrono::steady_clock::now();
  auto elapsed = std::chrono::steady_clock::now() - start;
  return static_cast<uint32_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

void tqvSetCommandLineSettings(tqvSettingList settings) {
  state().settings = std::move(settings);
}
const tqvSettingList& tqvCommandLineSettings() {
  return state().settings;
}

void tqvResetProgramState() {
  ProgramState& program = state();
  program.title = tqvHandle();
  program.version = tqvHandle();
  program.abbreviation = tqvHandle();
  program.programDirectory = tqvHandle();
  program.settings.clear();
}
