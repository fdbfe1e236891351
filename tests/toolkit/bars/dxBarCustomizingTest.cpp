// What the customizing selection can select.
#include <gtest/gtest.h>
#include "classlib/Lists.h"
#include "toolkit/bars/dxBarCustomizing.h"
#include "toolkit/bars/dxBarUnit.h"

namespace {
class TSelectableThing : public TObject, public IdxBarSelectableItem {
public:
  TObject* GetInstance() override { return this; }
};
}  // namespace

TEST(BarCustomizing, SelectableObjectsAndTheirInstances)
{
  auto thing = MakeOwned<TSelectableThing>();
  auto plain = MakeOwned<TObject>();
  IdxBarSelectableItem* item = nullptr;
  EXPECT_TRUE(IsSelectableObject(thing.get()));
  EXPECT_TRUE(SupportsSelectableItem(thing.get(), item));
  EXPECT_EQ(item, static_cast<IdxBarSelectableItem*>(thing.get()));
  EXPECT_EQ(InstanceOfSelectableItem(item), thing.get());
  EXPECT_FALSE(SupportsSelectableItem(plain.get(), item));
  EXPECT_EQ(item, nullptr);
  EXPECT_EQ(AsSelectableItem(nullptr), nullptr);
  EXPECT_EQ(InstanceOfSelectableItem(nullptr), nullptr);

  auto other = MakeOwned<TSelectableThing>();
  auto list = MakeOwned<TList>();
  list->Add(plain.get());
  list->Add(thing.get());
  list->Add(nullptr);
  list->Add(other.get());
  RemoveNonSelectableObjects(*list);
  ASSERT_EQ(list->Count(), 2);
  EXPECT_EQ(list->Items(0), thing.get());
  EXPECT_EQ(list->Items(1), other.get());

  ASSERT_NE(GetDesignController(), nullptr);
  EXPECT_FALSE(GetDesignController()->IsNotifyLocked());
}
