// Window-less thread timers: ticks through the thread's queue, killing (also inside the timer's own
// tick), the exception boundary, and the test hook that fires a tick at once.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "classlib/ThreadTimer.h"
#include "tests/support/MessagePump.h"

namespace {
// Records what the application's exception handler receives while it lives.
class THandledScope {
public:
  THandledScope()
  {
    FOld = SetExceptionHandler([](std::exception_ptr e) { Handled.push_back(ExceptionMessage(e)); });
    Handled.clear();
  }
  ~THandledScope() { SetExceptionHandler(FOld); }
  static std::vector<std::string> Handled;

private:
  TExceptionHandler FOld;
};
std::vector<std::string> THandledScope::Handled;
}  // namespace

TEST(ThreadTimer, TicksUntilKilledAndKillingIsIdempotent)
{
  const int timersBefore = ThreadTimerCount();
  int ticks = 0;
  TThreadTimer timer;
  EXPECT_FALSE(timer.Active());
  timer.Start(10, [&] { ++ticks; });
  EXPECT_TRUE(timer.Active());
  EXPECT_NE(timer.ID(), 0u);
  EXPECT_EQ(ThreadTimerCount(), timersBefore + 1);
  ASSERT_TRUE(PumpUntil([&] { return ticks >= 3; }, 5000));
  const UINT_PTR id = timer.ID();
  timer.Kill();
  timer.Kill();
  EXPECT_FALSE(timer.Active());
  EXPECT_EQ(timer.ID(), 0u);
  EXPECT_EQ(ThreadTimerCount(), timersBefore);
  // The killed timer is gone for the test hook too.
  const int seen = ticks;
  EXPECT_FALSE(FireThreadTimer(id));
  EXPECT_EQ(ticks, seen);
  // Starting again replaces the running timer; freeing kills it.
  {
    TThreadTimer other;
    other.Start(1000, [] {});
    other.Start(1000, [] {});
    EXPECT_EQ(ThreadTimerCount(), timersBefore + 1);
  }
  EXPECT_EQ(ThreadTimerCount(), timersBefore);
}

TEST(ThreadTimer, TheTestHookFiresAGivenTimersTick)
{
  std::vector<int> ticks;
  TThreadTimer first, second;
  first.Start(USER_TIMER_MAXIMUM, [&] { ticks.push_back(1); });
  second.Start(USER_TIMER_MAXIMUM, [&] { ticks.push_back(2); });
  EXPECT_TRUE(FireThreadTimer(second.ID()));
  EXPECT_TRUE(FireThreadTimer(first.ID()));
  EXPECT_TRUE(FireThreadTimer(second.ID()));
  EXPECT_EQ(ticks, (std::vector<int>{2, 1, 2}));
  EXPECT_FALSE(FireThreadTimer(0));
}

TEST(ThreadTimer, ATimerKilledInsideItsOwnTickIsNotCalledAgain)
{
  // Through the system's ticks: the first tick kills the timer, the queue brings no second call.
  int ticks = 0;
  auto timer = std::make_unique<TThreadTimer>();
  TThreadTimer* t = timer.get();
  t->Start(5, [&] {
    ++ticks;
    t->Kill();
  });
  // A second timer on a longer interval shows that the queue went on past the first one's interval.
  int laterTicks = 0;
  TThreadTimer later;
  later.Start(50, [&] { ++laterTicks; });
  ASSERT_TRUE(PumpUntil([&] { return laterTicks >= 3; }, 5000));
  EXPECT_EQ(ticks, 1);
  EXPECT_FALSE(t->Active());

  // Freed inside its own tick: the tick ends without touching the timer.
  int freedTicks = 0;
  timer->Start(USER_TIMER_MAXIMUM, [&] {
    ++freedTicks;
    timer.reset();
  });
  const UINT_PTR id = timer->ID();
  EXPECT_TRUE(FireThreadTimer(id));
  EXPECT_EQ(timer, nullptr);
  EXPECT_FALSE(FireThreadTimer(id));
  EXPECT_EQ(freedTicks, 1);

  // A tick that comes while the callback still runs (a loop inside it) is dropped.
  int nested = 0;
  TThreadTimer reentered;
  reentered.Start(USER_TIMER_MAXIMUM, [&] {
    ++nested;
    EXPECT_TRUE(FireThreadTimer(reentered.ID()));
  });
  FireThreadTimer(reentered.ID());
  EXPECT_EQ(nested, 1);
}

TEST(ThreadTimer, WhatATickRaisesGoesToTheApplicationAndTheTimerGoesOn)
{
  THandledScope handled;
  int ticks = 0;
  TThreadTimer timer;
  timer.Start(10, [&] {
    if (++ticks == 1) throw EInvalidOperation("tick failed");
  });
  ASSERT_TRUE(PumpUntil([&] { return ticks >= 2; }, 5000));
  timer.Kill();
  EXPECT_EQ(THandledScope::Handled, (std::vector<std::string>{"tick failed"}));
  // The test hook runs behind the same boundary.
  timer.Start(USER_TIMER_MAXIMUM, [] { throw EInvalidOperation("fired"); });
  EXPECT_TRUE(FireThreadTimer(timer.ID()));
  EXPECT_EQ(THandledScope::Handled.back(), "fired");
}
