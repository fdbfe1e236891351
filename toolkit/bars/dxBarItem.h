#pragma once
// The command object of the bar system: every kind of bar item (button, edit, combo, sub-item ...)
// derives from TdxBarItem. An item never draws itself; each place that shows it gets an item
// control of the class its item class registered (TdxBarItemList).
//
// Every item belongs to one bar manager, which keeps all its items in one ordered list, and to one
// of the manager's categories (Category, an index; -1 for none). An item with a category is stored
// as a child of its manager.
#include "classlib/ClassRef.h"
#include "classlib/Component.h"
#include "toolkit/bars/dxBarComponents.h"

class TdxBarItem : public TdxBarComponent {
  CL_CLASS(TdxBarItem, TdxBarComponent)
public:
  // Joins the manager that is, or is owned by, the owner's windowed control; without one, the
  // first manager of the process.
  explicit TdxBarItem(TComponent* owner);
  void AfterConstruction() override;
  void BeforeDestruction() override;

  // Moves the item from its manager's item list to the new manager's.
  void SetBarManager(TdxBarManager* value) override;

  // The category rule: while loading the value is only stored. Otherwise a value outside the
  // manager's categories (or an item outside its manager's list) changes nothing; the item moves in
  // the item list to just after the last item of that category, and takes the value.
  int Category() const { return FCategory; }
  void SetCategory(int value);
  // The position in the manager's item list (-1 without a manager).
  int Index() const;

  // Takes a reading manager as its manager before the properties are read.
  void ReadState(TReader& reader) override;
  // Stored as a child of the manager exactly while it has a category.
  bool HasParent() const override { return FCategory >= 0; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* parent) override;

private:
  friend class TdxBarManagerCategories;
  int FCategory = -1;
};

using TdxBarItemClass = TClassRef<TdxBarItem>;
