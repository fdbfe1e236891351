// Dragging a toolbar with the mouse: the modal loop of the bars collection, the dock under the
// cursor, one step of the move, and the delayed docking of a floating toolbar.
#include <windowsx.h>
#include "classlib/Application.h"
#include "classlib/ThreadTimer.h"
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarDockControl.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarRoutines.h"
#include "toolkit/bars/dxBarToolbar.h"

namespace {
bool FloatingKeyDown() { return GetAsyncKeyState(VK_CONTROL) < 0; }
}  // namespace

bool (*dxBarIsFloatingKeyDown)() = &FloatingKeyDown;

namespace {
// One drag at a time in the process: the delayed-docking timer and the manager whose drag it serves.
TThreadTimer& DockingTimer()
{
  static TThreadTimer timer;
  return timer;
}
TWeakRef<TdxBarManager> GDockingTimerManager;

POINT operator+(POINT a, POINT b) { return POINT{a.x + b.x, a.y + b.y}; }
POINT operator-(POINT a, POINT b) { return POINT{a.x - b.x, a.y - b.y}; }

// The window that holds the mouse during the drag: the application's window while it is visible,
// else the manager's owner.
HWND CaptureWindowOf(TdxBarManager* manager)
{
  if (Application && Application->Handle() && IsWindowVisible(Application->Handle())) return Application->Handle();
  TWinControl* owner = manager->GetOwnerControl();
  return owner ? owner->Handle() : nullptr;
}

// The dock and its parents up to the form are visible and enabled.
bool DockCanTakeFocus(TdxDockControl* dock)
{
  for (TWinControl* c = dock; c; c = c->Parent()) {
    if (!c->Visible() || !c->Enabled()) return false;
    if (dynamic_cast<TCustomForm*>(c)) break;
  }
  return true;
}

// A dock inside a parent that is not on top where the point is (another window covers it there)
// takes nothing.
bool PointOverDockParent(TdxDockControl* dock, POINT screen)
{
  if (!dock->HandleAllocated() || !dock->Parent() || !dock->Parent()->Parent()) return true;
  TWinControl* grand = dock->Parent()->Parent();
  if (!grand->HandleAllocated() || !dock->Parent()->HandleAllocated()) return true;
  POINT p = screen;
  ScreenToClient(grand->Handle(), &p);
  return ChildWindowFromPointEx(grand->Handle(), p, CWP_SKIPINVISIBLE) == dock->Parent()->Handle();
}

void StopDockingTimer()
{
  if (DockingTimer().Active()) GDockingTimerManager = nullptr;
  DockingTimer().Kill();
}

}  // namespace

void TdxBars::DockingTimerTick()
{
  DockingTimer().Kill();
  TdxBarManager* manager = GDockingTimerManager.Get();
  if (!manager) return;
  TdxBars* bars = manager->Bars();
  if (TdxBarControl* control = bars->MovingBarControl()) {
    POINT cursor{};
    GetCursorPos(&cursor);
    TdxValueScope<bool> byTimer(bars->FDockingByTimer, true);
    bars->MoveBarControl(control, cursor + bars->DragOffset());
  }
  GDockingTimerManager = nullptr;
}

UINT_PTR TdxBars::DockingTimerID() { return DockingTimer().ID(); }

TdxBarDockingStyle TdxBars::FindDockingTarget(TdxBar* bar, POINT screen, TdxDockControl*& dockControl) const
{
  dockControl = nullptr;
  if (FMoving && dxBarIsFloatingKeyDown()) return dsNone;
  TdxBarManager* manager = FBarManager;
  for (int pass = 0; pass < (FMoving ? 2 : 1); ++pass) {
    const POINT p = pass == 0 ? screen : screen - FDragOffset;
    for (TdxBarDockingStyle style : {dsLeft, dsRight, dsTop, dsBottom})
      for (int i = 0; i < manager->GetDockControlCount(); ++i) {
        TdxDockControl* dock = manager->GetDockControl(i);
        if (dock->DockingStyle() != style) continue;
        if (!manager->IsDesigning() && !DockCanTakeFocus(dock)) continue;
        if (!manager->CanDockBar(bar, style, dock)) continue;
        const RECT zone = dock->GetDockingZoneRect();
        if (!PtInRect(&zone, p) || !PointOverDockParent(dock, p)) continue;
        dockControl = dock;
        return style;
      }
  }
  return dsNone;
}

void TdxBars::MoveBarControl(TdxBarControl* control, POINT screen)
{
  TdxBar* bar = control->GetBarOfControl();
  TdxDockControl* dock = nullptr;
  TdxBarDockingStyle style = FindDockingTarget(bar, screen, dock);
  if (!FBarManager->CanDockBar(bar, style, dock)) return;
  if (!FDockingByTimer && control->DockingStyle() == dsNone && style != dsNone) {
    // A floating toolbar docks once the cursor rests over the dock; until then it floats on.
    StopDockingTimer();
    GDockingTimerManager = FBarManager;
    DockingTimer().Start(static_cast<UINT>(FBarManager->WaitForDockingTime()), &TdxBars::DockingTimerTick);
    style = dsNone;
    dock = nullptr;
  }
  if (style == dsNone) screen = screen - FDragOffset;
  HWND wnd = control->Handle();
  if (style == control->DockingStyle() && (style == dsNone || dock == control->DockControl())) {
    if (style != dsNone) {
      dock->MoveBarControl(control, screen);
    } else {
      const POINT grab = control->GetGrabOffsetForDockingStyle(dsNone);
      SetWindowPos(wnd, nullptr, screen.x - grab.x, screen.y - grab.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return;
  }
  control->HideWindow();
  if (control->DockingStyle() != dsNone) {
    if (TdxDockControl* old = control->DockControl()) old->RemoveBarControl(control, nullptr, true);
    if (TdxBarItemLinks* links = control->ItemLinks()) links->SetRecentItemCount(-1);
  }
  control->BeginInternalChange();
  try {
    control->ChangeDock(style, dock);
  } catch (...) {
    control->EndInternalChange();
    throw;
  }
  control->EndInternalChange();
  wnd = control->Handle();
  if (style != dsNone) {
    dock->DockBarAt(control, screen, true);
  } else {
    const SIZE size = control->CalcSizeForDockingStyle(dsNone);
    const POINT grab = control->GetGrabOffsetForDockingStyle(dsNone);
    SetWindowPos(wnd, nullptr, screen.x - grab.x, screen.y - grab.y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  ShowWindow(wnd, SW_SHOWNA);
}

void TdxBars::DragBarControl(TdxBarControl* control)
{
  if (!control || !control->HasGrip()) return;
  TdxBar* bar = control->GetBarOfControl();
  TdxDockControl* startDock = control->DockingStyle() != dsNone ? control->DockControl() : nullptr;
  TdxDockCol* col = startDock ? startDock->FindCol(control) : nullptr;
  // The place the drag starts from, in the dock's client coordinates.
  if (col && bar) col->SetPos(POINT{bar->DockedLeft(), bar->DockedTop()});
  TWeakRef<TdxBarControl> self(control);
  HWND capture = nullptr;
  // Whatever ends the drag, errors included.
  auto finish = [&] {
    StopDockingTimer();
    if (capture && GetCapture() == capture) ReleaseCapture();
    if (self) {
      self->SetMoving(false);
      if (self->DockingStyle() != dsNone)
        if (TdxDockControl* dock = self->DockControl()) dock->StoreColumnPositions();
    }
    FMoving = false;
  };
  FMoving = true;
  try {
    control->SetMoving(true);
    POINT start{};
    GetCursorPos(&start);
    FStartDockingStyle = control->DockingStyle();
    FDragOffset = POINT{};
    FGrabOffset = POINT{};
    if (startDock && col && bar) {
      POINT origin = col->Pos();
      ClientToScreen(startDock->Handle(), &origin);
      const TdxDockRowHit row{bar->Row(), bar->OneOnRow()};
      startDock->RemoveBarControl(control, col, false);
      // The cursor's offset across the rows from where the bar's row stands.
      const POINT rowPoint = startDock->GetRowSnapPoint(row.Row, row.NewRow, start);
      if (startDock->IsHorizontal())
        FDragOffset.y = rowPoint.y - start.y;
      else
        FDragOffset.x = rowPoint.x - start.x;
      control->BeginInternalChange();
      startDock->DockBarAt(control, origin, false);
      control->EndInternalChange();
      RECT window{};
      GetWindowRect(control->Handle(), &window);
      FGrabOffset = POINT{start.x - window.left, start.y - window.top};
    }
    DispatchPendingPaintMessages();
    capture = CaptureWindowOf(FBarManager);
    SetCapture(capture);
    POINT last = start;
    bool ending = false;
    while (!ending && self && GetCapture() == capture) {
      MSG msg{};
      const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
      if (got == -1) break;
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        break;
      }
      if (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) {
        if (msg.wParam == VK_ESCAPE) break;
        if (msg.wParam != VK_CONTROL) continue;
        // Ctrl pressed or released: the target is looked at again where the cursor is.
        POINT cursor{};
        GetCursorPos(&cursor);
        msg = MSG{};
        msg.message = WM_MOUSEMOVE;
        msg.lParam = MAKELPARAM(cursor.x, cursor.y);
        last = POINT{-1, -1};
      }
      switch (msg.message) {
        case WM_MOUSEMOVE: {
          POINT p{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
          if (msg.hwnd) ClientToScreen(msg.hwnd, &p);
          if (p.x == last.x && p.y == last.y) break;
          MoveBarControl(control, p + FDragOffset);
          last = p;
          break;
        }
        case WM_LBUTTONUP: ending = true; break;
        default:
          if (Application)
            Application->HandleLoopMessage(msg);
          else {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
          }
      }
    }
  } catch (...) {
    finish();
    throw;
  }
  finish();
}
