// The manager's answers to the messages of its owner window: activation (floating toolbars hidden
// while the form is inactive, open menus closed), system changes, the work area, cancel mode and the
// help key.
#include "classlib/Application.h"
#include "classlib/Forms.h"
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarControl.h"
#include "toolkit/bars/dxBarItem.h"
#include "toolkit/bars/dxBarItemControl.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarManagerList.h"
#include "toolkit/bars/dxBarNavigation.h"
#include "toolkit/bars/dxBarHooks.h"
#include "toolkit/bars/dxBarToolbar.h"
#include "toolkit/bars/dxBarUnit.h"
#include "toolkit/bars/dxBarWindows.h"
#include "toolkit/controls/cxContainerHelpers.h"
#include "toolkit/controls/cxControlsHelpers.h"

namespace {
TdxBarControl* FloatingToolbarOf(TdxBar* bar)
{
  return bar->IsFloating() ? bar->GetBarControl() : nullptr;
}

// The floating bars' windows: a visible bar's toolbar shows again, or every one is dismissed.
void ShowFloatingToolbars(TdxBarManager* manager)
{
  for (int i = 0; i < manager->Bars()->Count(); ++i)
    if (TdxBarControl* toolbar = FloatingToolbarOf(manager->Bars()->Items(i)))
      if (manager->Bars()->Items(i)->Visible() && toolbar->HandleAllocated() && !IsWindowVisible(toolbar->Handle()))
        ShowWindow(toolbar->Handle(), SW_SHOWNOACTIVATE);
}

void DismissFloatingToolbars(TdxBarManager* manager)
{
  for (int i = 0; i < manager->Bars()->Count(); ++i)
    if (TdxBarControl* toolbar = FloatingToolbarOf(manager->Bars()->Items(i)))
      if (toolbar->HandleAllocated() && IsWindowVisible(toolbar->Handle())) ShowWindow(toolbar->Handle(), SW_HIDE);
}

void RefreshFloatingFrames(TdxBarManager* manager)
{
  for (int i = 0; i < manager->Bars()->Count(); ++i)
    if (TdxBarControl* toolbar = FloatingToolbarOf(manager->Bars()->Items(i)))
      if (toolbar->HandleAllocated())
        SetWindowPos(toolbar->Handle(), nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

HWND TopFormHandle(TdxBarManager* manager)
{
  TCustomForm* form = GetManagerFormOfKind(manager, TdxParentFormKind::pfkTopForm);
  return form && form->HandleAllocated() ? form->Handle() : nullptr;
}

// A rectangle moved inside the area, its top-left corner winning when it is larger.
RECT MoveInside(RECT r, const RECT& area)
{
  if (r.bottom > area.bottom) OffsetRect(&r, 0, area.bottom - r.bottom);
  if (r.top < area.top) OffsetRect(&r, 0, area.top - r.top);
  if (r.right > area.right) OffsetRect(&r, area.right - r.right, 0);
  if (r.left < area.left) OffsetRect(&r, area.left - r.left, 0);
  return r;
}
}  // namespace

void TdxBarManager::OwnerWindowMessage(HWND wnd, UINT msg, LPARAM lParam, WPARAM wParam)
{
  TWinControl* owner = GetOwnerControl();
  if (!owner) return;
  if (owner->ComponentState().Contains(TComponentStateFlag::csDestroying)) {
    // Only the owner's destruction saves the layout; a window made again does not.
    if (msg == WM_DESTROY && !IsDesigning()) SaveLayoutToStores();
    return;
  }
  if (!Bars()) return;
  switch (msg) {
    case WM_ACTIVATE:
      HandleActivate(LOWORD(wParam), HIWORD(wParam) != 0, reinterpret_cast<HWND>(lParam), wnd);
      break;
    case WM_SYSCOLORCHANGE:
      ReadScreenColorDepth();
      CreateCheckerBrush();
      RefreshStyleResources();
      RefreshFloatingFrames(this);
      break;
    case WM_SETTINGCHANGE:
      if (wParam == SPI_SETNONCLIENTMETRICS) UpdateFontFromSystem();
      if (wParam == SPI_SETWORKAREA) KeepFloatingBarsOnWorkArea();
      break;
    case WM_ACTIVATEAPP: HandleActivateApp(wParam != 0); break;
    case WM_CHILDACTIVATE: SetActive(true, false, nullptr); break;
    case WM_WINDOWPOSCHANGING:
      if (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_HIDEWINDOW) SetActive(false, true, nullptr);
      break;
    case WM_WINDOWPOSCHANGED:
      if (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_SHOWWINDOW) {
        TCustomForm* form = GetManagerFormOfKind(this, TdxParentFormKind::pfkMDIChildOrTop);
        if (!form || form->FormStyle() != TFormStyle::fsMDIChild) SetActive(true, true, nullptr);
      }
      break;
    case WM_MDIACTIVATE: SetActive(reinterpret_cast<HWND>(lParam) == wnd, false, nullptr); break;
    case WM_CANCELMODE: HandleCancelMode(); break;
    case WM_CREATE: HandleOwnerCreate(); break;
    case WM_HELP:
      if (!IsDesigning() && reinterpret_cast<const HELPINFO*>(lParam)->iContextType == HELPINFO_WINDOW)
        HandleHelpMessage(wnd, reinterpret_cast<const HELPINFO*>(lParam));
      break;
    case WM_DISPLAYCHANGE: KeepFloatingBarsOnWorkArea(); break;
    default: break;
  }
}

void TdxBarManager::SetActive(bool active, bool force, HWND wnd)
{
  if (!force && active == FOwnerActive) return;
  FOwnerActive = active;
  ActiveChanged(active, force, wnd);
}

void TdxBarManager::ActiveChanged(bool active, bool force, HWND wnd)
{
  if (FInActiveChanged) return;
  FInActiveChanged = true;
  struct TReset {
    bool& Flag;
    ~TReset() { Flag = false; }
  } reset{FInActiveChanged};
  const bool hides = HideFloatingBarsWhenInactive() || force;
  if (!hides) RefreshFloatingFrames(this);
  if (active) {
    TCustomForm* form = GetManagerFormOfKind(this, TdxParentFormKind::pfkMDIChildOrTop);
    if (IsOwnerShownNormally() || (form && form->FormStyle() == TFormStyle::fsMDIChild)) ShowFloatingToolbars(this);
    return;
  }
  HWND top = TopFormHandle(this);
  if (wnd && top && GetParent(wnd) == top) return;
  TCustomdxBarControl* open = GetActiveBarControl();
  if (open && open->BarManager() == this && open->ClosesOnDeactivate(wnd)) open->CloseUp(TdxBarCloseReason::ClickElsewhere);
  if (TdxBarNavigationController* navigation = GetHookNavigationController()) navigation->EndKeyboardMode();
  if (!hides) return;
  // A popup of this application (not a form) leaves the floating bars where they are.
  if (wnd && !IsOtherProcessWindow(wnd) && (!Application || wnd != Application->Handle()) &&
      !dynamic_cast<TCustomForm*>(FindClassLibraryControl(wnd)))
    return;
  DismissFloatingToolbars(this);
  if (!force)
    if (TCustomForm* form = GetManagerFormOfKind(this, TdxParentFormKind::pfkAnyForm))
      if (form->HandleAllocated()) SendMessageA(form->Handle(), WM_NCACTIVATE, FALSE, 0);
}

void TdxBarManager::HandleActivate(WORD state, bool, HWND otherWnd, HWND)
{
  TCustomForm* form = GetManagerFormOfKind(this, TdxParentFormKind::pfkMDIChildOrTop);
  if (form && form->FormStyle() == TFormStyle::fsMDIChild && Application && Application->MainForm() &&
      Application->MainForm()->ActiveMDIChild() != form)
    return;
  const bool activating = state != WA_INACTIVE;
  auto* otherBar = dynamic_cast<TCustomdxBarControl*>(FindClassLibraryControl(otherWnd));
  HWND top = TopFormHandle(this);
  if (!activating && otherBar && otherBar->BarManager() &&
      GetManagerFormOfKind(otherBar->BarManager(), TdxParentFormKind::pfkTopForm) ==
          GetManagerFormOfKind(this, TdxParentFormKind::pfkTopForm))
    return;  // the activation moves to one of our own toolbars
  if (TCustomdxBarControl* open = GetActiveBarControl())
    if (TdxBarItemControl* selected = open->GetSelectedItemControl())
      if (otherWnd && selected->IsWindowed() && open->OwnsWindow(otherWnd)) return;
  const bool disabledTop = top && !IsWindowEnabled(top);
  SetActive(activating || (otherWnd && otherWnd == top) || (FOwnerActive && disabledTop && !IsDesigning()), false,
            otherWnd);
}

void TdxBarManager::HandleActivateApp(bool active)
{
  if (FInCancelMode) return;
  if (!active) {
    HWND top = TopFormHandle(this);
    if (FOwnerActive && top && !IsWindowEnabled(top)) FWasActiveBeforeDeactivation = true;
    SetActive(false, false, nullptr);
    TCustomdxBarControl* open = GetActiveBarControl();
    if (open && open->BarManager() == this) open->CloseUp(TdxBarCloseReason::ClickElsewhere);
  } else if (FWasActiveBeforeDeactivation) {
    SetActive(true, false, nullptr);
    FWasActiveBeforeDeactivation = false;
  }
}

void TdxBarManager::HandleCancelMode()
{
  if (TdxBarNavigationController* navigation = GetHookNavigationController()) navigation->StopKeyTipsWaiting(false);
  if (FInCancelMode) return;
  FInCancelMode = true;
  TCustomdxBarControl* open = GetActiveBarControl();
  if (open && open->BarManager() == this && open->IsPopup()) open->CloseUp(TdxBarCloseReason::ClickElsewhere);
  FInCancelMode = false;
}

bool TdxBarManager::IsOwnerShownNormally() const
{
  TWinControl* owner = GetOwnerControl();
  if (!owner || !owner->HandleAllocated() || !IsWindowVisible(owner->Handle())) return false;
  for (HWND w = owner->Handle(); w; w = IsChildStyleWindow(w) ? GetParent(w) : nullptr)
    if (IsIconic(w)) return false;
  return true;
}

void TdxBarManager::KeepFloatingBarsOnWorkArea()
{
  TWinControl* owner = GetOwnerControl();
  if (!owner) return;
  RECT bounds = owner->BoundsRect();
  if (owner->HandleAllocated()) GetWindowRect(owner->Handle(), &bounds);
  const RECT area = GetMonitorWorkAreaAt(
      POINT{bounds.left + (bounds.right - bounds.left) / 2, bounds.top + (bounds.bottom - bounds.top) / 2});
  for (int i = 0; i < Bars()->Count(); ++i) {
    TdxBar* bar = Bars()->Items(i);
    if (bar->DockingStyle() != TdxBarDockingStyle::dsNone) continue;
    TdxBarControl* toolbar = bar->GetBarControl();
    if (toolbar && toolbar->HandleAllocated()) {
      RECT r{};
      GetWindowRect(toolbar->Handle(), &r);
      const RECT moved = MoveInside(r, area);
      if (!EqualRect(&r, &moved))
        SetWindowPos(toolbar->Handle(), nullptr, moved.left, moved.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      continue;
    }
    const RECT r{bar->FloatLeft(), bar->FloatTop(), bar->FloatLeft() + bar->FloatClientWidth(),
                 bar->FloatTop() + bar->FloatClientHeight()};
    const RECT moved = MoveInside(r, area);
    if (moved.left != r.left) bar->SetFloatLeft(moved.left);
    if (moved.top != r.top) bar->SetFloatTop(moved.top);
  }
}

void TdxBarManager::DisableFloatingBars()
{
  for (int i = 0; i < Bars()->Count(); ++i)
    if (TdxBarControl* toolbar = FloatingToolbarOf(Bars()->Items(i)))
      if (toolbar->HandleAllocated()) DisableAndRememberWindow(toolbar->Handle(), FDisabledFloatingBars);
}

void TdxBarManager::EnableFloatingBars() { ReenableWindows(FDisabledFloatingBars); }

void TdxBarManager::HandleHelpMessage(HWND wnd, const HELPINFO* info)
{
  TdxBarItemControl* itemControl = nullptr;
  TCustomdxBarControl* barControl = GetActiveBarControl();
  if (barControl) {
    itemControl = barControl->GetSelectedItemControl();
    if (!itemControl || !itemControl->GetItem() || itemControl->GetItem()->HelpContext() == 0)
      for (TCustomdxBarControl* c = barControl; c; c = c->OwnerBarControl())
        if (TdxBarItemControl* opener = c->OwnerBarControl() ? c->OwnerBarControl()->GetSelectedItemControl() : nullptr)
          if (opener->GetItem() && opener->GetItem()->HelpContext() != 0) {
            itemControl = opener;
            barControl = c->OwnerBarControl();
            break;
          }
  } else if (auto* bar = dynamic_cast<TCustomdxBarControl*>(FindClassLibraryControl(reinterpret_cast<HWND>(info->hItemHandle)))) {
    barControl = bar;
    POINT p = info->MousePos;
    ScreenToClient(bar->Handle(), &p);
    itemControl = bar->ItemControlAtPoint(p);
  }
  (void)wnd;
  ShowItemHelp(itemControl, barControl);
}

void TdxBarManager::ShowItemHelp(TdxBarItemControl* itemControl, TCustomdxBarControl* barControl)
{
  int context = itemControl && itemControl->GetItem() ? itemControl->GetItem()->HelpContext() : 0;
  if (!context) itemControl = nullptr;
  (void)barControl;  // bar controls carry no help context of their own here
  if (TCustomdxBarControl* open = GetActiveBarControl()) open->CloseUp(TdxBarCloseReason::ClickElsewhere);
  if (!context || !Application) return;
  TCustomForm* form = GetManagerFormOfKind(this, TdxParentFormKind::pfkAnyForm);
  if (form && form->BorderIcons().Contains(TBorderIcon::biHelp) && itemControl && barControl &&
      barControl->HandleAllocated()) {
    const RECT r = itemControl->GetBoundsRect();
    POINT p{(r.left + r.right) / 2, r.bottom};
    ClientToScreen(barControl->Handle(), &p);
    Application->HelpCommand(HELP_SETPOPUP_POS, static_cast<ULONG_PTR>(MAKELONG(p.x, p.y)));
    Application->HelpCommand(HELP_CONTEXTPOPUP, static_cast<ULONG_PTR>(context));
  } else {
    Application->HelpContext(context);
  }
}
