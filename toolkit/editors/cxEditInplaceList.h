#pragma once
// What hosts of in-place editors keep (unit cxEdit): the edit data an editor fills for its host and
// that outlives the editor, and the pools of hidden in-place editors, one per properties class,
// that hosts borrow instead of making an editor each time. Every live pool is on one process-wide
// list, so that properties being destroyed can be forgotten by all of them.
#include <span>
#include <vector>
#include "classlib/Object.h"
#include "toolkit/editors/cxEditProperties.h"

class TcxCustomEdit;
class TcxFreeNotificator;

// Data a host keeps for an in-place editor between activations.
class TcxCustomEditData : public TObject {
  CL_CLASS(TcxCustomEditData, TObject)
public:
  struct TMeta : TMetaClassOf<TcxCustomEditData, TcxCustomEdit*> {};
  // Watches the editor (none allowed), then asks to be filled.
  explicit TcxCustomEditData(TcxCustomEdit* Edit);
  ~TcxCustomEditData() override;
  void AfterConstruction() override;

  TcxCustomEdit* Edit() const { return FEdit; }
  bool ReinitializationPending() const { return FReinitializationPending; }
  void SetReinitializationPending(bool Value) { FReinitializationPending = Value; }
  // Marks the data for filling and tells the editor, when it still exists.
  void RequestReinitialization();

private:
  void EditFreed(TComponent* Component);

  bool FReinitializationPending = false;
  TcxCustomEdit* FEdit;  // not owned; none once it is freed
  TOwned<TcxFreeNotificator> FFreeNotificator;
};

class TcxInplaceEditList : public TObject {
  CL_CLASS(TcxInplaceEditList, TObject)
public:
  // The pooled editors are owned by PoolOwner; an editor freed by it leaves the pool. Joins the
  // process-wide list (made on first use).
  explicit TcxInplaceEditList(TComponent* PoolOwner);
  // Leaves the process-wide list (freed when it becomes empty), then frees every pooled editor.
  ~TcxInplaceEditList() override;

  TComponent* PoolOwner() const { return FPoolOwner; }
  int Count() const { return static_cast<int>(FItems.size()); }
  TcxCustomEdit* Edits(int Index) const { return FItems.at(Index).Edit; }
  // The properties an entry is bound to; none while it is free.
  TcxCustomEditProperties* BoundProperties(int Index) const { return FItems.at(Index).Properties; }

  // A free editor of the class's editor class, else a new hidden one added to the pool.
  TcxCustomEdit* GetEdit(TcxCustomEditPropertiesClass PropertiesClass);
  // The entry bound to the properties; with Bind, else the first free entry of their class, which
  // is then bound to them; -1 when nothing fits.
  int FindByProperties(TcxCustomEditProperties* Properties, bool Bind);
  // The entry bound to the properties becomes free; its editor stays.
  void ForgetProperties(TcxCustomEditProperties* Properties);
  // Takes the editor from its parent and frees it; the entry goes. -1 does nothing.
  void RemoveItem(int Index);

protected:
  TcxCustomEdit* FindFreeEdit(TcxCustomEditPropertiesClass PropertiesClass);
  TcxCustomEdit* CreateEdit(TcxCustomEditPropertiesClass PropertiesClass);

private:
  struct TItem {
    TcxCustomEdit* Edit;
    TcxCustomEditProperties* Properties;
  };
  int FindFreeIndex(TcxCustomEditPropertiesClass PropertiesClass) const;
  void EditFreed(TComponent* Component);

  TComponent* FPoolOwner;
  std::vector<TItem> FItems;
  TOwned<TcxFreeNotificator> FFreeNotificator;
};

// Every live pool forgets the properties (their destructor calls it).
void ForgetPropertiesInAllLists(TcxCustomEditProperties* Properties);
// The live pools, oldest first; empty when there is no process-wide list.
std::span<TcxInplaceEditList* const> LiveInplaceEditLists();
// Whether the process-wide list of pools exists now.
bool InplaceEditListsExist();
