// The program-wide event functions over the runtime's queue.
#include "framework/events.h"

#include <algorithm>

#include "framework/environment.h"
#include "framework/runtime.h"
#include "framework/services.h"
#include "values/error.h"

namespace {

constexpr TQVINT kDefaultEventLimit = 50;
constexpr TQVINT kLargestEventLimit = 65536;
// While waiting for input without a deadline, the idle turn comes this often.
constexpr TQVINT kIdleTurnMs = 10;

// The runtime's queue, made on first use; null outside a program.
tqvEventQueue* queue() {
  tqvRuntime* runtime = tqvCurrentRuntime();
  if (runtime == nullptr) return nullptr;
  if (runtime->queue == nullptr) {
    TQVINT limit = tqvGetEnvironmentInteger("EventLimit", kDefaultEventLimit);
    if (limit <= 0) limit = kDefaultEventLimit;
    runtime->queue = std::make_unique<tqvEventQueue>(std::min(limit, kLargestEventLimit));
  }
  return runtime->queue.get();
}

tqvEvent nullEvent() {
  return tqvMakeEvent(TQV_NULL_EVENT);
}

// The common loop of get and peek.
tqvEvent waitForEvent(TQVINT mask, TQVINT timeoutMs, bool remove) {
  tqvRuntime* s = tqvCurrentRuntime();
  if (s == nullptr) return nullEvent();
  if (s->queue == nullptr) {
    queue();
    return nullEvent();
  }
  uint32_t start = tqvTickCount();
  bool pumped = false;
  for (;;) {
    tqvEvent event;
    if (remove ? s->queue->take(mask, event) : s->queue->peek(mask, event)) return event;
    uint32_t elapsed = tqvTickCount() - start;
    if (timeoutMs >= 0 && pumped && elapsed >= static_cast<uint32_t>(timeoutMs)) {
      return nullEvent();
    }
    if (s->eventSource == nullptr || s->quit) return nullEvent();
    TQVINT wait = kIdleTurnMs;
    if (timeoutMs >= 0) {
      wait = std::min<TQVINT>(wait, static_cast<TQVINT>(std::max<int64_t>(
                                        0, static_cast<int64_t>(timeoutMs) - elapsed)));
    }
    // The idle turn comes after every pump, input or not: a stream of mouse moves must
    // not hold up the frames of a movie.
    s->eventSource->pumpInput(wait);
    s->services->idleTurn();
    pumped = true;
  }
}

}  // namespace

void tqvSetEventSource(tqvEventSource* source) {
  if (tqvRuntime* runtime = tqvCurrentRuntime()) runtime->eventSource = source;
}

tqvEventSource* tqvCurrentEventSource() {
  tqvRuntime* runtime = tqvCurrentRuntime();
  return runtime != nullptr ? runtime->eventSource : nullptr;
}

tqvEvent tqvMakeEvent(TQVINT type) {
  tqvEvent event;
  event.type = type;
  event.time = tqvTickCount();
  return event;
}

bool tqvPostEvent(const tqvEvent& event) {
  tqvEventQueue* q = queue();
  return q != nullptr && q->post(event);
}

tqvEvent tqvGetEvent(TQVINT mask, TQVINT timeoutMs) {
  return waitForEvent(mask, timeoutMs, true);
}

tqvEvent tqvPeekEvent(TQVINT mask, TQVINT timeoutMs) {
  return waitForEvent(mask, timeoutMs, false);
}

void tqvFlushEvents(TQVINT mask) {
  if (tqvEventQueue* q = queue()) q->flush(mask);
}

void tqvPostQuit() {
  tqvEvent quit = tqvMakeEvent(TQV_QUIT_EVENT);
  if (tqvPostEvent(quit)) return;
  tqvFlushEvents(TQV_ALL_EVENTS);
  if (tqvPostEvent(quit)) return;
  tqvExitHandler handler = tqvSetExitHandler(nullptr);
  tqvSetExitHandler(handler);
  if (handler != nullptr) handler(-1);
}

void tqvSetQuitFlag(bool set) {
  if (tqvRuntime* runtime = tqvCurrentRuntime()) runtime->quit = set;
}

bool tqvQuitFlag() {
  tqvRuntime* runtime = tqvCurrentRuntime();
  return runtime != nullptr && runtime->quit;
}

tqvEventQueue* tqvCurrentEventQueue() {
  tqvRuntime* runtime = tqvCurrentRuntime();
  return runtime != nullptr ? runtime->queue.get() : nullptr;
}
