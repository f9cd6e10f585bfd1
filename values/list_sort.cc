// Sorting and merging of lists: an unstable quicksort over a copy of the items, with
// index checks that hold whatever the comparison answers.
#include <algorithm>
#include <utility>
#include <vector>

#include "values/convert.h"
#include "values/error.h"
#include "values/list.h"

namespace {

constexpr const char* kSortListsSignature = "tqvSortLists(lstOfLst,TQVINT,TQVORDER)";

// Strings collate in dictionary order; every other first item compares.
TQVINT compareItems(const tqvHandle& a, const tqvHandle& b) {
  return a.is(TQV_STRING_TYPE) ? tqvCollate(a, b) : tqvCompare(a, b);
}

// Item `column` of a list item; a non-list item or a missing column sorts as nil.
tqvHandle columnOf(const tqvHandle& row, TQVINT column) {
  tqvListObject* list = tqvAsList(row);
  if (list == nullptr || column < 0 || column >= list->count()) return TQV_NIL;
  return list->itemAt(column);
}

template <class Compare>
void insertionSort(std::vector<tqvHandle>& items, size_t lo, size_t hi, Compare& less) {
  for (size_t i = lo + 1; i <= hi; ++i) {
    for (size_t j = i; j > lo && less(items[j], items[j - 1]); --j) items[j].swap(items[j - 1]);
  }
}

// Quicksort on [lo, hi]. Every scan is bounded by the range, so a comparison that is not a
// strict order (floats less than 1 apart collate equal) cannot run off the array.
template <class Compare>
void quickSort(std::vector<tqvHandle>& items, size_t lo, size_t hi, Compare& less) {
  while (hi > lo && hi - lo >= 16) {
    size_t middle = lo + (hi - lo) / 2;
    if (less(items[middle], items[lo])) items[middle].swap(items[lo]);
    if (less(items[hi], items[lo])) items[hi].swap(items[lo]);
    if (less(items[hi], items[middle])) items[hi].swap(items[middle]);
    tqvHandle pivot = items[middle];
    size_t i = lo, j = hi;
    while (i <= j) {
      while (i < hi && less(items[i], pivot)) ++i;
      while (j > lo && less(pivot, items[j])) --j;
      if (i > j) break;
      items[i].swap(items[j]);
      ++i;
      if (j == 0) break;
      --j;
    }
    // Recurse into the smaller part and loop on the larger, keeping the depth logarithmic.
    size_t leftSize = j - lo;
    size_t rightSize = i < hi ? hi - i : 0;
    if (leftSize < rightSize) {
      if (j > lo) quickSort(items, lo, j, less);
      lo = i;
    } else {
      if (i < hi) quickSort(items, i, hi, less);
      if (j <= lo) return;
      hi = j;
    }
  }
  if (hi > lo) insertionSort(items, lo, hi, less);
}

template <class ThreeWay>
tqvHandle sortedCopy(const tqvListObject& source, TQVORDER order, ThreeWay compare) {
  std::vector<tqvHandle> items;
  items.reserve(static_cast<size_t>(source.count()));
  for (TQVINT i = 0; i < source.count(); ++i) items.push_back(source.itemAt(i));
  auto less = [&](const tqvHandle& a, const tqvHandle& b) {
    TQVINT c = compare(a, b);
    return order == TQV_DESCENDING ? c > 0 : c < 0;
  };
  if (items.size() > 1) quickSort(items, 0, items.size() - 1, less);
  tqvHandle result = tqvListObject::make(source.capacity(), 100, source.kind());
  if (auto* list = result.as<tqvListObject>()) {
    for (const tqvHandle& item : items) list->append(item);
  }
  return result;
}

}  // namespace

tqvHandle tqvListObject::sorted(TQVORDER order) const {
  return sortedCopy(*this, order, compareItems);
}

tqvHandle tqvListObject::sortedByColumn(TQVORDER order, TQVINT column) const {
  if (kind() == TQV_INTLIST_KIND) {
    tqvArgError(kSortListsSignature, 1);
    return TQV_NIL;
  }
  return sortedCopy(*this, order, [column](const tqvHandle& a, const tqvHandle& b) {
    return compareItems(columnOf(a, column), columnOf(b, column));
  });
}

tqvHandle tqvListObject::sortedByColumns(TQVORDER order, TQVINT lastColumn) const {
  if (kind() == TQV_INTLIST_KIND) {
    tqvArgError(kSortListsSignature, 1);
    return TQV_NIL;
  }
  return sortedCopy(*this, order, [lastColumn](const tqvHandle& a, const tqvHandle& b) {
    TQVINT c = compareItems(columnOf(a, 0), columnOf(b, 0));
    for (TQVINT column = 1; c == 0 && column <= lastColumn; ++column) {
      c = compareItems(columnOf(a, column), columnOf(b, column));
    }
    return c;
  });
}

tqvHandle tqvListObject::merged(const tqvListObject& other, TQVORDER order) const {
  tqvHandle result = makeLike(count_ + other.count(), 100);
  auto* list = result.as<tqvListObject>();
  if (list == nullptr) return result;
  TQVINT i = 0, j = 0;
  while (i < count_ && j < other.count()) {
    tqvHandle a = itemAt(i), b = other.itemAt(j);
    TQVINT c = compareItems(a, b);
    if (order == TQV_DESCENDING) c = -c;
    if (c < 0) {
      list->append(a);
      ++i;
    } else if (c == 0) {
      list->append(a);
      ++i;
      ++j;
    } else {
      list->append(b);
      ++j;
    }
  }
  for (; i < count_; ++i) list->append(itemAt(i));
  for (; j < other.count(); ++j) list->append(other.itemAt(j));
  return result;
}

tqvHandle tqvSort(const tqvHandle& list, TQVORDER order) {
  tqvListObject* l = tqvAsList(list);
  if (l == nullptr) {
    tqvArgError("tqvSort(lst,TQVORDER)", 1);
    return TQV_NIL;
  }
  return l->sorted(order);
}

tqvHandle tqvSortColumns(const tqvHandle& list, TQVORDER order, TQVINT lastColumn) {
  tqvListObject* l = tqvAsList(list);
  if (l == nullptr) {
    tqvArgError("tqvSortColumns(lstOfLst,TQVORDER,TQVINT)", 1);
    return TQV_NIL;
  }
  return l->sortedByColumns(order, lastColumn);
}

tqvHandle tqvSortLists(const tqvHandle& list, TQVINT column, TQVORDER order) {
  tqvListObject* l = tqvAsList(list);
  if (l == nullptr) {
    tqvArgError(kSortListsSignature, 1);
    return TQV_NIL;
  }
  return l->sortedByColumn(order, column);
}

tqvHandle tqvMerge(const tqvHandle& a, const tqvHandle& b, TQVORDER order) {
  tqvListObject* x = tqvAsList(a);
  tqvListObject* y = tqvAsList(b);
  if (x == nullptr || y == nullptr) {
    tqvArgError("tqvMerge(lst,lst,TQVORDER)", x == nullptr ? 1 : 2);
    return TQV_NIL;
  }
  return x->merged(*y, order);
}
