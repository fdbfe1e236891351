#pragma once
// A group: a named set of bar items (and of other groups) that are enabled and shown together.
// Setting the group's Enabled or Visible passes the value on to every member. Groups are stored as
// children of their manager, their members by name in the extra property "Items".
#include <string>
#include <vector>
#include "toolkit/bars/dxBarComponents.h"

class TdxBarGroup : public TdxBarComponent {
  CL_CLASS(TdxBarGroup, TdxBarComponent)
public:
  explicit TdxBarGroup(TComponent* owner);
  ~TdxBarGroup() override;

  bool GetEnabled() const override { return FEnabled; }
  // Stored, and every member takes the value, inside one bars update of the manager (not while the
  // group loads or is destroyed).
  void SetEnabled(bool value) override;
  void SetVisible(TdxBarItemVisible value) override;
  void SetName(const std::string& name) override;

  // Nothing for none or a member already listed; a group that is this group or holds it at any depth
  // raises EdxException "You cannot create recursive groups".
  void AddItem(TdxBarComponent* component);
  void RemoveItem(TdxBarComponent* component);
  int IndexOfItem(TdxBarComponent* component) const;
  // While the group is read as the ancestor of an inherited form, count and names are the names
  // read.
  int GetItemCount() const;
  TdxBarComponent* GetItem(int index) const { return FItems->Component(index); }
  std::string GetItemName(int index) const;
  // The same member names in the same order, compared exactly.
  bool ItemsEqual(const TdxBarGroup* other) const;
  // This group, or a group that it holds at any depth, is the group.
  bool ContainsGroup(const TdxBarGroup* group) const;
  // The place in the manager's group list.
  int GetIndex() const;
  void SetIndex(int value);

  // The member names read while loading are resolved among the manager owner's components.
  void Loaded() override;
  // "Items": the member names.
  void DefineProperties(TFiler& filer) override;
  bool HasParent() const override { return GetBarManager() != nullptr; }
  TComponent* GetParentComponent() const override;
  // Joins the manager's group list.
  void SetParentComponent(TComponent* parent) override;

private:
  void ReadItems(TReader& reader);
  void WriteItems(TWriter& writer);
  // The member the name stands for among the manager owner's components; nullptr when none.
  TdxBarComponent* FindMember(const std::string& name) const;
  // Runs proc inside one bars update of the manager, unless the group loads or is destroyed.
  template <class Proc> void ForEachMember(Proc proc);

  TOwned<TdxBarComponentList> FItems;
  std::vector<std::string> FLoadedNames;
};
