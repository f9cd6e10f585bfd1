// The search dialog ("BuscaDialog"): a query typed in "What2Find" is run by "Procurar"
// over the disc's word index; "ResultsListBox" shows the sorted lines (section, ": ",
// item name) and "ResultCountText" their number; "Ok" ends with the result table of the
// chosen line ("Text", "BrowseList", "Index", "SearchedText", "FilterMask"); "Limpar"
// clears; the advanced area ("AvançadoAbrir", "AvançadoFechar") holds a check box per
// section and "Todas"; "Salvar" hands the results to the itineraries dialog. Opened with
// the last result table, it shows the last query, filter and results again.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "almanac/search/word_index.h"
#include "controls/standard_form.h"

class BuscaDialog : public tqvStandardDialog {
 public:
  using tqvStandardDialog::tqvStandardDialog;
  std::string_view className() const override { return "BuscaDialog"; }
  tqvHandle makeInstance(const tqvHandle& definition) override;
  tqvHandle perform(const tqvHandle& action, const tqvHandle& data) override;
  void open(const tqvHandle& data) override;
  void close() override;

 protected:
  void afterOpen() override;

 private:
  tqvHandle control(const char* utf8Name);
  void search();
  void showResults();
  void choose();
  void setMask(TQVINT mask);
  void showAdvanced(bool shown);

  tqvHandle previous_;                  // the table this dialog was opened with
  std::unique_ptr<lxWordIndex> index_;  // opened with the dialog
  TQVINT mask_ = LX_ALL_SECTIONS;
  std::string query_;
  std::vector<int32_t> references_;  // in the order of the lines
  std::vector<std::string> lines_;
  bool interrupted_ = false;
};

// The result lines of references, sorted by item name: section name, ": ", item name
// (code page 1252), with the references in the same order.
void lxResultLines(const lxReferenceList& found, std::vector<int32_t>& references,
                   std::vector<std::string>& lines);
// The count line for n results.
std::string lxResultCountText(size_t n);
