// The drop-down list of combo boxes.
#include "controls/drop_down.h"

#include <algorithm>

#include "framework/environment.h"
#include "framework/events.h"
#include "framework/form_object.h"
#include "framework/runtime.h"
#include "framework/services.h"
#include "values/convert.h"
#include "values/generic.h"
#include "values/list.h"
#include "values/region.h"
#include "values/string.h"
#include "values/table.h"

namespace {

// A list box that is not on any form: it finds its items' text through the combo.
class DropList : public tqvListControl {
 public:
  DropList(const tqvHandle& definition, std::function<tqvHandle(const tqvHandle&, TQVINT)> textOf)
      : tqvListControl(definition, "ListBox"), textOf_(std::move(textOf)) {}
  tqvHandle itemText(const tqvHandle& item, TQVINT index) override {
    return textOf_ ? textOf_(item, index) : tqvListControl::itemText(item, index);
  }

 private:
  std::function<tqvHandle(const tqvHandle&, TQVINT)> textOf_;
};

}  // namespace

TQVINT tqvRunDropDown(const tqvDropDownRequest& request) {
  tqvListObject* items = tqvAsList(request.items);
  TQVINT count = items != nullptr ? items->count() : 0;
  if (count == 0) return -1;
  tqvFormObject* form = tqvAsFormObject(tqvActiveForm());
  tqvHandle keepForm = tqvActiveForm();

  // The list's rectangle: the combo's width, as many rows as fit the media area.
  tqvHandle definition = tqvTable(8);
  tqvPut(definition, "Class", tqvMakeString("ListBox"));
  tqvPut(definition, "List", request.items);
  if (!request.font.isNil()) tqvPut(definition, "Font", request.font);
  if (tqvTableObject* look = tqvAsTable(request.look)) {
    for (TQVINT slot = look->firstSlot(); slot >= 0; slot = look->nextSlot(slot)) {
      tqvPut(definition, look->keyAt(slot), look->valueAt(slot));
    }
  }
  auto* list = new DropList(definition, request.textOf);
  tqvHandle keep = tqvWrapControl(list);
  tqvPut(definition, "Hot Spot", tqvMakeRect(0, 0, 10, 10));
  TQVINT rowHeight = list->rowHeight();
  TQVINT formTop = form != nullptr ? form->originY() : 0;
  TQVINT rows = std::clamp<TQVINT>(std::min(request.rows, count), 1, 40);
  TQVINT below = tqvMediaHeight() - formTop - request.bottom;
  TQVINT above = request.top + formTop;
  TQVINT height = rows * rowHeight + 2;
  bool down = height <= below || below >= above;
  if (height > (down ? below : above)) {
    rows = std::max<TQVINT>(((down ? below : above) - 2) / rowHeight, 1);
    height = rows * rowHeight + 2;
  }
  TQVINT top = down ? request.bottom : request.top - height;
  TQVINT width = std::max<TQVINT>(request.right - request.left, 40);
  tqvPut(definition, "Hot Spot",
         tqvMakeRect(request.left, top, request.left + width, top + height));
  tqvHandle saved;
  {
    tqvPainter saver;
    saved = saver.capture(request.left, top, request.left + width, top + height);
  }
  list->select(request.selected);  // draws it
  tqvServices().flush();

  TQVINT chosen = -1;
  bool open = true;
  while (open) {
    tqvEvent event = tqvGetEvent(TQV_ALL_EVENTS, -1);
    if (event.type == TQV_NULL_EVENT) break;
    TQVINT x = event.x, y = event.y;
    if (form != nullptr) form->toFormCoordinates(x, y);
    bool inside = x >= request.left && x < request.left + width && y >= top && y < top + height;
    switch (event.type) {
      case TQV_MOUSE_MOVE_EVENT:
      case TQV_MOUSE_DRAG_EVENT:
        if (inside) {
          TQVINT row = list->rowAt(y);
          if (row >= 0 && row < count && row != list->selection()) list->select(row);
        }
        break;
      case TQV_MOUSE_DOWN_EVENT:
        if (inside) {
          TQVINT row = list->rowAt(y);
          if (row >= 0 && row < count) chosen = row;
        }
        open = false;  // a click outside closes without a choice
        break;
      case TQV_WHEEL_EVENT:
        list->mouseWheel(event.word, event.modifiers);
        break;
      case TQV_KEY_DOWN_EVENT:
        if (event.word == 27) {
          open = false;
        } else if (event.word == '\r') {
          chosen = list->selection();
          open = false;
        } else {
          list->keyDown(event.word, event.modifiers & ~TQV_SHIFT_FLAG);
        }
        break;
      case TQV_QUIT_EVENT:
        tqvPostQuit();  // for the main loop, once the list is gone
        open = false;
        break;
      default:
        break;
    }
    tqvServices().flush();
  }
  // The release of the closing click belongs to the list.
  tqvFlushEvents(TQV_MOUSE_UP_EVENT | TQV_MOUSE_DRAG_EVENT);
  tqvPainter restorer;
  restorer.image(saved, request.left, top);
  tqvServices().flush();
  return chosen;
}
