#include "toolkit/bars/dxBarComponents.h"

#include <algorithm>
#include "toolkit/bars/dxBarManager.h"

namespace {
constexpr std::string_view ItemVisibleNames[] = {"ivNever", "ivInCustomizing", "ivAlways"};
constexpr std::string_view MergeKindNames[] = {"mkAdd", "mkMergeByCaption", "mkNone"};
}  // namespace

const TEnumInfo dxBarItemVisibleInfo = EnumInfo<ivAlways>("TdxBarItemVisible", ItemVisibleNames);
const TEnumInfo dxBarItemMergeKindInfo = EnumInfo<mkNone>("TdxBarItemMergeKind", MergeKindNames);

CL_DEFINE_CLASS(TdxObjectList);
CL_DEFINE_CLASS(TdxBarComponent);
CL_DEFINE_CLASS(TdxBarComponentList);

// --- TdxObjectList ---

void TdxObjectList::AddUnique(TObject* obj)
{
  if (obj && IndexOf(obj) < 0) Add(obj);
}

void TdxObjectList::CopyTo(TObjectList* target) const
{
  target->Clear();
  target->SetCapacity(Capacity());
  auto* unique = dynamic_cast<TdxObjectList*>(target);
  for (int i = 0; i < Count(); ++i) {
    auto* obj = static_cast<TObject*>(Items(i));
    if (unique)
      unique->AddUnique(obj);
    else
      target->Add(obj);
  }
}

TObject* TdxObjectList::GetLastObject() const { return GetObject(Count() - 1); }

TObject* TdxObjectList::GetObject(int index) const
{
  return index >= 0 && index < Count() ? static_cast<TObject*>(Items(index)) : nullptr;
}

// --- TdxBarComponent ---

void TdxBarComponent::NotifyChanged(bool all)
{
  if (IsDestroying()) return;
  // A copy: an observer may leave while it is told.
  const std::vector<IdxBarComponentObserver*> observers = FObservers;
  for (IdxBarComponentObserver* observer : observers)
    if (std::find(FObservers.begin(), FObservers.end(), observer) != FObservers.end())
      observer->Changed(all ? nullptr : this);
}

void TdxBarComponent::AddObserver(IdxBarComponentObserver* observer)
{
  if (observer && std::find(FObservers.begin(), FObservers.end(), observer) == FObservers.end())
    FObservers.push_back(observer);
}

void TdxBarComponent::RemoveObserver(IdxBarComponentObserver* observer) { std::erase(FObservers, observer); }

bool TdxBarComponent::CanDelete(bool)
{
  TdxBarManager* manager = GetBarManager();
  return !manager || manager->CanDeleteComponent(this);
}

void TdxBarComponent::DeleteSelection(IdxBarSelectableItem*& reference, bool destruction)
{
  if (!CanDelete(destruction)) return;
  reference = nullptr;
  Free(this);
}

void TdxBarComponent::AddMasterObjects(TList* list)
{
  if (Owner() && list->IndexOf(Owner()) < 0) list->Add(Owner());
}

TPersistent* TdxBarComponent::GetSelectableParent() { return Owner(); }

int TdxBarComponent::GetSelectionStatus()
{
  TdxBarManager* manager = GetBarManager();
  return manager ? manager->GetSelectionStatus(this) : 0;
}

void TdxBarComponent::SelectComponent(TdxBarSelectionOperation operation)
{
  if (TdxBarManager* manager = GetBarManager()) manager->SelectComponent(this, operation);
}

// --- TdxBarComponentList ---

void TdxBarComponentList::Changed(TdxBarComponent* component)
{
  FireListChanged(component, TcxComponentCollectionNotification::ccnChanged);
}

void TdxBarComponentList::HandleItemNotification(TComponent* component, TcxComponentCollectionNotification action)
{
  if (auto* barComponent = dynamic_cast<TdxBarComponent*>(component)) {
    if (action == TcxComponentCollectionNotification::ccnAdded)
      barComponent->AddObserver(this);
    else
      barComponent->RemoveObserver(this);
  }
  TcxComponentList::HandleItemNotification(component, action);
}
