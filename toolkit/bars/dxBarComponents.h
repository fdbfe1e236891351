#pragma once
// The small classes the bar manager keeps its parts in: a list of objects that it does not own, the
// base of bar items and groups (TdxBarComponent: the owning manager, whether it is enabled, the
// visibility it takes in menus and toolbars, its change observers and its answers to the
// customizing selection), and the list of bar components, which observes its members.
#include <cstdint>
#include <vector>
#include "classlib/Component.h"
#include "classlib/Lists.h"
#include "toolkit/bars/dxBarCustomizing.h"
#include "toolkit/base/cxClassesLists.h"

class TdxBarManager;
class TdxBarComponent;

// Whether an item shows: never, only while bars are customized, or always.
enum class TdxBarItemVisible : uint8_t { ivNever, ivInCustomizing, ivAlways };
using enum TdxBarItemVisible;
extern const TEnumInfo dxBarItemVisibleInfo;

// How an item's links join another bar's links when bars are merged: added, merged into the link
// of the same caption, or left out.
enum class TdxBarItemMergeKind : uint8_t { mkAdd, mkMergeByCaption, mkNone };
using enum TdxBarItemMergeKind;
extern const TEnumInfo dxBarItemMergeKindInfo;

// Told when a bar component changes.
class IdxBarComponentObserver {
public:
  // The component that changed; nullptr when all may have.
  virtual void Changed(TdxBarComponent* component) = 0;

protected:
  ~IdxBarComponentObserver() = default;
};

// A list of objects that it does not own.
class TdxObjectList : public TObjectList {
  CL_CLASS(TdxObjectList, TObjectList)
public:
  TdxObjectList() : TObjectList(false) {}
  // Adds the object when it is not nil and not listed yet.
  void AddUnique(TObject* obj);
  // Clears the target, gives it this list's capacity and every object of this list; a target that
  // is itself a TdxObjectList gets each object once.
  void CopyTo(TObjectList* target) const;
  // nullptr for an empty list.
  TObject* GetLastObject() const;
  // nullptr outside the range.
  TObject* GetObject(int index) const;
};

// The base of bar items and groups.
class TdxBarComponent : public TComponent, public IdxBarSelectableItem {
  CL_CLASS(TdxBarComponent, TComponent)
public:
  explicit TdxBarComponent(TComponent* owner) : TComponent(owner) {}

  TdxBarManager* BarManager() const { return GetBarManager(); }
  TdxBarManager* GetBarManager() const override { return FBarManager; }
  virtual void SetBarManager(TdxBarManager* value) { FBarManager = value; }
  bool Enabled() const { return GetEnabled(); }
  virtual bool GetEnabled() const = 0;
  virtual void SetEnabled(bool value) = 0;
  TdxBarItemVisible Visible() const { return GetVisible(); }
  virtual TdxBarItemVisible GetVisible() const { return FVisible; }
  virtual void SetVisible(TdxBarItemVisible value) = 0;

  // Every observer hears Changed: with this component, or with none when all changed. Nothing
  // while the component is being destroyed.
  virtual void NotifyChanged(bool all = false);
  void AddObserver(IdxBarComponentObserver* observer);
  void RemoveObserver(IdxBarComponentObserver* observer);
  int ObserverCount() const { return static_cast<int>(FObservers.size()); }

  // --- IdxBarSelectableItem ---
  // The manager's designer decides (yes without one).
  bool CanDelete(bool destruction) override;
  // Empties the reference and frees the component when CanDelete allows.
  void DeleteSelection(IdxBarSelectableItem*& reference, bool destruction) override;
  void ExecuteCustomizingAction(TdxBarCustomizingAction) override {}
  TObject* GetInstance() override { return this; }
  // The owner, once.
  void AddMasterObjects(TList* list) override;
  IdxBarSelectableItem* GetNextSelectable() override { return nullptr; }
  TPersistent* GetSelectableParent() override;
  int GetSelectionStatus() override;
  // Delete.
  TdxBarCustomizingActions GetSupportedActions() override { return {TdxBarCustomizingAction::caDelete}; }
  void InvalidateSelection() override {}
  bool IsComplex() override { return false; }
  bool IsSelected() override { return GetSelectionStatus() == 1; }
  void SelectComponent(TdxBarSelectionOperation operation) override;
  bool SelectParentComponent() override { return false; }
  void SelectionChanged() override {}

protected:
  // The stored values behind GetEnabled and GetVisible.
  bool FEnabled = true;
  TdxBarItemVisible FVisible = ivAlways;

private:
  TdxBarManager* FBarManager = nullptr;
  std::vector<IdxBarComponentObserver*> FObservers;
};

// The manager's lists of items and of groups: bar components only, not owned. The list observes
// its members and reports a change of one as a change of the list.
class TdxBarComponentList : public TcxComponentList, public IdxBarComponentObserver {
  CL_CLASS(TdxBarComponentList, TcxComponentList)
public:
  TdxBarComponentList() = default;
  TdxBarComponent* Component(int index) const { return static_cast<TdxBarComponent*>(Items(index)); }
  // The list-changed event with the component and "changed", unless notifications are locked.
  void Changed(TdxBarComponent* component) override;

protected:
  TClass AcceptedItemClass() const override { return TdxBarComponent::StaticClass(); }
  // An added component gets the list as observer, one that leaves loses it.
  void HandleItemNotification(TComponent* component, TcxComponentCollectionNotification action) override;
};
