// The toolkit's timer: real ticks on the shared window, restarts, and ticks that must not arrive
// (queued for a timer that was stopped, restarted or freed meanwhile).
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>
#include "classlib/TypInfo.h"
#include "tests/support/ScopedSeam.h"
#include "tests/support/MessagePump.h"
#include "toolkit/base/cxClassesTimer.h"

namespace {

// Counts the ticks of the timers it is the handler of; runs an action on each tick.
struct TTickCounter : TObject {
  std::vector<TObject*> Ticks;
  std::function<void(TObject*)> Action;
  void Tick(TObject* sender)
  {
    Ticks.push_back(sender);
    if (Action) Action(sender);
  }
  TNotifyEvent Handler() { return TNotifyEvent(this, &TTickCounter::Tick); }
  int Count(TObject* timer) const
  {
    int n = 0;
    for (TObject* t : Ticks) n += t == timer;
    return n;
  }
};

// A tick the system had queued already: posted to the shared window by hand.
void QueueTick(UINT_PTR id)
{
  ASSERT_NE(cxTimerWindowHandle(), nullptr);
  PostMessageA(cxTimerWindowHandle(), WM_TIMER, id, 0);
}
}  // namespace

TEST(cxTimer, NewTimerIsEnabledWithASecondAndRunsOnceItHasAHandler)
{
  TOwned<TcxTimer> timer = MakeOwned<TcxTimer>(nullptr);
  EXPECT_TRUE(timer->Enabled());
  EXPECT_EQ(timer->Interval(), 1000u);
  EXPECT_FALSE(timer->Running());
  EXPECT_EQ(timer->TimerID(), 0u);
  // Published with those defaults.
  EXPECT_TRUE(GetPropInfo(timer.get(), "Enabled").IsDefault(timer.get()));
  EXPECT_TRUE(GetPropInfo(timer.get(), "Interval").IsDefault(timer.get()));
  EXPECT_EQ(GetPropInfo(timer.get(), "OnTimer").Kind, TPropKind::Method);

  auto counter = MakeOwned<TTickCounter>();
  DWORD start = GetTickCount();
  timer->SetOnTimer(counter->Handler());
  EXPECT_TRUE(timer->Running());
  ASSERT_TRUE(PumpUntil([&] { return !counter->Ticks.empty(); }, 3000));
  DWORD elapsed = GetTickCount() - start;
  EXPECT_GE(elapsed, 900u);
  EXPECT_EQ(counter->Ticks[0], timer.get());

  // Clearing the handler stops it.
  timer->SetOnTimer(nullptr);
  EXPECT_FALSE(timer->Running());
}

TEST(cxTimer, IntervalZeroOrUnchangedKeepsTheRunAnotherRestartsIt)
{
  auto counter = MakeOwned<TTickCounter>();
  TOwned<TcxTimer> timer = MakeOwned<TcxTimer>(nullptr);
  timer->SetOnTimer(counter->Handler());
  UINT_PTR first = timer->TimerID();
  ASSERT_NE(first, 0u);
  timer->SetInterval(0);
  EXPECT_EQ(timer->Interval(), 1000u);
  timer->SetInterval(1000);
  EXPECT_EQ(timer->TimerID(), first);
  timer->SetInterval(20);
  EXPECT_EQ(timer->Interval(), 20u);
  EXPECT_NE(timer->TimerID(), first);
  EXPECT_TRUE(PumpUntil([&] { return counter->Ticks.size() >= 3; }, 1000));

  // Disabled it does not tick while another timer of the same interval ticks three times; enabled
  // again it runs anew.
  timer->SetEnabled(false);
  EXPECT_FALSE(timer->Running());
  size_t ticks = counter->Ticks.size();
  TOwned<TcxTimer> witness = MakeOwned<TcxTimer>(nullptr);
  witness->SetInterval(20);
  witness->SetOnTimer(counter->Handler());
  ASSERT_TRUE(PumpUntil([&] { return counter->Count(witness.get()) >= 3; }, 30000));
  witness.reset();
  EXPECT_EQ(static_cast<size_t>(counter->Count(timer.get())), ticks);
  timer->SetEnabled(true);
  EXPECT_TRUE(timer->Running());
  EXPECT_TRUE(PumpUntil([&] { return static_cast<size_t>(counter->Count(timer.get())) > ticks; }, 30000));
}

TEST(cxTimer, TicksQueuedBeforeAStopRestartOrFreeDoNotArrive)
{
  struct TCase {
    const char* Name;
    std::function<void(TOwned<TcxTimer>&, TTickCounter&)> Change;
    bool RunningAfter;
  } cases[] = {
    {"disabled", [](TOwned<TcxTimer>& t, TTickCounter&) { t->SetEnabled(false); }, false},
    {"handler cleared", [](TOwned<TcxTimer>& t, TTickCounter&) { t->SetOnTimer(nullptr); }, false},
    {"disabled and enabled again",
     [](TOwned<TcxTimer>& t, TTickCounter&) {
       t->SetEnabled(false);
       t->SetEnabled(true);
     },
     true},
    {"interval changed", [](TOwned<TcxTimer>& t, TTickCounter&) { t->SetInterval(50000); }, true},
    {"new handler", [](TOwned<TcxTimer>& t, TTickCounter& c) { t->SetOnTimer(c.Handler()); }, true},
    {"freed", [](TOwned<TcxTimer>& t, TTickCounter&) { t.reset(); }, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    auto counter = MakeOwned<TTickCounter>();
    TOwned<TcxTimer> timer = MakeOwned<TcxTimer>(nullptr);
    timer->SetInterval(60000);
    timer->SetOnTimer(counter->Handler());
    UINT_PTR id = timer->TimerID();
    QueueTick(id);
    c.Change(timer, *counter);
    Pump(20);
    EXPECT_TRUE(counter->Ticks.empty());
    if (timer) {
      EXPECT_EQ(timer->Running(), c.RunningAfter);
    }
    // A tick of the current run does arrive.
    if (timer && timer->Running()) {
      QueueTick(timer->TimerID());
      Pump(20);
      EXPECT_EQ(counter->Count(timer.get()), 1);
    }
  }
}

TEST(cxTimer, ATimerStoppedInsideAnotherTimersTickGetsNoStaleTick)
{
  auto counter = MakeOwned<TTickCounter>();
  TOwned<TcxTimer> first = MakeOwned<TcxTimer>(nullptr);
  TOwned<TcxTimer> second = MakeOwned<TcxTimer>(nullptr);
  first->SetInterval(60000);
  second->SetInterval(60000);
  first->SetOnTimer(counter->Handler());
  second->SetOnTimer(counter->Handler());
  // Both time out at once: the first one's handler stops the second, whose tick is queued behind.
  counter->Action = [&](TObject* sender) {
    if (sender == first.get()) second->SetEnabled(false);
  };
  QueueTick(first->TimerID());
  QueueTick(second->TimerID());
  Pump(20);
  EXPECT_EQ(counter->Count(first.get()), 1);
  EXPECT_EQ(counter->Count(second.get()), 0);

  // The same with the system's own ticks, every 10 ms: once the second is stopped it stays silent.
  counter->Ticks.clear();
  bool stopped = false;
  size_t secondTicksAtStop = 0;
  second->SetEnabled(true);
  first->SetInterval(10);
  second->SetInterval(10);
  counter->Action = [&](TObject* sender) {
    if (sender == first.get() && !stopped && counter->Count(second.get()) > 0) {
      second->SetEnabled(false);
      stopped = true;
      secondTicksAtStop = counter->Count(second.get());
    }
  };
  ASSERT_TRUE(PumpUntil([&] { return stopped; }, 30000));
  // The first goes on ticking; the second stays silent meanwhile.
  const int firstAtStop = counter->Count(first.get());
  ASSERT_TRUE(PumpUntil([&] { return counter->Count(first.get()) >= firstAtStop + 5; }, 30000));
  EXPECT_EQ(static_cast<size_t>(counter->Count(second.get())), secondTicksAtStop);
}

TEST(cxTimer, ATimerFreedInItsOwnTickOrFailingKeepsTheOthersGoing)
{
  auto counter = MakeOwned<TTickCounter>();
  auto* doomed = New<TcxTimer>(nullptr);
  TOwned<TcxTimer> survivor = MakeOwned<TcxTimer>(nullptr);
  doomed->SetInterval(10);
  survivor->SetInterval(10);
  counter->Action = [&](TObject* sender) {
    if (sender == doomed) {
      Free(doomed);
      doomed = nullptr;
    }
  };
  doomed->SetOnTimer(counter->Handler());
  survivor->SetOnTimer(counter->Handler());
  ASSERT_TRUE(PumpUntil([&] { return !doomed && counter->Count(survivor.get()) >= 3; }));

  // An exception from a handler goes to the exception handler; the timer keeps running.
  static int GHandled = 0;
  GHandled = 0;
  TExceptionHandler saved = SetExceptionHandler([](std::exception_ptr) { ++GHandled; });
  counter->Action = [](TObject*) { throw Exception("tick failed"); };
  EXPECT_TRUE(PumpUntil([&] { return GHandled >= 2; }));
  SetExceptionHandler(saved);
  counter->Action = nullptr;
  EXPECT_TRUE(survivor->Running());
}

namespace {
UINT_PTR WINAPI RefuseTimer(HWND, UINT_PTR, UINT, TIMERPROC) { return 0; }
}  // namespace

TEST(cxTimer, ARefusedSystemTimerLeavesTheTimerStoppedUntilARestart)
{
  auto counter = MakeOwned<TTickCounter>();
  TOwned<TcxTimer> timer = MakeOwned<TcxTimer>(nullptr);
  {
    TScopedSeam<TcxSetTimerFunc> refuse(cxSetTimerFunc, RefuseTimer);
    timer->SetInterval(10);
    EXPECT_NO_THROW(timer->SetOnTimer(counter->Handler()));
    EXPECT_FALSE(timer->Running());
  }
  EXPECT_EQ(timer->TimerID(), 0u);  // no system timer that could tick
  EXPECT_TRUE(counter->Ticks.empty());
  timer->SetInterval(15);
  EXPECT_TRUE(timer->Running());
  EXPECT_TRUE(PumpUntil([&] { return !counter->Ticks.empty(); }));
}

TEST(cxTimer, AllTimersShareOneHiddenWindowThatTheShutDownTakesAway)
{
  auto counter = MakeOwned<TTickCounter>();
  TOwned<TcxTimer> a = MakeOwned<TcxTimer>(nullptr);
  TOwned<TcxTimer> b = MakeOwned<TcxTimer>(nullptr);
  a->SetOnTimer(counter->Handler());
  HWND window = cxTimerWindowHandle();
  ASSERT_NE(window, nullptr);
  b->SetOnTimer(counter->Handler());
  EXPECT_EQ(cxTimerWindowHandle(), window);
  EXPECT_NE(a->TimerID(), b->TimerID());
  EXPECT_FALSE(IsWindowVisible(window));

  // The unit's shut-down stops the running timers for good and destroys the window.
  FinalizeTimers();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(cxTimerWindowHandle(), nullptr);
  EXPECT_FALSE(a->Running());
  EXPECT_FALSE(b->Running());
  // The timers can be freed afterwards; a start made outside a shut-down makes a new window.
  b.reset();
  a->SetInterval(20);
  EXPECT_TRUE(a->Running());
  EXPECT_NE(cxTimerWindowHandle(), nullptr);
}
