#include "tests/support/MessagePump.h"

#include "classlib/Application.h"
#include "classlib/Thread.h"

void HandleWaitingMessages(TPumpWork work)
{
  // Through the application when there is one, so that keys go the way its loop sends them.
  if (Application) {
    Application->ProcessMessages();
  } else {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  CheckSynchronize(0);
  if (work == TPumpWork::MessagesAndIdle && Application) Application->DoApplicationIdle();
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMs, TPumpWork work)
{
  DWORD start = GetTickCount();
  for (;;) {
    HandleWaitingMessages(work);
    if (done()) return true;
    if (static_cast<int>(GetTickCount() - start) > timeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

void Pump(int ms, TPumpWork work)
{
  PumpUntil([] { return false; }, ms, work);
}

bool HandleOneMessage()
{
  MSG msg;
  if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return CheckSynchronize(5);
  if (Application) {
    Application->HandleLoopMessage(msg);
  } else if (msg.message == WM_QUIT) {
    PostQuitMessage(static_cast<int>(msg.wParam));
  } else {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return true;
}

bool StepUntil(const std::function<bool()>& done, int timeoutMs)
{
  const DWORD start = GetTickCount();
  while (!done()) {
    if (static_cast<int>(GetTickCount() - start) > timeoutMs) return false;
    HandleOneMessage();
  }
  return true;
}

bool WaitWithoutPumping(const std::function<bool()>& done, int timeoutMs)
{
  const DWORD start = GetTickCount();
  while (!done()) {
    if (static_cast<int>(GetTickCount() - start) > timeoutMs) return false;
    Sleep(1);
  }
  return true;
}

namespace {
struct TBroadcast {
  UINT Msg;
  WPARAM WParam;
  LPARAM LParam;
  int Reached;
};

BOOL CALLBACK SendToOwnWindow(HWND wnd, LPARAM data)
{
  auto* broadcast = reinterpret_cast<TBroadcast*>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(wnd, &process);
  if (process == GetCurrentProcessId()) {
    SendMessageA(wnd, broadcast->Msg, broadcast->WParam, broadcast->LParam);
    ++broadcast->Reached;
  }
  return TRUE;
}
}  // namespace

int BroadcastToOwnWindows(UINT msg, WPARAM wParam, LPARAM lParam)
{
  TBroadcast broadcast{msg, wParam, lParam, 0};
  EnumWindows(SendToOwnWindow, reinterpret_cast<LPARAM>(&broadcast));
  return broadcast.Reached;
}

bool MoveCursorTo(POINT screen)
{
  auto there = [&] {
    POINT at{};
    return GetCursorPos(&at) && at.x == screen.x && at.y == screen.y;
  };
  // Each warp may be followed by a late report of where the cursor was: every new attempt waits
  // longer for such reports to pass before it looks again.
  for (int attempt = 1; attempt <= 8; ++attempt) {
    SetCursorPos(screen.x, screen.y);
    Pump(60 * attempt);
    if (!there()) continue;
    Pump(60 * attempt);
    if (there()) return true;
  }
  return false;
}
