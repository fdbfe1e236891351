// The bar manager's operations on its bars and docks as a whole: the bars-update lock and the
// registration of dock controls.
#include <algorithm>
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarManager.h"

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
