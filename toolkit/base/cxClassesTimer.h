#pragma once
// The toolkit's timer component. Every TcxTimer sets its system timer on one shared hidden window,
// and a tick reaches a timer only while that timer is running: a time-out that the system still
// delivers after the timer was stopped, restarted or freed is dropped.
//
// Each start of a timer takes a system timer id never used before in the process, so a tick queued
// for an earlier run (or for a freed timer whose memory a new timer took over) matches no running
// timer. GUI thread only: the ticks arrive through the thread's message queue.
#include <cstdint>
#include "classlib/Component.h"
#include "classlib/Events.h"
#include "classlib/Win.h"

class TcxTimer : public TComponent {
  CL_CLASS(TcxTimer, TComponent)
public:
  // Enabled, Interval 1000 ms, no OnTimer yet: not running.
  explicit TcxTimer(TComponent* owner);
  // Stops the system timer first.
  ~TcxTimer() override;

  // Published. Changing Enabled restarts the timer.
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value);
  // Milliseconds. 0 and the current value are ignored; another value restarts the timer, so a
  // running timer counts the new interval from now.
  uint32_t Interval() const { return FInterval; }
  void SetInterval(uint32_t value);
  // Setting the handler restarts the timer: a timer without a handler never runs.
  const TNotifyEvent& OnTimer() const { return FOnTimer; }
  void SetOnTimer(const TNotifyEvent& value);

  // Whether its system timer is set now.
  bool Running() const { return FRunning; }
  // The system timer id of the current run on the shared window; 0 while not running.
  UINT_PTR TimerID() const { return FRunning ? FEventID : 0; }

protected:
  // Called on each tick; calls OnTimer with the timer as sender when it is set. Descendants
  // override it. The timer may be freed inside the call.
  virtual void RaiseOnTimer();
  // Sets the system timer when enabled, not running and a handler is set. When the system refuses
  // the timer, it stays stopped without an error and a later restart tries again.
  void StartSystemTimer();
  void StopSystemTimer();
  void RestartTimer();

private:
  friend class TcxTimerWindow;
  bool FEnabled = true;
  uint32_t FInterval = 1000;
  TNotifyEvent FOnTimer;
  bool FRunning = false;
  UINT_PTR FEventID = 0;
};

// The shared timer window, made with the first timer start; nullptr while there is none (and from
// the unit's shut-down on, when it is not made again).
HWND cxTimerWindowHandle();

// Where the timers set their system timer; tests put another function here to make the system
// refuse a timer.
using TcxSetTimerFunc = UINT_PTR(WINAPI*)(HWND window, UINT_PTR id, UINT elapse, TIMERPROC proc);
extern TcxSetTimerFunc cxSetTimerFunc;

// The unit's shut-down: every running timer stops for good, the window goes and is not made again.
void FinalizeTimers();
