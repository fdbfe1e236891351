#pragma once
// Window helpers that popups, bars and editors use around modal states: the first non-child
// ancestor of a window, whether a form is the active one, removal of queued messages, and
// disabling windows (every window of the process, or a caller's own) while a modal state runs.
#include <vector>
#include "classlib/Forms.h"

// The first window, from wnd upward through its parents, without WS_CHILD; 0 when none.
HWND FindNonChildAncestorWindow(HWND wnd);

// The form has a window and it is the active window; or it is the active MDI child of the main
// form while the main form's window is active; or (not being an MDI child) its first non-child
// ancestor window is the active window.
bool IsFormActive(TCustomForm* form);

// Removes queued messages of the window numbered min..max (max 0: min alone), only the first
// unless removeAll. A WM_QUIT met on the way is posted again (with its exit code) and ends the
// removal. Answers whether anything was removed.
bool RemovePendingMessages(HWND wnd, UINT min, UINT max = 0, bool removeAll = false);

// Windows disabled by one caller, to be enabled again by it (each caller keeps its own list).
using TcxWindowList = std::vector<HWND>;
// When wnd is enabled: disables it and appends it to the list.
void DisableAndRememberWindow(HWND wnd, TcxWindowList& list);
// Enables again every window of the list that still exists, and empties the list.
void ReenableWindows(TcxWindowList& list);

// Nested: the outermost call with needDisable disables every enabled top-level window of the
// process and remembers them; the matching outermost EnableProcessWindows enables those that
// still exist again. An EnableProcessWindows without a DisableProcessWindows changes nothing.
void DisableProcessWindows(bool needDisable = true);
void EnableProcessWindows();
// True while the windows are being disabled or enabled.
bool IsDisablingProcessWindows();
