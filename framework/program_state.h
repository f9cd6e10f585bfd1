// Program-wide state set up by the process entry: the application's title, version and
// abbreviation, the program directory, the platform back end and its clock, and the
// environment settings given on the command line.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "platform/platform.h"
#include "values/handle.h"

// Title, version and product abbreviation of the application (code page 1252 strings,
// nil until set).
void tqvSetAppIdentity(const tqvHandle& title, const tqvHandle& version,
                       const tqvHandle& abbreviation);
const tqvHandle& tqvAppTitle();
const tqvHandle& tqvAppVersion();
const tqvHandle& tqvAppAbbreviation();

// The directory of the executable, without a trailing separator ("" when unknown).
void tqvSetProgramDirectory(const tqvHandle& directory);
const tqvHandle& tqvProgramDirectory();

// The platform back end in use; null when none (unit tests of parts without a window).
void tqvSetBackend(tqvPlatform::Backend* backend);
tqvPlatform::Backend* tqvBackend();

// Milliseconds from the back end's clock (virtual in headless sessions); without a back
// end, from a steady clock started at the first call.
uint32_t tqvTickCount();

// Environment keys and values given on the command line; Run stores them after the
// registry and the INI file, so they win over both.
using tqvSettingList = std::vector<std::pair<tqvHandle, tqvHandle>>;
void tqvSetCommandLineSettings(tqvSettingList settings);
const tqvSettingList& tqvCommandLineSettings();

// Forgets the title, version, abbreviation, program directory and command-line settings.
void tqvResetProgramState();
