// The standard application's defaults and life-cycle steps.
#include "framework/standard_application.h"

#include "framework/cursor.h"
#include "framework/environment.h"
#include "framework/event_queue.h"
#include "framework/hooks.h"
#include "framework/program_state.h"
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

  if (tqvHooks().registerBuiltInClasses != nullptr) tqvHooks().registerBuiltInClasses();

  setGlobal("HandCursor", tqvMakeCursor(tqvPlatform::Cursor::Hand, TQV_HAND_CURSOR_RESOURCE));
  setGlobal("KeyCursor", tqvMakeCursor(tqvPlatform::Cursor::Key, TQV_KEY_CURSOR_RESOURCE));
  // The window icon (resource 101) has no counterpart on this desktop.
  tqvShowArrowCursor();
}

void tqvStandardApplication::Initialize() {
  tqvShowWaitCursor();
  if (tqvHooks().waveOutVolume != nullptr) savedVolume_ = tqvHooks().waveOutVolume();
  if (tqvGetEnvironmentBoolean("FullInstall", false)) {
    setEnvironment("ResourcePath",
                   tqvPathJoin(tqvProgramDirectory(), tqvGetEnvironment("MediaPath")));
  }
  if (tqvHooks().loadCompiledResource != nullptr) {
    tqvHandle global =
        tqvHooks().loadCompiledResource(tqvMakeString("global"), tqvMakeString("etn"));
    if (tqvTableObject* table = tqvAsTable(global)) {
      for (TQVINT slot = table->firstSlot(); slot >= 0; slot = table->nextSlot(slot)) {
        setGlobal(table->keyAt(slot), table->valueAt(slot));
      }
    }
  }
  tqvShowArrowCursor();
}

void tqvStandardApplication::Start() {
  if (!skip_) tqvShowArrowCursor();
}

void tqvStandardApplication::Terminate() {
  if (tqvFormInterface* f = form()) f->close();
  if (skip_) return;
  if (tqvHooks().closeHelp != nullptr) tqvHooks().closeHelp();
  if (savedVolume_ >= 0 && tqvHooks().setWaveOutVolume != nullptr) {
    tqvHooks().setWaveOutVolume(savedVolume_);
  }
}

void tqvStandardApplication::MouseDown(TQVINT x, TQVINT y, TQVINT modifiers, TQVINT clicks) {
  tqvApplication::MouseDown(x, y, modifiers, clicks);
}

void tqvStandardApplication::KeyDown(TQVINT key, TQVINT modifiers) {
  if (key == TQV_KEY_F4 && (modifiers & TQV_ALT_FLAG) != 0) tqvPostQuit();
  tqvApplication::KeyDown(key, modifiers);
}
