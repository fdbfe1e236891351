#pragma once
// Lists of pointers: TList (untyped), TObjectList (objects it may own) and TComponentList
// (components, which leave the list by themselves when they are freed elsewhere).
//
// A list tells its virtual Notify of every non-null item added, extracted or deleted. Free (or
// TOwned) clears a list through Clear, so overrides of Notify hear of the last items too.
#include <concepts>
#include <functional>
#include <span>
#include <vector>
#include "classlib/Component.h"

enum class TListNotification { lnAdded, lnExtracted, lnDeleted };

// Compares two items: <0, 0, >0.
using TListSortCompare = int (*)(void* item1, void* item2);

// The order that sorts positions 0..count-1 by compare (<0, 0, >0 of two positions). Stable, and
// safe whatever compare answers: an inconsistent compare gives some order, never a fault.
std::vector<int> StableSortOrder(int count, const std::function<int(int, int)>& compare);

// Index errors raise EListError "List index out of bounds (<index>)".
class TList : public TObject {
  CL_CLASS(TList, TObject)
public:
  TList() = default;
  void BeforeDestruction() override;

  int Add(void* item);
  void Insert(int index, void* item);  // 0..Count
  void Delete(int index);
  // Deletes the first occurrence; returns its index, or -1 when item is not in the list.
  int Remove(void* item);
  // Takes the first occurrence out without deleting it (lnExtracted); returns it, or nullptr.
  void* Extract(void* item);
  int IndexOf(const void* item) const;
  void Exchange(int index1, int index2);
  // Moves the item at curIndex to newIndex, without notifications.
  void Move(int curIndex, int newIndex);
  // Sorts with compare (stably; see StableSortOrder).
  void Sort(TListSortCompare compare);
  // Deletes the null items.
  void Pack();
  // Deletes every item (last first) and releases the memory.
  virtual void Clear();
  void* First() const { return Items(0); }
  void* Last() const { return Items(Count() - 1); }

  int Count() const { return static_cast<int>(FList.size()); }
  // Grows with null items or deletes from the end; raises EListError "List count out of bounds (<n>)".
  void SetCount(int count);
  int Capacity() const { return static_cast<int>(FList.capacity()); }
  // Raises EListError "List capacity out of bounds (<n>)" below Count.
  void SetCapacity(int capacity);
  void* Items(int index) const;
  // Replaces an item: the old one is deleted (lnDeleted), the new one added (lnAdded).
  void SetItems(int index, void* item);
  std::span<void* const> List() const { return FList; }

protected:
  virtual void Notify(void* ptr, TListNotification action) { (void)ptr; (void)action; }
  [[noreturn]] static void IndexError(int index);
  std::vector<void*> FList;
};

// Objects, freed with Free when deleted from a list that owns them (the default).
class TObjectList : public TList {
  CL_CLASS(TObjectList, TList)
public:
  TObjectList() = default;
  explicit TObjectList(std::same_as<bool> auto ownsObjects) : FOwnsObjects(ownsObjects) {}
  int Add(TObject* obj) { return TList::Add(obj); }
  void Insert(int index, TObject* obj) { TList::Insert(index, obj); }
  int Remove(TObject* obj) { return TList::Remove(obj); }
  TObject* Extract(TObject* obj) { return static_cast<TObject*>(TList::Extract(obj)); }
  int IndexOf(const TObject* obj) const { return TList::IndexOf(obj); }
  TObject* Items(int index) const { return static_cast<TObject*>(TList::Items(index)); }
  template <class T> T* Item(int index) const { return static_cast<T*>(Items(index)); }
  void SetItems(int index, TObject* obj) { TList::SetItems(index, obj); }
  TObject* First() const { return Items(0); }
  TObject* Last() const { return Items(Count() - 1); }
  // The index of the first object from startAt that is of class c (exactly, or c or a descendant).
  int FindInstanceOf(TClass c, bool exact = true, int startAt = 0) const;

  bool OwnsObjects() const { return FOwnsObjects; }
  void SetOwnsObjects(bool value) { FOwnsObjects = value; }

protected:
  void Notify(void* ptr, TListNotification action) override;

private:
  bool FOwnsObjects = true;
};

// Components. A component freed anywhere leaves the list (an internal component receives its free
// notification); an owning list (the default) frees the components deleted from it.
class TComponentList : public TObjectList {
  CL_CLASS(TComponentList, TObjectList)
public:
  TComponentList() = default;
  explicit TComponentList(std::same_as<bool> auto ownsObjects) : TObjectList(ownsObjects) {}
  ~TComponentList() override;

  // Stored as TObject pointers, like every item of a TObjectList.
  int Add(TComponent* component) { return TObjectList::Add(component); }
  void Insert(int index, TComponent* component) { TObjectList::Insert(index, component); }
  int Remove(TComponent* component) { return TObjectList::Remove(component); }
  TComponent* Extract(TComponent* component) { return static_cast<TComponent*>(TObjectList::Extract(component)); }
  int IndexOf(const TComponent* component) const { return TObjectList::IndexOf(component); }
  TComponent* Items(int index) const { return static_cast<TComponent*>(TObjectList::Items(index)); }
  void SetItems(int index, TComponent* component) { TObjectList::SetItems(index, component); }
  TComponent* First() const { return Items(0); }
  TComponent* Last() const { return Items(Count() - 1); }

protected:
  void Notify(void* ptr, TListNotification action) override;

private:
  // Hears of the listed components being freed (through free notifications) and takes them out.
  class TNexus : public TComponent {
    CL_CLASS(TNexus, TComponent)
  public:
    explicit TNexus(TComponentList* list) : TComponent(nullptr), FList(list) {}
    void Notification(TComponent* component, TOperation operation) override
    {
      TComponent::Notification(component, operation);
      if (operation == TOperation::opRemove && FList) FList->HandleFreeNotify(component);
    }
    TComponentList* FList;
  };
  void HandleFreeNotify(TComponent* component);
  TOwned<TNexus> FNexus;
};
