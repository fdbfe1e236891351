#include "classlib/Component.h"

#include <algorithm>
#include "classlib/ReaderWork.h"
#include "classlib/TypInfo.h"

namespace {
using TC = TComponent;
// The name is published but stored in the object's header line, not as a property.
constexpr TPropInfo NameProp()
{
  TPropInfo p = StrProp<&TC::Name, &TC::SetName>("Name");
  p.Stored = [](const TObject*) { return false; };
  return p;
}
constexpr TPropInfo ComponentProps[] = {
  NameProp(),
  IntProp<&TC::Tag, &TC::SetTag>("Tag", 0),
};

// Names compare as identifiers do, without regard to ASCII case: the key of a name in its owner's
// index is its upper-case form.
std::string NameKey(std::string_view name)
{
  std::string key(name);
  for (char& c : key)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  return key;
}
}  // namespace

CL_DEFINE_CLASS(TComponent, .Props = ComponentProps);

bool IsValidIdent(std::string_view ident)
{
  if (ident.empty()) return false;
  auto alpha = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
  if (!alpha(ident[0])) return false;
  return std::all_of(ident.begin() + 1, ident.end(), [&](char c) { return alpha(c) || (c >= '0' && c <= '9'); });
}

TComponent::TComponent(TComponent* owner)
{
  // The owner's list holds the component from the start, so derived constructors see it there;
  // the owner hears of it in AfterConstruction, once the component is whole.
  if (owner) owner->Insert(this);
}

void TComponent::AfterConstruction()
{
  TPersistent::AfterConstruction();
  if (FOwner) FOwner->Notification(this, TOperation::opInsert);
}

void TComponent::BeforeDestruction()
{
  if (FDestroyed) return;
  FDestroyed = true;
  Destroying();
  SetReference(false);
  NotifyFreeNotifies();
  DestroyComponents();
  if (FOwner) FOwner->RemoveComponent(this);
  TPersistent::BeforeDestruction();
}

TComponent::~TComponent()
{
  // A component whose constructor raised was never whole and never went through Free: it still
  // leaves its owner's list and frees the components it made so far.
  if (!FDestroyed) {
    while (!FComponents.empty()) {
      TComponent* c = FComponents.back();
      Remove(c);
      Free(c);
    }
    if (FOwner) FOwner->Remove(this);
  }
}

TComponent* TComponent::Components(int index) const
{
  if (index < 0 || index >= ComponentCount())
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return FComponents[index];
}

int TComponent::ComponentIndex() const
{
  if (!FOwner) return -1;
  auto& list = FOwner->FComponents;
  return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TComponent::SetComponentIndex(int index)
{
  if (!FOwner) return;
  auto& list = FOwner->FComponents;
  int cur = ComponentIndex();
  index = std::clamp(index, 0, static_cast<int>(list.size()) - 1);
  if (cur == index) return;
  list.erase(list.begin() + cur);
  list.insert(list.begin() + index, this);
}

void TComponent::SetName(const std::string& name)
{
  if (FName == name) return;
  if (!name.empty() && !IsValidIdent(name))
    throw EComponentError("'" + name + "' is not a valid component name");
  if (FOwner)
    FOwner->ValidateRename(this, FName, name);
  else
    ValidateRename(nullptr, FName, name);
  // A published field of that name must be able to hold this component; refused, nothing changes.
  if (FOwner && !name.empty())
    if (const TFieldInfo* field = FOwner->ClassType()->FindField(name); field && !InheritsFrom(field->FieldClass))
      throw EComponentError("Field " + name + " of " + FOwner->ClassName() + " holds a " + field->FieldClass->Name +
                            ", not a " + ClassName());
  SetReference(false);
  if (FOwner) FOwner->UnindexName(this);
  ChangeName(name);
  if (FOwner) FOwner->IndexName(this);
  SetReference(true);
}

void TComponent::IndexName(TComponent* component)
{
  if (!component->FName.empty()) FNames.emplace(NameKey(component->FName), component);
}

void TComponent::UnindexName(TComponent* component)
{
  if (component->FName.empty()) return;
  auto it = FNames.find(NameKey(component->FName));
  if (it != FNames.end() && it->second == component) FNames.erase(it);
}

void TComponent::SetReference(bool enable)
{
  if (!FOwner || FName.empty()) return;
  const TFieldInfo* field = FOwner->ClassType()->FindField(FName);
  if (field && InheritsFrom(field->FieldClass)) field->Set(FOwner, enable ? this : nullptr);
}

void TComponent::ValidateRename(TComponent* component, const std::string& curName, const std::string& newName)
{
  if (component && !SameIdent(curName, newName) && component->FOwner == this && FindComponent(newName))
    throw EComponentError("A component named " + newName + " already exists");
}

TComponent* TComponent::FindComponent(std::string_view name) const
{
  if (name.empty()) return nullptr;
  CountReaderWork();
  auto it = FNames.find(NameKey(name));
  return it == FNames.end() ? nullptr : it->second;
}

void TComponent::Insert(TComponent* component)
{
  FComponents.push_back(component);
  component->FOwner = this;
  IndexName(component);
}

void TComponent::Remove(TComponent* component)
{
  // Searched from the end: an owner frees its components last first.
  auto it = std::find(FComponents.rbegin(), FComponents.rend(), component);
  CountReaderWork(static_cast<uint64_t>(it - FComponents.rbegin()) + 1);
  if (it != FComponents.rend()) FComponents.erase(std::next(it).base());
  UnindexName(component);
  component->FOwner = nullptr;
}

void TComponent::InsertComponent(TComponent* component)
{
  if (component->FOwner == this) return;
  // Checked before the component leaves its old owner, so a refused move changes nothing.
  ValidateInsert(component);
  if (!component->FName.empty() && FindComponent(component->FName))
    throw EComponentError("A component named " + component->FName + " already exists");
  if (component->FOwner) component->FOwner->RemoveComponent(component);
  Insert(component);
  if (IsDesigning()) component->SetDesigning(true);
  Notification(component, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* component)
{
  Notification(component, TOperation::opRemove);
  Remove(component);
}

void TComponent::DestroyComponents()
{
  while (!FComponents.empty()) {
    TComponent* c = FComponents.back();
    Remove(c);
    Free(c);
  }
}

void TComponent::Destroying()
{
  if (IsDestroying()) return;
  FComponentState.Include(TComponentStateFlag::csDestroying);
  for (TComponent* c : FComponents) c->Destroying();
}

void TComponent::SetDesigning(bool value, bool setChildren)
{
  FComponentState.IncludeIf(TComponentStateFlag::csDesigning, value);
  if (setChildren)
    for (TComponent* c : FComponents) c->SetDesigning(value);
}

void TComponent::FreeNotification(TComponent* component)
{
  if (!component || component == this) return;
  // Components of one owner hear of each other's removal through the owner already.
  if (!FOwner || component->FOwner != FOwner) {
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), component) == FFreeNotifies.end()) {
      FFreeNotifies.push_back(component);
      component->FreeNotification(this);
    }
  }
  FComponentState.Include(TComponentStateFlag::csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* component)
{
  auto it = std::find(FFreeNotifies.begin(), FFreeNotifies.end(), component);
  if (it == FFreeNotifies.end()) return;
  FFreeNotifies.erase(it);
  component->RemoveFreeNotification(this);
}

void TComponent::NotifyFreeNotifies()
{
  // Each notified component drops its link back, which shrinks the list as we go.
  while (!FFreeNotifies.empty()) {
    TComponent* c = FFreeNotifies.back();
    FFreeNotifies.pop_back();
    auto& back = c->FFreeNotifies;
    back.erase(std::remove(back.begin(), back.end(), this), back.end());
    c->Notification(this, TOperation::opRemove);
  }
}

void TComponent::Notification(TComponent* component, TOperation operation)
{
  if (operation == TOperation::opRemove && component) RemoveFreeNotification(component);
  // Owned components hear of every insertion and removal their owner hears of; but not of the
  // insertions while a stream is read into the owner: each component the reader makes would hear
  // of every later one, which makes reading a large form quadratic.
  if (operation == TOperation::opInsert && FComponentState.Contains(TComponentStateFlag::csReading)) return;
  CountReaderWork(FComponents.size());
  for (size_t i = FComponents.size(); i-- > 0;) {
    if (i >= FComponents.size()) continue;
    if (FComponents[i] != component) FComponents[i]->Notification(component, operation);
  }
}

void TComponent::Loaded() { FComponentState.Exclude(TComponentStateFlag::csLoading); }
