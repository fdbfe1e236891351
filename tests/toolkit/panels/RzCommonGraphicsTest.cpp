// The panels' drawing routines: gradients of every shape at their corners and edges, flat for
// equal colours and empty for empty rectangles, the strips copied across whole, the box shapes
// mirrored exactly, bands of at least the step asked; and the parent's image painted under a
// control.
#include <gtest/gtest.h>
#include <set>
#include <stdexcept>
#include <string>
#include "classlib/Controls.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "tests/toolkit/panels/PanelsTestSupport.h"
#include "toolkit/panels/RzCommonGraphics.h"

namespace {
constexpr TGradientDirection AllDirections[] = {
  TGradientDirection::gdDiagonalUp,     TGradientDirection::gdDiagonalDown,   TGradientDirection::gdHorizontalEnd,
  TGradientDirection::gdHorizontalCenter, TGradientDirection::gdHorizontalBox, TGradientDirection::gdVerticalEnd,
  TGradientDirection::gdVerticalCenter, TGradientDirection::gdVerticalBox,    TGradientDirection::gdSquareBox,
  TGradientDirection::gdBigSquareBox};
constexpr TGradientDirection BoxDirections[] = {TGradientDirection::gdHorizontalBox, TGradientDirection::gdVerticalBox,
                                                TGradientDirection::gdSquareBox, TGradientDirection::gdBigSquareBox};

constexpr COLORREF Background = RGB(255, 0, 255);
constexpr COLORREF S = RGB(250, 200, 0), E = RGB(0, 40, 240);

const char* Name(TGradientDirection d) { return GradientDirectionInfo.NameOf(static_cast<int>(d)).data(); }

// A gradient of w x h painted at (2, 2) on a surface with a margin of 2 around it.
struct TGradient {
  TGradient(TGradientDirection direction, int w, int h, COLORREF start = S, COLORREF end = E, int step = 1,
            bool throughBitmap = false)
      : Target(w + 4, h + 4, Background), W(w), H(h)
  {
    const RECT r{2, 2, 2 + w, 2 + h};
    if (throughBitmap)
      PaintGradientBitmap(Target.Canvas(), r, direction, static_cast<TColor>(start), static_cast<TColor>(end), step);
    else
      PaintGradient(Target.Canvas(), r, direction, static_cast<TColor>(start), static_cast<TColor>(end), step);
  }
  COLORREF At(int x, int y) const { return Target.Pixel(2 + x, 2 + y); }
  // True when the pixel lies within 15 % of the start-to-end distance of colour c.
  bool Near(int x, int y, COLORREF c, COLORREF other) const
  {
    return ColorDistance(At(x, y), c) * 100 <= 15 * ColorDistance(c, other);
  }
  // Nothing drawn in the margin.
  bool MarginUntouched()
  {
    TDibSurface& s = Target.Surface();
    const int inside = W * H;
    return s.Count(RECT{0, 0, W + 4, H + 4}, Background) == (W + 4) * (H + 4) - inside;
  }

  TCanvasOnSurface Target;
  int W, H;
};
}  // namespace

TEST(RzGradient, AnEmptyRectanglePaintsNothing)
{
  for (TGradientDirection d : AllDirections)
    for (RECT r : {RECT{5, 5, 5, 20}, RECT{5, 5, 20, 5}}) {
      TCanvasOnSurface target(30, 30, Background);
      PaintGradient(target.Canvas(), r, d, static_cast<TColor>(S), static_cast<TColor>(E), 1);
      EXPECT_TRUE(target.Surface().ExactlyFills(RECT{0, 0, 30, 30}, Background)) << Name(d);
    }
}

TEST(RzGradient, EqualColoursGiveAFlatFillForEveryShape)
{
  for (TGradientDirection d : AllDirections)
    for (SIZE size : {SIZE{37, 23}, SIZE{8, 8}, SIZE{3, 50}}) {
      TGradient g(d, size.cx, size.cy, S, S);
      EXPECT_TRUE(g.Target.Surface().ExactlyFills(RECT{2, 2, 2 + size.cx, 2 + size.cy}, S))
          << Name(d) << " " << size.cx << "x" << size.cy;
    }
}

TEST(RzGradient, EveryShapeHasItsColoursAtItsCornersAndMiddle)
{
  const int w = 61, h = 41, right = w - 1, bottom = h - 1;
  struct TProbe {
    int X, Y;
    bool End;  // E expected there, else S
  };
  struct TCase {
    TGradientDirection Direction;
    std::vector<TProbe> Probes;
  };
  const TCase cases[] = {
    {TGradientDirection::gdDiagonalUp, {{0, bottom, false}, {right, 0, true}}},
    {TGradientDirection::gdDiagonalDown, {{0, 0, false}, {right, bottom, true}}},
    {TGradientDirection::gdHorizontalEnd, {{0, 0, false}, {right, 0, false}, {0, bottom, true}, {right, bottom, true}}},
    {TGradientDirection::gdVerticalEnd, {{0, 0, false}, {0, bottom, false}, {right, 0, true}, {right, bottom, true}}},
    {TGradientDirection::gdHorizontalCenter, {{0, 0, false}, {right, bottom, false}, {right, h / 2, true}}},
    {TGradientDirection::gdVerticalCenter, {{0, 0, false}, {right, bottom, false}, {w / 2, bottom, true}}},
    {TGradientDirection::gdHorizontalBox, {{0, 0, false}, {right, bottom, false}, {w / 2, h / 2, true}}},
    {TGradientDirection::gdVerticalBox, {{right, 0, false}, {0, bottom, false}, {w / 2, h / 2, true}}},
    {TGradientDirection::gdSquareBox, {{0, 0, false}, {right, bottom, false}, {w / 2, h / 2, true}}},
    {TGradientDirection::gdBigSquareBox, {{0, bottom, false}, {right, 0, false}, {w / 2, h / 2, true}}},
  };
  for (const TCase& c : cases) {
    TGradient g(c.Direction, w, h);
    EXPECT_TRUE(g.MarginUntouched()) << Name(c.Direction);
    for (const TProbe& p : c.Probes)
      EXPECT_TRUE(p.End ? g.Near(p.X, p.Y, E, S) : g.Near(p.X, p.Y, S, E))
          << Name(c.Direction) << " at " << p.X << "," << p.Y << ": " << std::hex << g.At(p.X, p.Y);
  }
  // Box shapes are exact at their edges and in their middle.
  for (TGradientDirection d : BoxDirections) {
    TGradient g(d, w, h);
    EXPECT_EQ(g.At(0, 0), S) << Name(d);
    EXPECT_EQ(g.At(right, bottom), S) << Name(d);
    EXPECT_EQ(g.At(w / 2, h / 2), E) << Name(d);
  }
}

TEST(RzGradient, TheEndShapesRunFromTheStartColourToTheEndColour)
{
  // White to black from the top row to the bottom row.
  const int h = 32;
  TGradient g(TGradientDirection::gdHorizontalEnd, 20, h, RGB(255, 255, 255), RGB(0, 0, 0));
  for (int x : {0, 19}) {
    EXPECT_EQ(g.At(x, 0), RGB(255, 255, 255));
    EXPECT_LE(ColorDistance(g.At(x, h - 1), RGB(0, 0, 0)), 255 / h + 1);
  }
  // Through the bitmap the strip ends at the end colour exactly, and every row and column is one
  // colour that moves one way.
  for (TGradientDirection d : {TGradientDirection::gdHorizontalEnd, TGradientDirection::gdVerticalEnd}) {
    const bool vertical = d == TGradientDirection::gdHorizontalEnd;
    TGradient b(d, 45, 29, RGB(255, 255, 255), RGB(0, 0, 0), 1, true);
    const int length = vertical ? 29 : 45, across = vertical ? 45 : 29;
    int previous = 256;
    for (int i = 0; i < length; ++i) {
      const COLORREF first = vertical ? b.At(0, i) : b.At(i, 0);
      for (int j = 1; j < across; ++j) ASSERT_EQ(vertical ? b.At(j, i) : b.At(i, j), first) << Name(d) << " " << i;
      EXPECT_LE(GetRValue(first), previous) << Name(d) << " " << i;
      previous = GetRValue(first);
    }
    EXPECT_EQ(vertical ? b.At(0, length - 1) : b.At(length - 1, 0), RGB(0, 0, 0)) << Name(d);
    EXPECT_GT(GetRValue(b.At(0, 0)), 220) << Name(d);
  }
}

TEST(RzGradient, BoxShapesAreMirroredExactlyAndCentreShapesCopiedWhole)
{
  for (TGradientDirection d : BoxDirections)
    for (SIZE size : {SIZE{30, 20}, SIZE{31, 21}, SIZE{10, 10}, SIZE{11, 9}, SIZE{42, 7}, SIZE{5, 5}}) {
      TGradient g(d, size.cx, size.cy);
      for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x) {
          const std::string where =
              std::string(Name(d)) + " " + std::to_string(size.cx) + "x" + std::to_string(size.cy) + " at " +
              std::to_string(x) + "," + std::to_string(y);
          ASSERT_EQ(g.At(x, y), g.At(size.cx - 1 - x, y)) << where;
          ASSERT_EQ(g.At(x, y), g.At(x, size.cy - 1 - y)) << where;
        }
    }
  TGradient rows(TGradientDirection::gdHorizontalCenter, 61, 30);
  TGradient columns(TGradientDirection::gdVerticalCenter, 30, 61);
  for (int i = 0; i < 30; ++i)
    for (int j = 0; j < 61; ++j) {
      ASSERT_EQ(rows.At(j, i), rows.At(0, i)) << j << "," << i;
      ASSERT_EQ(columns.At(i, j), columns.At(i, 0)) << i << "," << j;
    }
}

TEST(RzGradient, ASquareBoxBelowFiveByFiveIsOneFill)
{
  TGradient g(TGradientDirection::gdSquareBox, 4, 4);
  EXPECT_TRUE(g.Target.Surface().ExactlyFills(RECT{2, 2, 6, 6}, S));
}

TEST(RzGradient, BandsCoverAtLeastTheStepAsked)
{
  // A 40-pixel column from white to black: 40 colours one pixel each with step 1, runs of at least
  // 4 pixels (the last, reaching the top, may be shorter) with step 4.
  auto runs = [](const TGradient& g) {
    std::vector<int> lengths{1};
    for (int y = 1; y < g.H; ++y) {
      if (g.At(0, y) == g.At(0, y - 1))
        ++lengths.back();
      else
        lengths.push_back(1);
    }
    return lengths;
  };
  TGradient fine(TGradientDirection::gdHorizontalEnd, 8, 40, RGB(255, 255, 255), RGB(0, 0, 0), 1, true);
  TGradient coarse(TGradientDirection::gdHorizontalEnd, 8, 40, RGB(255, 255, 255), RGB(0, 0, 0), 4, true);
  EXPECT_EQ(runs(fine).size(), 40u);
  const std::vector<int> lengths = runs(coarse);
  EXPECT_EQ(lengths.size(), 10u);
  for (size_t i = 1; i < lengths.size(); ++i) EXPECT_GE(lengths[i], 4) << i;
}

namespace {
// A parent that paints a blue square on its red background, or raises while painting.
class TPaintedParent : public TCustomControl {
  CL_CLASS(TPaintedParent, TCustomControl)
public:
  explicit TPaintedParent(TComponent* owner) : TCustomControl(owner) { SetColor(0x0000FF); }
  bool Raise = false;
  int Invalidations = 0;
  void Invalidate() override
  {
    ++Invalidations;
    TCustomControl::Invalidate();
  }

protected:
  void Paint() override
  {
    if (Raise) throw std::runtime_error("paint failed");
    Canvas()->Brush()->SetColor(0xFF0000);
    Canvas()->FillRect(RECT{10, 10, 30, 30});
  }
};

// A plain windowed parent that counts its invalidations.
class TPlainParent : public TWinControl {
  CL_CLASS(TPlainParent, TWinControl)
public:
  explicit TPlainParent(TComponent* owner) : TWinControl(owner) { SetColor(0x00FF00); }
  int Invalidations = 0;
  void Invalidate() override
  {
    ++Invalidations;
    TWinControl::Invalidate();
  }
};

// A windowless child that shows its parent under itself when painted.
class TSeeThroughChild : public TGraphicControl {
  CL_CLASS(TSeeThroughChild, TGraphicControl)
public:
  explicit TSeeThroughChild(TComponent* owner) : TGraphicControl(owner) {}
  int Paints = 0;

protected:
  void Paint() override
  {
    ++Paints;
    DrawParentBackground(this, Canvas()->Handle(), false);
  }
};

CL_DEFINE_CLASS(TPaintedParent);
CL_DEFINE_CLASS(TPlainParent);
CL_DEFINE_CLASS(TSeeThroughChild);

class RzParentBackground : public testing::Test {
protected:
  void SetUp() override
  {
    FForm.reset(New<TForm>(nullptr, CreateNew));
    FForm->SetBounds(0, 0, 200, 200);
  }
  // A control of the form placed on parent (the form when none) at bounds.
  template <class T>
  T* Add(TWinControl* parent, const RECT& bounds)
  {
    auto* control = New<T>(FForm.get());
    control->SetParent(parent ? parent : FForm.get());
    control->SetBoundsRect(bounds);
    return control;
  }
  TOwned<TForm> FForm;
};
}  // namespace

TEST_F(RzParentBackground, TheParentsImageLandsUnderTheControlClippedToTheParent)
{
  auto* parent = Add<TPaintedParent>(nullptr, RECT{0, 0, 50, 50});
  // The child reaches 15 pixels past the parent's right and bottom edges.
  auto* child = Add<TPanel>(parent, RECT{5, 5, 65, 65});
  TDibSurface surface(60, 60, Background);
  parent->Invalidations = 0;
  const int saved = SaveDC(surface.DC());
  DrawParentBackground(child, surface.DC(), false);
  EXPECT_TRUE(surface.ExactlyFills(RECT{5, 5, 25, 25}, RGB(0, 0, 255)));  // the square, moved by (-5, -5)
  EXPECT_EQ(surface.Count(RECT{0, 0, 45, 45}, RGB(255, 0, 0)), 45 * 45 - 20 * 20);
  EXPECT_EQ(surface.Count(RECT{0, 0, 60, 60}, Background), 60 * 60 - 45 * 45);
  POINT origin{1, 1};
  GetViewportOrgEx(surface.DC(), &origin);
  EXPECT_EQ(origin.x, 0);
  EXPECT_EQ(origin.y, 0);
  EXPECT_EQ(SaveDC(surface.DC()), saved + 1);  // the state saved inside was restored
  EXPECT_EQ(parent->Invalidations, 0);
}

TEST_F(RzParentBackground, NothingWithoutAParentAndOnlyPlainParentsAreInvalidated)
{
  auto* lone = New<TPanel>(FForm.get());
  TDibSurface surface(20, 20, Background);
  DrawParentBackground(lone, surface.DC(), true);
  EXPECT_TRUE(surface.ExactlyFills(RECT{0, 0, 20, 20}, Background));

  auto* plain = Add<TPlainParent>(nullptr, RECT{0, 0, 40, 40});
  auto* child = Add<TPanel>(plain, RECT{0, 0, 20, 20});
  plain->Invalidations = 0;
  DrawParentBackground(child, surface.DC(), false);
  EXPECT_TRUE(surface.ExactlyFills(RECT{0, 0, 20, 20}, RGB(0, 255, 0)));
  EXPECT_EQ(plain->Invalidations, 0);
  DrawParentBackground(child, surface.DC(), true);
  EXPECT_EQ(plain->Invalidations, 1);
  child->SetDesigning(true);
  DrawParentBackground(child, surface.DC(), true);
  EXPECT_EQ(plain->Invalidations, 1);  // not at design time

  auto* custom = Add<TPaintedParent>(nullptr, RECT{50, 0, 90, 40});
  auto* other = Add<TPanel>(custom, RECT{0, 0, 20, 20});
  custom->Invalidations = 0;
  DrawParentBackground(other, surface.DC(), true);
  EXPECT_EQ(custom->Invalidations, 0);
}

TEST_F(RzParentBackground, AFailingParentRaisesExceptAtDesignTimeAndTheStateIsRestored)
{
  auto* parent = Add<TPaintedParent>(nullptr, RECT{0, 0, 50, 50});
  parent->Raise = true;
  auto* child = Add<TPanel>(parent, RECT{5, 5, 25, 25});
  TDibSurface surface(20, 20, Background);
  EXPECT_THROW(DrawParentBackground(child, surface.DC(), false), std::runtime_error);
  POINT origin{1, 1};
  GetViewportOrgEx(surface.DC(), &origin);
  EXPECT_EQ(origin.x, 0);
  child->SetDesigning(true);
  EXPECT_NO_THROW(DrawParentBackground(child, surface.DC(), false));
  // The background came before the failing paint.
  EXPECT_EQ(surface.Pixel(0, 0), RGB(255, 0, 0));
}

TEST_F(RzParentBackground, AWindowlessChildPaintedByItsParentDoesNotAskAgain)
{
  auto* parent = Add<TPaintedParent>(nullptr, RECT{0, 0, 50, 50});
  auto* child = Add<TSeeThroughChild>(parent, RECT{20, 20, 40, 40});
  TDibSurface surface(20, 20, Background);
  DrawParentBackground(child, surface.DC(), false);
  // The parent's paint painted the child once, and the child's own request went no further.
  EXPECT_EQ(child->Paints, 1);
  EXPECT_EQ(surface.Pixel(0, 0), RGB(0, 0, 255));
  EXPECT_EQ(surface.Pixel(15, 15), RGB(255, 0, 0));
}
