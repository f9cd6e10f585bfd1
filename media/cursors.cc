// The program's cursor resources, drawn by the platform.
#include "media/cursors.h"

#include <string>

#include "framework/cursor.h"
#include "framework/standard_application.h"
#include "values/error.h"

tqvHandle tqvCursorFromResource(TQVINT resource) {
  switch (resource) {
    case TQV_HAND_CURSOR_RESOURCE:
      return tqvMakeCursor(tqvPlatform::Cursor::Hand, resource);
    case TQV_KEY_CURSOR_RESOURCE:
      return tqvMakeCursor(tqvPlatform::Cursor::Key, resource);
    default:
      tqvError("Cannot find cursor resource: " + std::to_string(resource));
      return TQV_NIL;
  }
}
