#pragma once
// The customizing side of the bar system: what the customizing selection can select, and the one
// process-wide design controller, which remembers what was selected last while bars are
// customized, which manager the customizing commands act on and the customizing popup that is
// open. Bars are not customized yet: the controller selects nothing.
#include "classlib/Lists.h"
#include "toolkit/controls/cxControlsDragAndDrop.h"

// An object that the customizing selection can select.
class IdxBarSelectableItem {
public:
  // The object behind the interface.
  virtual TObject* GetInstance() = 0;

protected:
  ~IdxBarSelectableItem() = default;
};

bool IsSelectableObject(TObject* object);
// The same with the interface given out (nullptr when the object has none).
bool SupportsSelectableItem(TObject* object, IdxBarSelectableItem*& item);
IdxBarSelectableItem* AsSelectableItem(TObject* object);
// The object behind the interface; nullptr for none.
TObject* InstanceOfSelectableItem(IdxBarSelectableItem* item);
// Deletes from the list of objects, last first, every object that is not selectable.
void RemoveNonSelectableObjects(TList& list);

class TdxBarDesignController : public TcxDesignController {
  CL_CLASS(TdxBarDesignController, TcxDesignController)
public:
  TdxBarDesignController() = default;
};
