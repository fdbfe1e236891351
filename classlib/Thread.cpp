#include "classlib/Thread.h"

#include <algorithm>
#include <cstdio>
#include <deque>
#include <memory>
#include <vector>
#include "classlib/SyncObjs.h"

CL_DEFINE_CLASS(TThread);

namespace {

// The main thread is recorded during static initialisation, which runs on it before main; the
// lazy path covers a caller from another unit's static initialiser that runs earlier.
std::atomic<DWORD> GMainThreadID{0};

DWORD RecordMainThread()
{
  DWORD id = GMainThreadID.load();
  if (id == 0) {
    id = GetCurrentThreadId();
    GMainThreadID.store(id);
  }
  return id;
}

[[maybe_unused]] const DWORD GMainThreadRecorded = RecordMainThread();

std::atomic<TWakeMainThread> GWakeMainThread{nullptr};

void WakeMainThread()
{
  if (TWakeMainThread hook = GWakeMainThread.load()) GuardCallback(hook);
}

[[noreturn]] void RaiseThreadError(DWORD code)
{
  throw EThread("Thread Error: " + SysErrorMessage(code) + " (" + std::to_string(code) + ")");
}

void CheckThreadError(bool success)
{
  if (!success) RaiseThreadError(GetLastError());
}

// A call handed to the GUI thread. A synchronous call has a Done event its caller waits on and
// carries back the exception the call raised; a queued call has neither.
struct TSyncRecord {
  TThreadMethod Method;
  const TThread* Thread;
  std::unique_ptr<TSyncEvent> Done;
  std::exception_ptr Error;
};
using TSyncRecordPtr = std::shared_ptr<TSyncRecord>;

// The calls waiting for the GUI thread, first in first out. Signal is set whenever one is added
// and reset by CheckSynchronize before it takes calls out, so a call added after the reset sets it
// again and the GUI thread never sleeps on a pending call. A queued call taken out stays listed as
// running until it returns, so that its thread is not freed under it.
class TSyncQueue {
public:
  void Push(TSyncRecordPtr record)
  {
    {
      TLockGuard lock(FLock);
      FItems.push_back(std::move(record));
    }
    FSignal.SetEvent();
  }
  TSyncRecordPtr Pop()
  {
    TLockGuard lock(FLock);
    if (FItems.empty()) return nullptr;
    TSyncRecordPtr record = std::move(FItems.front());
    FItems.pop_front();
    if (!record->Done) FRunning.push_back(record->Thread);
    return record;
  }
  void Ran(const TSyncRecord& record)
  {
    if (record.Done) return;
    TLockGuard lock(FLock);
    FRunning.erase(std::find(FRunning.begin(), FRunning.end(), record.Thread));
  }
  size_t Count()
  {
    TLockGuard lock(FLock);
    return FItems.size();
  }
  // Calls of the thread not taken out yet.
  bool HasQueuedCallsOf(const TThread* thread)
  {
    TLockGuard lock(FLock);
    return std::find_if(FItems.begin(), FItems.end(), [&](const TSyncRecordPtr& r) { return r->Thread == thread; }) !=
           FItems.end();
  }
  // Queued calls of the thread not yet returned, those running now included.
  bool HasPendingCallsOf(const TThread* thread)
  {
    if (HasQueuedCallsOf(thread)) return true;
    TLockGuard lock(FLock);
    return std::find(FRunning.begin(), FRunning.end(), thread) != FRunning.end();
  }
  TSyncEvent& Signal() { return FSignal; }

private:
  TCriticalSection FLock;
  std::deque<TSyncRecordPtr> FItems;
  std::vector<const TThread*> FRunning;
  TSyncEvent FSignal{true, false};
};

// Never destroyed: a worker may still hand calls over while the process runs its exit handlers.
TSyncQueue& SyncQueue()
{
  static TSyncQueue* queue = new TSyncQueue;
  return *queue;
}

// The threads whose synchronous calls the GUI thread is running now (nested when a call pumps).
// Such a thread is blocked until its call returns, so waiting for it there could never end.
// Touched on the GUI thread only.
std::vector<const TThread*>& RunningSyncCalls()
{
  static auto* calls = new std::vector<const TThread*>;
  return *calls;
}

void RunSyncRecord(TSyncRecord& record)
{
  if (!record.Done) {
    GuardCallback(record.Method);
    return;
  }
  RunningSyncCalls().push_back(record.Thread);
  try {
    record.Method();
  } catch (...) {
    record.Error = std::current_exception();
  }
  RunningSyncCalls().pop_back();
  record.Done->SetEvent();
}

void CheckMainThread(const char* caller)
{
  if (IsMainThread()) return;
  char text[128];
  std::snprintf(text, sizeof text, "%s called from thread $%lX, which is NOT the main thread", caller,
                static_cast<unsigned long>(GetCurrentThreadId()));
  throw EThread(text);
}

constexpr int PriorityValues[] = {THREAD_PRIORITY_IDLE,         THREAD_PRIORITY_LOWEST,
                                  THREAD_PRIORITY_BELOW_NORMAL, THREAD_PRIORITY_NORMAL,
                                  THREAD_PRIORITY_ABOVE_NORMAL, THREAD_PRIORITY_HIGHEST,
                                  THREAD_PRIORITY_TIME_CRITICAL};

}  // namespace

DWORD MainThreadID()
{
  DWORD id = GMainThreadID.load();
  return id ? id : RecordMainThread();
}

TWakeMainThread SetWakeMainThread(TWakeMainThread hook) { return GWakeMainThread.exchange(hook); }

bool CheckSynchronize(DWORD timeout)
{
  CheckMainThread("CheckSynchronize");
  TSyncQueue& queue = SyncQueue();
  if (timeout > 0 && queue.Count() == 0) queue.Signal().WaitFor(timeout);
  queue.Signal().ResetEvent();
  // Only the calls present now: a worker that keeps queueing cannot hold the GUI thread here.
  // What is added meanwhile has set the signal again and runs on the next round.
  size_t count = queue.Count();
  bool ran = false;
  while (count-- > 0) {
    TSyncRecordPtr record = queue.Pop();
    if (!record) break;  // a nested CheckSynchronize ran it
    ran = true;
    RunSyncRecord(*record);
    queue.Ran(*record);
  }
  return ran;
}

// --- TThread ---

TThread::TThread(bool createSuspended, size_t stackSize) : FCreateSuspended(createSuspended)
{
  DWORD flags = CREATE_SUSPENDED | (stackSize ? STACK_SIZE_PARAM_IS_A_RESERVATION : 0);
  FHandle = CreateThread(nullptr, stackSize, &ThreadProc, this, flags, &FThreadID);
  if (!FHandle) {
    DWORD code = GetLastError();
    throw EThread("Thread creation error: " + SysErrorMessage(code));
  }
}

TThread::~TThread()
{
  if (!FHandle) return;
  // Never started (freed suspended, or a derived constructor failed): let the system thread end
  // without touching this object, instead of killing it.
  if (!FStarted) {
    FAbandoned = true;
    if (ResumeThread(FHandle) != static_cast<DWORD>(-1)) WaitForSingleObject(FHandle, INFINITE);
  }
  CloseHandle(FHandle);
}

void TThread::AfterConstruction()
{
  TObject::AfterConstruction();
  if (!FCreateSuspended) Start();
}

void TThread::BeforeDestruction()
{
  const bool onThisThread = GetCurrentThreadId() == FThreadID;
  if (FStarted && !onThisThread) {
    Terminate();
    if (FSuspended) Resume();
    WaitFor();
  }
  // The calls this thread queued may still refer to it: they run before it goes. On the GUI
  // thread, one of them may be what is freeing it; it is up the stack and is left to return.
  TSyncQueue& queue = SyncQueue();
  if (IsMainThread()) {
    while (queue.HasQueuedCallsOf(this)) CheckSynchronize();
  } else {
    // First in, first out: once this call ran, the earlier ones were taken out, and the one
    // running then has returned (unless it pumps the queue itself: then go round again).
    while (queue.HasPendingCallsOf(this)) Synchronize(this, [] {});
  }
  TObject::BeforeDestruction();
}

DWORD WINAPI TThread::ThreadProc(void* param)
{
  auto* thread = static_cast<TThread*>(param);
  if (thread->FAbandoned) return 0;
  // No exception leaves the thread: one from Execute is kept for the owner to look at, any other
  // goes to the application's handler.
  try {
    if (!thread->FTerminated) thread->Execute();
  } catch (...) {
    thread->FFatalException = std::current_exception();
  }
  // Taken before OnTerminate runs: what was set when Execute ended decides who frees the object.
  const bool freeThread = thread->FFreeOnTerminate;
  const DWORD result = static_cast<DWORD>(thread->FReturnValue);
  thread->FFinished = true;
  GuardCallback([&] { thread->DoTerminate(); });
  if (freeThread) GuardCallback([&] { Free(thread); });
  return result;
}

void TThread::DoTerminate()
{
  if (!FOnTerminate) return;
  // A failing handler is reported on the GUI thread like any other event handler.
  Synchronize([this] { GuardCallback([this] { FOnTerminate(this); }); });
}

void TThread::Start()
{
  if (FStarted) throw EThread("Cannot call Start on a running or suspended thread");
  CheckThreadError(ResumeThread(FHandle) != static_cast<DWORD>(-1));
  FStarted = true;
}

void TThread::Resume()
{
  if (!FStarted) {
    Start();
  } else if (FSuspended) {
    CheckThreadError(ResumeThread(FHandle) != static_cast<DWORD>(-1));
    FSuspended = false;
  }
}

void TThread::Suspend()
{
  if (!FStarted || FSuspended || FFinished) return;
  FSuspended = true;
  if (SuspendThread(FHandle) == static_cast<DWORD>(-1)) {
    FSuspended = false;
    RaiseThreadError(GetLastError());
  }
}

void TThread::Terminate()
{
  FTerminated = true;
  TerminatedSet();
}

DWORD TThread::WaitFor()
{
  if (GetCurrentThreadId() == FThreadID) throw EThread("A thread cannot wait for itself");
  if (Suspended()) throw EThread("Cannot wait for a suspended thread");
  if (IsMainThread()) {
    const std::vector<const TThread*>& running = RunningSyncCalls();
    if (std::find(running.begin(), running.end(), this) != running.end())
      throw EThread("Cannot wait for a thread inside one of its synchronized calls");
    // The worker may be blocked in Synchronize or in a SendMessage to one of our windows: serve
    // both while waiting, or neither side could go on.
    HANDLE handles[] = {FHandle, SyncQueue().Signal().Handle()};
    for (;;) {
      DWORD r = MsgWaitForMultipleObjects(2, handles, FALSE, INFINITE, QS_SENDMESSAGE);
      if (r == WAIT_OBJECT_0) break;
      if (r == WAIT_OBJECT_0 + 1) {
        CheckSynchronize();
      } else if (r == WAIT_OBJECT_0 + 2) {
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // delivers the sent messages
      } else {
        RaiseThreadError(GetLastError());
      }
    }
  } else if (WaitForSingleObject(FHandle, INFINITE) == WAIT_FAILED) {
    RaiseThreadError(GetLastError());
  }
  DWORD code = 0;
  CheckThreadError(GetExitCodeThread(FHandle, &code));
  return code;
}

TThreadPriority TThread::Priority() const
{
  int value = GetThreadPriority(FHandle);
  if (value == THREAD_PRIORITY_ERROR_RETURN) RaiseThreadError(GetLastError());
  // Values between the named levels (set from outside) count as the nearest level below.
  int index = 0;
  for (int i = 0; i < static_cast<int>(std::size(PriorityValues)); ++i)
    if (PriorityValues[i] <= value) index = i;
  return static_cast<TThreadPriority>(index);
}

void TThread::SetPriority(TThreadPriority value)
{
  CheckThreadError(SetThreadPriority(FHandle, PriorityValues[static_cast<int>(value)]));
}

void TThread::Synchronize(TThread* thread, TThreadMethod method)
{
  if (!method) return;
  if (IsMainThread()) {
    method();
    return;
  }
  auto record = std::make_shared<TSyncRecord>(
      TSyncRecord{std::move(method), thread, std::make_unique<TSyncEvent>(true, false), nullptr});
  SyncQueue().Push(record);
  WakeMainThread();
  record->Done->WaitFor(INFINITE);
  if (record->Error) std::rethrow_exception(record->Error);
}

void TThread::Queue(TThread* thread, TThreadMethod method)
{
  if (!method) return;
  if (IsMainThread()) {
    method();
    return;
  }
  SyncQueue().Push(std::make_shared<TSyncRecord>(TSyncRecord{std::move(method), thread, nullptr, nullptr}));
  WakeMainThread();
}
