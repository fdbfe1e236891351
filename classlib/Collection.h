#pragma once
// TCollection and TCollectionItem: owned, ordered items of one class, with an update count that
// holds change notices back until the last EndUpdate.
#include <functional>
#include <string>
#include <vector>
#include "classlib/Persistent.h"

class TCollection;

enum class TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

class TCollectionItem : public TPersistent {
  CL_CLASS(TCollectionItem, TPersistent)
public:
  explicit TCollectionItem(TCollection* collection) : FPendingCollection(collection) {}
  void AfterConstruction() override;
  void BeforeDestruction() override;

  TCollection* Collection() const { return FCollection; }
  void SetCollection(TCollection* collection);
  int ID() const { return FID; }
  int Index() const;
  void SetIndex(int index);
  virtual std::string DisplayName() const;
  virtual void SetDisplayName(const std::string& name);
  std::string GetNamePath() const override;
  TPersistent* GetOwner() const override;

protected:
  // Tells the collection this item (or, with allItems, every item) changed.
  virtual void Changed(bool allItems);

private:
  friend class TCollection;
  TCollection* FPendingCollection;
  TCollection* FCollection = nullptr;
  int FID = 0;
};

class TCollection : public TPersistent {
  CL_CLASS(TCollection, TPersistent)
public:
  explicit TCollection(TClass itemClass);
  void BeforeDestruction() override;

  TClass ItemClass() const { return FItemClass; }
  int Count() const { return static_cast<int>(FItems.size()); }
  TCollectionItem* Items(int index) const;
  template <class T> T* Item(int index) const { return static_cast<T*>(Items(index)); }
  TCollectionItem* Add();
  template <class T> T* Add() { return As<T>(Add()); }
  TCollectionItem* Insert(int index);
  void Delete(int index);
  // Frees every item drop answers true for, in one pass over the items, with one change notice.
  void DeleteWhere(const std::function<bool(TCollectionItem*)>& drop);
  void Clear();
  TCollectionItem* FindItemID(int id) const;
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }
  void Assign(TPersistent* source) override;
  std::string GetNamePath() const override;
  // The name of the owner's property that holds this collection ("" when none).
  std::string PropName() const;

protected:
  // Called with the changed item, or nullptr when all changed, once no update is open.
  virtual void Update(TCollectionItem* item) { (void)item; }
  virtual void Notify(TCollectionItem* item, TCollectionNotification action) { (void)item; (void)action; }
  void Changed();

private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* item);
  void RemoveItem(TCollectionItem* item);

  TClass FItemClass;
  std::vector<TCollectionItem*> FItems;
  int FUpdateCount = 0;
  int FNextID = 0;
};

// A collection that knows the persistent it belongs to.
class TOwnedCollection : public TCollection {
  CL_CLASS(TOwnedCollection, TCollection)
public:
  TOwnedCollection(TPersistent* owner, TClass itemClass) : TCollection(itemClass), FOwner(owner) {}
  TPersistent* GetOwner() const override { return FOwner; }

private:
  TPersistent* FOwner;
};
