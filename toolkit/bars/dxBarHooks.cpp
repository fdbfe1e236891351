// The bar system's thread hooks: keys to the open menus, keyboard navigation, shortcuts and
// accelerators; clicks outside the open menus close them; activation of the application.
#include "toolkit/bars/dxBarHooks.h"

#include "classlib/Application.h"
#include "classlib/Forms.h"
#include "toolkit/bars/dxBarAccessibility.h"
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarControl.h"
#include "toolkit/bars/dxBarEditControls.h"
#include "toolkit/bars/dxBarItem.h"
#include "toolkit/bars/dxBarItemControl.h"
#include "toolkit/bars/dxBarItemLinks.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarManagerList.h"
#include "toolkit/bars/dxBarNavigation.h"
#include "toolkit/bars/dxBarPopupMenu.h"
#include "toolkit/bars/dxBarRoutines.h"
#include "toolkit/bars/dxBarToolbar.h"
#include "toolkit/bars/dxBarUnit.h"
#include "toolkit/bars/dxBarWindows.h"
#include "toolkit/controls/cxControlsHelpers.h"

TdxBarNavigationController* dxBarHookNavigationController = nullptr;

namespace {

// The keyboard state of the bar system, for the GUI thread.
struct TdxBarHookState {
  WORD TakenKey = 0;  // its key-down went to the bars, so its key-up goes there too
  bool TakenKeyPending = false;
  bool CaptionButtonHeld = false;
  bool InOutsideClick = false;
  bool ApplicationActive = true;
  bool OtherApplicationActivating = false;
};
TdxBarHookState GState;

bool IsKeyDownMessage(LPARAM lParam) { return (static_cast<DWORD>(lParam) & 0x80000000u) == 0; }
bool IsKeyRepeat(LPARAM lParam) { return (static_cast<DWORD>(lParam) & 0x40000000u) != 0; }
bool IsKeyDownNow(WORD key) { return GetKeyState(key) < 0; }

void TakeKey(WORD key, LPARAM lParam)
{
  if (!IsKeyDownMessage(lParam)) return;
  GState.TakenKey = key;
  GState.TakenKeyPending = true;
}

bool IsEditingItemControl(TdxBarItemControl* control)
{
  auto* windowed = dynamic_cast<TdxBarWinControl*>(control);
  return windowed && windowed->Focused();
}

// Del deletes the customizing selection (Ctrl: the objects themselves), Esc selects its parent.
bool RouteKeyToDesignController(WORD key, LPARAM lParam, TShiftState shift)
{
  TdxBarDesignController* controller = GetDesignController();
  if (!controller || !IsKeyDownMessage(lParam)) return false;
  if (key == VK_DELETE) return controller->RemoveSelectedObjects(shift.Contains(ssCtrl), true);
  if (key == VK_ESCAPE) return controller->SelectSelectionParent();
  return false;
}

// Keys that the open menus, keyboard navigation or the design time take; true when taken.
bool RouteKeyToBars(WORD key, LPARAM lParam, TShiftState shift)
{
  if (!IsKeyDownMessage(lParam) && key == GState.TakenKey && GState.TakenKeyPending) {
    GState.TakenKeyPending = false;
    return true;
  }
  TdxBarNavigationController* navigation = GetHookNavigationController();
  if (navigation && navigation->WantsKey(key, shift)) {
    TakeKey(key, lParam);
    if (IsKeyDownMessage(lParam)) navigation->DispatchKey(key, shift);
    return true;
  }
  if (navigation && IsPrintableCharKey(key) && (navigation->AreKeyTipsPending() || navigation->HasActiveContainer()))
    navigation->EndKeyboardMode();
  TCustomdxBarControl* active = GetActiveBarControl();
  if (active && active->HandleAllocated() && IsWindowEnabled(active->Handle()) && !active->IsCustomizing()) {
    if (IsEditingItemControl(active->GetSelectedItemControl())) return false;
    TakeKey(key, lParam);
    SendMessageA(active->Handle(), IsKeyDownMessage(lParam) ? WM_KEYDOWN : WM_KEYUP, key, lParam);
    if (GetActiveBarControl() || !IsKeyDownNow(key)) GState.TakenKeyPending = false;
    return true;
  }
  if (navigation && navigation->HasSelectedObject()) {
    TakeKey(key, lParam);
    return true;
  }
  if (key == VK_ESCAPE && active && active->HandleAllocated() && GetCapture() == active->Handle()) {
    ReleaseCapture();
    return true;
  }
  return RouteKeyToDesignController(key, lParam, shift);
}

// From the window outwards through child-style parents, the first window with a usable manager.
TdxBarManager* FindManagerForWindow(HWND wnd)
{
  for (; wnd; wnd = GetParent(wnd)) {
    if (TdxBarManager* manager = FindBarManagerOfWindow(wnd)) return manager;
    if (!IsChildStyleWindow(wnd)) break;
  }
  return nullptr;
}

bool IsWindowChainEnabled(HWND wnd)
{
  for (; wnd; wnd = GetParent(wnd))
    if (!IsWindowEnabled(wnd)) return false;
  return true;
}

TdxBarManager* FindKeyboardManager(bool menuKey)
{
  TdxBarManager* manager = FindManagerForWindow(GetFocus());
  if (!manager)
    if (TCustomForm* form = Screen ? Screen->ActiveForm() : nullptr)
      if (form->HandleAllocated()) manager = FindManagerForWindow(form->Handle());
  if (!manager)
    if (TCustomForm* mainForm = Application ? Application->MainForm() : nullptr)
      if (mainForm->HandleAllocated() && IsWindowChainEnabled(mainForm->Handle())) {
        manager = FindManagerForWindow(mainForm->Handle());
        if (manager && !manager->AllowCallFromAnotherForm()) manager = nullptr;
      }
  if (!manager && !menuKey)
    if (HWND activeWnd = GetActiveWindow(); activeWnd && IsWindowChainEnabled(activeWnd))
      if (auto* form = dynamic_cast<TCustomForm*>(FindClassLibraryControl(activeWnd)))
        if (TdxBarManagerList* list = GetBarManagerList())
          for (int i = 0; i < list->Count() && !manager; ++i)
            if (GetManagerFormOfKind(list->GetManager(i), TdxParentFormKind::pfkTopForm) == form)
              manager = list->GetManager(i);
  if (manager && manager->IsCustomizingOrDesigning()) return nullptr;
  return manager;
}

// The shortcut of the key runs, or Alt with the key reaches the link of that accelerator.
bool HandleShortCutOrAccelerator(TdxBarManager* manager, WORD key, LPARAM lParam)
{
  if (manager->ExecuteShortCut(ShortCutFromKeyMessage(key, lParam))) return true;
  if (!IsKeyDownNow(VK_MENU)) return false;
  TShiftState shift = KeyboardShiftState();
  shift.Exclude(ssAlt);
  TdxBarItemLink* link = manager->FindLinkByAccelerator(key, shift);
  if (!link || !link->Item() || !link->Item()->GetEnabled() || !link->Control()) return false;
  TdxBarItemLinks* links = dynamic_cast<TdxBarItemLinks*>(link->Collection());
  TdxBarItemLink* next = links ? links->FindAcceleratorLinkIgnoringAlt(key, shift, link) : nullptr;
  TCustomdxBarControl* barControl = link->GetBarControl();
  if (barControl && (!link->Control()->ClosesMenusOnClick() || (next && next != link)))
    barControl->SelectItemControl(link->Control());  // a shared accelerator cycles
  else
    link->Control()->ClickItem(false);
  return true;
}

bool IsMenuKey(WORD key) { return key == VK_F10 || key == VK_MENU; }

bool IsPlainF10ForMenu(TdxBarManager* manager, WORD key, TShiftState shift)
{
  return key == VK_F10 && manager->UseF10ForMenu() && !shift.Contains(ssShift) && !shift.Contains(ssCtrl) &&
         !shift.Contains(ssAlt);
}

// The accessibility helper of the manager's main menu bar: where keyboard navigation starts.
IdxBarAccessibilityHelper* MainMenuRoot(TdxBarManager* manager)
{
  TdxBar* bar = manager->GetMainMenuBar();
  TdxBarControl* control = bar ? bar->GetBarControl() : nullptr;
  return control ? control->GetAccessibilityHelper() : nullptr;
}

bool RootSupportsKeyTips(IdxBarAccessibilityHelper* root)
{
  IdxBarKeyTipWindowHost* host = nullptr;
  return root && root->SupportsKeyTips(host);
}

// Alt or F10 alone selects the main menu on release, where the key tips show at once (or half a
// second after the press while the key is held); other keys run shortcuts and accelerators.
bool HandleMenuKeys(WORD key, LPARAM lParam, TShiftState shift)
{
  TdxBarManager* manager = FindKeyboardManager(IsMenuKey(key));
  if (!manager) return false;
  IdxBarAccessibilityHelper* root = IsMenuKey(key) ? MainMenuRoot(manager) : nullptr;
  TdxBarNavigationController* navigation = GetHookNavigationController();
  bool down = IsKeyDownMessage(lParam);
  if (down && IsKeyRepeat(lParam)) return false;
  if (down) {
    bool altAlone = key == VK_MENU && !shift.Contains(ssCtrl);
    bool menuKey = altAlone || IsPlainF10ForMenu(manager, key, shift);
    if (!menuKey || (key == GState.TakenKey && GState.TakenKeyPending)) {
      // Alt with another key is an accelerator: its release must not enter the menu.
      if (navigation) {
        navigation->SetAltPressedAlone(false);
        navigation->StopKeyTipsWaiting(false);
      }
      return HandleShortCutOrAccelerator(manager, key, lParam);
    }
    manager->HideHint();
    if (navigation) {
      navigation->SetAltPressedAlone(true);
      if (RootSupportsKeyTips(root)) navigation->BeginKeyTipsWait(root);
    }
    return false;
  }
  bool altRelease = key == VK_MENU && navigation && navigation->AltPressedAlone();
  if (altRelease || IsPlainF10ForMenu(manager, key, shift)) {
    if (navigation) {
      navigation->SetAltPressedAlone(false);
      navigation->EnterNavigation(root);
      if (RootSupportsKeyTips(root)) navigation->StopKeyTipsWaiting(true);
    }
    return true;
  }
  if (navigation) navigation->StopKeyTipsWaiting(false);
  return false;
}

// The bar control's window or one of its descendants, its selected item's window, or the opener.
bool ChainOwnsWindow(HWND wnd, bool& passClick)
{
  passClick = false;
  for (TCustomdxBarControl* c = GetActiveBarControl(); c; c = c->OwnerBarControl()) {
    if (c->OwnsWindow(wnd)) return true;
    if (c->IsOwnerWindow(wnd)) {
      passClick = true;
      return true;
    }
  }
  return false;
}

bool IsClickInsideOpenMenus(HWND wnd, bool& passClick)
{
  passClick = false;
  TCustomdxBarControl* active = GetActiveBarControl();
  if (active->HandleAllocated() && !IsWindowEnabled(active->Handle()) && active->BarManager() &&
      !active->BarManager()->IsCustomizingOrDesigning())
    return true;
  return ChainOwnsWindow(wnd, passClick);
}

bool IsButtonUpOutsideItems(UINT msg)
{
  return msg == WM_RBUTTONUP || msg == WM_NCRBUTTONUP || msg == WM_MBUTTONUP || msg == WM_NCMBUTTONUP;
}

TdxBarItemControl* GetItemControlUnderMouse(const MOUSEHOOKSTRUCT& info)
{
  if (auto* bar = dynamic_cast<TCustomdxBarControl*>(FindClassLibraryControl(info.hwnd)))
    if (bar->Handle() == info.hwnd) return bar->GetSelectedItemControl();
  return nullptr;
}

// Closes the open menus level by level until the click lies inside one; true when the message is
// swallowed.
bool CloseMenusOnOutsideClick(UINT msg, const MOUSEHOOKSTRUCT& info)
{
  if (GState.InOutsideClick || !GetActiveBarControl()) return false;
  GState.InOutsideClick = true;
  bool swallowed = false;
  bool passClick = false;
  if (IsButtonUpOutsideItems(msg)) {
    if (!GetItemControlUnderMouse(info) && !IsClickInsideOpenMenus(info.hwnd, passClick)) swallowed = true;
  } else if (IsMouseButtonDownMessage(msg)) {
    while (TCustomdxBarControl* active = GetActiveBarControl()) {
      if (active->BarManager() && active->BarManager()->IsDragging()) break;
      if (IsClickInsideOpenMenus(info.hwnd, passClick)) {
        if (passClick) active->OwnerWindowMouseDown(info.hwnd, msg);
        break;
      }
      active->CloseUp(TdxBarCloseReason::ClickElsewhere);
      if (!IsWindowVisible(info.hwnd)) swallowed = true;
      if (GetActiveBarControl() == active) break;  // it refused to close
    }
  }
  GState.InOutsideClick = false;
  return swallowed;
}

// Hot tracking of the toolbar stays alive while the mouse is over a window inside it: the toolbar
// gets the move with no keys, in its client coordinates.
void FeedMouseMoveToBarControl(const MOUSEHOOKSTRUCT& info)
{
  for (HWND w = info.hwnd; w; w = IsChildStyleWindow(w) ? GetParent(w) : nullptr) {
    auto* bar = dynamic_cast<TCustomdxBarControl*>(FindClassLibraryControl(w));
    if (!bar || bar->Handle() != w) continue;
    if (w == info.hwnd) return;
    POINT p = info.pt;
    ScreenToClient(w, &p);
    SendMessageA(w, WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
    return;
  }
}

void MouseHook(int code, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
  UINT msg = static_cast<UINT>(wParam);
  const auto& info = *reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
  TdxBarNavigationController* navigation = GetHookNavigationController();
  if (code == HC_ACTION && IsMouseButtonDownMessage(msg) && navigation) {
    navigation->ClearNavigationMode();
    navigation->SetAltPressedAlone(false);
  }
  if (code < 0) return;
  if (msg == WM_MOUSEWHEEL)
    if (TCustomdxBarControl* active = GetActiveBarControl())
      if (!active->AllowsMouseWheel() && !IsEditingItemControl(active->GetSelectedItemControl())) {
        result = 1;
        return;
      }
  if (info.hwnd && GetCapture() == info.hwnd && msg != WM_RBUTTONUP) return;
  if (CloseMenusOnOutsideClick(msg, info)) {
    result = 1;
    return;
  }
  if (navigation && IsMouseButtonDownMessage(msg) &&
      (navigation->HasSelectedObject() || navigation->AreKeyTipsPending() || navigation->HasActiveContainer()))
    navigation->EndKeyboardMode();
  if (msg == WM_MOUSEMOVE) FeedMouseMoveToBarControl(info);
}

bool IsActivationMessage(UINT msg)
{
  return msg == WM_ACTIVATE || msg == WM_ACTIVATEAPP || msg == WM_CHILDACTIVATE || msg == WM_MDIACTIVATE ||
         msg == WM_WINDOWPOSCHANGING || msg == WM_WINDOWPOSCHANGED;
}

// The managers whose owner window lies inside the target window hear its activation too.
void NotifyManagersOfOwnerMessage(TdxBarManager* handled, HWND target, UINT msg, WPARAM wParam, LPARAM lParam)
{
  TdxBarManagerList* list = GetBarManagerList();
  if (!list || !IsActivationMessage(msg)) return;
  for (int i = 0; i < list->Count(); ++i) {
    TdxBarManager* m = list->GetManager(i);
    TWinControl* owner = m ? m->GetOwnerControl() : nullptr;
    if (m == handled || !owner || !owner->HandleAllocated() || owner->Handle() == target) continue;
    if (IsManagerInsideWindow(m, target) && GetManagerFormOfKind(m, TdxParentFormKind::pfkTopForm))
      m->OwnerWindowMessage(target, msg, lParam, wParam);
  }
}

void DispatchOwnerWindowMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
  if (msg == WM_ACTIVATE) {
    HWND other = reinterpret_cast<HWND>(lParam);
    if (other && (GetParent(other) == wnd || GetParent(wnd) == other) && !IsOtherProcessWindow(other) &&
        !IsOtherProcessWindow(wnd))
      return;  // between a window and its own parent
  }
  HWND target = wnd;
  if (msg == WM_HELP)
    if (TCustomdxBarControl* active = GetActiveBarControl())
      if (TdxBarManager* activeManager = active->BarManager()) {
        TCustomForm* form = FindParentFormOfControl(FindClassLibraryControl(wnd), TdxParentFormKind::pfkAnyForm);
        TWinControl* owner = activeManager->GetOwnerControl();
        const bool inside = form && form->HandleAllocated() && owner && owner->HandleAllocated() &&
                            (form->Handle() == owner->Handle() || IsAncestorWindow(form->Handle(), owner->Handle()));
        if (!inside)
          if (TCustomForm* nearest = GetManagerFormOfKind(activeManager, TdxParentFormKind::pfkAnyForm))
            target = nearest->HandleAllocated() ? nearest->Handle() : wnd;
      }
  TdxBarManager* manager = FindBarManagerOfWindow(target);
  if (!manager && msg == WM_ACTIVATE)
    if (HWND parent = GetParent(target); parent && IsWindowVisible(parent)) manager = FindBarManagerOfWindow(parent);
  if (manager) manager->OwnerWindowMessage(target, msg, lParam, wParam);
  NotifyManagersOfOwnerMessage(manager, target, msg, wParam, lParam);
}

// A change of active MDI child, seen on the MDI client window of the main form.
void HandleMDIClientMessage(HWND parent)
{
  char name[256]{};
  if (!parent || !GetClassNameA(parent, name, sizeof name) || lstrcmpiA(name, "MDICLIENT") != 0) return;
  TCustomForm* mainForm = Application ? Application->MainForm() : nullptr;
  if (!mainForm || !mainForm->HandleAllocated()) return;
  TdxBarManager* manager = FindBarManagerOfWindow(mainForm->Handle());
  if (manager && !manager->ComponentState().Contains(TComponentStateFlag::csDestroying))
    manager->SetActive(true, false, nullptr);  // the MDI merging of bars takes this over
}

}  // namespace

bool IsBarCaptionButtonHeld() { return GState.CaptionButtonHeld; }
void SetBarCaptionButtonHeld(bool value) { GState.CaptionButtonHeld = value; }
bool IsBarApplicationActive() { return GState.ApplicationActive; }
bool IsOtherApplicationActivating() { return GState.OtherApplicationActivating; }

TdxBarNavigationController* GetHookNavigationController()
{
  return dxBarHookNavigationController ? dxBarHookNavigationController : GetNavigationController();
}

void ResetBarHookState()
{
  GState.TakenKey = 0;
  GState.TakenKeyPending = false;
  GState.CaptionButtonHeld = false;
  if (TdxBarNavigationController* navigation = GetHookNavigationController()) navigation->SetAltPressedAlone(false);
}

// No exception leaves a hook procedure: a failure is the application's to report, and the
// message goes on.
template <class F>
void GuardHook(F&& body)
{
  try {
    body();
  } catch (...) {
    if (Application) Application->HandleException(std::current_exception());
  }
}

void BarKeyboardHookProc(int code, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
  GuardHook([&] {
    if (code == HC_NOREMOVE) return;
    if (GState.CaptionButtonHeld) {
      result = 1;
      return;
    }
    WORD key = static_cast<WORD>(wParam);
    if (code < 0 || key == VK_PROCESSKEY) return;
    // A customizing drag's loop reads the keys itself.
    if (TdxBarDesignController* controller = GetDesignController(); controller && controller->DragLoopRunning()) return;
    TShiftState shift = KeyboardShiftState();
    if (RouteKeyToBars(key, lParam, shift) || (!GetCapture() && HandleMenuKeys(key, lParam, shift))) {
      TakeKey(key, lParam);
      result = 1;
    }
  });
}

void BarMouseHookProc(int code, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
  GuardHook([&] { MouseHook(code, wParam, lParam, result); });
}

void BarCallWndProcHookProc(int code, WPARAM, LPARAM lParam, LRESULT&)
{
  GuardHook([&] {
    if (code < 0) return;
    const auto& info = *reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (info.message == WM_ACTIVATE && LOWORD(info.wParam) == WA_INACTIVE &&
        IsOtherProcessWindow(reinterpret_cast<HWND>(info.lParam)))
      GState.OtherApplicationActivating = true;
    else if (info.message == WM_ACTIVATEAPP) {
      GState.OtherApplicationActivating = false;
      GState.ApplicationActive = info.wParam != 0;
    }
    DispatchOwnerWindowMessage(info.hwnd, info.message, info.wParam, info.lParam);
    if (info.message == WM_DESTROY || info.message == WM_CHILDACTIVATE || info.message == WM_MDIACTIVATE)
      HandleMDIClientMessage(GetParent(info.hwnd));
  });
}

// --- Shortcuts and accelerators of the manager ---

namespace {
// The manager's own window and its child-style parents, then the rest of the form group.
template <class F>
auto SearchManagers(TdxBarManager* self, F&& tryOne) -> decltype(tryOne(self))
{
  TWinControl* owner = self->GetOwnerControl();
  if (owner && owner->HandleAllocated())
    for (HWND w = owner->Handle(); w; w = IsChildStyleWindow(w) ? GetParent(w) : nullptr)
      if (TdxBarManager* m = FindBarManagerOfWindow(w))
        if (auto found = tryOne(m)) return found;
  TdxBarManagerList* list = GetBarManagerList();
  if (!list) return {};
  TCustomForm* form = GetManagerFormOfKind(self, TdxParentFormKind::pfkTopForm);
  int start = list->IndexOf(self);
  for (int i = 1; start >= 0 && i < list->Count(); ++i) {
    TdxBarManager* m = list->GetManager((start + i) % list->Count());
    if (form && GetManagerFormOfKind(m, TdxParentFormKind::pfkTopForm) == form)
      if (auto found = tryOne(m)) return found;
  }
  return {};
}

bool IsBarShownForKeys(TdxBar* bar)
{
  TCustomdxBarControl* control = bar->GetBarControl();
  return bar->Visible() && control && control->HandleAllocated() && IsWindowVisible(control->Handle()) &&
         IsWindowEnabled(control->Handle());
}
}  // namespace

bool TdxBarManager::ExecuteOwnShortCut(TShortCut shortCut)
{
  if (FMainMenuBar && FMainMenuBar->ItemLinks()->HandleShortCut(shortCut)) return true;
  for (int i = 0; i < Bars()->Count(); ++i) {
    TdxBar* bar = Bars()->Items(i);
    if (bar != FMainMenuBar && IsBarShownForKeys(bar) && bar->ItemLinks()->HandleShortCut(shortCut)) return true;
  }
  for (int i = 0; i < GetPopupMenuCount(); ++i)
    if (auto* menu = dynamic_cast<TdxBarCustomPopupMenu*>(GetPopupMenu(i)))
      if (menu->ItemLinks()->HandleShortCut(shortCut)) return true;
  return false;
}

bool TdxBarManager::ExecuteShortCut(TShortCut shortCut)
{
  if (!shortCut) return false;
  if (TWinControl* focused = FindClassLibraryControl(GetFocus()))
    if (TdxBarManager* m = FindBarManagerAroundComponent(focused))
      if (m->PopupMenuLinks()->HandleShortCut(focused, shortCut)) return true;
  return SearchManagers(this, [&](TdxBarManager* m) { return m->ExecuteOwnShortCut(shortCut); });
}

TdxBarItemLink* TdxBarManager::FindOwnLinkByAccelerator(WORD key, TShiftState shift)
{
  if (FMainMenuBar && FMainMenuBar->GetBarControl())
    if (TdxBarItemLink* link = FMainMenuBar->ItemLinks()->FindAcceleratorLinkIgnoringAlt(key, shift, nullptr))
      return link;
  for (int i = 0; i < Bars()->Count(); ++i) {
    TdxBar* bar = Bars()->Items(i);
    if (bar != FMainMenuBar && bar->Visible())
      if (TdxBarItemLink* link = bar->ItemLinks()->FindAcceleratorLinkIgnoringAlt(key, shift, nullptr)) return link;
  }
  return nullptr;
}

TdxBarItemLink* TdxBarManager::FindLinkByAccelerator(WORD key, TShiftState shift)
{
  return SearchManagers(this, [&](TdxBarManager* m) { return m->FindOwnLinkByAccelerator(key, shift); });
}
