// The toolbar's input: keyboard activation (the focus remembered and given back), clicks on its
// items and menu mode, the mouse over and off the toolbar, the cursor, mouse activation and the
// end of its window.
#include "classlib/Application.h"
#include "classlib/Forms.h"
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarDockControl.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarPainter.h"
#include "toolkit/bars/dxBarToolbar.h"
#include "toolkit/bars/dxBarUnit.h"
#include "toolkit/bars/dxBarWindows.h"

namespace {
// Navigation flag: a click on an active toolbar goes to the item only in keyboard mode.
constexpr int dxBarNavigationClickInKeyboardMode = 32;

// The bar control whose window is under the cursor, if any.
TCustomdxBarControl* BarControlUnderCursor()
{
  POINT cursor{};
  GetCursorPos(&cursor);
  for (HWND wnd = WindowFromPoint(cursor); wnd; wnd = GetParent(wnd))
    if (auto* control = dynamic_cast<TCustomdxBarControl*>(FindControl(wnd))) return control;
  return nullptr;
}

bool IsActiveForm(TCustomForm* form)
{
  return form && form->HandleAllocated() && GetActiveWindow() == form->Handle();
}
}  // namespace

// --- Keyboard activation ---

bool TdxBarDockedControl::IsOutsidePopupWindow() const
{
  return FindHostPopupWindow(const_cast<TdxBarDockedControl*>(this)) == nullptr;
}

void TdxBarControl::SelectItemControl(TdxBarItemControl* control)
{
  TWeakRef<TdxBarControl> self(this);
  if (TCustomdxBarControl* under = BarControlUnderCursor(); under && under != this) under->MouseTrackingLeft();
  if (!self) return;
  if (Screen && Screen->ActiveForm() && Screen->ActiveForm()->HandleAllocated())
    SendMessageA(Screen->ActiveForm()->Handle(), WM_CANCELMODE, 0, 0);
  if (!self) return;
  FFocusedWindow = GetFocus();
  TCustomdxBarControl* owner = OwnerBarControl();
  const bool menuOfFocusedOwner = ActsAsMenu() && owner && owner->HandleAllocated() && GetFocus() == owner->Handle();
  if (!IsCustomizing() && !menuOfFocusedOwner && IsOutsidePopupWindow()) {
    TCustomForm* form = GetParentForm();
    if (form && form->HandleAllocated()) {
      BringWindowToTop(form->Handle());
      SetActiveWindow(form->Handle());
    }
  }
  if (!self) return;
  if (!control && ItemLinks())
    if (TdxBarItemLink* first = ItemLinks()->FindFirstSelectableLink()) control = first->Control();
  TdxBarDockedControl::SelectItemControl(control);
  if (!self || IsKeyboardActive()) return;
  if (TdxBarManager* manager = BarManager()) {
    FPrevKeyboardActiveControl = TWeakRef<TCustomdxBarControl>(manager->KeyboardActiveBarControl());
    manager->SetKeyboardActiveBarControl(this);
  }
}

void TdxBarControl::ClearSelection()
{
  TWeakRef<TdxBarControl> self(this);
  TdxBarManager* manager = BarManager();
  if (manager && IsKeyboardActive())
    manager->SetKeyboardActiveBarControl(std::exchange(FPrevKeyboardActiveControl, {}).Get());
  TdxBarDockedControl::ClearSelection();
  if (!self) return;
  if (RestoresHotTrackOnDeselect()) RefreshHotTrackUnderCursor(this);
  const HWND focused = std::exchange(FFocusedWindow, nullptr);
  if (Application && Application->Active() && IsActiveForm(GetParentForm()) && focused && IsWindowVisible(focused))
    ::SetFocus(focused);
}

void TdxBarControl::SetActiveState(bool value)
{
  if (!value) {
    TWeakRef<TdxBarControl> self(this);
    if (IsCustomizing() && SelectedLink()) HotTrackItemControl(nullptr);
    if (!self) return;
    TdxBarItemControl* selected = GetSelectedItemControl();
    if (Active() && selected && selected->IsPressedOrOpen()) selected->ControlDeactivated(true);
    if (!self) return;
    if (MenuMode()) {
      SetMenuMode(false);
      if (!IsCustomizing()) LeaveKeyboardMode();
    }
    if (!self) return;
    TdxBarDockedControl::SetActiveState(value);
    if (self) LeaveKeyboardMode();
    return;
  }
  TdxBarDockedControl::SetActiveState(value);
}

void TdxBarControl::HideAll()
{
  TWeakRef<TdxBarControl> self(this);
  LeaveKeyboardMode();
  if (self) TdxBarDockedControl::HideAll();
}

void TdxBarControl::KeyPressed(int key)
{
  if (key == VK_ESCAPE) {
    CloseByKeyboard();
    return;
  }
  TdxBarDockedControl::KeyPressed(key);
}

// --- Clicks ---

void TdxBarControl::ClickItemControl(TdxBarItemControl* control)
{
  TWeakRef<TdxBarControl> self(this);
  if (control && control->IsEnabled() && control->CanClick()) {
    // A click on the selected control while it edits is its own: it has handed the press to its
    // window, and no second click may follow.
    bool handled = false;
    if (Active() && (!(GetNavigationFlags() & dxBarNavigationClickInKeyboardMode) || IsKeyboardActive())) {
      handled = control->IsSelectedControl() && control->IsEditorActive();
      control->ClickedOnToolbar();
    } else {
      SelectItemControl(control);
    }
    if (!self || handled || !ShowsItemControl(control)) return;
    if (Active() && !control->IsWindowed()) SetMenuMode(true);
    if (TdxBarItemControl* selected = GetSelectedItemControl(); selected && selected->IsToolbarButton()) {
      SetPressedItemControl(selected);
      SetCapture(Handle());
      InvalidateItemControl(selected);
    }
  } else {
    SetActive(false);
  }
  if (self) TdxBarDockedControl::ClickItemControl(control);
}

void TdxBarControl::MouseDownOnItem(TMouseButton button, TShiftState shift, bool inClient, TdxBarItemControl* control,
                                    POINT p)
{
  if (button == mbRight) ReleaseCapture();
  TdxBarManager* manager = BarManager();
  if (button == mbLeft && IsFloating() && !IsInternalPopup() && manager && !manager->HideFloatingBarsWhenInactive())
    if (TWinControl* owner = manager->GetOwnerControl(); owner && owner->HandleAllocated())
      SetActiveWindow(GetAncestor(owner->Handle(), GA_ROOT));
  TdxBarDockedControl::MouseDownOnItem(button, shift, inClient, control, p);
}

bool TdxBarControl::AllowsItemSelection() const
{
  TdxBarManager* manager = BarManager();
  return !IsFloating() || !manager || manager->Style() != TdxBarManagerStyle::bmsFlat;
}

bool TdxBarControl::IsDesigning() const
{
  return TdxBarDockedControl::IsDesigning() || (GetBar() && GetBar()->AllowCustomizing());
}

bool TdxBarControl::CanSelectOnMouseMove() const { return !Active() || GetItemControlAtCursor(); }

bool TdxBarControl::IsUpdateLocked() const { return TdxBarDockedControl::IsUpdateLocked(); }

// --- The mouse over the toolbar ---

void TdxBarControl::MouseMovedOverItem(TShiftState shift, POINT p, TdxBarItemControl* control)
{
  TWeakRef<TdxBarControl> self(this);
  if (!IsMouseAway(true)) {
    const POINT offset = GetBackgroundOffset();
    TdxBarDockedControl::TrackCaptionButtons(POINT{p.x + offset.x, p.y + offset.y}, false);
    if (!GetActiveBarControl() && HasCloseButton())
      if (TdxBarPainter* painter = GetPainter(); painter && painter->UsesHotTrackLook())
        TrackCaptionButtons(POINT{p.x + offset.x, p.y + offset.y}, false);
  }
  if (self) TdxBarDockedControl::MouseMovedOverItem(shift, p, control);
}

void TdxBarControl::MouseLeft()
{
  TWeakRef<TdxBarControl> self(this);
  TdxBarDockedControl::TrackCaptionButtons(POINT{-1, -1}, false);
  if (!Active()) {
    SetCloseButtonState(0);
  } else if (TdxBarItemControl* selected = GetSelectedItemControl()) {
    InvalidateItemControl(selected);
  }
  if (self) TdxBarDockedControl::MouseLeft();
}

// --- Answers ---

bool TdxBarControl::CanMoveBar() const
{
  return HandleAllocated() && IsWindowEnabled(const_cast<TdxBarControl*>(this)->Handle()) &&
         IsWindowVisible(const_cast<TdxBarControl*>(this)->Handle());
}

void TdxBarControl::CalcMetrics()
{
  TdxBarDockedControl::CalcMetrics();
  if (TdxBarPainter* painter = GetPainter()) SetMarkSize(painter->GetMarkWidth());
}

TCustomForm* TdxBarControl::GetParentForm() const
{
  if (!IsFloating())
    if (TdxDockControl* dock = DockControl()) return dock->GetParentForm();
  return BarManager() ? BarManager()->GetNearestForm() : nullptr;
}

RECT TdxBarControl::GetTrackingBounds() const
{
  auto* self = const_cast<TdxBarControl*>(this);
  RECT r{};
  if (!HandleAllocated()) return BoundsRect();
  GetWindowRect(self->Handle(), &r);
  if (TdxDockControl* dock = DockControl(); dock && !IsFloating() && dock->HandleAllocated()) {
    RECT client{};
    GetClientRect(dock->Handle(), &client);
    MapWindowPoints(dock->Handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    IntersectRect(&r, &r, &client);
  }
  return r;
}

// --- Messages ---

void TdxBarControl::WMDestroy(TMessage& msg)
{
  FWindowDestroying = true;
  Inherited<TdxBarControl>(msg);
  TdxBar* bar = GetBar();
  TdxBarManager* manager = BarManager();
  if (InternalChanging() || IsInternalPopup() || Destroying() || !bar || !bar->Visible() || !manager ||
      manager->IsDestroying())
    return;
  // Windows destroys the window with its dock or form: the bar hides and waits to be shown again.
  if (manager->ReshowBarList()->IndexOf(bar) < 0) manager->ReshowBarList()->Add(bar);
  bar->SetVisible(false);
}

void TdxBarControl::WMSetCursor(TMessage& msg)
{
  if (HasGrip() && reinterpret_cast<HWND>(msg.WParam) == Handle()) SetCursor(crDefault);
  Inherited<TdxBarControl>(msg);
}

void TdxBarControl::WMMouseActivate(TMessage& msg)
{
  Inherited<TdxBarControl>(msg);
  if (IsFloating() && !Active())
    SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}
