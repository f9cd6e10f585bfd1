// The multiple-selection list box.
#include "controls/multi_list_control.h"

#include <algorithm>

#include "framework/events.h"
#include "values/convert.h"
#include "values/generic.h"
#include "values/list.h"
#include "values/string.h"

tqvHandle tqvMultiListControl::makeInstance(const tqvHandle& definition) {
  return tqvWrapControl(new tqvMultiListControl(definition));
}

void tqvMultiListControl::fit() {
  marks_.resize(static_cast<size_t>(count()), 0);
}

void tqvMultiListControl::itemsChanged() {
  tqvListControl::itemsChanged();
  marks_.assign(static_cast<size_t>(count()), 0);
  anchor_ = -1;
}

TQVINT tqvMultiListControl::selectedCount() const {
  return static_cast<TQVINT>(std::count(marks_.begin(), marks_.end(), 1));
}

bool tqvMultiListControl::isSelectedRow(TQVINT index) {
  fit();
  return index >= 0 && index < static_cast<TQVINT>(marks_.size()) && marks_[index] != 0;
}

bool tqvMultiListControl::choose(TQVINT index, TQVINT modifiers) {
  fit();
  if (index < 0 || index >= count()) return false;
  std::vector<char> before = marks_;
  bool range = (modifiers & TQV_SHIFT_FLAG) != 0 && anchor_ >= 0;
  bool toggle = (modifiers & TQV_CONTROL_FLAG) != 0 && (modifiers & TQV_BUTTON_FLAG) == 0;
  if (range) {
    if ((modifiers & TQV_CONTROL_FLAG) == 0) std::fill(marks_.begin(), marks_.end(), 0);
    std::fill(marks_.begin() + std::min(anchor_, index),
              marks_.begin() + std::max(anchor_, index) + 1, 1);
  } else if (toggle) {
    marks_[index] = marks_[index] != 0 ? 0 : 1;
    anchor_ = index;
  } else {
    std::fill(marks_.begin(), marks_.end(), 0);
    marks_[index] = 1;
    anchor_ = index;
  }
  tqvListControl::select(index);
  return marks_ != before;
}

bool tqvMultiListControl::keyDown(TQVINT key, TQVINT modifiers) {
  // Space adds the current item to the selection or takes it out.
  if (key == ' ') return choose(selection(), TQV_CONTROL_FLAG);
  return tqvListControl::keyDown(key, modifiers);
}

tqvHandle tqvMultiListControl::perform(const tqvHandle& action, const tqvHandle& data) {
  std::string_view name = tqvStringView(action);
  fit();
  if (name == "getSelections") {
    tqvHandle positions = tqvMakeIntList(std::max<TQVINT>(selectedCount(), 1));
    for (size_t i = 0; i < marks_.size(); ++i) {
      if (marks_[i] != 0) tqvAddItem(positions, tqvMakeInt(static_cast<TQVINT>(i)));
    }
    return positions;
  }
  if (name == "setSelections" || name == "clearAllSelections" || name == "selectAll") {
    std::fill(marks_.begin(), marks_.end(), name == "selectAll" ? 1 : 0);
    if (tqvListObject* positions = tqvAsList(data);
        positions != nullptr && name == "setSelections") {
      for (TQVINT i = 0; i < positions->count(); ++i) {
        TQVINT p = tqvNumberOf(positions->itemAt(i), -1);
        if (p >= 0 && p < static_cast<TQVINT>(marks_.size())) marks_[p] = 1;
      }
    }
    if (isVisible()) draw();
    return tqvHandle();
  }
  if (name == "wereMultipleSelectionsMade") return tqvMakeBoolean(selectedCount() > 1);
  if (name == "deleteItem") {
    TQVINT index = data.isNil() ? selection() : tqvNumberOf(data, -1);
    if (index >= 0 && index < static_cast<TQVINT>(marks_.size())) {
      marks_.erase(marks_.begin() + index);
    }
    return tqvListControl::perform(action, data);
  }
  if (name == "moveTo") {
    TQVINT index = std::clamp<TQVINT>(tqvNumberOf(data, 0), 0, std::max<TQVINT>(count() - 1, 0));
    tqvListControl::select(count() > 0 ? index : -1);
    return tqvHandle();
  }
  if (name == "setSelection" || name == "Select") {
    TQVINT index = tqvNumberOf(data, -1);
    std::fill(marks_.begin(), marks_.end(), 0);
    if (index >= 0 && index < count()) {
      marks_[index] = 1;
      anchor_ = index;
    }
    tqvListControl::select(index);
    return tqvHandle();
  }
  return tqvListControl::perform(action, data);
}
