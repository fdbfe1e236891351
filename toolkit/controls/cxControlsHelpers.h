#pragma once
// Small window, control, key and geometry functions that the whole toolkit calls.
#include <string>
#include <string_view>
#include "classlib/Controls.h"
#include "classlib/Forms.h"
#include "toolkit/base/cxControlsMnemonics.h"

// --- Windows and controls ---

// True when the control has a window; false for none or one being destroyed; true when it has a
// parent window or its parent can have one. A control without parent can have one only as a
// top-level form while the application's window exists.
bool CanHaveWindowHandle(TWinControl* control);
// Visual styles are on for the application (the library loaded, the application themed and a
// style active).
bool AreThemesEnabled();
bool IsChildStyleWindow(HWND wnd);
// parent is not 0 and wnd is parent or one of its descendants.
bool IsSameOrChildWindow(HWND parent, HWND wnd);
// Walking GetParent up from wnd reaches owner (false for a 0 owner).
bool IsWindowAncestorOf(HWND owner, HWND wnd);
// The window is enabled and, for a child window, every parent window too.
bool IsWindowAndParentsEnabled(HWND wnd);
bool IsControlWindowVisible(TWinControl* control);
// The class-library control of the window, else of its nearest parent that has one.
TWinControl* FindControlOfWindow(HWND wnd);
// The first component owned by owner that is of the class, else nullptr.
TComponent* FindComponentOfClass(TComponent* owner, TClass componentClass);
bool IsMDIChildForm(TCustomForm* form);
bool IsMDIParentForm(TCustomForm* form);
// Neither loading, reading nor being destroyed; for the chain, every parent neither.
bool IsComponentSettled(TComponent* component);
bool IsControlChainSettled(TControl* control);
// The cursor position; (-1, -1) when the system cannot tell it.
POINT ReadCursorPos();
// The rectangles of a window; empty (0, 0, 0, 0) when the system cannot tell them.
RECT ReadClientRect(HWND wnd);
RECT ReadWindowRect(HWND wnd);
// The window rectangle of the control's window; empty when it has none.
RECT ReadControlWindowRect(TWinControl* control);
POINT MapPointBetweenWindows(POINT p, HWND from, HWND to);
RECT MapRectBetweenWindows(const RECT& r, HWND from, HWND to);
// The deepest visible window under the screen point.
HWND FindDeepestWindowAtPoint(POINT p);
// Places wnd after the window after in the z-order without moving or sizing it, activating it only
// when asked.
void SetWindowZOrder(HWND wnd, HWND after, bool activate, UINT flags = 0);
// Makes the window translucent (alpha below 255) or opaque again. Does nothing where layered
// windows are not available.
void SetWindowAlphaBlend(HWND wnd, int alpha);
// SetLayeredWindowAttributes, bound by name from user32; tests empty it to cover its absence.
using TcxSetLayeredWindowAttributesFunc = BOOL(WINAPI*)(HWND wnd, COLORREF key, BYTE alpha, DWORD flags);
extern TcxSetLayeredWindowAttributesFunc cxSetLayeredWindowAttributes;
// The work area of the monitor nearest to p, read through cxDesktopWorkAreaFunc.
RECT GetDesktopWorkArea(POINT p);
// What the system reports for GetDesktopWorkArea; tests replace it to place windows against the
// work areas of several monitors.
using TcxDesktopWorkAreaFunc = RECT (*)(POINT p);
extern TcxDesktopWorkAreaFunc cxDesktopWorkAreaFunc;
// Moves r, without resizing it, into the work area of p: the right edge, then the bottom, then the
// left, then the top, so that the left and top edges win for a rectangle larger than the area.
void MakeRectVisibleOnDesktop(RECT& r, POINT p);
bool HasMonitorAtPoint(POINT p);
// The names of the owners and of the component joined with "." from the outermost named owner
// down; empty for none.
std::string GetComponentOwnerPath(TComponent* component);

// --- Shift state and keys ---

bool IsShiftStateEmpty(TShiftState shift);
// Only the left button; a double click is allowed only with allowDouble.
bool IsLeftButtonOnly(TShiftState shift, bool allowDouble);
// The MK_* flags of a shift state (ssAlt has none).
WPARAM ShiftStateToKeyFlags(TShiftState shift);
WORD TranslateVirtualKey(WORD key);
// The character the key gives with the current keyboard state, 0 unless it gives exactly one.
char VirtualKeyToChar(WORD key);
UINT GetDoubleClickInterval();
bool IsCtrlKeyDown();
bool IsTextChar(char ch);

enum class TcxNumberType { ntInteger, ntFloat, ntExponent };
// '+', '-' and digits; for floats also the locale's decimal separator; with an exponent also 'e'
// and 'E'.
bool IsCharValidForNumber(char ch, TcxNumberType numberType);
// Keys that give no character: control, navigation, system and IME keys.
bool IsNonCharacterKey(unsigned key);
// The drag threshold of the class library's mouse, in pixels.
constexpr int cxDragThreshold = 5;
// |x - start.x| and |y - start.y| are both below the drag threshold.
bool IsWithinDragDetectSquare(POINT start, int x, int y);
