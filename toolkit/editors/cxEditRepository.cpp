// Repository items and the repository.
#include "toolkit/editors/cxEditRepository.h"

#include <algorithm>
#include "classlib/Filer.h"
#include "classlib/TypInfo.h"

namespace {
using TRI = TcxEditRepositoryItem;
const TPropInfo EditRepositoryItemProps[] = {
  PersistentProp<&TRI::Properties>("Properties"),
  EventProp<&TRI::PropertiesEvents, &TRI::SetPropertiesEvents>("PropertiesEvents"),
};
}  // namespace

CL_DEFINE_CLASS(TcxEditRepositoryItem, .Props = EditRepositoryItemProps);
CL_DEFINE_CLASS(TcxEditRepository);

// --- TcxEditRepositoryItem ---

void TcxEditRepositoryItem::AfterConstruction()
{
  FProperties.reset(TcxEditRepositoryItemClass(ClassType())->PropertiesClassType().Create(this));
  FProperties->SetOwnerChangeHandler(TNotifyEvent(this, &TcxEditRepositoryItem::NotifyItemChanged));
  TComponent::AfterConstruction();
}

void TcxEditRepositoryItem::BeforeDestruction()
{
  Destroying();
  // Each listener leaves the list before it is told, so that one that answers by removing itself
  // (or not) cannot disturb the walk.
  while (!FListeners.empty()) {
    IcxEditRepositoryItemObserver* listener = FListeners.back();
    FListeners.pop_back();
    listener->RepositoryItemRemoved(this);
  }
  SetRepository(nullptr);
  if (FProperties) FProperties->SetOwnerChangeHandler(TNotifyEvent());
  FProperties.reset();
  TComponent::BeforeDestruction();
}

void TcxEditRepositoryItem::SetProperties(TcxCustomEditProperties* Value) { FProperties->Assign(Value); }

void TcxEditRepositoryItem::SetRepository(TcxEditRepository* Value)
{
  if (FRepository == Value) return;
  if (FRepository) std::erase(FRepository->FItems, this);
  if (Value && std::ranges::find(Value->FItems, this) == Value->FItems.end()) Value->FItems.push_back(this);
  FRepository = Value;
}

bool TcxEditRepositoryItem::PropertiesInheritFrom(TClass PropertiesClass) const
{
  return FProperties && FProperties->InheritsFrom(PropertiesClass);
}

void TcxEditRepositoryItem::NotifyItemChanged(TObject*)
{
  // A copy: a listener may leave while it is told.
  const std::vector<IcxEditRepositoryItemObserver*> listeners = FListeners;
  for (auto it = listeners.rbegin(); it != listeners.rend(); ++it)
    if (std::ranges::find(FListeners, *it) != FListeners.end()) (*it)->RepositoryItemPropertiesChanged(this);
}

void TcxEditRepositoryItem::AddListener(IcxEditRepositoryItemObserver* Listener)
{
  if (Listener && std::ranges::find(FListeners, Listener) == FListeners.end()) FListeners.push_back(Listener);
}

void TcxEditRepositoryItem::RemoveListener(IcxEditRepositoryItemObserver* Listener) { std::erase(FListeners, Listener); }

std::string TcxEditRepositoryItem::GetBaseName() const
{
  static constexpr std::string_view Prefix = "TcxEditRepository";
  const std::string className = ClassName();
  const size_t p = className.find(Prefix);
  const std::string suffix = p == std::string::npos ? std::string() : className.substr(p + Prefix.size());
  if (!FRepository) throw EInvalidOperation("The repository item " + Name() + " belongs to no repository");
  return FRepository->Name() + suffix;
}

TComponent* TcxEditRepositoryItem::GetParentComponent() const { return FRepository; }

void TcxEditRepositoryItem::SetParentComponent(TComponent* Parent)
{
  if (!IsLoading()) SetRepository(As<TcxEditRepository>(Parent));
}

void TcxEditRepositoryItem::ReadState(TReader& Reader)
{
  TComponent::ReadState(Reader);
  SetRepository(dynamic_cast<TcxEditRepository*>(Reader.Parent()));
}

// --- TcxEditRepository ---

void TcxEditRepository::BeforeDestruction()
{
  Destroying();
  Clear();
  TComponent::BeforeDestruction();
}

TcxEditRepositoryItem* TcxEditRepository::CreateItem(TcxEditRepositoryItemClass ItemClass)
{
  return CreateItemEx(ItemClass, this);
}

TcxEditRepositoryItem* TcxEditRepository::CreateItemEx(TcxEditRepositoryItemClass ItemClass, TComponent* Owner)
{
  TcxEditRepositoryItem* item = ItemClass.Create(Owner);
  item->SetRepository(this);
  return item;
}

void TcxEditRepository::Clear()
{
  while (!FItems.empty()) Free(FItems.back());  // each item leaves the list as it goes
}

void TcxEditRepository::GetChildren(const TGetChildProc& Proc, TComponent* Root)
{
  for (TcxEditRepositoryItem* item : FItems)
    if (item->Owner() == Root) Proc(item);
}

bool PreferOwnProperties(TcxCustomEditProperties* OwnProperties, TcxEditRepositoryItem* Item,
                         TcxCustomEditProperties*& Current)
{
  if (!OwnProperties || !Item || Current != Item->Properties() ||
      !Item->PropertiesInheritFrom(OwnProperties->ClassType()))
    return false;
  Current = OwnProperties;
  return true;
}
