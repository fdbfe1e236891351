// The manager's records of its bar controls: the mouse-tracking control, the selected item
// control, the keyboard-active control, and what a customizing drag moves.
#include "toolkit/bars/dxBarControl.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarUnit.h"

void TdxBarManager::ReleaseMouseTrackingControl()
{
  if (TCustomdxBarControl* control = std::exchange(FMouseTrackingControl, nullptr)) StopMouseTracking(control);
}

void TdxBarManager::ChangeSelectedItemControl(TdxBarItemControl* control)
{
  TdxBarItemControl* old = FSelectedItemControl;
  if (old == control) return;
  FSelectedItemControl = control;
  TCustomdxBarControl* oldBar = old ? old->BarControl() : nullptr;
  if (oldBar && (!control || control->BarControl() != oldBar) && IsBarControlAlive(oldBar)) oldBar->ClearSelection();
}

void TdxBarManager::ForgetBarControl(TCustomdxBarControl* control)
{
  if (FMouseTrackingControl == control) ReleaseMouseTrackingControl();
  if (FKeyboardActiveBarControl == control) FKeyboardActiveBarControl = nullptr;
  if (FSelectedItemControl && FSelectedItemControl->BarControl() == control) {
    FSelectedItemControl = nullptr;
    HideHint();
  }
  if (FHintObject == control) HideHint();
}
