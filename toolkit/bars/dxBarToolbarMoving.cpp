// A toolbar window on the move: the two windows it holds while it is dragged between docks and
// floating, the position it stores in its bar after a move, its grip, and the double click that
// docks a floating bar or lets a docked one float.
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarDockControl.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarRoutines.h"
#include "toolkit/bars/dxBarToolbar.h"

HWND TdxBarControl::MakeOtherWindow(TdxBarDockingStyle style, TdxDockControl* dockControl)
{
  const TdxBarDockingStyle current = DockingStyle();
  TdxDockControl* currentDock = DockControl();
  HWND held = DetachHandle();
  SetRealDockControl(dockControl);
  SetDockingStyle(style);
  HWND other = nullptr;
  try {
    HandleNeeded();
    other = DetachHandle();
  } catch (...) {
    SetRealDockControl(currentDock);
    SetDockingStyle(current);
    AttachHandle(held);
    throw;
  }
  SetRealDockControl(currentDock);
  SetDockingStyle(current);
  AttachHandle(held);
  return other;
}

void TdxBarControl::SetMoving(bool value)
{
  if (FMoving == value) return;
  TdxBars* bars = BarManager() ? BarManager()->Bars() : nullptr;
  if (!bars) return;
  if (value) {
    HandleNeeded();
    DestroyControls();
    if (DockingStyle() != dsNone) {
      FFloatingWnd = MakeOtherWindow(dsNone, nullptr);
      FDockedWnd = Handle();
    } else {
      // The docked window waits without a parent until the bar reaches a dock.
      FDockedWnd = MakeOtherWindow(dsLeft, bars->DockControls(dsLeft));
      FFloatingWnd = Handle();
      ::SetParent(FDockedWnd, nullptr);
    }
    FMoving = true;
    bars->SetMovingBarControl(this);
    CreateControls();
  } else {
    FMoving = false;
    bars->SetMovingBarControl(nullptr);
    HWND unused = DockingStyle() == dsNone ? FDockedWnd : FFloatingWnd;
    FDockedWnd = FFloatingWnd = nullptr;
    if (unused && IsWindow(unused)) DestroyWindow(unused);
    if (TdxBar* bar = GetBar()) bar->DockTo(DockingStyle(), DockControl());
    StoreBarPosition();
  }
  if (HandleAllocated()) {
    SendMessageA(Handle(), WM_SIZE, 0, 0);
    Invalidate();
  }
}

void TdxBarControl::ChangeDock(TdxBarDockingStyle style, TdxDockControl* dockControl)
{
  TdxBarManager* manager = BarManager();
  if (!GetBar() || !manager || Destroying()) return;
  if (style == dsNone)
    dockControl = nullptr;
  else if (!dockControl)
    dockControl = manager->Bars()->DockControls(style);
  if (FMoving) {
    DestroyControls();
    DetachHandle();  // held as the docked or the floating window
    SetRealDockControl(dockControl);
    SetDockingStyle(style);
    AttachHandle(style == dsNone ? FFloatingWnd : FDockedWnd);
    ::SetParent(FDockedWnd, dockControl ? dockControl->Handle() : nullptr);
    CreateControls();
    Invalidate();
    return;
  }
  DestroyHandle();
  SetRealDockControl(dockControl);
  SetDockingStyle(style);
  HandleNeeded();
  SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TdxBarControl::HideWindow()
{
  if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
}

void TdxBarControl::StoreBarPosition()
{
  TdxBar* bar = GetBar();
  TdxBarManager* manager = BarManager();
  if (!bar || !bar->Visible() || FMoving || FStoringPosition || !manager || manager->IsDestroying() ||
      !HandleAllocated())
    return;
  TdxValueScope<bool> storing(FStoringPosition, true);
  manager->ChangeModificationLock(true);
  struct TUnlock {
    TdxBarManager* Manager;
    ~TUnlock() { Manager->ChangeModificationLock(false); }
  } unlock{manager};
  if (DockingStyle() == dsNone) {
    RECT window{};
    GetWindowRect(Handle(), &window);
    RECT client{};
    GetClientRect(Handle(), &client);
    bar->SetFloatLeft(window.left);
    bar->SetFloatTop(window.top);
    bar->SetFloatClientWidth(client.right);
    bar->SetFloatClientHeight(client.bottom);
    return;
  }
  TdxDockControl* dock = DockControl();
  if (!dock || dock->IsDestroyingBarControl() || manager->IsReshowingBars()) return;
  bar->SetDockedDockingStyle(DockingStyle());
  bar->SetDockedDockControl(dock->HasDockingStyle() ? nullptr : static_cast<TdxBarDockControl*>(dock));
  if (TdxDockCol* col = dock->FindCol(this)) {
    bar->SetOneOnRow(col->Row()->ColCount() == 1);
    const RECT r = WindowBoundsRect();
    bar->SetDockedLeft(r.left);
    bar->SetDockedTop(r.top);
  }
}

RECT TdxBarControl::GetGripRect() const
{
  TdxBar* bar = GetBar();
  if (DockingStyle() == dsNone || !bar || bar->BorderStyle() == bbsNone) return RECT{};
  return IsVertical() ? RECT{-100, -100, 100, 0} : RECT{-100, -100, 0, 100};
}

void TdxBarControl::ToggleDocking()
{
  TdxBar* bar = GetBar();
  TdxBarManager* manager = BarManager();
  if (!bar || !manager || manager->IsDesigning()) return;
  TdxBarDockingStyle style = dsNone;
  TdxDockControl* dock = nullptr;
  bool neverDocked = false;
  if (DockingStyle() == dsNone) {
    style = bar->DockedDockingStyle();
    neverDocked = style == dsNone;
    if (neverDocked) style = dsTop;
    dock = bar->DockedDockControl() && !neverDocked ? static_cast<TdxDockControl*>(bar->DockedDockControl())
                                                    : manager->Bars()->DockControls(style);
  }
  if (!manager->CanDockBar(bar, style, dock)) return;
  // Hiding the bar frees this window: only the bar and the manager are used from here on.
  bar->SetVisible(false);
  if (style == dsNone) {
    bar->SetDockingStyle(dsNone);
  } else {
    bar->DockTo(style, dock);
    if (neverDocked) {
      bar->SetOneOnRow(true);
      bar->SetRow(dock ? dock->RowCount() : 0);
    }
  }
  bar->SetVisible(true);
}

void TdxBarControl::StartMove(bool doubleClick)
{
  if (doubleClick) {
    ToggleDocking();
    return;
  }
  TdxBarManager* manager = BarManager();
  if (!manager) return;
  RECT window{};
  GetWindowRect(Handle(), &window);
  POINT cursor{};
  GetCursorPos(&cursor);
  SetGrabPoint(POINT{cursor.x - window.left, cursor.y - window.top},
               SIZE{window.right - window.left, window.bottom - window.top});
  manager->Bars()->DragBarControl(this);
}
