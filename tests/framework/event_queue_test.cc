// The event queue: capacity, coalescing, masks, peeking, flushing and the quit request.
#include <gtest/gtest.h>

#include "framework/environment.h"
#include "framework/events.h"
#include "framework/standard_application.h"
#include "tests/framework/framework_fixture.h"
#include "values/string.h"

namespace {

tqvEvent event(TQVINT type, TQVINT x = 0, TQVINT word = 0) {
  tqvEvent e;
  e.type = type;
  e.x = x;
  e.word = word;
  return e;
}

// Takes every pending event without pumping.
std::vector<tqvEvent> drain(tqvEventQueue& queue) {
  std::vector<tqvEvent> all;
  tqvEvent e;
  while (queue.take(TQV_ALL_EVENTS, e)) all.push_back(e);
  return all;
}

TEST(EventQueue, MovesDragsAndTimerTicksCoalesceInPlace) {
  tqvEventQueue queue(10);
  ASSERT_TRUE(queue.post(event(TQV_MOUSE_MOVE_EVENT, 1)));
  ASSERT_TRUE(queue.post(event(TQV_KEY_DOWN_EVENT, 0, 'a')));
  ASSERT_TRUE(queue.post(event(TQV_MOUSE_MOVE_EVENT, 2)));
  ASSERT_TRUE(queue.post(event(TQV_TIMER_EVENT, 0, 1)));
  ASSERT_TRUE(queue.post(event(TQV_TIMER_EVENT, 0, 2)));
  ASSERT_TRUE(queue.post(event(TQV_MOUSE_DRAG_EVENT, 3)));
  ASSERT_TRUE(queue.post(event(TQV_MOUSE_DRAG_EVENT, 4)));
  ASSERT_TRUE(queue.post(event(TQV_MOUSE_DOWN_EVENT, 5)));
  ASSERT_TRUE(queue.post(event(TQV_MOUSE_DOWN_EVENT, 6)));
  EXPECT_EQ(queue.pendingCount(), 6);
  std::vector<tqvEvent> all = drain(queue);
  ASSERT_EQ(all.size(), 6u);
  // The move keeps its first place but carries the later position.
  EXPECT_EQ(all[0].type, TQV_MOUSE_MOVE_EVENT);
  EXPECT_EQ(all[0].x, 2);
  EXPECT_EQ(all[1].type, TQV_KEY_DOWN_EVENT);
  EXPECT_EQ(all[2].word, 2);
  EXPECT_EQ(all[3].x, 4);
  EXPECT_EQ(all[4].x, 5);  // mouse downs never merge
  EXPECT_EQ(all[5].x, 6);
}

TEST(EventQueue, FullQueueDropsAndFreesPlacesAgain) {
  tqvEventQueue queue(3);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(queue.post(event(TQV_KEY_DOWN_EVENT, 0, i)));
  EXPECT_FALSE(queue.post(event(TQV_KEY_DOWN_EVENT, 0, 99)));
  // A move cannot coalesce with anything and finds no place either.
  EXPECT_FALSE(queue.post(event(TQV_MOUSE_MOVE_EVENT)));
  tqvEvent first;
  ASSERT_TRUE(queue.take(TQV_ALL_EVENTS, first));
  EXPECT_EQ(first.word, 0);
  EXPECT_TRUE(queue.post(event(TQV_KEY_DOWN_EVENT, 0, 3)));
  std::vector<tqvEvent> rest = drain(queue);
  ASSERT_EQ(rest.size(), 3u);
  EXPECT_EQ(rest[2].word, 3);
}

TEST(EventQueue, MasksPickTheFirstMatchingEvent) {
  tqvEventQueue queue(8);
  queue.post(event(TQV_KEY_DOWN_EVENT, 0, 1));
  queue.post(event(TQV_MOUSE_UP_EVENT, 7));
  queue.post(event(TQV_KEY_DOWN_EVENT, 0, 2));
  tqvEvent e;
  ASSERT_TRUE(queue.take(TQV_MOUSE_DRAG_EVENT | TQV_MOUSE_UP_EVENT, e));
  EXPECT_EQ(e.x, 7);
  EXPECT_FALSE(queue.take(TQV_MOUSE_UP_EVENT, e));
  queue.flush(TQV_KEY_DOWN_EVENT);
  EXPECT_EQ(queue.pendingCount(), 0);
}

TEST(EventQueue, PeekLeavesTheEventAndClearsItsHandles) {
  tqvEventQueue queue(4);
  tqvEvent notify = event(TQV_NOTIFY_EVENT);
  notify.data1 = tqvMakeString("ended");
  notify.data2 = tqvMakeInt(5);
  queue.post(notify);
  tqvEvent copy;
  ASSERT_TRUE(queue.peek(TQV_NOTIFY_EVENT, copy));
  EXPECT_EQ(copy.type, TQV_NOTIFY_EVENT);
  EXPECT_TRUE(copy.data1.isNil());
  EXPECT_TRUE(copy.data2.isNil());
  tqvEvent taken;
  ASSERT_TRUE(queue.take(TQV_ALL_EVENTS, taken));
  EXPECT_EQ(tqvStringView(taken.data1), "ended");
}

class ProgramQueue : public FrameworkTest {};

TEST_F(ProgramQueue, FirstGetCreatesTheQueueAndReturnsNull) {
  EXPECT_EQ(tqvCurrentEventQueue(), nullptr);
  EXPECT_EQ(tqvGetEvent(TQV_ALL_EVENTS, -1).type, TQV_NULL_EVENT);
  ASSERT_NE(tqvCurrentEventQueue(), nullptr);
  EXPECT_EQ(tqvCurrentEventQueue()->capacity(), 50);
  // With no event source nothing can arrive: a null event instead of waiting forever.
  EXPECT_EQ(tqvGetEvent(TQV_ALL_EVENTS, -1).type, TQV_NULL_EVENT);
}

TEST_F(ProgramQueue, EventLimitComesFromTheEnvironment) {
  const char* const values[] = {"3", "abc", "-4", "0"};
  const TQVINT capacities[] = {3, 50, 50, 50};
  for (int i = 0; i < 4; ++i) {
    tqvSetEnvironment("EventLimit", tqvMakeString(values[i]));
    tqvPostEvent(event(TQV_TIMER_EVENT));
    ASSERT_NE(tqvCurrentEventQueue(), nullptr);
    EXPECT_EQ(tqvCurrentEventQueue()->capacity(), capacities[i]) << values[i];
    runtime().queue.reset();
  }
}

TEST_F(ProgramQueue, QuitArrivesThroughAFullQueueWhileAKeyIsLost) {
  tqvSetEnvironment("EventLimit", tqvMakeString("4"));
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(tqvPostEvent(event(TQV_MOUSE_DOWN_EVENT, i)));
  EXPECT_FALSE(tqvPostEvent(event(TQV_KEY_DOWN_EVENT, 0, 'k')));
  tqvPostQuit();
  EXPECT_EQ(tqvGetEvent(TQV_ALL_EVENTS, 0).type, TQV_QUIT_EVENT);
  EXPECT_EQ(tqvGetEvent(TQV_ALL_EVENTS, 0).type, TQV_NULL_EVENT);  // the rest went
}

TEST_F(ProgramQueue, GetWithTimeOutPumpsTheScriptAndReturnsNullOnceTimeHasPassed) {
  tqvPlatform::HeadlessBackend& backend = useHeadless("wait 1000\nclick 3 4\n");
  std::string error;
  ASSERT_TRUE(backend.openWindow(tqvPlatform::WindowSetup{}, error));
  // A source that turns the back end's input into events, as the main window does.
  struct Source : tqvEventSource {
    explicit Source(tqvPlatform::Backend& b) : backend(b) {}
    bool pumpInput(TQVINT wait) override {
      tqvPlatform::InputEvent input;
      if (!backend.nextInput(input, wait)) return false;
      if (input.type == tqvPlatform::InputEvent::Type::ButtonDown)
        tqvPostEvent(event(TQV_MOUSE_DOWN_EVENT, input.x));
      return true;
    }
    tqvPlatform::Backend& backend;
  } source(backend);
  tqvSetEventSource(&source);
  tqvGetEvent(TQV_ALL_EVENTS, 0);  // creates the queue

  tqvEvent timedOut = tqvGetEvent(TQV_MOUSE_DOWN_EVENT, 300);
  EXPECT_EQ(timedOut.type, TQV_NULL_EVENT);
  EXPECT_EQ(timedOut.time, 300u);  // stamped with the virtual time it gave up at
  tqvEvent down = tqvGetEvent(TQV_MOUSE_DOWN_EVENT, -1);
  EXPECT_EQ(down.type, TQV_MOUSE_DOWN_EVENT);
  EXPECT_EQ(down.x, 3);
  EXPECT_EQ(tqvTickCount(), 1000u);
  tqvSetEventSource(nullptr);
}

}  // namespace
