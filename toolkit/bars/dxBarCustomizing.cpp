#include "toolkit/bars/dxBarCustomizing.h"
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarControl.h"
#include "toolkit/bars/dxBarItem.h"
#include "toolkit/bars/dxBarItemLinks.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarManagerList.h"
#include "toolkit/bars/dxBarPopupMenu.h"
#include "toolkit/bars/dxBarRoutines.h"
#include "toolkit/bars/dxBarStrs.h"
#include "toolkit/base/cxClassesLists.h"

CL_DEFINE_CLASS(TdxBarDesignController);
CL_DEFINE_CLASS(TdxBarRunTimeSelectionController);

using enum TdxBarSelectionOperation;

namespace {
bool ListHolds(const TList &list, const void *object) {
  return list.IndexOf(object) >= 0;
}

bool IsComplexObject(TObject *object) {
  IdxBarSelectableItem *item = AsSelectableItem(object);
  return item && item->IsComplex();
}

bool ContainsMultiLinkItem(const TList &list) {
  for (int i = 0; i < list.Count(); ++i)
    if (dynamic_cast<TdxBarItem *>(static_cast<TObject *>(list.Items(i))) &&
        IsComplexObject(static_cast<TObject *>(list.Items(i))))
      return true;
  return false;
}

void SelectionOf(TdxBarManager *manager, TList &list) {
  if (!manager)
    return;
  manager->GetOwnSelection(&list);
  RemoveNonSelectableObjects(list);
}
} // namespace

// --- TdxBarDesignController: selection ---

TdxBarDesignController::TdxBarDesignController()
    : FDesignHelpers(MakeOwned<TcxRegisteredClassList>()),
      FInternalItems(MakeOwned<TComponentList>(true)) {}

void TdxBarDesignController::BeforeDestruction() {
  FInternalItems.reset();
  FControlEditors.clear();
  FDesignHelpers.reset();
  TcxDesignController::BeforeDestruction();
}

IdxBarSelectableItem *TdxBarDesignController::LastSelection() const {
  return FLastSelectionObject ? FLastSelection : nullptr;
}

void TdxBarDesignController::ApplySelection(
    IdxBarSelectableItem *item, TdxBarSelectionOperation operation) {
  TWeakRef<TObject> instance(InstanceOfSelectableItem(item));
  if (item)
    item->SelectComponent(operation);
  if (operation == sopRemove)
    ValidateLastSelectedItem();
  else if (operation == sopAdd || operation == sopReplace)
    ChangeLastSelectedItem(instance ? item : nullptr);
}

void TdxBarDesignController::SelectPersistent(
    TPersistent *object, TdxBarSelectionOperation operation) {
  if (IdxBarSelectableItem *item = AsSelectableItem(object))
    ApplySelection(item, operation);
  else if (TdxBarManager *manager = TargetManager();
           manager && manager->Designer())
    manager->Designer()->ApplySelectionOperation(object, operation);
}

void TdxBarDesignController::ChangeLastSelectedItem(
    IdxBarSelectableItem *item) {
  IdxBarSelectableItem *old = LastSelection();
  if (item == old)
    return;
  FLastSelection = item;
  FLastSelectionObject = InstanceOfSelectableItem(item);
  if (old)
    old->InvalidateSelection();
  if (item)
    item->InvalidateSelection();
}

void TdxBarDesignController::ValidateLastSelectedItem() {
  IdxBarSelectableItem *last = LastSelection();
  if (last && (!last->IsSelected() || !ApplicationHasFocus()))
    ChangeLastSelectedItem(nullptr);
}

void TdxBarDesignController::ForgetSelectable(IdxBarSelectableItem *item) {
  if (item && FLastSelection == item) {
    FLastSelection = nullptr;
    FLastSelectionObject = nullptr;
  }
}

bool TdxBarDesignController::HoldsLastSelection(
    IdxBarSelectableItem *item) const {
  return item && LastSelection() == item;
}

bool TdxBarDesignController::WantsDefaultSelection(IdxBarSelectableItem *item) {
  TdxBarManager *manager = item ? item->GetBarManager() : nullptr;
  if (manager && !manager->IsDesigning() && HoldsLastSelection(item))
    return true;
  if (!HasSingleSelection(manager))
    return false;
  if (SelectionHasComplexObject(manager))
    return IsTargetLinkOf(item);
  return true;
}

bool TdxBarDesignController::HasSingleSelection(TdxBarManager *manager) const {
  TOwned<TList> listOwned = MakeOwned<TList>();
  TList &list = *listOwned;
  SelectionOf(manager, list);
  return list.Count() == 1;
}

bool TdxBarDesignController::SelectionHasComplexObject(
    TdxBarManager *manager) const {
  TOwned<TList> listOwned = MakeOwned<TList>();
  TList &list = *listOwned;
  SelectionOf(manager, list);
  for (int i = 0; i < list.Count(); ++i)
    if (IsComplexObject(static_cast<TObject *>(list.Items(i))))
      return true;
  return false;
}

void TdxBarDesignController::GetSelectableSelection(TList &list) const {
  SelectionOf(TargetManager(), list);
}

// --- Targets ---

TdxBarManager *TdxBarDesignController::TargetManager() const {
  return static_cast<TdxBarManager *>(FTargetManager.Get());
}
void TdxBarDesignController::SetTargetManager(TdxBarManager *manager) {
  FTargetManager = manager;
}
TCustomdxBarControl *TdxBarDesignController::TargetControl() const {
  return static_cast<TCustomdxBarControl *>(FTargetControl.Get());
}
TdxBarItemLink *TdxBarDesignController::TargetLink() const {
  return static_cast<TdxBarItemLink *>(FTargetLink.Get());
}
TdxBarItemLinks *TdxBarDesignController::TargetLinks() const {
  return static_cast<TdxBarItemLinks *>(FTargetLinks.Get());
}
TdxBarCustomizingPopup *TdxBarDesignController::OpenPopup() const {
  return static_cast<TdxBarCustomizingPopup *>(FOpenPopup.Get());
}
TdxBarCustomizingPopup *TdxBarDesignController::OpenToolbarsPopup() const {
  return static_cast<TdxBarCustomizingPopup *>(FToolbarsPopup.Get());
}

bool TdxBarDesignController::IsTargetLinkOf(IdxBarSelectableItem *item) const {
  return OpenPopup() && item && InstanceOfSelectableItem(item) == TargetLink();
}

bool TdxBarDesignController::HasTargetLink() const {
  return OpenPopup() && TargetLink();
}

void TdxBarDesignController::LocateTargetManager() {
  if (IdxBarSelectableItem *last = LastSelection()) {
    FTargetManager = static_cast<TObject *>(last->GetBarManager());
    return;
  }
  FTargetManager = nullptr;
  TdxBarManagerList *managers = GetBarManagerList();
  for (int i = 0; managers && i < managers->Count(); ++i) {
    TdxBarManager *manager = managers->GetManager(i);
    TOwned<TList> listOwned = MakeOwned<TList>();
    TList &list = *listOwned;
    SelectionOf(manager, list);
    if (list.Count() > 0) {
      FTargetManager = manager;
      return;
    }
  }
}

bool TdxBarDesignController::IsCustomizationAllowed(TdxBarManager *manager,
                                                    bool byKeyboard) const {
  if (!manager)
    return false;
  if (!byKeyboard)
    return true;
  TWinControl *owner = manager->GetOwnerControl();
  if (!owner || !owner->HandleAllocated())
    return false;
  const HWND focus = GetFocus();
  if (!focus)
    return false;
  // The owner's window has the focus, or is a child window whose parents reach
  // the focused one.
  for (HWND wnd = owner->Handle(); wnd; wnd = GetParent(wnd)) {
    if (wnd == focus)
      return true;
    if (!(GetWindowLongA(wnd, GWL_STYLE) & WS_CHILD))
      break;
  }
  return false;
}

// --- Deleting ---

bool MastersAllowDeletion(TObject *object, const TList &list) {
  IdxBarSelectableItem *item = AsSelectableItem(object);
  if (!item)
    return true;
  TOwned<TList> mastersOwned = MakeOwned<TList>();
  TList &masters = *mastersOwned;
  item->AddMasterObjects(&masters);
  if (masters.Count() == 0)
    return true;
  // The last master decides.
  auto *master = static_cast<TObject *>(masters.Items(masters.Count() - 1));
  if (ListHolds(list, master))
    return false;
  return MastersAllowDeletion(master, list);
}

void RemoveUndeletable(TList &list, bool destruction) {
  for (int i = list.Count() - 1; i >= 0; --i) {
    auto *object = static_cast<TObject *>(list.Items(i));
    IdxBarSelectableItem *item = AsSelectableItem(object);
    const bool stays = item && item->CanDelete(destruction) &&
                       (!destruction || MastersAllowDeletion(object, list));
    if (!stays)
      list.Delete(i);
  }
}

TPersistent *FindSelectionSuccessor(const TList &list) {
  if (list.Count() == 0)
    return nullptr;
  IdxBarSelectableItem *start =
      AsSelectableItem(static_cast<TObject *>(list.Items(list.Count() - 1)));
  if (!start)
    return nullptr;
  auto acceptable = [&](TObject *object) {
    return object && !ListHolds(list, object) &&
           MastersAllowDeletion(object, list);
  };
  for (IdxBarSelectableItem *next = start->GetNextSelectable();
       next && next != start; next = next->GetNextSelectable())
    if (TObject *object = next->GetInstance(); acceptable(object))
      return dynamic_cast<TPersistent *>(object);
  TPersistent *parent = start->GetSelectableParent();
  return acceptable(parent) ? parent : nullptr;
}

bool TdxBarDesignController::RemoveSelectedObjects(bool destruction,
                                                   bool byKeyboard) {
  // A link no longer selected (customizing ended) is never deleted by a stray
  // Del.
  ValidateLastSelectedItem();
  LocateTargetManager();
  TdxBarManager *manager = TargetManager();
  if (!IsCustomizationAllowed(manager, byKeyboard))
    return false;
  if (!manager->IsDesigning()) {
    if (TdxBarItemLink *link = manager->GetSelectedItemLink())
      Free(link);
    return false;
  }
  TOwned<TList> listOwned = MakeOwned<TList>();
  TList &list = *listOwned;
  GetSelectableSelection(list);
  RemoveUndeletable(list, destruction);
  if (list.Count() == 0)
    return false;
  if (!destruction && ContainsMultiLinkItem(list) &&
      ShowBarMessage(GetResStringText(&dxSBAR_WANTTODELETECOMPLEXITEM),
                     MB_YESNO | MB_ICONWARNING) != IDYES)
    return true;
  TWeakRef<TdxBarManager> alive(manager);
  {
    TdxBarsUpdateScope update(manager);
    TWeakRef<TPersistent> successor(FindSelectionSuccessor(list));
    for (int i = list.Count() - 1; i >= 0; --i) {
      IdxBarSelectableItem *item =
          AsSelectableItem(static_cast<TObject *>(list.Items(i)));
      if (item)
        item->DeleteSelection(item, destruction);
    }
    if (successor)
      SelectPersistent(successor.Get(), sopReplace);
  }
  if (alive)
    manager->NotifyModified();
  return true;
}

bool TdxBarDesignController::SelectSelectionParent() {
  LocateTargetManager();
  TdxBarManager *manager = TargetManager();
  if (!IsCustomizationAllowed(manager, true))
    return false;
  TOwned<TList> listOwned = MakeOwned<TList>();
  TList &list = *listOwned;
  manager->GetOwnSelection(&list);
  if (list.Count() == 0)
    return false;
  IdxBarSelectableItem *last =
      AsSelectableItem(static_cast<TObject *>(list.Items(list.Count() - 1)));
  return last && last->SelectParentComponent();
}

bool TdxBarDesignController::CanDeleteSelection() const {
  TOwned<TList> listOwned = MakeOwned<TList>();
  TList &list = *listOwned;
  GetSelectableSelection(list);
  RemoveUndeletable(list, false);
  return list.Count() > 0;
}

// --- TdxBarRunTimeSelectionController ---

TdxBarRunTimeSelectionController::TdxBarRunTimeSelectionController()
    : FSelected(New<TcxComponentList>()) {
  FSelected->SetOnNotify(TcxComponentListNotifyEvent(
      this, &TdxBarRunTimeSelectionController::SelectionItemNotify));
}

TdxBarRunTimeSelectionController::~TdxBarRunTimeSelectionController() {
  // Whoever listens may be gone already; the list goes silently.
  FSelected->SetOnNotify(nullptr);
  Free(std::exchange(FSelected, nullptr));
}

void TdxBarRunTimeSelectionController::SelectionItemNotify(
    TObject *, TComponent *component,
    TcxComponentCollectionNotification notification) {
  if (notification != TcxComponentCollectionNotification::ccnAdded &&
      notification != TcxComponentCollectionNotification::ccnExtracted &&
      notification != TcxComponentCollectionNotification::ccnDeleting)
    return;
  if (IdxBarSelectableItem *item = AsSelectableItem(component))
    item->SelectionChanged();
  if (FOnSelectionChange)
    FOnSelectionChange(this, component);
}

void TdxBarRunTimeSelectionController::AppendToSelection(
    TComponent *component) {
  if (component && FSelected->IndexOf(component) >= 0)
    return;
  const bool isBar = dynamic_cast<TdxBar *>(component) != nullptr;
  for (int i = FSelected->Count() - 1; i >= 0; --i) {
    TComponent *selected = FSelected->Items(i);
    const bool sameKind = isBar
                              ? dynamic_cast<TdxBar *>(selected) != nullptr
                              : dynamic_cast<TdxBarItem *>(selected) != nullptr;
    if (sameKind)
      FSelected->Delete(i);
  }
  if (component)
    FSelected->Add(component);
}

void TdxBarRunTimeSelectionController::FillSelection(TList *list) {
  for (int i = 0; i < FSelected->Count(); ++i)
    list->Add(FSelected->Items(i));
}

bool TdxBarRunTimeSelectionController::IsInSelection(TPersistent *object) {
  auto *component = dynamic_cast<TComponent *>(object);
  return component && FSelected->IndexOf(component) >= 0;
}

void TdxBarRunTimeSelectionController::ApplySelectionOperation(
    TPersistent *object, TdxBarSelectionOperation operation) {
  if (operation == sopAdd || operation == sopReplace)
    AppendToSelection(dynamic_cast<TComponent *>(object));
}

void TdxBarRunTimeSelectionController::ReplaceSelection(TList *list) {
  FSelected->LockNotifications();
  try {
    for (int i = 0; i < list->Count(); ++i)
      AppendToSelection(
          dynamic_cast<TComponent *>(static_cast<TObject *>(list->Items(i))));
  } catch (...) {
    FSelected->UnlockNotifications();
    throw;
  }
  FSelected->UnlockNotifications();
}

bool IsSelectableObject(TObject *object) {
  return AsSelectableItem(object) != nullptr;
}

bool SupportsSelectableItem(TObject *object, IdxBarSelectableItem *&item) {
  item = AsSelectableItem(object);
  return item != nullptr;
}

IdxBarSelectableItem *AsSelectableItem(TObject *object) {
  return Supports<IdxBarSelectableItem>(object);
}

TObject *InstanceOfSelectableItem(IdxBarSelectableItem *item) {
  return item ? item->GetInstance() : nullptr;
}

void RemoveNonSelectableObjects(TList &list) {
  for (int i = list.Count() - 1; i >= 0; --i)
    if (!IsSelectableObject(static_cast<TObject *>(list.Items(i))))
      list.Delete(i);
}
