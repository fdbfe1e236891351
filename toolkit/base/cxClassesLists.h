#pragma once
// Lists of the toolkit: an object list that frees on request, a string list sorted by a handler,
// and a component list that reports its changes and can hold them back.
#include "classlib/Lists.h"
#include "classlib/Strings.h"
#include "toolkit/base/cxClassesCollections.h"

// A list of objects; one that owns them frees them when it is cleared.
class TcxObjectList : public TList {
  CL_CLASS(TcxObjectList, TList)
public:
  TcxObjectList() = default;
  explicit TcxObjectList(std::same_as<bool> auto ownsObjects) : FOwnsObjects(ownsObjects) {}
  void BeforeDestruction() override;

  void Clear() override;
  void DeleteAndFree(int index);
  // The object's former index, or -1 (and nothing freed) when it is not in the list.
  int RemoveAndFree(TObject* obj);
  TObject* GetObject(int index) const { return static_cast<TObject*>(Items(index)); }
  bool OwnsObjects() const { return FOwnsObjects; }

private:
  void FreeObjects();
  bool FOwnsObjects = true;
};

class TcxStringList;
using TcxStringListCompareEvent = TEvent<int(TcxStringList* List, int Index1, int Index2)>;

// A string list whose sort uses its compare handler when one is set.
class TcxStringList : public TStringList {
  CL_CLASS(TcxStringList, TStringList)
public:
  TcxStringList() = default;
  void Sort() override;
  const TcxStringListCompareEvent& OnCompare() const { return FOnCompare; }
  void SetOnCompare(const TcxStringListCompareEvent& value) { FOnCompare = value; }

private:
  TcxStringListCompareEvent FOnCompare;
};

using TcxComponentListNotifyEvent =
    TEvent<void(TObject* Sender, TComponent* Component, TcxComponentCollectionNotification Action)>;

// A list of components that it does not own. Each addition, extraction and deletion reaches the
// item-notification handler and, unless notifications are locked, the list-changed handler (added,
// extracted, deleting); unlocking reports one change of the whole list (changed, no component).
// A component of a class other than AcceptedItemClass leaves the list again at once, unreported.
class TcxComponentList : public TComponentList {
  CL_CLASS(TcxComponentList, TComponentList)
public:
  TcxComponentList() : TComponentList(false) {}

  void Clear() override;
  void LockNotifications() { ++FUpdateCount; }
  void UnlockWithoutNotify();
  void UnlockNotifications();
  bool NotificationsLocked() const { return FUpdateCount > 0; }
  void FireListChanged(TComponent* component, TcxComponentCollectionNotification action);

  const TcxComponentListNotifyEvent& OnNotify() const { return FOnNotify; }
  void SetOnNotify(const TcxComponentListNotifyEvent& value) { FOnNotify = value; }
  const TcxComponentListNotifyEvent& OnComponentListChanged() const { return FOnComponentListChanged; }
  void SetOnComponentListChanged(const TcxComponentListNotifyEvent& value) { FOnComponentListChanged = value; }

protected:
  void Notify(void* ptr, TListNotification action) override;
  virtual void HandleItemNotification(TComponent* component, TcxComponentCollectionNotification action);
  virtual TClass AcceptedItemClass() const { return TComponent::StaticClass(); }

private:
  int FUpdateCount = 0;
  TcxComponentListNotifyEvent FOnNotify;
  TcxComponentListNotifyEvent FOnComponentListChanged;
};
