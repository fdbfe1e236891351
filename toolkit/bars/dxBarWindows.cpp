#include "toolkit/bars/dxBarWindows.h"

#include <algorithm>
#include <utility>
#include "classlib/Application.h"
#include "toolkit/base/cxGraphicsFunctions.h"
#include "toolkit/base/cxGraphicsRegion.h"
#include "toolkit/controls/cxContainerHelpers.h"
#include "toolkit/controls/cxContainerPopupWindow.h"
#include "toolkit/controls/cxControlsHelpers.h"

namespace {
TCustomForm* FormOfWindow(HWND wnd) { return dynamic_cast<TCustomForm*>(FindControl(wnd)); }

bool IsBeingDestroyed(TComponent* component)
{
  return component->ComponentState().Contains(TComponentStateFlag::csDestroying);
}
}  // namespace

// --- Components, controls, forms ---

TWinControl* FindWinControlOwner(TComponent* component)
{
  for (; component; component = component->Owner())
    if (auto* control = dynamic_cast<TWinControl*>(component)) return control;
  return nullptr;
}

TWinControl* FindHostControlOfChildWindow(HWND wnd)
{
  while (wnd && IsWindow(wnd) && IsChildStyleWindow(wnd)) {
    wnd = GetParent(wnd);
    if (TWinControl* control = FindControl(wnd)) return control;
  }
  return nullptr;
}

TWinControl* FindClassLibraryControl(HWND wnd) { return wnd ? FindControlOfWindow(wnd) : nullptr; }

TCustomForm* FindParentFormOfControl(TWinControl* control, TdxParentFormKind kind)
{
  if (!control || !control->HandleAllocated()) return nullptr;
  TCustomForm* result = nullptr;
  for (HWND wnd = control->Handle(); wnd; wnd = GetParent(wnd)) {
    if (TCustomForm* form = FormOfWindow(wnd)) {
      result = form;
      if (kind == TdxParentFormKind::pfkAnyForm || (kind == TdxParentFormKind::pfkMDIChildOrTop && IsMDIChildForm(form)))
        break;
    }
    if (!IsChildStyleWindow(wnd)) break;
  }
  return result;
}

TCustomForm* FormOfComponent(TComponent* component)
{
  return FindParentFormOfControl(FindWinControlOwner(component), TdxParentFormKind::pfkAnyForm);
}

TWinControl* WinControlOf(TControl* control)
{
  if (!control) return nullptr;
  if (auto* windowed = dynamic_cast<TWinControl*>(control)) return windowed;
  return control->Parent();
}

bool ControlContains(TWinControl* container, TControl* control)
{
  if (!container || !control) return false;
  TWinControl* windowed = WinControlOf(control);
  if (container->HandleAllocated() && windowed && windowed->HandleAllocated())
    return IsChild(container->Handle(), windowed->Handle()) != FALSE;
  for (TControl* c = control; c; c = c->Parent())
    if (c == container) return true;
  return false;
}

TcxCustomPopupWindow* FindHostPopupWindow(TWinControl* control)
{
  if (!control || !control->HandleAllocated() || IsBeingDestroyed(control)) return nullptr;
  HWND wnd = control->Handle();
  while (IsChildStyleWindow(wnd))
    if (HWND parent = GetParent(wnd))
      wnd = parent;
    else
      break;
  if (wnd == control->Handle()) return nullptr;
  return dynamic_cast<TcxCustomPopupWindow*>(FindControl(wnd));
}

TCustomForm* GetActiveFormOrMDIChild()
{
  const HWND active = GetActiveWindow();
  if (!active || !IsWindowEnabled(active)) return nullptr;
  TCustomForm* form = FormOfWindow(active);
  if (IsMDIParentForm(form))
    if (TCustomForm* child = form->ActiveMDIChild()) return child;
  return form;
}

void CancelModeOfActiveForm()
{
  if (TCustomForm* form = FormOfWindow(GetActiveWindow())) form->Perform(CM_CANCELMODE);
}

void ActivateTopLevelParent(HWND wnd)
{
  if (HWND top = FindNonChildAncestorWindow(wnd)) SetActiveWindow(top);
}

bool IsWindowInFocusChain(HWND wnd)
{
  const HWND focus = GetFocus();
  for (; wnd; wnd = GetParent(wnd)) {
    if (wnd == focus) return true;
    if (!IsChildStyleWindow(wnd)) break;
  }
  return false;
}

bool IsAncestorWindow(HWND wnd, HWND parentWnd) { return IsWindowAncestorOf(parentWnd, wnd); }

bool IsOtherProcessWindow(HWND wnd)
{
  DWORD process = 0;
  return !wnd || !GetWindowThreadProcessId(wnd, &process) || process != GetCurrentProcessId();
}

bool IsComparingWithAncestor(TComponent* component)
{
  if (!component) return false;
  const TComponentState state = component->ComponentState();
  return state.Contains(TComponentStateFlag::csLoading) && state.Contains(TComponentStateFlag::csAncestor) &&
         !state.Contains(TComponentStateFlag::csReading);
}

TObject* ObjectOfObjectLink(TcxObjectLink* link) { return link ? link->Ref() : nullptr; }

void ReleaseObjectLink(TcxObjectLink*& link)
{
  TcxObjectLink* released = std::exchange(link, nullptr);
  FreeObjectLink(released);
}

// --- Clip regions ---

TdxSavedClipRegion SaveCurrentClipRegion(HDC dc)
{
  TdxSavedClipRegion saved;
  saved.Region.Reset(CreateRectRgn(0, 0, 0, 0));
  saved.HadRegion = GetClipRgn(dc, saved.Region.Get()) == 1;
  return saved;
}

void RestoreSavedClipRegion(HDC dc, TdxSavedClipRegion& saved)
{
  SelectClipRgn(dc, saved.HadRegion ? saved.Region.Get() : nullptr);
  saved.Region.Reset();
  saved.HadRegion = false;
}

void IntersectClipWithRect(HDC dc, const RECT& rect)
{
  TRegionHandle region(CreateRectRgnIndirect(&rect));
  ExtSelectClipRgn(dc, region.Get(), RGN_AND);
}

void ExcludeFrameFromClip(TcxCanvas* canvas, const RECT& frame, const RECT& content)
{
  auto ring = MakeOwned<TcxRegion>(frame);
  ring->CombineWith(MakeOwned<TcxRegion>(content), roSubtract);
  canvas->ApplyClipRegion(std::move(ring), roSubtract);
}

// --- Windows, timers, screen ---

bool StopWindowTimer(HWND wnd, UINT_PTR& id)
{
  if (id == 0 || !KillTimer(wnd, id)) return false;
  id = 0;
  return true;
}

void DestroyWindowAndClearHandle(HWND& wnd, bool destroy)
{
  if (!wnd) return;
  if (destroy) DestroyWindow(wnd);
  wnd = nullptr;
}

void DeflateProposedClientRect(NCCALCSIZE_PARAMS& params, const RECT& borders)
{
  RECT& r = params.rgrc[0];
  r.left += borders.left;
  r.top += borders.top;
  r.right = std::max(r.left, r.right - borders.right);
  r.bottom = std::max(r.top, r.bottom - borders.bottom);
}

RECT GetMonitorWorkAreaAt(POINT p) { return GetDesktopWorkArea(p); }

void EnsureMinWidth(int& width, int minWidth) { width = std::max(width, minWidth); }

COLORREF NearestScreenColor(TColor color)
{
  TScreenDC dc;
  return GetNearestColor(dc, ColorToRGB(color));
}

TOwned<TBitmap> CreateBarBitmap(const TNotifyEvent& onChange)
{
  TOwned<TBitmap> bitmap = NewBitmapWithFormat(0, 0);
  bitmap->SetOnChange(onChange);
  return bitmap;
}
