// Actions, action lists and the links that bind clients to actions.
#include "classlib/ActnList.h"

#include <algorithm>
#include "classlib/ImageList.h"
#include "classlib/TypInfo.h"

// ----- TBasicAction -------------------------------------------------------------------------

namespace {
using TBA = TBasicAction;
constexpr TPropInfo BasicActionProps[] = {
  EventProp<&TBA::OnExecute, &TBA::SetOnExecute>("OnExecute"),
  EventProp<&TBA::OnUpdate, &TBA::SetOnUpdate>("OnUpdate"),
};
using TCA = TContainedAction;
constexpr TPropInfo ContainedActionProps[] = {
  StrProp<&TCA::Category, &TCA::SetCategory>("Category"),
};
using TCu = TCustomAction;
constexpr TPropInfo CustomActionProps[] = {
  StrProp<&TCu::Caption, &TCu::SetCaption>("Caption"),
  BoolProp<&TCu::Checked, &TCu::SetChecked>("Checked", false),
  BoolProp<&TCu::Enabled, &TCu::SetEnabled>("Enabled", true),
  IntProp<&TCu::HelpContext, &TCu::SetHelpContext>("HelpContext", 0),
  StrProp<&TCu::Hint, &TCu::SetHint>("Hint"),
  IntProp<&TCu::ImageIndex, &TCu::SetImageIndex>("ImageIndex", -1),
  ShortCutProp<&TCu::ShortCut, &TCu::SetShortCut>("ShortCut"),
  BoolProp<&TCu::Visible, &TCu::SetVisible>("Visible", true),
  EventProp<&TCu::OnHint, &TCu::SetOnHint>("OnHint"),
};
using TAL = TCustomActionList;
constexpr TPropInfo ActionListProps[] = {
  ComponentProp<&TAL::Images, &TAL::SetImages>("Images"),
  EventProp<&TAL::OnHint, &TAL::SetOnHint>("OnHint"),
};
}  // namespace

CL_DEFINE_CLASS(TBasicAction, .Props = BasicActionProps);
CL_DEFINE_CLASS(TContainedAction, .Props = ContainedActionProps);
CL_DEFINE_CLASS(TCustomAction, .Props = CustomActionProps);
CL_DEFINE_CLASS(TAction);
CL_DEFINE_CLASS(THintAction);
CL_DEFINE_CLASS(TCustomActionList, .Props = ActionListProps);
CL_DEFINE_CLASS(TActionList);
CL_DEFINE_CLASS(TBasicActionLink);
CL_DEFINE_CLASS(TActionLink);

TBasicAction::TBasicAction(TComponent* owner) : TComponent(owner) {}

TBasicAction::~TBasicAction()
{
  for (TBasicActionLink* l : FClients) l->FAction = nullptr;
}

void TBasicAction::BeforeDestruction()
{
  // The clients forget the action: their links drop it and stop following.
  while (!FClients.empty()) FClients.back()->SetAction(nullptr);
  TComponent::BeforeDestruction();
}

bool TBasicAction::Execute()
{
  if (!FOnExecute) return false;
  FOnExecute(this);
  return true;
}

bool TBasicAction::Update()
{
  if (!FOnUpdate) return false;
  FOnUpdate(this);
  return true;
}

void TBasicAction::SetOnExecute(TNotifyEvent e)
{
  if (FOnExecute == e) return;
  ForEachLink([&](TBasicActionLink* l) { l->SetOnExecute(e); });
  FOnExecute = e;
}

void TBasicAction::Change()
{
  ForEachLink([](TBasicActionLink* l) { l->Change(); });
}

void TBasicAction::RegisterChanges(TBasicActionLink* link)
{
  if (std::find(FClients.begin(), FClients.end(), link) == FClients.end()) FClients.push_back(link);
}

void TBasicAction::UnRegisterChanges(TBasicActionLink* link) { std::erase(FClients, link); }

// ----- TContainedAction ---------------------------------------------------------------------

TContainedAction::~TContainedAction()
{
  if (FActionList) FActionList->RemoveAction(this);
}

void TContainedAction::BeforeDestruction()
{
  SetActionList(nullptr);
  TBasicAction::BeforeDestruction();
}

void TContainedAction::SetActionList(TCustomActionList* list)
{
  if (FActionList == list) return;
  if (FActionList) FActionList->RemoveAction(this);
  if (list) list->AddAction(this);
}

TComponent* TContainedAction::GetParentComponent() const { return FActionList; }

void TContainedAction::SetParentComponent(TComponent* parent)
{
  if (auto* list = dynamic_cast<TCustomActionList*>(parent)) SetActionList(list);
}

int TContainedAction::Index() const
{
  if (!FActionList) return -1;
  auto& v = FActionList->FActions;
  return static_cast<int>(std::find(v.begin(), v.end(), this) - v.begin());
}

// ----- TCustomAction ------------------------------------------------------------------------
// Each setter tells the links before it changes the value, so that a link can compare its
// client's value with the action's old one.

void TCustomAction::SetCaption(const std::string& value)
{
  if (FCaption == value) return;
  ForEachLink([&](TBasicActionLink* l) { l->SetCaption(value); });
  FCaption = value;
}

void TCustomAction::SetHint(const std::string& value)
{
  if (FHint == value) return;
  ForEachLink([&](TBasicActionLink* l) { l->SetHint(value); });
  FHint = value;
}

void TCustomAction::SetImageIndex(int value)
{
  if (FImageIndex == value) return;
  ForEachLink([&](TBasicActionLink* l) { l->SetImageIndex(value); });
  FImageIndex = value;
}

void TCustomAction::SetEnabled(bool value)
{
  if (FEnabled == value) return;
  ForEachLink([&](TBasicActionLink* l) { l->SetEnabled(value); });
  FEnabled = value;
}

void TCustomAction::SetVisible(bool value)
{
  if (FVisible == value) return;
  ForEachLink([&](TBasicActionLink* l) { l->SetVisible(value); });
  FVisible = value;
}

void TCustomAction::SetChecked(bool value)
{
  if (FChecked == value) return;
  ForEachLink([&](TBasicActionLink* l) { l->SetChecked(value); });
  FChecked = value;
}

void TCustomAction::SetShortCut(uint16_t value)
{
  if (FShortCut == value) return;
  ForEachLink([&](TBasicActionLink* l) { l->SetShortCut(value); });
  FShortCut = value;
}

void TCustomAction::SetHelpContext(int value)
{
  if (FHelpContext == value) return;
  ForEachLink([&](TBasicActionLink* l) { l->SetHelpContext(value); });
  FHelpContext = value;
}

bool TCustomAction::Execute()
{
  if (!FEnabled) return false;
  return TContainedAction::Execute();
}

bool TCustomAction::DoHint(std::string& hintStr)
{
  bool canShow = true;
  if (TCustomActionList* list = ActionList(); list && list->OnHint()) list->OnHint()(hintStr, canShow);
  if (canShow && FOnHint) FOnHint(hintStr, canShow);
  return canShow;
}

// ----- TCustomActionList --------------------------------------------------------------------

TCustomActionList::TCustomActionList(TComponent* owner) : TComponent(owner) {}

TCustomActionList::~TCustomActionList()
{
  for (TContainedAction* a : FActions) a->FActionList = nullptr;
}

void TCustomActionList::BeforeDestruction()
{
  // The actions belong to their owner (the form); they only leave the list.
  while (!FActions.empty()) FActions.back()->SetActionList(nullptr);
  SetImages(nullptr);
  TComponent::BeforeDestruction();
}

TContainedAction* TCustomActionList::Actions(int index) const
{
  if (index < 0 || index >= ActionCount())
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return FActions[static_cast<size_t>(index)];
}

void TCustomActionList::SetImages(TCustomImageList* value)
{
  if (FImages == value) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = value;
  if (value) value->FreeNotification(this);
}

void TCustomActionList::AddAction(TContainedAction* action)
{
  FActions.push_back(action);
  action->FActionList = this;
  action->FreeNotification(this);
}

void TCustomActionList::RemoveAction(TContainedAction* action)
{
  std::erase(FActions, action);
  action->FActionList = nullptr;
}

void TCustomActionList::GetChildren(const TGetChildProc& proc, TComponent* root)
{
  for (TContainedAction* a : FActions)
    if (a->Owner() == root) proc(a);
}

void TCustomActionList::SetChildOrder(TComponent* child, int order)
{
  auto it = std::find(FActions.begin(), FActions.end(), child);
  if (it == FActions.end()) return;
  auto* action = *it;
  FActions.erase(it);
  FActions.insert(FActions.begin() + std::clamp<int>(order, 0, ActionCount()), action);
}

void TCustomActionList::Notification(TComponent* component, TOperation operation)
{
  TComponent::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  if (component == FImages) FImages = nullptr;
  if (auto* a = dynamic_cast<TContainedAction*>(component); a && a->FActionList == this) RemoveAction(a);
}

// ----- links --------------------------------------------------------------------------------

TBasicActionLink::~TBasicActionLink()
{
  if (FAction) FAction->UnRegisterChanges(this);
}

void TBasicActionLink::SetAction(TBasicAction* value)
{
  if (FAction == value) return;
  if (FAction) FAction->UnRegisterChanges(this);
  FAction = value;
  if (value) value->RegisterChanges(this);
}

TActionValues TActionValues::Of(const TBasicAction* action)
{
  TActionValues v;
  if (!action) return v;
  v.OnExecute = action->OnExecute();
  if (auto* a = dynamic_cast<const TCustomAction*>(action)) {
    v.Caption = a->Caption();
    v.Hint = a->Hint();
    v.ImageIndex = a->ImageIndex();
    v.ShortCut = a->ShortCut();
    v.HelpContext = a->HelpContext();
    v.Enabled = a->Enabled();
    v.Visible = a->Visible();
    v.Checked = a->Checked();
  }
  return v;
}

// ----- unit ---------------------------------------------------------------------------------

namespace {
const TClass ActnListClasses[] = {TAction::StaticClass(), TActionList::StaticClass()};
void InitActnList()
{
  for (TClass c : ActnListClasses) RegisterClass(c);
}
void DoneActnList()
{
  for (TClass c : ActnListClasses) UnRegisterClass(c);
}
}  // namespace

TUnit ActnListUnit{"ActnList", {}, InitActnList, DoneActnList};
