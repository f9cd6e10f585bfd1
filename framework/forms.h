// Making forms from definitions, showing them, stepping back and forward through the
// navigation record, and running dialogs.
#pragma once

#include "framework/perform.h"

#include <string>
#include <string_view>

#include "values/handle.h"

// Makes a form from its definition: the class registered under its "Class", else the
// runtime's maker of unregistered forms ("Dialog" true: of dialogs; plain tqvFormObject
// and tqvDialogObject values when none is installed). A form without a name takes its
// "Name" (references followed), else its class name.
tqvHandle tqvMakeForm(const tqvHandle& definition);

// A form value, or the form a name resolves to (a name may name a resource that names
// the form: a result that is neither a form nor nil is resolved once more). Nil when
// none is found.
tqvHandle tqvFindForm(const tqvHandle& target);

// The one way to change the active form. With a form already active: when
// `recordHistory` is set and its "Include In History" is not false, its name and history
// state go into the history; when its name equals `target` (or it is `target`), it gets
// reopen(data) and stays; otherwise it is closed. Then the target is found, made active,
// opened with `data` and told that it opened; with `recordHistory` it also goes into the
// navigation record. A target that is not found reports "Cannot find form named '" +
// target + "'" and leaves no form active.
void tqvShowForm(const tqvHandle& target, const tqvHandle& data, bool recordHistory);
// tqvShowForm recording history.
void tqvOpenFormByName(const tqvHandle& name, const tqvHandle& data);

// Runs a dialog modally: the active form is deactivated, the dialog becomes the active
// form, is opened with `data`, and events go to the application until the dialog ends
// (or a Quit is agreed: then the program-wide quit flag is set too); the dialog is
// closed, the previous form is active again and activated. Returns the dialog's result.
// A target that is not a dialog reports "Cannot find form named '" and gives nil.
tqvHandle tqvRunDialog(const tqvHandle& target, const tqvHandle& data = tqvHandle());

// On the program's navigation record: steps back or forward, shows the entry's form
// with its data without recording it, and updates the navigation controls. False when
// no step was possible.
bool tqvGoBack();
bool tqvGoForward();
// The controls that "GoBack" and "GoForward" resolve to (else the active form's
// controls of those names) get "Disabled" set to whether a further step in their
// direction is impossible, and are drawn again.
void tqvUpdateNavigationControls();

// Draws everything on screen again, bottom first: the form under any dialogs, then each
// dialog over what lies under it (which it saves again). Used when the picture was made
// anew.
void tqvRedrawScreen();

// The name of the active form (the top dialog while one runs), code page 1252; empty
// when there is none.
std::string tqvActiveFormName();

// Registers the notation forms "form" and "control" and the binary decoders of tags 22
// and 23. Safe to call again.
void tqvRegisterFormCodecs();
