// The history dialog ("HistoryDlg"): its list "History List" shows the "History Text" of
// every screen in the navigation record, the current one selected; picking a line (a
// click, Enter or "OKButton") ends it with "Jump Form", "Jump Table" and "Jump Index";
// "CancelButton" and "Fechar" end it with nothing. An entry without a history text is an
// inconsistency: "No Text Error".
#pragma once

#include "controls/standard_form.h"

class HistoryDlg : public tqvStandardDialog {
 public:
  using tqvStandardDialog::tqvStandardDialog;
  std::string_view className() const override { return "HistoryDlg"; }
  tqvHandle makeInstance(const tqvHandle& definition) override;
  tqvHandle perform(const tqvHandle& action, const tqvHandle& data) override;

 protected:
  void afterOpen() override;

 private:
  void jumpTo(TQVINT index);
};

// The parameter table of a navigation entry (name, data, state): its state when that is a
// table (what the screen recorded to be reopened as it was), else its data.
tqvHandle lxHistoryTable(const tqvHandle& entry);
