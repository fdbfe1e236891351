#pragma once
// Synchronization objects over the Win32 primitives: a critical section with a scoped lock, and an
// event that threads wait on.
#include "classlib/Win.h"

// A critical section: one thread at a time between Enter and Leave; the owning thread may enter
// again (each Enter needs its Leave).
class TCriticalSection {
public:
  TCriticalSection() { InitializeCriticalSection(&FSection); }
  ~TCriticalSection() { DeleteCriticalSection(&FSection); }
  TCriticalSection(const TCriticalSection&) = delete;
  TCriticalSection& operator=(const TCriticalSection&) = delete;

  void Enter() { EnterCriticalSection(&FSection); }
  void Leave() { LeaveCriticalSection(&FSection); }
  bool TryEnter() { return TryEnterCriticalSection(&FSection) != FALSE; }

private:
  CRITICAL_SECTION FSection;
};

// Holds a critical section for the lifetime of a scope.
class TLockGuard {
public:
  explicit TLockGuard(TCriticalSection& section) : FSection(section) { FSection.Enter(); }
  ~TLockGuard() { FSection.Leave(); }
  TLockGuard(const TLockGuard&) = delete;
  TLockGuard& operator=(const TLockGuard&) = delete;

private:
  TCriticalSection& FSection;
};

enum class TWaitResult { wrSignaled, wrTimeout, wrAbandoned, wrError };

// A Win32 event. A manual-reset event stays signalled until ResetEvent; an auto-reset one releases
// a single waiter and resets itself. Creation failure raises EOSError.
class TSyncEvent {
public:
  explicit TSyncEvent(bool manualReset = true, bool initialState = false);
  ~TSyncEvent();
  TSyncEvent(const TSyncEvent&) = delete;
  TSyncEvent& operator=(const TSyncEvent&) = delete;

  void SetEvent();
  void ResetEvent();
  // Waits up to timeout milliseconds (INFINITE for no limit). wrError leaves GetLastError set.
  TWaitResult WaitFor(DWORD timeout = INFINITE);
  HANDLE Handle() const { return FHandle; }

private:
  HANDLE FHandle;
};
