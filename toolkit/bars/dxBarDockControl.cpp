#include "toolkit/bars/dxBarDockControl.h"

#include <algorithm>
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarManager.h"

namespace {
constexpr std::string_view DockingStyleNames[] = {"dsNone", "dsLeft", "dsTop", "dsRight", "dsBottom"};

constexpr TAlign AlignOfStyle(TdxBarDockingStyle style)
{
  constexpr TAlign Aligns[] = {alNone, alLeft, alTop, alRight, alBottom};
  return Aligns[static_cast<int>(style)];
}

using TD = TdxBarDockControl;
const TPropInfo BarDockControlProps[] = {
  ComponentProp<&TdxDockControl::BarManager, &TdxDockControl::SetBarManager>("BarManager"),
};
}  // namespace

const TEnumInfo dxBarDockingStyleInfo = EnumInfo<dsBottom>("TdxBarDockingStyle", DockingStyleNames);

CL_DEFINE_CLASS(TdxDockRow);
CL_DEFINE_CLASS(TdxDockControl);
CL_DEFINE_CLASS(TdxBarDockControl, .Props = BarDockControlProps);

// --- TdxDockRow ---

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

void TdxDockRow::JoinBar(TdxBar* bar)
{
  if (IndexOfBar(bar) < 0) FBars.push_back(bar);
}

void TdxDockRow::RemoveBar(TdxBar* bar, bool dropEmpty)
{
  FBars.erase(std::remove(FBars.begin(), FBars.end(), bar), FBars.end());
  if (dropEmpty && FBars.empty()) FDockControl->DeleteRow(this);
}

// --- TdxDockControl ---

TdxDockControl::TdxDockControl(TComponent* owner) : TCustomControl(owner) {}

TdxDockControl::TdxDockControl(TdxBarManager* manager, TdxBarDockingStyle dockingStyle)
    : TCustomControl(nullptr), FBarManager(manager), FDockingStyle(dockingStyle)
{
}

void TdxDockControl::AfterConstruction()
{
  TCustomControl::AfterConstruction();
  if (HasDockingStyle()) {
    SetAlign(AlignOfStyle(FDockingStyle));
    if (FDockingStyle == dsLeft || FDockingStyle == dsRight)
      SetWidth(0);
    else
      SetHeight(0);
  }
  if (FBarManager) {
    FBarManager->AddDockControl(this);
    DockColorChanged();
  }
}

void TdxDockControl::BeforeDestruction()
{
  SetBarManager(nullptr);
  while (!FRows.empty()) DeleteRow(FRows.back());
  TCustomControl::BeforeDestruction();
}

void TdxDockControl::SetBarManager(TdxBarManager* value)
{
  if (FBarManager == value) return;
  TdxBarManager* old = std::exchange(FBarManager, nullptr);
  if (old) old->RemoveDockControl(this);
  FBarManager = value;
  if (value) {
    value->AddDockControl(this);
    DockColorChanged();
  }
}

TdxBarDockingStyle TdxDockControl::DockingStyle() const
{
  if (HasDockingStyle()) return FDockingStyle;
  switch (Align()) {
    case alLeft: return dsLeft;
    case alRight: return dsRight;
    case alBottom: return dsBottom;
    default: return dsTop;
  }
}

TdxBarPainter* TdxDockControl::Painter() const { return FBarManager ? FBarManager->Painter() : nullptr; }

bool TdxDockControl::CanDockBar(TdxBar*) const { return true; }

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

TdxDockRow* TdxDockControl::AddRow()
{
  FRows.push_back(New<TdxDockRow>(this));
  return FRows.back();
}

void TdxDockControl::DeleteRow(TdxDockRow* row)
{
  const int index = IndexOfRow(row);
  if (index < 0) return;
  FRows.erase(FRows.begin() + index);
  // The bars of a row that goes are in no row any more.
  for (int i = 0; i < row->BarCount(); ++i) row->Bars(i)->ForgetDockRow(row);
  Free(row);
}

void TdxDockControl::DeleteEmptyRows()
{
  for (int i = RowCount() - 1; i >= 0; --i)
    if (FRows[i]->BarCount() == 0) DeleteRow(FRows[i]);
}

void TdxDockControl::RealignIfAllowed()
{
  if (!FBarManager || FBarManager->IsBarsUpdateLocked() || FBarManager->IsDestroying()) return;
  // The toolbar windows of the rows are placed here once bars have them.
}

void TdxDockControl::DockColorChanged()
{
  if (!FBarManager) return;
  SetColor(FBarManager->DockColor());
  Invalidate();
}

void TdxDockControl::UpdateBorder()
{
  if (!HandleAllocated()) return;
  SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  RealignIfAllowed();
}

void TdxDockControl::RefreshResources() { Invalidate(); }
