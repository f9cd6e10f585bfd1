// The almanac's list and combo box classes.
//
// "LXListBox" shows list items (identifiers) by the display names of a catalogue name
// list: its "dbID" property (0 when absent) gives the kind, and the list becomes the
// catalogue's current name list when the control is attached; destroying an attached
// list box clears the current name list. First letters jump as in every list box.
//
// "LXComboBox" is a combo box coloured by its properties (each may name a resource):
// "TextColor", "SelectionColor" and "TextSelectionColor" for the dropped list;
// "2aryTextColor" for the closed box, and "2arySelectionColor" with
// "2arySelectionTextColor" for the closed box while it has the focus.
//
// "PQListBox", "TabbedListBox", "MultiTypeListBox" and "PQMultiListBox" are plain list
// boxes under their own class names until the sections that use them give them more.
#pragma once

#include "controls/combo_box_control.h"
#include "controls/list_control.h"

class LXListBox : public tqvListControl {
 public:
  explicit LXListBox(const tqvHandle& definition = tqvHandle())
      : tqvListControl(definition, "LXListBox") {}
  ~LXListBox() override;
  tqvHandle makeInstance(const tqvHandle& definition) override;

  void attach() override;
  // The item's display name in the catalogue (nil when it has none).
  tqvHandle itemText(const tqvHandle& item, TQVINT index) override;
  TQVINT kind() const { return kind_; }

 private:
  TQVINT kind_ = 0;
  bool attached_ = false;
};

class LXComboBox : public tqvComboBoxControl {
 public:
  explicit LXComboBox(const tqvHandle& definition = tqvHandle())
      : tqvComboBoxControl(definition, "LXComboBox") {}
  tqvHandle makeInstance(const tqvHandle& definition) override;

 protected:
  TQVINT boxPaper() override;
  TQVINT boxInk() override;
  tqvHandle dropLook() override;

 private:
  // The colour property `key`, or -1 when the control has none.
  TQVINT colour(const char* key);
};

// Registers the six classes, in the order the application gives them.
void lxRegisterListClasses();
