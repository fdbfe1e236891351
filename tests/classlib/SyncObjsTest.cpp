// The critical section and event wrappers.
#include <gtest/gtest.h>
#include "classlib/SyncObjs.h"

namespace {
struct TCounterJob {
  TCriticalSection* Lock;
  long* Counter;
};

DWORD WINAPI CountUp(void* param)
{
  auto* job = static_cast<TCounterJob*>(param);
  for (int i = 0; i < 100000; ++i) {
    TLockGuard lock(*job->Lock);
    long v = *job->Counter;  // read and write apart: lost updates show without the lock
    *job->Counter = v + 1;
  }
  return 0;
}

DWORD WINAPI TryEnterOnOtherThread(void* param)
{
  auto* cs = static_cast<TCriticalSection*>(param);
  if (!cs->TryEnter()) return 0;
  cs->Leave();
  return 1;
}
}  // namespace

TEST(SyncObjs, CriticalSectionExcludesOtherThreads)
{
  TCriticalSection cs;
  long counter = 0;
  TCounterJob job{&cs, &counter};
  HANDLE threads[] = {CreateThread(nullptr, 0, CountUp, &job, 0, nullptr),
                      CreateThread(nullptr, 0, CountUp, &job, 0, nullptr)};
  ASSERT_EQ(WaitForMultipleObjects(2, threads, TRUE, 5000), WAIT_OBJECT_0);
  for (HANDLE h : threads) CloseHandle(h);
  EXPECT_EQ(counter, 200000);

  // Held here: another thread cannot enter, while this one can again.
  DWORD entered = 2;
  {
    TLockGuard lock(cs);
    EXPECT_TRUE(cs.TryEnter());
    cs.Leave();
    HANDLE h = CreateThread(nullptr, 0, TryEnterOnOtherThread, &cs, 0, nullptr);
    ASSERT_EQ(WaitForSingleObject(h, 5000), WAIT_OBJECT_0);
    GetExitCodeThread(h, &entered);
    CloseHandle(h);
  }
  EXPECT_EQ(entered, 0u);
  HANDLE h = CreateThread(nullptr, 0, TryEnterOnOtherThread, &cs, 0, nullptr);
  ASSERT_EQ(WaitForSingleObject(h, 5000), WAIT_OBJECT_0);
  GetExitCodeThread(h, &entered);
  CloseHandle(h);
  EXPECT_EQ(entered, 1u);  // released by the guard
}

TEST(SyncObjs, EventsResetManuallyOrAutomatically)
{
  TSyncEvent manual(true, false);
  EXPECT_EQ(manual.WaitFor(0), TWaitResult::wrTimeout);
  manual.SetEvent();
  EXPECT_EQ(manual.WaitFor(0), TWaitResult::wrSignaled);
  EXPECT_EQ(manual.WaitFor(0), TWaitResult::wrSignaled);  // stays set
  manual.ResetEvent();
  EXPECT_EQ(manual.WaitFor(10), TWaitResult::wrTimeout);

  TSyncEvent automatic(false, true);
  EXPECT_EQ(automatic.WaitFor(0), TWaitResult::wrSignaled);
  EXPECT_EQ(automatic.WaitFor(0), TWaitResult::wrTimeout);  // released one waiter, then reset
}
