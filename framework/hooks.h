// The places where libraries built on the framework plug in: the framework calls these at
// fixed points of the run, and each stays empty (null) until its library installs it.
#pragma once

#include "values/handle.h"

struct tqvFrameworkHooks {
  // Registers the built-in control classes in the class registry (control library);
  // called while the standard application is being constructed.
  void (*registerBuiltInClasses)() = nullptr;
  // Builds the table of resource types (resource manager); called by Run before the
  // window is made.
  void (*initResourceTypes)() = nullptr;
  // Loads a compiled resource by name and type, e.g. ("global", "etn"), giving nil when
  // there is none (resource manager); the standard Initialize copies the "global" table
  // into the globals.
  tqvHandle (*loadCompiledResource)(const tqvHandle& name, const tqvHandle& type) = nullptr;
  // Opens a form by name with data, recording history (forms); the base Start uses it.
  void (*openFormByName)(const tqvHandle& name, const tqvHandle& data) = nullptr;
  // The wave-out volume, read at Initialize and put back at Terminate (sound).
  TQVINT (*waveOutVolume)() = nullptr;
  void (*setWaveOutVolume)(TQVINT volume) = nullptr;
  // Closes open movies, stops sounds and releases fonts added at run time (media); called
  // when the main loop has ended.
  void (*releaseMedia)() = nullptr;
  // Closes the help viewer (help); called at Terminate.
  void (*closeHelp)() = nullptr;
  // Shows the help file at `path` (a code page 1252 path); F1 on a standard form.
  void (*showHelp)(const tqvHandle& path) = nullptr;
  // Work to do while waiting for input, such as feeding sound (sound).
  void (*idleTurn)() = nullptr;
};

tqvFrameworkHooks& tqvHooks();
