// The entry viewer ("VerbeteForm"): one entry of the disc in the text view "Texto", its
// name in "ItemName", its list's name in "SCategName" over a background themed by the
// list, its related entries in "VejaTambém". Opened on:
// - "BrowseList" and "Index" (with "SearchedText" or "Roteiro"): element Index of a
//   search's results (list kind 8, the query's terms marked) or of an itinerary (7);
// - "FullList" true with "Index" (an identifier) or "Text" (an entry's name): the whole
//   alphabetical list (kind 6);
// - "Index" with "SCatID": element Index of that category's list (kind = the category);
//   "Index" alone: of the category list shown last (a position among all entries when
//   none was).
// "Next" and "Previous" step through the list, wrapping round; "Imprimir" and "Copiar"
// print and copy the entry; "Marcar" and "Desmarcar" (from the bookmarks menu) add it to
// the bookmarks and take it out.
#pragma once

#include "almanac/entries/text_form.h"

class VerbeteForm : public LXTextForm {
 public:
  explicit VerbeteForm(const tqvHandle& definition = tqvHandle());
  tqvHandle makeInstance(const tqvHandle& definition) override;

  void open(const tqvHandle& data) override;
  void afterOpen() override;
  // New parameters while open: the form starts again on them, as a new history entry.
  void reopen(const tqvHandle& data) override;
  // Leaving the viewer disables "Marcar", "Desmarcar" and "Roteiros" in the menus.
  void close() override;
  tqvHandle perform(const tqvHandle& action, const tqvHandle& data) override;
  tqvHandle historyState() override;

  // The list kinds that are not categories.
  static constexpr TQVINT kFullList = 6;
  static constexpr TQVINT kItinerary = 7;
  static constexpr TQVINT kSearchResult = 8;

 protected:
  tqvHandle historyText() override;
  void itineraries(const tqvHandle& choice) override;

 private:
  // Reads the parameters: the list, its kind, the position and the record to show.
  void readParameters(const tqvHandle& data);
  // Sets the form's background for the list kind (drawing it when the form is open).
  void applyTheme(bool draw);
  void showEntry(TQVINT record, bool addToHistory);
  // Fills the screen's controls from the entry; false when a picture is unknown.
  bool refresh();
  void step(bool forward);
  void mark(bool marked);
  TQVINT identifier() const;

  tqvHandle parameters_;  // the history parameters: "Text", "Index", "SCatID"
  tqvHandle browseList_;  // identifiers (low 16 bits), or nil
  TQVINT position_ = 0;
  TQVINT record_ = -1;
  TQVINT listKind_ = kFullList;
  TQVINT themedKind_ = -1;
  tqvHandle searchedText_;
  bool fullList_ = false;
  tqvHandle entry_;  // the entry record, or nil
};
