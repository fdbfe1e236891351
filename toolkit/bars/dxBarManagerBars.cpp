// The bar manager's operations on its bars and docks as a whole: the bars-update lock, the
// registration of dock controls, new toolbars, the usage data, merged bars around customizing and
// the bars waiting to be shown again.
#include <algorithm>
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarRoutines.h"
#include "toolkit/bars/dxBarStrs.h"
#include "toolkit/bars/dxBarWindows.h"
#include "toolkit/base/dxCore.h"

// --- The bars-update lock ---

void TdxBarManager::IncBarsUpdateLock(bool switchRedraw)
{
  if (FBarsUpdateLock++ > 0) return;
  if (switchRedraw) SwitchDocksRedraw(false);
  ClearBarsUpdateMarks();
}

// With realignNeeded, toolbar windows marked while the lock was held will re-create their item
// controls in the unlock pass once bars have windows.
void TdxBarManager::DecBarsUpdateLock([[maybe_unused]] bool realignNeeded, bool switchRedraw)
{
  if (FBarsUpdateLock == 0) return;
  if (--FBarsUpdateLock == 0) ApplyBarsUpdateLock(switchRedraw, false);
}

void TdxBarManager::DecBarsUpdateLockQuiet(bool switchRedraw)
{
  if (FBarsUpdateLock == 0) return;
  if (--FBarsUpdateLock == 0) ApplyBarsUpdateLock(switchRedraw, true);
}

void TdxBarManager::ApplyBarsUpdateLock(bool switchRedraw, bool quiet)
{
  if (IsDestroying()) return;
  try {
    if (switchRedraw) SwitchDocksRedraw(true);
    if (!quiet) {
      // Toolbar windows marked while the lock was held re-create their item controls here, and
      // the remembered sub-menu repaints, once bars have windows.
      for (TdxDockControl* dock : FDockControls) {
        dock->DeleteEmptyRows();
        if (dock->Visible() && dock->HandleAllocated()) {
          dock->RealignIfAllowed();
          SendMessageA(dock->Handle(), WM_NCPAINT, 1, 0);
        }
      }
    }
  } catch (...) {
    ClearBarsUpdateMarks();
    throw;
  }
  ClearBarsUpdateMarks();
}

void TdxBarManager::SwitchDocksRedraw(bool redraw)
{
  for (TdxDockControl* dock : FDockControls)
    if (dock->Visible() && dock->HandleAllocated()) {
      SendMessageA(dock->Handle(), WM_SETREDRAW, redraw ? TRUE : FALSE, 0);
      if (redraw) dock->Invalidate();
    }
}

void TdxBarManager::ClearBarsUpdateMarks()
{
  // Bars remember repaints asked for while the lock is held once they have toolbar windows.
}

void TdxBarManager::RepaintToolbars()
{
  // Every toolbar window repaints once bars have them.
}

// --- Dock controls ---

void TdxBarManager::AddDockControl(TdxDockControl* dockControl)
{
  if (dockControl && std::find(FDockControls.begin(), FDockControls.end(), dockControl) == FDockControls.end())
    FDockControls.push_back(dockControl);
}

void TdxBarManager::RemoveDockControl(TdxDockControl* dockControl)
{
  if (FBars)
    for (int i = FBars->Count() - 1; i >= 0; --i) {
      TdxBar* bar = FBars->Items(i);
      // Hidden first, while the dock is still its place, then the references go.
      if (bar->GetRealDockControl() == dockControl) bar->SetVisible(false);
      if (bar->DockControl() == dockControl) bar->SetDockControl(nullptr);
      if (bar->DockedDockControl() == dockControl) bar->SetDockedDockControl(nullptr);
    }
  FDockControls.erase(std::remove(FDockControls.begin(), FDockControls.end(), dockControl), FDockControls.end());
  if (FBars) FBars->ClearDockControl(dockControl);
  dockControl->SetParentColor(true);
}

// --- New toolbars ---

TdxBarAskToolbarNameFunc dxBarAskToolbarNameFunc = nullptr;

TdxBar* TdxBarManager::AddToolbar(bool asMainMenu, bool askName)
{
  std::string caption = MakeUniqueBarCaption(GetResStringText(&dxSBAR_TOOLBARNEWNAME));
  if (askName && dxBarAskToolbarNameFunc && !dxBarAskToolbarNameFunc(this, caption)) return nullptr;
  TdxBar* bar;
  {
    TdxBarsUpdateScope update(this);
    FBars->LockUpdates();
    try {
      bar = FBars->Add();
      bar->SetCaption(caption);
      // Floating beside the owner: left of it, or right of it when that leaves the work area.
      TWinControl* owner = GetOwnerControl();
      const RECT area = GetMonitorWorkAreaAt(POINT{owner->Left(), owner->Top()});
      const int left = owner->Left() - 50;
      bar->SetFloatLeft(left < area.left ? owner->Left() + owner->Width() + 10 : left);
      bar->SetFloatTop(owner->Top() < area.top ? area.top + 10 : owner->Top());
      bar->SetDockingStyle(dsTop);
      if (asMainMenu) {
        bar->SetRow(0);
        bar->SetIsMainMenu(true);
        bar->SetVisible(true);
      } else {
        TdxDockControl* dock = bar->GetRealDockControl();
        bar->SetRow(dock ? dock->RowCount() : 0);
        // A row of its own, which later bars may join.
        bar->SetOneOnRow(true);
        bar->SetVisible(true);
        bar->SetOneOnRow(false);
      }
    } catch (...) {
      FBars->UnlockUpdates();
      throw;
    }
    FBars->UnlockUpdates();
  }
  SelectComponent(bar, TdxBarSelectionOperation::sopReplace);
  return bar;
}

void TdxBarManager::RenameToolbar(TdxBar* bar)
{
  if (!bar || !dxBarAskToolbarNameFunc) return;
  std::string caption = bar->Caption();
  if (dxBarAskToolbarNameFunc(this, caption)) bar->SetCaption(caption);
}

void TdxBarManager::ResetToolbar(TdxBar* bar)
{
  if (bar) bar->ResetWithConfirmation();
}

// --- Usage data ---

void TdxBarManager::ResetUsageData()
{
  if (!FDesignedLayout) return;
  TdxBarsUpdateScope update(this);
  const std::string base = GetIniSectionBase();
  for (int i = 0; i < GetItemCount(); ++i) GetItem(i)->LoadUsageFromIni(FDesignedLayout.get(), base);
  for (int i = 0; i < FBars->Count(); ++i)
    if (const int n = FindDesignedBarIndex(FBars->Items(i)->Caption()); n >= 0)
      FBars->Items(i)->LoadUsageFromIni(FDesignedLayout.get(), base, n);
}

void TdxBarManager::ResetUsageDataWithConfirmation()
{
  if (ShowBarMessage(GetResStringText(&dxSBAR_WANTTORESETUSAGEDATA), MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES)
    ResetUsageData();
}

// --- Merged bars around customizing ---

namespace {
std::vector<TWeakRef<TdxBar>> SnapshotBars(TdxBars* bars)
{
  std::vector<TWeakRef<TdxBar>> all;
  for (int i = 0; i < bars->Count(); ++i) all.emplace_back(bars->Items(i));
  return all;
}
}  // namespace

void TdxBarManager::UnmergeBars(TdxBarManager* manager, bool store)
{
  std::vector<TWeakRef<TdxBar>> noted;
  if (store) {
    manager = nullptr;
    for (int i = 0; i < FBars->Count(); ++i)
      if (TdxBar* into = FBars->Items(i)->MergeData()->MergedWith; into && into->GetBarManager() == this)
        noted.emplace_back(FBars->Items(i));
  }
  const std::vector<TWeakRef<TdxBar>> bars = SnapshotBars(FBars.get());
  for (auto it = bars.rbegin(); it != bars.rend(); ++it) {
    TWeakRef<TdxBar> bar = *it;
    if (!bar) continue;  // freed by an earlier bar's unmerging
    if (store) {
      bar->StoreMergedBars();
      if (bar->MergeData()->MadeForMerging) bar->SetKeepWhenEmptied(true);
    }
    if (!manager) {
      bar->Unmerge(nullptr, !store);
    } else {
      const std::vector<TdxBar*> merged = bar->MergeData()->MergedBars;
      for (TdxBar* other : merged)
        if (bar && other->GetBarManager() == manager) bar->Unmerge(other, !store);
    }
    if (bar) bar->SetKeepWhenEmptied(false);
  }
  for (TWeakRef<TdxBar>& bar : noted)
    if (bar) bar->SetVisible(bar->MergeData()->VisibleBeforeMerging);
}

void TdxBarManager::RemergeStoredBars()
{
  const std::vector<TWeakRef<TdxBar>> bars = SnapshotBars(FBars.get());
  for (const TWeakRef<TdxBar>& bar : bars)
    if (bar && !bar->MergeData()->MadeForMerging) bar->RestoreMergedBars();
  for (const TWeakRef<TdxBar>& bar : bars)
    if (bar && bar->MergeData()->MadeForMerging) {
      bar->RestoreMergedBars();
      bar->SetHidden(false);
      bar->SetVisible(bar->MergeData()->VisibleToRestore);
    }
}

// --- Bars to show again ---

void TdxBarManager::AddToReshowBarList(TdxBar* bar)
{
  if (!FReshowBarList) FReshowBarList = MakeOwned<TList>();
  if (FReshowBarList->IndexOf(bar) < 0) FReshowBarList->Add(bar);
}

int TdxBarManager::IndexOfReshowBar(TdxBar* bar) const { return FReshowBarList ? FReshowBarList->IndexOf(bar) : -1; }

void TdxBarManager::ReshowBars(TdxDockControl* dockControl)
{
  for (int i = FReshowBarList ? FReshowBarList->Count() - 1 : -1; i >= 0; --i) {
    if (!FReshowBarList || i >= FReshowBarList->Count()) continue;
    auto* bar = static_cast<TdxBar*>(FReshowBarList->Items(i));
    TdxDockControl* dock = bar->GetRealDockControl();
    const bool show = dockControl ? dock == dockControl && bar->DockingStyle() != dsNone
                                  : !dock || dock->HandleAllocated();
    if (!show) continue;
    bar->SetVisible(true);
    RemoveFromReshowBarList(bar);
  }
}

void TdxBarManager::HandleOwnerCreate()
{
  if (!FReshowBarList) return;
  {
    TdxValueScope<bool> reshowing(FReshowingBars, true);
    for (TdxDockControl* dock : FDockControls)
      if (dock->Parent() && dock->Parent()->HandleAllocated()) dock->HandleNeeded();
    ReshowBars(nullptr);
  }
  if (FReshowBarList && FReshowBarList->Count() == 0) FReshowBarList.reset();
}
