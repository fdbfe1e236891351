// The customizing popup of a link, the toolbars popup and the command items
// both are made of; the design helpers and control editors.
#include "toolkit/bars/dxBarCustomizingPopup.h"
#include "classlib/Forms.h"
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarButtons.h"
#include "toolkit/bars/dxBarControl.h"
#include "toolkit/bars/dxBarEdits.h"
#include "toolkit/bars/dxBarItemLinks.h"
#include "toolkit/bars/dxBarItemList.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarPopupMenu.h"
#include "toolkit/bars/dxBarRoutines.h"
#include "toolkit/bars/dxBarStrs.h"
#include "toolkit/bars/dxBarToolbar.h"
#include "toolkit/bars/dxBarUnit.h"
#include "toolkit/base/cxClasses.h"

CL_DEFINE_CLASS(TdxBarControlEditor);
CL_DEFINE_CLASS(TdxAddSubItemEditor);
CL_DEFINE_CLASS(TdxAddButtonEditor);
CL_DEFINE_CLASS(TdxAddLargeButtonEditor);
CL_DEFINE_CLASS(TdxAddSeparatorEditor);
CL_DEFINE_CLASS(TdxItemsEditorEx);
CL_DEFINE_CLASS(TCustomdxBarControlDesignHelper);
CL_DEFINE_CLASS(TdxBarControlDesignHelper);
CL_DEFINE_CLASS(TdxBarSubMenuControlDesignHelper);

using A = TdxBarCustomizingAction;

namespace {
// A command's Tag: the action in the high word, the value in the low word.
constexpr intptr_t CommandTag(A action, int value) {
  return (static_cast<intptr_t>(action) << 16) | (value & 0xFFFF);
}
constexpr A ActionOfTag(intptr_t tag) {
  return static_cast<A>((tag >> 16) & 0xFFFF);
}
constexpr int ValueOfTag(intptr_t tag) {
  return static_cast<int>(tag & 0xFFFF);
}

// Classes of the menu items that come with the menus, found by name so that the
// popup offers them once they are registered.
TClassRef<TdxBarItem> ItemClassNamed(const char *name) {
  TClass c = GetClass(name);
  return c && c->InheritsFrom(TdxBarItem::StaticClass())
             ? TClassRef<TdxBarItem>(c)
             : TClassRef<TdxBarItem>();
}

const char *const SubItemClassName = "TdxBarSubItem";
const char *const PositionNames[] = {"ipBeginsNewRow", "ipBeginsNewColumn",
                                     "ipContinuesRow"};
const char *const ViewLevelNames[] = {"ivlLargeIconWithText",
                                      "ivlSmallIconWithText", "ivlSmallIcon",
                                      "ivlControlOnly"};
const char *const ButtonGroupNames[] = {"bgpNone", "bgpStart", "bgpMember"};
constexpr TdxBarButtonGroupPosition ButtonGroupCommands[] = {
    TdxBarButtonGroupPosition::bgpNone, TdxBarButtonGroupPosition::bgpStart,
    TdxBarButtonGroupPosition::bgpMember, TdxBarButtonGroupPosition::bgpMember,
    TdxBarButtonGroupPosition::bgpNone};
constexpr const TResStringRec *PaintStyleCaptions[] = {
    &dxSBAR_CP_DEFAULTSTYLE, &dxSBAR_CP_TEXTONLYALWAYS,
    &dxSBAR_CP_TEXTONLYINMENUS, &dxSBAR_CP_IMAGEANDTEXT};
constexpr TdxBarItemViewLevels AllViewLevels{
    ivlLargeIconWithText, ivlSmallIconWithText, ivlSmallIcon, ivlControlOnly};

TdxBarButton *ButtonOf(TdxBarItemLink *link) {
  return link ? dynamic_cast<TdxBarButton *>(link->Item()) : nullptr;
}

TdxBarDesignController *Controller() { return GetDesignController(); }

// New items can be made for the manager: it exists and its owner is not a frame
// inside another form's designer.
bool CanCreateComponents(TdxBarManager *manager) {
  TComponent *owner = manager ? manager->Owner() : nullptr;
  return owner && !(owner->IsDesigning() && owner->Owner() &&
                    owner->Owner()->IsDesigning() &&
                    dynamic_cast<TCustomForm *>(owner) == nullptr);
}
} // namespace

// --- Control editors ---

TClassRef<TdxBarItem>
TdxBarControlEditor::TMeta::GetNewItemClass(const std::string &) const {
  return {};
}
TClassRef<TdxBarItem> TdxBarControlEditor::TMeta::GetCommandItemClass() const {
  return {};
}
void TdxBarControlEditor::TMeta::SetUpCommandItem(TdxBarItemLink *) const {}
void TdxBarControlEditor::TMeta::ApplyChosenEntry(TdxBarItemLink *,
                                                  const std::string &) const {}

void TdxBarControlEditor::TMeta::AddToCustomizingPopup(
    TdxBarItemLinks *links) const {
  TdxBarDesignController *controller = Controller();
  TClassRef<TdxBarItem> itemClass = GetCommandItemClass();
  if (!controller || !itemClass)
    return;
  TdxBarItemLink *link = controller->AddCommandLink(
      links, itemClass, false, 0, nullptr, GetCommandCaption());
  // The command knows its editor through its Tag.
  link->Item()->SetTag(reinterpret_cast<intptr_t>(Class()));
  SetUpCommandItem(link);
}

TClassRef<TdxBarItem>
TdxAddSubItemEditor::TMeta::GetNewItemClass(const std::string &) const {
  return ItemClassNamed(SubItemClassName);
}
std::string TdxAddSubItemEditor::TMeta::GetCommandCaption() const {
  return GetResStringText(&dxSBAR_CP_ADDSUBITEM);
}
TClassRef<TdxBarItem> TdxAddSubItemEditor::TMeta::GetCommandItemClass() const {
  return ClassRef<TdxBarButton>();
}

void TdxAddSubItemEditor::TMeta::SetUpCommandItem(TdxBarItemLink *link) const {
  TdxBarDesignController *controller = Controller();
  TdxBarItem *item = link->Item();
  item->SetOnClick(
      TNotifyEvent(controller, &TdxBarDesignController::CreateItemFromCommand));
  TdxBarManager *manager = controller->TargetManager();
  item->SetEnabled(CanCreateComponents(manager));
}

TClassRef<TdxBarItem>
TdxAddButtonEditor::TMeta::GetNewItemClass(const std::string &) const {
  return ClassRef<TdxBarButton>();
}
std::string TdxAddButtonEditor::TMeta::GetCommandCaption() const {
  return GetResStringText(&dxSBAR_CP_ADDBUTTON);
}

TClassRef<TdxBarItem>
TdxAddLargeButtonEditor::TMeta::GetNewItemClass(const std::string &) const {
  return ClassRef<TdxBarLargeButton>();
}
std::string TdxAddLargeButtonEditor::TMeta::GetCommandCaption() const {
  return GetResStringText(&dxSBAR_CP_ADDLARGEBUTTON);
}

TClassRef<TdxBarItem>
TdxAddSeparatorEditor::TMeta::GetNewItemClass(const std::string &) const {
  return ClassRef<TdxBarSeparator>();
}
std::string TdxAddSeparatorEditor::TMeta::GetCommandCaption() const {
  return GetResStringText(&dxSBAR_CP_ADDSEPARATOR);
}

TClassRef<TdxBarItem>
TdxItemsEditorEx::TMeta::GetNewItemClass(const std::string &caption) const {
  return ItemClassNamed(caption.c_str());
}
std::string TdxItemsEditorEx::TMeta::GetCommandCaption() const {
  return GetResStringText(&dxSBAR_CP_ADDDXITEM);
}
TClassRef<TdxBarItem> TdxItemsEditorEx::TMeta::GetCommandItemClass() const {
  return ItemClassNamed(SubItemClassName);
}

void TdxItemsEditorEx::TMeta::SetUpCommandItem(TdxBarItemLink *link) const {
  TdxBarDesignController *controller = Controller();
  TdxBarManager *manager = controller->TargetManager();
  const bool enabled = CanCreateComponents(manager);
  link->Item()->SetEnabled(enabled);
  if (enabled)
    if (auto *owner = dynamic_cast<IdxBarLinksOwner *>(link->Item()))
      if (TdxBarItemLinks *entries = owner->GetItemLinks()) {
        entries->SetInternalChange(true);
        AddEntries(entries);
      }
}

void TdxItemsEditorEx::TMeta::AddEntries(TdxBarItemLinks *links) const {
  TdxBarDesignController *controller = Controller();
  TdxBarItemList *registry = GetItemClassRegistry();
  if (!controller || !registry)
    return;
  for (int i = 0; i < registry->CountVisibleItems(); ++i) {
    TdxBarItemLink *link = controller->AddCommandLink(
        links, ClassRef<TdxBarButton>(), false,
        reinterpret_cast<intptr_t>(Class()),
        TNotifyEvent(controller,
                     &TdxBarDesignController::CreateItemFromCommand),
        registry->VisibleItemClassAt(i).Name());
    (void)link;
  }
}

// --- Design helpers ---

TdxBarCustomizingActions
TCustomdxBarControlDesignHelper::TMeta::GetSupportedActions() const {
  return {A::caPaintStyle,  A::caPosition,    A::caViewLevels,
          A::caButtonGroup, A::caDistributed, A::caMostRecentlyUsed};
}

void TCustomdxBarControlDesignHelper::TMeta::GetControlEditors(
    std::vector<TdxBarControlEditorClass> &editors) const {
  if (TdxBarDesignController *controller = Controller())
    for (int i = 0; i < controller->ControlEditorCount(); ++i)
      editors.push_back(
          TdxBarControlEditorClass(controller->ControlEditor(i).Class()));
}

void TCustomdxBarControlDesignHelper::TMeta::MaskActions(
    TdxBarCustomizingActions &actions) const {
  actions = actions - GetSupportedActions();
}

TdxBarCustomizingActions
TdxBarControlDesignHelper::TMeta::GetSupportedActions() const {
  return {A::caPosition, A::caViewLevels, A::caButtonGroup, A::caDistributed,
          A::caMostRecentlyUsed};
}

TdxBarCustomizingActions
TdxBarSubMenuControlDesignHelper::TMeta::GetSupportedActions() const {
  return {A::caPaintStyle, A::caPosition, A::caViewLevels, A::caButtonGroup,
          A::caDistributed};
}

void TdxBarSubMenuControlDesignHelper::TMeta::GetControlEditors(
    std::vector<TdxBarControlEditorClass> &editors) const {
  TCustomdxBarControlDesignHelper::TMeta::GetControlEditors(editors);
  editors.push_back(
      TdxBarControlEditorClass(ClassRef<TdxAddSeparatorEditor>()));
}

void RegisterStandardDesignHelpers(TdxBarDesignController *controller) {
  controller->RegisterControlEditor(ClassRef<TdxAddSubItemEditor>());
  controller->RegisterControlEditor(ClassRef<TdxAddButtonEditor>());
  controller->RegisterControlEditor(ClassRef<TdxAddLargeButtonEditor>());
  controller->RegisterControlEditor(ClassRef<TdxItemsEditorEx>());
  controller->RegisterDesignHelper(ClassRef<TdxBarControl>(),
                                   ClassRef<TdxBarControlDesignHelper>());
  if (TClass menu = GetClass("TdxBarSubMenuControl"))
    controller->RegisterDesignHelper(
        TClassRef<>(menu), ClassRef<TdxBarSubMenuControlDesignHelper>());
}

// --- The controller: registries ---

void TdxBarDesignController::RegisterDesignHelper(TClassRef<> barControlClass,
                                                  TClassRef<> helperClass) {
  FDesignHelpers->AddRegistration(barControlClass, helperClass);
}

void TdxBarDesignController::RegisterControlEditor(TClassRef<> editorClass) {
  if (std::find(FControlEditors.begin(), FControlEditors.end(), editorClass) ==
      FControlEditors.end())
    FControlEditors.push_back(editorClass);
}

void TdxBarDesignController::UnregisterControlEditor(TClassRef<> editorClass) {
  std::erase(FControlEditors, editorClass);
}

TClassRef<>
TdxBarDesignController::FindDesignHelper(TCustomdxBarControl *control) const {
  TClassRef<> helper = control ? FDesignHelpers->LookUpRegisteredClass(
                                     TClassRef<>(control->ClassType()))
                               : TClassRef<>();
  return helper ? helper
                : TClassRef<>(ClassRef<TCustomdxBarControlDesignHelper>());
}

// --- Command items ---

void TdxBarDesignController::AddInternalItem(TdxBarItem *item,
                                             TComponentList *list) {
  (list ? list : FInternalItems.get())->Add(item);
  if (TdxBarManager *manager = item->GetBarManager())
    manager->ItemList()->Remove(item);
}

void TdxBarDesignController::ClearInternalItems() {
  while (FInternalItems->Count() > 0)
    FInternalItems->Delete(FInternalItems->Count() - 1);
}

int TdxBarDesignController::InternalItemCount() const {
  return FInternalItems->Count();
}

void TdxBarDesignController::ClearPopupLinks(TdxBarItemLinks *links) {
  while (links->Count() > 0) {
    TdxBarItemLink *link = links->Items(0);
    if (TdxBarItem *item = link->Item())
      Free(item);
    else
      Free(link);
  }
}

TdxBarItemLink *TdxBarDesignController::AddCommandLink(
    TdxBarItemLinks *links, TClassRef<TdxBarItem> itemClass, bool beginGroup,
    intptr_t tag, const TNotifyEvent &onClick, const std::string &caption) {
  links->SetInternalChange(true);
  TdxBarItemLink *link = links->AddItemOfClass(itemClass, links->BarManager());
  TdxBarItem *item = link->Item();
  AddInternalItem(item);
  item->SetCaption(caption);
  item->SetOnClick(onClick);
  item->SetTag(tag);
  link->SetBeginGroup(beginGroup);
  return link;
}

TdxBarItemLink *TdxBarDesignController::AddCommandButton(
    TdxBarItemLinks *links, const std::string &caption,
    TdxBarCustomizingAction action, int value, int groupIndex, bool enabled,
    bool down, TdxBarButtonStyle buttonStyle, bool beginGroup) {
  TdxBarItemLink *link = AddCommandLink(
      links, ClassRef<TdxBarButton>(), beginGroup, CommandTag(action, value),
      TNotifyEvent(this, &TdxBarDesignController::ExecuteCustomizingCommand),
      caption);
  auto *button = static_cast<TdxBarButton *>(link->Item());
  button->SetButtonStyle(buttonStyle);
  button->SetGroupIndex(groupIndex);
  button->SetDown(down);
  button->SetEnabled(enabled);
  return link;
}

// --- Sub-menu entries ---

void TdxBarDesignController::FillPositionEntries(TdxBarItemLinks *links) {
  TdxBarItemLink *target = TargetLink();
  for (int v = 0; v < 3; ++v)
    AddCommandButton(links, PositionNames[v], A::caPosition, v, 0, true,
                     target && static_cast<int>(target->Position()) == v,
                     bsChecked, false);
}

void TdxBarDesignController::FillViewLevelEntries(TdxBarItemLinks *links,
                                                  bool multipleLevels) {
  const std::string only =
      GetResStringText(&dxSBAR_CP_SINGLEVIEWLEVELITEMSUFFIX);
  for (int v = multipleLevels ? 0 : 5; v <= 8; ++v) {
    std::string caption;
    TdxBarButtonStyle style = bsChecked;
    if (v < 4)
      caption = ViewLevelNames[v];
    else if (v == 4) {
      caption = GetResStringText(&dxSBAR_CP_ALLVIEWLEVELS);
      style = bsDefault;
    } else {
      caption = std::string(ViewLevelNames[v - 5]) + only;
      if (multipleLevels)
        style = bsDefault;
    }
    TdxBarItemLink *link =
        AddCommandButton(links, caption, A::caViewLevels, v, 0, true, false,
                         style, v == 4 || v == 5);
    ButtonOf(link)->SetCloseSubMenuOnClick(false);
  }
  UpdateViewLevelButtons(links, multipleLevels);
}

void TdxBarDesignController::UpdateViewLevelButtons(TdxBarItemLinks *links,
                                                    bool multipleLevels) {
  TdxBarItemLink *target = TargetLink();
  if (!target || !links)
    return;
  const TdxBarItemViewLevels levels = target->ViewLevels();
  for (int i = 0; i < links->Count(); ++i) {
    TdxBarButton *button = ButtonOf(links->Items(i));
    if (!button || !IsCheckedStyle(button->ButtonStyle()))
      continue;
    const int v = ValueOfTag(button->Tag());
    if (multipleLevels && v < 4)
      button->SetDown(levels.Contains(static_cast<TdxBarItemViewLevel>(v)));
    else if (!multipleLevels && v >= 5 && v <= 8)
      button->SetDown(levels == TdxBarItemViewLevels{
                                    static_cast<TdxBarItemViewLevel>(v - 5)});
  }
}

void TdxBarDesignController::FillButtonGroupEntries(TdxBarItemLinks *links) {
  TdxBarItemLink *target = TargetLink();
  for (int v = 0; v < 3; ++v)
    AddCommandButton(links, ButtonGroupNames[v], A::caButtonGroup, v, 0, true,
                     target && static_cast<int>(target->ButtonGroup()) == v,
                     bsChecked, false);
  AddCommandButton(links, GetResStringText(&dxSBAR_CP_BUTTONGROUP),
                   A::caButtonGroup, 3, 0, true, false, bsDefault, true);
  AddCommandButton(links, GetResStringText(&dxSBAR_CP_BUTTONUNGROUP),
                   A::caButtonGroup, 4, 0, true, false, bsDefault, false);
}

// --- The customizing popup ---

TdxBarCustomizingActions TdxBarDesignController::GetSelectionActions() {
  IdxBarSelectableItem *last = LastSelection();
  TdxBarCustomizingActions actions =
      last ? last->GetSupportedActions() : TdxBarCustomizingActions();
  TdxBarManager *manager = TargetManager();
  if (manager && manager->IsDesigning()) {
    TOwned<TList> listOwned = MakeOwned<TList>();
    TList &list = *listOwned;
    GetSelectableSelection(list);
    for (int i = 0; i < list.Count(); ++i)
      if (IdxBarSelectableItem *item =
              AsSelectableItem(static_cast<TObject *>(list.Items(i))))
        actions = actions * item->GetSupportedActions();
  }
  return actions;
}

void TdxBarDesignController::BuildCustomizingPopup(TdxBarItemLinks *links) {
  TdxBarManager *manager = TargetManager();
  TdxBarItemLink *target = TargetLink();
  if (!manager)
    return;
  const bool designing = manager->IsDesigning();
  TClassRef<TCustomdxBarControlDesignHelper> helper(
      FindDesignHelper(TargetControl()).Class());
  links->BeginUpdate();
  manager->ItemList()->LockNotifications();
  try {
    if (designing && HasSingleSelection(manager)) {
      std::vector<TdxBarControlEditorClass> editors;
      helper->GetControlEditors(editors);
      for (const TdxBarControlEditorClass &editor : editors)
        editor->AddToCustomizingPopup(links);
    }
    TdxBarCustomizingActions actions = GetSelectionActions();
    helper->MaskActions(actions);
    TdxBarItem *item = target ? target->Item() : nullptr;
    for (int bit = 0; bit <= static_cast<int>(A::caMostRecentlyUsed); ++bit) {
      const A action = static_cast<A>(bit);
      if (!actions.Contains(action))
        continue;
      switch (action) {
      case A::caReset:
        AddCommandButton(links, GetResStringText(&dxSBAR_CP_RESET), action, 0,
                         0, true, false, bsDefault, true);
        break;
      case A::caDelete:
        ButtonOf(AddCommandButton(links, GetResStringText(&dxSBAR_CP_DELETE),
                                  action, 0, 0, CanDeleteSelection(), false,
                                  bsDefault, true))
            ->SetShortCut(VK_DELETE);
        break;
      case A::caDeleteItem:
        ButtonOf(AddCommandButton(
                     links, GetResStringText(&dxSBAR_CP_DELETEITEM), action, 0,
                     0, item && item->CanDelete(true), false, bsDefault, false))
            ->SetShortCut(static_cast<TShortCut>(scCtrl | VK_DELETE));
        break;
      case A::caDeleteLink:
        AddCommandButton(links,
                         GetResStringText(designing ? &dxSBAR_CP_DELETELINK
                                                    : &dxSBAR_CP_DELETE),
                         action, 0, 0, true, false, bsDefault, false);
        break;
      case A::caCaption: {
        TdxBarItemLink *link = AddCommandLink(
            links, ClassRef<TdxBarEdit>(), true, CommandTag(action, 0), nullptr,
            GetResStringText(designing ? &dxSBAR_CP_CAPTION : &dxSBAR_CP_NAME));
        auto *edit = static_cast<TdxBarEdit *>(link->Item());
        edit->SetTextProp(target ? target->GetCaption() : std::string());
        edit->SetOnChange(
            TNotifyEvent(this, &TdxBarDesignController::ApplyEditedCaption));
        break;
      }
      case A::caPaintStyle:
        for (int v = 0; v < 4; ++v)
          AddCommandButton(links, GetResStringText(PaintStyleCaptions[v]),
                           action, v, -1000, item && item->SupportsPaintStyle(),
                           target &&
                               static_cast<int>(target->GetPaintStyle()) == v,
                           bsChecked, v == 0);
        break;
      case A::caPosition:
        if (TdxBarItemLinks *entries = AddCommandSubMenu(
                links, GetResStringText(&dxSBAR_CP_POSITIONMENU), true, true))
          FillPositionEntries(entries);
        break;
      case A::caViewLevels:
        if (TdxBarItemLinks *entries = AddCommandSubMenu(
                links, GetResStringText(&dxSBAR_CP_VIEWLEVELSMENU), true,
                !helper->AllowsMultipleViewLevels()))
          FillViewLevelEntries(entries, helper->AllowsMultipleViewLevels());
        break;
      case A::caButtonGroup:
        if (TdxBarItemLinks *entries = AddCommandSubMenu(
                links, GetResStringText(&dxSBAR_CP_BUTTONGROUPMENU), true,
                false))
          FillButtonGroupEntries(entries);
        break;
      case A::caDistributed:
        AddCommandButton(links, GetResStringText(&dxSBAR_CP_DISTRIBUTED),
                         action, 0, 0, true, target && target->Distributed(),
                         bsChecked, false);
        break;
      case A::caBeginGroup:
        AddCommandButton(links, GetResStringText(&dxSBAR_CP_BEGINAGROUP),
                         action, 0, 0, target && target->Index() > 0,
                         target && target->BeginGroup(), bsChecked, true);
        break;
      case A::caVisible:
        AddCommandButton(links, GetResStringText(&dxSBAR_CP_VISIBLE), action, 0,
                         0, true, target && target->Visible(), bsChecked,
                         !actions.Contains(A::caBeginGroup));
        break;
      case A::caMostRecentlyUsed:
        AddCommandButton(
            links, GetResStringText(&dxSBAR_CP_MOSTRECENTLYUSED), action, 0, 0,
            true, target && target->MostRecentlyUsed(), bsChecked, false);
        break;
      }
    }
  } catch (...) {
    manager->ItemList()->UnlockWithoutNotify();
    links->EndUpdate();
    throw;
  }
  manager->ItemList()->UnlockWithoutNotify();
  links->EndUpdate();
}

TdxBarItemLinks *
TdxBarDesignController::AddCommandSubMenu(TdxBarItemLinks *links,
                                          const std::string &caption,
                                          bool enabled, bool beginGroup) {
  TClassRef<TdxBarItem> subItemClass = ItemClassNamed(SubItemClassName);
  if (!subItemClass)
    return nullptr;
  TdxBarItemLink *link =
      AddCommandLink(links, subItemClass, beginGroup, 0, nullptr, caption);
  link->Item()->SetEnabled(enabled);
  auto *owner = dynamic_cast<IdxBarLinksOwner *>(link->Item());
  TdxBarItemLinks *entries = owner ? owner->GetItemLinks() : nullptr;
  if (entries)
    entries->SetInternalChange(true);
  return entries;
}

void TdxBarDesignController::CustomizingPopupClosed(TObject *) {
  FTargetControl = nullptr;
}

void TdxBarDesignController::ShowLinkPopup(TdxBarManager *manager,
                                           TdxBarPainter *,
                                           TdxBarItemLink *link,
                                           TCustomdxBarControl *control,
                                           const TFillPopupProc &fill) {
  ClearInternalItems();
  FTargetControl = control;
  FTargetLink = link;
  FTargetManager = manager;
  if (!manager)
    return;
  if (TdxBarCustomizingPopup *old = OpenPopup())
    Free(old);
  auto *popup = New<TdxBarPopupMenu>(manager);
  popup->ItemLinks()->SetInternalChange(true);
  popup->SetOnCloseUp(
      TNotifyEvent(this, &TdxBarDesignController::CustomizingPopupClosed));
  FOpenPopup = popup;
  fill(popup->ItemLinks());
  if (popup->ItemLinks()->Count() == 0) {
    FTargetControl = nullptr;
    Free(popup);
    return;
  }
  if (control)
    if (TdxBarItemControl *selected = control->GetSelectedItemControl())
      selected->ControlDeactivated(false);
  manager->DoShowCustomizingPopup(popup->ItemLinks());
  POINT at{};
  GetCursorPos(&at);
  popup->Popup(at.x, at.y);
}

void TdxBarDesignController::ShowCustomizingPopup(TCustomdxBarControl *control,
                                                  TdxBarItemLink *link) {
  if (!control)
    return;
  FTargetLinks = control->ItemLinks();
  ShowLinkPopup(
      control->BarManager(), control->GetPainter(), link, control,
      [this](TdxBarItemLinks *links) { BuildCustomizingPopup(links); });
}

// --- Commands ---

void TdxBarDesignController::ExecuteCustomizingCommand(TObject *sender) {
  auto *clicked = dynamic_cast<TdxBarItem *>(sender);
  TdxBarItemLink *target = TargetLink();
  if (!clicked || !target)
    return;
  const A action = ActionOfTag(clicked->Tag());
  const int value = ValueOfTag(clicked->Tag());
  switch (action) {
  case A::caReset:
    target->SetUserDefine({});
    break;
  case A::caDelete:
    RemoveSelectedObjects(false, false);
    return;
  case A::caDeleteItem:
    RemoveSelectedObjects(true, false);
    return;
  case A::caDeleteLink:
    Free(target);
    return;
  case A::caPaintStyle:
    target->SetUserPaintStyle(static_cast<TdxBarPaintStyle>(value));
    break;
  case A::caPosition:
    target->SetPosition(static_cast<TdxBarItemPosition>(value));
    break;
  case A::caViewLevels:
    ApplyViewLevelsCommand(value);
    if (clicked->GetLinkCount() > 0) {
      TClassRef<TCustomdxBarControlDesignHelper> helper(
          FindDesignHelper(TargetControl()).Class());
      UpdateViewLevelButtons(clicked->GetLink(0)->GetLinks(),
                             helper->AllowsMultipleViewLevels());
    }
    break;
  case A::caButtonGroup:
    ApplyButtonGroupCommand(value);
    return;
  case A::caDistributed:
    target->SetDistributed(!target->Distributed());
    break;
  case A::caBeginGroup:
    target->SetBeginGroup(!target->BeginGroup());
    break;
  case A::caVisible:
    target->SetVisible(!target->Visible());
    break;
  case A::caMostRecentlyUsed:
    target->SetMostRecentlyUsed(!target->MostRecentlyUsed());
    break;
  default:
    return;
  }
  ExecuteActionOnSelection(action);
}

void TdxBarDesignController::ExecuteActionOnSelection(
    TdxBarCustomizingAction action) {
  TOwned<TList> listOwned = MakeOwned<TList>();
  TList &list = *listOwned;
  GetSelectableSelection(list);
  for (int i = 0; i < list.Count(); ++i)
    if (IdxBarSelectableItem *item =
            AsSelectableItem(static_cast<TObject *>(list.Items(i))))
      item->ExecuteCustomizingAction(action);
}

void TdxBarDesignController::ApplyViewLevelsCommand(int value) {
  TdxBarItemLink *target = TargetLink();
  if (!target)
    return;
  if (value == 4)
    target->SetViewLevels(AllViewLevels);
  else if (value >= 5 && value <= 8)
    target->SetViewLevels({static_cast<TdxBarItemViewLevel>(value - 5)});
  else if (value >= 0 && value < 4) {
    TdxBarItemViewLevels levels = target->ViewLevels();
    const auto level = static_cast<TdxBarItemViewLevel>(value);
    if (levels.Contains(level))
      levels.Exclude(level);
    else
      levels.Include(level);
    target->SetViewLevels(levels);
  }
}

void TdxBarDesignController::ApplyButtonGroupCommand(int value) {
  TdxBarItemLink *target = TargetLink();
  if (!target || value < 0 || value > 4)
    return;
  const TdxBarButtonGroupPosition position = ButtonGroupCommands[value];
  if (value <= 2) {
    target->SetButtonGroup(position);
    ExecuteActionOnSelection(A::caButtonGroup);
  } else {
    GroupSelectedLinks(position, value == 3);
  }
}

void TdxBarDesignController::GroupSelectedLinks(
    TdxBarButtonGroupPosition position, bool group) {
  TdxBarItemLinks *links = TargetLinks();
  TdxBarItemLink *target = TargetLink();
  if (!links)
    return;
  links->BeginUpdate();
  TdxBarItemLink *lowest = nullptr;
  try {
    for (int i = links->Count() - 1; i >= 0; --i) {
      TdxBarItemLink *link = links->Items(i);
      if (!link->IsSelectedForDesign())
        continue;
      link->SetButtonGroup(position);
      lowest = link;
    }
    if (group) {
      if (lowest)
        lowest->SetButtonGroup(TdxBarButtonGroupPosition::bgpStart);
      else if (target)
        target->SetButtonGroup(TdxBarButtonGroupPosition::bgpStart);
    }
  } catch (...) {
    links->EndUpdate();
    throw;
  }
  links->EndUpdate();
}

void TdxBarDesignController::ApplyEditedCaption(TObject *sender) {
  auto *edit = dynamic_cast<TdxBarEdit *>(sender);
  TdxBarItemLink *target = TargetLink();
  TdxBarManager *manager = TargetManager();
  if (!edit || !target)
    return;
  const std::string text = edit->Text();
  if (text.empty()) {
    if (TdxBarCustomizingPopup *popup = OpenPopup())
      Free(popup);
    ShowBarMessage(GetResStringText(&dxSBAR_COMMANDNAMECANNOTBEBLANK),
                   MB_OK | MB_ICONERROR);
    return;
  }
  if (manager && manager->IsDesigning()) {
    if (TdxBarItem *item = target->Item())
      item->SetCaption(text);
    ExecuteActionOnSelection(A::caCaption);
    manager->NotifyModified();
  } else {
    target->SetUserCaption(text);
  }
}

void TdxBarDesignController::KeepPopupAboveBars(bool editing) {
  TdxBarCustomizingPopup *popup = OpenPopup();
  (void)popup;
  TCustomdxBarControl *control = TargetControl();
  TdxBarItemLink *target = TargetLink();
  if (!control || !control->HandleAllocated() || !target || !target->Control())
    return;
  // The popup window comes with the menu windows; until then the bar chain is
  // kept in place.
  const HWND after = editing ? HWND_TOPMOST : HWND_NOTOPMOST;
  SetWindowPos(control->Handle(), after, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

TdxBarItemLink *
TdxBarDesignController::AddNewItemLink(TClassRef<TdxBarItem> itemClass) {
  TdxBarManager *manager = TargetManager();
  TdxBarItemLinks *links = TargetLinks();
  if (!manager || !links || !itemClass)
    return nullptr;
  manager->ItemList()->LockNotifications();
  links->BeginUpdate();
  TdxBarItemLink *link = nullptr;
  try {
    TdxBarItem *item = manager->CreateItemOfClass(itemClass);
    try {
      item->SetName(manager->MakeUniqueItemName(itemClass.Class()));
      item->SetCaption(itemClass->GetDefaultCaption());
      link = links->AddItem(item);
    } catch (...) {
      Free(item);
      throw;
    }
    if (TdxBarItemLink *target = TargetLink();
        target && target->GetLinks() == links)
      links->MoveLink(link->Index(), target->Index() + 1);
  } catch (...) {
    links->EndUpdate();
    manager->ItemList()->UnlockWithoutNotify();
    throw;
  }
  links->EndUpdate();
  manager->ItemList()->UnlockWithoutNotify();
  return link;
}

void TdxBarDesignController::CreateItemFromCommand(TObject *sender) {
  auto *command = dynamic_cast<TdxBarItem *>(sender);
  if (!command)
    return;
  TClass editorRecord = reinterpret_cast<TClass>(command->Tag());
  if (!editorRecord ||
      !editorRecord->InheritsFrom(TdxBarControlEditor::StaticClass()))
    return;
  TdxBarControlEditorClass editor(editorRecord);
  const std::string caption = command->Caption();
  TdxBarItemLink *link = AddNewItemLink(editor->GetNewItemClass(caption));
  if (!link)
    return;
  editor->ApplyChosenEntry(link, caption);
  if (TCustomdxBarControl *control = link->GetBarControl())
    if (TdxBarItemControl *itemControl = link->Control())
      control->SelectForCustomizing(itemControl, mbRight, {});
}

// --- The toolbars popup ---

void TdxBarDesignController::ToggleToolbarFromPopup(TObject *sender) {
  auto *command = dynamic_cast<TdxBarItem *>(sender);
  auto *bar = command ? reinterpret_cast<TdxBar *>(command->Tag()) : nullptr;
  TdxBarManager *manager = TargetManager();
  if (!bar || !manager)
    return;
  // The bar must still be one of the manager's.
  for (int i = 0; i < manager->Bars()->Count(); ++i)
    if (manager->Bars()->Items(i) == bar) {
      bar->SetVisible(!bar->Visible());
      return;
    }
}

void TdxBarDesignController::FillToolbarsPopup(TdxBarItemLinks *links) {
  ClearPopupLinks(links);
  TdxBarManager *manager = TargetManager();
  if (!manager)
    return;
  for (int i = 0; i < manager->Bars()->Count(); ++i) {
    TdxBar *bar = manager->Bars()->Items(i);
    if (!bar->CanClose() || bar->Hidden() ||
        (bar->MergeData() && bar->MergeData()->MergedWith))
      continue;
    TdxBarItemLink *link = AddCommandLink(
        links, ClassRef<TdxBarButton>(), false, reinterpret_cast<intptr_t>(bar),
        TNotifyEvent(this, &TdxBarDesignController::ToggleToolbarFromPopup),
        bar->Caption());
    auto *button = static_cast<TdxBarButton *>(link->Item());
    button->SetButtonStyle(bsChecked);
    button->SetDown(bar->Visible());
  }
  AddCustomizeCommand(links, ClassRef<TdxBarButton>(), true);
}

void TdxBarDesignController::AddCustomizeCommand(TdxBarItemLinks *,
                                                 TClassRef<TdxBarItem>, bool) {}

void TdxBarDesignController::ShowToolbarsPopup(TdxBarManager *manager,
                                               TdxBarPainter *) {
  ClearInternalItems();
  FTargetManager = manager;
  if (!manager)
    return;
  if (TdxBarCustomizingPopup *old = OpenToolbarsPopup())
    Free(old);
  auto *popup = New<TdxBarPopupMenu>(manager);
  popup->ItemLinks()->SetInternalChange(true);
  FToolbarsPopup = popup;
  FillToolbarsPopup(popup->ItemLinks());
  manager->DoShowToolbarsPopup(popup->ItemLinks());
  if (popup->ItemLinks()->Count() == 0) {
    Free(popup);
    return;
  }
  POINT at{};
  GetCursorPos(&at);
  popup->Popup(at.x, at.y);
}
