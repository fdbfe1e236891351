#pragma once
// Window, form and GDI routines of the bar system: lookups between components, controls, forms and
// windows (each answers nullptr or false for nothing and never raises), clip-region and window
// helpers, and the work area of the monitor at a point.
#include "classlib/Controls.h"
#include "classlib/Forms.h"
#include "classlib/Graphics.h"
#include "classlib/Win.h"
#include "toolkit/base/cxClasses.h"
#include "toolkit/base/cxGraphicsCanvas.h"
#include "toolkit/controls/cxContainerPopupWindow.h"

// --- Components, controls, forms ---

// The component itself or its nearest owner that is a windowed control.
TWinControl* FindWinControlOwner(TComponent* component);
// From the window up through its parents while each is a child window: the first parent that
// belongs to a class-library control.
TWinControl* FindHostControlOfChildWindow(HWND wnd);
// The class-library control of the window or of its nearest parent that has one.
TWinControl* FindClassLibraryControl(HWND wnd);

// Where the walk up from a control stops: at the top form only, at an MDI child form or the top,
// or at the first form.
enum class TdxParentFormKind { pfkTopForm, pfkMDIChildOrTop, pfkAnyForm };
// Walks up the control's windows: each class-library form met becomes the answer, until a window
// that is not a child window, or a form of the kind; nullptr for a control without a window.
TCustomForm* FindParentFormOfControl(TWinControl* control, TdxParentFormKind kind);
// The nearest form of the component's nearest windowed control.
TCustomForm* FormOfComponent(TComponent* component);
// The control when it is windowed, else its parent.
TWinControl* WinControlOf(TControl* control);
// With windows on both sides, the platform's child test; else whether control or one of its
// parents is container.
bool ControlContains(TWinControl* container, TControl* control);
// The custom popup window that hosts the control: the end of the walk up its parent windows when
// that is a TcxCustomPopupWindow other than the control itself; nullptr without a window or while
// the control is being destroyed.
TcxCustomPopupWindow* FindHostPopupWindow(TWinControl* control);
// The form of the active window when that window is enabled; for an MDI parent form, its active
// MDI child when it has one.
TCustomForm* GetActiveFormOrMDIChild();
// The form of the active window, if any, cancels its modes (capture, drags).
void CancelModeOfActiveForm();
// Activates the first window at or above wnd that is not a child window.
void ActivateTopLevelParent(HWND wnd);
// The window has the keyboard focus, or is a child window whose parent passes this test.
bool IsWindowInFocusChain(HWND wnd);
// parentWnd is an ancestor of wnd.
bool IsAncestorWindow(HWND wnd, HWND parentWnd);
// No window, or one of another process.
bool IsOtherProcessWindow(HWND wnd);
// An inherited form is comparing itself with its ancestor (loading an ancestor, not reading).
bool IsComparingWithAncestor(TComponent* component);

// The object the link refers to; nullptr for no link or an emptied one.
TObject* ObjectOfObjectLink(TcxObjectLink* link);
// Empties the variable first, then frees the link (nothing for none).
void ReleaseObjectLink(TcxObjectLink*& link);

// --- Clip regions ---

// A copy of the DC's clip region, or none when the DC has no clip region.
struct TdxSavedClipRegion {
  TRegionHandle Region;
  bool HadRegion = false;
};
TdxSavedClipRegion SaveCurrentClipRegion(HDC dc);
// Puts the saved clip region back (no clip region when there was none) and deletes the copy.
void RestoreSavedClipRegion(HDC dc, TdxSavedClipRegion& saved);
// The DC's clip region becomes its intersection with the rectangle.
void IntersectClipWithRect(HDC dc, const RECT& rect);
// The ring between the two rectangles leaves the canvas's clip region.
void ExcludeFrameFromClip(TcxCanvas* canvas, const RECT& frame, const RECT& content);

// --- Windows, timers, screen ---

// Kills the timer when id is not 0 and sets id to 0 when that succeeded; answers whether it did.
bool StopWindowTimer(HWND wnd, UINT_PTR& id);
// For a handle that is not 0: destroys the window when asked, then zeroes the handle.
void DestroyWindowAndClearHandle(HWND& wnd, bool destroy);
// WM_NCCALCSIZE of a bar window: the proposed client rect loses the borders (never below empty).
void DeflateProposedClientRect(NCCALCSIZE_PARAMS& params, const RECT& borders);
// The work area of the monitor nearest to the point.
RECT GetMonitorWorkAreaAt(POINT p);
void EnsureMinWidth(int& width, int minWidth);
// The nearest colour the screen shows.
COLORREF NearestScreenColor(TColor color);
// A new empty bitmap of the default pixel format that reports its changes to onChange.
TOwned<TBitmap> CreateBarBitmap(const TNotifyEvent& onChange);
