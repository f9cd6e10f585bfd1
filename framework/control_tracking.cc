// The tracking loop of a control: while the button is held the control follows the
// mouse in and out of its hot spot; releasing inside triggers it.
#include "framework/control_object.h"
#include "framework/cursor.h"
#include "framework/events.h"
#include "framework/form_object.h"
#include "framework/services.h"

bool tqvControlObject::mouseDown(TQVINT x, TQVINT y, TQVINT modifiers, TQVINT clicks) {
  trackingBegins();
  drawHighlighted();
  bool inside = true;
  for (;;) {
    tqvEvent event = tqvGetEvent(TQV_MOUSE_DRAG_EVENT | TQV_MOUSE_UP_EVENT, -1);
    // A null event means no more input can come (the session is ending): the button
    // counts as released where it last was.
    if (event.type == TQV_NULL_EVENT || event.type == TQV_MOUSE_UP_EVENT) break;
    TQVINT fx = event.x, fy = event.y;
    if (tqvFormObject* form = activeFormObject()) form->toFormCoordinates(fx, fy);
    bool now = hitTest(fx, fy);
    if (now == inside) continue;
    inside = now;
    if (inside) {
      tqvSetCursor(cursorAt(fx, fy));
      drawHighlighted();
    } else {
      draw();
      tqvResetCursor();
    }
    tqvServices().flush();
    trackingStateChanged(inside);
  }
  if (inside) draw();
  trackingEnds();
  return inside;
}
