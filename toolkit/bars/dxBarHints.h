#pragma once
// The hints of bar items: one hint window for every manager, shown after the show pause, hidden
// after the hide pause, and at once while another hint shows or during the 400 ms quick-switch
// time after one was hidden by moving onto something without a hint.
#include <windows.h>

class TdxBarManager;
class THintWindow;

// The quick-switch time after a hint was hidden.
constexpr UINT dxBarHintQuickSwitchTime = 400;

// The shared hint window; nullptr before the first hint or after the last manager went.
THintWindow* GetBarHintWindow();
// Called when a manager goes: its running show or hide timer stops; the last one frees the window.
void ReleaseBarHints(TdxBarManager* manager, bool lastManager);

// For tests, which fire the timers through the thread timer's test hook: the running show-or-hide
// timer's id (0 for none), whether it is the hide timer, and the quick-switch timer's id.
UINT_PTR GetBarHintTimerID();
bool IsBarHintHideTimer();
UINT_PTR GetBarHintQuickSwitchTimerID();
bool IsBarHintQuickSwitchOpen();
bool IsBarHintShowing();
