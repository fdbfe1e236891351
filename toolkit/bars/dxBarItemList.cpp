#include "toolkit/bars/dxBarItemList.h"

#include <algorithm>
#include <string>
#include "classlib/Lists.h"

CL_DEFINE_CLASS(TdxBarItemList);

void TdxBarItemList::BeforeDestruction()
{
  while (Count() > 0) RemoveAt(Count() - 1);
  inherited::BeforeDestruction();
}

void TdxBarItemList::Add(TdxBarItemClass itemClass, TdxBarItemControlClass controlClass, bool visible)
{
  FRecords.push_back(TRegItemRecord{itemClass, controlClass, visible});
  RegisterClass(itemClass.Class());
}

void TdxBarItemList::Remove(TdxBarItemClass itemClass)
{
  auto it = std::find_if(FRecords.begin(), FRecords.end(),
                         [&](const TRegItemRecord& r) { return r.ItemClass == itemClass; });
  if (it != FRecords.end()) RemoveAt(static_cast<int>(it - FRecords.begin()));
}

void TdxBarItemList::RemoveAt(int index)
{
  CheckIndex(index);
  const TdxBarItemClass itemClass = FRecords[index].ItemClass;
  FRecords.erase(FRecords.begin() + index);
  UnRegisterClass(itemClass.Class());
}

const TRegItemRecord& TdxBarItemList::GetRecord(int index) const
{
  CheckIndex(index);
  return FRecords[index];
}

int TdxBarItemList::CountVisibleItems() const
{
  return static_cast<int>(std::count_if(FRecords.begin(), FRecords.end(), [](const TRegItemRecord& r) { return r.Visible; }));
}

TdxBarItemClass TdxBarItemList::VisibleItemClassAt(int index) const
{
  for (const TRegItemRecord& r : FRecords)
    if (r.Visible && index-- == 0) return r.ItemClass;
  return {};
}

TdxBarItemControlClass TdxBarItemList::FindControlClass(TdxBarItemClass itemClass) const
{
  for (const TRegItemRecord& r : FRecords)
    if (r.ItemClass == itemClass) return r.ControlClass;
  return {};
}

void TdxBarItemList::CheckIndex(int index) const
{
  if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}
