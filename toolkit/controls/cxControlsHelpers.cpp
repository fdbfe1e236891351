#include "toolkit/controls/cxControlsHelpers.h"

#include <cstdlib>
#include "classlib/Application.h"
#include "classlib/Forms.h"
#include "classlib/SysUtils.h"
#include "toolkit/base/dxUxTheme.h"

// --- Windows and controls ---

bool CanHaveWindowHandle(TWinControl* control)
{
  if (!control || control->IsDestroying()) return false;
  if (control->HandleAllocated()) return true;
  if (control->ParentWindow()) return true;
  if (TWinControl* parent = control->Parent()) return CanHaveWindowHandle(parent);
  return control->Is<TCustomForm>() && Application && Application->Handle();
}

bool AreThemesEnabled()
{
  const auto& entries = dxUxThemeEntryPoints;
  return IsUxThemeLoaded() && entries.IsAppThemed && entries.IsAppThemed() && dxUxTheme::IsThemeActive();
}

bool IsChildStyleWindow(HWND wnd) { return (GetWindowLongPtrA(wnd, GWL_STYLE) & WS_CHILD) != 0; }

bool IsSameOrChildWindow(HWND parent, HWND wnd) { return parent && (wnd == parent || IsChild(parent, wnd)); }

bool IsWindowAncestorOf(HWND owner, HWND wnd)
{
  if (!owner) return false;
  for (HWND w = wnd; w; w = GetParent(w))
    if (w == owner) return true;
  return false;
}

bool IsWindowAndParentsEnabled(HWND wnd)
{
  if (!IsWindowEnabled(wnd)) return false;
  for (HWND w = wnd; IsChildStyleWindow(w);) {
    w = GetParent(w);
    if (!w) break;
    if (!IsWindowEnabled(w)) return false;
  }
  return true;
}

bool IsControlWindowVisible(TWinControl* control)
{
  return control && control->HandleAllocated() && IsWindowVisible(control->Handle());
}

TWinControl* FindControlOfWindow(HWND wnd)
{
  for (HWND w = wnd; w; w = GetAncestor(w, GA_PARENT))
    if (TWinControl* control = FindControl(w)) return control;
  return nullptr;
}

TComponent* FindComponentOfClass(TComponent* owner, TClass componentClass)
{
  if (!owner) return nullptr;
  for (int i = 0; i < owner->ComponentCount(); ++i)
    if (owner->Components(i)->InheritsFrom(componentClass)) return owner->Components(i);
  return nullptr;
}

bool IsMDIChildForm(TCustomForm* form)
{
  return form && !form->IsDesigning() && form->FormStyle() == TFormStyle::fsMDIChild;
}

bool IsMDIParentForm(TCustomForm* form)
{
  return form && !form->IsDesigning() && form->FormStyle() == TFormStyle::fsMDIForm;
}

bool IsComponentSettled(TComponent* component)
{
  TComponentState state = component->ComponentState();
  return !state.Contains(TComponentStateFlag::csLoading) && !state.Contains(TComponentStateFlag::csReading) &&
         !state.Contains(TComponentStateFlag::csDestroying);
}

bool IsControlChainSettled(TControl* control)
{
  for (TControl* c = control; c; c = c->Parent())
    if (!IsComponentSettled(c)) return false;
  return true;
}

POINT ReadCursorPos()
{
  POINT p;
  if (!GetCursorPos(&p)) return POINT{-1, -1};
  return p;
}

RECT ReadClientRect(HWND wnd)
{
  RECT r;
  if (!GetClientRect(wnd, &r)) return RECT{};
  return r;
}

RECT ReadWindowRect(HWND wnd)
{
  RECT r;
  if (!GetWindowRect(wnd, &r)) return RECT{};
  return r;
}

RECT ReadControlWindowRect(TWinControl* control)
{
  if (!control || !control->HandleAllocated()) return RECT{};
  return ReadWindowRect(control->Handle());
}

POINT MapPointBetweenWindows(POINT p, HWND from, HWND to)
{
  MapWindowPoints(from, to, &p, 1);
  return p;
}

RECT MapRectBetweenWindows(const RECT& r, HWND from, HWND to)
{
  // Corner by corner: a right-to-left window would otherwise swap the horizontal edges.
  POINT corners[2] = {{r.left, r.top}, {r.right, r.bottom}};
  MapWindowPoints(from, to, &corners[0], 1);
  MapWindowPoints(from, to, &corners[1], 1);
  return RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

HWND FindDeepestWindowAtPoint(POINT p)
{
  HWND wnd = WindowFromPoint(p);
  while (wnd) {
    POINT client = p;
    ScreenToClient(wnd, &client);
    HWND child = ChildWindowFromPointEx(wnd, client, CWP_SKIPINVISIBLE);
    if (!child || child == wnd) break;
    wnd = child;
  }
  return wnd;
}

void SetWindowZOrder(HWND wnd, HWND after, bool activate, UINT flags)
{
  flags |= SWP_NOMOVE | SWP_NOSIZE;
  if (!activate) flags |= SWP_NOACTIVATE;
  SetWindowPos(wnd, after, 0, 0, 0, 0, flags);
}

TcxSetLayeredWindowAttributesFunc cxSetLayeredWindowAttributes = SetLayeredWindowAttributes;

void SetWindowAlphaBlend(HWND wnd, int alpha)
{
  if (!cxSetLayeredWindowAttributes) return;
  LONG_PTR exStyle = GetWindowLongPtrA(wnd, GWL_EXSTYLE);
  if (alpha < 255) {
    if (!(exStyle & WS_EX_LAYERED)) SetWindowLongPtrA(wnd, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    cxSetLayeredWindowAttributes(wnd, 0, static_cast<BYTE>(alpha < 0 ? 0 : alpha), LWA_ALPHA);
  } else if (exStyle & WS_EX_LAYERED) {
    SetWindowLongPtrA(wnd, GWL_EXSTYLE, exStyle & ~WS_EX_LAYERED);
    RedrawWindow(wnd, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
  }
}

// What the class library reads, unless a test replaces it here.
TcxDesktopWorkAreaFunc cxDesktopWorkAreaFunc = MonitorWorkArea;

RECT GetDesktopWorkArea(POINT p) { return cxDesktopWorkAreaFunc(p); }

void MakeRectVisibleOnDesktop(RECT& r, POINT p)
{
  RECT area = GetDesktopWorkArea(p);
  if (r.right > area.right) OffsetRect(&r, area.right - r.right, 0);
  if (r.bottom > area.bottom) OffsetRect(&r, 0, area.bottom - r.bottom);
  if (r.left < area.left) OffsetRect(&r, area.left - r.left, 0);
  if (r.top < area.top) OffsetRect(&r, 0, area.top - r.top);
}

bool HasMonitorAtPoint(POINT p)
{
  if (MonitorFromPoint(p, MONITOR_DEFAULTTONEAREST)) return true;
  if (TWinControl* control = FindControlOfWindow(WindowFromPoint(p)))
    if (TCustomForm* form =
            control->Is<TCustomForm>() ? static_cast<TCustomForm*>(control) : control->GetParentForm())
      if (form->HandleAllocated() && MonitorFromWindow(form->Handle(), MONITOR_DEFAULTTONULL)) return true;
  HWND mainForm = Application ? Application->MainFormHandle() : nullptr;
  return mainForm && MonitorFromWindow(mainForm, MONITOR_DEFAULTTONULL);
}

std::string GetComponentOwnerPath(TComponent* component)
{
  if (!component) return {};
  std::string path = component->Name();
  for (TComponent* owner = component->Owner(); owner; owner = owner->Owner())
    if (!owner->Name().empty()) path = owner->Name() + "." + path;
  return path;
}

// --- Shift state and keys ---

bool IsShiftStateEmpty(TShiftState shift) { return shift.Empty(); }

bool IsLeftButtonOnly(TShiftState shift, bool allowDouble)
{
  if (allowDouble) shift.Exclude(ssDouble);
  return shift == TShiftState{ssLeft};
}

WPARAM ShiftStateToKeyFlags(TShiftState shift)
{
  WPARAM flags = 0;
  if (shift.Contains(ssShift)) flags |= MK_SHIFT;
  if (shift.Contains(ssCtrl)) flags |= MK_CONTROL;
  if (shift.Contains(ssLeft)) flags |= MK_LBUTTON;
  if (shift.Contains(ssRight)) flags |= MK_RBUTTON;
  if (shift.Contains(ssMiddle)) flags |= MK_MBUTTON;
  return flags;
}

WORD TranslateVirtualKey(WORD key) { return key; }

char VirtualKeyToChar(WORD key)
{
  BYTE state[256];
  if (!GetKeyboardState(state)) return 0;
  WORD chars[2] = {};
  if (ToAscii(key, MapVirtualKeyA(key, MAPVK_VK_TO_VSC), state, chars, 0) != 1) return 0;
  return static_cast<char>(chars[0] & 0xFF);
}

UINT GetDoubleClickInterval() { return GetDoubleClickTime(); }

bool IsCtrlKeyDown() { return GetAsyncKeyState(VK_CONTROL) < 0; }

bool IsTextChar(char ch) { return static_cast<unsigned char>(ch) >= 32; }

bool IsCharValidForNumber(char ch, TcxNumberType numberType)
{
  if (ch == '+' || ch == '-' || (ch >= '0' && ch <= '9')) return true;
  if (numberType != TcxNumberType::ntInteger && ch == FormatSettings().DecimalSeparator) return true;
  return numberType == TcxNumberType::ntExponent && (ch == 'e' || ch == 'E');
}

bool IsNonCharacterKey(unsigned key)
{
  return key == 3 || key == 8 || key == 9 || key == 12 || key == 13 || (key >= 16 && key <= 20) ||
         key == 27 || (key >= 33 && key <= 47) || (key >= 91 && key <= 145) || (key >= 160 && key <= 165) ||
         key == 229 || (key >= 246 && key <= 254);
}

bool IsWithinDragDetectSquare(POINT start, int x, int y)
{
  return std::abs(x - start.x) < cxDragThreshold && std::abs(y - start.y) < cxDragThreshold;
}

