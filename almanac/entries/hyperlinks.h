// The links of the almanac's texts: what following one does, and the parameters an
// "open target" (a form name, ";" and an item name) opens its form with. Both are pure:
// the text forms carry the actions out.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "values/handle.h"

struct lxLinkAction {
  enum class Kind {
    None,        // the link leads nowhere
    OpenTarget,  // `target` is "Form;item"
    GoToForm,    // `target` is a form name, opened with no parameters
    PlaySound,   // `target` is the sound file's name inside the disc's "Sounds" folder
    Message,     // `target` is the text of a message box
  };
  Kind kind = Kind::None;
  std::string target;  // code page 1252

  bool operator==(const lxLinkAction&) const = default;
};

// The action of a link "kind:argument" (code page 1252). `validInfos` lists the
// infographic and map screens in lower case (the resource "ValidInfos"). In a dialog
// ("LXTextDialog") maps and images always open the media viewer. A link without a colon
// is a kind with an empty argument; an empty link does nothing.
lxLinkAction lxLinkActionFor(std::string_view link, bool inDialog,
                             const std::vector<std::string>& validInfos);

// The form an open target names and the parameters it opens with: for "VerbeteForm" and
// "MidiasForm" given exactly "Form;item", a table with "Text" (the item in lower case,
// blanks trimmed) and "FullList" true; for "AtlasForm" the trimmed item itself as a
// string; nil otherwise.
struct lxOpenTarget {
  std::string form;
  tqvHandle parameters;
};
lxOpenTarget lxOpenTargetOf(std::string_view target);
