#include "toolkit/base/cxClassesCollections.h"

#include <algorithm>
#include "classlib/Filer.h"
#include "classlib/Lists.h"

using TNotification = TcxComponentCollectionNotification;

CL_DEFINE_CLASS(TcxComponentCollectionItem);
CL_DEFINE_CLASS(TcxComponentCollection);
CL_DEFINE_CLASS(TcxInterfacedCollectionItem);
CL_DEFINE_CLASS(TcxOwnedInterfacedCollection);

namespace {
[[noreturn]] void IndexError(int index)
{
  throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}
}  // namespace

// --- TcxComponentCollectionItem ---

void TcxComponentCollectionItem::BeforeDestruction()
{
  if (FCollection) FCollection->DetachItem(this);
  TComponent::BeforeDestruction();
}

int TcxComponentCollectionItem::PositionInCollection() const
{
  return FCollection ? FCollection->IndexOf(this) : -1;
}

void TcxComponentCollectionItem::NotifyChanged(bool allItems)
{
  if (IsDestroying() || !FCollection) return;
  FCollection->SignalChanged(allItems ? nullptr : this, TNotification::ccnChanged);
}

TComponent* TcxComponentCollectionItem::GetParentComponent() const
{
  return FCollection ? FCollection->ParentComponent() : TComponent::GetParentComponent();
}

void TcxComponentCollectionItem::SetParentComponent(TComponent* parent)
{
  MoveToCollection(parent ? GetCollectionFromParent(parent) : nullptr);
}

void TcxComponentCollectionItem::MoveToCollection(TcxComponentCollection* collection)
{
  if (FCollection == collection) return;
  if (FCollection) FCollection->DetachItem(this);
  if (collection) collection->AttachItem(this);
}

void TcxComponentCollectionItem::ChangeIndex(int newIndex)
{
  if (FCollection && newIndex != PositionInCollection()) FCollection->MoveItem(this, newIndex);
}

// --- TcxComponentCollection ---

TcxComponentCollection::TcxComponentCollection(TComponent* parentComponent, TClass itemClass)
    : FParentComponent(parentComponent), FItemClass(itemClass)
{
  if (!itemClass || !itemClass->InheritsFrom(TcxComponentCollectionItem::StaticClass()))
    throw EInvalidOperation("A component collection needs a component collection item class");
}

void TcxComponentCollection::BeforeDestruction()
{
  FUpdateCount = 1;
  while (!FItems.empty()) Free(FItems.back());
  TPersistent::BeforeDestruction();
}

TcxComponentCollectionItem* TcxComponentCollection::ItemAt(int index) const
{
  if (index < 0 || index >= ItemCount()) IndexError(index);
  return FItems[index];
}

int TcxComponentCollection::IndexOf(const TcxComponentCollectionItem* item) const
{
  auto it = std::find(FItems.begin(), FItems.end(), item);
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

TcxComponentCollectionItem* TcxComponentCollection::AppendNewItem()
{
  if (!FItemClass->NewComponent)
    throw EInvalidOperation(std::string("Cannot create an item of the abstract class ") + FItemClass->Name);
  TComponent* owner = FParentComponent ? FParentComponent->Owner() : nullptr;
  auto* item = static_cast<TcxComponentCollectionItem*>(FItemClass->NewComponent(owner));
  try {
    item->SetParentComponent(FParentComponent);
    // A parent that keeps no collection for the item: it still belongs here.
    if (item->FCollection != this) item->MoveToCollection(this);
    AssignItemName(item);
  } catch (...) {
    Free(item);
    throw;
  }
  return item;
}

void TcxComponentCollection::AttachItem(TcxComponentCollectionItem* item)
{
  if (!item || !item->InheritsFrom(FItemClass) || item->FCollection == this) return;
  if (item->FCollection) item->FCollection->DetachItem(item);
  FItems.push_back(item);
  item->FCollection = this;
  item->FID = FNextID++;
  ItemNotify(item, TNotification::ccnAdded);
  SignalChanged(item, TNotification::ccnAdded);
}

void TcxComponentCollection::DetachItem(TcxComponentCollectionItem* item)
{
  if (!item || item->FCollection != this) return;
  ItemNotify(item, TNotification::ccnExtracting);
  FItems.erase(std::remove(FItems.begin(), FItems.end(), item), FItems.end());
  item->FCollection = nullptr;
  ItemNotify(item, TNotification::ccnExtracted);
  SignalChanged(item, TNotification::ccnExtracted);
}

void TcxComponentCollection::FreeAllItems()
{
  if (FItems.empty()) return;
  LockUpdates();
  try {
    while (!FItems.empty()) Free(FItems.back());
  } catch (...) {
    UnlockUpdates(true);
    throw;
  }
  UnlockUpdates(true);
}

void TcxComponentCollection::Assign(TPersistent* source)
{
  auto* other = dynamic_cast<TcxComponentCollection*>(source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  if (other == this) return;
  LockUpdates();
  try {
    FreeAllItems();
    for (int i = 0; i < other->ItemCount(); ++i) AppendNewItem()->Assign(other->ItemAt(i));
  } catch (...) {
    UnlockUpdates(true);
    throw;
  }
  UnlockUpdates(true);
}

void TcxComponentCollection::ReadLegacyCollection(TReader& reader)
{
  TValueType type = reader.ReadValue();
  if (type != TValueType::vaCollection && type != TValueType::vaList) reader.Error("Invalid property value");
  LockUpdates();
  try {
    for (int index = 0; !reader.EndOfList(); ++index) {
      TValueType next = reader.NextValue();
      if (next == TValueType::vaInt8 || next == TValueType::vaInt16 || next == TValueType::vaInt32)
        reader.ReadInteger();
      TcxComponentCollectionItem* item = index < ItemCount() ? ItemAt(index) : AppendNewItem();
      reader.ReadListBegin();
      while (!reader.EndOfList()) reader.ReadProperty(item);
      reader.ReadListEnd();
    }
    reader.ReadListEnd();
  } catch (...) {
    UnlockUpdates(true);
    throw;
  }
  UnlockUpdates(true);
}

void TcxComponentCollection::SignalChanged(TcxComponentCollectionItem* item, TNotification action)
{
  if (FUpdateCount == 0) RaiseOnChange(item, action);
}

void TcxComponentCollection::LockUpdates() { ++FUpdateCount; }

void TcxComponentCollection::UnlockUpdates(bool force)
{
  if (FUpdateCount > 0) --FUpdateCount;
  if (force) SignalChanged(nullptr, TNotification::ccnChanged);
}

void TcxComponentCollection::ItemNotify(TcxComponentCollectionItem* item, TNotification action)
{
  (void)item;
  (void)action;
}

void TcxComponentCollection::AssignItemName(TcxComponentCollectionItem* item)
{
  TComponent* owner = item->Owner();
  item->SetName(GenerateUniqueItemName(owner, FParentComponent, item, "", ""));
}

void TcxComponentCollection::RaiseOnChange(TcxComponentCollectionItem* item, TNotification action)
{
  if (FOnChange) FOnChange(this, item, action);
}

void TcxComponentCollection::MoveItem(TcxComponentCollectionItem* item, int newIndex)
{
  if (newIndex < 0 || newIndex >= ItemCount()) IndexError(newIndex);
  int current = IndexOf(item);
  if (current < 0 || current == newIndex) return;
  FItems.erase(FItems.begin() + current);
  FItems.insert(FItems.begin() + newIndex, item);
  SignalChanged(nullptr, TNotification::ccnChanged);
}

// --- TcxInterfacedCollectionItem ---

// --- TcxOwnedInterfacedCollection ---

void TcxOwnedInterfacedCollection::BeforeDestruction()
{
  FDestroying = true;
  TOwnedCollection::BeforeDestruction();
}

void TcxOwnedInterfacedCollection::SetSorted(bool value)
{
  SetAndNotify(FSorted, value, [this] { if (FSorted) Changed(); });
}

void TcxOwnedInterfacedCollection::Update(TCollectionItem* item)
{
  if (FUpdating) return;
  FUpdating = true;
  struct TReset {
    bool& Flag;
    ~TReset() { Flag = false; }
  } reset{FUpdating};
  if (FSorted && !item) SortCollectionItems();
  TOwnedCollection::Update(item);
  if (!FDestroying && FOnChange) FOnChange(this, item);
}

int TcxOwnedInterfacedCollection::CompareItems(TCollectionItem* item1, TCollectionItem* item2)
{
  int d = item1->Index() - item2->Index();
  return d < 0 ? -1 : (d > 0 ? 1 : 0);
}

void TcxOwnedInterfacedCollection::SortCollectionItems()
{
  if (UpdateCount() > 0 || FSorting) return;
  FSorting = true;
  struct TReset {
    bool& Flag;
    ~TReset() { Flag = false; }
  } reset{FSorting};
  std::vector<TCollectionItem*> items;
  for (int i = 0; i < Count(); ++i) items.push_back(Items(i));
  // Stable, so that items that compare equal keep their order; safe whatever the handler answers.
  std::vector<int> order = StableSortOrder(Count(), [&](int a, int b) {
    return FOnCompare ? FOnCompare(items[a], items[b]) : CompareItems(items[a], items[b]);
  });
  BeginUpdate();
  try {
    for (int i = 0; i < static_cast<int>(order.size()); ++i) items[order[i]]->SetIndex(i);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}
