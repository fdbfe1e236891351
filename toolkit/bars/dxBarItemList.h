#pragma once
// The item-class registry: each bar item class paired, in registration order, with the item-control
// class that shows its links, and whether the new-item dialog offers the item class. Registering an
// item class also registers it with the class library's class registry, so that stored forms can
// create its items. One registry per process (GetItemClassRegistry).
#include <vector>
#include "classlib/Object.h"
#include "toolkit/bars/dxBarItem.h"
#include "toolkit/bars/dxBarItemControl.h"

struct TRegItemRecord {
  TdxBarItemClass ItemClass;
  TdxBarItemControlClass ControlClass;
  // The new-item dialog offers the item class.
  bool Visible;
};

class TdxBarItemList : public TObject {
  CL_CLASS(TdxBarItemList, TObject)
public:
  TdxBarItemList() = default;
  // Removes the records last to first, each as RemoveAt does.
  void BeforeDestruction() override;

  // Appends a record and registers the item class with the class registry.
  void Add(TdxBarItemClass itemClass, TdxBarItemControlClass controlClass, bool visible);
  // Removes the first record of the item class; nothing when there is none.
  void Remove(TdxBarItemClass itemClass);
  // Unregisters the record's item class from the class registry and deletes the record; raises
  // EListError for an index out of range.
  void RemoveAt(int index);

  int Count() const { return static_cast<int>(FRecords.size()); }
  // Raise EListError for an index out of range.
  const TRegItemRecord& GetRecord(int index) const;
  TdxBarItemClass GetItemClassAt(int index) const { return GetRecord(index).ItemClass; }
  int CountVisibleItems() const;
  // The item class of the index-th record among the visible ones; empty when there is none.
  TdxBarItemClass VisibleItemClassAt(int index) const;
  // The control class of the first record whose item class is exactly itemClass (a descendant of a
  // registered class that is not registered itself has none); empty when there is none.
  TdxBarItemControlClass FindControlClass(TdxBarItemClass itemClass) const;

private:
  void CheckIndex(int index) const;
  std::vector<TRegItemRecord> FRecords;
};
