#pragma once
// TThread: a worker thread on the Win32 thread API, and the GUI-thread side of Synchronize.
//
// A thread object is made with New<TDerived>(createSuspended, ...): the system thread is created
// suspended in the constructor and let run in AfterConstruction, so the derived object is whole
// before Execute starts. Free it with Free(): that terminates it and waits for it. With
// FreeOnTerminate the thread frees itself once Execute and OnTerminate are done.
//
// Controls are touched only on the GUI (main) thread: a worker hands such work to it with
// Synchronize (waits until it ran) or Queue (does not wait). The GUI thread runs the calls from its
// message loop through CheckSynchronize, woken by the WakeMainThread hook, and while it waits for
// a thread in WaitFor.
#include <atomic>
#include <cstddef>
#include <exception>
#include <functional>
#include "classlib/Events.h"
#include "classlib/Object.h"

enum class TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

using TThreadMethod = std::function<void()>;

class TThread : public TObject {
  CL_CLASS(TThread, TObject)
public:
  // Creates the system thread (suspended); raises EThread "Thread creation error: <reason>" when
  // the system refuses. stackSize is the stack to reserve, 0 for the default.
  explicit TThread(bool createSuspended, size_t stackSize = 0);
  ~TThread() override;
  void AfterConstruction() override;
  void BeforeDestruction() override;

  // Lets a thread created suspended run; raises EThread when it was started already.
  void Start();
  // Start for a thread never started; otherwise lets a suspended thread go on.
  void Resume();
  // Stops the thread wherever it is (SuspendThread): only for threads that hold no locks.
  void Suspend();
  // Asks Execute to end: sets Terminated, which Execute is expected to poll.
  void Terminate();
  // Waits until the thread has ended and returns its exit code (ReturnValue). On the GUI thread
  // it runs synchronized calls and sent messages while it waits. An exception that ended Execute
  // is not raised here (see FatalException). Raises EThread for a wait that could never end: on a
  // suspended thread, from the thread itself, or inside one of the thread's synchronized calls.
  DWORD WaitFor();

  // Runs method on the GUI thread and waits for it; an exception it raises is raised again here.
  // Called on the GUI thread, it runs method directly.
  void Synchronize(TThreadMethod method) { Synchronize(this, std::move(method)); }
  static void Synchronize(TThread* thread, TThreadMethod method);
  // Hands method to the GUI thread without waiting; an exception it raises there goes to
  // HandleException. Called on the GUI thread, it runs method directly. The calls a thread queued
  // all run before the thread object is freed, so they may use it.
  void Queue(TThreadMethod method) { Queue(this, std::move(method)); }
  static void Queue(TThread* thread, TThreadMethod method);

  bool Terminated() const { return FTerminated; }
  bool Finished() const { return FFinished; }
  bool Started() const { return FStarted; }
  bool Suspended() const { return !FStarted || FSuspended; }
  void SetSuspended(bool value) { value ? Suspend() : Resume(); }
  bool FreeOnTerminate() const { return FFreeOnTerminate; }
  void SetFreeOnTerminate(bool value) { FFreeOnTerminate = value; }
  TThreadPriority Priority() const;
  void SetPriority(TThreadPriority value);
  DWORD ThreadID() const { return FThreadID; }
  HANDLE Handle() const { return FHandle; }
  // The exception that ended Execute, or null; read it once the thread has finished.
  std::exception_ptr FatalException() const { return FFatalException; }
  const TNotifyEvent& OnTerminate() const { return FOnTerminate; }
  void SetOnTerminate(const TNotifyEvent& value) { FOnTerminate = value; }

protected:
  // The thread's work; polls Terminated to end early.
  virtual void Execute() = 0;
  // Runs on the thread after Execute: calls OnTerminate on the GUI thread.
  virtual void DoTerminate();
  // Called by Terminate, on the terminating thread: wakes an Execute that waits on something.
  virtual void TerminatedSet() {}
  int ReturnValue() const { return FReturnValue; }
  void SetReturnValue(int value) { FReturnValue = value; }

private:
  static DWORD WINAPI ThreadProc(void* param);

  HANDLE FHandle = nullptr;
  DWORD FThreadID = 0;
  bool FCreateSuspended;
  std::atomic<bool> FStarted{false};
  std::atomic<bool> FSuspended{false};
  std::atomic<bool> FTerminated{false};
  std::atomic<bool> FFinished{false};
  std::atomic<bool> FFreeOnTerminate{false};
  std::atomic<bool> FAbandoned{false};  // freed before it ever ran: the thread returns at once
  int FReturnValue = 0;
  std::exception_ptr FFatalException;
  TNotifyEvent FOnTerminate;
};

// The thread that runs the message loop: the process's main thread, recorded before main runs.
DWORD MainThreadID();
inline bool IsMainThread() { return GetCurrentThreadId() == MainThreadID(); }

// Runs the calls that workers handed to the GUI thread, first waiting up to timeout milliseconds
// for one when none is pending. Returns whether it ran any. Raises EThread on another thread.
bool CheckSynchronize(DWORD timeout = 0);

// Called on the handing thread whenever a call is queued for the GUI thread, so that a GUI thread
// asleep in its message loop wakes and runs CheckSynchronize. The application object sets it to
// post a message to its window; by default it does nothing. Returns the previous hook.
using TWakeMainThread = void (*)();
TWakeMainThread SetWakeMainThread(TWakeMainThread hook);
