// Ownership, names and free notification of components.
#include <gtest/gtest.h>
#include <vector>
#include "classlib/Component.h"

namespace {

// Remembers a referenced component and forgets it when it is freed.
class TWatcher : public TComponent {
  CL_CLASS(TWatcher, TComponent)
public:
  using TComponent::TComponent;
  TComponent* Ref = nullptr;
  std::vector<std::pair<TComponent*, TOperation>> Heard;
  void SetRef(TComponent* c)
  {
    if (Ref) Ref->RemoveFreeNotification(this);
    Ref = c;
    if (c) c->FreeNotification(this);
  }
  void Notification(TComponent* c, TOperation op) override
  {
    TComponent::Notification(c, op);
    Heard.emplace_back(c, op);
    if (op == TOperation::opRemove && c == Ref) Ref = nullptr;
  }
};

}  // namespace

CL_DEFINE_CLASS(TWatcher);

TEST(Component, OwnerFreesWhatItOwns)
{
  TComponent* owner = New<TComponent>(nullptr);
  TWatcher* a = New<TWatcher>(owner);
  TWatcher* b = New<TWatcher>(owner);
  EXPECT_EQ(owner->ComponentCount(), 2);
  EXPECT_EQ(b->ComponentIndex(), 1);
  // A sibling hears through the owner that another was inserted and removed.
  TWatcher* c = New<TWatcher>(owner);
  EXPECT_EQ(a->Heard.back(), std::make_pair(static_cast<TComponent*>(c), TOperation::opInsert));
  Free(c);
  EXPECT_EQ(a->Heard.back(), std::make_pair(static_cast<TComponent*>(c), TOperation::opRemove));
  EXPECT_EQ(owner->ComponentCount(), 2);
  Free(owner);  // frees a and b
}

TEST(Component, FreedComponentIsForgottenByThoseThatReferToIt)
{
  TComponent* formA = New<TComponent>(nullptr);
  TComponent* formB = New<TComponent>(nullptr);
  TWatcher* watcher = New<TWatcher>(formA);
  TComponent* target = New<TComponent>(formB);
  watcher->SetRef(target);
  Free(target);
  EXPECT_EQ(watcher->Ref, nullptr);
  // And the other way: a freed watcher leaves no link behind in the target.
  TComponent* target2 = New<TComponent>(formB);
  watcher->SetRef(target2);
  Free(watcher);
  Free(target2);  // would touch the freed watcher if the mutual link were left
  Free(formA);
  Free(formB);
}

TEST(Component, FreeingTheOwnerOfAReferencedComponentClearsTheReference)
{
  TComponent* formA = New<TComponent>(nullptr);
  TComponent* formB = New<TComponent>(nullptr);
  TWatcher* watcher = New<TWatcher>(formA);
  watcher->SetRef(New<TComponent>(formB));
  Free(formB);
  EXPECT_EQ(watcher->Ref, nullptr);
  Free(formA);
}

TEST(Component, NamesAreValidatedAndUniqueWithinTheOwner)
{
  TOwned<TComponent> owner = MakeOwned<TComponent>(nullptr);
  TComponent* a = New<TComponent>(owner.get());
  TComponent* b = New<TComponent>(owner.get());
  a->SetName("Button1");
  EXPECT_EQ(owner->FindComponent("BUTTON1"), a);
  EXPECT_THROW(b->SetName("button1"), EComponentError);
  EXPECT_THROW(b->SetName("1Button"), EComponentError);
  EXPECT_THROW(b->SetName("按钮"), EComponentError);
  EXPECT_EQ(b->Name(), "");
  a->SetName("BUTTON1");  // same name in another case is a rename of itself
  EXPECT_EQ(a->Name(), "BUTTON1");
  b->SetName("_Button2");
  EXPECT_EQ(owner->FindComponent("_button2"), b);
  EXPECT_EQ(owner->FindComponent(""), nullptr);
}

TEST(Component, InsertComponentMovesBetweenOwners)
{
  TOwned<TComponent> one = MakeOwned<TComponent>(nullptr);
  TOwned<TComponent> two = MakeOwned<TComponent>(nullptr);
  TComponent* c = New<TComponent>(one.get());
  c->SetName("Item");
  New<TComponent>(two.get())->SetName("Item");
  EXPECT_THROW(two->InsertComponent(c), EComponentError);
  EXPECT_EQ(c->Owner(), one.get());
  TComponent* d = New<TComponent>(nullptr);
  d->SetName("Other");
  two->InsertComponent(d);
  EXPECT_EQ(d->Owner(), two.get());
  one->InsertComponent(d);
  EXPECT_EQ(d->Owner(), one.get());
  EXPECT_EQ(two->ComponentCount(), 1);
}

TEST(Component, DestroyingMarksOwnedComponents)
{
  // An owned component is taken out of its owner before it is freed, already marked destroying.
  struct TProbe : TComponent {
    using TComponent::TComponent;
    bool *SawOwnerDestroying = nullptr;
    void BeforeDestruction() override
    {
      *SawOwnerDestroying = !Owner() && IsDestroying();
      TComponent::BeforeDestruction();
    }
  };
  bool saw = false;
  TComponent* owner = New<TComponent>(nullptr);
  New<TProbe>(owner)->SawOwnerDestroying = &saw;
  Free(owner);
  EXPECT_TRUE(saw);
}

TEST(Component, LoadedClearsLoading)
{
  TOwned<TComponent> c = MakeOwned<TComponent>(nullptr);
  c->IncludeState(TComponentStateFlag::csLoading);
  EXPECT_TRUE(c->IsLoading());
  c->Loaded();
  EXPECT_FALSE(c->IsLoading());
}
