// The almanac's application class and the application layer's identity.
#pragma once

#include <string>

#include "framework/standard_application.h"

// "Zazuzadov Lumbra 98", "1.0" and "LX98" (UTF-8).
std::string lxApplicationTitle();
std::string lxApplicationVersion();
std::string lxApplicationAbbreviation();

// The almanac: its classes, the disc check, the screens' files, the catalogues, the
// preferences, the introduction and main screen, the quit confirmation and the ending.
//
// With "OpenForm" set (the --form option) it previews one screen instead: the standard
// start-up on the disc, the classes and screen files registered, that form opened first
// with no data, and none of the almanac's own start-up (disc check, catalogues,
// preferences, introduction, quit confirmation).
class AlmanacApplication : public tqvStandardApplication {
 public:
  // Sets the environment defaults and registers the almanac's classes; the first
  // argument word "Agenda" runs the program as the calendar alone.
  explicit AlmanacApplication(const tqvHandle& arguments);
  ~AlmanacApplication() override;

  // The disc check (not for the calendar alone), the standard initialisation, the
  // screens' files, "NoPrintingAllowed" and the catalogues ("Erro ao abrir o Banco de
  // dados!" when they do not open).
  void Initialize() override;
  // Preferences; the introduction (with the main screen first in the history) or the
  // main screen; the 250 ms window timer.
  void Start() override;
  // Asks "QuitDlg" unless the calendar runs alone or the start was cancelled.
  bool Quit() override;
  // The standard ending, the fade to black over "FadeTime", the preferences saved.
  // With "DumpAtExit" naming a file, first writes the forms on screen there.
  void Terminate() override;

  bool agendaOnly() const { return agendaOnly_; }
  bool previewing() const { return previewing_; }

 private:
  // Asks for the disc until the entry viewer's screen can be found on it; false when
  // the user gives up.
  bool checkDisc();

  bool agendaOnly_ = false;
  bool previewing_ = false;
  int timer_ = 0;
};

// The application main: creates the one application with the argument list, installs it
// and runs it. The process entry deletes it afterwards.
void lxApplicationMain(const tqvHandle& arguments);
