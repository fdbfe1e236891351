#include "toolkit/controls/cxContainerPopupWindow.h"

#include <algorithm>
#include "classlib/Application.h"
#include "classlib/Exceptions.h"
#include "toolkit/controls/cxContainer.h"
#include "toolkit/controls/cxContainerHelpers.h"
#include "toolkit/controls/cxContainerStyle.h"
#include "toolkit/controls/cxControls.h"
#include "toolkit/controls/cxControlsHelpers.h"

// --- Visible popups ---

namespace {

std::vector<TcxCustomPopupWindow*>& PopupList()
{
  static std::vector<TcxCustomPopupWindow*> list;
  return list;
}

bool IsListed(const TcxCustomPopupWindow* popup)
{
  const auto& list = PopupList();
  return std::find(list.begin(), list.end(), popup) != list.end();
}

int GPopupClosingCounter = 0;

class TPopupClosingLock {
public:
  TPopupClosingLock() { SetPopupClosingLock(true); }
  ~TPopupClosingLock() { SetPopupClosingLock(false); }
  TPopupClosingLock(const TPopupClosingLock&) = delete;
  TPopupClosingLock& operator=(const TPopupClosingLock&) = delete;
};

}  // namespace

void AddVisiblePopup(TcxCustomPopupWindow* popup)
{
  if (!popup || IsListed(popup)) throw EInvalidOperation("Assertion failed: popup already visible (cxContainer)");
  PopupList().push_back(popup);
}

void RemoveVisiblePopup(TcxCustomPopupWindow* popup)
{
  auto& list = PopupList();
  auto it = std::find(list.begin(), list.end(), popup);
  if (!popup || it == list.end()) throw EInvalidOperation("Assertion failed: popup not visible (cxContainer)");
  list.erase(it);
}

bool IsPopupVisible(HWND wnd)
{
  if (!wnd) return false;
  for (TcxCustomPopupWindow* popup : PopupList())
    if (popup->HandleAllocated() && popup->Handle() == wnd) return true;
  return false;
}

const std::vector<TcxCustomPopupWindow*>& VisiblePopups() { return PopupList(); }

bool IsPopupClosing() { return GPopupClosingCounter > 0; }

void SetPopupClosingLock(bool lock)
{
  if (lock)
    ++GPopupClosingCounter;
  else if (GPopupClosingCounter > 0)
    --GPopupClosingCounter;
}

// --- Window ownership ---

bool IsControlWindow(TWinControl* control, HWND wnd, bool includeOwned)
{
  if (!control || !wnd) return false;
  if (control->HandleAllocated() && control->Handle() == wnd) return true;
  return includeOwned && IsOwnedWindow(control, wnd);
}

bool IsOwnedWindow(TWinControl* control, HWND wnd)
{
  if (!control || !wnd) return false;
  if (control->HandleAllocated()) {
    if (control->Handle() == wnd) return false;
    if (IsChild(control->Handle(), wnd)) return true;
  }
  return IsHandleInControlTree(control, wnd);
}

namespace {

bool IsPopupTreeWindow(TcxCustomPopupWindow* popup, HWND wnd)
{
  return (popup->HandleAllocated() && popup->Handle() == wnd) || IsHandleInControlTree(popup, wnd);
}

}  // namespace

bool IsHandleInControlTree(TWinControl* control, HWND wnd)
{
  if (!control || !wnd) return false;
  for (int i = 0; i < control->ControlCount(); ++i) {
    auto* child = dynamic_cast<TWinControl*>(control->Controls(i));
    if (!child) continue;
    if (child->HandleAllocated() && (child->Handle() == wnd || IsChild(child->Handle(), wnd))) return true;
    if (IsHandleInControlTree(child, wnd)) return true;
  }
  // A copy: a test of ownership never changes the list, but the popups' own code may run.
  const std::vector<TcxCustomPopupWindow*> popups = PopupList();
  if (auto* self = dynamic_cast<TcxCustomPopupWindow*>(control)) {
    for (TcxCustomPopupWindow* popup : popups) {
      if (popup == self || !popup->OwnerControl()) continue;
      if (popup->OwnerControl()->GetParentForm() == self && IsPopupTreeWindow(popup, wnd)) return true;
    }
  }
  for (TcxCustomPopupWindow* popup : popups)
    if (popup->OwnerControl() == control && popup != control && IsPopupTreeWindow(popup, wnd)) return true;
  return false;
}

bool IsInOwnerFormTree(TWinControl* control, HWND wnd)
{
  TCustomForm* form = control ? control->GetParentForm() : nullptr;
  if (!form) return false;
  if (IsControlWindow(form, wnd, true)) return true;
  if (!form->Parent() && form->HandleAllocated() && (GetWindowLongPtrA(form->Handle(), GWL_STYLE) & WS_CHILD)) {
    HWND top = GetAncestor(form->Handle(), GA_ROOT);
    return top && (wnd == top || IsChild(top, wnd));
  }
  return false;
}

// --- Popup window ---

CL_MESSAGE_MAP(TcxCustomPopupWindow,
  {WM_ERASEBKGND, &TcxCustomPopupWindow::WMEraseBkgnd},
  {WM_ACTIVATE, &TcxCustomPopupWindow::WMActivate},
  {WM_ACTIVATEAPP, &TcxCustomPopupWindow::WMActivateApp},
  {DXM_CLOSEPOPUPWINDOW, &TcxCustomPopupWindow::DXMClosePopupWindow},
  {DXM_SHOWPOPUPWINDOW, &TcxCustomPopupWindow::DXMShowPopupWindow});
CL_DEFINE_CLASS(TcxCustomPopupWindow);

TcxCustomPopupWindow::TcxCustomPopupWindow(TWinControl* ownerControl) : TcxPopupWindow(ownerControl)
{
  SetFormStyle(TFormStyle::fsNormal);
  SetKeyPreview(true);
  SetOwnerControl(ownerControl);
}

TcxCustomPopupWindow::~TcxCustomPopupWindow()
{
  if (FViewInfo) ::Free(std::exchange(FViewInfo, nullptr));
  if (FStyle) ::Free(std::exchange(FStyle, nullptr));
}

void TcxCustomPopupWindow::AfterConstruction()
{
  inherited::AfterConstruction();
  // The style class is the popup's own choice, so it is made once the popup is whole.
  FStyle = GetStyleClass().Create(this, false, nullptr, TcxContainerStateItem::csNormal);
  FStyle->SetOnChanged(TNotifyEvent(this, &TcxCustomPopupWindow::StyleChanged));
  FViewInfo = GetViewInfoClass().Create();
  FViewInfo->TakePainterFromStyle(FStyle);
}

TcxContainerViewInfoClass TcxCustomPopupWindow::GetViewInfoClass()
{
  return ClassRef<TcxContainerViewInfo>();
}

void TcxCustomPopupWindow::AdjustClientRect(RECT& rect)
{
  if (FViewInfo && !IsRectEmpty(&FViewInfo->ClientRect)) rect = FViewInfo->ClientRect;
}

void TcxCustomPopupWindow::Paint()
{
  if (FViewInfo && FStyle) {
    // A view info laid out for another size (or never) takes the whole client area; one that a
    // subclass laid out for this size keeps its border and client rectangles.
    const RECT bounds = ClientRect();
    if (!EqualRect(&FViewInfo->Bounds, &bounds)) {
      FViewInfo->Bounds = bounds;
      FViewInfo->BorderRect = bounds;
      FViewInfo->ClientRect = bounds;
    }
    FViewInfo->BackgroundColor = FStyle->Color();
    FViewInfo->TakePainterFromStyle(FStyle);
    FViewInfo->Paint(cxCanvas());
  }
  DrawFrame();
}

void TcxCustomPopupWindow::BeforeDestruction()
{
  SetPopupMode(TPopupMode::pmNone);
  if (IsListed(this)) RemoveVisiblePopup(this);
  SetOwnerControl(nullptr);
  inherited::BeforeDestruction();
}

TcxContainerStyleClass TcxCustomPopupWindow::GetStyleClass() { return ClassRef<TcxContainerStyle>(); }

void TcxCustomPopupWindow::SetOwnerControl(TWinControl* value)
{
  if (FOwnerControl == value) return;
  if (FOwnerControl) FOwnerControl->RemoveFreeNotification(this);
  FOwnerControl = value;
  if (value) value->FreeNotification(this);
}

void TcxCustomPopupWindow::Notification(TComponent* component, TOperation operation)
{
  inherited::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  if (component == FFocusedControl) FFocusedControl = nullptr;
  if (component == FOwnerControl) {
    // A popup never outlives its owner on the screen.
    FOwnerControl = nullptr;
    CloseUp();
  }
}

TCustomForm* TcxCustomPopupWindow::OwnerParentForm() const
{
  return FOwnerControl ? FOwnerControl->GetParentForm() : nullptr;
}

bool TcxCustomPopupWindow::IsShortCut(TMessage& message)
{
  if (inherited::IsShortCut(message)) return true;
  TCustomForm* form = OwnerParentForm();
  return form && form != this && form->IsShortCut(message);
}

bool TcxCustomPopupWindow::SetFocusedControl(TWinControl* control)
{
  TPopupClosingLock lock;
  return inherited::SetFocusedControl(control);
}

void TcxCustomPopupWindow::LockDeactivate(bool lock)
{
  if (lock)
    ++FDeactivateLockCount;
  else if (FDeactivateLockCount > 0)
    --FDeactivateLockCount;
}

bool TcxCustomPopupWindow::IsSysKeyAccepted(WORD key) { return (key >= VK_PRIOR && key <= VK_DOWN) || key == VK_F4; }

bool TcxCustomPopupWindow::HandleOwnerClick(HWND, UINT, POINT, TShiftState) { return false; }

void TcxCustomPopupWindow::DoClosed()
{
  if (FOnClosed) FOnClosed(this);
}

void TcxCustomPopupWindow::DoClosing()
{
  if (FOnClosing) FOnClosing(this);
}

void TcxCustomPopupWindow::DoShowed()
{
  if (FOnShowed) FOnShowed(this);
}

void TcxCustomPopupWindow::DoShowing()
{
  if (FOnShowing) FOnShowing(this);
}

bool TcxCustomPopupWindow::HasMouseCapture() { return HandleAllocated() && GetCapture() == Handle(); }

bool TcxCustomPopupWindow::Focused()
{
  return IsListed(this) && FFocusCapture && IsControlWindow(this, GetFocus(), true);
}

RECT TcxCustomPopupWindow::GetOwnerScreenBounds()
{
  RECT r = OwnerRect();
  TWinControl* parent = FOwnerControl ? FOwnerControl->Parent() : nullptr;
  if (parent && FOwnerControl->HandleAllocated() && IsChildStyleWindow(FOwnerControl->Handle())) {
    POINT topLeft = parent->ClientToScreen(POINT{r.left, r.top});
    POINT bottomRight = parent->ClientToScreen(POINT{r.right, r.bottom});
    r = RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
  }
  return r;
}

void TcxCustomPopupWindow::FitToDesktop(POINT& p)
{
  if (!ShrinksToWorkArea()) return;
  const RECT wa = GetDesktopWorkArea(p);
  int width = Width(), height = Height();
  if (p.x < wa.left) {
    width -= wa.left - p.x;
    p.x = wa.left;
  }
  if (p.y < wa.top) {
    height -= wa.top - p.y;
    p.y = wa.top;
  }
  height = std::min(height, static_cast<int>(wa.bottom - p.y));
  width = std::min(width, static_cast<int>(wa.right - p.x));
  SetBounds(Left(), Top(), width, height);
  // Constraints may keep another height; a popup on the top edge then moves down by the difference.
  if (Height() != height && p.y == wa.top) p.y += height - Height();
}

void TcxCustomPopupWindow::CreateParams(TCreateParams& params)
{
  inherited::CreateParams(params);
  TCustomForm* form = OwnerParentForm();
  if (FFocusCapture) {
    if (form) params.WndParent = form->Handle();
    params.Style = (params.Style & ~WS_CHILD) | WS_POPUP;
    const bool formTopMost =
        !form || (form->HandleAllocated() && (GetWindowLongPtrA(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST));
    if (FTopMostMode && formTopMost) params.ExStyle |= WS_EX_TOPMOST;
  } else {
    params.Style = WS_CHILD;
    params.ExStyle |= WS_EX_TOOLWINDOW;
    if (!params.WndParent) params.WndParent = GetMessageWindow()->Handle();
  }
  params.Style |= WS_CLIPCHILDREN;
}

void TcxCustomPopupWindow::CreateWnd()
{
  SetPopupParent(FFocusCapture ? OwnerParentForm() : nullptr);
  if (!FFocusCapture) SetPopupMode(TPopupMode::pmNone);
  inherited::CreateWnd();
  // A child window without a parent never takes the activation.
  if (!FFocusCapture) ::SetParent(Handle(), nullptr);
}

void TcxCustomPopupWindow::CreateHandle()
{
  // The hooks treat the popup as shown while its window is made.
  const bool listed = IsListed(this);
  if (!listed) AddVisiblePopup(this);
  try {
    inherited::CreateHandle();
  } catch (...) {
    if (!listed && IsListed(this)) RemoveVisiblePopup(this);
    throw;
  }
  if (!listed && IsListed(this)) RemoveVisiblePopup(this);
}


void TcxCustomPopupWindow::SetFocusCapture(bool value)
{
  if (FFocusCapture != value) ChangeWindowKind(FFocusCapture, value);
}

void TcxCustomPopupWindow::SetTopMostMode(bool value)
{
  if (FTopMostMode != value) ChangeWindowKind(FTopMostMode, value);
}

void TcxCustomPopupWindow::ChangeWindowKind(bool& field, bool value)
{
  // A shown popup is closed before its window goes, so that the old window's destruction does
  // not count as the popup's own (which closes it for good, or ends the application with
  // QuitOnDestroy), and is then shown again in the new window.
  const bool shown = IsListed(this);
  TWeakRef<TcxCustomPopupWindow> self(this);
  if (shown) CloseUp();
  if (!self.Get()) return;
  field = value;
  if (HandleAllocated()) RecreateWnd();
  if (shown) Popup(FFocusedControl);
}

bool TcxCustomPopupWindow::IsOwnerShowing()
{
  return FOwnerControl && FOwnerControl->HandleAllocated() && IsWindowVisible(FOwnerControl->Handle());
}

TWinControl* TcxCustomPopupWindow::PickFocusedControl(TWinControl* requested)
{
  if (requested && requested->CanFocus() && requested->TabStop()) return requested;
  if (TWinControl* first = FindNextControl(nullptr, true, true, false)) return first;
  return this;
}

HWND TcxCustomPopupWindow::GetInsertAfter()
{
  TCustomForm* form = OwnerParentForm();
  const bool formTopMost =
      !form || (form->HandleAllocated() && (GetWindowLongPtrA(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST));
  return !FFocusCapture || formTopMost ? HWND_TOPMOST : HWND_TOP;
}

namespace {

bool GOutsideClick = false;

}  // namespace

bool IsPopupOutsideClickFlagSet() { return GOutsideClick; }

TcxPopupOutsideClickScope::TcxPopupOutsideClickScope() : FSaved(GOutsideClick) { GOutsideClick = true; }
TcxPopupOutsideClickScope::~TcxPopupOutsideClickScope() { GOutsideClick = FSaved; }

void TcxCustomPopupWindow::Popup(TWinControl* focusedControl)
{
  if (Visible() || IsListed(this) || !IsOwnerShowing()) return;
  TakeOwnerFont();
  CalculateSize();
  POINT p = CalculatePosition();
  FitToDesktop(p);
  TWeakRef<TcxCustomPopupWindow> self(this);
  {
    TcxPopupOutsideClickScope outsideClick;
    AddVisiblePopup(this);
    try {
      DoShowing();
      SetBounds(p.x, p.y, Width(), Height());
      Show();
      SetBounds(p.x, p.y, Width(), Height());
      SetFocusedControlField(FFocusCapture ? PickFocusedControl(focusedControl) : focusedControl);
      if (FFocusCapture) {
        TWinControl* target = FFocusedControl ? FFocusedControl : this;
        if (target->CanFocus()) target->SetFocus();
      }
      SetWindowPos(Handle(), GetInsertAfter(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    } catch (...) {
      if (self.Get() && IsListed(this)) CloseUp();
      throw;
    }
  }
  if (!self.Get()) return;
  SetModalResult(mrNone);
  DoShowed();
  if (self.Get() && FFocusCapture && FModalMode) RunModalLoop();
}

void TcxCustomPopupWindow::SetFocusedControlField(TWinControl* control)
{
  if (FFocusedControl == control) return;
  if (FFocusedControl && FFocusedControl != this) FFocusedControl->RemoveFreeNotification(this);
  FFocusedControl = control;
  if (control && control != this) control->FreeNotification(this);
}

void TcxCustomPopupWindow::RunModalLoop()
{
  TWeakRef<TcxCustomPopupWindow> self(this);
  const bool wasTerminated = Application->Terminated();
  while (self.Get() && Visible() && !Application->Terminated()) {
    MSG msg;
    // A WM_QUIT stays in the queue for the application's own loop.
    if (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) break;
    if (PeekMessageA(&msg, nullptr, WM_SYSKEYDOWN, WM_SYSKEYDOWN, PM_NOREMOVE) &&
        (msg.wParam == VK_RETURN || msg.wParam == VK_MENU || msg.wParam == VK_SPACE))
      PeekMessageA(&msg, msg.hwnd, WM_SYSKEYDOWN, WM_SYSKEYDOWN, PM_REMOVE);
    if (ModalResult() != mrNone) {
      if (CloseQuery())
        ModalCloseUp();
      else
        SetModalResult(mrNone);
      if (!self.Get() || !Visible()) break;
    }
    Application->HandleLoopMessage();
  }
  // A WM_QUIT the loop took ends the application's loop too, and any loop around this one.
  if (!wasTerminated && Application->Terminated()) PostQuitMessage(0);
}

void TcxCustomPopupWindow::CloseUp()
{
  if (!IsListed(this)) return;
  TWeakRef<TcxCustomPopupWindow> self(this);
  {
    TPopupClosingLock closing;
    RemoveVisiblePopup(this);
    DoClosing();
    if (!self.Get()) return;
    if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
    Hide();
    DoClosed();
    if (!self.Get()) return;
    HWND capture = GetCapture();
    if (capture && IsControlWindow(this, capture, true)) ReleaseCapture();
  }
  TCustomForm* form = OwnerParentForm();
  if (PopupList().empty() && form && form->HandleAllocated() && !IsMDIParentForm(form) && !IsFormActive(form))
    SendMessageA(form->Handle(), WM_NCACTIVATE, FALSE, 0);
}

void TcxCustomPopupWindow::PostCloseUp()
{
  if (HandleAllocated()) PostMessageA(Handle(), DXM_CLOSEPOPUPWINDOW, 0, 0);
}

void TcxCustomPopupWindow::DXMClosePopupWindow(TMessage&)
{
  LockDeactivate(true);
  TWeakRef<TcxCustomPopupWindow> self(this);
  try {
    CloseUp();
  } catch (...) {
    if (self.Get()) LockDeactivate(false);
    throw;
  }
  if (!self.Get()) return;
  LockDeactivate(false);
  if (FOwnerControl && FOwnerControl->HandleAllocated()) SendMessageA(FOwnerControl->Handle(), WM_SETFOCUS, 0, 0);
}

void TcxCustomPopupWindow::DXMShowPopupWindow(TMessage&) { Popup(FFocusedControl); }

void TcxCustomPopupWindow::Deactivate()
{
  FCloseUpByDeactivation = false;
  if (IsDeactivateLocked()) return;
  // While the system deactivates a window, the active window can still be the one losing the
  // activation: the window WM_ACTIVATE names (possibly none, for another thread's) takes it.
  const HWND activated = FActivatingWindow.value_or(GetActiveWindow());
  TWeakRef<TcxCustomPopupWindow> self(this);
  for (int i = static_cast<int>(PopupList().size()) - 1; i >= 0; --i) {
    if (i >= static_cast<int>(PopupList().size())) continue;
    TcxCustomPopupWindow* popup = PopupList()[i];
    if (popup->HandleAllocated() && popup->Handle() == activated) return;
    if (popup->HandleAllocated() && IsWindowEnabled(popup->Handle()) && !popup->IsDeactivateLocked()) popup->CloseUp();
  }
  if (self.Get() && !PopupList().empty()) CloseUp();
}

void TcxCustomPopupWindow::VisibleChanged()
{
  inherited::VisibleChanged();
  if (Visible()) return;
  // Hidden some other way than CloseUp: it is not shown any more.
  if (IsListed(this)) CloseUp();
  TCustomForm* form = OwnerParentForm();
  if (FFocusCapture && FOwnerControl && form && form->HandleAllocated() && GetFocus() == form->Handle() &&
      !form->IsDesigning() && FOwnerControl->CanFocus())
    FOwnerControl->SetFocus();
}

void TcxCustomPopupWindow::KeyDown(WORD& key, TShiftState shift)
{
  if (key == VK_ESCAPE && IsListed(this) && HasMouseCapture()) {
    ReleaseCapture();
    key = 0;
    return;
  }
  // Escape otherwise belongs to the controls: a drop-down's calendar or calculator uses it.
  inherited::KeyDown(key, shift);
}

void TcxCustomPopupWindow::WMEraseBkgnd(TMessage& msg)
{
  if (NeedsEraseBackground())
    Inherited<TcxCustomPopupWindow>(msg);
  else
    msg.Result = 1;
}

void TcxCustomPopupWindow::WMActivateApp(TMessage&) {}

void TcxCustomPopupWindow::WMActivate(TMessage& msg)
{
  const std::optional<HWND> saved = FActivatingWindow;
  if (LOWORD(msg.WParam) == WA_INACTIVE) FActivatingWindow = reinterpret_cast<HWND>(msg.LParam);
  TWeakRef<TcxCustomPopupWindow> self(this);
  try {
    Inherited<TcxCustomPopupWindow>(msg);
  } catch (...) {
    if (self.Get()) FActivatingWindow = saved;
    throw;
  }
  if (self.Get()) FActivatingWindow = saved;
}
