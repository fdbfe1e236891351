// Worker threads and the GUI-thread side of Synchronize: the test's main thread plays the GUI
// thread. Every wait is bounded; a wait that the code under test could turn into a deadlock runs
// under a watchdog that ends the process with a message instead of hanging the run.
#include <gtest/gtest.h>
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>
#include "classlib/SyncObjs.h"
#include "classlib/Thread.h"
#include "tests/support/MessagePump.h"

namespace {

// A thread whose Execute is a lambda; it reports its own destruction.
class TTestThread : public TThread {
  CL_CLASS(TTestThread, TThread)
public:
  using TBody = std::function<void(TTestThread& self)>;
  TTestThread(bool createSuspended, TBody body, std::function<void()> onDestroy = nullptr, size_t stackSize = 0)
      : TThread(createSuspended, stackSize), FBody(std::move(body)), FOnDestroy(std::move(onDestroy))
  {
  }
  ~TTestThread() override
  {
    if (FOnDestroy) FOnDestroy();
  }
  using TThread::ReturnValue;
  using TThread::SetReturnValue;

protected:
  void Execute() override { FBody(*this); }

private:
  TBody FBody;
  std::function<void()> FOnDestroy;
};

// The usual shape of a thread class: counts rounds until terminated.
class TCountingThread : public TThread {
  CL_CLASS(TCountingThread, TThread)
public:
  explicit TCountingThread(bool createSuspended) : TThread(createSuspended) {}
  std::atomic<int> Rounds{0};

protected:
  void Execute() override
  {
    while (!Terminated()) {
      ++Rounds;
      Sleep(1);
    }
  }
};

// Receives OnTerminate: where it ran and what it saw.
class TTerminateWatcher : public TObject {
  CL_CLASS(TTerminateWatcher, TObject)
public:
  std::atomic<int> Calls{0};
  DWORD RanOn = 0;
  TObject* Sender = nullptr;
  bool SawFinished = false;
  std::vector<std::string>* Log = nullptr;
  void ThreadDone(TObject* sender)
  {
    ++Calls;
    RanOn = GetCurrentThreadId();
    Sender = sender;
    SawFinished = static_cast<TThread*>(sender)->Finished();
    if (Log) Log->push_back("OnTerminate");
  }
};

// Ends the process with a message when the scope is not left within the time given.
class TWatchdog {
public:
  TWatchdog(DWORD ms, const char* what) : FWhat(what), FMs(ms)
  {
    FHandle = CreateThread(nullptr, 0, &Run, this, 0, nullptr);
  }
  ~TWatchdog()
  {
    FDone.SetEvent();
    WaitForSingleObject(FHandle, INFINITE);
    CloseHandle(FHandle);
  }

private:
  static DWORD WINAPI Run(void* param)
  {
    auto* self = static_cast<TWatchdog*>(param);
    if (self->FDone.WaitFor(self->FMs) == TWaitResult::wrTimeout) {
      // Straight to the handle: a hung thread may hold the C runtime's stream lock.
      std::string text = "\nDEADLOCK: " + std::string(self->FWhat) + " did not return within " +
                         std::to_string(self->FMs) + " ms\n";
      DWORD written;
      WriteFile(GetStdHandle(STD_ERROR_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
      TerminateProcess(GetCurrentProcess(), 3);
    }
    return 0;
  }
  const char* FWhat;
  DWORD FMs;
  TSyncEvent FDone{true, false};
  HANDLE FHandle;
};

// Collects what reaches the application's exception handler during a test.
std::vector<std::string> GHandled;
class THandlerScope {
public:
  THandlerScope()
  {
    GHandled.clear();
    FOld = SetExceptionHandler([](std::exception_ptr e) { GHandled.push_back(ExceptionMessage(e)); });
  }
  ~THandlerScope() { SetExceptionHandler(FOld); }

private:
  TExceptionHandler FOld;
};

}  // namespace

CL_DEFINE_CLASS(TTestThread);
CL_DEFINE_CLASS(TCountingThread);
CL_DEFINE_CLASS(TTerminateWatcher);

TEST(Thread, SynchronizeRunsCallsOnTheMainThreadInOrder)
{
  std::vector<int> order;
  std::vector<DWORD> ranOn;
  std::vector<int> seenByWorker;
  int shared = 0;
  auto* t = New<TTestThread>(false, [&](TTestThread& self) {
    for (int i = 1; i <= 5; ++i) {
      self.Synchronize([&, i] {
        order.push_back(i);
        ranOn.push_back(GetCurrentThreadId());
        shared = i * 10;
      });
      seenByWorker.push_back(shared);  // what the call wrote is visible once Synchronize returns
    }
  });
  EXPECT_TRUE(PumpUntil([&] { return t->Finished(); }));
  Free(t);
  EXPECT_EQ(order, (std::vector<int>{1, 2, 3, 4, 5}));
  EXPECT_EQ(ranOn, std::vector<DWORD>(5, MainThreadID()));
  EXPECT_EQ(seenByWorker, (std::vector<int>{10, 20, 30, 40, 50}));
}

TEST(Thread, SynchronizeOnTheMainThreadRunsDirectly)
{
  EXPECT_EQ(MainThreadID(), GetCurrentThreadId());
  bool ran = false;
  TThread::Synchronize(nullptr, [&] { ran = true; });
  EXPECT_TRUE(ran);
  EXPECT_THROW(TThread::Synchronize(nullptr, [] { throw EListError("direct"); }), EListError);
  EXPECT_FALSE(CheckSynchronize());  // nothing went through the queue
}

// The worker blocks in Synchronize and in a SendMessage to a window of the main thread while the
// main thread sits in WaitFor: WaitFor must serve both.
namespace {
LRESULT CALLBACK DoublerProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp)
{
  if (msg == WM_APP) return lp * 2;
  return DefWindowProcA(wnd, msg, wp, lp);
}
}  // namespace

TEST(Thread, WaitForOnTheMainThreadServesSynchronizeAndSentMessages)
{
  WNDCLASSA wc{};
  wc.lpfnWndProc = DoublerProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "ThreadTestDoubler";
  RegisterClassA(&wc);
  HWND wnd = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  ASSERT_TRUE(wnd);

  std::vector<int> calls;
  LRESULT answer = 0;
  auto* t = New<TTestThread>(false, [&](TTestThread& self) {
    for (int i = 0; i < 3; ++i) self.Synchronize([&, i] { calls.push_back(i); });
    answer = SendMessageA(wnd, WM_APP, 0, 21);
    self.SetReturnValue(42);
  });
  {
    TWatchdog dog(3000, "WaitFor while the worker synchronizes");
    EXPECT_EQ(t->WaitFor(), 42u);
  }
  EXPECT_EQ(calls, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(answer, 42);
  EXPECT_TRUE(t->Finished());
  EXPECT_EQ(t->WaitFor(), 42u);  // again on a finished thread: returns at once
  Free(t);
  DestroyWindow(wnd);
  UnregisterClassA(wc.lpszClassName, wc.hInstance);
}

TEST(Thread, ExceptionInExecuteIsKeptNotFatal)
{
  THandlerScope handler;
  auto* t = New<TTestThread>(false, [](TTestThread& self) {
    self.SetReturnValue(7);
    throw EConvertError("'x' is not a valid integer value");
  });
  EXPECT_EQ(t->WaitFor(), 7u);  // does not raise
  ASSERT_TRUE(t->FatalException());
  EXPECT_THROW(std::rethrow_exception(t->FatalException()), EConvertError);
  EXPECT_EQ(ExceptionMessage(t->FatalException()), "'x' is not a valid integer value");
  EXPECT_TRUE(GHandled.empty());  // kept for the owner, not reported
  Free(t);

  // A thread that ends normally has none.
  auto* ok = New<TTestThread>(false, [](TTestThread&) {});
  ok->WaitFor();
  EXPECT_FALSE(ok->FatalException());
  Free(ok);
}

TEST(Thread, ExceptionInSynchronizedCallIsRaisedInTheWorker)
{
  std::string caught;
  DWORD thrownOn = 0;
  bool continued = false;
  auto* t = New<TTestThread>(false, [&](TTestThread& self) {
    try {
      self.Synchronize([&] {
        thrownOn = GetCurrentThreadId();
        throw EListError("List index out of bounds (5)");
      });
    } catch (const EListError& e) {
      caught = e.Message();
    }
    self.Synchronize([&] { continued = true; });  // the queue goes on after a failed call
  });
  {
    TWatchdog dog(3000, "WaitFor");
    t->WaitFor();
  }
  EXPECT_EQ(thrownOn, MainThreadID());
  EXPECT_EQ(caught, "List index out of bounds (5)");
  EXPECT_TRUE(continued);
  EXPECT_FALSE(t->FatalException());
  Free(t);
}

TEST(Thread, QueuedCallsRunInOrderAndTheirExceptionsGoToTheHandler)
{
  THandlerScope handler;
  std::vector<std::string> log;
  auto* t = New<TTestThread>(false, [&](TTestThread& self) {
    self.Queue([&] { log.push_back("q1"); });
    self.Queue([&] { throw Exception("queued call failed"); });
    self.Queue([&] { log.push_back("q2"); });
    self.Synchronize([&] { log.push_back("s"); });
    TThread::Queue(nullptr, [&] { log.push_back("q3"); });
  });
  EXPECT_TRUE(PumpUntil([&] { return log.size() == 4; }));
  EXPECT_EQ(log, (std::vector<std::string>{"q1", "q2", "s", "q3"}));
  EXPECT_EQ(GHandled, (std::vector<std::string>{"queued call failed"}));
  t->WaitFor();
  Free(t);
}

TEST(Thread, CheckSynchronizeWaitsUpToItsTimeoutAndBelongsToTheMainThread)
{
  EXPECT_FALSE(CheckSynchronize());
  ULONGLONG start = GetTickCount64();
  EXPECT_FALSE(CheckSynchronize(50));  // nothing arrives: gives up after the timeout
  EXPECT_GE(GetTickCount64() - start, 40u);

  std::string workerError;
  bool ran = false;
  auto* t = New<TTestThread>(false, [&](TTestThread& self) {
    try {
      CheckSynchronize();
    } catch (const EThread& e) {
      workerError = e.Message();
    }
    Sleep(20);
    self.Queue([&] { ran = true; });
  });
  {
    // Waits without a timeout of its own: only the call's coming ends the wait.
    TWatchdog dog(60000, "CheckSynchronize waiting for a queued call");
    EXPECT_TRUE(CheckSynchronize(INFINITE));
  }
  EXPECT_TRUE(ran);
  t->WaitFor();
  Free(t);
  EXPECT_NE(workerError.find("which is NOT the main thread"), std::string::npos) << workerError;
}

namespace {
std::atomic<int> GWakes{0};
DWORD GWakeThread = 0;
}  // namespace

TEST(Thread, WakeMainThreadHookIsCalledForEveryHandedCall)
{
  GWakes = 0;
  TWakeMainThread old = SetWakeMainThread([] {
    ++GWakes;
    GWakeThread = GetCurrentThreadId();
  });
  // The test executable runs the application object, whose hook this replaces for the test.
  DWORD workerId = 0;
  auto* t = New<TTestThread>(false, [&](TTestThread& self) {
    workerId = GetCurrentThreadId();
    self.Queue([] {});
    self.Synchronize([] {});
  });
  EXPECT_TRUE(PumpUntil([&] { return t->Finished(); }));
  Free(t);
  SetWakeMainThread(old);
  EXPECT_EQ(GWakes, 2);
  EXPECT_EQ(GWakeThread, workerId);
}

TEST(Thread, OnTerminateRunsOnTheMainThreadAfterExecute)
{
  auto watcher = MakeOwned<TTerminateWatcher>();
  std::atomic<bool> executed{false};
  auto* t = New<TTestThread>(true, [&](TTestThread&) { executed = true; });
  t->SetOnTerminate(TNotifyEvent(watcher.get(), &TTerminateWatcher::ThreadDone));
  t->Start();
  EXPECT_TRUE(PumpUntil([&] { return watcher->Calls == 1; }));
  EXPECT_TRUE(executed);
  EXPECT_EQ(watcher->RanOn, MainThreadID());
  EXPECT_EQ(watcher->Sender, t);
  EXPECT_TRUE(watcher->SawFinished);
  t->WaitFor();
  Free(t);
  EXPECT_EQ(watcher->Calls, 1);
}

TEST(Thread, FreeOnTerminateFreesTheThreadAfterOnTerminate)
{
  auto watcher = MakeOwned<TTerminateWatcher>();
  std::vector<std::string> log;
  watcher->Log = &log;
  std::atomic<bool> destroyed{false};
  auto* t = New<TTestThread>(
      true, [&](TTestThread& self) { self.Synchronize([&] { log.push_back("Execute"); }); },
      [&] {
        log.push_back("destroyed");  // on the worker, once the main thread is done with the log
        destroyed = true;
      });
  t->SetFreeOnTerminate(true);
  t->SetOnTerminate(TNotifyEvent(watcher.get(), &TTerminateWatcher::ThreadDone));
  t->Start();
  t = nullptr;  // no longer ours
  EXPECT_TRUE(PumpUntil([&] { return destroyed.load(); }));
  EXPECT_EQ(log, (std::vector<std::string>{"Execute", "OnTerminate", "destroyed"}));
}

TEST(Thread, QueuedCallsRunBeforeTheirThreadIsFreed)
{
  // A thread freeing itself waits until the main thread has run what it queued, including a call
  // the main thread is running right now.
  std::vector<std::string> log;
  std::atomic<bool> destroyed{false};
  TSyncEvent firstRunning;
  auto* t = New<TTestThread>(
      true,
      [&](TTestThread& self) {
        self.SetReturnValue(5);
        self.Queue([&] {
          firstRunning.SetEvent();
          Sleep(30);
          log.push_back("running " + std::to_string(self.ReturnValue()));
        });
        firstRunning.WaitFor(2000);
      },
      [&] {
        log.push_back("destroyed");
        destroyed = true;
      });
  t->SetFreeOnTerminate(true);
  t->Start();
  EXPECT_TRUE(PumpUntil([&] { return destroyed.load(); }));
  EXPECT_EQ(log, (std::vector<std::string>{"running 5", "destroyed"}));

  // Likewise for a call still waiting in the queue: the main thread pumps only once the freeing
  // thread has handed over a second call (its wait), so that it finds its first call pending.
  log.clear();
  destroyed = false;
  static std::atomic<int> wakes;
  wakes = 0;
  TWakeMainThread oldWake = SetWakeMainThread([] { ++wakes; });
  t = New<TTestThread>(
      true, [&](TTestThread& self) { self.Queue([&log, &self] { log.push_back(self.ClassName()); }); },
      [&] {
        log.push_back("destroyed");
        destroyed = true;
      });
  t->SetFreeOnTerminate(true);
  t->Start();
  EXPECT_TRUE(WaitWithoutPumping([] { return wakes >= 2; }, 10000));
  EXPECT_EQ(wakes, 2);
  EXPECT_TRUE(PumpUntil([&] { return destroyed.load(); }));
  SetWakeMainThread(oldWake);
  EXPECT_EQ(log, (std::vector<std::string>{"TTestThread", "destroyed"}));

  // A finished thread freed by its owner on the main thread runs them first.
  log.clear();
  t = New<TTestThread>(
      false, [&](TTestThread& self) { self.Queue([&log, &self] { log.push_back(self.ClassName()); }); },
      [&] { log.push_back("destroyed"); });
  ASSERT_EQ(WaitForSingleObject(t->Handle(), 2000), WAIT_OBJECT_0);
  EXPECT_TRUE(log.empty());
  Free(t);
  EXPECT_EQ(log, (std::vector<std::string>{"TTestThread", "destroyed"}));
}

TEST(Thread, TerminateEndsAnExecuteThatPollsTerminated)
{
  auto* t = New<TCountingThread>(false);
  ASSERT_TRUE(PumpUntil([&] { return t->Rounds > 0; }));
  EXPECT_FALSE(t->Terminated());
  EXPECT_FALSE(t->Finished());
  t->Terminate();
  EXPECT_TRUE(t->Terminated());
  {
    TWatchdog dog(3000, "WaitFor after Terminate");
    t->WaitFor();
  }
  EXPECT_TRUE(t->Finished());
  Free(t);
  // Its class record offers no component factory although T(bool) accepts a pointer.
  EXPECT_EQ(TCountingThread::StaticClass()->NewComponent, nullptr);
}

TEST(Thread, CreatedSuspendedRunsOnlyOnceStarted)
{
  std::atomic<bool> ran{false};
  auto* t = New<TTestThread>(true, [&](TTestThread&) { ran = true; });
  EXPECT_TRUE(t->Suspended());
  EXPECT_FALSE(t->Started());
  EXPECT_NE(t->Handle(), nullptr);
  EXPECT_NE(t->ThreadID(), 0u);
  // The system thread is held suspended: its body cannot have begun.
  EXPECT_EQ(SuspendThread(t->Handle()), 1u);
  EXPECT_EQ(ResumeThread(t->Handle()), 2u);
  EXPECT_FALSE(ran);
  t->Start();
  EXPECT_FALSE(t->Suspended());
  t->WaitFor();
  EXPECT_TRUE(ran);
  try {
    t->Start();
    ADD_FAILURE() << "Start on a started thread must raise";
  } catch (const EThread& e) {
    EXPECT_EQ(e.Message(), "Cannot call Start on a running or suspended thread");
  }
  Free(t);

  // Resume starts a thread never started; Start on a thread created running raises.
  ran = false;
  t = New<TTestThread>(true, [&](TTestThread&) { ran = true; });
  t->Resume();
  t->WaitFor();
  EXPECT_TRUE(ran);
  Free(t);
  t = New<TTestThread>(false, [](TTestThread&) {});
  EXPECT_THROW(t->Start(), EThread);
  Free(t);
}

TEST(Thread, FreeingARunningThreadTerminatesAndWaitsForIt)
{
  // The worker synchronizes in every round, so Free on the main thread must serve it while it
  // waits or it would wait forever.
  std::atomic<int> rounds{0};
  std::atomic<bool> left{false};
  std::atomic<bool> destroyed{false};
  auto* t = New<TTestThread>(
      false,
      [&](TTestThread& self) {
        while (!self.Terminated()) self.Synchronize([&] { ++rounds; });
        left = true;
      },
      [&] { destroyed = true; });
  ASSERT_TRUE(PumpUntil([&] { return rounds >= 3; }));
  {
    TWatchdog dog(3000, "Free of a synchronizing thread");
    Free(t);
  }
  EXPECT_TRUE(left);
  EXPECT_TRUE(destroyed);

  // A thread never started is freed without its Execute ever running.
  std::atomic<bool> ran{false};
  destroyed = false;
  t = New<TTestThread>(true, [&](TTestThread&) { ran = true; }, [&] { destroyed = true; });
  {
    TWatchdog dog(3000, "Free of a thread never started");
    Free(t);
  }
  EXPECT_TRUE(destroyed);
  EXPECT_FALSE(ran);

  // And one stopped with Suspend is let go on so that it can end.
  auto* counting = New<TCountingThread>(false);
  ASSERT_TRUE(PumpUntil([&] { return counting->Rounds > 0; }));
  counting->Suspend();
  EXPECT_TRUE(counting->Suspended());
  {
    TWatchdog dog(3000, "Free of a suspended thread");
    Free(counting);
  }
}

TEST(Thread, WaitForRefusesWaitsThatCouldNeverEnd)
{
  // On a thread never started.
  auto* idle = New<TTestThread>(true, [](TTestThread&) {});
  EXPECT_THROW(idle->WaitFor(), EThread);
  Free(idle);

  // From the thread itself, and on the main thread inside one of the thread's synchronized calls
  // (the thread is blocked until that call returns).
  std::string fromItself, fromItsCall;
  TTestThread* t = nullptr;
  t = New<TTestThread>(true, [&](TTestThread& self) {
    try {
      self.WaitFor();
    } catch (const EThread& e) {
      fromItself = e.Message();
    }
    self.Synchronize([&] {
      try {
        t->WaitFor();
      } catch (const EThread& e) {
        fromItsCall = e.Message();
      }
    });
  });
  t->Start();
  {
    TWatchdog dog(3000, "WaitFor");
    t->WaitFor();
  }
  Free(t);
  EXPECT_EQ(fromItself, "A thread cannot wait for itself");
  EXPECT_EQ(fromItsCall, "Cannot wait for a thread inside one of its synchronized calls");
}

TEST(Thread, PriorityMapsToTheSystemLevels)
{
  struct Case {
    TThreadPriority Priority;
    int System;
  };
  const Case cases[] = {
      {TThreadPriority::tpIdle, THREAD_PRIORITY_IDLE},
      {TThreadPriority::tpLowest, THREAD_PRIORITY_LOWEST},
      {TThreadPriority::tpLower, THREAD_PRIORITY_BELOW_NORMAL},
      {TThreadPriority::tpNormal, THREAD_PRIORITY_NORMAL},
      {TThreadPriority::tpHigher, THREAD_PRIORITY_ABOVE_NORMAL},
      {TThreadPriority::tpHighest, THREAD_PRIORITY_HIGHEST},
      {TThreadPriority::tpTimeCritical, THREAD_PRIORITY_TIME_CRITICAL},
  };
  auto* t = New<TTestThread>(true, [](TTestThread&) {});
  EXPECT_EQ(t->Priority(), TThreadPriority::tpNormal);
  for (const Case& c : cases) {
    t->SetPriority(c.Priority);
    EXPECT_EQ(GetThreadPriority(t->Handle()), c.System) << static_cast<int>(c.Priority);
    EXPECT_EQ(t->Priority(), c.Priority);
  }
  Free(t);
}

TEST(Thread, CreationFailureRaisesWithTheSystemReason)
{
  // No address space has room for a stack this size.
  try {
    New<TTestThread>(false, [](TTestThread&) {}, nullptr, SIZE_MAX / 2);
    ADD_FAILURE() << "creating the thread must fail";
  } catch (const EThread& e) {
    const std::string prefix = "Thread creation error: ";
    EXPECT_EQ(e.Message().substr(0, prefix.size()), prefix);
    EXPECT_GT(e.Message().size(), prefix.size()) << "the system's reason is missing";
  }
}
