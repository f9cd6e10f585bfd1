// The entry viewer ("VerbeteForm"): shows one entry of the disc in its text view "Texto"
// with its title in "Titulo" and the related entries after the text; "Proximo" and
// "Anterior" step through the browse list it was given (a search's results, the marked
// entries) or through all entries, wrapping round. Opened with "BrowseList" and "Index",
// with "Text" (an entry's title) or with "Index" alone (a position among all entries).
// A link of kind "jump" opens its screen with the item as "Text"; links to pictures and
// maps go to the media and atlas viewers.
#pragma once

#include "almanac/navigation/barra_menu_form.h"

class VerbeteForm : public BarraMenuForm {
 public:
  explicit VerbeteForm(const tqvHandle& definition = tqvHandle());
  tqvHandle makeInstance(const tqvHandle& definition) override;

  void open(const tqvHandle& data) override;
  void afterOpen() override;
  void reopen(const tqvHandle& data) override;
  tqvHandle perform(const tqvHandle& action, const tqvHandle& data) override;
  tqvHandle historyState() override;

 protected:
  tqvHandle historyText() override;

 private:
  // Reads the parameters and shows the entry they name (nothing when none is found).
  void start(const tqvHandle& data);
  void show(TQVINT position);
  void step(bool forward);
  void followLink(const tqvHandle& link);

  tqvHandle data_;
  tqvHandle browseList_;  // identifiers (low 16 bits), or nil for all entries
  TQVINT browseIndex_ = 0;
  TQVINT position_ = -1;
  tqvHandle title_;
};
