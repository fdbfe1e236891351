// The toolbar window of a bar: made through the bar's links when the bar shows, placed from the
// stored placement (the last docked place, or the floating bounds), shown without activation, and
// freed when the bar hides, after its place has been stored back into the bar.
#include <algorithm>
#include "classlib/Forms.h"
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarDockControl.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarToolbar.h"

namespace {
// Stored placements are outside input: a floating window keeps within the tracking limits.
constexpr int MinFloatingSize = 10;
constexpr int MaxFloatingSize = 30000;

// An extent kept within the limits.
int FloatingWindowExtent(int extent) { return std::clamp(extent, MinFloatingSize, MaxFloatingSize); }

// A window that shows on the screen: visible, and no window up its parent and owner chain minimised.
bool IsWindowShowing(HWND wnd)
{
  if (!wnd || !IsWindowVisible(wnd)) return false;
  for (HWND w = wnd; w; w = GetParent(w))
    if (IsIconic(w)) return false;
  return true;
}

// The control's docking style and dock changed inside its internal-change count, so that the
// bar-level reactions of a docking change are skipped.
void SetPlace(TdxBarControl* control, TdxBarDockingStyle style, TdxDockControl* dock)
{
  control->BeginInternalChange();
  struct TEnd {
    TdxBarControl* Control;
    ~TEnd() { Control->EndInternalChange(); }
  } end{control};
  control->SetDockingStyle(style);
  control->SetRealDockControl(dock);
}

// The window is made before the layout measures it: the text height and the other metrics of the
// items come from the window's font, and without them text-only items would measure as empty. A
// window is made only where its parent or owner already has one.
void MakeWindowToMeasure(TdxBarControl* control, TdxBarManager* manager)
{
  if (control->HandleAllocated()) return;
  TWinControl* parent = control->IsFloating() ? (manager ? manager->GetOwnerControl() : nullptr) : control->DockControl();
  if (parent && parent->HandleAllocated()) control->HandleNeeded();
}
}  // namespace

TCustomdxBarControl* TdxBar::CreateBarControl()
{
  TdxBarManager* manager = GetBarManager();
  if (!manager) return nullptr;
  auto* control = New<TdxBarControl>(manager);
  control->SetBar(this);
  control->UpdateFont();
  return control;
}

void TdxBar::PlaceBarControl(TdxBarControl* control)
{
  const TdxBarDockingStyle style = DockingStyle();
  if (style != dsNone) {
    TdxDockControl* dock = GetRealDockControl();
    SetPlace(control, style, dock);
    MakeWindowToMeasure(control, GetBarManager());
    const SIZE size = control->CalcSizeForDockingStyle(style);
    control->SetBounds(control->Left(), control->Top(), size.cx, size.cy);
    POINT at{FDockedLeft, FDockedTop};
    if (dock && dock->HandleAllocated()) at = dock->ClientToScreen(at);
    if (TdxBars* bars = GetBars()) bars->InsertBarControl(style, DockControl(), control, at);
    return;
  }
  SetPlace(control, dsNone, nullptr);
  MakeWindowToMeasure(control, GetBarManager());
  const SIZE size = control->CalcSizeForDockingStyle(dsNone);
  control->SetBounds(FFloatLeft, FFloatTop, FloatingWindowExtent(size.cx), FloatingWindowExtent(size.cy));
}

void TdxBar::ShowBarControl()
{
  TdxBarControl* control = GetBarControl();
  if (!control) return;
  PlaceBarControl(control);
  TdxBarManager* manager = GetBarManager();
  bool show = DockingStyle() != dsNone;
  if (!show && manager) {
    TWinControl* owner = manager->GetOwnerControl();
    TCustomForm* form = manager->GetNearestForm();
    const bool formActive = form && form->HandleAllocated() && GetActiveWindow() == form->Handle();
    show = owner && owner->HandleAllocated() && IsWindowShowing(owner->Handle()) &&
           (!manager->HideFloatingBarsWhenInactive() || manager->IsCustomizing() || formActive);
  }
  if (show) control->ShowToolbar();
  if (manager) manager->RemoveFromReshowBarList(this);
}

void TdxBar::UpdateBarControlPosition()
{
  TdxBarControl* control = GetBarControl();
  if (control && !control->InternalChanging() && !FChangingDockingStyle) PlaceBarControl(control);
}

void TdxBar::StoreBarControlPlacement(TdxBarControl* control)
{
  if (!control || !control->HandleAllocated()) return;
  RECT window{};
  GetWindowRect(control->Handle(), &window);
  if (control->DockingStyle() == dsNone) {
    RECT client{};
    GetClientRect(control->Handle(), &client);
    FFloatLeft = window.left;
    FFloatTop = window.top;
    FFloatClientWidth = client.right;
    FFloatClientHeight = client.bottom;
    return;
  }
  FDockedDockingStyle = control->DockingStyle();
  FDockedDockControl = DockControl();
  if (TdxDockControl* dock = control->DockControl(); dock && dock->HandleAllocated()) {
    const POINT at = dock->ScreenToClient(POINT{window.left, window.top});
    FDockedLeft = std::max<int>(at.x, 0);
    FDockedTop = std::max<int>(at.y, 0);
  }
}

void TdxBars::InsertBarControl(TdxBarDockingStyle style, TdxDockControl* dockControl, TdxBarControl* control,
                               POINT screenPoint)
{
  TdxDockControl* dock = dockControl ? dockControl : DockControls(style);
  if (!dock || !control) return;
  control->SetRealDockControl(dock);
  // Placed as a re-created toolbar: a bar keeps its stored row, and the point is where the window
  // goes (no grab offset of a drag).
  control->BeginInternalChange();
  struct TEnd {
    TdxBarControl* Control;
    ~TEnd() { Control->EndInternalChange(); }
  } end{control};
  if (dock->FindCol(control))
    dock->MoveBarControl(control, screenPoint);
  else
    dock->DockBarAt(control, screenPoint, true);
}

void TdxBarControl::BeforeDestruction()
{
  // Weak references to this control read empty from here on, so its column in the dock's rows is
  // dead: the dock's realignment drops it and takes the dock's size in.
  if (TdxDockControl* dock = DockControl(); dock && DockingStyle() != dsNone && !dock->IsDestroying())
    dock->RealignIfAllowed();
  TdxBarDockedControl::BeforeDestruction();
}

bool TdxBar::ShowsSizeGrip() const
{
  if (!IsStatusBarLike() || !FSizeGrip) return false;
  TdxBarManager* manager = GetBarManager();
  TWinControl* owner = manager ? manager->GetOwnerControl() : nullptr;
  if (owner && owner->HandleAllocated() && IsZoomed(owner->Handle())) return false;
  TdxBarControl* control = GetBarControl();
  if (!control || !control->HandleAllocated()) return true;
  // The window lies at the bottom of its form: every parent up to the form ends where it ends.
  HWND child = control->Handle();
  for (HWND parent = GetParent(child); parent; child = parent, parent = GetParent(parent)) {
    const LONG style = GetWindowLongA(parent, GWL_STYLE);
    const LONG exStyle = GetWindowLongA(parent, GWL_EXSTYLE);
    if (!(style & WS_CHILD) || (exStyle & WS_EX_MDICHILD)) break;
    RECT bounds{}, client{};
    GetWindowRect(child, &bounds);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&bounds), 2);
    GetClientRect(parent, &client);
    if (bounds.bottom != client.bottom) return false;
  }
  return true;
}
