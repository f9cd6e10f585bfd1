// The user's preferences.
#include "almanac/app/preferences.h"

#include "almanac/catalogue/user_files.h"
#include "framework/environment.h"
#include "framework/message_box.h"
#include "framework/services.h"
#include "media/resources.h"
#include "storage/file_stream.h"
#include "values/convert.h"
#include "values/cp1252.h"
#include "values/generic.h"
#include "values/string.h"
#include "values/table.h"

namespace {

constexpr const char* kPreferencesFile = "PREFS.DAT";
constexpr TQVINT kFirstRunVolume = 75;

// The flags copied into the environment, with the defaults used when the disc's global
// table gives none.
constexpr struct {
  const char* key;
  bool fallback;
} kFlags[] = {
    {"RolloverHelp", true},    {"SoundEffects", true},    {"ShowIntro", true},
    {"PlayNarrator", true},    {"ShowFullScreen", false}, {"FullScreenVideo", false},
    {"MaximizeWindow", false},
};

tqvHandle builtInPreferences() {
  tqvHandle table = tqvTable(8);
  tqvPut(table, "Volume", tqvMakeInt(kFirstRunVolume));
  for (const auto& flag : kFlags) tqvPut(table, flag.key, flag.fallback ? TQV_TRUE : TQV_FALSE);
  return table;
}

}  // namespace

tqvHandle lxGlobalTable() {
  tqvHandle table = tqvGetGlobal("GlobalTable");
  if (table.is(TQV_TABLE_TYPE)) return table;
  table = tqvLoadResourceFile(tqvMakeString("Global.tbl"));
  if (!table.is(TQV_TABLE_TYPE)) {
    table = tqvTable(8);
    tqvPut(table, "Preferences", builtInPreferences());
  }
  tqvSetGlobal("GlobalTable", table);
  return table;
}

tqvHandle lxPreferences() {
  tqvHandle preferences = tqvGet(lxGlobalTable(), "Preferences");
  if (!preferences.is(TQV_TABLE_TYPE)) {
    preferences = builtInPreferences();
    tqvPut(lxGlobalTable(), "Preferences", preferences);
  }
  return preferences;
}

tqvHandle lxLoadPreferences() {
  bool damaged = false;
  tqvHandle stored = lxReadUserValue(kPreferencesFile, &damaged);
  if (!stored.isNil() && !stored.is(TQV_TABLE_TYPE)) damaged = true;
  if (damaged) {
    tqvDeleteFile(lxUserFile(kPreferencesFile));
    stored = tqvHandle();
  }
  tqvHandle preferences = stored;
  if (preferences.isNil()) {
    preferences = tqvCopy(lxPreferences());
    tqvPut(preferences, "Volume", tqvMakeInt(kFirstRunVolume));
  }
  lxApplyPreferences(preferences);
  tqvPut(lxGlobalTable(), "Preferences", preferences);
  return preferences;
}

void lxApplyPreferences(const tqvHandle& preferences) {
  tqvHandle volume = tqvGet(preferences, "Volume");
  if (volume.is(TQV_INT_TYPE)) tqvServices().setWaveOutVolume(tqvIntValue(volume));
  for (const auto& flag : kFlags) {
    tqvHandle value = tqvGet(preferences, flag.key);
    tqvSetEnvironment(flag.key, value.isNil() ? (flag.fallback ? TQV_TRUE : TQV_FALSE) : value);
  }
}

bool lxSavePreferences() {
  if (lxWriteUserValue(kPreferencesFile, lxPreferences())) return true;
  tqvAlert(tqvUtf8ToCp1252("Aviso! Não foi possível salvar preferências no disco!"));
  return false;
}
