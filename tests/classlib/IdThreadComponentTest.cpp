// The thread component: runs per start, stop modes, errors and freeing while running.
#include <gtest/gtest.h>
#include <atomic>
#include <mutex>
#include <set>
#include <string>
#include <vector>
#include "tests/support/MessagePump.h"
#include "classlib/IdThreadComponent.h"

namespace {


class TRunner : public TObject {
public:
  std::atomic<int> Runs{0};
  std::atomic<bool> StopSelf{true};
  std::atomic<bool> Throw{false};
  std::set<DWORD> Threads;
  std::atomic<DWORD> LastThread{0};
  // "run" for each run, in order with what the test notes itself.
  std::mutex LogLock;
  std::vector<std::string> Log;

  void Note(const std::string& what)
  {
    std::lock_guard<std::mutex> lock(LogLock);
    Log.push_back(what);
  }
  void Run(TIdThreadComponent* sender)
  {
    LastThread = GetCurrentThreadId();
    Note("run");
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
  ASSERT_TRUE(PumpUntil([&] { return c->Thread()->Finished(); }));
  EXPECT_EQ(runner->Runs, 1);
  DWORD first = runner->LastThread;
  EXPECT_NE(first, GetCurrentThreadId());
  EXPECT_FALSE(c->Active());
  c->Start();
  ASSERT_TRUE(PumpUntil([&] { return runner->Runs == 2 && c->Thread()->Finished(); }));
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
  ASSERT_TRUE(PumpUntil([&] { return runner->Runs >= 3; }));
  const int runs = runner->Runs;
  c->Stop();
  // The thread ends once the run under way returns: at most that one run more.
  ASSERT_EQ(WaitForSingleObject(c->Thread()->Handle(), 30000), static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_TRUE(c->Thread()->Finished());
  EXPECT_LE(runner->Runs, runs + 1);
}

TEST(IdThreadComponent, SuspendModeWaitsOnTheSameThreadForTheNextStart)
{
  auto runner = MakeOwned<TRunner>();
  TOwned<TIdThreadComponent> c = MakeOwned<TIdThreadComponent>(nullptr);
  c->SetStopMode(TIdThreadStopMode::smSuspend);
  c->SetOnRun(TIdNotifyThreadComponentEvent(runner.get(), &TRunner::Run));
  c->Start();
  ASSERT_TRUE(PumpUntil([&] { return runner->Runs == 1; }));
  DWORD first = runner->LastThread;
  EXPECT_FALSE(c->Thread()->Finished());
  // The next run comes with the next start, not before it, on the same thread.
  runner->Note("start");
  c->Start();
  ASSERT_TRUE(PumpUntil([&] { return runner->Runs == 2; }));
  EXPECT_EQ(runner->LastThread, first);
  EXPECT_EQ(runner->Log, (std::vector<std::string>{"run", "start", "run"}));
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
  bool handled = PumpUntil([&] { return GHandled != nullptr; });
  SetExceptionHandler(previous);
  ASSERT_TRUE(handled);
  EXPECT_EQ(ExceptionMessage(GHandled), "run failed");
  ASSERT_TRUE(PumpUntil([&] { return c->Thread()->Finished(); }));
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
  ASSERT_TRUE(PumpUntil([&] { return runner->Runs >= 1; }));
  HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, runner->LastThread);
  ASSERT_NE(thread, nullptr);
  Free(c);
  // The thread has ended by the time the component is gone.
  EXPECT_EQ(WaitForSingleObject(thread, 0), static_cast<DWORD>(WAIT_OBJECT_0));
  CloseHandle(thread);
}
