// The program-wide event functions over the runtime's queue: post, get (pumping window
// input while waiting), peek, flush and the quit request.
#pragma once

#include "framework/event.h"
#include "framework/event_queue.h"

void tqvSetEventSource(tqvEventSource* source);
tqvEventSource* tqvCurrentEventSource();

// An event of `type` stamped with the current time.
tqvEvent tqvMakeEvent(TQVINT type);

// Posts to the runtime's queue, created on first use with the capacity of the integer
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
