// Making forms from definitions, showing them, running dialogs and performing named
// actions on forms and controls.
#pragma once

#include <string>
#include <string_view>

#include "values/handle.h"

// Makes a form from its definition: the class registered under its "Class", else the
// default form maker ("Dialog" true: the default dialog maker). A form without a name
// takes its "Name" (references followed), else its class name.
tqvHandle tqvMakeForm(const tqvHandle& definition);

// The makers of forms whose class is not registered. The framework's own make plain
// tqvFormObject and tqvDialogObject values; the control library installs its standard
// classes. Null puts the framework's back.
using tqvFormMaker = tqvHandle (*)(const tqvHandle& definition);
void tqvSetDefaultFormMakers(tqvFormMaker form, tqvFormMaker dialog);

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

// Performs a named action on a control or a form and returns its answer. Anything else
// reports "Bad type for argument 1 of tqvPerform(frmOrCtrl,action,data)." and gives nil.
tqvHandle tqvPerform(const tqvHandle& target, const tqvHandle& action, const tqvHandle& data);
tqvHandle tqvPerform(const tqvHandle& target, std::string_view action,
                     const tqvHandle& data = tqvHandle());

// The name of the active form (the top dialog while one runs), code page 1252; empty
// when there is none.
std::string tqvActiveFormName();

// Registers the notation forms "form" and "control", the binary decoders of tags 22 and
// 23, and the framework hook that opens forms by name. Safe to call again.
void tqvFormsStartup();
