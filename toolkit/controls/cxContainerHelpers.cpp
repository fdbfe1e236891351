#include "toolkit/controls/cxContainerHelpers.h"

#include <utility>
#include <vector>
#include "classlib/Application.h"
#include "classlib/Exceptions.h"
#include "toolkit/controls/cxControlsHelpers.h"

HWND FindNonChildAncestorWindow(HWND wnd)
{
  while (wnd && (GetWindowLongPtrA(wnd, GWL_STYLE) & WS_CHILD)) wnd = GetParent(wnd);
  return wnd;
}

bool IsFormActive(TCustomForm* form)
{
  if (!form || !form->HandleAllocated()) return false;
  const HWND active = GetActiveWindow();
  const HWND wnd = form->Handle();
  if (wnd == active) return true;
  if (IsMDIChildForm(form)) {
    TCustomForm* mainForm = Application ? Application->MainForm() : nullptr;
    if (!mainForm || !mainForm->HandleAllocated() || mainForm->Handle() != active) return false;
    const HWND client = GetParent(wnd);
    return client && reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0)) == wnd;
  }
  return active && FindNonChildAncestorWindow(wnd) == active;
}

bool RemovePendingMessages(HWND wnd, UINT min, UINT max, bool removeAll)
{
  if (max == 0) max = min;
  bool removed = false;
  MSG msg;
  while (PeekMessageA(&msg, wnd, min, max, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // The application's own loop must still see it.
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    removed = true;
    if (!removeAll) break;
  }
  return removed;
}

void DisableAndRememberWindow(HWND wnd, TcxWindowList& list)
{
  if (!IsWindowEnabled(wnd)) return;
  EnableWindow(wnd, FALSE);
  list.push_back(wnd);
}

void ReenableWindows(TcxWindowList& list)
{
  // Emptied first: a window enabled again may start another round with the same list.
  const TcxWindowList windows = std::exchange(list, {});
  for (HWND wnd : windows)
    if (IsWindow(wnd)) EnableWindow(wnd, TRUE);
}

namespace {

struct TDisabledWindows {
  int Counter = 0;
  bool InProgress = false;
  TcxWindowList Windows;
};

TDisabledWindows& DisabledWindows()
{
  static TDisabledWindows state;
  return state;
}

BOOL CALLBACK DisableProcessWindow(HWND wnd, LPARAM)
{
  GuardCallback([wnd] {
    DWORD processId = 0;
    GetWindowThreadProcessId(wnd, &processId);
    if (processId == GetCurrentProcessId()) DisableAndRememberWindow(wnd, DisabledWindows().Windows);
  });
  return TRUE;
}

class TProgressFlag {
public:
  TProgressFlag() { DisabledWindows().InProgress = true; }
  ~TProgressFlag() { DisabledWindows().InProgress = false; }
  TProgressFlag(const TProgressFlag&) = delete;
  TProgressFlag& operator=(const TProgressFlag&) = delete;
};

}  // namespace

void DisableProcessWindows(bool needDisable)
{
  TDisabledWindows& state = DisabledWindows();
  if (++state.Counter == 1 && needDisable) {
    TProgressFlag flag;
    EnumWindows(DisableProcessWindow, 0);
  }
}

void EnableProcessWindows()
{
  TDisabledWindows& state = DisabledWindows();
  if (state.Counter == 0) return;
  if (--state.Counter == 0) {
    TProgressFlag flag;
    ReenableWindows(state.Windows);
  }
}

bool IsDisablingProcessWindows() { return DisabledWindows().InProgress; }
