// The history dialog.
#include "almanac/navigation/history_dialog.h"

#include "framework/history.h"
#include "framework/perform.h"
#include "values/convert.h"
#include "values/error.h"
#include "values/generic.h"
#include "values/list.h"
#include "values/string.h"
#include "values/table.h"

namespace {

tqvHandle entries() {
  tqvHandle record = tqvNavigationRecord();
  return record.isNil() ? tqvHandle() : tqvGet(record, "List");
}

}  // namespace

tqvHandle lxHistoryTable(const tqvHandle& entry) {
  tqvHandle state = tqvGet(entry, 2);
  return state.is(TQV_TABLE_TYPE) ? state : tqvGet(entry, 1);
}

tqvHandle HistoryDlg::makeInstance(const tqvHandle& definition) {
  return tqvWrapForm(new HistoryDlg(definition));
}

void HistoryDlg::afterOpen() {
  tqvStandardDialog::afterOpen();
  tqvHandle list = findControlNamed("History List");
  tqvHandle all = entries();
  tqvHandle texts = tqvMakeList(4);
  TQVINT count = tqvAsList(all) != nullptr ? tqvCount(all) : 0;
  for (TQVINT i = 0; i < count; ++i) {
    tqvHandle parameters = lxHistoryTable(tqvGet(all, i));
    tqvHandle text =
        parameters.is(TQV_TABLE_TYPE) ? tqvGet(parameters, "History Text") : tqvHandle();
    if (!text.is(TQV_STRING_TYPE)) {
      tqvError("No Text Error");
      return;
    }
    tqvAddItem(texts, text);
  }
  if (list.isNil()) return;
  tqvPerform(list, "setList", texts);
  tqvPerform(list, "setSelection", tqvGet(tqvNavigationRecord(), "Index"));
}

void HistoryDlg::jumpTo(TQVINT index) {
  tqvHandle entry = tqvGet(entries(), index);
  if (tqvAsList(entry) == nullptr) return;
  tqvHandle result = tqvTable(4);
  tqvPut(result, "Jump Form", tqvGet(entry, 0));
  tqvPut(result, "Jump Table", lxHistoryTable(entry));
  tqvPut(result, "Jump Index", tqvMakeInt(index));
  setResult(result);
  end();
}

tqvHandle HistoryDlg::perform(const tqvHandle& action, const tqvHandle& data) {
  std::string_view name = tqvStringView(action);
  tqvHandle list = findControlNamed("History List");
  if (name == "History List" || name == "dblClicked" || name == "OKButton") {
    TQVINT selected =
        list.isNil() ? -1 : tqvNumberOf(tqvPerform(list, "getSelection", tqvHandle()), -1);
    if (selected >= 0) jumpTo(selected);
    return tqvHandle();
  }
  if (name == "CancelButton" || name == "Fechar") {
    end();
    return tqvHandle();
  }
  return tqvStandardDialog::perform(action, data);
}
