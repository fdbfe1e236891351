// Keyboard navigation among bar objects: the nearest object in a direction and key-tip containers.
#include <gtest/gtest.h>
#include <vector>
#include "toolkit/bars/dxBarNavigation.h"
#include "toolkit/bars/dxBarUnit.h"

namespace {
using TDirection = TcxAccessibilityNavigationDirection;

class TFakeBarHelper : public TdxBarAccessibilityHelper {
  CL_CLASS(TFakeBarHelper, TdxBarAccessibilityHelper)
public:
  TFakeBarHelper(RECT bounds, TFakeBarHelper* parent = nullptr, bool holdsKeyTips = false)
      : TdxBarAccessibilityHelper(nullptr), Bounds(bounds), Parent(parent), Holds(holdsKeyTips)
  {
  }
  RECT Bounds;
  TFakeBarHelper* Parent;
  bool Holds;
  int Escapes = 0;

  RECT GetBoundsOnScreen(int) override { return Bounds; }
  TcxAccessibilityHelper* GetParentHelper() override { return Parent; }
  bool HoldsKeyTips() override { return Holds; }
  void EscapeKeyTips() override { ++Escapes; }
};

// Six objects: three in a row, two below the first two, one further below the middle one.
//   A B C
//   D E
//     F
struct TGrid {
  TOwned<TFakeBarHelper> A = MakeOwned<TFakeBarHelper>(RECT{0, 0, 10, 10});
  TOwned<TFakeBarHelper> B = MakeOwned<TFakeBarHelper>(RECT{20, 0, 30, 10});
  TOwned<TFakeBarHelper> C = MakeOwned<TFakeBarHelper>(RECT{40, 0, 50, 10});
  TOwned<TFakeBarHelper> D = MakeOwned<TFakeBarHelper>(RECT{0, 20, 10, 30});
  TOwned<TFakeBarHelper> E = MakeOwned<TFakeBarHelper>(RECT{20, 20, 30, 30});
  TOwned<TFakeBarHelper> F = MakeOwned<TFakeBarHelper>(RECT{22, 40, 28, 50});
  std::vector<IdxBarAccessibilityHelper*> All() const
  {
    return {A.get(), B.get(), C.get(), D.get(), E.get(), F.get()};
  }
};
}  // namespace

CL_DEFINE_CLASS(TFakeBarHelper);

TEST(BarNavigation, NearestObjectInADirection)
{
  TGrid g;
  const std::vector<IdxBarAccessibilityHelper*> all = g.All();
  const struct {
    TFakeBarHelper* From;
    TDirection Direction;
    bool Wrap;
    TFakeBarHelper* Expected;
  } cases[] = {
    {g.B.get(), TDirection::andRight, false, g.C.get()},
    {g.B.get(), TDirection::andLeft, false, g.A.get()},
    {g.B.get(), TDirection::andDown, false, g.E.get()},  // D lies as closer but further aside
    {g.E.get(), TDirection::andUp, false, g.B.get()},
    {g.E.get(), TDirection::andDown, false, g.F.get()},
    {g.F.get(), TDirection::andUp, false, g.E.get()},
    {g.C.get(), TDirection::andRight, false, nullptr},
    {g.C.get(), TDirection::andRight, true, g.A.get()},  // around to the leftmost
    {g.A.get(), TDirection::andLeft, true, g.C.get()},   // around to the rightmost
    {g.A.get(), TDirection::andUp, true, nullptr},       // only sideways moves wrap
    {g.F.get(), TDirection::andDown, true, nullptr},
    {g.B.get(), TDirection::andNext, true, nullptr},
    {g.B.get(), TDirection::andPrev, false, nullptr},
  };
  for (const auto& c : cases) {
    IdxBarAccessibilityHelper* found = FindNearestObjectInDirection(c.From, all, c.Direction, c.Wrap);
    EXPECT_EQ(found, static_cast<IdxBarAccessibilityHelper*>(c.Expected))
        << c.From->Bounds.left << "," << c.From->Bounds.top << " " << static_cast<int>(c.Direction) << " " << c.Wrap;
  }
  EXPECT_EQ(FindNearestObjectInDirection(nullptr, all, TDirection::andRight, true), nullptr);
  EXPECT_EQ(FindNearestObjectInDirection(g.A.get(), {}, TDirection::andRight, true), nullptr);
}

TEST(BarNavigation, TiesGoToTheSmallerDeviationThenToTheFirst)
{
  auto from = MakeOwned<TFakeBarHelper>(RECT{0, 10, 10, 20});
  auto aside = MakeOwned<TFakeBarHelper>(RECT{20, 30, 30, 40});
  auto ahead = MakeOwned<TFakeBarHelper>(RECT{20, 12, 30, 22});
  auto twin = MakeOwned<TFakeBarHelper>(RECT{20, 12, 30, 22});
  std::vector<IdxBarAccessibilityHelper*> candidates{aside.get(), ahead.get(), twin.get()};
  EXPECT_EQ(FindNearestObjectInDirection(from.get(), candidates, TDirection::andRight, false),
            static_cast<IdxBarAccessibilityHelper*>(ahead.get()));
  candidates = {twin.get(), ahead.get()};
  EXPECT_EQ(FindNearestObjectInDirection(from.get(), candidates, TDirection::andRight, false),
            static_cast<IdxBarAccessibilityHelper*>(twin.get()));
  // A nearer gap wins over a straighter line.
  auto closer = MakeOwned<TFakeBarHelper>(RECT{12, 40, 20, 50});
  candidates = {ahead.get(), closer.get()};
  EXPECT_EQ(FindNearestObjectInDirection(from.get(), candidates, TDirection::andRight, false),
            static_cast<IdxBarAccessibilityHelper*>(closer.get()));
  const TdxFloatPoint centre = RectCenterPoint(RECT{1, 2, 4, 7});
  EXPECT_DOUBLE_EQ(centre.X, 2.5);
  EXPECT_DOUBLE_EQ(centre.Y, 4.5);
}

TEST(BarNavigation, EnclosingKeyTipContainers)
{
  auto root = MakeOwned<TFakeBarHelper>(RECT{}, nullptr, false);
  auto middle = MakeOwned<TFakeBarHelper>(RECT{}, root.get(), false);
  auto leaf = MakeOwned<TFakeBarHelper>(RECT{}, middle.get(), false);
  EXPECT_EQ(FindEnclosingKeyTipContainer(root.get()), nullptr);  // no parent
  EXPECT_EQ(FindEnclosingKeyTipContainer(nullptr), nullptr);
  // Without a container on the way, the topmost parent.
  EXPECT_EQ(FindEnclosingKeyTipContainer(leaf.get()), static_cast<IdxBarAccessibilityHelper*>(root.get()));
  middle->Holds = true;
  EXPECT_EQ(FindEnclosingKeyTipContainer(leaf.get()), static_cast<IdxBarAccessibilityHelper*>(middle.get()));
  EXPECT_EQ(FindEnclosingKeyTipContainer(middle.get()), static_cast<IdxBarAccessibilityHelper*>(root.get()));

  PassKeyTipsEscape(middle.get());
  PassKeyTipsEscape(nullptr);
  EXPECT_EQ(middle->Escapes, 1);
}

TEST(BarNavigation, HelpersOfObjectsAndTheirRelease)
{
  TOwned<TdxBarAccessibilityHelper> helper = MakeOwned<TFakeBarHelper>(RECT{});
  EXPECT_EQ(QueryAccessibilityHelper(helper.get()), static_cast<IdxBarAccessibilityHelper*>(helper.get()));
  auto plain = MakeOwned<TObject>();
  EXPECT_EQ(QueryAccessibilityHelper(plain.get()), nullptr);
  EXPECT_EQ(QueryAccessibilityHelper(nullptr), nullptr);

  IAccessible* accessible = helper->Accessible();
  accessible->AddRef();
  TWeakRef<TdxBarAccessibilityHelper> weak(helper.get());
  ReleaseAccessibilityHelperOnOwnerDestroy(helper);
  EXPECT_FALSE(helper);
  EXPECT_FALSE(weak);
  // A client that still holds the accessible object gets empty answers.
  BSTR name = nullptr;
  VARIANT self;
  VariantInit(&self);
  V_VT(&self) = VT_I4;
  V_I4(&self) = CHILDID_SELF;
  EXPECT_TRUE(SUCCEEDED(accessible->get_accName(self, &name)));
  SysFreeString(name);
  accessible->Release();
  ReleaseAccessibilityHelperOnOwnerDestroy(helper);  // nothing for an empty holder

  // The process-wide controller waits for no key tips.
  ASSERT_NE(GetNavigationController(), nullptr);
  EXPECT_FALSE(GetNavigationController()->AreKeyTipsPending());
  EXPECT_FALSE(GetNavigationController()->HasActiveContainer());
}
