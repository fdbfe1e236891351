// What the customizing selection can select.
#include <gtest/gtest.h>
#include "classlib/Lists.h"
#include "toolkit/bars/dxBarCustomizing.h"
#include "toolkit/bars/dxBarGroup.h"
#include "toolkit/bars/dxBarUnit.h"

namespace {
// Bar components are selectable; a group needs no manager.
using TSelectableThing = TdxBarGroup;
}  // namespace

TEST(BarCustomizing, SelectableObjectsAndTheirInstances)
{
  auto thing = MakeOwned<TSelectableThing>(nullptr);
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

  auto other = MakeOwned<TSelectableThing>(nullptr);
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
