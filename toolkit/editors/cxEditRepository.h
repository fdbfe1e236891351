#pragma once
// Repository items: non-visual components that each own one properties object, so that many editors
// and bar edit items can share it, and the repository component that lists them on a form.
#include <vector>
#include "classlib/Component.h"
#include "toolkit/editors/cxEditProperties.h"

class TcxEditRepository;
class TcxEditRepositoryItem;
using TcxEditRepositoryItemClass = TClassRef<TcxEditRepositoryItem>;

// Told by a repository item about its properties' completed changes and about its end.
class IcxEditRepositoryItemObserver {
public:
  // The item is going away: forget it without calling it back.
  virtual void RepositoryItemRemoved(TcxEditRepositoryItem* Item) = 0;
  virtual void RepositoryItemPropertiesChanged(TcxEditRepositoryItem* Item) = 0;

protected:
  ~IcxEditRepositoryItemObserver() = default;
};

class TcxEditRepositoryItem : public TComponent {
  CL_CLASS(TcxEditRepositoryItem, TComponent)
public:
  // The class answers the class of the properties its items own.
  struct TMeta : TMetaClassOf<TcxEditRepositoryItem, TComponent*> {
    virtual TcxCustomEditPropertiesClass PropertiesClassType() const
    {
      return ClassRef<TcxCustomEditProperties>();
    }
  };
  explicit TcxEditRepositoryItem(TComponent* Owner) : TComponent(Owner) {}
  // Makes the properties, whose every completed change reaches the listeners.
  void AfterConstruction() override;
  // Tells the listeners (last first), leaves the repository, frees the properties.
  void BeforeDestruction() override;

  TcxCustomEditProperties* Properties() const { return FProperties.get(); }
  // Copies the given properties into the item's own.
  void SetProperties(TcxCustomEditProperties* Value);
  TcxEditRepository* Repository() const { return FRepository; }
  // Leaves the old repository's list and joins the new one's.
  void SetRepository(TcxEditRepository* Value);
  // Stored for a form designer only; never called.
  const TNotifyEvent& PropertiesEvents() const { return FPropertiesEvents; }
  void SetPropertiesEvents(const TNotifyEvent& Value) { FPropertiesEvents = Value; }
  int ListenerCount() const { return static_cast<int>(FListeners.size()); }
  // The item's properties are of the class or a descendant.
  bool PropertiesInheritFrom(TClass PropertiesClass) const;

  // --- Virtual operations, in slot order ---
  // Tells every listener, from the last added to the first.
  virtual void NotifyItemChanged(TObject* Sender);
  virtual void AddListener(IcxEditRepositoryItemObserver* Listener);
  // The base of the names a form designer generates: the repository's name followed by the class
  // name after "TcxEditRepository". The item must belong to a repository.
  virtual std::string GetBaseName() const;
  virtual void RemoveListener(IcxEditRepositoryItemObserver* Listener);

  // Streaming: the repository is the item's parent.
  bool HasParent() const override { return FRepository != nullptr; }
  TComponent* GetParentComponent() const override;
  // Ignored while loading; otherwise the component must be a repository (EInvalidCast).
  void SetParentComponent(TComponent* Parent) override;
  void ReadState(TReader& Reader) override;

private:
  std::vector<IcxEditRepositoryItemObserver*> FListeners;
  TOwned<TcxCustomEditProperties> FProperties;
  TcxEditRepository* FRepository = nullptr;
  TNotifyEvent FPropertiesEvents;
};

class TcxEditRepository : public TComponent {
  CL_CLASS(TcxEditRepository, TComponent)
public:
  explicit TcxEditRepository(TComponent* Owner) : TComponent(Owner) {}
  void BeforeDestruction() override;

  virtual TcxEditRepositoryItem* CreateItem(TcxEditRepositoryItemClass ItemClass);
  // An item of the class with that owner, listed here.
  virtual TcxEditRepositoryItem* CreateItemEx(TcxEditRepositoryItemClass ItemClass, TComponent* Owner);

  // Frees the items, last first.
  void Clear();
  int Count() const { return static_cast<int>(FItems.size()); }
  TcxEditRepositoryItem* Items(int Index) const { return FItems.at(Index); }
  // The items the root owns, in list order: form streaming writes them as the repository's children.
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;

private:
  friend class TcxEditRepositoryItem;
  std::vector<TcxEditRepositoryItem*> FItems;  // not owned: the items' owners free them
};

// Whether a bar edit item should use its own properties instead of a repository item's: both
// given, the item's properties are the current ones and inherit from the class of the own ones.
// Then Current becomes the own properties.
bool PreferOwnProperties(TcxCustomEditProperties* OwnProperties, TcxEditRepositoryItem* Item,
                         TcxCustomEditProperties*& Current);
