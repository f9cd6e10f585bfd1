// The standard application's defaults and life-cycle steps.
#include "framework/standard_application.h"

#include "framework/builtin_classes.h"
#include "framework/cursor.h"
#include "framework/environment.h"
#include "framework/events.h"
#include "framework/runtime.h"
#include "framework/services.h"
#include "values/generic.h"
#include "values/string.h"
#include "values/table.h"

tqvStandardApplication::tqvStandardApplication(const tqvHandle& arguments)
    : tqvApplication(arguments) {
  auto yes = tqvMakeBoolean(true);
  auto no = tqvMakeBoolean(false);
  setEnvironment("MaximizeWindow", no);
  setEnvironment("DisableDrawingAttributeCaching", yes);
  setEnvironment("ActiveVideoPalette", yes);
  setEnvironment("OffscreenPalette", yes);
  setEnvironment("FullScreenVideo", no);
  setEnvironment("ShowIntro", no);
  setEnvironment("TestMode", no);
  setEnvironment("MediaPath", tqvMakeString("Media"));

  if (tqvPrototypeFor prototypes = tqvCurrentRuntime()->controlPrototypes) {
    tqvRegisterBuiltInClasses(prototypes);
  }

  setGlobal("HandCursor", tqvMakeCursor(tqvPlatform::Cursor::Hand, TQV_HAND_CURSOR_RESOURCE));
  setGlobal("KeyCursor", tqvMakeCursor(tqvPlatform::Cursor::Key, TQV_KEY_CURSOR_RESOURCE));
  // The window icon (resource 101) has no counterpart on this desktop.
  tqvShowArrowCursor();
}

void tqvStandardApplication::Initialize() {
  tqvShowWaitCursor();
  savedVolume_ = tqvServices().waveOutVolume();
  if (tqvGetEnvironmentBoolean("FullInstall", false)) {
    setEnvironment("ResourcePath",
                   tqvPathJoin(tqvProgramDirectory(), tqvGetEnvironment("MediaPath")));
  }
  tqvHandle global = tqvServices().loadCompiled(tqvMakeString("global"), tqvMakeString("etn"));
  if (tqvTableObject* table = tqvAsTable(global)) {
    for (TQVINT slot = table->firstSlot(); slot >= 0; slot = table->nextSlot(slot)) {
      setGlobal(table->keyAt(slot), table->valueAt(slot));
    }
  }
  tqvShowArrowCursor();
}

void tqvStandardApplication::Start() {
  if (!skip_) tqvShowArrowCursor();
}

void tqvStandardApplication::Terminate() {
  if (tqvFormObject* f = form()) f->close();
  if (skip_) return;
  tqvServices().closeHelp();
  if (savedVolume_ >= 0) tqvServices().setWaveOutVolume(savedVolume_);
}

void tqvStandardApplication::KeyDown(TQVINT key, TQVINT modifiers) {
  if (key == TQV_KEY_F4 && (modifiers & TQV_ALT_FLAG) != 0) tqvPostQuit();
  tqvApplication::KeyDown(key, modifiers);
}
