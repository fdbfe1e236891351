// The popup-closing hooks: call-window-procedure, get-message and mouse thread hooks that close
// the shown popups when the user clicks outside them, when the application loses activation and
// when an owner closes, hides, moves or is destroyed.
#include <algorithm>
#include <memory>
#include "classlib/Application.h"
#include "classlib/Messages.h"
#include "classlib/WindowSubclass.h"
#include "toolkit/base/dxHooks.h"
#include "toolkit/controls/cxContainer.h"
#include "toolkit/controls/cxContainerHelpers.h"
#include "toolkit/controls/cxContainerPopupWindow.h"
#include "toolkit/controls/cxControlsHelpers.h"

// --- Swallowing one delivery ---

namespace {

struct TSwallow {
  HWND Wnd;
  UINT Message;
  TWindowSubclass* Subclass = nullptr;
};

std::vector<std::unique_ptr<TSwallow>>& PendingSwallows()
{
  static std::vector<std::unique_ptr<TSwallow>> pending;
  return pending;
}

// Ends the swallow: the window's former procedure is back (or the subclass only passes messages
// on, when another party subclassed the window meanwhile).
void EndSwallow(TSwallow* swallow)
{
  auto& pending = PendingSwallows();
  auto it = std::find_if(pending.begin(), pending.end(), [swallow](const auto& p) { return p.get() == swallow; });
  if (it == pending.end()) return;
  std::unique_ptr<TSwallow> owned = std::move(*it);
  pending.erase(it);
  owned->Subclass->Release();
}

void EndAllSwallows()
{
  while (!PendingSwallows().empty()) EndSwallow(PendingSwallows().back().get());
}

// A new sent message: swallows made for another delivery are over (that delivery happened or went
// elsewhere). One made for this very message, by another client of this hook call, stays.
void EndSwallowsOtherThan(HWND wnd, UINT message)
{
  auto& pending = PendingSwallows();
  for (size_t i = pending.size(); i-- > 0;)
    if (i < pending.size() && (pending[i]->Wnd != wnd || pending[i]->Message != message)) EndSwallow(pending[i].get());
}

bool IsSwallowPending(HWND wnd, UINT message)
{
  for (const auto& swallow : PendingSwallows())
    if (swallow->Wnd == wnd && swallow->Message == message) return true;
  return false;
}

}  // namespace

void SwallowNextMessage(HWND wnd, UINT message)
{
  if (!IsWindow(wnd) || IsSwallowPending(wnd, message)) return;
  auto swallow = std::make_unique<TSwallow>(TSwallow{wnd, message});
  TSwallow* record = swallow.get();
  record->Subclass = TWindowSubclass::Create(wnd, [record](TMessage& msg) {
    TWindowSubclass* subclass = record->Subclass;
    const bool eat = msg.Msg == record->Message;
    // The subclass stays alive to the end of its own message, so it can still pass this one on.
    EndSwallow(record);
    if (eat)
      msg.Result = 1;
    else
      subclass->CallPrevious(msg);
  });
  PendingSwallows().push_back(std::move(swallow));
}

int PendingSwallowCount() { return static_cast<int>(PendingSwallows().size()); }

// --- The hooks ---

class TcxPopupHooks {
public:
  static void CallWndProc(int code, WPARAM wParam, LPARAM lParam, LRESULT& result);
  static void GetMessage(int code, WPARAM wParam, LPARAM lParam, LRESULT& result);
  static void Mouse(int code, WPARAM wParam, LPARAM lParam, LRESULT& result);
  static bool ProcessOutsideClick(HWND wnd, UINT message, POINT point);

private:
  static std::vector<TcxCustomPopupWindow*> Popups() { return VisiblePopups(); }
  static bool Listed(TcxCustomPopupWindow* popup)
  {
    const auto& list = VisiblePopups();
    return std::find(list.begin(), list.end(), popup) != list.end();
  }
  static bool OwnerWindowIs(TcxCustomPopupWindow* popup, HWND wnd)
  {
    TWinControl* owner = popup->OwnerControl();
    return owner && !owner->IsDestroying() && owner->HandleAllocated() && owner->Handle() == wnd;
  }
  // The popup and the popups shown after it that open from it (every one shown after it with
  // allAfter), last first.
  static void CloseFrom(TcxCustomPopupWindow* popup, bool allAfter);
  static bool OpensFrom(TcxCustomPopupWindow* inner, TcxCustomPopupWindow* outer);
  static void ActivateApp(bool active);
  static void Destroy(HWND wnd);
  static void Close(HWND wnd);
  static void ShowWindow(HWND wnd, bool show);
  static void WindowPosChanged(HWND wnd);
  static bool IsClickInMDIRelative(TCustomForm* form, HWND wnd);
};

void TcxPopupHooks::CallWndProc(int code, WPARAM, LPARAM lParam, LRESULT&)
{
  if (code != HC_ACTION) return;
  const CWPSTRUCT& cwp = *reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (!PendingSwallows().empty()) EndSwallowsOtherThan(cwp.hwnd, cwp.message);
  if ((cwp.message == CM_ACTIVATE || cwp.message == CM_DEACTIVATE) && IsPopupClosing()) {
    SwallowNextMessage(cwp.hwnd, cwp.message);
    return;
  }
  if (VisiblePopups().empty()) return;
  switch (cwp.message) {
    case WM_NCACTIVATE:
      if (cwp.wParam) break;
      if (IsPopupOutsideClickFlagSet()) {
        SwallowNextMessage(cwp.hwnd, cwp.message);
        break;
      }
      for (TcxCustomPopupWindow* popup : Popups()) {
        TWinControl* owner = popup->OwnerControl();
        TCustomForm* form = owner && !owner->IsDestroying() ? owner->GetParentForm() : nullptr;
        if (form && !form->IsDestroying() && form->HandleAllocated() && form->Handle() == cwp.hwnd) {
          SwallowNextMessage(cwp.hwnd, cwp.message);
          break;
        }
      }
      break;
    case WM_ACTIVATEAPP: ActivateApp(cwp.wParam != 0); break;
    case WM_DESTROY: Destroy(cwp.hwnd); break;
    case WM_CLOSE: Close(cwp.hwnd); break;
    case WM_SHOWWINDOW: ShowWindow(cwp.hwnd, cwp.wParam != 0); break;
    case WM_WINDOWPOSCHANGED: WindowPosChanged(cwp.hwnd); break;
    default: break;
  }
}

bool TcxPopupHooks::OpensFrom(TcxCustomPopupWindow* inner, TcxCustomPopupWindow* outer)
{
  // Walks the owners' forms outward; bounded by the number of shown popups.
  for (size_t steps = 0; inner && steps <= VisiblePopups().size(); ++steps) {
    TCustomForm* form = inner->OwnerControl() ? inner->OwnerControl()->GetParentForm() : nullptr;
    if (form == outer) return true;
    inner = dynamic_cast<TcxCustomPopupWindow*>(form);
  }
  return false;
}

void TcxPopupHooks::CloseFrom(TcxCustomPopupWindow* popup, bool allAfter)
{
  const std::vector<TcxCustomPopupWindow*> popups = Popups();
  auto at = std::find(popups.begin(), popups.end(), popup);
  if (at == popups.end()) return;
  std::vector<TWeakRef<TcxCustomPopupWindow>> closing;
  for (auto it = popups.end(); it != at;) {
    --it;
    if (it == at || allAfter || OpensFrom(*it, popup)) closing.emplace_back(*it);
  }
  for (const auto& ref : closing)
    if (TcxCustomPopupWindow* p = ref.Get(); p && Listed(p)) p->CloseUp();
}

void TcxPopupHooks::ActivateApp(bool active)
{
  if (active) return;
  size_t i = 0;
  while (i < VisiblePopups().size()) {
    TcxCustomPopupWindow* popup = VisiblePopups()[i];
    TWinControl* owner = popup->OwnerControl();
    TCustomForm* form = owner ? owner->GetParentForm() : nullptr;
    if (form && form->HandleAllocated()) PostMessageA(form->Handle(), WM_NCACTIVATE, FALSE, 0);
    const bool staysActive = popup->FocusCapture() && IsFormActive(popup);
    const bool disabled = popup->HandleAllocated() && !IsWindowEnabled(popup->Handle());
    if (staysActive || disabled) {
      ++i;
      continue;
    }
    // A container owner draws its focused state again: the popup that held the focus is gone.
    TWeakRef<TcxContainer> container(dynamic_cast<TcxContainer*>(owner));
    popup->CloseUp();
    if (TcxContainer* c = container.Get(); c && !c->IsDestroying()) c->FocusChanged();
    i = 0;
  }
}

void TcxPopupHooks::Destroy(HWND wnd)
{
  for (TcxCustomPopupWindow* popup : Popups()) {
    if (popup->IsDestroying()) continue;
    if (!popup->HandleAllocated() || popup->Handle() != wnd) continue;
    TWeakRef<TcxCustomPopupWindow> alive(popup);
    popup->Close();
    if (alive.Get() && !Listed(popup) && !popup->IsDestroying() && popup->QuitOnDestroy() && Application)
      Application->Terminate();
    return;
  }
}

void TcxPopupHooks::Close(HWND wnd)
{
  for (TcxCustomPopupWindow* popup : Popups()) {
    if (popup->IsDestroying()) continue;
    TWinControl* owner = popup->OwnerControl();
    if (popup->HandleAllocated() && popup->Handle() == wnd) {
      TWeakRef<TcxCustomPopupWindow> alive(popup);
      if (popup->CloseQuery() && alive.Get()) popup->CloseUp();
      // Alt+F4 in a focused popup closes the form behind it too.
      if (alive.Get() && !Listed(popup) && popup->FocusCapture() && owner && !owner->IsDestroying() &&
          owner->HandleAllocated())
        if (HWND ancestor = FindNonChildAncestorWindow(owner->Handle())) SendMessageA(ancestor, WM_CLOSE, 0, 0);
      return;
    }
    if (!popup->FocusCapture() && owner && !owner->IsDestroying()) {
      TCustomForm* form = owner->GetParentForm();
      if (!form || !form->HandleAllocated() || form->Handle() == wnd) popup->CloseUp();
      return;
    }
  }
}

void TcxPopupHooks::ShowWindow(HWND wnd, bool show)
{
  if (show) return;
  const std::vector<TcxCustomPopupWindow*> popups = Popups();
  for (int i = static_cast<int>(popups.size()) - 1; i >= 0; --i) {
    if (popups[i]->IsDestroying() || !OwnerWindowIs(popups[i], wnd)) continue;
    CloseFrom(popups[i], true);
    return;
  }
}

void TcxPopupHooks::WindowPosChanged(HWND wnd)
{
  size_t i = 0;
  while (i < VisiblePopups().size()) {
    TcxCustomPopupWindow* popup = VisiblePopups()[i];
    if (popup->HandleAllocated() && !popup->IsDestroying() && OwnerWindowIs(popup, wnd) && !IsWindowVisible(wnd)) {
      CloseFrom(popup, false);
      i = 0;
    } else
      ++i;
  }
}

void TcxPopupHooks::GetMessage(int code, WPARAM wParam, LPARAM lParam, LRESULT&)
{
  if (code != HC_ACTION || wParam != PM_REMOVE || VisiblePopups().empty()) return;
  MSG& msg = *reinterpret_cast<MSG*>(lParam);
  if (msg.message != WM_SYSKEYDOWN) return;
  TcxCustomPopupWindow* last = VisiblePopups().back();
  // A modal popup's own loop filters the keys.
  if (last->FocusCapture() && last->ModalMode()) return;
  if (!last->IsSysKeyAccepted(static_cast<WORD>(msg.wParam))) msg.message = WM_NULL;
}

void TcxPopupHooks::Mouse(int code, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
  if (code != HC_ACTION || VisiblePopups().empty()) return;
  switch (wParam) {
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN: case WM_MBUTTONDBLCLK: case WM_NCLBUTTONDOWN: case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN: case WM_NCRBUTTONDBLCLK: case WM_NCMBUTTONDOWN: case WM_NCMBUTTONDBLCLK: break;
    default: return;
  }
  const MOUSEHOOKSTRUCT& mouse = *reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
  if (!ProcessOutsideClick(mouse.hwnd, static_cast<UINT>(wParam), mouse.pt)) result = 1;
}

bool TcxPopupHooks::IsClickInMDIRelative(TCustomForm* form, HWND wnd)
{
  if (!IsMDIChildForm(form) || !form->HandleAllocated()) return false;
  HWND client = GetParent(form->Handle());
  HWND frame = client ? GetParent(client) : nullptr;
  if (!frame) return false;
  if (wnd == frame) return true;
  return IsChild(frame, wnd) && wnd != form->Handle() && !IsChild(form->Handle(), wnd);
}

bool TcxPopupHooks::ProcessOutsideClick(HWND wnd, UINT message, POINT point)
{
  bool result = true;
  const TShiftState shift = KeyboardShiftState();
  size_t i = 0;
  while (i < VisiblePopups().size()) {
    TcxCustomPopupWindow* popup = VisiblePopups()[i];
    if ((popup->FocusCapture() && !popup->Active()) || IsControlWindow(popup, wnd, true)) {
      ++i;
      continue;
    }
    TWinControl* owner = popup->OwnerControl();
    TCustomForm* form = owner ? owner->GetParentForm() : nullptr;
    auto* popupForm = dynamic_cast<TcxCustomPopupWindow*>(form);
    TWeakRef<TcxCustomPopupWindow> alive(popup);
    if (IsInOwnerFormTree(owner, wnd) || (popupForm && !popupForm->Visible())) {
      const RECT ownerBounds = popup->GetOwnerScreenBounds();
      const bool onOwner = IsControlWindow(owner, wnd, true) &&
                           (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) &&
                           PtInRect(&ownerBounds, point);
      if (onOwner && popup->HandleOwnerClick(wnd, message, point, shift) && alive.Get())
        popup->SetJustClosedByOwnerClick(true);
      if (alive.Get()) {
        TWeakRef<TWinControl> ownerAlive(owner);
        TcxPopupOutsideClickScope outsideClick;
        popup->LockDeactivate(true);
        if (!onOwner && result) result = !popup->HandleOwnerClick(wnd, message, point, shift);
        if (alive.Get()) CloseFrom(popup, false);
        if (onOwner && (!ownerAlive.Get() || owner->IsDestroying() || !owner->Visible())) result = false;
        if (alive.Get()) popup->LockDeactivate(false);
      }
      i = 0;
      continue;
    }
    if (IsClickInMDIRelative(form, wnd)) {
      if (result) result = !popup->HandleOwnerClick(wnd, message, point, shift);
      if (alive.Get()) CloseFrom(popup, false);
      i = 0;
      continue;
    }
    ++i;
  }
  return result;
}

void InstallPopupHooks()
{
  RegisterHookProc(TdxHookKind::hkCallWndProc, TcxPopupHooks::CallWndProc);
  RegisterHookProc(TdxHookKind::hkGetMessage, TcxPopupHooks::GetMessage);
  RegisterHookProc(TdxHookKind::hkMouse, TcxPopupHooks::Mouse);
}

void UninstallPopupHooks()
{
  UnregisterHookProc(TcxPopupHooks::CallWndProc);
  UnregisterHookProc(TcxPopupHooks::GetMessage);
  UnregisterHookProc(TcxPopupHooks::Mouse);
  EndAllSwallows();
}
