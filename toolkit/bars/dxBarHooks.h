#pragma once
// The state the bar system's thread hooks keep between calls, and what other parts of the bar
// system read or set of it.
#include <windows.h>

class TdxBarNavigationController;

// A toolbar holds one of its caption buttons with the mouse: every key is swallowed meanwhile.
bool IsBarCaptionButtonHeld();
void SetBarCaptionButtonHeld(bool value);

// The application is active (from WM_ACTIVATEAPP); another application is being activated (from
// WM_ACTIVATE, until the WM_ACTIVATEAPP that follows).
bool IsBarApplicationActive();
bool IsOtherApplicationActivating();

// The navigation controller the hooks drive: the unit's, unless a test set its own here.
extern TdxBarNavigationController* dxBarHookNavigationController;
TdxBarNavigationController* GetHookNavigationController();

// Forgets the taken key and the pending flags (tests start from a clean state with it).
void ResetBarHookState();
