// The text viewers' common behaviour: "LXTextForm", the section screen every viewer of
// rich text derives from (entries, media, atlas, retrospective, timeline), and its twin
// "LXTextDialog" for text dialogs. Both forward the scrolling actions ("Home", "End",
// "PageUp", "PageDown", "LineDown", "LineUp") to the text view "Texto", follow the links
// of their texts (see hyperlinks.h), and copy and print texts with the notices "Copiando"
// and "Imprimindo" shown meanwhile.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "almanac/navigation/barra_menu_form.h"
#include "controls/standard_form.h"

class LXTextForm : public BarraMenuForm {
 public:
  explicit LXTextForm(const tqvHandle& definition = tqvHandle(),
                      std::string_view className = "LXTextForm", std::string_view historyText = "");
  tqvHandle makeInstance(const tqvHandle& definition) override;
  // Scrolling, links (any action whose data holds "HyperLink"), then the menu bar.
  tqvHandle perform(const tqvHandle& action, const tqvHandle& data) override;

  // Prints `text` (RTF; nil: what "Texto" shows) under `title` through "Texto", in
  // Arial 11, with the form's "PrintAttributes".
  virtual void print(const tqvHandle& title, const tqvHandle& text);
  // Puts the plain text of `title` (nil for none) and `text` on the clipboard.
  virtual void copy(const tqvHandle& title, const tqvHandle& text);
  // Opens "Form;item" with the parameters its form takes, under the busy cursor.
  virtual void openTarget(std::string_view target);
  // Runs the dialog `name`; a text dialog that ended by following a link to a screen
  // hands that screen back, and it is opened here.
  virtual tqvHandle openNamedDialog(std::string_view name, const tqvHandle& data = tqvHandle());
  // Plays the disc's sound "Sounds\" + name as the form's narration.
  virtual void playSound(std::string_view name);

 protected:
  // Follows the link of the hot spot that sent `data`.
  void followLink(const tqvHandle& data);
  // The form's "PrintAttributes" (a copy), or a new table.
  tqvHandle printAttributes();
};

class LXTextDialog : public tqvStandardDialog {
 public:
  explicit LXTextDialog(const tqvHandle& definition = tqvHandle(),
                        std::string_view className = "LXTextDialog");
  std::string_view className() const override { return className_; }
  tqvHandle makeInstance(const tqvHandle& definition) override;
  // As LXTextForm; a hot spot without a string target goes to the dialog base.
  tqvHandle perform(const tqvHandle& action, const tqvHandle& data) override;

  // Copies in Arial; the rest as LXTextForm's.
  virtual void copy(const tqvHandle& title, const tqvHandle& text);
  virtual void print(const tqvHandle& title, const tqvHandle& text);
  // A screen cannot replace the one under a running dialog: the dialog ends with
  // "Jump Form" and "Jump Table" in its result, and the screen that ran it opens them.
  virtual void openTarget(std::string_view target);
  virtual void playSound(std::string_view name);

 private:
  void goToForm(std::string_view name, const tqvHandle& parameters);
  std::string className_;
};

// The screens the resource "ValidInfos" lists (infographics and maps), in lower case.
std::vector<std::string> lxValidInfos();
