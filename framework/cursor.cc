// The framework cursor, shown through the back end.
#include "framework/cursor.h"

#include "framework/runtime.h"

namespace {

void remember(const tqvHandle& cursor) {
  if (tqvRuntime* runtime = tqvCurrentRuntime()) runtime->cursor = cursor;
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
  remember(cursor);
  show(object->shape());
}

const tqvHandle& tqvCurrentCursor() {
  static const tqvHandle none;
  tqvRuntime* runtime = tqvCurrentRuntime();
  return runtime != nullptr ? runtime->cursor : none;
}

void tqvResetCursor() {
  remember(tqvHandle());
  show(tqvPlatform::Cursor::Arrow);
}

void tqvShowArrowCursor() {
  show(tqvPlatform::Cursor::Arrow);
}

void tqvShowWaitCursor() {
  show(tqvPlatform::Cursor::Wait);
}
