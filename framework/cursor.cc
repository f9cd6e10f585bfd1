// The framework cursor, shown through the back end.
#include "framework/cursor.h"

#include "framework/program_state.h"

namespace {

tqvHandle& currentCursor() {
  static tqvHandle* cursor = new tqvHandle;  // lives until the process ends
  return *cursor;
}

void show(tqvPlatform::Cursor shape) {
  if (tqvPlatform::Backend* backend = tqvBackend()) backend->setCursor(shape);
}

}  // namespace

tqvHandle tqvMakeCursor(tqvPlatform::Cursor shape, TQVINT resource) {
  return tqvHandle::wrap(new tqvCursorObject(shape, resource), TQV_CURSOR_TYPE);
}

void tqvSetCursor(const tqvHandle& cursor) {
  if (cursor.isNil()) {
    tqvResetCursor();
    return;
  }
  auto* object = cursor.is(TQV_CURSOR_TYPE) ? cursor.as<tqvCursorObject>() : nullptr;
  if (object == nullptr) return;
  currentCursor() = cursor;
  show(object->shape());
}

const tqvHandle& tqvCurrentCursor() {
  return currentCursor();
}

void tqvResetCursor() {
  currentCursor() = tqvHandle();
  show(tqvPlatform::Cursor::Arrow);
}

void tqvShowArrowCursor() {
  show(tqvPlatform::Cursor::Arrow);
}

void tqvShowWaitCursor() {
  show(tqvPlatform::Cursor::Wait);
}
