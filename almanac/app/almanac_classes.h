// The almanac's form, dialog and control classes, and the resource file of every named
// screen.
//
// A screen is registered by name: the global of that name is a reference to its file on
// the disc, "FILE.etn" (the binary encoding of the form) when the disc has it, else
// "FILE.frm" (the form in the text notation). Opening the screen by name loads the file
// afresh and builds the form of the class its definition gives.
#pragma once

#include <string_view>
#include <vector>

#include "values/handle.h"

// Registers the 49 classes (sections whose behaviour comes later keep their class name
// and base) and then the six list and combo box classes.
void lxRegisterAlmanacClasses();

struct lxScreenFile {
  std::string form;   // the registered name
  std::string klass;  // the class its definition must give
  std::string file;   // the file name without extension
};
// Every named screen: forms and dialogs whose class has their name, the named forms of
// other classes, the 32 quiz screens, the infographics and the map screens.
const std::vector<lxScreenFile>& lxScreenFiles();
// Registers each screen's file in the globals.
void lxRegisterScreenFiles();
// The file a screen was registered with (without extension), or "".
std::string_view lxScreenFileOf(std::string_view form);
// Whether forms of the class carry the menu bar's actions.
bool lxHasMenuBar(std::string_view klass);
