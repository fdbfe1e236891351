// The rows and columns of a dock, and where a toolbar lands in them: the docking zone, the zones
// of each row with their new-row strip, the row and column under a point, the snap point of the
// drag frame, docking, removing and moving a toolbar window.
#include <algorithm>
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarDockControl.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarToolbar.h"

namespace {
// The width of the strip between two rows that asks for a new row.
constexpr int NewRowStripSize = 5;

// The coordinate across the dock (Y of horizontal docks, X of vertical ones), and along it.
int Across(POINT p, bool horizontal) { return horizontal ? p.y : p.x; }
LONG& Along(POINT& p, bool horizontal) { return horizontal ? p.x : p.y; }
LONG& AcrossRef(POINT& p, bool horizontal) { return horizontal ? p.y : p.x; }
}  // namespace

// --- TdxDockCol ---

TdxDockCol::TdxDockCol(TdxDockRow* row, TdxBarControl* barControl) : FRow(row), FBarControl(barControl) {}

TdxBarControl* TdxDockCol::BarControl() const { return FBarControl.Get(); }

TdxBar* TdxDockCol::Bar() const { return BarControl() ? BarControl()->GetBarOfControl() : nullptr; }

void TdxDockCol::UpdatePos()
{
  if (TdxBarControl* control = BarControl()) FPos = POINT{control->Left(), control->Top()};
}

// --- TdxDockRow ---

void TdxDockRow::BeforeDestruction()
{
  while (!FCols.empty()) DeleteCol(ColCount() - 1);
  for (TdxBar* bar : std::exchange(FBars, {})) bar->ForgetDockRow(this);
  TObject::BeforeDestruction();
}

TdxDockCol* TdxDockRow::Cols(int index) const
{
  if (index < 0 || index >= ColCount()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return FCols[index];
}

TdxDockCol* TdxDockRow::AddCol(TdxBarControl* barControl, int index)
{
  if (index < 0 || index > ColCount()) index = ColCount();
  TdxDockCol* col = New<TdxDockCol>(this, barControl);
  FCols.insert(FCols.begin() + index, col);
  return col;
}

void TdxDockRow::DeleteCol(int index)
{
  TdxDockCol* col = Cols(index);
  FCols.erase(FCols.begin() + index);
  Free(col);
}

void TdxDockRow::DeleteCol(TdxDockCol* col)
{
  if (const int index = IndexOfCol(col); index >= 0) DeleteCol(index);
}

void TdxDockRow::RemoveColOfControl(TdxBarControl* barControl) { DeleteCol(FindCol(barControl)); }

bool TdxDockRow::HasDockedBarControl() const
{
  return std::any_of(FCols.begin(), FCols.end(), [](TdxDockCol* col) { return col->BarControl() != nullptr; });
}

void TdxDockRow::DeleteDeadCols()
{
  for (int i = ColCount() - 1; i >= 0; --i)
    if (!FCols[i]->BarControl()) DeleteCol(i);
}

int TdxDockRow::IndexOfCol(const TdxDockCol* col) const
{
  auto it = std::find(FCols.begin(), FCols.end(), col);
  return it == FCols.end() ? -1 : static_cast<int>(it - FCols.begin());
}

TdxDockCol* TdxDockRow::FindCol(const TdxBarControl* barControl) const
{
  for (TdxDockCol* col : FCols)
    if (col->BarControl() == barControl) return col;
  return nullptr;
}

void TdxDockRow::UpdateOneOnRow()
{
  for (TdxDockCol* col : FCols)
    if (TdxBar* bar = col->Bar()) bar->SetOneOnRow(ColCount() == 1);
}

TdxBar* TdxDockRow::Bars(int index) const
{
  if (index < 0 || index >= BarCount()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return FBars[index];
}

int TdxDockRow::IndexOfBar(const TdxBar* bar) const
{
  auto it = std::find(FBars.begin(), FBars.end(), bar);
  return it == FBars.end() ? -1 : static_cast<int>(it - FBars.begin());
}

void TdxDockRow::AddBar(TdxBar* bar)
{
  if (IndexOfBar(bar) >= 0) return;
  FBars.push_back(bar);
  TdxBarControl* control = bar->GetBarControl();
  if (control && bar->GetRealDockControl() == FDockControl && ColCount() < BarCount() && !FDockControl->FindCol(control))
    AddCol(control)->SetPos(POINT{bar->DockedLeft(), bar->DockedTop()});
}

void TdxDockRow::RemoveBar(TdxBar* bar, bool dropEmpty)
{
  const int index = IndexOfBar(bar);
  if (index < 0) return;
  FBars.erase(FBars.begin() + index);
  for (int i = ColCount() - 1; i >= 0; --i)
    if (FCols[i]->Bar() == bar) DeleteCol(i);
  if (dropEmpty && FBars.empty()) FDockControl->DeleteRow(this);
}

// --- TdxDockControl: rows ---

TdxDockRow* TdxDockControl::Rows(int index) const
{
  if (index < 0 || index >= RowCount()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return FRows[index];
}

int TdxDockControl::IndexOfRow(const TdxDockRow* row) const
{
  auto it = std::find(FRows.begin(), FRows.end(), row);
  return it == FRows.end() ? -1 : static_cast<int>(it - FRows.begin());
}

TdxDockRow* TdxDockControl::AddRow() { return InsertRow(RowCount()); }

TdxDockRow* TdxDockControl::InsertRow(int index)
{
  index = std::clamp(index, 0, RowCount());
  TdxDockRow* row = New<TdxDockRow>(this);
  FRows.insert(FRows.begin() + index, row);
  return row;
}

void TdxDockControl::DeleteRow(TdxDockRow* row)
{
  const int index = IndexOfRow(row);
  if (index < 0) return;
  FRows.erase(FRows.begin() + index);
  Free(row);
}

void TdxDockControl::DeleteEmptyRows()
{
  for (int i = RowCount() - 1; i >= 0; --i)
    if (FRows[i]->BarCount() == 0 && !FRows[i]->HasDockedBarControl()) DeleteRow(FRows[i]);
}

std::vector<TdxDockCol*> TdxDockControl::GetCols() const
{
  std::vector<TdxDockCol*> cols;
  for (TdxDockRow* row : FRows)
    for (int i = 0; i < row->ColCount(); ++i)
      if (row->Cols(i)->BarControl()) cols.push_back(row->Cols(i));
  return cols;
}

TdxDockCol* TdxDockControl::FindCol(const TdxBarControl* barControl) const
{
  for (TdxDockRow* row : FRows)
    if (TdxDockCol* col = row->FindCol(barControl)) return col;
  return nullptr;
}

// --- Zones ---

RECT TdxDockControl::GetDockingZoneRect() const
{
  const int z = FBarManager ? FBarManager->Bars()->DockingZoneSize() : 0;
  RECT r = BoundsRect();
  InflateRect(&r, z, IsHorizontal() ? z : 0);
  POINT corners[2] = {{r.left, r.top}, {r.right, r.bottom}};
  if (Parent())
    for (POINT& p : corners) p = Parent()->ClientToScreen(p);
  else if (HandleAllocated())
    MapWindowPoints(GetParent(const_cast<TdxDockControl*>(this)->Handle()), nullptr, corners, 2);
  return RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

std::pair<int, int> TdxDockControl::GetRowZone(int row, int part) const
{
  const int z = FBarManager ? FBarManager->Bars()->DockingZoneSize() : 0;
  const int d = CalcDockSize();
  const int e = ClientExtentAcross();
  const bool farEdge = IsFarEdge();
  int start = 0, end = 0;
  if (row < 0) {
    start = farEdge ? e - d - z : -z;
  } else if (row >= RowCount()) {
    start = farEdge ? e : d;
  } else {
    const RECT r = GetRowRect(row);
    start = IsHorizontal() ? r.top : r.left;
    end = IsHorizontal() ? r.bottom : r.right;
  }
  if (row < 0 || row >= RowCount()) end = start + z;
  const int strip = farEdge ? end - (z - NewRowStripSize) / 2 - NewRowStripSize : start + (z - NewRowStripSize) / 2;
  switch (part) {
    case 0: return {start, strip};
    case 1: return {strip, strip + NewRowStripSize};
    default: return {strip + NewRowStripSize, end};
  }
}

TdxDockRowHit TdxDockControl::RowAtPoint(POINT screen) const
{
  if (RowCount() == 0) return {0, true};
  const int across = Across(ScreenToClient(screen), IsHorizontal());
  TdxDockRowHit hit{-1, true};
  bool found = false;
  for (int r = -1; r < RowCount() && !found; ++r)
    for (int part = 0; part <= 2; ++part) {
      const auto [start, end] = GetRowZone(r, part);
      if (across >= start && across < end) {
        hit = {part == 0 ? r : r + 1, part == 1};
        found = true;
        break;
      }
    }
  if (!found || hit.Row < 0) hit = {across < CalcDockSize() ? 0 : RowCount(), true};
  if (hit.Row >= RowCount()) hit.NewRow = true;
  return hit;
}

int TdxDockControl::ColAtPoint(int row, POINT screen) const
{
  if (row < 0 || row >= RowCount() || Rows(row)->ColCount() == 0) return 0;
  const bool horizontal = IsHorizontal();
  POINT p = ScreenToClient(screen);
  if (FBarManager && FBarManager->Bars()->Moving()) {
    TdxBarControl* moving = FBarManager->Bars()->MovingBarControl();
    if (moving && !moving->InternalChanging()) {
      const POINT grab = GrabOffset(moving, GetDockingStyle());
      p.x -= grab.x;
      p.y -= grab.y;
    }
  }
  const int along = Along(p, horizontal);
  TdxDockRow* r = Rows(row);
  for (int i = 0; i < r->ColCount(); ++i) {
    TdxBar* bar = r->Cols(i)->Bar();
    const int stored = bar ? (horizontal ? bar->DockedLeft() : bar->DockedTop()) : 0;
    if (stored >= along) return i;
  }
  return r->ColCount();
}

POINT TdxDockControl::GetRowSnapPoint(int row, bool newRow, POINT screen) const
{
  if (newRow && row == RowCount()) newRow = false;
  const bool horizontal = IsHorizontal();
  POINT p = ScreenToClient(screen);
  int middle = 0;
  if (newRow) {
    const auto [start, end] = GetRowZone(row - 1, 1);
    middle = (start + end) / 2;
  } else {
    int start = GetRowZone(row - 1, 2).first;
    const auto [part0Start, part0End] = GetRowZone(row, 0);
    // The leading part (before the row) is no longer than the row's own part 0.
    start = std::max(start, part0Start - (part0End - part0Start));
    middle = (start + part0End) / 2;
  }
  AcrossRef(p, horizontal) = middle;
  return ClientToScreen(p);
}

// --- Docking ---

bool TdxDockControl::MovingBarControl() const { return FBarManager && FBarManager->Bars()->Moving(); }

void TdxDockControl::DockBarAt(TdxBarControl* barControl, POINT screen, bool realign)
{
  if (!FBarManager || !barControl) return;
  TdxBar* bar = barControl->GetBarOfControl();
  const bool recreating = barControl->InternalChanging();
  const bool restoring = FBarManager->IsRestoringLayout() || FBarManager->IsReshowingBars();

  // 1. The row: the bar's own while it is re-created, else the one under the point.
  TdxDockRowHit hit;
  if (recreating && UsesStoredRows() && bar) {
    hit = {bar->Row(), bar->OneOnRow()};
    if (restoring)
      while (RowCount() <= hit.Row) AddRow();
  } else {
    hit = RowAtPoint(screen);
  }
  if (bar && bar->WholeRow()) hit.NewRow = true;
  if (hit.Row > RowCount() + (hit.NewRow ? 1 : 0) - 1) hit.Row = RowCount() - (hit.NewRow ? 0 : 1);
  hit.Row = std::max(hit.Row, 0);

  // 2. A row past the end, or one that holds a whole-row bar, is a new row.
  if (hit.Row >= RowCount()) {
    hit.NewRow = true;
  } else if (!hit.NewRow) {
    TdxDockRow* r = Rows(hit.Row);
    for (int i = 0; i < r->ColCount(); ++i)
      if (r->Cols(i)->BarControl() != barControl && r->Cols(i)->Bar() && r->Cols(i)->Bar()->WholeRow()) hit.NewRow = true;
  }

  // 3. The row and the column.
  TdxDockRow* row = nullptr;
  TdxDockCol* col = nullptr;
  if (hit.NewRow) {
    const bool preCreated = recreating && restoring && hit.Row < RowCount() && !Rows(hit.Row)->HasDockedBarControl();
    row = preCreated ? Rows(hit.Row) : InsertRow(hit.Row);
    col = row->AddCol(barControl);
  } else {
    row = Rows(hit.Row);
    col = row->AddCol(barControl, ColAtPoint(hit.Row, screen));
  }
  row->UpdateOneOnRow();
  if (bar) bar->SetDockRow(row);

  // 4. The stored position.
  POINT p = screen;
  if (!recreating) {
    if (MovingBarControl()) {
      const POINT drag = FBarManager->Bars()->DragOffset();
      p.x -= drag.x;
      p.y -= drag.y;
    }
    const POINT grab = GrabOffset(barControl, GetDockingStyle());
    p.x -= grab.x;
    p.y -= grab.y;
  }
  p = ScreenToClient(p);
  LONG& along = Along(p, IsHorizontal());
  along = std::max<LONG>(along, 0);
  col->SetPos(p);

  // 5. Placed and lined up.
  if (realign) {
    if (!(MovingBarControl() && FBarManager->Bars()->MovingBarControl() == barControl))
      barControl->SetBounds(p.x, p.y, barControl->Width(), barControl->Height());
    RealignIfAllowed();
    if (!restoring && FindCol(barControl) == col) col->UpdatePos();
  }
}

void TdxDockControl::RemoveBarControl(TdxBarControl* barControl, TdxDockCol* col, bool realign)
{
  if (!FBarManager) return;
  if (!col) col = FindCol(barControl);
  if (!col) return;
  col->Row()->DeleteCol(col);
  if (realign) RealignIfAllowed();
}

void TdxDockControl::MoveBarControl(TdxBarControl* barControl, POINT screen)
{
  if (!FBarManager) return;
  RemoveBarControl(barControl, nullptr, false);
  DockBarAt(barControl, screen, true);
  if (HasOwnBackground()) {
    ClearBackgroundCache();
    RepaintBars();
  }
}

void TdxDockControl::StoreColumnPositions()
{
  for (TdxDockCol* col : GetCols()) col->UpdatePos();
}
