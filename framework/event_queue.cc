// The event queue: one block of nodes on a free list and a pending list.
#include "framework/event_queue.h"

#include <algorithm>

namespace {

bool coalesces(TQVINT type) {
  return type == TQV_MOUSE_MOVE_EVENT || type == TQV_MOUSE_DRAG_EVENT || type == TQV_TIMER_EVENT;
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
