#pragma once
// The customizing side of the bar system: what the customizing selection can
// select, and the one process-wide design controller, which remembers what was
// selected last while bars are customized, which manager the customizing
// commands act on and the customizing popup that is open.
#include "classlib/ClassRef.h"
#include "classlib/Lists.h"
#include "classlib/Sets.h"
#include "toolkit/base/cxClassesRegistries.h"
#include "toolkit/controls/cxControlsDragAndDrop.h"
#include <functional>
#include <vector>

class TdxBarManager;
class TPersistent;

// How a selection changes: the object joins it, leaves it, or becomes the whole
// selection.
enum class TdxBarSelectionOperation { sopAdd, sopRemove, sopReplace };

// The commands of the customizing popup, by number: reset, delete, delete item,
// delete link, the caption box, the paint styles, position, view levels, button
// group, distributed, begin a group, visible and most recently used.
enum class TdxBarCustomizingAction : uint8_t {
  caReset,
  caDelete,
  caDeleteItem,
  caDeleteLink,
  caCaption,
  caPaintStyle,
  caPosition,
  caViewLevels,
  caButtonGroup,
  caDistributed,
  caBeginGroup,
  caVisible,
  caMostRecentlyUsed
};
using TdxBarCustomizingActions = TSet<TdxBarCustomizingAction>;

// An object that the customizing selection can select, name and delete: bars,
// items, groups and item links.
class IdxBarSelectableItem {
public:
  // Whether the object may be deleted (destruction: the object itself, not only
  // what it shows).
  virtual bool CanDelete(bool destruction) = 0;
  // Empties the caller's reference and deletes what the selection stands for.
  virtual void DeleteSelection(IdxBarSelectableItem *&reference,
                               bool destruction) = 0;
  virtual void ExecuteCustomizingAction(TdxBarCustomizingAction action) = 0;
  virtual TdxBarManager *GetBarManager() const = 0;
  // The object behind the interface.
  virtual TObject *GetInstance() = 0;
  // Adds the objects that hold this one to the list (each once).
  virtual void AddMasterObjects(TList *list) = 0;
  virtual IdxBarSelectableItem *GetNextSelectable() = 0;
  // The object that holds this one in the customizing selection.
  virtual TPersistent *GetSelectableParent() = 0;
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

bool IsSelectableObject(TObject *object);
// The same with the interface given out (nullptr when the object has none).
bool SupportsSelectableItem(TObject *object, IdxBarSelectableItem *&item);
IdxBarSelectableItem *AsSelectableItem(TObject *object);
// The object behind the interface; nullptr for none.
TObject *InstanceOfSelectableItem(IdxBarSelectableItem *item);
// Deletes from the list of objects, last first, every object that is not
// selectable.
void RemoveNonSelectableObjects(TList &list);

// The designer a bar manager holds while bars are customized: the customization
// form attaches one at run time; the form designer supplies one at design time.
class IdxBarDesigner {
public:
  virtual bool CanDeleteComponent(TComponent *component) = 0;
  // Appends the selected objects.
  virtual void FillSelection(TList *list) = 0;
  // 1 means selected.
  virtual int GetComponentSelectionStatus(TPersistent *object) = 0;
  virtual bool IsInSelection(TPersistent *object) = 0;
  virtual void ApplySelectionOperation(TPersistent *object,
                                       TdxBarSelectionOperation operation) = 0;
  virtual void ReplaceSelection(TList *list) = 0;
  virtual void HandleItemDoubleClick(TComponent *item) = 0;
  virtual void MakeUniqueName(const std::string &prefix, std::string &name) = 0;

protected:
  ~IdxBarDesigner() = default;
};

class TdxBarPainter;
class TdxBarItemLink;
class TdxBarItemLinks;
class TCustomdxBarControl;
class TdxBarItem;
class TdxBar;
class TdxBarControl;
class TcxComponentList;
enum class TcxComponentCollectionNotification;
class TComponentList;
class TdxBarCustomPopupMenu;
enum class TdxBarButtonStyle : uint8_t;
enum class TdxBarButtonGroupPosition : uint8_t;
using TdxBarCustomizingPopup = TdxBarCustomPopupMenu;

// The process-wide controller of customizing: what was selected last, the
// manager the customizing commands act on, the popup that is open and its
// target, and the deletion of the selection.
class TdxBarDesignController : public TcxDesignController {
  CL_CLASS(TdxBarDesignController, TcxDesignController)
public:
  TdxBarDesignController();
  void BeforeDestruction() override;

  // --- Selection ---
  // Selects through the item, then keeps LastSelection in step.
  void ApplySelection(IdxBarSelectableItem *item,
                      TdxBarSelectionOperation operation);
  // Any object: a selectable one through ApplySelection, else the target
  // manager's designer.
  void SelectPersistent(TPersistent *object,
                        TdxBarSelectionOperation operation);
  // The object selected last; empty from the moment it begins to be freed.
  IdxBarSelectableItem *LastSelection() const;
  TObject *LastSelectedInstance() const { return FLastSelectionObject.Get(); }
  void ChangeLastSelectedItem(IdxBarSelectableItem *item);
  // Forgets the last selection when it is no longer selected or the application
  // is inactive.
  void ValidateLastSelectedItem();
  void ForgetSelectable(IdxBarSelectableItem *item);
  bool HoldsLastSelection(IdxBarSelectableItem *item) const;
  // True asks for the solid selection frame, false for the dotted one.
  bool WantsDefaultSelection(IdxBarSelectableItem *item);
  bool HasSingleSelection(TdxBarManager *manager) const;
  bool SelectionHasComplexObject(TdxBarManager *manager) const;
  // The selectable objects of the target manager's own selection.
  void GetSelectableSelection(TList &list) const;

  // --- Targets ---
  TdxBarManager *TargetManager() const;
  void SetTargetManager(TdxBarManager *manager);
  TCustomdxBarControl *TargetControl() const;
  TdxBarItemLink *TargetLink() const;
  TdxBarItemLinks *TargetLinks() const;
  // A popup is open and the item's object is its target link.
  bool IsTargetLinkOf(IdxBarSelectableItem *item) const;
  // A popup is open and has a target link.
  bool HasTargetLink() const;
  TdxBarCustomizingPopup *OpenPopup() const;
  bool IsCustomizingPopupOpen() const { return OpenPopup() != nullptr; }
  TdxBarCustomizingPopup *OpenToolbarsPopup() const;

  // --- Deleting and the keys ---
  void LocateTargetManager();
  bool IsCustomizationAllowed(TdxBarManager *manager, bool byKeyboard) const;
  // Del: deletes the selection; true when the key counts as handled.
  bool RemoveSelectedObjects(bool destruction, bool byKeyboard);
  // Esc: selects the parent of the last selected object.
  bool SelectSelectionParent();
  bool CanDeleteSelection() const;

  // Set for the whole run of a customizing drag (and a menu's tear-off drag);
  // the bars' keyboard hook leaves every key alone meanwhile.
  bool DragLoopRunning() const { return FDragLoopRunning; }
  void SetDragLoopRunning(bool value) { FDragLoopRunning = value; }

  // --- Popups, command items, design helpers and control editors
  // (dxBarCustomizingPopup.cpp) --- The customizing popup of a link of the
  // control (the control's links are the target links).
  void ShowCustomizingPopup(TCustomdxBarControl *control, TdxBarItemLink *link);
  using TFillPopupProc = std::function<void(TdxBarItemLinks *links)>;
  // The general form: clears the internal items, sets the targets, fills a new
  // popup; an empty popup is freed, else it opens at the cursor.
  void ShowLinkPopup(TdxBarManager *manager, TdxBarPainter *painter,
                     TdxBarItemLink *link, TCustomdxBarControl *control,
                     const TFillPopupProc &fill);
  // The customizing popup's entries for the target link and the selection.
  void BuildCustomizingPopup(TdxBarItemLinks *links);
  // The popup of the manager's toolbars, drawn by the painter.
  void ShowToolbarsPopup(TdxBarManager *manager, TdxBarPainter *painter);
  // A checked entry per closable, shown, unmerged toolbar of the target
  // manager, then the customize command.
  void FillToolbarsPopup(TdxBarItemLinks *links);
  // "&Customize..." when the target manager may be customized; nothing until
  // the Customize dialog exists.
  void AddCustomizeCommand(TdxBarItemLinks *links,
                           TClassRef<TdxBarItem> itemClass, bool beginGroup);
  // Internal command items: a new item of the class linked in the links, kept
  // by the controller and out of the manager's item list.
  TdxBarItemLink *AddCommandLink(TdxBarItemLinks *links,
                                 TClassRef<TdxBarItem> itemClass,
                                 bool beginGroup, intptr_t tag,
                                 const TNotifyEvent &onClick,
                                 const std::string &caption);
  // A button whose Tag holds the action in its high word and the value in its
  // low word, run by ExecuteCustomizingCommand.
  TdxBarItemLink *AddCommandButton(TdxBarItemLinks *links,
                                   const std::string &caption,
                                   TdxBarCustomizingAction action, int value,
                                   int groupIndex, bool enabled, bool down,
                                   TdxBarButtonStyle buttonStyle,
                                   bool beginGroup);
  // An internal sub-item without handler; its links, returned, hold the
  // sub-menu's entries (nullptr until the sub-item class is registered).
  TdxBarItemLinks *AddCommandSubMenu(TdxBarItemLinks *links,
                                     const std::string &caption, bool enabled,
                                     bool beginGroup);
  void AddInternalItem(TdxBarItem *item, TComponentList *list = nullptr);
  void ClearInternalItems();
  int InternalItemCount() const;
  // Frees the item of the first link until the links are empty.
  static void ClearPopupLinks(TdxBarItemLinks *links);
  // The entries of the position, view-level and button-group sub-menus.
  void FillPositionEntries(TdxBarItemLinks *links);
  void FillViewLevelEntries(TdxBarItemLinks *links, bool multipleLevels);
  void FillButtonGroupEntries(TdxBarItemLinks *links);
  void UpdateViewLevelButtons(TdxBarItemLinks *links, bool multipleLevels);

  // The click handler of the command buttons.
  void ExecuteCustomizingCommand(TObject *sender);
  // Every selected object copies the target link's value of the action.
  void ExecuteActionOnSelection(TdxBarCustomizingAction action);
  void ApplyViewLevelsCommand(int value);
  void ApplyButtonGroupCommand(int value);
  // The caption edit's change handler.
  void ApplyEditedCaption(TObject *sender);
  // Raises the popup (and the bars that opened it) above the bars while its
  // edit is edited.
  void KeepPopupAboveBars(bool editing);
  // The editors' command handler: a new item of the editor's class linked after
  // the target link.
  void CreateItemFromCommand(TObject *sender);
  void ToggleToolbarFromPopup(TObject *sender);

  // Design helpers by bar-control class, control editors in registration order.
  void RegisterDesignHelper(TClassRef<> barControlClass,
                            TClassRef<> helperClass);
  void RegisterControlEditor(TClassRef<> editorClass);
  void UnregisterControlEditor(TClassRef<> editorClass);
  int ControlEditorCount() const {
    return static_cast<int>(FControlEditors.size());
  }
  TClassRef<> ControlEditor(int index) const {
    return FControlEditors.at(index);
  }
  // The helper registered for the control's class or its nearest ancestor (the
  // base helper when none is).
  TClassRef<> FindDesignHelper(TCustomdxBarControl *control) const;

private:
  TWeakRef<TObject> FLastSelectionObject;
  IdxBarSelectableItem *FLastSelection = nullptr;
  // Weak references to the manager, the bar control, the link, the links and
  // the popups.
  TWeakRef<TObject> FTargetManager;
  TWeakRef<TObject> FTargetControl;
  TWeakRef<TObject> FTargetLink;
  TWeakRef<TObject> FTargetLinks;
  TWeakRef<TObject> FOpenPopup;
  TWeakRef<TObject> FToolbarsPopup;
  bool FDragLoopRunning = false;

  void CustomizingPopupClosed(TObject *sender);
  TdxBarCustomizingActions GetSelectionActions();
  TdxBarItemLink *AddNewItemLink(TClassRef<TdxBarItem> itemClass);
  void GroupSelectedLinks(TdxBarButtonGroupPosition position, bool group);
  TOwned<TcxRegisteredClassList> FDesignHelpers;
  std::vector<TClassRef<>> FControlEditors;
  TOwned<TComponentList> FInternalItems;
};

// Deletion rules of the selection.
// Drops from the list, last first, what may not be deleted.
void RemoveUndeletable(TList &list, bool destruction);
// Whether the masters of the object let it be deleted along with the listed
// objects.
bool MastersAllowDeletion(TObject *object, const TList &list);
// The object to select once the listed objects are deleted; nullptr for none.
TPersistent *FindSelectionSuccessor(const TList &list);

// The designer of a manager whose bars are customized at run time: at most one
// toolbar and one item are selected at a time.
class TdxBarRunTimeSelectionController : public TObject, public IdxBarDesigner {
  CL_CLASS(TdxBarRunTimeSelectionController, TObject)
public:
  TdxBarRunTimeSelectionController();
  ~TdxBarRunTimeSelectionController() override;

  TcxComponentList *Selected() const { return FSelected; }
  void AppendToSelection(TComponent *component);
  using TSelectionChangeEvent =
      TEvent<void(TObject *Sender, TComponent *Component)>;
  const TSelectionChangeEvent &OnSelectionChange() const {
    return FOnSelectionChange;
  }
  void SetOnSelectionChange(const TSelectionChangeEvent &value) {
    FOnSelectionChange = value;
  }

  // IdxBarDesigner
  bool CanDeleteComponent(TComponent *) override { return true; }
  void FillSelection(TList *list) override;
  int GetComponentSelectionStatus(TPersistent *object) override {
    return IsInSelection(object) ? 1 : 0;
  }
  bool IsInSelection(TPersistent *object) override;
  void ApplySelectionOperation(TPersistent *object,
                               TdxBarSelectionOperation operation) override;
  void ReplaceSelection(TList *list) override;
  void HandleItemDoubleClick(TComponent *) override {}
  void MakeUniqueName(const std::string &, std::string &name) override {
    name.clear();
  }

private:
  void SelectionItemNotify(TObject *sender, TComponent *component,
                           TcxComponentCollectionNotification action);
  TcxComponentList *FSelected = nullptr;
  TSelectionChangeEvent FOnSelectionChange;
};
