// Lining up the toolbars of a dock: row rects and the dock's size, the alignment of one row
// (toolbars shortened from the end of a row that is too short, kept at their places in one that is
// long enough, the rest space), the realignment of the whole dock and its size update.
#include <algorithm>
#include <numeric>
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarDockControl.h"
#include "toolkit/bars/dxBarItemLinks.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarToolbar.h"
#include "toolkit/bars/dxBarUnit.h"

namespace {
IdxDockedBarSizes* SizesOf(TdxBarControl* control) { return Supports<IdxDockedBarSizes>(control); }

// A toolbar's borders along and across the dock.
int BordersAlong(TdxBarControl* control, bool vertical)
{
  const RECT b = control->GetBorderSizes();
  return vertical ? b.top + b.bottom : b.left + b.right;
}

int BordersAcross(TdxBarControl* control, bool vertical)
{
  const RECT b = control->GetBorderSizes();
  return vertical ? b.left + b.right : b.top + b.bottom;
}

// The toolbar's current client length along and thickness across (for a toolbar that gives no
// sizes of its own).
int CurrentAlong(TdxBarControl* control, bool vertical)
{
  return (vertical ? control->Height() : control->Width()) - BordersAlong(control, vertical);
}

int CurrentAcross(TdxBarControl* control, bool vertical)
{
  return (vertical ? control->Width() : control->Height()) - BordersAcross(control, vertical);
}
}  // namespace

POINT TdxDockControl::GrabOffset(TdxBarControl* control, TdxBarDockingStyle style)
{
  IdxDockedBarSizes* sizes = SizesOf(control);
  return sizes ? sizes->GetGrabOffsetForDockingStyle(style) : POINT{};
}

// --- Rows and the dock's size ---

int TdxDockControl::RowSize(int row) const
{
  TdxDockRow* r = Rows(row);
  if (!r->HasDockedBarControl()) return 0;
  const bool vertical = !IsHorizontal();
  int size = 0;
  for (int i = 0; i < r->ColCount(); ++i)
    if (TdxBarControl* control = r->Cols(i)->BarControl())
      size = std::max(size, vertical ? control->Width() : control->Height());
  if (row < RowCount() - 1)
    if (TdxBarPainter* painter = GetPainter()) size += painter->GetDockRowSpacing();
  return size;
}

RECT TdxDockControl::GetRowRect(int row) const
{
  if (row < 0 || row >= RowCount()) return RECT{};
  int offset = 0;
  if (MovingBarControl() && IsFarEdge()) {
    offset = ClientExtentAcross();
    for (int i = row; i < RowCount(); ++i) offset -= RowSize(i);
  } else {
    for (int i = 0; i < row; ++i) offset += RowSize(i);
  }
  const int size = RowSize(row);
  const int length = ClientExtentAlong();
  return IsHorizontal() ? RECT{0, offset, length, offset + size} : RECT{offset, 0, offset + size, length};
}

int TdxDockControl::CalcDockSize() const
{
  int size = 0;
  for (int i = 0; i < RowCount(); ++i) size += RowSize(i);
  return size;
}

int TdxDockControl::GetDockExtent() const
{
  const int size = CalcDockSize();
  return size > 0 && GetSunkenBorder() ? size + 2 : size;
}

// --- Row alignment ---

SIZE TdxDockControl::SizeForLength(TdxDockCol* col, int length) const
{
  TdxBarControl* control = col->BarControl();
  if (!control) return SIZE{};  // a column whose toolbar is being freed takes no room
  const bool vertical = !IsHorizontal();
  length -= BordersAlong(control, vertical);
  if (TdxBarPainter* painter = GetPainter(); painter && !painter->AllowsQuickCustomizingMark())
    length -= control->GetMarkSize();
  IdxDockedBarSizes* sizes = SizesOf(control);
  if (!sizes) return SIZE{length, CurrentAcross(control, vertical)};
  if (!vertical) return sizes->CalcSizeForPoint(GetDockingStyle(), length);
  const SIZE s = sizes->CalcSizeForHeight(GetDockingStyle(), length, false);
  return SIZE{s.cy, s.cx};
}

void TdxDockControl::PrepareRowColumn(TdxDockCol* col, bool vertical)
{
  TdxBarControl* control = col->BarControl();
  col->FTruncated = false;
  if (TdxBarItemLinks* links = control->ItemLinks()) links->SetRecentItemCount(-1);
  const TdxBarDockingStyle style = GetDockingStyle();
  IdxDockedBarSizes* sizes = SizesOf(control);
  const int borders = BordersAlong(control, vertical);
  const int current = CurrentAlong(control, vertical);
  col->FMinLength = (sizes ? (vertical ? sizes->CalcHeight(style) : sizes->CalcWidth(style)) : current) + borders;
  col->FFullLength = (sizes ? (vertical ? sizes->CalcMinHeight(style) : sizes->CalcMinWidth(style)) : current) + borders;
  if (!control->HasMark() && col->FMinLength != col->FFullLength) col->FMinLength += control->GetMarkSize();
}

void TdxDockControl::AlignRow(int rowIndex, int length)
{
  if (rowIndex < 0 || rowIndex >= RowCount()) return;
  TdxDockRow* row = Rows(rowIndex);
  row->DeleteDeadCols();
  const int n = row->ColCount();
  if (n == 0) return;
  const bool vertical = !IsHorizontal();
  const TdxBarDockingStyle style = GetDockingStyle();
  const RECT rowRect = GetRowRect(rowIndex);
  const int rowAlong = vertical ? rowRect.top : rowRect.left;
  const int rowAcross = vertical ? rowRect.left : rowRect.top;

  std::vector<TdxDockCol*> cols(n);
  for (int i = 0; i < n; ++i) {
    cols[i] = row->Cols(i);
    PrepareRowColumn(cols[i], vertical);
  }
  // The sums of the minimum and full lengths of the columns before each one.
  std::vector<int> minBefore(n + 1, 0), fullBefore(n + 1, 0);
  for (int i = 0; i < n; ++i) {
    minBefore[i + 1] = minBefore[i] + cols[i]->FMinLength;
    fullBefore[i + 1] = fullBefore[i] + cols[i]->FFullLength;
  }
  const int total = fullBefore[n];
  auto limit = [&](int value, int i) { return std::max(std::min(value, fullBefore[i]), minBefore[i]); };
  auto storedAlong = [&](TdxDockCol* col) { return static_cast<int>(vertical ? col->Pos().y : col->Pos().x); };
  auto setStoredAlong = [&](TdxDockCol* col, int value) {
    POINT p = col->Pos();
    (vertical ? p.y : p.x) = value;
    col->SetPos(p);
  };
  auto isMultiLine = [](TdxDockCol* col) { return col->BarControl()->IsMultiLine(); };
  // The thickness of a toolbar that gets its full length.
  auto fittingThickness = [&](TdxDockCol* col) {
    if (isMultiLine(col)) return static_cast<int>(SizeForLength(col, col->FLength).cy);
    IdxDockedBarSizes* sizes = SizesOf(col->BarControl());
    if (!sizes) return CurrentAcross(col->BarControl(), vertical);
    return vertical ? sizes->CalcMinWidth(style) : sizes->CalcMinHeight(style);
  };
  TdxBarControl* moving = MovingBarControl() ? FBarManager->Bars()->MovingBarControl() : nullptr;

  TdxBar* firstBar = cols[0]->Bar();
  if (firstBar && firstBar->WholeRow()) {
    TdxDockCol* col = cols[0];
    col->FLeft = rowAlong;
    col->FLength = std::max(length, col->FMinLength);
    col->FThickness = static_cast<int>(SizeForLength(col, col->FLength).cy);
    col->FTruncated = !isMultiLine(col) && col->FLength < col->FFullLength;
  } else if (length < total) {
    // Too short: from the end, each toolbar keeps what it can; the first takes the rest.
    int free = length;
    for (int i = n - 1; i >= 0; --i) {
      TdxDockCol* col = cols[i];
      int p = limit(storedAlong(col), i);
      if (i > 0 && cols[i - 1]->BarControl() == moving) {
        const int prevEnd = std::max(storedAlong(cols[i - 1]), minBefore[i - 1]) + cols[i - 1]->FFullLength;
        if (prevEnd < p) {
          p = prevEnd;
          setStoredAlong(col, p);
        }
      }
      if (free - p < col->FFullLength) {
        col->FTruncated = !isMultiLine(col) && col->FMinLength != col->FFullLength;
        col->FLength = std::max(free - p, col->FMinLength);
        col->FThickness = static_cast<int>(SizeForLength(col, col->FLength).cy);
      } else {
        col->FLength = col->FFullLength;
        col->FThickness = fittingThickness(col);
      }
      if (i == 0 && col->FLength < free) col->FLength = free;
      col->FLeft = limit(free - col->FLength, i);
      free -= col->FLength;
    }
  } else {
    // Enough room: stored places kept, pushed towards the start only as far as needed.
    int free = length;
    for (int i = n - 1; i >= 0; --i) {
      TdxDockCol* col = cols[i];
      col->FLength = col->FFullLength;
      col->FThickness = fittingThickness(col);
      int p = storedAlong(col);
      if (p + col->FLength > free) p = free - col->FLength;
      col->FLeft = std::max(p, fullBefore[i]);
      free = col->FLeft;
    }
  }

  int rowThickness = 0;
  for (TdxDockCol* col : cols) {
    col->FThickness += BordersAcross(col->BarControl(), vertical);
    rowThickness = std::max(rowThickness, col->FThickness);
  }

  // The rest space.
  const bool autoAlign = FBarManager && FBarManager->AutoAlignBars();
  int previousEnd = 0;
  for (int i = 0; i < n; ++i) {
    TdxDockCol* col = cols[i];
    TdxBar* bar = col->Bar();
    const bool useRestSpace = bar && bar->UseRestSpace();
    if (useRestSpace || autoAlign) col->FLeft = previousEnd;
    if (useRestSpace) {
      const int next = i + 1 < n ? cols[i + 1]->FLeft : length;
      col->FLength = std::max(next - col->FLeft, col->FMinLength);
    }
    previousEnd = col->FLeft + col->FLength;
  }

  // Final pass: the toolbars take their rects.
  if (cols[n - 1]->FTruncated)
    cols[n - 1]->FLength = std::max(length - cols[n - 1]->FLeft, cols[n - 1]->FMinLength);
  for (TdxDockCol* col : cols) {
    col->FThickness = rowThickness;
    col->FTop = rowAcross;
    SizeForLength(col, col->FLength);
    const RECT target = vertical ? RECT{col->FTop, col->FLeft, col->FTop + col->FThickness, col->FLeft + col->FLength}
                                 : RECT{col->FLeft, col->FTop, col->FLeft + col->FLength, col->FTop + col->FThickness};
    TdxBarControl* control = col->BarControl();
    if (const RECT current = control->BoundsRect(); !EqualRect(&target, &current))
      control->SetBounds(target.left, target.top, target.right - target.left, target.bottom - target.top);
    control->CalcViewInfo();
  }
}

void TdxDockControl::AlignAllRows()
{
  const int length = ClientExtentAlong();
  for (int i = 0; i < RowCount(); ++i) {
    Rows(i)->DeleteDeadCols();
    if (Rows(i)->HasDockedBarControl()) AlignRow(i, length);
  }
}

// --- Realignment and size ---

void TdxDockControl::Realign()
{
  if (RowCount() == 0 || !FBarManager || FBarManager->IsRestoringLayout() || FBarManager->IsDestroying()) return;
  if (!IsDesigning() && HandleAllocated())
    SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  {
    const TAlignDisabled disabled(this);
    AlignAllRows();
  }
  Invalidate();
}

void TdxDockControl::RealignIfAllowed()
{
  if (!FBarManager || FBarManager->IsBarsUpdateLocked() || FBarManager->IsDestroying()) return;
  Realign();
  // A dock without rows keeps the size its stored form gave it.
  if (RowCount() > 0) UpdateDockSize();
}

void TdxDockControl::UpdateDockSize()
{
  if (!FBarManager || FBarManager->IsBarsUpdateLocked() || FBarManager->IsDestroying() || IsLoadingOrRestoring()) return;
  const int extent = GetDockExtent();
  const TdxBarDockingStyle style = GetDockingStyle();
  const bool vertical = !IsHorizontal();
  if ((vertical ? Width() : Height()) == extent) return;
  {
    const TAlignDisabled disabled(Parent());
    RECT r = BoundsRect();
    if (style == dsRight)
      r.left = r.right - extent;
    else if (vertical)
      r.right = r.left + extent;
    else if (style == dsBottom)
      r.top = r.bottom - extent;
    else
      r.bottom = r.top + extent;
    SetBoundsRect(r);
  }
  if (!Visible()) return;

  // A toolbar of the active chain that the size change moved away from the mouse closes.
  TCustomdxBarControl* active = GetActiveBarControl();
  if (!active) return;
  TCustomdxBarControl* root = active;
  while (root->OwnerBarControl()) root = root->OwnerBarControl();
  auto* toolbar = As<TdxBarControl>(root);
  if (!toolbar) return;
  if (active->HandleAllocated() && GetCapture() == active->Handle()) return;
  if (IsUserDock() && toolbar->DockControl() && toolbar->DockControl()->HasDockingStyle()) return;
  if (toolbar->BarManager() == FBarManager || !GetParentForm()) active->CloseUp(TdxBarCloseReason::ClickElsewhere);
}
