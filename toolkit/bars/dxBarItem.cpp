#include "toolkit/bars/dxBarItem.h"

#include "classlib/Filer.h"
#include "toolkit/bars/dxBarCategories.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarManagerList.h"
#include "toolkit/bars/dxBarWindows.h"

namespace {
const TPropInfo ItemProps[] = {
  IntProp<&TdxBarItem::Category, &TdxBarItem::SetCategory>("Category", -1),
};
}  // namespace

CL_DEFINE_CLASS(TdxBarItem, .Props = ItemProps);

TdxBarItem::TdxBarItem(TComponent* owner) : TdxBarComponent(owner) {}

void TdxBarItem::AfterConstruction()
{
  TdxBarComponent::AfterConstruction();
  TComponent* owner = Owner();
  TdxBarManager* manager = FindBarManagerOfComponent(FindWinControlOwner(owner));
  if (!manager)
    if (TdxBarManagerList* list = GetBarManagerList()) manager = list->GetManager(0);
  SetBarManager(manager);
}

void TdxBarItem::BeforeDestruction()
{
  SetBarManager(nullptr);
  TdxBarComponent::BeforeDestruction();
}

void TdxBarItem::SetBarManager(TdxBarManager* value)
{
  TdxBarManager* old = GetBarManager();
  if (old == value) return;
  if (old) old->ItemList()->Remove(this);
  TdxBarComponent::SetBarManager(value);
  if (value) value->ItemList()->Add(this);
}

void TdxBarItem::SetCategory(int value)
{
  if (IsLoading()) {
    FCategory = value;
    return;
  }
  TdxBarManager* manager = GetBarManager();
  if (value == FCategory || !manager || Index() < 0 || !manager->Categories()->IsIndexValid(value)) return;
  TdxBarComponentList* items = manager->ItemList();
  int last = -1;
  for (int i = 0; i < items->Count(); ++i)
    if (auto* item = static_cast<TdxBarItem*>(items->Items(i)); item != this && item->FCategory == value) last = i;
  if (last >= 0) {
    const int index = Index();
    items->Move(index, last < index ? last + 1 : last);
  }
  FCategory = value;
}

int TdxBarItem::Index() const
{
  TdxBarManager* manager = GetBarManager();
  return manager ? manager->ItemList()->IndexOf(this) : -1;
}

void TdxBarItem::ReadState(TReader& reader)
{
  if (auto* manager = dynamic_cast<TdxBarManager*>(reader.Parent())) SetBarManager(manager);
  TdxBarComponent::ReadState(reader);
}

TComponent* TdxBarItem::GetParentComponent() const
{
  return FCategory >= 0 ? GetBarManager() : nullptr;
}

void TdxBarItem::SetParentComponent(TComponent* parent)
{
  if (!IsLoading()) SetBarManager(As<TdxBarManager>(parent));
}
