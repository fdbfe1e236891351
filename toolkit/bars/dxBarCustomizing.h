#pragma once
// The customizing side of the bar system: what the customizing selection can select, and the one
// process-wide design controller, which remembers what was selected last while bars are
// customized, which manager the customizing commands act on and the customizing popup that is
// open. Bars are not customized yet: the controller selects nothing.
#include "classlib/Lists.h"
#include "classlib/Sets.h"
#include "toolkit/controls/cxControlsDragAndDrop.h"

class TdxBarManager;
class TPersistent;

// How a selection changes: the object joins it, leaves it, or becomes the whole selection.
enum class TdxBarSelectionOperation { sopAdd, sopRemove, sopReplace };

// The commands of the customizing popup, by number: reset, delete, delete item, delete link, the
// caption box, the paint styles, position, view levels, button group, distributed, begin a group,
// visible and most recently used.
enum class TdxBarCustomizingAction : uint8_t {
  caReset, caDelete, caDeleteItem, caDeleteLink, caCaption, caPaintStyle, caPosition, caViewLevels,
  caButtonGroup, caDistributed, caBeginGroup, caVisible, caMostRecentlyUsed
};
using TdxBarCustomizingActions = TSet<TdxBarCustomizingAction>;

// An object that the customizing selection can select, name and delete: bars, items, groups and
// item links.
class IdxBarSelectableItem {
public:
  // Whether the object may be deleted (destruction: the object itself, not only what it shows).
  virtual bool CanDelete(bool destruction) = 0;
  // Empties the caller's reference and deletes what the selection stands for.
  virtual void DeleteSelection(IdxBarSelectableItem*& reference, bool destruction) = 0;
  virtual void ExecuteCustomizingAction(TdxBarCustomizingAction action) = 0;
  virtual TdxBarManager* GetBarManager() const = 0;
  // The object behind the interface.
  virtual TObject* GetInstance() = 0;
  // Adds the objects that hold this one to the list (each once).
  virtual void AddMasterObjects(TList* list) = 0;
  virtual IdxBarSelectableItem* GetNextSelectable() = 0;
  // The object that holds this one in the customizing selection.
  virtual TPersistent* GetSelectableParent() = 0;
  virtual int GetSelectionStatus() = 0;
  virtual TdxBarCustomizingActions GetSupportedActions() = 0;
  virtual void InvalidateSelection() = 0;
  virtual bool IsComplex() = 0;
  virtual bool IsSelected() = 0;
  virtual void SelectComponent(TdxBarSelectionOperation operation) = 0;
  virtual bool SelectParentComponent() = 0;
  virtual void SelectionChanged() = 0;

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

class TdxBarPainter;

class TdxBarDesignController : public TcxDesignController {
  CL_CLASS(TdxBarDesignController, TcxDesignController)
public:
  TdxBarDesignController() = default;

  // The item link the customizing popup works on (none while it is closed); its commands apply
  // that link's settings to the selected links.
  TObject* CustomizingItemLink() const { return FCustomizingItemLink; }
  void SetCustomizingItemLink(TObject* link) { FCustomizingItemLink = link; }
  bool IsCustomizingItemLink() const { return FCustomizingItemLink != nullptr; }
  // The object selected last while bars are customized.
  TObject* LastSelectedObject() const { return FLastSelectedObject; }
  void SetLastSelectedObject(TObject* object) { FLastSelectedObject = object; }
  // An object that goes leaves the controller's state.
  void ForgetObject(TObject* object);

  // The popup that lists the manager's toolbars, drawn by the painter; it has nothing to list yet.
  void ShowToolbarsPopup(TdxBarManager* manager, TdxBarPainter* painter);

private:
  TObject* FCustomizingItemLink = nullptr;
  TObject* FLastSelectedObject = nullptr;
};

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
