// The fixed-size event queue and the program-wide event functions: post, get (pumping
// window input while waiting), peek, flush and the quit request.
#pragma once

#include <memory>

#include "framework/event.h"

// A queue of at most `capacity` pending events, allocated once. Mouse moves, drags and
// timer ticks coalesce: posting one while one of its type is pending overwrites that one
// in place.
class tqvEventQueue {
 public:
  explicit tqvEventQueue(TQVINT capacity);
  tqvEventQueue(const tqvEventQueue&) = delete;
  tqvEventQueue& operator=(const tqvEventQueue&) = delete;

  TQVINT capacity() const { return capacity_; }
  TQVINT pendingCount() const { return pending_; }

  // Queues a copy of the event. Returns false (the event is dropped) when it neither
  // coalesces nor finds a free place.
  bool post(const tqvEvent& event);
  // Removes the first pending event whose type has a bit in `mask`; false when none.
  bool take(TQVINT mask, tqvEvent& out);
  // Copies the first matching event, leaving it queued; the copy's handles are nil.
  bool peek(TQVINT mask, tqvEvent& out) const;
  // Removes every pending event whose type has a bit in `mask`.
  void flush(TQVINT mask);

 private:
  struct Node {
    Node* next = nullptr;
    Node* prev = nullptr;
    tqvEvent event;
  };
  Node* find(TQVINT mask) const;
  void unlink(Node* node);

  TQVINT capacity_;
  TQVINT pending_ = 0;
  std::unique_ptr<Node[]> nodes_;
  Node* free_ = nullptr;
  Node* head_ = nullptr;
  Node* tail_ = nullptr;
};

// Where window input comes from while get event waits: the main window.
class tqvEventSource {
 public:
  virtual ~tqvEventSource() = default;
  // Takes at most one piece of input, waiting up to maxWaitMs for it, and posts the
  // events it stands for. Returns false when nothing came.
  virtual bool pumpInput(TQVINT maxWaitMs) = 0;
};
void tqvSetEventSource(tqvEventSource* source);
tqvEventSource* tqvCurrentEventSource();

// An event of `type` stamped with the current time.
tqvEvent tqvMakeEvent(TQVINT type);

// Posts to the program's queue, created on first use with the capacity of the integer
// environment value "EventLimit" (50 when absent or not positive; at most 65536).
// Returns false when the event was dropped.
bool tqvPostEvent(const tqvEvent& event);

// The first pending event whose type has a bit in `mask`, removed from the queue. While
// none is pending, window input is pumped; with a time-out (milliseconds, negative: wait
// forever) a null event stamped with the current time comes back once it has passed.
// The first call ever only creates the queue and returns a null event. A null event also
// comes back at once when nothing can arrive any more: no event source, or the quit flag
// is set.
tqvEvent tqvGetEvent(TQVINT mask, TQVINT timeoutMs);
// As tqvGetEvent, but the event stays queued and the copy's data handles are nil.
tqvEvent tqvPeekEvent(TQVINT mask, TQVINT timeoutMs);
void tqvFlushEvents(TQVINT mask);

// Posts a Quit event; when the queue is full, empties it and posts again; when even that
// fails, calls the exit handler with -1.
void tqvPostQuit();

// The program-wide quit flag: once set, the main loop and modal loops end.
void tqvSetQuitFlag(bool set);
bool tqvQuitFlag();

// The queue if it exists yet; null before first use.
tqvEventQueue* tqvCurrentEventQueue();
// Drops the queue and its pending events (at the end of the run).
void tqvDiscardEventQueue();
