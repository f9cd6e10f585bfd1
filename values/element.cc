// Direct element access: the slot itself of a general list or a table's value array.
#include <string>

#include "values/error.h"
#include "values/list.h"
#include "values/table.h"
#include "values/text.h"

namespace {
// Handed out after a report; reset on every use so a caller's write never sticks.
tqvHandle sharedNilSlot;
}  // namespace

tqvHandle& tqvHandle::operator[](TQVINT index) const {
  sharedNilSlot = TQV_NIL;
  if (tqvListObject* list = tqvAsList(*this)) {
    if (list->kind() != TQV_GENERAL_LIST_KIND) {
      tqvError("Cannot directly reference elements in this list: " + tqvToStdString(*this, false));
      return sharedNilSlot;
    }
    if (index < 0 || index >= list->count()) {
      tqvError("index out of range: " + std::to_string(index));
      return sharedNilSlot;
    }
    return static_cast<tqvGeneralListObject*>(list)->slots()[index];
  }
  if (tqvTableObject* table = tqvAsTable(*this)) {
    if (index < 0 || index >= table->capacity()) {
      tqvError("index out of range: " + std::to_string(index));
      return sharedNilSlot;
    }
    return table->valueSlot(index);
  }
  tqvArgError("operator[](sequence,TQVINT)", 1);
  return sharedNilSlot;
}
