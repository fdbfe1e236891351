#include "classlib/Collection.h"

#include <algorithm>
#include "classlib/ReaderWork.h"
#include "classlib/TypInfo.h"

CL_DEFINE_CLASS(TCollectionItem);
CL_DEFINE_CLASS(TCollection);
CL_DEFINE_CLASS(TOwnedCollection);

// --- TCollectionItem ---

void TCollectionItem::AfterConstruction()
{
  TPersistent::AfterConstruction();
  SetCollection(FPendingCollection);
}

void TCollectionItem::BeforeDestruction()
{
  SetCollection(nullptr);
  TPersistent::BeforeDestruction();
}

void TCollectionItem::SetCollection(TCollection* collection)
{
  if (FCollection == collection) return;
  if (FCollection) FCollection->RemoveItem(this);
  if (collection) collection->InsertItem(this);
}

int TCollectionItem::Index() const
{
  if (!FCollection) return -1;
  auto& items = FCollection->FItems;
  return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int index)
{
  int cur = Index();
  if (cur < 0 || cur == index) return;
  auto& items = FCollection->FItems;
  index = std::clamp(index, 0, static_cast<int>(items.size()) - 1);
  items.erase(items.begin() + cur);
  items.insert(items.begin() + index, this);
  Changed(true);
}

std::string TCollectionItem::DisplayName() const { return ClassName(); }

void TCollectionItem::SetDisplayName(const std::string&) { Changed(false); }

std::string TCollectionItem::GetNamePath() const
{
  if (!FCollection) return ClassName();
  return FCollection->GetNamePath() + "[" + std::to_string(Index()) + "]";
}

TPersistent* TCollectionItem::GetOwner() const { return FCollection; }

void TCollectionItem::Changed(bool allItems)
{
  if (FCollection && FCollection->FUpdateCount == 0) FCollection->Update(allItems ? nullptr : this);
}

// --- TCollection ---

TCollection::TCollection(TClass itemClass) : FItemClass(itemClass)
{
  if (!itemClass || !itemClass->InheritsFrom(TCollectionItem::StaticClass()) || !itemClass->NewItem)
    throw EInvalidOperation("A collection needs a concrete collection item class");
}

void TCollection::BeforeDestruction()
{
  FUpdateCount = 1;  // no change notices while the items go
  Clear();
  TPersistent::BeforeDestruction();
}

TCollectionItem* TCollection::Items(int index) const
{
  if (index < 0 || index >= Count())
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return FItems[index];
}

TCollectionItem* TCollection::Add() { return FItemClass->NewItem(this); }

TCollectionItem* TCollection::Insert(int index)
{
  TCollectionItem* item = Add();
  item->SetIndex(index);
  return item;
}

void TCollection::Delete(int index)
{
  TCollectionItem* item = Items(index);
  Notify(item, TCollectionNotification::cnDeleting);
  Free(item);
}

void TCollection::Clear()
{
  if (FItems.empty()) return;
  BeginUpdate();
  try {
    while (!FItems.empty()) Free(FItems.back());
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

TCollectionItem* TCollection::FindItemID(int id) const
{
  for (TCollectionItem* item : FItems)
    if (item->FID == id) return item;
  return nullptr;
}

void TCollection::EndUpdate()
{
  if (FUpdateCount > 0) --FUpdateCount;
  Changed();
}

void TCollection::Changed()
{
  if (FUpdateCount == 0) Update(nullptr);
}

void TCollection::InsertItem(TCollectionItem* item)
{
  if (!item->InheritsFrom(FItemClass))
    throw EInvalidCast(std::string("A ") + item->ClassName() + " cannot be an item of a collection of " +
                       FItemClass->Name);
  item->FID = FNextID++;
  FItems.push_back(item);
  item->FCollection = this;
  Notify(item, TCollectionNotification::cnAdded);
  Changed();
}

void TCollection::RemoveItem(TCollectionItem* item)
{
  Notify(item, TCollectionNotification::cnExtracting);
  // Searched from the end: clearing and readers dropping what they just read remove the last item.
  auto it = std::find(FItems.rbegin(), FItems.rend(), item);
  CountReaderWork(static_cast<uint64_t>(it - FItems.rbegin()) + 1);
  if (it != FItems.rend()) FItems.erase(std::next(it).base());
  item->FCollection = nullptr;
  Changed();
}

void TCollection::DeleteWhere(const std::function<bool(TCollectionItem*)>& drop)
{
  std::vector<TCollectionItem*> dropped;
  for (TCollectionItem* item : FItems)
    if (drop(item)) dropped.push_back(item);
  if (dropped.empty()) return;
  BeginUpdate();
  try {
    for (TCollectionItem* item : dropped) {
      Notify(item, TCollectionNotification::cnDeleting);
      Notify(item, TCollectionNotification::cnExtracting);
    }
    // The survivors close up in one pass; the dropped items, out of the list, are freed after.
    size_t kept = 0, next = 0;
    for (TCollectionItem* item : FItems) {
      if (next < dropped.size() && dropped[next] == item) {
        ++next;
        item->FCollection = nullptr;
        continue;
      }
      FItems[kept++] = item;
    }
    FItems.resize(kept);
    for (TCollectionItem* item : dropped) Free(item);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TCollection::Assign(TPersistent* source)
{
  auto* other = dynamic_cast<TCollection*>(source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  if (other == this) return;
  BeginUpdate();
  try {
    Clear();
    for (TCollectionItem* item : other->FItems) Add()->Assign(item);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

std::string TCollection::PropName() const
{
  TPersistent* owner = GetOwner();
  if (!owner) return {};
  for (const TPropInfo* p : GetPropList(owner->ClassType()))
    if (p->Kind == TPropKind::Collection && p->GetObj(owner) == this) return p->Name;
  return {};
}

std::string TCollection::GetNamePath() const
{
  TPersistent* owner = GetOwner();
  if (!owner) return ClassName();
  std::string s = owner->GetNamePath();
  std::string p = PropName();
  if (s.empty() || p.empty()) return ClassName();
  return s + "." + p;
}
