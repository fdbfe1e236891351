#include "toolkit/bars/dxBarControlViewInfo.h"
#include <algorithm>
#include "toolkit/bars/dxBarControl.h"
#include "toolkit/bars/dxBarItem.h"
#include "toolkit/bars/dxBarItemControl.h"
#include "toolkit/bars/dxBarItemLinks.h"
#include "toolkit/base/dxCore.h"

CL_DEFINE_CLASS(TdxBarItemControlViewInfo);
CL_DEFINE_CLASS(TCustomdxBarControlViewInfo);

TdxBarItemControlViewInfo::TdxBarItemControlViewInfo(TdxBarItemControl* control)
    : FControl(control), FMostCompactViewLevel(ivlSmallIconWithText), FViewLevel(ivlDefault),
      FButtonGroupViewLevel(ivlSmallIconWithText)
{
}

void TdxBarItemControlViewInfo::AfterConstruction()
{
  TObject::AfterConstruction();
  if (!FControl) return;
  const TdxBarItemViewLevels allowed = FControl->GetAllowedViewLevels();
  FAllowedViewLevels = static_cast<uint8_t>(allowed.ToInt());
  const TdxBarItemViewLevels possible = FControl->GetPossibleViewLevels();
  for (TdxBarItemViewLevel level : {ivlLargeIconWithText, ivlSmallIconWithText, ivlSmallIcon, ivlControlOnly})
    if (possible.Contains(level)) FMostCompactViewLevel = level;
  if (FMostCompactViewLevel == ivlLargeIconWithText)
    FButtonGroupViewLevel = FMostCompactViewLevel;
  else
    for (TdxBarItemViewLevel level : {ivlLargeIconWithText, ivlSmallIconWithText, ivlSmallIcon, ivlControlOnly})
      if (allowed.Contains(level)) FButtonGroupViewLevel = level;
  ResetCachedWidths();
}

int TdxBarItemControlViewInfo::GetAlign() const
{
  TdxBarItem* item = FControl ? FControl->GetItem() : nullptr;
  return static_cast<int>(item ? item->Align() : TdxBarItemAlign::iaLeft);
}

int TdxBarItemControlViewInfo::GetButtonGroupPosition() const
{
  if (!FControl || !FControl->IsButtonLike() || !FControl->Link()) return 0;
  return static_cast<int>(FControl->Link()->ButtonGroup());
}

int TdxBarItemControlViewInfo::GetWidthAtLevel(TdxBarItemViewLevel level)
{
  const int index = static_cast<int>(level);
  if (index >= CachedLevels || !TdxBarItemViewLevels::FromInt(FAllowedViewLevels).Contains(level))
    throw EdxException("Testing! The level is not allowed");
  if (!FCachedWidthValid[index]) {
    FCachedWidths[index] = FControl->CalcWidthAtLevel(level);
    FCachedWidthValid[index] = true;
  }
  return FCachedWidths[index];
}

void TdxBarItemControlViewInfo::ResetCachedWidths()
{
  for (bool& valid : FCachedWidthValid) valid = false;
}

void TdxBarItemControlViewInfo::BeforeDestruction()
{
  TCustomdxBarControl* bar = FControl ? FControl->BarControl() : nullptr;
  if (bar && !bar->Destroying() && bar->ViewInfo()) bar->ViewInfo()->DropItemControlViewInfo(this);
  TObject::BeforeDestruction();
}

void TCustomdxBarControlViewInfo::Clear()
{
  FItemControlViewInfos.clear();
  FSeparators.clear();
}

void TCustomdxBarControlViewInfo::DropItemControlViewInfo(TdxBarItemControlViewInfo* viewInfo)
{
  auto it = std::find(FItemControlViewInfos.begin(), FItemControlViewInfos.end(), viewInfo);
  if (it != FItemControlViewInfos.end()) FItemControlViewInfos.erase(it);
}

int TCustomdxBarControlViewInfo::IndexOfItemControl(const TdxBarItemControl* control) const
{
  for (size_t i = 0; i < FItemControlViewInfos.size(); ++i)
    if (FItemControlViewInfos[i]->Control() == control) return static_cast<int>(i);
  return -1;
}

void TCustomdxBarControlViewInfo::AppendSeparator(const RECT& bounds, uint8_t kind, TdxBarItemControl* control)
{
  FSeparators.push_back({control, bounds, kind});
}

bool TCustomdxBarControlViewInfo::FindSeparatorOfItemControl(const TdxBarItemControl* control, int& index) const
{
  for (size_t i = 0; i < FSeparators.size(); ++i)
    if (FSeparators[i].ItemControl == control) {
      index = static_cast<int>(i);
      return true;
    }
  return false;
}
