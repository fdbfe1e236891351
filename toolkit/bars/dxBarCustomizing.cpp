#include "toolkit/bars/dxBarCustomizing.h"

CL_DEFINE_CLASS(TdxBarDesignController);

void TdxBarDesignController::ForgetObject(TObject* object)
{
  if (FCustomizingItemLink == object) FCustomizingItemLink = nullptr;
  if (FLastSelectedObject == object) FLastSelectedObject = nullptr;
}

void TdxBarDesignController::ShowToolbarsPopup(TdxBarManager*, TdxBarPainter*) {}

bool IsSelectableObject(TObject* object) { return AsSelectableItem(object) != nullptr; }

bool SupportsSelectableItem(TObject* object, IdxBarSelectableItem*& item)
{
  item = AsSelectableItem(object);
  return item != nullptr;
}

IdxBarSelectableItem* AsSelectableItem(TObject* object) { return Supports<IdxBarSelectableItem>(object); }

TObject* InstanceOfSelectableItem(IdxBarSelectableItem* item) { return item ? item->GetInstance() : nullptr; }

void RemoveNonSelectableObjects(TList& list)
{
  for (int i = list.Count() - 1; i >= 0; --i)
    if (!IsSelectableObject(static_cast<TObject*>(list.Items(i)))) list.Delete(i);
}
