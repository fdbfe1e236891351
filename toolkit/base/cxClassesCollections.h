#pragma once
// Collections of the toolkit: collections whose items are components (screen tips, bar groups...),
// and interfaced collections that can keep their items sorted.
#include <vector>
#include "classlib/Collection.h"
#include "toolkit/base/cxClasses.h"

class TcxComponentCollection;

// What happened to an item of a collection (no item means all items).
enum class TcxComponentCollectionNotification { ccnAdded, ccnChanged, ccnExtracting, ccnExtracted, ccnDeleting };

class TcxComponentCollectionItem;
using TcxComponentCollectionChangeEvent =
    TEvent<void(TObject* Sender, TcxComponentCollectionItem* Item, TcxComponentCollectionNotification Action)>;

// A component that is an item of a collection of its parent component. It is owned by the parent's
// owner (a form), which stores it as a child of the parent.
class TcxComponentCollectionItem : public TComponent {
  CL_CLASS(TcxComponentCollectionItem, TComponent)
public:
  explicit TcxComponentCollectionItem(TComponent* owner) : TComponent(owner) {}
  // Leaves the collection before anything else goes.
  void BeforeDestruction() override;

  TcxComponentCollection* Collection() const { return FCollection; }
  void SetCollection(TcxComponentCollection* value) { MoveToCollection(value); }
  int ID() const { return FID; }
  int Index() const { return PositionInCollection(); }
  void SetIndex(int value) { ChangeIndex(value); }
  int PositionInCollection() const;  // -1 without a collection
  std::string DisplayName() const { return ReadDisplayName(); }

  // Reports a change of this item (or of all items) to the collection.
  void NotifyChanged(bool allItems = false);

  bool HasParent() const override { return GetParentComponent() != nullptr; }
  TComponent* GetParentComponent() const override;
  // Joins the collection that the parent keeps for items like this one.
  void SetParentComponent(TComponent* parent) override;

protected:
  // The parent component's collection for this item.
  virtual TcxComponentCollection* GetCollectionFromParent(TComponent* parent) = 0;
  virtual std::string ReadDisplayName() const { return Name(); }
  virtual void MoveToCollection(TcxComponentCollection* collection);
  // Moves the item to newIndex in its collection (EListError when out of range).
  virtual void ChangeIndex(int newIndex);

private:
  friend class TcxComponentCollection;
  TcxComponentCollection* FCollection = nullptr;
  int FID = 0;
};

// An ordered list of component items of one class that belong to a parent component. Changes reach
// the change handler unless updates are locked; unlocking with force reports one change of all.
class TcxComponentCollection : public TPersistent {
  CL_CLASS(TcxComponentCollection, TPersistent)
public:
  TcxComponentCollection(TComponent* parentComponent, TClass itemClass);
  // Frees every item without reporting it.
  void BeforeDestruction() override;

  TComponent* ParentComponent() const { return FParentComponent; }
  TClass ItemClass() const { return FItemClass; }
  int ItemCount() const { return static_cast<int>(FItems.size()); }
  TcxComponentCollectionItem* ItemAt(int index) const;
  int IndexOf(const TcxComponentCollectionItem* item) const;
  int UpdateCount() const { return FUpdateCount; }
  TPersistent* GetOwner() const override { return FParentComponent; }

  // A new item of the item class, owned by the parent's owner, in this collection and named.
  TcxComponentCollectionItem* AppendNewItem();
  // Takes in an instance of the item class (anything else is ignored), taking it out of any other
  // collection first.
  void AttachItem(TcxComponentCollectionItem* item);
  void DetachItem(TcxComponentCollectionItem* item);
  void FreeAllItems();
  void Assign(TPersistent* source) override;
  // Reads the older stored form of the collection, a collection value whose entries may each begin
  // with an order number (ignored) and hold the properties of one item: entry i goes into item i,
  // or into a new item past the end. For a DefineProperties read procedure.
  void ReadLegacyCollection(TReader& reader);

  void SignalChanged(TcxComponentCollectionItem* item, TcxComponentCollectionNotification action);
  virtual void LockUpdates();
  virtual void UnlockUpdates(bool force = false);

  const TcxComponentCollectionChangeEvent& OnChange() const { return FOnChange; }
  void SetOnChange(const TcxComponentCollectionChangeEvent& value) { FOnChange = value; }

protected:
  virtual void ItemNotify(TcxComponentCollectionItem* item, TcxComponentCollectionNotification action);
  // Gives a new item a name unique among the components of the parent's owner.
  virtual void AssignItemName(TcxComponentCollectionItem* item);
  virtual void RaiseOnChange(TcxComponentCollectionItem* item, TcxComponentCollectionNotification action);

private:
  friend class TcxComponentCollectionItem;
  void MoveItem(TcxComponentCollectionItem* item, int newIndex);

  TComponent* FParentComponent;
  TClass FItemClass;
  std::vector<TcxComponentCollectionItem*> FItems;
  int FUpdateCount = 0;
  int FNextID = 0;
  TcxComponentCollectionChangeEvent FOnChange;
};

// --- Interfaced collections ---

// A collection item that offers internal interfaces (found with Supports), without counting.
class TcxInterfacedCollectionItem : public TCollectionItem {
  CL_CLASS(TcxInterfacedCollectionItem, TCollectionItem)
public:
  explicit TcxInterfacedCollectionItem(TCollection* collection) : TCollectionItem(collection) {}
};

class TcxOwnedInterfacedCollection;
using TcxCollectionCompareEvent = TEvent<int(TCollectionItem* Item1, TCollectionItem* Item2)>;
using TcxOwnedInterfacedCollectionNotifyEvent = TEvent<void(TObject* Sender, TCollectionItem* Item)>;

// An owned collection without reference counting that can keep its items sorted (by the compare
// handler, else by CompareItems) and reports each change to its change handler.
class TcxOwnedInterfacedCollection : public TOwnedCollection {
  CL_CLASS(TcxOwnedInterfacedCollection, TOwnedCollection)
public:
  TcxOwnedInterfacedCollection(TPersistent* owner, TClass itemClass) : TOwnedCollection(owner, itemClass) {}
  void BeforeDestruction() override;

  bool Sorted() const { return FSorted; }
  void SetSorted(bool value);
  const TcxCollectionCompareEvent& OnCompare() const { return FOnCompare; }
  void SetOnCompare(const TcxCollectionCompareEvent& value) { FOnCompare = value; }
  const TcxOwnedInterfacedCollectionNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(const TcxOwnedInterfacedCollectionNotifyEvent& value) { FOnChange = value; }
  void Sort() { SortCollectionItems(); }

protected:
  void Update(TCollectionItem* item) override;
  // The order of two items: by default the sign of the difference of their indexes.
  virtual int CompareItems(TCollectionItem* item1, TCollectionItem* item2);
  void SortCollectionItems();

private:
  bool FDestroying = false;
  bool FUpdating = false;
  bool FSorting = false;
  bool FSorted = false;
  TcxCollectionCompareEvent FOnCompare;
  TcxOwnedInterfacedCollectionNotifyEvent FOnChange;
};
