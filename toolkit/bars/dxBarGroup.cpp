#include "toolkit/bars/dxBarGroup.h"

#include "classlib/Filer.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarStrs.h"
#include "toolkit/bars/dxBarWindows.h"
#include "toolkit/base/dxCore.h"

namespace {
using TG = TdxBarGroup;
const TPropInfo GroupProps[] = {
  BoolProp<&TdxBarComponent::Enabled, &TdxBarComponent::SetEnabled>("Enabled", true),
  EnumProp<&TdxBarComponent::Visible, &TdxBarComponent::SetVisible>("Visible", dxBarItemVisibleInfo, static_cast<int>(ivAlways)),
};
}  // namespace

CL_DEFINE_CLASS(TdxBarGroup, .Props = GroupProps);

TdxBarGroup::TdxBarGroup(TComponent* owner) : TdxBarComponent(owner), FItems(MakeOwned<TdxBarComponentList>()) {}

TdxBarGroup::~TdxBarGroup() = default;

template <class Proc>
void TdxBarGroup::ForEachMember(Proc proc)
{
  // A copy: a member may leave while it takes the value.
  std::vector<TdxBarComponent*> members;
  for (int i = 0; i < FItems->Count(); ++i) members.push_back(FItems->Component(i));
  TdxBarManager* manager = IsLoading() || IsDestroying() ? nullptr : GetBarManager();
  TdxBarsUpdateScope update(manager);
  for (TdxBarComponent* member : members)
    if (FItems->IndexOf(member) >= 0) proc(member);
}

void TdxBarGroup::SetEnabled(bool value)
{
  FEnabled = value;
  ForEachMember([value](TdxBarComponent* member) { member->SetEnabled(value); });
}

void TdxBarGroup::SetVisible(TdxBarItemVisible value)
{
  FVisible = value;
  ForEachMember([value](TdxBarComponent* member) { member->SetVisible(value); });
}

void TdxBarGroup::SetName(const std::string& name)
{
  TdxBarComponent::SetName(name);
  NotifyChanged();
}

void TdxBarGroup::AddItem(TdxBarComponent* component)
{
  if (!component || FItems->IndexOf(component) >= 0) return;
  if (auto* group = dynamic_cast<TdxBarGroup*>(component); group && group->ContainsGroup(this))
    throw EdxException(GetResStringText(&dxSBAR_RECURSIVEGROUPS));
  FItems->Add(component);
}

void TdxBarGroup::RemoveItem(TdxBarComponent* component) { FItems->Remove(component); }

int TdxBarGroup::IndexOfItem(TdxBarComponent* component) const { return FItems->IndexOf(component); }

int TdxBarGroup::GetItemCount() const
{
  if (IsComparingWithAncestor(const_cast<TdxBarGroup*>(this))) return static_cast<int>(FLoadedNames.size());
  return FItems->Count();
}

std::string TdxBarGroup::GetItemName(int index) const
{
  if (IsComparingWithAncestor(const_cast<TdxBarGroup*>(this))) return FLoadedNames.at(index);
  return FItems->Component(index)->Name();
}

bool TdxBarGroup::ItemsEqual(const TdxBarGroup* other) const
{
  if (!other || other->GetItemCount() != GetItemCount()) return false;
  for (int i = 0; i < GetItemCount(); ++i)
    if (GetItemName(i) != other->GetItemName(i)) return false;
  return true;
}

bool TdxBarGroup::ContainsGroup(const TdxBarGroup* group) const
{
  if (group == this) return true;
  for (int i = 0; i < FItems->Count(); ++i)
    if (auto* member = dynamic_cast<TdxBarGroup*>(FItems->Component(i)); member && member->ContainsGroup(group))
      return true;
  return false;
}

int TdxBarGroup::GetIndex() const
{
  TdxBarManager* manager = GetBarManager();
  return manager ? manager->GroupList()->IndexOf(this) : -1;
}

void TdxBarGroup::SetIndex(int value)
{
  const int index = GetIndex();
  TdxBarComponentList* groups = index >= 0 ? GetBarManager()->GroupList() : nullptr;
  if (groups && value >= 0 && value < groups->Count() && value != index) groups->Move(index, value);
}

TdxBarComponent* TdxBarGroup::FindMember(const std::string& name) const
{
  TdxBarManager* manager = GetBarManager();
  TComponent* owner = manager ? manager->Owner() : Owner();
  return owner ? dynamic_cast<TdxBarComponent*>(owner->FindComponent(name)) : nullptr;
}

void TdxBarGroup::Loaded()
{
  TdxBarComponent::Loaded();
  for (const std::string& name : std::exchange(FLoadedNames, {})) AddItem(FindMember(name));
}

void TdxBarGroup::DefineProperties(TFiler& filer)
{
  TdxBarComponent::DefineProperties(filer);
  auto* ancestor = dynamic_cast<TdxBarGroup*>(filer.Ancestor());
  filer.DefineProperty(
      "Items", [this](TReader& r) { ReadItems(r); }, [this](TWriter& w) { WriteItems(w); },
      !ancestor || !ItemsEqual(ancestor));
}

void TdxBarGroup::ReadItems(TReader& reader)
{
  std::vector<std::string> names;
  reader.ReadListBegin();
  while (!reader.EndOfList()) names.push_back(reader.ReadString());
  reader.ReadListEnd();
  if (IsLoading()) {
    FLoadedNames = std::move(names);
    return;
  }
  FItems->Clear();
  for (const std::string& name : names) AddItem(FindMember(name));
}

void TdxBarGroup::WriteItems(TWriter& writer)
{
  writer.WriteListBegin();
  for (int i = 0; i < GetItemCount(); ++i) writer.WriteString(GetItemName(i));
  writer.WriteListEnd();
}

TComponent* TdxBarGroup::GetParentComponent() const { return GetBarManager(); }

void TdxBarGroup::SetParentComponent(TComponent* parent)
{
  if (auto* manager = dynamic_cast<TdxBarManager*>(parent)) manager->AttachGroup(this);
}
