#pragma once
// The small classes the bar manager keeps its parts in: a list of objects that it does not own, the
// base of bar items and groups (TdxBarComponent: the owning manager and the visibility the item
// takes in menus and toolbars), and the list of bar components.
#include <cstdint>
#include "classlib/Component.h"
#include "classlib/Lists.h"
#include "toolkit/base/cxClassesLists.h"

class TdxBarManager;

// Whether an item shows: never, only while bars are customized, or always.
enum class TdxBarItemVisible : uint8_t { ivNever, ivInCustomizing, ivAlways };
using enum TdxBarItemVisible;
extern const TEnumInfo dxBarItemVisibleInfo;

// A list of objects that it does not own.
class TdxObjectList : public TObjectList {
  CL_CLASS(TdxObjectList, TObjectList)
public:
  TdxObjectList() : TObjectList(false) {}
  // Adds the object when it is not nil and not listed yet.
  void AddUnique(TObject* obj);
  // nullptr outside the range.
  TObject* GetObject(int index) const;
};

// The base of bar items and groups: the manager the component belongs to and its visibility.
class TdxBarComponent : public TComponent {
  CL_CLASS(TdxBarComponent, TComponent)
public:
  explicit TdxBarComponent(TComponent* owner) : TComponent(owner) {}

  TdxBarManager* BarManager() const { return GetBarManager(); }
  virtual TdxBarManager* GetBarManager() const { return FBarManager; }
  virtual void SetBarManager(TdxBarManager* value) { FBarManager = value; }
  virtual TdxBarItemVisible GetVisible() const { return FVisible; }
  TdxBarItemVisible Visible() const { return GetVisible(); }
  virtual void SetVisible(TdxBarItemVisible value) { FVisible = value; }

private:
  TdxBarManager* FBarManager = nullptr;
  TdxBarItemVisible FVisible = ivAlways;
};

// The manager's lists of items and of groups: bar components only, not owned.
class TdxBarComponentList : public TcxComponentList {
  CL_CLASS(TdxBarComponentList, TcxComponentList)
public:
  TdxBarComponentList() = default;
  TdxBarComponent* Component(int index) const { return static_cast<TdxBarComponent*>(Items(index)); }

protected:
  TClass AcceptedItemClass() const override { return TdxBarComponent::StaticClass(); }
};
