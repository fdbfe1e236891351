#include "classlib/ThreadTimer.h"

#include <map>
#include "classlib/Exceptions.h"

struct TThreadTimer::TEntry {
  std::function<void()> OnTick;
  bool Running = false;  // the callback is running now
};

namespace {
// The timers of this thread by system id. An entry is held by the tick that runs it, so a timer
// killed inside its own tick stays whole until the tick ends.
std::map<UINT_PTR, std::shared_ptr<TThreadTimer::TEntry>>& Timers()
{
  thread_local std::map<UINT_PTR, std::shared_ptr<TThreadTimer::TEntry>> timers;
  return timers;
}

bool Tick(UINT_PTR id)
{
  auto it = Timers().find(id);
  if (it == Timers().end()) return false;
  const std::shared_ptr<TThreadTimer::TEntry> entry = it->second;
  if (entry->Running) return true;
  entry->Running = true;
  GuardCallback([&] { entry->OnTick(); });
  entry->Running = false;
  return true;
}

void CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD)
{
  // Only a timer still in the list is called: a tick queued before its timer was killed is not.
  GuardCallback([id] { Tick(id); });
}
}  // namespace

void TThreadTimer::Start(UINT interval, std::function<void()> onTick)
{
  Kill();
  auto entry = std::make_shared<TEntry>();
  entry->OnTick = std::move(onTick);
  const UINT_PTR id = SetTimer(nullptr, 0, interval, TimerProc);
  if (!id) RaiseLastOSError();
  Timers()[id] = std::move(entry);
  FID = id;
}

void TThreadTimer::Kill()
{
  const UINT_PTR id = std::exchange(FID, 0);
  if (!id) return;
  KillTimer(nullptr, id);
  Timers().erase(id);
}

bool FireThreadTimer(UINT_PTR id) { return id && Tick(id); }

int ThreadTimerCount() { return static_cast<int>(Timers().size()); }
