// The manager of an MDI parent form follows the active child of its MDI client: the child's main
// menu bar is merged into the parent's while the child is active (and maximized, unless
// AlwaysMerge), and the child's buttons are driven from here.
#include <vector>
#include "classlib/Application.h"
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarControl.h"
#include "toolkit/bars/dxBarToolbar.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarManagerList.h"
#include "toolkit/controls/cxControlsHelpers.h"

HWND TdxBarManager::GetActiveMDIChildWindow()
{
  TCustomForm* mainForm = Application ? Application->MainForm() : nullptr;
  if (!mainForm || !mainForm->HandleAllocated() || !mainForm->ClientHandle()) return nullptr;
  return reinterpret_cast<HWND>(SendMessageA(mainForm->ClientHandle(), WM_MDIGETACTIVE, 0, 0));
}

void TdxBarManager::ActiveMDIChildChanged()
{
  const bool wasMaximized = FMDIChildMaximized;
  HWND active = GetActiveMDIChildWindow();
  FMDIChildMaximized = active && IsZoomed(active);
  IncBarsUpdateLock(false);
  struct TUnlock {
    TdxBarManager* Manager;
    ~TUnlock() { Manager->DecBarsUpdateLock(true, false); }
  } unlock{this};
  if (active != FActiveMDIChild) {
    // The remembered child may be gone already: it is only compared and reported.
    const HWND previous = FActiveMDIChild;
    FActiveMDIChild = active;
    MDIChildChanged(TdxBarMDIChildChange::Deactivated, previous);
    MDIChildChanged(TdxBarMDIChildChange::Activated, active);
  } else if (wasMaximized != FMDIChildMaximized) {
    MDIChildChanged(TdxBarMDIChildChange::MaximizedChanged, active);
  }
  if (FMDIChildMaximized && FMainMenuBar)
    if (TdxBarControl* control = FMainMenuBar->GetBarControl(); control && control->HandleAllocated())
      PostMessageA(control->Handle(), DXM_BAR_REPAINT, 0, 0);
}

TdxBarMDIMergeAction TdxBarManager::GetMDIMergeAction(TdxBarMDIChildChange change) const
{
  using enum TdxBarMDIChildChange;
  if (change == MaximizedChanged && FAlwaysMerge) return TdxBarMDIMergeAction::None;
  if ((change == Activated || change == MaximizedChanged) && (FAlwaysMerge || FMDIChildMaximized))
    return TdxBarMDIMergeAction::Merge;
  if (change == Deactivated || (change == MaximizedChanged && !FMDIChildMaximized)) return TdxBarMDIMergeAction::Unmerge;
  return TdxBarMDIMergeAction::None;
}

namespace {
// The child's main menu bar is put into the parent's by the parent's OnMenuMerge handler: it is
// recorded as merged there and hidden.
void RecordMergedByHandler(TdxBar* mainMenu, TdxBar* childMenu)
{
  TdxBarMergeData* data = childMenu->MergeData();
  if (data->MergedWith) return;
  data->MergedWith = mainMenu;
  mainMenu->MergeData()->MergedBars.push_back(childMenu);
  data->VisibleBeforeMerging = childMenu->Visible();
  childMenu->SetVisibleByMerging(false);
}
}  // namespace

void TdxBarManager::MDIChildChanged(TdxBarMDIChildChange change, HWND child)
{
  TdxBarManager* childManager = child && IsWindow(child) ? FindBarManagerOfWindow(child) : nullptr;
  if (childManager == this) childManager = nullptr;
  const TdxBarMDIMergeAction action = GetMDIMergeAction(change);
  if (FMainMenuBar && childManager && childManager->GetMainMenuBar()) {
    TdxBar* childMenu = childManager->GetMainMenuBar();
    if (action == TdxBarMDIMergeAction::Merge && childMenu->MergeData()->MergedWith != FMainMenuBar) {
      if (FOnMenuMerge) {
        FOnMenuMerge(this, childManager, true);
        RecordMergedByHandler(FMainMenuBar, childMenu);
      } else {
        FMainMenuBar->Merge(childMenu);
      }
    } else if (action == TdxBarMDIMergeAction::Unmerge) {
      const std::vector<TdxBar*> merged = FMainMenuBar->MergeData()->MergedBars;
      std::vector<TWeakRef<TdxBar>> noted(merged.begin(), merged.end());
      FMainMenuBar->Unmerge(nullptr, false);
      if (FOnMenuMerge) FOnMenuMerge(this, childManager, false);
      for (const TWeakRef<TdxBar>& bar : noted)
        if (bar) bar->SetVisibleByMerging(bar->MergeData()->VisibleBeforeMerging);
    }
  }
  if (FOnMerge && childManager) {
    const TdxBarMDIMergeAction again = GetMDIMergeAction(change);
    if (again != TdxBarMDIMergeAction::None) FOnMerge(this, childManager, again == TdxBarMDIMergeAction::Merge);
  }
  FOnMDIChildChanged->InvokeAll(this, TdxBarMDIChildChangedEventArgs(change, child));
}

void TdxBarManager::SendMDIChildSysCommand(TdxBarMDIButton button)
{
  static constexpr WPARAM Commands[] = {SC_MINIMIZE, SC_RESTORE, SC_CLOSE};
  if (HWND child = GetActiveMDIChildWindow()) SendMessageA(child, WM_SYSCOMMAND, Commands[static_cast<int>(button)], 0);
}

bool TdxBarManager::OwnerIsMDIChildForm(bool recursive) const
{
  if (recursive) return IsMDIChildForm(GetMDIChildOrTopForm());
  auto* form = dynamic_cast<TCustomForm*>(Owner());
  return form && form->FormStyle() == TFormStyle::fsMDIChild;
}

void TdxBar::SetVisibleByMerging(bool value)
{
  if (Visible() == value) return;
  TdxBarManager* manager = GetBarManager();
  auto* form = manager && manager->OwnerIsMDIChildForm(false) ? static_cast<TCustomForm*>(manager->Owner()) : nullptr;
  if (!form || !form->HandleAllocated()) {
    SetVisible(value);
    return;
  }
  // The form's recorded bounds are its window's while the bar changes, so that the layout the change
  // causes does not move or size the child (a maximized child records its normal bounds).
  const RECT recorded = form->BoundsRect();
  const RECT actual = form->WindowBoundsRect();
  form->SetBoundsWithoutMove(actual.left, actual.top, actual.right - actual.left, actual.bottom - actual.top);
  struct TRestore {
    TCustomForm* Form;
    RECT Bounds;
    ~TRestore()
    {
      Form->SetBoundsWithoutMove(Bounds.left, Bounds.top, Bounds.right - Bounds.left, Bounds.bottom - Bounds.top);
    }
  } restore{form, recorded};
  SetVisible(value);
}
