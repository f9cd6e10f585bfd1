// The event queue: one block of nodes on a free list and a pending list.
#include "framework/event_queue.h"

#include <algorithm>

#include "framework/environment.h"
#include "framework/hooks.h"
#include "framework/program_state.h"
#include "values/error.h"

namespace {

constexpr TQVINT kDefaultEventLimit = 50;
constexpr TQVINT kLargestEventLimit = 65536;
// While waiting for input without a deadline, the idle turn comes this often.
constexpr TQVINT kIdleTurnMs = 10;

bool coalesces(TQVINT type) {
  return type == TQV_MOUSE_MOVE_EVENT || type == TQV_MOUSE_DRAG_EVENT || type == TQV_TIMER_EVENT;
}

struct QueueState {
  std::unique_ptr<tqvEventQueue> queue;
  tqvEventSource* source = nullptr;
  bool quit = false;
};

QueueState& state() {
  static QueueState* queueState = new QueueState;  // lives until the process ends
  return *queueState;
}

tqvEventQueue& queue() {
  QueueState& s = state();
  if (s.queue == nullptr) {
    TQVINT limit = tqvGetEnvironmentInteger("EventLimit", kDefaultEventLimit);
    if (limit <= 0) limit = kDefaultEventLimit;
    s.queue = std::make_unique<tqvEventQueue>(std::min(limit, kLargestEventLimit));
  }
  return *s.queue;
}

tqvEvent nullEvent() {
  return tqvMakeEvent(TQV_NULL_EVENT);
}

// The common loop of get and peek.
tqvEvent waitForEvent(TQVINT mask, TQVINT timeoutMs, bool remove) {
  QueueState& s = state();
  if (s.queue == nullptr) {
    queue();
    return nullEvent();
  }
  uint32_t start = tqvTickCount();
  bool pumped = false;
  for (;;) {
    tqvEvent event;
    if (remove ? s.queue->take(mask, event) : s.queue->peek(mask, event)) return event;
    uint32_t elapsed = tqvTickCount() - start;
    if (timeoutMs >= 0 && pumped && elapsed >= static_cast<uint32_t>(timeoutMs)) {
      return nullEvent();
    }
    if (s.source == nullptr || s.quit) return nullEvent();
    TQVINT wait = kIdleTurnMs;
    if (timeoutMs >= 0) {
      wait = std::min<TQVINT>(wait, static_cast<TQVINT>(std::max<int64_t>(
                                        0, static_cast<int64_t>(timeoutMs) - elapsed)));
    }
    if (!s.source->pumpInput(wait) && tqvHooks().idleTurn != nullptr) tqvHooks().idleTurn();
    pumped = true;
  }
}

}  // namespace

tqvEventQueue::tqvEventQueue(TQVINT capacity)
    : capacity_(std::max<TQVINT>(capacity, 1)), nodes_(new Node[capacity_]) {
  for (TQVINT i = 0; i < capacity_; ++i) {
    nodes_[i].next = free_;
    free_ = &nodes_[i];
  }
}

tqvEventQueue::Node* tqvEventQueue::find(TQVINT mask) const {
  for (Node* node = head_; node != nullptr; node = node->next) {
    if ((node->event.type & mask) != 0) return node;
  }
  return nullptr;
}

void tqvEventQueue::unlink(Node* node) {
  (node->prev != nullptr ? node->prev->next : head_) = node->next;
  (node->next != nullptr ? node->next->prev : tail_) = node->prev;
  node->event = tqvEvent();  // releases the data handles
  node->prev = nullptr;
  node->next = free_;
  free_ = node;
  --pending_;
}

bool tqvEventQueue::post(const tqvEvent& event) {
  if (coalesces(event.type)) {
    for (Node* node = head_; node != nullptr; node = node->next) {
      if (node->event.type == event.type) {
        node->event = event;
        return true;
      }
    }
  }
  if (free_ == nullptr) return false;
  Node* node = free_;
  free_ = node->next;
  node->event = event;
  node->next = nullptr;
  node->prev = tail_;
  (tail_ != nullptr ? tail_->next : head_) = node;
  tail_ = node;
  ++pending_;
  return true;
}

bool tqvEventQueue::take(TQVINT mask, tqvEvent& out) {
  Node* node = find(mask);
  if (node == nullptr) return false;
  out = std::move(node->event);
  unlink(node);
  return true;
}

bool tqvEventQueue::peek(TQVINT mask, tqvEvent& out) const {
  Node* node = find(mask);
  if (node == nullptr) return false;
  out = node->event;
  out.data1 = tqvHandle();
  out.data2 = tqvHandle();
  return true;
}

void tqvEventQueue::flush(TQVINT mask) {
  Node* node = head_;
  while (node != nullptr) {
    Node* next = node->next;
    if ((node->event.type & mask) != 0) unlink(node);
    node = next;
  }
}

void tqvSetEventSource(tqvEventSource* source) {
  state().source = source;
}

tqvEventSource* tqvCurrentEventSource() {
  return state().source;
}

tqvEvent tqvMakeEvent(TQVINT type) {
  tqvEvent event;
  event.type = type;
  event.time = tqvTickCount();
  return event;
}

bool tqvPostEvent(const tqvEvent& event) {
  return queue().post(event);
}

tqvEvent tqvGetEvent(TQVINT mask, TQVINT timeoutMs) {
  return waitForEvent(mask, timeoutMs, true);
}

tqvEvent tqvPeekEvent(TQVINT mask, TQVINT timeoutMs) {
  return waitForEvent(mask, timeoutMs, false);
}

void tqvFlushEvents(TQVINT mask) {
  queue().flush(mask);
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
  state().quit = set;
}

bool tqvQuitFlag() {
  return state().quit;
}

tqvEventQueue* tqvCurrentEventQueue() {
  return state().queue.get();
}

void tqvDiscardEventQueue() {
  state().queue.reset();
}
