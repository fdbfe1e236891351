#pragma once
// TComponent: named, owned objects. The owner frees what it owns; free notifications tell other
// components when one they refer to goes away; ComponentState tracks loading and destruction.
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>
#include "classlib/Persistent.h"
#include "classlib/Sets.h"

enum class TComponentStateFlag {
  csLoading, csReading, csWriting, csDestroying, csDesigning, csAncestor, csUpdating, csFixups,
  csFreeNotification, csInline, csDesignInstance
};
using TComponentState = TSet<TComponentStateFlag>;

enum class TOperation { opInsert, opRemove };

class TComponent;
class TBasicAction;
using TGetChildProc = std::function<void(TComponent* child)>;

class TComponent : public TPersistent {
  CL_CLASS(TComponent, TPersistent)
public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;
  void AfterConstruction() override;
  void BeforeDestruction() override;

  TComponent* Owner() const { return FOwner; }
  const std::string& Name() const { return FName; }
  // Raises EComponentError for a name that is not an identifier or is taken within the owner.
  virtual void SetName(const std::string& name);
  intptr_t Tag() const { return FTag; }
  void SetTag(intptr_t tag) { FTag = tag; }
  // Position of a non-visual component on its form's design surface (low word left, high top).
  int32_t DesignInfo() const { return FDesignInfo; }
  void SetDesignInfo(int32_t info) { FDesignInfo = info; }

  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* Components(int index) const;
  int ComponentIndex() const;
  void SetComponentIndex(int index);
  TComponent* FindComponent(std::string_view name) const;  // case-insensitive; nullptr if none
  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);
  void DestroyComponents();

  TComponentState ComponentState() const { return FComponentState; }
  bool IsLoading() const { return FComponentState.Contains(TComponentStateFlag::csLoading); }
  bool IsDestroying() const { return FComponentState.Contains(TComponentStateFlag::csDestroying); }
  bool IsDesigning() const { return FComponentState.Contains(TComponentStateFlag::csDesigning); }
  void SetDesigning(bool value, bool setChildren = true);
  // Component-stream readers mark the states they drive (loading, reading, writing, fixups).
  void IncludeState(TComponentStateFlag flag) { FComponentState.Include(flag); }
  void ExcludeState(TComponentStateFlag flag) { FComponentState.Exclude(flag); }
  void Destroying();
  void Updating() { FComponentState.Include(TComponentStateFlag::csUpdating); }
  void Updated() { FComponentState.Exclude(TComponentStateFlag::csUpdating); }

  // Asks to be told (Notification with opRemove) when component is freed; the link is mutual.
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);
  virtual void Notification(TComponent* component, TOperation operation);

  // Called once a component stream has set every property of this component.
  virtual void Loaded();
  // Offers the component an action to carry out on itself (a hint action to show its hint, say);
  // answers whether it did. Components take none unless they say otherwise.
  virtual bool ExecuteAction(TBasicAction* action)
  {
    (void)action;
    return false;
  }
  // Reads this component's properties and children from a component stream (TReader::ReadData);
  // reader.Parent() is the component it is read into. Writing is the mirror (TWriter::WriteData).
  // Both are defined with the readers in Filer.cpp.
  virtual void ReadState(TReader& reader);
  virtual void WriteState(TWriter& writer);
  // Stores DesignInfo as the extra properties "Left" and "Top" (written when not zero).
  void DefineProperties(TFiler& filer) override;
  // The components a stream writes as children of this one, in order.
  virtual void GetChildren(const TGetChildProc& proc, TComponent* root) { (void)proc; (void)root; }
  virtual TComponent* GetChildOwner() { return nullptr; }
  virtual TComponent* GetChildParent() { return this; }
  virtual bool HasParent() const { return false; }
  virtual TComponent* GetParentComponent() const { return nullptr; }
  virtual void SetParentComponent(TComponent* parent) { (void)parent; }
  virtual void SetChildOrder(TComponent* child, int order) { (void)child; (void)order; }
  std::string GetNamePath() const override { return FName; }

protected:
  virtual void ValidateRename(TComponent* component, const std::string& curName, const std::string& newName);
  virtual void ValidateInsert(TComponent* component) { (void)component; }
  virtual void ChangeName(const std::string& newName) { FName = newName; }

private:
  void Insert(TComponent* component);
  void Remove(TComponent* component);
  // Points the owner's published field of this component's name at it (or empties it).
  void SetReference(bool enable);
  // The index of the owned components' names, kept with every insertion, removal and renaming.
  void IndexName(TComponent* component);
  void UnindexName(TComponent* component);
  void NotifyFreeNotifies();

  TComponent* FOwner = nullptr;
  std::string FName;
  intptr_t FTag = 0;
  int32_t FDesignInfo = 0;
  std::vector<TComponent*> FComponents;
  std::unordered_map<std::string, TComponent*> FNames;  // owned components by upper-case name
  std::vector<TComponent*> FFreeNotifies;
  TComponentState FComponentState;
  bool FDestroyed = false;  // BeforeDestruction has run
};

// True for an identifier: a letter or '_' first, then letters, digits or '_'.
bool IsValidIdent(std::string_view ident);
