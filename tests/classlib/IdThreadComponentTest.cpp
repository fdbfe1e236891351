// The thread component: runs per start, stop modes, errors and freeing while running.
#include <gtest/gtest.h>
#include <atomic>
#include <set>
#include "classlib/IdThreadComponent.h"

namespace {

// Pumps synchronized calls on the test (GUI) thread until cond holds or two seconds pass.
template <class F>
bool WaitUntil(F cond)
{
  for (DWORD start = GetTickCount(); GetTickCount() - start < 2000;) {
    if (cond()) return true;
    CheckSynchronize(10);
  }
  return cond();
}

class TRunner : public TObject {
public:
  std::atomic<int> Runs{0};
  std::atomic<bool> StopSelf{true};
  std::atomic<bool> Throw{false};
  std::set<DWORD> Threads;
  std::atomic<DWORD> LastThread{0};

  void Run(TIdThreadComponent* sender)
  {
    LastThread = GetCurrentThreadId();
    ++Runs;
    if (Throw) throw Exception("run failed");
    if (StopSelf) sender->Stop();
    Sleep(1);
  }
};

std::exception_ptr GHandled;
void RecordHandled(std::exception_ptr e) { GHandled = e; }

}  // namespace

TEST(IdThreadComponent, EachStartRunsOnANewThreadThatTheRunStops)
{
  auto runner = MakeOwned<TRunner>();
  TOwned<TIdThreadComponent> c = MakeOwned<TIdThreadComponent>(nullptr);
  c->SetOnRun(TIdNotifyThreadComponentEvent(runner.get(), &TRunner::Run));
  c->Start();
  ASSERT_TRUE(WaitUntil([&] { return c->Thread()->Finished(); }));
  EXPECT_EQ(runner->Runs, 1);
  DWORD first = runner->LastThread;
  EXPECT_NE(first, GetCurrentThreadId());
  EXPECT_FALSE(c->Active());
  c->Start();
  ASSERT_TRUE(WaitUntil([&] { return runner->Runs == 2 && c->Thread()->Finished(); }));
  EXPECT_NE(runner->LastThread, first);
}

TEST(IdThreadComponent, RunsAgainUntilStoppedWhenTheRunDoesNotStopIt)
{
  auto runner = MakeOwned<TRunner>();
  runner->StopSelf = false;
  TOwned<TIdThreadComponent> c = MakeOwned<TIdThreadComponent>(nullptr);
  c->SetOnRun(TIdNotifyThreadComponentEvent(runner.get(), &TRunner::Run));
  c->Start();
  EXPECT_TRUE(c->Active());
  ASSERT_TRUE(WaitUntil([&] { return runner->Runs >= 3; }));
  c->Stop();
  ASSERT_TRUE(WaitUntil([&] { return c->Thread()->Finished(); }));
  int runs = runner->Runs;
  Sleep(20);
  EXPECT_EQ(runner->Runs, runs);
}

TEST(IdThreadComponent, SuspendModeWaitsOnTheSameThreadForTheNextStart)
{
  auto runner = MakeOwned<TRunner>();
  TOwned<TIdThreadComponent> c = MakeOwned<TIdThreadComponent>(nullptr);
  c->SetStopMode(TIdThreadStopMode::smSuspend);
  c->SetOnRun(TIdNotifyThreadComponentEvent(runner.get(), &TRunner::Run));
  c->Start();
  ASSERT_TRUE(WaitUntil([&] { return runner->Runs == 1; }));
  DWORD first = runner->LastThread;
  Sleep(20);
  EXPECT_EQ(runner->Runs, 1);
  EXPECT_FALSE(c->Thread()->Finished());
  c->Start();
  ASSERT_TRUE(WaitUntil([&] { return runner->Runs == 2; }));
  EXPECT_EQ(runner->LastThread, first);
}

TEST(IdThreadComponent, AnErrorInTheRunStopsItAndReachesTheApplicationHandler)
{
  auto runner = MakeOwned<TRunner>();
  runner->Throw = true;
  GHandled = nullptr;
  TExceptionHandler previous = SetExceptionHandler(RecordHandled);
  TOwned<TIdThreadComponent> c = MakeOwned<TIdThreadComponent>(nullptr);
  c->SetOnRun(TIdNotifyThreadComponentEvent(runner.get(), &TRunner::Run));
  c->Start();
  bool handled = WaitUntil([&] { return GHandled != nullptr; });
  SetExceptionHandler(previous);
  ASSERT_TRUE(handled);
  EXPECT_EQ(ExceptionMessage(GHandled), "run failed");
  ASSERT_TRUE(WaitUntil([&] { return c->Thread()->Finished(); }));
  EXPECT_EQ(runner->Runs, 1);
}

TEST(IdThreadComponent, FreeingARunningComponentEndsItsThread)
{
  auto runner = MakeOwned<TRunner>();
  runner->StopSelf = false;
  TIdThreadComponent* c = New<TIdThreadComponent>(nullptr);
  c->SetOnRun(TIdNotifyThreadComponentEvent(runner.get(), &TRunner::Run));
  c->SetLoop(true);
  c->Start();
  ASSERT_TRUE(WaitUntil([&] { return runner->Runs >= 1; }));
  Free(c);
  int runs = runner->Runs;
  Sleep(20);
  EXPECT_EQ(runner->Runs, runs);
}
