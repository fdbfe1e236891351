// The item-class registry: pairs of item classes and item-control classes in registration order.
#include <gtest/gtest.h>
#include "classlib/Exceptions.h"
#include "toolkit/bars/dxBarItemList.h"
#include "toolkit/bars/dxBarUnit.h"

namespace {
class TTestBarButton : public TdxBarItem {
  CL_CLASS(TTestBarButton, TdxBarItem)
public:
  using TdxBarItem::TdxBarItem;
};
class TTestDerivedButton : public TTestBarButton {
  CL_CLASS(TTestDerivedButton, TTestBarButton)
public:
  using TTestBarButton::TTestBarButton;
};
class TTestBarLabel : public TdxBarItem {
  CL_CLASS(TTestBarLabel, TdxBarItem)
public:
  using TdxBarItem::TdxBarItem;
};
class TTestBarSeparator : public TdxBarItem {
  CL_CLASS(TTestBarSeparator, TdxBarItem)
public:
  using TdxBarItem::TdxBarItem;
};
class TTestButtonControl : public TdxBarItemControl {
  CL_CLASS(TTestButtonControl, TdxBarItemControl)
public:
  using TdxBarItemControl::TdxBarItemControl;
};
class TTestStaticControl : public TdxBarItemControl {
  CL_CLASS(TTestStaticControl, TdxBarItemControl)
public:
  using TdxBarItemControl::TdxBarItemControl;
};
}  // namespace

CL_DEFINE_CLASS(TTestBarButton);
CL_DEFINE_CLASS(TTestDerivedButton);
CL_DEFINE_CLASS(TTestBarLabel);
CL_DEFINE_CLASS(TTestBarSeparator);
CL_DEFINE_CLASS(TTestButtonControl);
CL_DEFINE_CLASS(TTestStaticControl);

TEST(ItemClassRegistry, LooksUpControlClassesByExactItemClass)
{
  auto list = MakeOwned<TdxBarItemList>();
  list->Add(ClassRef<TTestBarButton>(), ClassRef<TTestButtonControl>(), true);
  EXPECT_EQ(GetClass("TTestBarButton"), TTestBarButton::StaticClass());  // stored forms can make it

  EXPECT_EQ(list->FindControlClass(ClassRef<TTestBarButton>()), ClassRef<TTestButtonControl>());
  // A subclass of a registered class is not registered itself.
  EXPECT_FALSE(list->FindControlClass(ClassRef<TTestDerivedButton>()));
  list->Add(ClassRef<TTestDerivedButton>(), ClassRef<TTestStaticControl>(), false);
  EXPECT_EQ(list->FindControlClass(ClassRef<TTestDerivedButton>()), ClassRef<TTestStaticControl>());

  // Freeing the registry unregisters every item class.
  list.reset();
  EXPECT_EQ(GetClass("TTestBarButton"), nullptr);
  EXPECT_EQ(GetClass("TTestDerivedButton"), nullptr);
}

TEST(ItemClassRegistry, VisibleItemClassesCountOnlyOfferedRecords)
{
  auto list = MakeOwned<TdxBarItemList>();
  EXPECT_FALSE(list->VisibleItemClassAt(0));
  list->Add(ClassRef<TTestBarButton>(), ClassRef<TTestButtonControl>(), true);
  list->Add(ClassRef<TTestBarLabel>(), ClassRef<TTestStaticControl>(), false);
  list->Add(ClassRef<TTestBarSeparator>(), ClassRef<TTestStaticControl>(), true);
  EXPECT_EQ(list->Count(), 3);
  EXPECT_EQ(list->CountVisibleItems(), 2);
  const struct {
    int Index;
    TdxBarItemClass Expected;
  } cases[] = {{0, ClassRef<TTestBarButton>()}, {1, ClassRef<TTestBarSeparator>()}, {2, {}}, {-1, {}}};
  for (const auto& c : cases) EXPECT_EQ(list->VisibleItemClassAt(c.Index), c.Expected) << c.Index;
  // The label is not offered, but has its control class.
  EXPECT_EQ(list->FindControlClass(ClassRef<TTestBarLabel>()), ClassRef<TTestStaticControl>());
}

TEST(ItemClassRegistry, RemovingKeepsTheOrderOfTheOthers)
{
  auto list = MakeOwned<TdxBarItemList>();
  list->Add(ClassRef<TTestBarButton>(), ClassRef<TTestButtonControl>(), true);
  list->Add(ClassRef<TTestBarLabel>(), ClassRef<TTestStaticControl>(), false);
  list->Add(ClassRef<TTestBarSeparator>(), ClassRef<TTestStaticControl>(), true);

  list->Remove(ClassRef<TTestBarLabel>());
  ASSERT_EQ(list->Count(), 2);
  EXPECT_EQ(list->GetItemClassAt(0), ClassRef<TTestBarButton>());
  EXPECT_EQ(list->GetItemClassAt(1), ClassRef<TTestBarSeparator>());
  EXPECT_EQ(GetClass("TTestBarLabel"), nullptr);
  list->Remove(ClassRef<TTestBarLabel>());  // no longer there: nothing
  EXPECT_EQ(list->Count(), 2);

  list->RemoveAt(0);
  EXPECT_EQ(list->GetRecord(0).ItemClass, ClassRef<TTestBarSeparator>());
  EXPECT_TRUE(list->GetRecord(0).Visible);
  EXPECT_THROW(list->RemoveAt(1), EListError);
  EXPECT_THROW(list->GetRecord(-1), EListError);
}

TEST(ItemClassRegistry, TheProcessWideRegistryHoldsThePairsRegisteredSoFar)
{
  TdxBarItemList* registry = GetItemClassRegistry();
  ASSERT_NE(registry, nullptr);
  EXPECT_EQ(registry, GetItemClassRegistry());
  const int before = registry->Count();
  RegisterBarItemClass(ClassRef<TTestBarButton>(), ClassRef<TTestButtonControl>(), true);
  EXPECT_EQ(registry->Count(), before + 1);
  EXPECT_EQ(registry->VisibleItemClassAt(registry->CountVisibleItems() - 1), ClassRef<TTestBarButton>());
  UnregisterBarItemClass(ClassRef<TTestBarButton>());
  EXPECT_EQ(registry->Count(), before);
  EXPECT_EQ(GetClass("TTestBarButton"), nullptr);
}
