#include "toolkit/editors/cxEditInplaceList.h"

#include <algorithm>
#include "classlib/Units.h"
#include "toolkit/base/cxClasses.h"
#include "toolkit/editors/cxEdit.h"

CL_DEFINE_CLASS(TcxCustomEditData);
CL_DEFINE_CLASS(TcxInplaceEditList);

// --- TcxCustomEditData ---

TcxCustomEditData::TcxCustomEditData(TcxCustomEdit* Edit) : FEdit(Edit) {}

void TcxCustomEditData::AfterConstruction()
{
  TObject::AfterConstruction();
  FFreeNotificator = MakeOwned<TcxFreeNotificator>(nullptr);
  FFreeNotificator->SetOnFreeNotification(TcxFreeNotificationEvent(this, &TcxCustomEditData::EditFreed));
  if (FEdit) FFreeNotificator->WatchComponent(FEdit);
  RequestReinitialization();
}

TcxCustomEditData::~TcxCustomEditData()
{
  // An editor that still holds this data forgets it.
  if (FEdit) FEdit->EditDataGone(this);
}

void TcxCustomEditData::EditFreed(TComponent* Component)
{
  if (Component == FEdit) FEdit = nullptr;
}

void TcxCustomEditData::RequestReinitialization()
{
  FReinitializationPending = true;
  if (FEdit) FEdit->EditDataReinitializationRequested(this);
}

// --- The process-wide list of pools ---

namespace {
using TLists = std::vector<TcxInplaceEditList*>;
// Made with the first pool and freed with the last; never remade while the unit shuts down.
TUnitObject<TLists> GLists{UnitcxEdit};
}  // namespace

std::span<TcxInplaceEditList* const> LiveInplaceEditLists()
{
  if (TLists* lists = GLists.Peek()) return *lists;
  return {};
}

bool InplaceEditListsExist() { return GLists.Peek() != nullptr; }

void ForgetPropertiesInAllLists(TcxCustomEditProperties* Properties)
{
  for (TcxInplaceEditList* list : LiveInplaceEditLists()) list->ForgetProperties(Properties);
}

// --- TcxInplaceEditList ---

TcxInplaceEditList::TcxInplaceEditList(TComponent* PoolOwner) : FPoolOwner(PoolOwner)
{
  FFreeNotificator = MakeOwned<TcxFreeNotificator>(nullptr);
  FFreeNotificator->SetOnFreeNotification(TcxFreeNotificationEvent(this, &TcxInplaceEditList::EditFreed));
  if (TLists* lists = GLists.Get()) lists->push_back(this);
}

TcxInplaceEditList::~TcxInplaceEditList()
{
  if (TLists* lists = GLists.Peek()) {
    std::erase(*lists, this);
    if (lists->empty()) GLists.Free();
  }
  while (!FItems.empty()) RemoveItem(0);
}

TcxCustomEdit* TcxInplaceEditList::GetEdit(TcxCustomEditPropertiesClass PropertiesClass)
{
  if (TcxCustomEdit* edit = FindFreeEdit(PropertiesClass)) return edit;
  TcxCustomEdit* edit = CreateEdit(PropertiesClass);
  FItems.push_back(TItem{edit, nullptr});
  return edit;
}

int TcxInplaceEditList::FindFreeIndex(TcxCustomEditPropertiesClass PropertiesClass) const
{
  const TClass editClass = PropertiesClass->ContainerClassType().Class();
  for (size_t i = 0; i < FItems.size(); ++i)
    if (!FItems[i].Properties && FItems[i].Edit->ClassType() == editClass) return static_cast<int>(i);
  return -1;
}

TcxCustomEdit* TcxInplaceEditList::FindFreeEdit(TcxCustomEditPropertiesClass PropertiesClass)
{
  const int index = FindFreeIndex(PropertiesClass);
  return index < 0 ? nullptr : FItems[index].Edit;
}

TcxCustomEdit* TcxInplaceEditList::CreateEdit(TcxCustomEditPropertiesClass PropertiesClass)
{
  TcxCustomEdit* edit = PropertiesClass->ContainerClassType().Create(FPoolOwner, true);
  edit->SetVisible(false);
  FFreeNotificator->WatchComponent(edit);
  return edit;
}

int TcxInplaceEditList::FindByProperties(TcxCustomEditProperties* Properties, bool Bind)
{
  for (size_t i = 0; i < FItems.size(); ++i)
    if (FItems[i].Properties == Properties) return static_cast<int>(i);
  if (!Bind || !Properties) return -1;
  const int index = FindFreeIndex(TcxCustomEditPropertiesClass(Properties->ClassType()));
  if (index >= 0) FItems[index].Properties = Properties;
  return index;
}

void TcxInplaceEditList::ForgetProperties(TcxCustomEditProperties* Properties)
{
  for (TItem& item : FItems)
    if (item.Properties == Properties) item.Properties = nullptr;
}

void TcxInplaceEditList::RemoveItem(int Index)
{
  if (Index < 0 || Index >= Count()) return;
  TcxCustomEdit* edit = FItems[Index].Edit;
  FItems.erase(FItems.begin() + Index);
  FFreeNotificator->UnwatchComponent(edit);
  edit->SetParent(nullptr);
  Free(edit);
}

void TcxInplaceEditList::EditFreed(TComponent* Component)
{
  std::erase_if(FItems, [Component](const TItem& item) { return item.Edit == Component; });
}
