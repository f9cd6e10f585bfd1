// Cursor values (type code 12) and the current framework cursor of the main window.
#pragma once

#include "platform/platform.h"
#include "values/handle.h"

class tqvCursorObject : public tqvObject {
 public:
  tqvCursorObject(tqvPlatform::Cursor shape, TQVINT resource)
      : shape_(shape), resource_(resource) {}
  tqvPlatform::Cursor shape() const { return shape_; }
  // The cursor resource number the cursor was made from (0 for system cursors).
  TQVINT resource() const { return resource_; }

 private:
  tqvPlatform::Cursor shape_;
  TQVINT resource_;
};

// A cursor value of the shape.
tqvHandle tqvMakeCursor(tqvPlatform::Cursor shape, TQVINT resource = 0);

// Makes `cursor` the current framework cursor and shows it; nil shows the default
// (arrow) cursor and leaves no framework cursor set. Other values are ignored.
void tqvSetCursor(const tqvHandle& cursor);
const tqvHandle& tqvCurrentCursor();
// Shows the default cursor (the arrow) and clears the framework cursor.
void tqvResetCursor();
void tqvShowArrowCursor();
void tqvShowWaitCursor();
