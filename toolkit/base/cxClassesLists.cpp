#include "toolkit/base/cxClassesLists.h"

#include <algorithm>

CL_DEFINE_CLASS(TcxObjectList);
CL_DEFINE_CLASS(TcxStringList);
CL_DEFINE_CLASS(TcxComponentList);

// --- TcxObjectList ---

void TcxObjectList::BeforeDestruction()
{
  FreeObjects();
  TList::BeforeDestruction();
}

void TcxObjectList::FreeObjects()
{
  if (!FOwnsObjects) return;
  // Out of the list first, so that an object that looks for itself while it dies finds nothing.
  std::vector<void*> objects(FList.begin(), FList.end());
  FList.clear();
  for (void* obj : objects) Free(static_cast<TObject*>(obj));
}

void TcxObjectList::Clear()
{
  FreeObjects();
  TList::Clear();
}

void TcxObjectList::DeleteAndFree(int index)
{
  TObject* obj = GetObject(index);
  Delete(index);
  Free(obj);
}

int TcxObjectList::RemoveAndFree(TObject* obj)
{
  int index = IndexOf(obj);
  if (index >= 0) {
    Delete(index);
    Free(obj);
  }
  return index;
}

// --- TcxStringList ---

void TcxStringList::Sort()
{
  if (!FOnCompare) {
    TStringList::Sort();
    return;
  }
  CustomSort([](TStringList* list, int index1, int index2) {
    auto* self = static_cast<TcxStringList*>(list);
    return self->FOnCompare(self, index1, index2);
  });
}

// --- TcxComponentList ---

void TcxComponentList::Clear()
{
  LockNotifications();
  try {
    while (Count() > 0) Delete(0);
  } catch (...) {
    UnlockNotifications();
    throw;
  }
  UnlockNotifications();
  TComponentList::Clear();  // releases the memory; nothing is left to report
}

void TcxComponentList::UnlockWithoutNotify()
{
  if (FUpdateCount > 0) --FUpdateCount;
}

void TcxComponentList::UnlockNotifications()
{
  UnlockWithoutNotify();
  FireListChanged(nullptr, TcxComponentCollectionNotification::ccnChanged);
}

void TcxComponentList::FireListChanged(TComponent* component, TcxComponentCollectionNotification action)
{
  if (FUpdateCount == 0 && FOnComponentListChanged) FOnComponentListChanged(this, component, action);
}

void TcxComponentList::Notify(void* ptr, TListNotification action)
{
  auto* component = static_cast<TComponent*>(static_cast<TObject*>(ptr));
  if (action == TListNotification::lnAdded && !component->InheritsFrom(AcceptedItemClass())) {
    // Refused: out again before anything hears of it.
    auto it = std::find(FList.rbegin(), FList.rend(), ptr);
    if (it != FList.rend()) FList.erase(std::next(it).base());
    return;
  }
  TComponentList::Notify(ptr, action);
  using N = TcxComponentCollectionNotification;
  N converted = action == TListNotification::lnAdded       ? N::ccnAdded
                : action == TListNotification::lnExtracted ? N::ccnExtracted
                                                           : N::ccnDeleting;
  HandleItemNotification(component, converted);
}

void TcxComponentList::HandleItemNotification(TComponent* component, TcxComponentCollectionNotification action)
{
  if (FOnNotify) FOnNotify(this, component, action);
  FireListChanged(component, action);
}
