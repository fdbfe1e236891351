// The bar control's input and messages: the mouse state machine (entry, hot tracking, press,
// release, leave, the customizing drag threshold), the key map, the message table with its
// pre-filter, and the painting of item controls.
#include "classlib/Forms.h"
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarControl.h"
#include "toolkit/bars/dxBarCustomizing.h"
#include "toolkit/bars/dxBarDrawing.h"
#include "toolkit/bars/dxBarItem.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarNavigation.h"
#include "toolkit/bars/dxBarRoutines.h"
#include "toolkit/bars/dxBarUnit.h"
#include "toolkit/base/cxGraphicsCanvas.h"
#include "toolkit/controls/cxControlsHelpers.h"


namespace {
// The shift state of a key message: the Shift and Ctrl keys held now, Alt from the message.
TShiftState KeyMessageShiftState(LPARAM keyData)
{
  TShiftState shift;
  if (GetKeyState(VK_SHIFT) < 0) shift.Include(ssShift);
  if (GetKeyState(VK_CONTROL) < 0) shift.Include(ssCtrl);
  if (keyData & (1 << 29)) shift.Include(ssAlt);
  return shift;
}

bool IsMouseMessage(UINT msg)
{
  return (msg >= WM_NCMOUSEMOVE && msg <= WM_NCMBUTTONDBLCLK) || (msg >= WM_MOUSEFIRST && msg <= WM_MOUSEWHEEL);
}
}  // namespace

// --- Window procedure and messages ---

void TCustomdxBarControl::WndProc(TMessage& msg)
{
  switch (msg.Msg) {
    case WM_SETFOCUS: {
      TdxBarItemControl* selected = GetSelectedItemControl();
      if (!selected || !InheritsFromClassNamed(selected, "TdxBarWinControl")) {
        RestoreFocus();
        return;
      }
      break;
    }
    case WM_KILLFOCUS: {
      TCustomControl::WndProc(msg);
      if (msg.WParam == 0 && IsBarControlAlive(this)) CloseUp(TdxBarCloseReason::ClickElsewhere);
      return;
    }
    case WM_NCACTIVATE:
      // The frame always draws active; an activation also reaches the parent window.
      if (msg.WParam && !IsCustomizing() && HandleAllocated())
        if (HWND parent = GetParent(Handle())) SendMessageA(parent, WM_NCACTIVATE, 1, 0);
      msg.WParam = 1;
      break;
    case WM_COMMAND: {
      TCustomControl::WndProc(msg);
      // An edit's text change goes back to the edit itself.
      if (msg.Result == 0 && HIWORD(msg.WParam) == EN_CHANGE && msg.LParam)
        msg.Result = SendMessageA(reinterpret_cast<HWND>(msg.LParam), msg.Msg, msg.WParam, msg.LParam);
      return;
    }
    default:
      if (IsMouseMessage(msg.Msg) && !IsInActiveChain()) return;
      break;
  }
  TCustomControl::WndProc(msg);
}

void TCustomdxBarControl::WMDestroy(TMessage& msg)
{
  if (!IsDestroying()) {
    SetMarkState(dxBarMarkNone);
    BeforeDestroyItemControls();
  }
  Inherited<TCustomdxBarControl>(msg);
}

void TCustomdxBarControl::WMClose(TMessage&)
{
  if (TCustomForm* form = FBarManager ? FBarManager->GetNearestForm() : nullptr)
    if (form->HandleAllocated()) SendMessageA(form->Handle(), WM_CLOSE, 0, 0);
}

void TCustomdxBarControl::WMPaint(TMessage& msg)
{
  if (IsDestroying()) {
    DefaultHandler(msg);
    return;
  }
  Inherited<TCustomdxBarControl>(msg);
}

void TCustomdxBarControl::WMEraseBkgnd(TMessage& msg) { msg.Result = 1; }

void TCustomdxBarControl::WMSetCursor(TMessage& msg)
{
  if (LOWORD(msg.LParam) == HTCLIENT && reinterpret_cast<HWND>(msg.WParam) == Handle() && Screen) {
    ::SetCursor(Screen->Cursors(Cursor()));
    msg.Result = 1;
    return;
  }
  Inherited<TCustomdxBarControl>(msg);
}

void TCustomdxBarControl::WMMouseActivate(TMessage& msg)
{
  Inherited<TCustomdxBarControl>(msg);
  msg.Result = MA_NOACTIVATE;
}

void TCustomdxBarControl::WMWindowPosChanged(TMessage& msg)
{
  Inherited<TCustomdxBarControl>(msg);
  if (!IsDestroying() && msg.LParam) WindowPosChanged(*reinterpret_cast<const WINDOWPOS*>(msg.LParam));
}

void TCustomdxBarControl::WMNCPaint(TMessage& msg)
{
  if (!HasNonClientFrame()) {
    Inherited<TCustomdxBarControl>(msg);
    return;
  }
  HDC dc = GetWindowDC(Handle());
  struct TRelease {
    HWND Wnd;
    HDC DC;
    ~TRelease() { ReleaseDC(Wnd, DC); }
  } release{Handle(), dc};
  Inherited<TCustomdxBarControl>(msg);
  DrawNonClient(dc);
}

void TCustomdxBarControl::WMKeyDown(TMessage& msg)
{
  TWeakRef<TCustomdxBarControl> self(this);
  Inherited<TCustomdxBarControl>(msg);
  if (!self || !GetActiveBarControl()) return;
  WORD key = static_cast<WORD>(msg.WParam);
  HandleKeyDown(key, KeyMessageShiftState(msg.LParam));
  msg.WParam = key;
  if (!self || !GetActiveBarControl()) return;
  if (key && !PassKeyToSelectedControl(key)) KeyPressed(key);
}

bool TCustomdxBarControl::PassKeyToSelectedControl(WORD key)
{
  TdxBarItemControl* selected = GetSelectedItemControl();
  if (!selected || !selected->IsEnabled() || !selected->IsExpandKey(key)) return false;
  selected->KeyDown(key, {});
  return true;
}

void TCustomdxBarControl::WMMouseMove(TMessage& msg)
{
  TWeakRef<TCustomdxBarControl> self(this);
  Inherited<TCustomdxBarControl>(msg);
  if (self) RememberMousePos(ShiftStateFromKeys(static_cast<UINT>(msg.WParam)), msg.Pos());
}

void TCustomdxBarControl::WMLButtonDown(TMessage& msg)
{
  if (FSkipNextButton) return;
  Inherited<TCustomdxBarControl>(msg);
}

void TCustomdxBarControl::WMLButtonUp(TMessage& msg)
{
  if (std::exchange(FSkipNextButton, false)) return;
  TWeakRef<TCustomdxBarControl> self(this);
  Inherited<TCustomdxBarControl>(msg);
  if (self) MouseUpInControl(msg.Pos());
}

void TCustomdxBarControl::WMCaptureChanged(TMessage& msg)
{
  DefaultHandler(msg);
  if (FItemDragPending) {
    FItemDragPending = false;
    if (FBarManager) FBarManager->SetDraggingItem(nullptr, nullptr);
  }
  FPressedItemControl = nullptr;
}

void TCustomdxBarControl::WMPrint(TMessage& msg)
{
  DefaultHandler(msg);
  DrawNonClient(reinterpret_cast<HDC>(msg.WParam));
}

void TCustomdxBarControl::WMPrintClient(TMessage& msg)
{
  Inherited<TCustomdxBarControl>(msg);
  PaintWindow(reinterpret_cast<HDC>(msg.WParam));
}

void TCustomdxBarControl::DXMRepaint(TMessage&) { Repaint(); }

// --- Mouse ---

void TCustomdxBarControl::RememberMousePos(TShiftState, POINT client)
{
  if (IsMouseAway(true)) {
    if (IsMouseAway(false)) MouseTrackingLeft();
    return;
  }
  FMousePos = ClientToScreen(client);
}

void TCustomdxBarControl::HandleMouseEntry(TShiftState shift, POINT p)
{
  if (FBarManager) {
    if (TCustomdxBarControl* tracking = FBarManager->MouseTrackingControl(); tracking && tracking != this)
      FBarManager->ReleaseMouseTrackingControl();
    FBarManager->SetMouseTrackingControl(this);
  }
  StartMouseTracking(this, ClientRect(), this);
  TdxBarItemControl* control = ItemControlAtPoint(p);
  NotifyItemMouseMove(control ? control->Link() : nullptr, p, shift);
  SetMouseInside(true);
}

void TCustomdxBarControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
  TWeakRef<TCustomdxBarControl> self(this);
  TCustomControl::MouseDown(button, shift, x, y);
  if (!self) return;
  const POINT p{x, y};
  TdxBarItemControl* control = ItemControlAtPoint(p);
  const bool untracked =
      (FMousePos.x == -1 && FMousePos.y == -1) || (FBarManager && FBarManager->MouseTrackingControl() != this);
  if (untracked && !IsCustomizing()) {
    HandleMouseEntry(shift, p);
    if (!self) return;
  }
  if (shift.Contains(ssDouble) && control && control == GetSelectedItemControl() && control->ActsOnMouseDown()) {
    DoubleClickOnItem(control);
    return;
  }
  const RECT client = ClientRect();
  MouseDownOnItem(button, shift, PtInRect(&client, p) != FALSE, control, p);
}

void TCustomdxBarControl::MouseDownOnItem(TMouseButton button, TShiftState shift, bool, TdxBarItemControl* control,
                                          POINT p)
{
  if (IsCustomizing() && control && !control->IsOwnManager()) return;
  TWeakRef<TCustomdxBarControl> self(this);
  if (!IsMouseAway(false)) NotifyItemMouseDown(control ? control->Link() : nullptr, p, shift, button);
  if (!self) return;
  TdxBarItemControl* selectedBefore = FBarManager ? FBarManager->SelectedItemControl() : nullptr;
  if (IsCustomizing()) SelectForCustomizing(control, button, shift);
  if (!self) return;
  if (button == mbLeft) {
    if (IsCustomizing()) {
      TdxBarItemControl* selectedNow = FBarManager ? FBarManager->SelectedItemControl() : nullptr;
      StartItemDrag(p, selectedNow == selectedBefore);
    } else if (control) {
      ClickItemControl(control);
    }
  } else if (button == mbRight) {
    if (control != GetSelectedItemControl()) LeaveKeyboardMode();
    if (self && IsOwnerKeyNavigation(true)) ClickSelectedItem(control);
  }
}

void TCustomdxBarControl::MouseMove(TShiftState shift, int x, int y)
{
  TWeakRef<TCustomdxBarControl> self(this);
  TCustomControl::MouseMove(shift, x, y);
  if (!self || Destroying()) return;
  const POINT p{x, y};
  if (FItemDragPending) {
    const int dx = GetSystemMetrics(SM_CXDRAG), dy = GetSystemMetrics(SM_CYDRAG);
    const RECT still{FItemDragPoint.x - dx, FItemDragPoint.y - dy, FItemDragPoint.x + dx + 1, FItemDragPoint.y + dy + 1};
    if (!PtInRect(&still, p)) {
      FItemDragPending = false;
      TdxBarItemLink* dragged = FBarManager ? FBarManager->DraggingItemLink() : nullptr;
      ReleaseCapture();
      if (dragged && dragged->Control()) dragged->Control()->ControlDeactivated(true);
      if (FBarManager) FBarManager->DragItem();
    }
    return;
  }
  TdxBarItemControl* control = ItemControlAtPoint(p);
  if (FMousePos.x == -1 && FMousePos.y == -1 && !IsMouseAway(true)) {
    HandleMouseEntry(shift, p);
    if (!self) return;
  }
  MouseMovedOverItem(shift, p, control);
}

void TCustomdxBarControl::MouseMovedOverItem(TShiftState shift, POINT p, TdxBarItemControl* control)
{
  if (IsMouseAway(true)) return;
  TWeakRef<TCustomdxBarControl> self(this);
  NotifyItemMouseMove(control ? control->Link() : nullptr, p, shift);
  if (!self) return;
  TdxBarItemControl* managerSelected = FBarManager ? FBarManager->SelectedItemControl() : nullptr;
  if (managerSelected && managerSelected->IsWindowed() && managerSelected->IsEditorActive()) return;
  if (control && !control->IsHotTrackable()) control = nullptr;
  if (CanSelectOnMouseMove() && !FPressedItemControl && (control || !FChildControl)) HotTrackItemControl(control);
}

void TCustomdxBarControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
  TWeakRef<TCustomdxBarControl> self(this);
  TCustomControl::MouseUp(button, shift, x, y);
  if (!self) return;
  const POINT p{x, y};
  const RECT client = ClientRect();
  MouseUpOnItem(button, shift, PtInRect(&client, p) != FALSE, ItemControlAtPoint(p), p);
}

void TCustomdxBarControl::MouseUpOnItem(TMouseButton button, TShiftState shift, bool, TdxBarItemControl* control,
                                        POINT p)
{
  TWeakRef<TCustomdxBarControl> self(this);
  if (!IsMouseAway(false)) NotifyItemMouseUp(control ? control->Link() : nullptr, p, shift, button);
  if (self && button == mbRight && !IsOwnerKeyNavigation(false)) ClickSelectedItem(control);
}

void TCustomdxBarControl::MouseUpInControl(POINT p)
{
  if (FItemDragPending) {
    ReleaseCapture();
    return;
  }
  TdxBarItemControl* pressed = FPressedItemControl;
  if (pressed) ReleaseCapture();
  TWeakRef<TCustomdxBarControl> self(this);
  const RECT client = ClientRect();
  if (PtInRect(&client, p) && FActive && !IsCustomizing()) {
    TdxBarItemControl* control = ItemControlAtPoint(p);
    if (control && control->CanClick()) {
      const bool selected = control == GetSelectedItemControl();
      if (control->IsEnabled() && selected) {
        control->ClickItem(true);
      } else if (!control->IsEnabled() && !selected && GetBarControlKind() == TdxBarKind::bkBarControl) {
        TdxBarItemControl* current = GetSelectedItemControl();
        const bool dropDownOpen = current && InheritsFromClassNamed(current, "TdxBarButtonControl") && current->IsPressedOrOpen();
        if (!dropDownOpen) CloseUp(TdxBarCloseReason::ClickElsewhere);
      }
    }
  }
  if (pressed && self && IsBarControlAlive(this)) {
    // A press that held no capture (a toolbar button) ends here, not with a capture change.
    if (FPressedItemControl == pressed) FPressedItemControl = nullptr;
    CloseUp(TdxBarCloseReason::ClickElsewhere);
  }
}

void TCustomdxBarControl::MouseTrackingLeft()
{
  FMousePos = POINT{-1, -1};
  if (FBarManager && FBarManager->MouseTrackingControl() == this && !KeepsMouseTracking()) {
    FBarManager->ReleaseMouseTrackingControl();
    MouseLeft();
  }
}

void TCustomdxBarControl::MouseLeft()
{
  SetMouseInside(false);
  NotifyItemMouseMove(nullptr, POINT{-1, -1}, {});
  if (FMarkState == dxBarMarkHot) SetMarkState(dxBarMarkNone);
  TdxBarItemControl* selected = GetSelectedItemControl();
  if (!FPressedItemControl && selected && !selected->IsPressedOrOpen() && !IsCustomizing()) HotTrackItemControl(nullptr);
}

void TCustomdxBarControl::DoubleClickOnItem(TdxBarItemControl* control)
{
  if (IsDesigning()) {
    if (TdxBarItem* item = control->GetItem()) item->HandleDesignerDblClick();
    return;
  }
  if (control->OpensSubMenu()) {
    TdxBarItemLinks* links = control->GetItem() ? control->GetItem()->GetItemLinks() : nullptr;
    TCustomdxBarControl* menu = links ? links->BarControl() : nullptr;
    if (menu && menu->HasMark()) menu->SetMarkState(dxBarMarkDropped);
    return;
  }
  control->DblClick();
}

void TCustomdxBarControl::NotifyItemMouseMove(TdxBarItemLink* link, POINT p, TShiftState shift)
{
  if (link != FMouseLink) {
    if (FMouseLink && FMouseLink->Control()) FMouseLink->Control()->MouseLeft();
    FMouseLink = link;
    if (link && link->Control()) link->Control()->MouseEntered(shift, p);
  }
  if (link && link->Control()) link->Control()->MouseMovedInside(shift, p);
}

void TCustomdxBarControl::NotifyItemMouseDown(TdxBarItemLink* link, POINT p, TShiftState shift, TMouseButton button)
{
  if (link && link->Control()) link->Control()->MouseDownInside(button, shift, p);
}

void TCustomdxBarControl::NotifyItemMouseUp(TdxBarItemLink* link, POINT p, TShiftState shift, TMouseButton button)
{
  if (link && link->Control()) link->Control()->MouseUpInside(button, shift, p);
}

// --- Keys ---

void TCustomdxBarControl::KeyPressed(int key)
{
  TdxBarItemControl* selected = GetSelectedItemControl();
  // Keyboard navigation with key tips ends here once the navigation controller runs it.
  if (key != VK_RETURN || !selected) return;
  selected->PerformClick(false, true);
}

void TCustomdxBarControl::HandleKeyDown(WORD& key, TShiftState shift)
{
  if (IsVertical()) key = TurnedArrowKey(key);
  if (GetBarControlKind() != TdxBarKind::bkBarControl) {
    // A menu moves with Up and Down; Left and Right belong to its owner.
    switch (key) {
      case VK_LEFT:
      case VK_RIGHT: key = 0; break;
      case VK_UP: key = VK_LEFT; break;
      case VK_DOWN: key = VK_RIGHT; break;
      default: break;
    }
  }
  bool fromTab = false;
  if (key == VK_TAB) {
    if (shift.Contains(ssCtrl)) {
      SelectNextToolbar(!shift.Contains(ssShift));
      return;
    }
    key = shift.Contains(ssShift) ? VK_LEFT : VK_RIGHT;
    fromTab = true;
  }
  if (!FItemLinks) return;
  TWeakRef<TCustomdxBarControl> self(this);
  auto startEditing = [&] {
    TdxBarItemControl* selected = self ? GetSelectedItemControl() : nullptr;
    if (fromTab && selected && selected->IsWindowed()) selected->PerformClick(false, true);
  };
  switch (key) {
    case VK_END:
    case VK_HOME: {
      TdxBarItemLink* link =
          key == VK_END ? FItemLinks->FindLastSelectableLink() : FItemLinks->FindFirstSelectableLink();
      if (link) ChangeSelection(link->Control());
      return;
    }
    case VK_LEFT: {
      TdxBarItemLink* link = FSelectedLink ? FItemLinks->FindPrevSelectableLink(FSelectedLink, false)
                                           : FItemLinks->FindFirstSelectableLink();
      if (link) ChangeSelection(link->Control());
      startEditing();
      return;
    }
    case VK_RIGHT: {
      TdxBarItemLink* link = FSelectedLink ? FItemLinks->FindNextSelectableLink(FSelectedLink, false)
                                           : FItemLinks->FindFirstSelectableLink();
      if (link) {
        ChangeSelection(link->Control());
        startEditing();
      }
      return;
    }
    case VK_F10:
      if (!FBarManager || !FBarManager->UseF10ForMenu()) break;
      [[fallthrough]];
    case VK_MENU:
      key = 0;
      CloseUp(TdxBarCloseReason::ClickElsewhere);
      return;
    default: break;
  }
  if (key && IsPrintableCharKey(key)) {
    bool unique = true;
    if (TdxBarItemLink* link = FindEnabledLinkByAccel(key, shift, FSelectedLink, unique); link && link->Control())
      SelectAndClick(link->Control(), unique);
  }
}

TCustomdxBarControl* TCustomdxBarControl::GetNextToolbar(bool forward) const
{
  TCustomdxBarControl* root = GetRootToolbarControl(const_cast<TCustomdxBarControl*>(this));
  TdxBar* bar = root ? root->GetBar() : nullptr;
  return bar ? FindNextToolbarControl(bar, forward) : nullptr;
}

void TCustomdxBarControl::SelectNextToolbar(bool forward)
{
  TCustomdxBarControl* next = GetNextToolbar(forward);
  if (!next) return;
  if (TCustomdxBarControl* root = GetRootToolbarControl(this)) root->LeaveKeyboardMode();
  if (!IsBarControlAlive(next)) return;
  if (TdxBarItemLink* link = next->ItemLinks()->FindFirstSelectableLink()) next->SelectItemControl(link->Control());
}

// --- Painting ---

void TCustomdxBarControl::Paint()
{
  TcxCanvas* canvas = GetCanvas();
  canvas->PushClipRegion();
  struct TPop {
    TcxCanvas* Canvas;
    ~TPop() { Canvas->PopClipRegion(); }
  } pop{canvas};
  DrawItems();
  FillBackground(canvas->GetDCHandle(), ClientRect());
}

void TCustomdxBarControl::DrawItems()
{
  if (!FViewInfo) return;
  TcxCanvas* canvas = GetCanvas();
  for (int i = 0; i < FViewInfo->GetItemControlViewInfoCount(); ++i) {
    TdxBarItemControlViewInfo* info = FViewInfo->ItemControlViewInfoAt(i);
    if (CanDrawItemControl(info->Control())) RepaintItemControl(info->Control());
    canvas->ExcludeRectFromClip(info->GetBounds());
  }
}

void TCustomdxBarControl::RepaintItemControl(TdxBarItemControl* control)
{
  FState.Include(TState::sPaintingItem);
  struct TDone {
    TSet<TState>& State;
    HBRUSH& Brush;
    ~TDone()
    {
      State.Exclude(TState::sPaintingItem);
      Brush = nullptr;
    }
  } done{FState, FCurrentBackgroundBrush};
  FCurrentBackgroundBrush = GetBackgroundBrush();
  DrawItemControl(control, GetCanvas(), control->GetBoundsRect());
}

void TCustomdxBarControl::DrawItemControl(TdxBarItemControl* control, TcxCanvas* canvas, const RECT& rect)
{
  canvas->PushClipRegion();
  {
    struct TPop {
      TcxCanvas* Canvas;
      ~TPop() { Canvas->PopClipRegion(); }
    } pop{canvas};
    canvas->IntersectClipWithRect(control->ViewInfo()->GetBounds());
    control->Draw(rect, GetOrientationFlags());
  }
  TdxBarItemLink* link = control->Link();
  if (link && link->IsSelectedForDesign()) {
    // The designer's default selection gets the double frame, any other the double focus rect.
    DrawDoubleFocusRect(canvas->GetDCHandle(), rect);
  }
}

void TCustomdxBarControl::InvalidateRectOfItem(TdxBarItemControl* control)
{
  if (!HandleAllocated() || !control) return;
  const RECT r = control->GetBoundsRect();
  InvalidateRect(Handle(), &r, FALSE);
}

void TCustomdxBarControl::Resize()
{
  TCustomControl::Resize();
  if (!ActsAsMenu() || !HandleAllocated()) return;
  if (TdxBarPainter* painter = GetPainter()) {
    RECT r;
    GetWindowRect(Handle(), &r);
    OffsetRect(&r, -r.left, -r.top);
    painter->MenuWindowResized(Handle(), r, true);
  }
}

void TCustomdxBarControl::FillNonClientBackground(HDC dc, HRGN region)
{
  const int saved = SaveDC(dc);
  SelectClipRgn(dc, region);
  RECT r;
  GetWindowRect(Handle(), &r);
  OffsetRect(&r, -r.left, -r.top);
  FillBackground(dc, r);
  RestoreDC(dc, saved);
}
