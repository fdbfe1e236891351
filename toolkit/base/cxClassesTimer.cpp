#include "toolkit/base/cxClassesTimer.h"

#include <map>
#include "classlib/TypInfo.h"
#include "toolkit/base/cxClasses.h"
#include "toolkit/base/cxControlsMessageWindow.h"

TcxSetTimerFunc cxSetTimerFunc = ::SetTimer;

// The window on which every timer sets its system timer. A WM_TIMER reaches the timer whose current
// run has that id, and nobody when no running timer has it.
class TcxTimerWindow : public TcxMessageWindow {
  CL_CLASS(TcxTimerWindow, TcxMessageWindow)
public:
  // The running timers by the id of their current run.
  std::map<UINT_PTR, TcxTimer*> LiveTimers;

  // Stops every running timer (the window is going).
  void StopAll()
  {
    for (auto& [id, timer] : LiveTimers) {
      KillTimer(Handle(), id);
      timer->FRunning = false;
    }
    LiveTimers.clear();
  }

protected:
  void WndProc(TMessage& message) override
  {
    if (message.Msg != WM_TIMER) return TcxMessageWindow::WndProc(message);
    auto it = LiveTimers.find(message.WParam);
    if (it == LiveTimers.end()) return;
    // The timer may be freed, or this window's list changed, inside the call: the timer stays whole
    // until the call returns, and the list is not touched after it.
    TcxTimer* timer = it->second;
    TObjectCall call(timer);
    GuardCallback([timer] { timer->RaiseOnTimer(); });
  }
};

CL_DEFINE_CLASS(TcxTimerWindow);

namespace {
TUnitObject<TcxTimerWindow> GTimerWindow{UnitcxClasses};
// Ids are never used twice in the process; 0 stands for none.
UINT_PTR GLastEventID = 0;

TcxTimerWindow* TimerWindow() { return GTimerWindow.Get(); }
}  // namespace

HWND cxTimerWindowHandle() { return GTimerWindow.Peek() ? GTimerWindow.Peek()->Handle() : nullptr; }

void FinalizeTimers()
{
  if (TcxTimerWindow* window = GTimerWindow.Peek()) window->StopAll();
  GTimerWindow.Free();
}

// --- TcxTimer ---

namespace {
using TC = TcxTimer;
constexpr TPropInfo TimerProps[] = {
  BoolProp<&TC::Enabled, &TC::SetEnabled>("Enabled", true),
  IntProp<&TC::Interval, &TC::SetInterval>("Interval", 1000),
  EventProp<&TC::OnTimer, &TC::SetOnTimer>("OnTimer"),
};
}  // namespace

CL_DEFINE_CLASS(TcxTimer, .Props = TimerProps);

TcxTimer::TcxTimer(TComponent* owner) : TComponent(owner) {}

TcxTimer::~TcxTimer() { StopSystemTimer(); }

void TcxTimer::SetEnabled(bool value)
{
  SetAndNotify(FEnabled, value, [this] { RestartTimer(); });
}

void TcxTimer::SetInterval(uint32_t value)
{
  if (value == 0 || value == FInterval) return;
  FInterval = value;
  RestartTimer();
}

void TcxTimer::SetOnTimer(const TNotifyEvent& value)
{
  FOnTimer = value;
  RestartTimer();
}

void TcxTimer::RaiseOnTimer()
{
  if (FOnTimer) FOnTimer(this);
}

void TcxTimer::StartSystemTimer()
{
  if (!FEnabled || FRunning || !FOnTimer) return;
  TcxTimerWindow* window = TimerWindow();
  if (!window) return;
  UINT_PTR id = ++GLastEventID;
  if (!cxSetTimerFunc(window->Handle(), id, FInterval, nullptr)) return;
  FEventID = id;
  FRunning = true;
  window->LiveTimers[id] = this;
}

void TcxTimer::StopSystemTimer()
{
  if (!FRunning) return;
  FRunning = false;
  if (TcxTimerWindow* window = GTimerWindow.Peek()) {
    KillTimer(window->Handle(), FEventID);
    window->LiveTimers.erase(FEventID);
  }
}

void TcxTimer::RestartTimer()
{
  StopSystemTimer();
  StartSystemTimer();
}
