// The fixed-size event queue, and where window input comes from while the program
// waits for events.
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
