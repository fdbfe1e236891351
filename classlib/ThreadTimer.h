#pragma once
// Window-less thread timers: the platform's SetTimer with no window and a callback, for code that
// needs a tick without a window of its own (delayed activation, hint delays, delayed docking).
//
//   TThreadTimer FDelay;                                // a member of the object that waits
//   FDelay.Start(400, [this] { FDelay.Kill(); Activate(); });
//   ...
//   FDelay.Kill();                                      // any number of times; the destructor kills too
//
// The tick runs behind the exception boundary: what the callback raises goes to the application's
// exception handler and the timer goes on. Killing is idempotent, and a timer killed (or freed, or
// started again) inside its own tick is not called again for the run that was killed. A tick that
// comes while the callback is still running (a message loop inside it) is dropped. The ticks come
// through the message queue of the thread that started the timer; start, kill and free it on that
// thread. Tests fire a timer's tick at once with FireThreadTimer(timer.ID()) instead of waiting.
#include <functional>
#include <memory>
#include "classlib/Win.h"

class TThreadTimer {
public:
  TThreadTimer() = default;
  ~TThreadTimer() { Kill(); }
  TThreadTimer(const TThreadTimer&) = delete;
  TThreadTimer& operator=(const TThreadTimer&) = delete;

  // Kills a running timer, then sets a new one that calls onTick every interval milliseconds.
  // Raises EOSError when the system refuses the timer.
  void Start(UINT interval, std::function<void()> onTick);
  void Kill();
  bool Active() const { return FID != 0; }
  // The system's id of the running timer; 0 when none runs.
  UINT_PTR ID() const { return FID; }

  struct TEntry;

private:
  UINT_PTR FID = 0;
};

// Runs the tick of the running thread timer id now, as the system would (behind the boundary);
// false when no such timer runs on this thread.
bool FireThreadTimer(UINT_PTR id);
// The number of thread timers running on this thread (for leak checks).
int ThreadTimerCount();
