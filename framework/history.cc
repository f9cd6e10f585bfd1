// History entries and the navigation record.
#include "framework/history.h"

#include <algorithm>

#include "framework/runtime.h"
#include "values/convert.h"
#include "values/generic.h"
#include "values/list.h"
#include "values/string.h"
#include "values/table.h"

namespace {

tqvHandle pair(const tqvHandle& a, const tqvHandle& b) {
  tqvHandle list = tqvMakeList(2);
  tqvAddItem(list, a);
  tqvAddItem(list, b);
  return list;
}

tqvHandle item(const tqvHandle& list, TQVINT i) {
  tqvListObject* l = tqvAsList(list);
  return l != nullptr && i >= 0 && i < l->count() ? l->itemAt(i) : tqvHandle();
}

// The record's list, made when missing or not a list.
tqvHandle entriesOf(const tqvHandle& record) {
  tqvHandle list = tqvGet(record, "List");
  if (!list.is(TQV_LIST_TYPE) || tqvAsList(list)->kind() != TQV_GENERAL_LIST_KIND) {
    list = tqvMakeList();
    tqvPut(record, "List", list);
  }
  return list;
}

TQVINT indexOf(const tqvHandle& record) {
  return tqvNumberOf(tqvGet(record, "Index"), 0);
}

}  // namespace

void tqvPushHistory(const tqvHandle& name, const tqvHandle& state) {
  tqvRuntime* runtime = tqvCurrentRuntime();
  if (runtime == nullptr) return;
  if (!runtime->history.is(TQV_LIST_TYPE)) runtime->history = tqvMakeList();
  tqvHandle history = runtime->history;
  tqvListObject* list = tqvAsList(history);
  if (list->count() > 0) {
    tqvHandle last = list->itemAt(list->count() - 1);
    if (tqvSameValue(item(last, 0), name) && tqvSameValue(item(last, 1), state)) return;
  }
  list->append(pair(name, state));
}

tqvHandle tqvMakeNavigationRecord() {
  tqvHandle record = tqvTable(4);
  tqvPut(record, "List", tqvMakeList());
  tqvPut(record, "Index", tqvMakeInt(0));
  return record;
}

tqvHandle tqvNavigationRecord() {
  tqvRuntime* runtime = tqvCurrentRuntime();
  if (runtime == nullptr) return tqvHandle();
  if (!runtime->navigation.is(TQV_TABLE_TYPE)) runtime->navigation = tqvMakeNavigationRecord();
  return runtime->navigation;
}

bool tqvRecordNavigation(const tqvHandle& record, const tqvHandle& name, const tqvHandle& data,
                         const tqvHandle& third) {
  if (!record.is(TQV_TABLE_TYPE)) return false;
  tqvHandle entries = entriesOf(record);
  tqvListObject* list = tqvAsList(entries);
  TQVINT count = list->count();
  // The entry compared is the current one: after a step back the last entry lies ahead,
  // and coming to it again by another way must still move the position there.
  TQVINT current = std::min<TQVINT>(indexOf(record), count - 1);
  if (current >= 0) {
    tqvHandle shown = list->itemAt(current);
    if (tqvSameValue(item(shown, 0), name) && tqvSameValue(item(shown, 1), data)) return false;
  }
  // Entries after the current position are dropped, then the newest are kept.
  TQVINT keep = std::min<TQVINT>(std::max<TQVINT>(indexOf(record) + 1, 0), count);
  tqvHandle kept = list->left(keep);
  tqvHandle entry = tqvMakeList(3);
  tqvAddItem(entry, name);
  tqvAddItem(entry, data);
  tqvAddItem(entry, tqvCopy(third));
  tqvAddItem(kept, entry);
  TQVINT total = tqvCount(kept);
  if (total > TQV_NAVIGATION_LIMIT) kept = tqvAsList(kept)->right(TQV_NAVIGATION_LIMIT);
  tqvPut(record, "List", kept);
  tqvPut(record, "Index", tqvMakeInt(tqvCount(kept) - 1));
  return true;
}

bool tqvCanStepNavigation(const tqvHandle& record, TQVINT step) {
  if (!record.is(TQV_TABLE_TYPE)) return false;
  TQVINT count = tqvCount(entriesOf(record));
  TQVINT next = indexOf(record) + step;
  return step != 0 && next >= 0 && next < count;
}

bool tqvStepNavigation(const tqvHandle& record, TQVINT step, tqvHandle& entry) {
  if (!tqvCanStepNavigation(record, step)) return false;
  TQVINT next = indexOf(record) + step;
  tqvPut(record, "Index", tqvMakeInt(next));
  entry = item(entriesOf(record), next);
  return true;
}
