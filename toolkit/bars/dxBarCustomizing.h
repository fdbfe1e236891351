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

// How a selection changes: the object joins it, leaves it, or becomes the whole selection.
enum class TdxBarSelectionOperation { sopAdd, sopRemove, sopReplace };

// The designer a bar manager holds while bars are customized: the customization form attaches one
// at run time; the form designer supplies one at design time.
class IdxBarDesigner {
public:
  virtual bool CanDeleteComponent(TComponent* component) = 0;
  // Appends the selected objects.
  virtual void FillSelection(TList* list) = 0;
  // 1 means selected.
  virtual int GetComponentSelectionStatus(TPersistent* object) = 0;
  virtual bool IsInSelection(TPersistent* object) = 0;
  virtual void ApplySelectionOperation(TPersistent* object, TdxBarSelectionOperation operation) = 0;
  virtual void ReplaceSelection(TList* list) = 0;
  virtual void HandleItemDoubleClick(TComponent* item) = 0;
  virtual void MakeUniqueName(const std::string& prefix, std::string& name) = 0;

protected:
  ~IdxBarDesigner() = default;
};
