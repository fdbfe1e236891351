// The menu window's keys, right clicks, scrolling and closing.
#include <algorithm>
#include "toolkit/bars/dxBarRoutines.h"
#include "toolkit/bars/dxBarSubMenuControl.h"
#include "toolkit/bars/dxBarUnit.h"
#include "toolkit/bars/dxBarWindows.h"

// --- Keys ---

void TdxBarSubMenuControl::WMKeyDown(TMessage& msg)
{
  // Escape, Left and Right close or move between levels; the base navigation would take Left and
  // Right for its own.
  const int key = static_cast<int>(msg.WParam);
  if (key == VK_ESCAPE || key == VK_LEFT || key == VK_RIGHT) {
    KeyPressed(key);
    msg.Result = 0;
    return;
  }
  Inherited<TdxBarSubMenuControl>(msg);
}

void TdxBarSubMenuControl::KeyPressed(int key)
{
  TCustomdxBarControl* owner = OwnerBarControl();
  TdxBarItemControl* opener = owner ? owner->GetSelectedItemControl() : nullptr;
  switch (key) {
    case VK_ESCAPE: {
      if (!opener) {
        CloseUp(TdxBarCloseReason::Keyboard);
        return;
      }
      SetCloseReason(TdxBarCloseReason::Keyboard);
      TWeakRef<TCustomdxBarControl> weakOwner(owner);
      opener->ControlDeactivated(true);
      if (weakOwner) weakOwner->SetPressedItemControl(nullptr);
      return;
    }
    case VK_LEFT: {
      if (!opener) return;
      if (owner->GetBarControlKind() == TdxBarKind::bkSubMenu) {
        opener->ControlDeactivated(true);
        return;
      }
      TCustomdxBarControl* root = GetRootToolbarControl(this);
      if (root && root->IsVertical())
        SendMessageA(Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
      else if (root && root->HandleAllocated())
        SendMessageA(root->Handle(), WM_KEYDOWN, VK_LEFT, 0);
      return;
    }
    case VK_RIGHT: {
      TCustomdxBarControl* root = GetRootToolbarControl(this);
      if (root && root->HandleAllocated()) SendMessageA(root->Handle(), WM_KEYDOWN, VK_RIGHT, 0);
      return;
    }
    default: TCustomdxBarControl::KeyPressed(key);
  }
}

void TdxBarSubMenuControl::StoreSelectedItemControl(TdxBarItemControl* control)
{
  TCustomdxBarControl::StoreSelectedItemControl(control);
  if (control && IsBarControlAlive(this) && !control->SelectedByMouse()) ScrollItemIntoView(control);
}

// --- Mouse ---

void TdxBarSubMenuControl::WMRButton(TMessage& msg)
{
  if (!AcceptsRightClicks()) {
    Inherited<TdxBarSubMenuControl>(msg);
    return;
  }
  msg.Result = SendMessageA(Handle(), msg.Msg == WM_RBUTTONDOWN ? WM_LBUTTONDOWN : WM_LBUTTONUP, msg.WParam,
                            msg.LParam);
}

void TdxBarSubMenuControl::MouseMovedOverItem(TShiftState shift, POINT p, TdxBarItemControl* control)
{
  TdxBarPainter* painter = GetPainter();
  POINT cursor;
  GetCursorPos(&cursor);
  const bool moved = cursor.x != FLastScrollMousePos.x || cursor.y != FLastScrollMousePos.y;
  bool overButton = false;
  if (painter)
    for (bool bottom : {false, true}) {
      const RECT r = painter->GetScrollButtonRect(this, bottom);
      if (ScrollButtonShown(bottom) && PtInRect(&r, p)) overButton = true;
    }
  if (overButton) {
    if (!FScrollTimer && moved) {
      TWeakRef<TdxBarSubMenuControl> self(this);
      if (BarManager() && BarManager()->SelectedItemControl() &&
          BarManager()->SelectedItemControl() == GetSelectedItemControl())
        BarManager()->SetSelectedItemControl(nullptr);
      ChangeSelection(nullptr);
      if (!self || !HandleAllocated()) return;
      FScrollTimer = SetTimer(Handle(), dxBarSubMenuScrollTimer, GetScrollInterval(), nullptr);
    }
    return;
  }
  if (FScrollTimer) {
    StopWindowTimer(Handle(), FScrollTimer);
    FLastScrollMousePos = POINT{-1, -1};
    Invalidate();
  }
  TCustomdxBarControl::MouseMovedOverItem(shift, p, control);
  if (moved && BarManager()) BarManager()->HideHint();
}

void TdxBarSubMenuControl::MouseLeft()
{
  FDetachHot = false;
  if (HandleAllocated() && (IsScrolledDown() || HasItemsBelow())) Invalidate();
  TCustomdxBarControl::MouseLeft();
}

void TdxBarSubMenuControl::SimulateMouseMove()
{
  if (!HandleAllocated()) return;
  POINT p;
  GetCursorPos(&p);
  ::ScreenToClient(Handle(), &p);
  SendMessageA(Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
}

// --- Scrolling ---

void TdxBarSubMenuControl::WMTimer(TMessage& msg)
{
  if (msg.WParam != dxBarSubMenuScrollTimer) {
    Inherited<TdxBarSubMenuControl>(msg);
    return;
  }
  TdxBarPainter* painter = GetPainter();
  POINT p;
  GetCursorPos(&p);
  const POINT client = ScreenToClient(p);
  auto over = [&](bool bottom) {
    const RECT r = painter ? painter->GetScrollButtonRect(this, bottom) : RECT{};
    return PtInRect(&r, client) != FALSE;
  };
  if (IsScrolledDown() && over(false))
    ScrollBy(-1);
  else if (HasItemsBelow() && over(true))
    ScrollBy(1);
  else
    StopScrolling();
}

void TdxBarSubMenuControl::StopScrolling()
{
  StopWindowTimer(Handle(), FScrollTimer);
  // The mouse resting where scrolling stopped does not start it again.
  GetCursorPos(&FLastScrollMousePos);
  SimulateMouseMove();
}

void TdxBarSubMenuControl::ScrollBy(int delta)
{
  FFirstVisibleIndex = std::max(0, FFirstVisibleIndex + delta);
  CalcLayout();
  if (HandleAllocated()) {
    const RECT r = ItemsArea();
    InvalidateRect(Handle(), &r, FALSE);
  }
}

void TdxBarSubMenuControl::ScrollItemIntoView(TdxBarItemControl* control)
{
  if (!control || !control->Link() || !ItemLinks() || !HandleAllocated()) return;
  const int index = ItemLinks()->IndexOfVisible(control->Link());
  if (index < 0) return;
  TdxBarPainter* painter = GetPainter();
  const bool reserves = painter && painter->ReservesScrollButtonSpace();
  auto above = [&] {
    const RECT& r = control->Link()->ItemRect();
    const int first = FFirstVisibleIndex + (IsScrolledDown() && !reserves ? 1 : 0);
    return FFirstVisibleIndex > 0 && (index < first || (!IsRectEmpty(&r) && r.top < ItemsArea().top));
  };
  auto below = [&] {
    const RECT& r = control->Link()->ItemRect();
    const bool bottomButton = HasItemsBelow() && !reserves;
    const int buttonTop = ItemsArea().bottom - (bottomButton && painter ? painter->GetScrollButtonHeight(this) : 0);
    return FFirstVisibleIndex < index && (IsRectEmpty(&r) || r.bottom > buttonTop);
  };
  bool moved = false;
  while (above()) {
    --FFirstVisibleIndex;
    CalcLayout();
    moved = true;
  }
  while (below()) {
    ++FFirstVisibleIndex;
    CalcLayout();
    moved = true;
  }
  if (moved) {
    const RECT r = ItemsArea();
    InvalidateRect(Handle(), &r, FALSE);
  }
}

// --- Closing ---

void TdxBarSubMenuControl::HideAll()
{
  if (OwnerBarControl()) {
    TCustomdxBarControl::HideAll();
    return;
  }
  SetChildControl(nullptr);
  DismissControl();
  DispatchPendingPaintMessages();
}

void TdxBarSubMenuControl::RestoreFocus()
{
  if (FExplicitParentWindow)
    ::SetFocus(FExplicitParentWindow);
  else
    TCustomdxBarControl::RestoreFocus();
}
