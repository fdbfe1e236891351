#include "toolkit/bars/dxBarComponents.h"

namespace {
constexpr std::string_view ItemVisibleNames[] = {"ivNever", "ivInCustomizing", "ivAlways"};
}  // namespace

const TEnumInfo dxBarItemVisibleInfo = EnumInfo<ivAlways>("TdxBarItemVisible", ItemVisibleNames);

CL_DEFINE_CLASS(TdxObjectList);
CL_DEFINE_CLASS(TdxBarComponent);
CL_DEFINE_CLASS(TdxBarComponentList);

void TdxObjectList::AddUnique(TObject* obj)
{
  if (obj && IndexOf(obj) < 0) Add(obj);
}

TObject* TdxObjectList::GetObject(int index) const
{
  return index >= 0 && index < Count() ? Items(index) : nullptr;
}
