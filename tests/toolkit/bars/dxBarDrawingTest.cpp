// The bar painters' small drawing routines, checked pixel by pixel on a memory surface.
#include <gtest/gtest.h>
#include "classlib/Application.h"
#include "classlib/Bitmap.h"
#include "classlib/Canvas.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/GraphicsUtils.h"
#include "tests/support/DibSurface.h"
#include "toolkit/bars/dxBarDrawing.h"

namespace {
constexpr COLORREF Green = RGB(0, 128, 0);

bool SameRect(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

// A 4 x 4 bitmap whose every pixel has a colour of its own.
TOwned<TBitmap> NewTile()
{
  auto tile = MakeOwned<TBitmap>();
  tile->SetPixelFormat(TPixelFormat::pf24bit);
  tile->SetSize(4, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) SetPixel(tile->Canvas()->Handle(), x, y, RGB(x * 60, y * 60, 100));
  return tile;
}

int FloorMod(int a, int b) { return ((a % b) + b) % b; }
}  // namespace

TEST(BarDrawing, ItemArrowsTakeTheirSizeFromTheRect)
{
  const struct {
    RECT Rect;
    TcxArrowDirection Direction;
    RECT Extent;
    int Pixels;
  } cases[] = {
    // width 20: size (12 - 1) div 2 = 5; 9 wide, 5 high
    {{0, 0, 20, 12}, adDown, {5, 3, 14, 8}, 25},
    // width 17: size (9 - 1) div 2 + 1 = 5
    {{0, 0, 17, 12}, adDown, {4, 3, 13, 8}, 25},
    // height 20: size (14 - 1) div 2 = 6; 6 wide, 11 high
    {{0, 0, 12, 20}, adRight, {3, 4, 9, 15}, 36},
    // any direction other than down points right
    {{0, 0, 12, 20}, adLeft, {3, 4, 9, 15}, 36},
    // never below size 3
    {{0, 0, 8, 8}, adDown, {1, 2, 6, 5}, 9},
    {{4, 4, 6, 6}, adRight, {3, 2, 6, 7}, 9},
  };
  for (const auto& c : cases) {
    TDibSurface surface(24, 24, Green);
    DrawItemArrowInRect(surface.DC(), c.Rect, c.Direction, true, false, true, clRed);
    const RECT extent = surface.Extent(RGB(255, 0, 0));
    EXPECT_TRUE(SameRect(extent, c.Extent)) << c.Rect.right << "x" << c.Rect.bottom << ": " << extent.left << ","
                                            << extent.top << "," << extent.right << "," << extent.bottom;
    EXPECT_EQ(surface.Count(RECT{0, 0, 24, 24}, RGB(255, 0, 0)), c.Pixels);
  }
  // A given size.
  TDibSurface surface(24, 24, Green);
  DrawItemArrowSized(surface.DC(), RECT{0, 0, 20, 20}, adDown, 4, false, true, true, clBlue);
  EXPECT_TRUE(SameRect(surface.Extent(RGB(0, 0, 255)), RECT{6, 8, 13, 12}));
}

TEST(BarDrawing, ArrowColoursFollowTheState)
{
  const struct {
    bool Selected;
    bool Enabled;
    TColor Expected;
  } cases[] = {
    {false, false, clBtnShadow},
    {true, false, clBtnShadow},
    {false, true, clBtnText},
    {true, true, ColorToRGB(clBtnFace) == ColorToRGB(clWhite) ? clBtnFace : clHighlightText},
  };
  for (const auto& c : cases) {
    TDibSurface surface(24, 24, Green);
    DrawItemArrowInRect(surface.DC(), RECT{0, 0, 20, 12}, adDown, c.Enabled, c.Selected, true, clDefault);
    EXPECT_EQ(surface.Pixel(9, 5), ColorToRGB(c.Expected)) << c.Selected << c.Enabled;
  }
}

TEST(BarDrawing, ADisabledArrowIsEmbossedUnlessFlat)
{
  const COLORREF highlight = ColorToRGB(clBtnHighlight);
  ASSERT_NE(highlight, Green);
  TDibSurface flat(24, 24, Green), raised(24, 24, Green);
  DrawItemArrowInRect(flat.DC(), RECT{0, 0, 20, 12}, adDown, false, false, true, clDefault);
  DrawItemArrowInRect(raised.DC(), RECT{0, 0, 20, 12}, adDown, false, false, false, clDefault);
  EXPECT_EQ(flat.Count(RECT{0, 0, 24, 24}, highlight), 0);
  // Two lines along the lower right edge of the triangle (x0 = 5, y0 = 3, size 5).
  EXPECT_EQ(raised.Pixel(10, 7), highlight);
  EXPECT_EQ(raised.Pixel(13, 4), highlight);
  EXPECT_EQ(raised.Pixel(10, 8), highlight);
  EXPECT_EQ(raised.Pixel(14, 4), highlight);
  EXPECT_EQ(raised.Pixel(9, 7), ColorToRGB(clBtnShadow));  // the tip stays
}

TEST(BarDrawing, DottedFocusRectangleHasTwoRings)
{
  const COLORREF text = ColorToRGB(clBtnText);
  ASSERT_NE(text, Green);
  TDibSurface surface(20, 20, Green);
  const RECT r{2, 3, 14, 11};
  DrawDoubleFocusRect(surface.DC(), r);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      const bool outer = x >= 2 && x < 14 && y >= 3 && y < 11 && (x == 2 || x == 13 || y == 3 || y == 10);
      const bool inner = x >= 3 && x < 13 && y >= 4 && y < 10 && (x == 3 || x == 12 || y == 4 || y == 9);
      const bool dot = (outer || inner) && (x + y) % 2 == 0;
      ASSERT_EQ(surface.Pixel(x, y), dot ? text : Green) << x << "," << y;
    }
}

TEST(BarDrawing, FramesInSystemColours)
{
  TDibSurface surface(20, 20, Green);
  DrawDoubleFrame(surface.DC(), RECT{2, 2, 12, 12}, COLOR_BTNSHADOW);
  const COLORREF shadow = ColorToRGB(clBtnShadow);
  EXPECT_EQ(surface.Count(RECT{0, 0, 20, 20}, shadow), 36 + 28);
  EXPECT_EQ(surface.Pixel(3, 3), shadow);
  EXPECT_EQ(surface.Pixel(4, 4), Green);

  TDibSurface highlight(20, 20, Green);
  FrameWithHighlightColor(highlight.DC(), RECT{1, 1, 6, 6});
  EXPECT_EQ(highlight.Count(RECT{0, 0, 20, 20}, ColorToRGB(clHighlight)), 16);
}

TEST(BarDrawing, TilingIsAnchoredAtTheOrigin)
{
  TOwned<TBitmap> tile = NewTile();
  const struct {
    RECT Origin;
  } cases[] = {{{5, 6, 25, 26}}, {{0, 0, 20, 20}}, {{-3, -2, 17, 18}}};
  for (const auto& c : cases) {
    TDibSurface surface(40, 40, Green);
    const RECT target{10, 10, 30, 30};
    TileBitmapInRect(surface.DC(), target, c.Origin, tile.get());
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 40; ++x) {
        const bool inside = x >= 10 && x < 30 && y >= 10 && y < 30;
        const int ox = x - target.left + c.Origin.left, oy = y - target.top + c.Origin.top;
        const COLORREF expected = inside ? RGB(FloorMod(ox, 4) * 60, FloorMod(oy, 4) * 60, 100) : Green;
        ASSERT_EQ(surface.Pixel(x, y), expected) << c.Origin.left << ": " << x << "," << y;
      }
    // The DC's clip region is as it was.
    TRegionHandle probe(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(GetClipRgn(surface.DC(), probe.Get()), 0);
  }
  // An empty origin draws nothing.
  TDibSurface surface(40, 40, Green);
  TileBitmapInRect(surface.DC(), RECT{0, 0, 40, 40}, RECT{5, 5, 5, 20}, tile.get());
  EXPECT_EQ(surface.Count(RECT{0, 0, 40, 40}, Green), 1600);
}

TEST(BarDrawing, BackgroundsFillWithoutABitmap)
{
  TDibSurface surface(20, 20, Green);
  PaintBackgroundRect(surface.DC(), RECT{2, 2, 8, 8}, RECT{0, 0, 20, 20}, nullptr, clRed, nullptr);
  EXPECT_TRUE(surface.ExactlyFills(RECT{2, 2, 8, 8}, RGB(255, 0, 0)));

  TBrushHandle blue(CreateSolidBrush(RGB(0, 0, 255)));
  auto empty = MakeOwned<TBitmap>();
  PaintBackgroundRect(surface.DC(), RECT{10, 10, 14, 14}, RECT{0, 0, 20, 20}, blue.Get(), clRed, empty.get());
  EXPECT_TRUE(surface.ExactlyFills(RECT{10, 10, 14, 14}, RGB(0, 0, 255)));

  TOwned<TBitmap> tile = NewTile();
  PaintBackgroundRect(surface.DC(), RECT{0, 0, 4, 4}, RECT{0, 0, 4, 4}, blue.Get(), clRed, tile.get());
  EXPECT_EQ(surface.Pixel(3, 2), RGB(180, 120, 100));
}

TEST(BarDrawing, TheSizeGripKeepsThePixelsAroundItsDots)
{
  const COLORREF face = ColorToRGB(clBtnFace);
  const RECT grip{10, 10, 30, 30};
  // The grip as the platform draws it on a button face.
  TDibSurface reference(40, 40, face);
  RECT r = grip;
  DrawFrameControl(reference.DC(), &r, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);

  TDibSurface surface(40, 40);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) surface.SetPixel(x, y, RGB(x * 6, 90, y * 6));
  DrawSizeGripTransparent(surface.DC(), grip);
  int dots = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) {
      const COLORREF drawn = reference.Pixel(x, y);
      const bool dot = drawn != face;
      dots += dot;
      ASSERT_EQ(surface.Pixel(x, y), dot ? drawn : RGB(x * 6, 90, y * 6)) << x << "," << y;
    }
  EXPECT_GT(dots, 0);
  const int gdi = LiveGdiObjects();
  DrawSizeGripTransparent(surface.DC(), grip);
  EXPECT_EQ(LiveGdiObjects(), gdi);
}

TEST(BarDrawing, HatchingStaysInsideItsRect)
{
  TDibSurface surface(20, 20, Green);
  const RECT hatched{4, 4, 12, 12};
  HatchDisabledArea(surface.DC(), hatched);
  const int greenInside = surface.Count(hatched, Green);
  EXPECT_EQ(surface.Count(RECT{0, 0, 20, 20}, Green) - greenInside, 400 - 64);
  EXPECT_EQ(greenInside, 0);
}

TEST(BarDrawing, AParentsBackgroundDrawnIntoAChild)
{
  auto* form = New<TForm>(Application, CreateNew);
  form->SetBounds(0, 0, 200, 150);
  auto* panel = New<TPanel>(form);
  panel->SetParent(form);
  panel->SetBounds(10, 20, 60, 40);
  panel->SetBevelOuter(TPanelBevel::bvNone);
  panel->HandleNeeded();

  TDibSurface surface(60, 40, Green);
  RECT rect{0, 0, 60, 40};
  POINT previous, offset;
  ShiftOriginToParent(form, panel, surface.DC(), rect, previous, offset);
  POINT client{0, 0};
  MapWindowPoints(panel->Handle(), form->Handle(), &client, 1);
  EXPECT_EQ(offset.x, client.x);
  EXPECT_EQ(offset.y, client.y);
  EXPECT_TRUE(SameRect(rect, RECT{client.x, client.y, client.x + 60, client.y + 40}));
  // In the parent's coordinates the child's top-left is at its place in the parent.
  TBrushHandle red(CreateSolidBrush(RGB(255, 0, 0)));
  const RECT parentArea{client.x, client.y, client.x + 5, client.y + 5};
  FillRect(surface.DC(), &parentArea, red.Get());
  EXPECT_TRUE(surface.ExactlyFills(RECT{0, 0, 5, 5}, RGB(255, 0, 0)));
  RestoreWindowOrigin(surface.DC(), previous);
  POINT origin;
  GetWindowOrgEx(surface.DC(), &origin);
  EXPECT_EQ(origin.x, 0);
  EXPECT_EQ(origin.y, 0);

  // Without windows nothing moves.
  auto* loose = New<TPanel>(nullptr);
  RECT same{0, 0, 5, 5};
  ShiftOriginToParent(form, loose, surface.DC(), same, previous, offset);
  EXPECT_EQ(offset.x, 0);
  EXPECT_TRUE(SameRect(same, RECT{0, 0, 5, 5}));
  RestoreWindowOrigin(surface.DC(), previous);
  Free(loose);
  Free(form);
}
