#include "toolkit/bars/dxBarControlViewInfo.h"
#include <algorithm>
#include "toolkit/bars/dxBarControl.h"
#include "toolkit/bars/dxBarItemControl.h"
#include "toolkit/bars/dxBarItemLinks.h"

CL_DEFINE_CLASS(TdxBarItemControlViewInfo);
CL_DEFINE_CLASS(TCustomdxBarControlViewInfo);

TdxBarItemControlViewInfo::TdxBarItemControlViewInfo(TdxBarItemControl* control)
    : FControl(control), FViewLevel(ivlDefault)
{
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
