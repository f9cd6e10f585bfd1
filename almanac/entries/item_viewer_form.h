// A first viewer of media and atlas items ("MidiasForm", "AtlasForm"), so that links and
// search results reach them: it shows the item named by its parameters ("Text" in a
// table, or the name itself as a string) with its picture and its text, under the
// item's title in "ItemName". Stepping, printing and the rest of those sections come
// with their own viewers.
#pragma once

#include "almanac/entries/text_form.h"

class LXItemViewerForm : public LXTextForm {
 public:
  enum class Family { Media, Atlas };
  explicit LXItemViewerForm(Family family, const tqvHandle& definition = tqvHandle());
  tqvHandle makeInstance(const tqvHandle& definition) override;
  void afterOpen() override;
  void reopen(const tqvHandle& data) override;
  void open(const tqvHandle& data) override;
  tqvHandle historyState() override;

 protected:
  tqvHandle historyText() override;

 private:
  void show(const tqvHandle& data);

  Family family_;
  tqvHandle data_;
  tqvHandle title_;
};
